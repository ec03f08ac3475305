// The pages of the fill pop-ups, opened from a button in a plain dialog and driven as the
// user would: what each page shows, what a pick hands back, and what reaches the parent.
#include <gtest/gtest.h>

#include <memory>

#include "FillPopupLayout.h"
#include "BaseImage.h"
#include "FillsTest.h"
#include "jvqGradientFill.h"
#include "jvqImageFileList.h"
#include "jvqPatternFill.h"
#include "jvqSolidFill.h"
#include "jvqTextureFill.h"
#include "qvzColorPaletteWnd.h"
#include "qvzFillButton.h"
#include "qvzFillPopupDlg.h"
#include "qvzGradientEditWnd.h"
#include "qvzImageFileWnd.h"
#include "qvzPatternGridWnd.h"
#include "qvzPictureFileSeam.h"
#include "qvzTextureGridWnd.h"

namespace {

class FillPages : public ::testing::Test {
 protected:
  void SetUp() override {
    ::SetCursorPos(5, 5);
    m_pTextures.reset(NewTestLibrary(12, false, 5));
    m_pPatterns.reset(NewTestLibrary(12, true, 6));
    jvqTextureFill::SetLibrary(m_pTextures.get());
    jvqPatternFill::SetLibrary(m_pPatterns.get());
    ASSERT_TRUE(m_Host.CreateHost());
    ASSERT_TRUE(m_Plain.SubclassDlgItem(732, &m_Host));
    ASSERT_TRUE(m_Image.SubclassDlgItem(733, &m_Host));
    g_Messages.clear();
    PumpPending();
  }
  void TearDown() override {
    if (::IsWindow(m_Host.m_hWnd)) m_Host.DestroyWindow();
    PumpPending();
    jvqTextureFill::SetLibrary(NULL);
    jvqPatternFill::SetLibrary(NULL);
    g_pfnAskPictureFile = qvzAskPictureFilePlain;
  }
  template <class Page>
  static Page* PageOf(qvzFillPopupDlg* p, int nTab) {
    return (Page*)p->GetTabCtrl()->GetPage(nTab);
  }
  static void ClickAt(CWnd* pWnd, const RECT& rc) {
    pWnd->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2));
  }
  static void ClickCell(qvzSampleGridWnd* pPage, int i) { pPage->SendMessage(WM_COMMAND, MAKEWPARAM(i + 1, BN_CLICKED), 0); }
  static int PressedCell(qvzSampleGridWnd* pPage) {
    int n = -1;
    for (int i = 0; i < kSamplesPerPage; i++)
      if (pPage->GetCell(i)->m_bPressed) n = n == -1 ? i : -2;
    return n;
  }
  std::unique_ptr<jvqImageFileList> m_pTextures, m_pPatterns;
  CFillHostDlg m_Host;
  qvzFillButton m_Plain;
  qvzImageFillButton m_Image;
};

TEST_F(FillPages, ColourCellsMarksAndHover) {
  jvqSolidFill red(0x0000FF);
  m_Plain.SetFill(&red);
  ClickButtonAndRun(m_Plain, [&](qvzFillPopupDlg* p) {
    EXPECT_EQ(FILLTAB_COLOR, p->GetTabCtrl()->GetCurSel());
    qvzColorPaletteWnd* pal = PageOf<qvzColorPaletteWnd>(p, 0);
    // Every cell shows its colour inside a 2-pixel margin.
    for (int r = 0; r < kPaletteRows; r++)
      for (int c = 0; c < kPaletteColumns; c++) {
        const RECT cell = pal->GetCellRect(r, c);
        EXPECT_EQ(theColorCells[r * kPaletteColumns + c].crColor, ScreenPixel(pal, cell.left + 10, cell.top + 10)) << r << "," << c;
      }
    // The red cell is marked (sunken: a dark top-left edge).
    const RECT redCell = pal->GetCellRect(2, 0);
    EXPECT_TRUE(pal->IsMarked());
    EXPECT_TRUE(::EqualRect(&redCell, &pal->GetMarkedRect()));
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_NE(face, ScreenPixel(pal, redCell.left, redCell.top));
    // Over another cell: raised (a light top-left edge); over the marked one: still sunken.
    const RECT other = pal->GetCellRect(0, 3);
    EXPECT_EQ(face, ScreenPixel(pal, other.left, other.top));
    pal->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(other.left + 5, other.top + 5));
    EXPECT_EQ(::GetSysColor(COLOR_3DLIGHT), ScreenPixel(pal, other.left, other.top));
    const COLORREF sunken = ScreenPixel(pal, redCell.left, redCell.top);
    pal->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(redCell.left + 5, redCell.top + 5));
    EXPECT_EQ(sunken, ScreenPixel(pal, redCell.left, redCell.top));
    EXPECT_EQ(face, ScreenPixel(pal, other.left, other.top));
    // Leaving the page clears the raised look.
    pal->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(other.left + 5, other.top + 5));
    pal->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(-20, -20));
    EXPECT_EQ(face, ScreenPixel(pal, other.left, other.top));
    EXPECT_NE(pal->m_hWnd, ::GetCapture());
    p->SendMessage(WM_COMMAND, IDCANCEL);
  });

  // A colour of no cell marks "その他の色" with the colour in its swatch; none marks "透明".
  jvqSolidFill odd(0x123456);
  m_Plain.SetFill(&odd);
  ClickButtonAndRun(m_Plain, [&](qvzFillPopupDlg* p) {
    qvzColorPaletteWnd* pal = PageOf<qvzColorPaletteWnd>(p, 0);
    const RECT button = pal->GetCellRect(-1, -1);
    EXPECT_TRUE(::EqualRect(&button, &pal->GetMarkedRect()));
    EXPECT_EQ(0x123456u, ScreenPixel(pal, button.left + 6, button.top + 6));
    p->SendMessage(WM_COMMAND, IDCANCEL);
  });
  m_Plain.SetFill(NULL);
  ClickButtonAndRun(m_Plain, [&](qvzFillPopupDlg* p) {
    qvzColorPaletteWnd* pal = PageOf<qvzColorPaletteWnd>(p, 0);
    const RECT clear = pal->GetTransparentRect();
    EXPECT_TRUE(::EqualRect(&clear, &pal->GetMarkedRect()));
    // The colour dialog starts on white; its OK marks the cell "White".
    RunWhenIdle([] {
      HWND hDlg = NULL;
      PumpUntil([&] { return (hDlg = ::GetActiveWindow()) != NULL && ::GetDlgItem(hDlg, IDOK) && ::IsWindowVisible(hDlg) &&
                             ::GetDlgItem(hDlg, 0x2c5) != NULL; });  // the dialog's red-value edit
      ::SendMessage(hDlg, WM_COMMAND, IDOK, 0);
    }, 200);
    ClickAt(pal, pal->GetCellRect(-1, -1));
    const RECT white = pal->GetCellRect(4, 7);
    EXPECT_TRUE(::EqualRect(&white, &pal->GetMarkedRect()));
    ASSERT_NE(nullptr, pal->GetColorFill());
    EXPECT_EQ(0xFFFFFFu, pal->GetColorFill()->GetColor());
    p->SendMessage(WM_COMMAND, IDOK);
  });
  ASSERT_NE(nullptr, m_Plain.GetFill());
  EXPECT_EQ(0xFFFFFFu, ((jvqSolidFill*)m_Plain.GetFill())->GetColor());
}

TEST_F(FillPages, GradientOpensOnItsKindAndPreview) {
  jvqGradientFill g;
  g.SetColor1(0x00FFFF);
  g.SetColor2(0x800000);
  g.SetKind(6);
  m_Plain.SetFill(&g);
  ClickButtonAndRun(m_Plain, [&](qvzFillPopupDlg* p) {
    EXPECT_EQ(FILLTAB_GRADIENT, p->GetTabCtrl()->GetCurSel());
    qvzGradientEditWnd* page = PageOf<qvzGradientEditWnd>(p, 1);
    ASSERT_NE(nullptr, page);
    EXPECT_TRUE(page->IsWindowVisible());
    EXPECT_FALSE(PageOf<CWnd>(p, 0)->IsWindowVisible());
    EXPECT_EQ(6, page->GetKindCombo().GetCurSel());
    CString text;
    page->GetKindCombo().GetLBText(6, text);
    EXPECT_EQ(CString("中心"), text);
    EXPECT_EQ(0x00FFFFu, page->GetPicker(1).GetColor());
    EXPECT_EQ(0x800000u, page->GetPicker(2).GetColor());
    const RECT preview = page->GetPreviewRect();
    EXPECT_EQ(92, preview.right - preview.left);
    EXPECT_EQ(92, preview.bottom - preview.top);
    // The frame is black, the centre colour 1, the corner towards colour 2.
    EXPECT_EQ(0u, ScreenPixel(page, preview.left - 1, preview.top + 40));
    const COLORREF centre = ScreenPixel(page, preview.left + 46, preview.top + 46);
    const COLORREF corner = ScreenPixel(page, preview.left + 1, preview.top + 1);
    EXPECT_NE(centre, corner);
    EXPECT_NE(::GetSysColor(COLOR_BTNFACE), centre);

    // A solid fill leaves the page as it was; a second CreateControls makes nothing new.
    const HWND hCombo = page->GetKindCombo().m_hWnd;
    jvqSolidFill solid(0x0000FF);
    page->SetFill(&solid);
    page->CreateControls();
    EXPECT_EQ(hCombo, page->GetKindCombo().m_hWnd);
    EXPECT_EQ(6, page->GetGradient().m_nKind);
    EXPECT_EQ(0x00FFFFu, page->GetGradient().m_crColor1);

    // Another kind is a pick at once.
    page->GetKindCombo().SetCurSel(2);
    page->SendMessage(WM_COMMAND, MAKEWPARAM(110, CBN_SELCHANGE), (LPARAM)hCombo);
    EXPECT_TRUE(p->HasPick());
    p->SendMessage(WM_COMMAND, IDOK);
  });
  ASSERT_NE(nullptr, m_Plain.GetFill());
  ASSERT_TRUE(m_Plain.GetFill()->GetFlags() & FILL_GRADIENT);
  EXPECT_EQ(2, ((jvqGradientFill*)m_Plain.GetFill())->m_nKind);
  EXPECT_EQ(0x800000u, ((jvqGradientFill*)m_Plain.GetFill())->m_crColor2);
}

TEST_F(FillPages, TextureOpensOnItsPageAndHandsBackALibraryTexture) {
  jvqTextureFill t;
  t.m_nIndex = 11;
  m_Plain.SetFill(&t);
  ClickButtonAndRun(m_Plain, [&](qvzFillPopupDlg* p) {
    EXPECT_EQ(FILLTAB_TEXTURE, p->GetTabCtrl()->GetCurSel());
    qvzTextureGridWnd* page = PageOf<qvzTextureGridWnd>(p, 2);
    EXPECT_EQ(1, page->GetShownPage());
    EXPECT_EQ(1, page->GetScrollBar().GetScrollPos());
    EXPECT_EQ(3, PressedCell(page));
    // Entries 8 to 11 on the second page, the other cells empty; each with its name.
    const RECT cell = page->GetCellRect(0);
    EXPECT_EQ(TestTextureColor(8), ScreenPixel(page->GetCell(0), 20, 20));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), ScreenPixel(page->GetCell(4), 20, 20));
    EXPECT_FALSE(page->GetCell(4)->HasContent());
    EXPECT_EQ(45, cell.right - cell.left);
    CString tip;
    page->GetToolTip()->GetText(tip, page->GetCell(1));
    EXPECT_EQ(CString("見本9"), tip);

    // Back to the first page: entry 5 has no picture and cannot be picked.
    page->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEUP, 0), (LPARAM)page->GetScrollBar().m_hWnd);
    EXPECT_EQ(0, page->GetShownPage());
    page->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEUP, 0), (LPARAM)page->GetScrollBar().m_hWnd);
    EXPECT_EQ(0, page->GetShownPage());
    EXPECT_FALSE(page->GetCell(5)->HasContent());
    ClickCell(page, 5);
    EXPECT_FALSE(p->HasPick());
    ClickCell(page, 2);
    EXPECT_TRUE(p->HasPick());
    EXPECT_EQ(2, PressedCell(page));
    p->SendMessage(WM_COMMAND, IDOK);
  });
  jvqTextureFill* got = (jvqTextureFill*)m_Plain.GetFill();
  ASSERT_NE(nullptr, got);
  ASSERT_TRUE(got->GetFlags() & FILL_TEXTURE);
  EXPECT_EQ(2, got->m_nIndex);
  EXPECT_TRUE(got->m_strPath.IsEmpty());
  EXPECT_EQ(nullptr, got->m_pImage);
}

TEST_F(FillPages, IndexBeyondTheLibraryPressesNothing) {
  jvqTextureFill t;
  t.m_nIndex = 20;  // page 2 of a library of two pages
  m_Plain.SetFill(&t);
  ClickButtonAndRun(m_Plain, [&](qvzFillPopupDlg* p) {
    qvzTextureGridWnd* page = PageOf<qvzTextureGridWnd>(p, 2);
    EXPECT_EQ(-1, PressedCell(page));
    for (int i = 0; i < kSamplesPerPage; i++) EXPECT_FALSE(page->GetCell(i)->HasContent());
    ClickCell(page, 4);
    EXPECT_FALSE(p->HasPick());
    p->SendMessage(WM_COMMAND, IDCANCEL);
  });
}

TEST_F(FillPages, SeventeenEntriesMakeThreePages) {
  m_pTextures.reset(NewTestLibrary(17, false));
  jvqTextureFill::SetLibrary(m_pTextures.get());
  ClickButtonAndRun(m_Plain, [&](qvzFillPopupDlg* p) {
    p->GetTabCtrl()->SetCurSel(FILLTAB_TEXTURE);
    NMHDR nm = {p->GetTabCtrl()->m_hWnd, IDC_FILL_TAB, (UINT)TCN_SELCHANGE};
    p->SendMessage(WM_NOTIFY, IDC_FILL_TAB, (LPARAM)&nm);
    qvzTextureGridWnd* page = PageOf<qvzTextureGridWnd>(p, 2);
    ASSERT_NE(nullptr, page);
    EXPECT_TRUE(page->IsWindowVisible());
    EXPECT_EQ(3, page->GetPageCount());
    int lo = 0, hi = 0;
    page->GetScrollBar().GetScrollRange(&lo, &hi);
    EXPECT_EQ(2, hi);
    const HWND hBar = page->GetScrollBar().m_hWnd;
    page->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 2), (LPARAM)hBar);
    EXPECT_EQ(2, page->GetShownPage());
    EXPECT_TRUE(page->GetCell(0)->HasContent());
    EXPECT_FALSE(page->GetCell(1)->HasContent());
    page->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), (LPARAM)hBar);
    EXPECT_EQ(2, page->GetShownPage());
    // An empty cell on the last page changes nothing.
    ClickCell(page, 1);
    EXPECT_FALSE(p->HasPick());
    ClickCell(page, 0);
    EXPECT_TRUE(p->HasPick());
    p->SendMessage(WM_COMMAND, IDOK);
  });
  ASSERT_NE(nullptr, m_Plain.GetFill());
  EXPECT_EQ(16, ((jvqTextureFill*)m_Plain.GetFill())->m_nIndex);
}

TEST_F(FillPages, PatternColoursReRenderTheSamplesAndReachTheOwner) {
  jvqPatternFill f;
  f.SetPattern(m_pPatterns.get(), 1, 0x00FFFF, 0xFF0000);  // blue on yellow
  m_Plain.SetFill(&f);
  ClickButtonAndRun(m_Plain, [&](qvzFillPopupDlg* p) {
    EXPECT_EQ(FILLTAB_PATTERN, p->GetTabCtrl()->GetCurSel());
    qvzPatternGridWnd* page = PageOf<qvzPatternGridWnd>(p, 3);
    EXPECT_EQ(1, PressedCell(page));
    EXPECT_EQ(0xFF0000u, page->GetPicker(FALSE).GetColor());
    EXPECT_EQ(0x00FFFFu, page->GetPicker(TRUE).GetColor());
    // Samples in the two colours; entry 6 without a picture stays empty.
    auto hasColour = [](CWnd* w, COLORREF cr) {
      for (int y = 4; y < 40; y++)
        for (int x = 4; x < 40; x++)
          if (ScreenPixel(w, x, y) == cr) return true;
      return false;
    };
    EXPECT_TRUE(hasColour(page->GetCell(0), 0x00FFFF));
    EXPECT_TRUE(hasColour(page->GetCell(0), 0xFF0000));
    EXPECT_FALSE(page->GetCell(6)->HasContent());
    ClickCell(page, 6);
    EXPECT_FALSE(p->HasPick());
    // A new background: all samples again, and the chosen pattern handed over in it.
    page->GetPicker(TRUE).SetColor(0x00FF00);
    page->SendMessage(QVZM_COLORCHANGED, 1077, 0);
    for (int i = 0; i < kSamplesPerPage; i++) {
      if (i == 6) continue;
      EXPECT_TRUE(hasColour(page->GetCell(i), 0x00FF00)) << i;
      EXPECT_FALSE(hasColour(page->GetCell(i), 0x00FFFF)) << i;
    }
    EXPECT_TRUE(p->HasPick());
    jvqPatternFill* now = (jvqPatternFill*)p->GetFill();
    ASSERT_NE(nullptr, now);
    EXPECT_EQ(0x00FF00u, now->m_crBack);
    EXPECT_EQ(1, now->m_nIndex);
    p->SendMessage(WM_COMMAND, IDOK);
  });
  jvqPatternFill* got = (jvqPatternFill*)m_Plain.GetFill();
  ASSERT_TRUE(got && (got->GetFlags() & FILL_PATTERN));
  EXPECT_EQ(0x00FF00u, got->m_crBack);
  EXPECT_EQ(0xFF0000u, got->m_crFore);
}

TEST_F(FillPages, ColourPickedThenAnotherTabOkGivesTheColour) {
  ClickButtonAndRun(m_Plain, [&](qvzFillPopupDlg* p) {
    qvzColorPaletteWnd* pal = PageOf<qvzColorPaletteWnd>(p, 0);
    ClickAt(pal, pal->GetCellRect(1, 5));
    p->GetTabCtrl()->SetCurSel(FILLTAB_GRADIENT);
    NMHDR nm = {p->GetTabCtrl()->m_hWnd, IDC_FILL_TAB, (UINT)TCN_SELCHANGE};
    p->SendMessage(WM_NOTIFY, IDC_FILL_TAB, (LPARAM)&nm);
    EXPECT_TRUE(PageOf<CWnd>(p, 1)->IsWindowVisible());
    EXPECT_FALSE(pal->IsWindowVisible());
    p->SendMessage(WM_COMMAND, IDOK);
  });
  EXPECT_EQ(std::vector<UINT>{732}, m_Host.m_Changed);
  ASSERT_NE(nullptr, m_Plain.GetFill());
  EXPECT_EQ(theColorCells[13].crColor, ((jvqSolidFill*)m_Plain.GetFill())->GetColor());
}

TEST_F(FillPages, EachPickComesBackRecordForRecord) {
  // What each page hands over is what the button keeps, byte for byte.
  struct Case {
    const char* what;
    std::function<void(qvzFillPopupDlg*)> pick;
  } cases[] = {
      {"colour", [](qvzFillPopupDlg* p) { ClickAt(PageOf<qvzColorPaletteWnd>(p, 0), PageOf<qvzColorPaletteWnd>(p, 0)->GetCellRect(3, 2)); }},
      {"gradient",
       [](qvzFillPopupDlg* p) {
         jvqGradientFill g;
         g.SetKind(4);
         g.SetColor1(0x112233);
         p->GetTabCtrl()->SetFillAndNotify(&g);
       }},
      {"texture", [](qvzFillPopupDlg* p) {
         jvqTextureFill t;
         t.m_nIndex = 9;
         p->GetTabCtrl()->SetFill(&t);
         ClickCell(PageOf<qvzTextureGridWnd>(p, 2), 0);
       }},
      {"pattern", [](qvzFillPopupDlg* p) {
         jvqPatternFill f;
         f.SetPattern(jvqPatternFill::GetLibrary(), 0, 0x0000FF, 0x00FF00);
         p->GetTabCtrl()->SetFill(&f);
         ClickCell(PageOf<qvzPatternGridWnd>(p, 3), 3);
       }},
  };
  for (const Case& c : cases) {
    std::vector<BYTE> picked;
    ClickButtonAndRun(m_Plain, [&](qvzFillPopupDlg* p) {
      c.pick(p);
      ASSERT_NE(nullptr, p->GetFill()) << c.what;
      picked = FillRecord(p->GetFill());
      p->SendMessage(WM_COMMAND, IDOK);
    });
    ASSERT_NE(nullptr, m_Plain.GetFill()) << c.what;
    EXPECT_EQ(picked, FillRecord(m_Plain.GetFill())) << c.what;
  }
  ASSERT_TRUE(m_Plain.GetFill()->GetFlags() & FILL_PATTERN);
  EXPECT_EQ(3, ((jvqPatternFill*)m_Plain.GetFill())->m_nIndex);
  EXPECT_EQ(4u, m_Host.m_Changed.size());
}

// The answer the picture-open seam gives in the next test.
CString s_strAnswer;
BOOL s_bAnswer = FALSE;
BOOL AnswerPictureFile(CWnd*, LPCTSTR lpszFilter, CString* pPath) {
  EXPECT_STREQ(g_szPictureFileFilter, lpszFilter);
  *pPath = s_strAnswer;
  return s_bAnswer;
}

TEST_F(FillPages, PictureFilePageTakesReadablePicturesOnly) {
  // Two files of our own: a small BMP, and one cut short.
  char dir[MAX_PATH];
  ::GetTempPathA(MAX_PATH, dir);
  const CString good = CString(dir) + "fills_good.bmp", bad = CString(dir) + "fills_bad.bmp";
  {
    std::unique_ptr<jvqImageFileList> one(NewTestLibrary(1, false));
    ASSERT_TRUE(one->GetAt(0)->m_pImage->Write(good));
    CFile f;
    ASSERT_TRUE(f.Open(bad, CFile::modeCreate | CFile::modeWrite));
    f.Write("BM\x10\0\0\0\0\0", 8);
    f.Close();
  }
  g_pfnAskPictureFile = AnswerPictureFile;
  m_Image.SetFill(NULL);
  ClickButtonAndRun(m_Image, [&](qvzFillPopupDlg* p) {
    EXPECT_EQ(5, p->GetTabCtrl()->GetItemCount());
    p->GetTabCtrl()->SetCurSel(FILLTAB_FILE);
    NMHDR nm = {p->GetTabCtrl()->m_hWnd, IDC_FILL_TAB, (UINT)TCN_SELCHANGE};
    p->SendMessage(WM_NOTIFY, IDC_FILL_TAB, (LPARAM)&nm);
    qvzImageFileWnd* page = PageOf<qvzImageFileWnd>(p, 4);
    ASSERT_NE(nullptr, page);
    CString text;
    page->GetPathEdit().GetWindowText(text);
    EXPECT_EQ(CString("ファイルは指定されていません"), text);
    // Cancelled: nothing changes.
    s_bAnswer = FALSE;
    page->SendMessage(WM_COMMAND, MAKEWPARAM(111, BN_CLICKED), (LPARAM)page->GetBrowseButton().m_hWnd);
    EXPECT_FALSE(p->HasPick());
    // A readable picture.
    s_bAnswer = TRUE;
    s_strAnswer = good;
    page->SendMessage(WM_COMMAND, MAKEWPARAM(111, BN_CLICKED), (LPARAM)page->GetBrowseButton().m_hWnd);
    EXPECT_TRUE(p->HasPick());
    page->GetPathEdit().GetWindowText(text);
    EXPECT_EQ(good, text);
    // A damaged one: the message, and the page keeps the picture it had.
    s_strAnswer = bad;
    const std::vector<BYTE> kept = FillRecord(p->GetFill());
    page->SendMessage(WM_COMMAND, MAKEWPARAM(111, BN_CLICKED), (LPARAM)page->GetBrowseButton().m_hWnd);
    EXPECT_EQ(std::vector<CString>{CString("画像データの読み込みに失敗しました。")}, g_Messages);
    EXPECT_EQ(kept, FillRecord(p->GetFill()));
    page->GetPathEdit().GetWindowText(text);
    EXPECT_EQ(good, text);
    p->SendMessage(WM_COMMAND, IDOK);
  });
  jvqTextureFill* got = (jvqTextureFill*)m_Image.GetFill();
  ASSERT_TRUE(got && (got->GetFlags() & FILL_TEXTURE));
  EXPECT_EQ(good, got->m_strPath);
  EXPECT_NE(nullptr, got->m_pImage);

  // Opened again on that file: the file tab with the path; a library texture opens on "ﾃｸｽﾁｬ".
  ClickButtonAndRun(m_Image, [&](qvzFillPopupDlg* p) {
    EXPECT_EQ(FILLTAB_FILE, p->GetTabCtrl()->GetCurSel());
    CString text;
    PageOf<qvzImageFileWnd>(p, 4)->GetPathEdit().GetWindowText(text);
    EXPECT_EQ(good, text);
    p->SendMessage(WM_COMMAND, IDCANCEL);
  });
  jvqTextureFill lib;
  lib.m_nIndex = 3;
  m_Image.SetFill(&lib);
  ClickButtonAndRun(m_Image, [&](qvzFillPopupDlg* p) {
    EXPECT_EQ(FILLTAB_TEXTURE, p->GetTabCtrl()->GetCurSel());
    p->SendMessage(WM_COMMAND, IDCANCEL);
  });
  ::DeleteFileA(good);
  ::DeleteFileA(bad);
}

}  // namespace
