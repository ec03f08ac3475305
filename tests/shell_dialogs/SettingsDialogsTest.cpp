// The small settings dialogs: auto-save, the work-menu question, the scales, the lock
// notice, the print position and the rotation angle.
#include <gtest/gtest.h>

#include "ScriptedDialog.h"
#include "ViewTestApp.h"
#include "qvzAutoSaveDlg.h"
#include "qvzLockNoticeDlg.h"
#include "qvzPrintOffsetDlg.h"
#include "qvzRotateAngleDlg.h"
#include "qvzScaleDlg.h"
#include "qvzWorkMenuCloseDlg.h"

namespace {

struct Messages {
  Messages() {
    TestApp()->m_messages.clear();
    TestApp()->m_nAnswer = IDOK;
  }
  const std::vector<std::string>& All() { return TestApp()->m_messages; }
};

TEST(AutoSaveDlg, IntervalInMillisecondsShowsWholeMinutesFromOneToSixty) {
  struct Case {
    UINT millis;
    int minutes;
    BOOL on;
    UINT back;
  } cases[] = {
      {300000, 5, TRUE, 300000}, {0, 10, FALSE, 0},           {30000, 1, TRUE, 60000},
      {7200000, 60, TRUE, 3600000}, {90000, 1, TRUE, 60000},
  };
  for (const Case& c : cases) {
    qvzAutoSaveDlg dlg;
    dlg.SetInterval(c.millis);
    EXPECT_EQ(c.minutes, dlg.m_nMinutes) << c.millis;
    EXPECT_EQ(c.on, dlg.m_bOn) << c.millis;
    EXPECT_EQ(c.back, dlg.GetInterval()) << c.millis;
  }
}

TEST(AutoSaveDlg, OutOfRangeBringsTheMessageAndTheOldValueBack) {
  Messages m;
  for (const char* typed : {"0", "61", "x"}) {
    Scripted<qvzAutoSaveDlg> dlg([&](Scripted<qvzAutoSaveDlg>& d) {
      EXPECT_EQ("5", d.Text(758));
      EXPECT_TRUE(d.Enabled(758));
      d.Type(758, typed);
      d.GetDlgItem(IDOK)->SetFocus();
      PumpPending();
      EXPECT_EQ("5", d.Text(758)) << typed;
      EXPECT_EQ(d.GetDlgItem(758)->m_hWnd, ::GetFocus());
      d.Type(758, "7");
      d.GetDlgItem(IDOK)->SetFocus();
      PumpPending();
      d.Click(IDOK);
    });
    dlg.SetInterval(300000);
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(7u * 60000, dlg.GetInterval()) << typed;
  }
  ASSERT_EQ(3u, m.All().size());
  EXPECT_EQ("入力値は1～60の範囲で指定してください", m.All()[0]);
}

TEST(AutoSaveDlg, SwitchedOffDisablesTheIntervalAndStoresZero) {
  Scripted<qvzAutoSaveDlg> dlg([](Scripted<qvzAutoSaveDlg>& d) {
    d.CheckDlgButton(752, BST_UNCHECKED);
    d.Click(752);
    for (int id : {758, 726, 1149}) EXPECT_FALSE(d.Enabled(id)) << id;
    d.Click(IDOK);
  });
  dlg.SetInterval(600000);
  ASSERT_EQ(IDOK, dlg.DoModal());
  EXPECT_EQ(0u, dlg.GetInterval());
  Scripted<qvzAutoSaveDlg> off([](Scripted<qvzAutoSaveDlg>& d) {
    EXPECT_EQ("10", d.Text(758));
    EXPECT_FALSE(d.Enabled(758));
    d.Click(IDCANCEL);
  });
  off.SetInterval(0);
  EXPECT_EQ(IDCANCEL, off.DoModal());
}

TEST(WorkMenuCloseDlg, ShowsTheTitleInQuotesAndEndsWithItsButton) {
  for (int button : {6, 7, IDCANCEL}) {
    Scripted<qvzWorkMenuCloseDlg> dlg([button](Scripted<qvzWorkMenuCloseDlg>& d) {
      EXPECT_EQ("作業中のZenplat\"無題\"を閉じます。\n保存しますか？", d.Text(804));
      EXPECT_NE(nullptr, d.m_icon.GetIcon());
      d.Click(button);
    });
    dlg.m_strTitle = "無題";
    EXPECT_EQ(button, dlg.DoModal());
  }
}

TEST(ScaleDlg, TakesTenToTenThousandAndStepsByTen) {
  Messages m;
  int placement = 100;
  Scripted<qvzScaleDlg> dlg(
      [](Scripted<qvzScaleDlg>& d) {
        EXPECT_EQ("100", d.Text(1082));
        EXPECT_EQ(d.GetDlgItem(1082)->m_hWnd, ::GetFocus());
        d.GetDlgItem(1082)->SendMessage(WM_KEYDOWN, VK_UP, 0);
        d.GetDlgItem(1082)->SendMessage(WM_KEYUP, VK_UP, 0);
        PumpPending();
        EXPECT_EQ("110", d.Text(1082));
        for (const char* bad : {"9", "10001", ""}) {
          d.Type(1082, bad);
          d.Click(IDOK);
          EXPECT_TRUE(::IsWindowVisible(d.m_hWnd)) << bad;
        }
        d.Type(1082, "1,000");
        EXPECT_EQ("1000", d.Text(1082));
        d.Click(IDOK);
      },
      &placement);
  ASSERT_EQ(IDOK, dlg.DoModal());
  EXPECT_EQ(1000, dlg.m_nScale);
  EXPECT_EQ(100, placement) << "the caller stores it";
  ASSERT_EQ(3u, m.All().size());
  EXPECT_EQ("間取り図の縮尺は1/10～1/10000の範囲で入力してください。", m.All()[0]);

  for (const char* edge : {"10", "10000"}) {
    Scripted<qvzFloorPlanScaleDlg> plan([edge](Scripted<qvzFloorPlanScaleDlg>& d) {
      EXPECT_EQ("250", d.Text(1082));
      d.Type(1082, edge);
      d.Click(IDOK);
    });
    plan.m_nScale = 250;
    ASSERT_EQ(IDOK, plan.DoModal());
    EXPECT_EQ(atoi(edge), plan.m_nScale);
  }
  Scripted<qvzFloorPlanScaleDlg> cancelled([](Scripted<qvzFloorPlanScaleDlg>& d) {
    d.Type(1082, "500");
    d.Click(IDCANCEL);
  });
  cancelled.m_nScale = 250;
  EXPECT_EQ(IDCANCEL, cancelled.DoModal());
  EXPECT_EQ(250, cancelled.m_nScale);
}

TEST(LockNoticeDlg, AlwaysOpensUncheckedAndReportsTheBox) {
  for (int check : {BST_CHECKED, BST_UNCHECKED}) {
    Scripted<qvzLockNoticeDlg> dlg([check](Scripted<qvzLockNoticeDlg>& d) {
      EXPECT_EQ(BST_UNCHECKED, (int)d.IsDlgButtonChecked(683));
      d.CheckDlgButton(683, check);
      d.Click(IDOK);
    });
    dlg.m_nDontShowAgain = 1;
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(check == BST_CHECKED ? 1 : 0, dlg.m_nDontShowAgain);
  }
}

TEST(PrintOffsetDlg, WholeMillimetresShownTenthsReturned) {
  qvzPrintOffsetDlg plain;
  plain.SetOffset(15, -27);
  EXPECT_EQ("1", plain.m_strRight);
  EXPECT_EQ("-2", plain.m_strDown);
  Scripted<qvzPrintOffsetDlg> dlg([](Scripted<qvzPrintOffsetDlg>& d) {
    EXPECT_EQ("1", d.Text(735));
    EXPECT_EQ("0", d.Text(696));
    d.Type(696, "abc");
    d.Click(IDOK);
  });
  dlg.SetOffset(15, 3);
  ASSERT_EQ(IDOK, dlg.DoModal());
  int x = -1, y = -1;
  dlg.GetOffset(&x, &y);
  EXPECT_EQ(10, x);
  EXPECT_EQ(0, y) << "no number gives 0";
}

TEST(RotateAngleDlg, ShownCounterClockwiseReturnedInTheObjectsSense) {
  struct Case {
    int start;
    const char* shown;
    const char* typed;
    int back;
  } cases[] = {{0, "0", "30", 330}, {90, "270", "0", 0}, {0, "0", "360", 0}};
  for (const Case& c : cases) {
    Scripted<qvzRotateAngleDlg> dlg([&c](Scripted<qvzRotateAngleDlg>& d) {
      EXPECT_EQ(c.shown, d.Text(733));
      EXPECT_EQ(d.GetDlgItem(733)->m_hWnd, ::GetFocus());
      d.Type(733, c.typed);
      d.Click(IDOK);
    });
    dlg.m_nAngle = c.start;
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(c.back, dlg.m_nAngle) << c.typed;
  }
  Messages m;
  Scripted<qvzRotateAngleDlg> refused([](Scripted<qvzRotateAngleDlg>& d) {
    d.Type(733, "x");
    d.Click(IDOK);
    EXPECT_TRUE(::IsWindowVisible(d.m_hWnd)) << "no integer keeps it open";
    d.Click(IDCANCEL);
  });
  EXPECT_EQ(IDCANCEL, refused.DoModal());
  EXPECT_EQ(1u, m.All().size());
}

}  // namespace
