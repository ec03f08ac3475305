#include "CImeEdit.h"

#include <imm.h>

BEGIN_MESSAGE_MAP(CImeEdit, CEdit)
  ON_CONTROL_REFLECT(EN_SETFOCUS, OnSetFocusReflect)
  ON_CONTROL_REFLECT(EN_KILLFOCUS, OnKillFocusReflect)
END_MESSAGE_MAP()

void CImeEdit::SetImeOpen(BOOL bOpen) {
  // Without an input method there is no context and the edit stays a plain one.
  HIMC hImc = ::ImmGetContext(m_hWnd);
  if (hImc == NULL) return;
  ::ImmSetOpenStatus(hImc, bOpen);
  ::ImmReleaseContext(m_hWnd, hImc);
}

void CImeEdit::OnSetFocusReflect() { SetImeOpen(TRUE); }

void CImeEdit::OnKillFocusReflect() { SetImeOpen(FALSE); }
