// The boards the start menu's sample button opens: a shop floor and an office, each with the
// project details the open dialog shows.
#include <stdio.h>

#include "BoardWriting.h"
#include "jvqBoard.h"
#include "jvqFileHeader.h"
#include "jvqPage.h"
#include "qvzDocument.h"

namespace {

struct SampleBoard {
  const char* pszFile;
  int cx, cy;
  const char* pszProject;
  const char* pszClient;
  const char* pszNote;
  void (*pfnDraw)(jvqPage* pPage);
};

// Shelves in rows, the counter by the entrance.
void DrawShop(jvqPage* page) {
  AddFrame(page, {300, 300, 3900, 2670}, RGB(0, 0, 0));
  AddText(page, {300, 80, 2400, 260}, "店舗レイアウト", 150);
  for (int row = 0; row < 3; row++)
    for (int col = 0; col < 4; col++) {
      const int x = 600 + col * 700, y = 600 + row * 550;
      AddFilledRect(page, {x, y, x + 500, y + 200}, RGB(192, 160, 112));
    }
  AddFilledRect(page, {3300, 2100, 3800, 2400}, RGB(112, 144, 192));
  AddText(page, {3300, 2420, 3800, 2560}, "レジ", 100);
  AddLine(page, {1800, 2670}, {2600, 2670}, RGB(255, 255, 255));
  AddText(page, {1800, 2700, 2600, 2860}, "入口", 100);
}

// Desks in two islands and a meeting table.
void DrawOffice(jvqPage* page) {
  AddFrame(page, {200, 250, 2770, 1900}, RGB(0, 0, 0));
  AddText(page, {200, 60, 1800, 220}, "事務所レイアウト", 130);
  for (int island = 0; island < 2; island++)
    for (int i = 0; i < 6; i++) {
      const int x = 400 + island * 900 + (i % 2) * 300, y = 450 + (i / 2) * 350;
      AddFilledRect(page, {x, y, x + 280, y + 330}, RGB(208, 208, 208));
    }
  AddFilledRect(page, {2200, 600, 2600, 1400}, RGB(160, 192, 160));
  AddText(page, {2150, 1450, 2700, 1580}, "会議机", 90);
}

const SampleBoard kBoards[] = {
    {"店舗レイアウトの見本.vqd", 4200, 2970, "見本の店舗", "見本商店", "棚とレジの配置の例です。", DrawShop},
    {"事務所レイアウトの見本.vqd", 2970, 2100, "見本の事務所", "見本商事", "机の島と会議机の配置の例です。", DrawOffice},
};

}  // namespace

BOOL MakeSampleBoards(const CString& strProgramFolder) {
  if (!PrepareBoardWriting()) return FALSE;
  const CString folder = strProgramFolder + "サンプル";
  ::CreateDirectory(folder, NULL);
  for (const SampleBoard& b : kBoards) {
    qvzDocument doc;
    if (!doc.OnNewDocument()) return FALSE;
    jvqPage* page = doc.GetBoard()->GetCurrentPage();
    const RECT rc = {0, 0, b.cx, b.cy};
    page->SetPageRect(&rc);
    b.pfnDraw(page);
    doc.GetHeader()->SetProperty("物件名", b.pszProject);
    doc.GetHeader()->SetProperty("施主名", b.pszClient);
    doc.GetHeader()->SetProperty("備考", b.pszNote);
    const CString path = folder + "\\" + b.pszFile;
    if (!doc.OnSaveDocument(path)) {
      fprintf(stderr, "qvzwinmaker: %s could not be written\n", (LPCTSTR)path);
      return FALSE;
    }
  }
  return TRUE;
}
