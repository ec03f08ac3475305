#include "qvzGradientEditWnd.h"

#include "qvzFillTabCtrl.h"

const char* const g_GradientKindNames[] = {"横１", "横２", "縦１", "縦２", "右下角", "左下角", "中心", "右上対角線", "右下対角線", ""};

namespace {
const UINT kPicker1 = 105, kPicker2 = 106, kKindCombo = 110;
const int kPreview = 92;
}  // namespace

BEGIN_MESSAGE_MAP(qvzGradientEditWnd, qvzFillChildWnd)
  ON_WM_PAINT()
  ON_CBN_SELCHANGE(kKindCombo, OnKindChange)
  ON_MESSAGE(QVZM_COLORCHANGED, OnColorChanged)
END_MESSAGE_MAP()

qvzGradientEditWnd::qvzGradientEditWnd() { m_Listener.Attach(this); }

qvzGradientEditWnd::~qvzGradientEditWnd() {}

void qvzGradientEditWnd::CreateControls() {
  if (m_Picker1.m_hWnd) return;
  CRect rc;
  GetClientRect(&rc);
  SIZE text = {0, 0};
  {
    CClientDC dc(this);
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, FillPageFont());
    ::GetTextExtentPoint32A(dc.m_hDC, "あｑ", 4, &text);
    ::SelectObject(dc.m_hDC, hOld);
  }
  const int c = rc.Width() * 4 / 10, centre = (rc.left + rc.right) / 4;
  const int left = centre - c / 2 - 5, right = centre + c / 2 + 5;
  const int third = rc.Height() / 3;
  const char* const labels[] = {"色１", "色２", "種類"};
  jvqColorPicker* pickers[] = {&m_Picker1, &m_Picker2};
  for (int i = 0; i < 3; i++) {
    const CRect label(left, i * third, right, i * third + text.cy);
    m_Labels[i].Create(labels[i], WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP, label, this);
    const CRect below(left, label.bottom + 2, right, label.bottom + 2 + 500);
    if (i < 2) {
      pickers[i]->Create(WS_VISIBLE | WS_TABSTOP, below, this, i == 0 ? kPicker1 : kPicker2);
      pickers[i]->SetOwnerListener(&m_Listener);
    } else {
      m_Kind.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS | CBS_AUTOHSCROLL,
                    CRect(left, below.top, right, below.top + 200), this, kKindCombo);
    }
  }
  for (int i = 0; g_GradientKindNames[i][0]; i++) m_Kind.AddString(g_GradientKindNames[i]);
  const RECT preview = GetPreviewRect();
  const int mid = (preview.left + preview.right) / 2, labelBottom = rc.Height() / 2 - 48;
  m_Labels[3].Create("プレビュー", WS_CHILD | WS_VISIBLE | SS_CENTER | SS_LEFTNOWORDWRAP,
                     CRect(mid - 46, labelBottom - text.cy, mid + 46, labelBottom), this);
  const HFONT hFont = FillPageFont();
  for (CWnd* w : {(CWnd*)&m_Labels[0], (CWnd*)&m_Labels[1], (CWnd*)&m_Labels[2], (CWnd*)&m_Labels[3],
                  (CWnd*)&m_Picker1, (CWnd*)&m_Picker2, (CWnd*)&m_Kind})
    w->SendMessage(WM_SETFONT, (WPARAM)hFont, 0);
  m_Picker1.SetColor(m_Gradient.m_crColor1);
  m_Picker2.SetColor(m_Gradient.m_crColor2);
}

RECT qvzGradientEditWnd::GetPreviewRect() {
  CRect rc, picker(0, 0, 0, 0);
  GetClientRect(&rc);
  if (m_Picker1.m_hWnd) {
    m_Picker1.GetWindowRect(&picker);
    ScreenToClient(&picker);
  }
  const int left = picker.right + (rc.right - picker.right) / 2 - kPreview / 2;
  const int mid = rc.Height() / 2;
  return RECT{left, mid - kPreview / 2, left + kPreview, mid + kPreview / 2};
}

void qvzGradientEditWnd::OnPaint() {
  CPaintDC dc(this);
  CRect rc;
  GetClientRect(&rc);
  dc.FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
  const RECT preview = GetPreviewRect();
  const int sel = m_Kind.m_hWnd ? m_Kind.GetCurSel() : CB_ERR;
  if (sel != CB_ERR && m_Kind.GetLBTextLen(sel) > 0) m_Gradient.PaintRect(&dc, &preview);
  RECT frame = preview;
  ::InflateRect(&frame, 1, 1);
  dc.Draw3dRect(&frame, 0x000000, 0x000000);
}

void qvzGradientEditWnd::OnKindChange() {
  m_Gradient.SetKind(m_Kind.GetCurSel());
  m_pOwner->SetFillAndNotify(&m_Gradient);
}

LRESULT qvzGradientEditWnd::OnColorChanged(WPARAM wParam, LPARAM) {
  if (wParam == kPicker1)
    m_Gradient.SetColor1(m_Picker1.GetColor());
  else if (wParam == kPicker2)
    m_Gradient.SetColor2(m_Picker2.GetColor());
  else
    return 0;
  m_pOwner->SetFillAndNotify(&m_Gradient);
  return 0;
}

void qvzGradientEditWnd::SetFill(const jvqFill* pFill) {
  if (pFill == NULL || !(pFill->GetFlags() & FILL_GRADIENT)) return;
  const jvqGradientFill* g = (const jvqGradientFill*)pFill;
  m_Gradient.SetColor1(g->m_crColor1);
  m_Gradient.SetColor2(g->m_crColor2);
  m_Gradient.SetKind(g->m_nKind);
  if (m_Kind.m_hWnd) m_Kind.SetCurSel(g->m_nKind);
  if (m_Picker1.m_hWnd) m_Picker1.SetColor(g->m_crColor1);
  if (m_Picker2.m_hWnd) m_Picker2.SetColor(g->m_crColor2);
}
