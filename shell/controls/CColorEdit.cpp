#include "CColorEdit.h"

BEGIN_MESSAGE_MAP(CColorEdit, CEdit)
  ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CColorEdit::CColorEdit() : m_crText(::GetSysColor(COLOR_WINDOWTEXT)), m_crBack(::GetSysColor(COLOR_WINDOW)) {
  m_brBack.CreateSolidBrush(m_crBack);
}

CColorEdit::~CColorEdit() = default;

HBRUSH CColorEdit::CtlColor(CDC* pDC, UINT) {
  pDC->SetTextColor(m_crText);
  pDC->SetBkColor(m_crBack);
  return (HBRUSH)m_brBack.GetSafeHandle();
}
