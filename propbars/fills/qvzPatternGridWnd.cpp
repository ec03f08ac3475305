#include "qvzPatternGridWnd.h"

#include "DibImage.h"
#include "FillPopupLayout.h"
#include "jvqImageFileList.h"

namespace {
const UINT kForePicker = 712, kBackPicker = 1077;
}

qvzPatternSampleButton::~qvzPatternSampleButton() { delete m_pSample; }

BOOL qvzPatternSampleButton::HasContent() const {
  // A library entry whose picture did not load has nothing to show.
  return m_Pattern.m_nIndex >= 0 && jvqPatternFill::GetLibrary() != NULL && m_Pattern.GetPatternBitmap() != NULL;
}

void qvzPatternSampleButton::Render() {
  delete m_pSample;
  m_pSample = NULL;
  m_Pattern.BuildPatternBitmap();
  if (m_Pattern.m_nIndex < 0 || m_Pattern.GetPatternBitmap() == NULL || m_hWnd == NULL) return;
  CRect rc;
  GetClientRect(&rc);
  const int w = rc.Width() - 6, h = rc.Height() - 6;
  if (w <= 0 || h <= 0) return;
  HDC hScreen = ::CreateDCA("DISPLAY", NULL, NULL, NULL);
  CDC mem;
  mem.Attach(::CreateCompatibleDC(hScreen));
  HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, w, h);
  HGDIOBJ hOld = ::SelectObject(mem.m_hDC, hBitmap);
  const RECT all = {0, 0, w, h};
  m_Pattern.PaintRect(&mem, &all);
  ::SelectObject(mem.m_hDC, hOld);
  ::DeleteDC(mem.Detach());
  ::DeleteDC(hScreen);
  CDibImage* p = new CDibImage;
  if (p->CreateFromBitmap(hBitmap))
    m_pSample = p;
  else
    delete p;
  ::DeleteObject(hBitmap);
}

void qvzPatternSampleButton::DrawContent(CDC* pDC, const RECT& rcInset) {
  if (m_pSample)
    m_pSample->Draw(pDC, CPoint(rcInset.left, rcInset.top), CSize(rcInset.right - rcInset.left, rcInset.bottom - rcInset.top));
}

BEGIN_MESSAGE_MAP(qvzPatternGridWnd, qvzSampleGridWnd)
  ON_MESSAGE(QVZM_COLORCHANGED, OnColorChanged)
END_MESSAGE_MAP()

qvzPatternGridWnd::qvzPatternGridWnd() {
  m_Pattern.m_nIndex = -1;
  m_Pattern.m_crFore = 0x000000;
  m_Pattern.m_crBack = 0xFFFFFF;
  m_Listener.Attach(this);
}

jvqImageFileList* qvzPatternGridWnd::GetLibrary() const { return jvqPatternFill::GetLibrary(); }

void qvzPatternGridWnd::CreateExtraControls() {
  CRect rc;
  GetClientRect(&rc);
  const int mid = (rc.left + rc.right) / 2;
  m_ForePicker.Create(WS_VISIBLE | WS_TABSTOP, CRect(rc.left, rc.bottom - 20, mid - 5, rc.bottom), this, kForePicker);
  m_BackPicker.Create(WS_VISIBLE | WS_TABSTOP, CRect(mid + 5, rc.bottom - 20, rc.right, rc.bottom), this, kBackPicker);
  for (jvqColorPicker* p : {&m_ForePicker, &m_BackPicker}) {
    p->SetOwnerListener(&m_Listener);
    p->SendMessage(WM_SETFONT, (WPARAM)FillPageFont(), 0);
  }
  m_ForePicker.SetColor(m_Pattern.m_crFore);
  m_BackPicker.SetColor(m_Pattern.m_crBack);
}

void qvzPatternGridWnd::ClearCell(qvzSampleButton* pCell) {
  qvzPatternSampleButton* p = (qvzPatternSampleButton*)pCell;
  p->m_Pattern.SetPattern(GetLibrary(), -1, m_Pattern.m_crBack, m_Pattern.m_crFore);
  p->Render();
}

void qvzPatternGridWnd::LoadCell(qvzSampleButton* pCell, int j) {
  qvzPatternSampleButton* p = (qvzPatternSampleButton*)pCell;
  p->m_Pattern.SetPattern(GetLibrary(), j, m_Pattern.m_crBack, m_Pattern.m_crFore);
  p->Render();
}

BOOL qvzPatternGridWnd::CanPick(qvzSampleButton* pCell) const { return GetLibrary() != NULL && pCell->HasContent(); }

jvqFill* qvzPatternGridWnd::TakePick(int nIndex) {
  m_Pattern.SetPattern(GetLibrary(), nIndex, m_Pattern.m_crBack, m_Pattern.m_crFore);
  m_Pattern.BuildPatternBitmap();
  return &m_Pattern;
}

LRESULT qvzPatternGridWnd::OnColorChanged(WPARAM wParam, LPARAM) {
  if (wParam == kForePicker)
    m_Pattern.m_crFore = m_ForePicker.GetColor();
  else if (wParam == kBackPicker)
    m_Pattern.m_crBack = m_BackPicker.GetColor();
  else
    return 0;
  m_Pattern.BuildPatternBitmap();
  int nPressed = -1;
  for (int i = 0; i < kSamplesPerPage; i++) {
    qvzPatternSampleButton* p = (qvzPatternSampleButton*)m_pCells[i];
    p->m_Pattern.m_crFore = m_Pattern.m_crFore;
    p->m_Pattern.m_crBack = m_Pattern.m_crBack;
    p->Render();
    p->Invalidate();
    if (p->m_bPressed) nPressed = i;
  }
  // The chosen pattern goes to the owner again, in its new colours.
  if (nPressed >= 0) Pick(nPressed);
  return 0;
}

void qvzPatternGridWnd::SetFill(const jvqFill* pFill) {
  if (pFill == NULL || !(pFill->GetFlags() & FILL_PATTERN)) return;
  const jvqPatternFill* f = (const jvqPatternFill*)pFill;
  if (f != &m_Pattern) {
    m_Pattern.m_crFore = f->m_crFore;
    m_Pattern.m_crBack = f->m_crBack;
    m_Pattern.BuildPatternBitmap();
  }
  if (m_ForePicker.m_hWnd) m_ForePicker.SetColor(f->m_crFore);
  if (m_BackPicker.m_hWnd) m_BackPicker.SetColor(f->m_crBack);
  ShowIndex(f->m_nIndex);
}
