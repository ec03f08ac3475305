#include "qvzObjectThumbnail.h"

#include "Dib.h"
#include "jvqObject.h"
#include "qvzView.h"

qvzObjectThumbnail::qvzObjectThumbnail(qvzObjectPreviewView* pOwner)
    : m_pObject(NULL), m_pPicture(NULL), m_pOwner(pOwner), m_bOwns(1), m_bSelected(0), m_nPictureWidth(0),
      m_nPictureHeight(0) {
  ::SetRectEmpty(&m_rcCell);
  ::SetRectEmpty(&m_rcLabel);
  ::SetRectEmpty(&m_rcPicture);
}

qvzObjectThumbnail::~qvzObjectThumbnail() {
  if (!m_bOwns) return;
  delete m_pPicture;
  delete m_pObject;
}

BOOL qvzObjectThumbnail::Create(jvqObject* pObject, LPCTSTR lpszLabel, int nCellWidth, int nCellHeight,
                                int nPictureWidth, int nPictureHeight, int nLabelWidth, int nLabelHeight,
                                CDib* pPicture) {
  if (m_pOwner == NULL || (pObject == NULL && pPicture == NULL) || nCellWidth < 1 || nCellHeight < 1) return FALSE;
  m_pObject = pObject;
  if (m_pPicture != pPicture) delete m_pPicture;
  m_pPicture = NULL;
  ::SetRect(&m_rcLabel, 0, 0, nLabelWidth, nLabelHeight);
  m_nPictureWidth = nPictureWidth;
  m_nPictureHeight = nPictureHeight;
  if (pPicture) {
    m_pPicture = pPicture;
  } else {
    CWnd* pWnd = AfxGetMainWnd();
    m_pPicture = qvzView::RenderObjectThumbnail(pWnd ? pWnd : CWnd::GetDesktopWindow(), pObject, nPictureWidth,
                                                nPictureHeight);
  }
  m_strLabel = lpszLabel ? lpszLabel : "";
  return TRUE;
}

void qvzObjectThumbnail::SetRect(const RECT& rc) {
  const int labelHeight = m_rcLabel.bottom - m_rcLabel.top;
  m_rcCell = rc;
  ::SetRect(&m_rcLabel, rc.left, rc.bottom - labelHeight, rc.right, rc.bottom);
  ::SetRect(&m_rcPicture, rc.left, rc.top, rc.right, rc.bottom - labelHeight);
}

void qvzObjectThumbnail::Draw(CDC* pDC) {
  const int cellWidth = m_rcCell.right - m_rcCell.left;
  const int left = m_rcCell.left + (cellWidth - m_nPictureWidth) / 2;
  CRect rcPicture(left, m_rcCell.top, left + m_nPictureWidth, m_rcCell.top + m_nPictureHeight);
  pDC->FillSolidRect(&m_rcCell, ::GetSysColor(COLOR_WINDOW));
  CFont* old = pDC->SelectObject(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
  const int oldMode = pDC->SetBkMode(TRANSPARENT);
  RECT rcLabel = m_rcLabel;
  pDC->DrawText(m_strLabel, &rcLabel, DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS);
  pDC->SetBkMode(oldMode);
  pDC->SelectObject(old);
  if (m_pPicture) m_pPicture->Draw(pDC, rcPicture);
  if (m_bSelected) {
    CBrush red(RGB(255, 0, 0));
    pDC->FrameRect(&m_rcCell, &red);
  }
}
