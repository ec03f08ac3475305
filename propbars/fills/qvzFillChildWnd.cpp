#include "qvzFillChildWnd.h"

#include "jvqDrawingResources.h"
#include "jvqFill.h"
#include "qvzFillTabCtrl.h"

BEGIN_MESSAGE_MAP(qvzFillChildWnd, CWnd)
  ON_WM_PAINT()
END_MESSAGE_MAP()

HFONT FillPageFont() {
  return theDefaultGuiFont.m_hObject ? (HFONT)theDefaultGuiFont.m_hObject : (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
}

qvzFillChildWnd::qvzFillChildWnd() : m_pFill(NULL), m_pOwner(NULL) {}

qvzFillChildWnd::~qvzFillChildWnd() { delete m_pFill; }

BOOL qvzFillChildWnd::Create(DWORD dwStyle, const RECT& rect, qvzFillTabCtrl* pOwner, UINT nID) {
  const BOOL bDone = CWnd::Create(NULL, "", dwStyle | WS_CHILD, rect, pOwner, nID);
  if (bDone) SendMessage(WM_SETFONT, (WPARAM)FillPageFont(), 0);
  m_pOwner = pOwner;
  return bDone;
}

void qvzFillChildWnd::OnPaint() {
  // A page that paints nothing of its own shows up plainly.
  CPaintDC dc(this);
  CRect rc;
  GetClientRect(&rc);
  dc.FillSolidRect(&rc, 0x0000FF);
}
