// Runs a dialog modally and drives it once it shows, as a user would: texts typed into
// controls, clicks, and the focus leaving an edit.
#pragma once

#include <functional>

#include "afxtest/ThreadPump.h"
#include "afxwin.h"

template <class Dlg>
class Scripted : public Dlg {
 public:
  template <class... Args>
  explicit Scripted(std::function<void(Scripted&)> script, Args... args) : Dlg(args...), m_script(std::move(script)) {}
  BOOL OnInitDialog() override {
    const BOOL result = Dlg::OnInitDialog();
    if (m_script) WhenShown();
    return result;
  }
  void WhenShown() {
    RunWhenIdle([this] {
      if (::IsWindowVisible(this->m_hWnd))
        m_script(*this);
      else
        WhenShown();
    });
  }
  CString Text(int id) {
    CString s;
    this->GetDlgItemText(id, s);
    return s;
  }
  void Type(int id, const char* text) {
    this->GetDlgItem(id)->SetFocus();
    this->SetDlgItemText(id, text);
    PumpPending();
  }
  void Click(int id) {
    this->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)::GetDlgItem(this->m_hWnd, id));
    PumpPending();
  }
  BOOL Enabled(int id) { return ::IsWindowEnabled(::GetDlgItem(this->m_hWnd, id)); }
  BOOL Visible(int id) { return ::IsWindowVisible(::GetDlgItem(this->m_hWnd, id)); }
  std::function<void(Scripted&)> m_script;
};
