#include "jvqPaletteTools.h"

#include "jvqView.h"

jvqShapeInsertTool::jvqShapeInsertTool(jvqView* pView, int nToolId, int nCursorId, const char* pszCaption, int bBusy)
    : jvqSelectTool(pView) {
  m_nToolId = nToolId;
  if (m_pView) m_pView->SetCursorId(nCursorId);
  m_strCaption = m_strSavedCaption = pszCaption;
  m_bNothingDrawn = 1;
  m_bDone = 1;
  m_bBusy = bBusy;
}
