// The edit controls in a real dialog: Enter and leaving a notifying edit, the window colours
// of a colour edit, an input-method edit without an input method.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CColorEdit.h"
#include "CImeEdit.h"
#include "CNotifyEdit.h"
#include "ControlsTest.h"
#include "ControlsTestRes.h"
#include "qvzMessages.h"

namespace {

class CEditsDialog : public CDialog {
 public:
  CEditsDialog() : CDialog(IDD_EDITS) {}
  CNotifyEdit m_wndNotify;
  CImeEdit m_wndOther;
  std::vector<std::pair<int, std::string>> m_notes;
  std::function<void(CEditsDialog*)> m_script;

 protected:
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    m_wndNotify.SubclassDlgItem(IDC_NOTIFY, this);
    m_wndOther.SubclassDlgItem(IDC_OTHER, this);
    m_wndNotify.SetWindowText("12.5");
    m_wndNotify.SetFocus();
    if (m_script) RunWhenIdle([this] { m_script(this); });
    return FALSE;
  }
  afx_msg LRESULT OnEditNotify(WPARAM wParam, LPARAM lParam) {
    m_notes.emplace_back((int)wParam, (const char*)lParam);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CEditsDialog, CDialog)
  ON_MESSAGE(QVZM_EDITNOTIFY, OnEditNotify)
END_MESSAGE_MAP()

void PostKey(HWND hWnd, UINT vk) {
  ::PostMessage(hWnd, WM_KEYDOWN, vk, 1);
  ::PostMessage(hWnd, WM_KEYUP, vk, 0xC0000001);
}

TEST(NotifyEdit, EnterNotifiesOnceAndKeepsTheDialogOpen) {
  CEditsDialog dlg;
  bool bOpenAfterEnter = false;
  size_t nAfterEnter = 0;
  dlg.m_script = [&](CEditsDialog* p) {
    PostKey(p->m_wndNotify.m_hWnd, VK_RETURN);
    RunWhenIdle([&, p] {
      bOpenAfterEnter = ::IsWindow(p->m_hWnd) && ::IsWindowVisible(p->m_hWnd);
      nAfterEnter = p->m_notes.size();
      // Tab leaves the edit: a second notification with the text as it stands.
      PostKey(p->m_wndNotify.m_hWnd, VK_TAB);
      RunWhenIdle([p] { p->EndDialog(IDCANCEL); }, 150);
    }, 150);
  };
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_TRUE(bOpenAfterEnter);
  EXPECT_EQ(nAfterEnter, 1u);
  ASSERT_EQ(dlg.m_notes.size(), 2u);
  EXPECT_EQ(dlg.m_notes[0].first, IDC_NOTIFY);
  EXPECT_EQ(dlg.m_notes[0].second, "12.5");
  EXPECT_EQ(dlg.m_notes[1].second, "12.5");
}

TEST(ImeEdit, WorksAsAPlainEditWithoutAnInputMethod) {
  CEditsDialog dlg;
  std::string strText;
  dlg.m_script = [&](CEditsDialog* p) {
    p->m_wndOther.SetFocus();
    p->m_wndOther.ReplaceSel("表ソ");
    p->m_wndNotify.SetFocus();
    CString s;
    p->m_wndOther.GetWindowText(s);
    strText = (LPCTSTR)s;
    p->EndDialog(IDOK);
  };
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(strText, "表ソ");
}

TEST(ColorEdit, PaintsWithItsOwnColours) {
  CFrameWnd* pFrame = NewTestFrame("色", CRect(40, 40, 300, 160));
  ASSERT_NE(pFrame, nullptr);
  CColorEdit edit;
  // An owner may replace the colours and the brush (the open dialog does).
  edit.m_crBack = RGB(0, 128, 255);
  edit.m_crText = RGB(255, 255, 0);
  edit.m_brBack.DeleteObject();
  edit.m_brBack.CreateSolidBrush(edit.m_crBack);
  ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_READONLY, CRect(10, 10, 200, 40), pFrame, 100));
  edit.SetWindowText("  ");
  edit.Invalidate();
  PumpPending();
  EXPECT_EQ(ClientPixel(&edit, 150, 15), RGB(0, 128, 255));
  edit.DestroyWindow();
  DestroyTestFrame(pFrame);
}

}  // namespace
