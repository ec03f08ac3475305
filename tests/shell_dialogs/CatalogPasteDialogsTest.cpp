// "Vendaroデータの設定" on settings of its own, and the favourite save dialog driven as a user
// would: a name typed, a title below it, OK.
#include <gtest/gtest.h>

#include <string>

#include "ScriptedDialog.h"
#include "ViewTestApp.h"
#include "jvqObjectCodes.h"
#include "jvqTextObject.h"
#include "qvzCatalogPasteSettings.h"
#include "qvzCatalogPasteSettingsDlg.h"
#include "qvzSaveObjectDialog.h"

namespace {

std::string Entries(CWnd& d, int id) {
  std::string all;
  const int n = (int)d.SendDlgItemMessage(id, LB_GETCOUNT);
  for (int i = 0; i < n; i++) {
    char buf[64] = "";
    d.SendDlgItemMessage(id, LB_GETTEXT, i, (LPARAM)buf);
    all += (i ? "," : "") + std::string(buf);
  }
  return all;
}

void Select(CWnd& d, int id, int i) {
  d.SendDlgItemMessage(id, LB_SETCURSEL, i);
  d.SendMessage(WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), (LPARAM)::GetDlgItem(d.m_hWnd, id));
}

std::string TempPath(const char* name) {
  char dir[MAX_PATH];
  ::GetTempPath(MAX_PATH, dir);
  return std::string(dir) + name;
}

// Layout: 品番, 品名, 価格 stacked in that order and chosen; スペック not chosen.
qvzCatalogPasteSettings* Layout() {
  qvzCatalogPasteSettings* s = new qvzCatalogPasteSettings;
  for (jvqTextObject* t : s->m_Texts) delete t;
  s->m_Texts.clear();
  int top = 0;
  for (const char* text : {"品番：", "品名：", "価格：", "スペック："}) {
    const RECT r = {0, top, 400, top + 50 + top / 10};
    jvqTextObject* t = jvqTextObject::MakeDefault(NULL, &r);
    t->SetText(text);
    s->m_Texts.push_back(t);
    top = r.bottom;
  }
  s->m_Fields = {"品番", "品名", "価格"};
  return s;
}

TEST(CatalogPasteSettingsDlg, ReorderedFieldsStackInTheLayoutFile) {
  std::unique_ptr<qvzCatalogPasteSettings> settings(Layout());
  Scripted<qvzCatalogPasteSettingsDlg> dlg([](Scripted<qvzCatalogPasteSettingsDlg>& d) {
    EXPECT_EQ("品番,品名,価格", Entries(d, 759));
    EXPECT_EQ("スペック", Entries(d, 754));
    EXPECT_EQ(0, (int)d.SendDlgItemMessage(759, LB_GETCURSEL));
    EXPECT_FALSE(d.Enabled(1155)) << "the first entry cannot go up";
    EXPECT_TRUE(d.Enabled(1156));
    // 価格 up above 品名; the last entry cannot go down.
    Select(d, 759, 2);
    EXPECT_FALSE(d.Enabled(1156));
    d.Click(1155);
    EXPECT_EQ("品番,価格,品名", Entries(d, 759));
    EXPECT_EQ(1, (int)d.SendDlgItemMessage(759, LB_GETCURSEL));
    // スペック in and out again: the entry before it is selected where it left.
    Select(d, 754, 0);
    d.Click(1153);
    EXPECT_EQ("品番,価格,品名,スペック", Entries(d, 759));
    EXPECT_FALSE(d.Enabled(1153)) << "nothing left to add";
    Select(d, 759, 3);
    d.Click(756);
    EXPECT_EQ("スペック", Entries(d, 754));
    EXPECT_EQ(2, (int)d.SendDlgItemMessage(759, LB_GETCURSEL));
    d.Click(IDOK);
  });
  dlg.SetSettings(settings.get());
  ASSERT_EQ(IDOK, dlg.DoModal());
  // The view's own settings are untouched until it takes the dialog's result.
  EXPECT_EQ(CString("品名"), settings->m_Fields[1]);

  std::unique_ptr<qvzCatalogPasteSettings> result(dlg.GetSettings());
  ASSERT_TRUE(result);
  const std::string path = TempPath("qvz-yq-dialog.qzl");
  ASSERT_TRUE(result->SaveLayout(path.c_str()));
  qvzCatalogPasteSettings back;
  ASSERT_TRUE(back.LoadLayout(path.c_str()));
  ::DeleteFile(path.c_str());
  ASSERT_EQ(3u, back.m_Fields.size());
  EXPECT_EQ(CString("価格"), back.m_Fields[1]);
  // 価格 sits directly on 品番's bottom edge, 品名 directly on 価格's; スペック is hidden.
  ASSERT_EQ(4u, back.m_Texts.size());
  RECT r[4];
  for (int i = 0; i < 4; i++) back.m_Texts[i]->GetBoundRect(&r[i]);
  EXPECT_EQ(std::string("価格："), (LPCTSTR)qvzCatalogPasteSettings::TextOf(back.m_Texts[1]));
  EXPECT_EQ(std::string("品名："), (LPCTSTR)qvzCatalogPasteSettings::TextOf(back.m_Texts[2]));
  EXPECT_EQ(r[0].bottom, r[1].top);
  EXPECT_EQ(r[1].bottom, r[2].top);
  EXPECT_EQ(r[0].left, r[2].left);
  EXPECT_FALSE(back.m_Texts[3]->m_dwState & JVQ_STATE_VISIBLE);
}

// The font button edits the label only; the field name stays in front of it.
class FontHost : public CRecordingHost {
 public:
  BOOL EditTextDetail(jvqTextFill* pFill, BOOL bNoLock) override {
    m_seen = (LPCTSTR)pFill->m_strText;
    pFill->SetText("　番号　");
    pFill->m_crText = RGB(255, 0, 0);
    return TRUE;
  }
  std::string m_seen;
};

TEST(CatalogPasteSettingsDlg, FontEditsTheLabelOfTheSelectedField) {
  FontHost host;
  jvqViewHost* old = jvqGetViewHost();
  jvqSetViewHost(&host);
  std::unique_ptr<qvzCatalogPasteSettings> settings(Layout());
  Scripted<qvzCatalogPasteSettingsDlg> dlg([](Scripted<qvzCatalogPasteSettingsDlg>& d) {
    Select(d, 759, 0);
    d.Click(1154);
    d.Click(IDOK);
  });
  dlg.SetSettings(settings.get());
  dlg.DoModal();
  jvqSetViewHost(old);
  EXPECT_EQ("：", host.m_seen);
  std::unique_ptr<qvzCatalogPasteSettings> result(dlg.GetSettings());
  jvqTextObject* t = result->FindLayoutText("品番");
  ASSERT_TRUE(t);
  EXPECT_EQ(std::string("品番　番号　"), (LPCTSTR)qvzCatalogPasteSettings::TextOf(t));
  EXPECT_EQ(RGB(255, 0, 0), t->GetTextFill()->m_crText);
}

struct FindChild {
  int id;
  HWND found;
};

BOOL CALLBACK FindChildProc(HWND h, LPARAM l) {
  FindChild* f = (FindChild*)l;
  char cls[16] = "";
  ::GetClassName(h, cls, sizeof cls);
  // The system's dialog has a list of that id too: the title is the edit.
  if (::GetDlgCtrlID(h) != f->id || _stricmp(cls, "Edit") != 0) return TRUE;
  f->found = h;
  return FALSE;
}

HWND FindChildId(HWND parent, int id) {
  FindChild f = {id, NULL};
  ::EnumChildWindows(parent, FindChildProc, (LPARAM)&f);
  return f.found;
}

// Waits for the file dialog of that caption, types the name and the title, presses OK.
void AnswerSaveDialog(const std::string& path, const char* title, int tries = 200) {
  RunWhenIdle([path, title, tries] {
    HWND d = ::FindWindow(NULL, "オブジェクトの登録");
    if (d == NULL || !::IsWindowVisible(d)) {
      ::Sleep(25);
      if (tries > 0) AnswerSaveDialog(path, title, tries - 1);
      return;
    }
    for (int id : {0x47C, 0x480})
      if (HWND e = ::GetDlgItem(d, id)) ::SendMessage(e, WM_SETTEXT, 0, (LPARAM)path.c_str());
    HWND t = FindChildId(d, 1121);
    EXPECT_TRUE(t) << "the title box below the name";
    if (t) ::SendMessage(t, WM_SETTEXT, 0, (LPARAM)title);

    ::PostMessage(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(d, IDOK));
  });
}

TEST(SaveObjectDialog, TakesTheNameAndTheTitleBelowIt) {
  const std::string path = TempPath("qvz-save-object.qzl");
  ::DeleteFile(path.c_str());
  qvzSaveObjectDialog dlg(FALSE, "qzl", NULL, 0, "オブジェクトファイル (*.qzl)|*.qzl||");
  // Without a name typed the title stays " ".
  EXPECT_EQ(CString(" "), dlg.m_strTitle);
  AnswerSaveDialog(path, "椅子の見本");
  ASSERT_EQ(IDOK, dlg.DoModal());
  EXPECT_EQ(0, _stricmp(path.c_str(), dlg.GetPathName()));
  EXPECT_EQ(CString("椅子の見本"), dlg.m_strTitle);
}

}  // namespace
