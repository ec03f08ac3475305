// The sample templates of the template sheet's first page: one drawing frame with a title
// block for each standard sheet, kept by orientation; the sheet scales the chosen one to the
// paper the user picks.
#include <stdio.h>

#include "BoardWriting.h"
#include "StandardSheets.h"
#include "jvqBoard.h"
#include "jvqFileHeader.h"
#include "jvqPage.h"
#include "qvzDocument.h"

namespace {

BOOL WriteTemplate(const CString& strPath, const StandardSheet& sheet) {
  qvzDocument doc;
  if (!doc.OnNewDocument()) return FALSE;
  doc.m_bTemplate = 1;
  jvqPage* page = doc.GetBoard()->GetCurrentPage();
  const RECT rcPage = {0, 0, sheet.cx, sheet.cy};
  page->SetPageRect(&rcPage);
  // A frame 10 mm inside the paper, and the title block in its lower right corner.
  const RECT frame = {100, 100, sheet.cx - 100, sheet.cy - 100};
  AddFrame(page, frame, RGB(0, 0, 0));
  const int w = (frame.right - frame.left) / 3, h = (frame.bottom - frame.top) / 8;
  const RECT block = {frame.right - w, frame.bottom - h, frame.right, frame.bottom};
  AddFrame(page, block, RGB(0, 0, 0));
  const int mid = (block.top + block.bottom) / 2;
  AddLine(page, {block.left, mid}, {block.right, mid}, RGB(0, 0, 0));
  const int text = (mid - block.top) / 2;
  const RECT title = {block.left + 50, block.top + (mid - block.top - text) / 2, block.right - 50,
                      block.top + (mid - block.top + text) / 2};
  AddText(page, title, "図面名", text);
  const RECT date = {block.left + 50, mid + (block.bottom - mid - text) / 2, block.right - 50,
                     mid + (block.bottom - mid + text) / 2};
  AddText(page, date, "日付　　年　　月　　日", text * 3 / 4);
  CString n;
  n.Format("%d", sheet.cx);
  doc.GetHeader()->SetProperty("用紙幅", n);
  n.Format("%d", sheet.cy);
  doc.GetHeader()->SetProperty("用紙高さ", n);
  doc.GetHeader()->SetProperty("ひながた説明", CString(sheet.pszName) + "の図面枠です。右下に表題欄があります。");
  return doc.OnSaveDocument(strPath);
}

}  // namespace

BOOL MakeSampleTemplates(const CString& strProgramFolder) {
  if (!PrepareBoardWriting()) return FALSE;
  for (int i = 0; i < STANDARD_SHEET_COUNT; i++) {
    const StandardSheet& sheet = STANDARD_SHEETS[i];
    const CString folder = strProgramFolder + "ひな型\\サンプル\\" + (sheet.cx > sheet.cy ? "横" : "縦");
    ::CreateDirectory(strProgramFolder + "ひな型", NULL);
    ::CreateDirectory(strProgramFolder + "ひな型\\サンプル", NULL);
    ::CreateDirectory(folder, NULL);
    const CString path = folder + "\\" + sheet.pszName + ".vqd";
    if (!WriteTemplate(path, sheet)) {
      fprintf(stderr, "qvzwinmaker: %s could not be written\n", (LPCTSTR)path);
      return FALSE;
    }
  }
  return TRUE;
}
