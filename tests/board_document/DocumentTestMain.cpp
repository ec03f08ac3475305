// Entry of the document tests: an application whose message boxes are recorded. Run with
// QVZ_KILL_SAVE=<path> it saves a board there and dies before the new file replaces the
// old one, as a killed process would.
#include <gtest/gtest.h>

#include <cstring>

#include "DocumentTestApp.h"
#include "jvqObjectDefaults.h"
#include "qvzDocument.h"

static void DieBeforeReplace(LPCTSTR, LPCTSTR) { ::TerminateProcess(::GetCurrentProcess(), 3); }

static CDocumentTestApp theApp;

// As another program would: a 24 x 16 bitmap ("dib"), a metafile ("emf") or plain text
// ("text") on the clipboard, left there when this process ends.
static int PutPictureOnClipboard(const char* kind) {
  if (!::OpenClipboard(NULL)) return 2;
  ::EmptyClipboard();
  if (strcmp(kind, "text") == 0) {
    // Japanese plain text with a tab and a line break, as an editor copies it.
    const char text[] = "見出し\t本文\r\n二行目";
    HGLOBAL g = ::GlobalAlloc(GMEM_MOVEABLE, sizeof text);
    memcpy(::GlobalLock(g), text, sizeof text);
    ::GlobalUnlock(g);
    ::SetClipboardData(CF_TEXT, g);
  } else if (strcmp(kind, "emf") == 0) {
    HDC h = ::CreateEnhMetaFile(NULL, NULL, NULL, NULL);
    ::Ellipse(h, 0, 0, 240, 160);
    ::SetClipboardData(CF_ENHMETAFILE, ::CloseEnhMetaFile(h));
  } else {
    const int w = 24, hgt = 16;
    HGLOBAL g = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(BITMAPINFOHEADER) + w * 3 * hgt);
    BITMAPINFOHEADER* bi = (BITMAPINFOHEADER*)::GlobalLock(g);
    memset(bi, 0x80, sizeof(BITMAPINFOHEADER) + w * 3 * hgt);
    memset(bi, 0, sizeof(BITMAPINFOHEADER));
    bi->biSize = sizeof(BITMAPINFOHEADER);
    bi->biWidth = w;
    bi->biHeight = hgt;
    bi->biPlanes = 1;
    bi->biBitCount = 24;
    ::GlobalUnlock(g);
    ::SetClipboardData(CF_DIB, g);
  }
  ::CloseClipboard();
  return 0;
}

int main(int argc, char** argv) {
  AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_HIDE);
  theApp.InitApplication();
  jvqObjectDefaults::GetObjectDefaults()->CreatePrototypes();
  jvqRegisterClipboardFormat();
  char szPath[MAX_PATH];
  if (::GetEnvironmentVariable("QVZ_PUT_PICTURE", szPath, MAX_PATH)) return PutPictureOnClipboard(szPath);
  if (::GetEnvironmentVariable("QVZ_KILL_SAVE", szPath, MAX_PATH)) {
    qvzDocument doc;
    doc.OnNewDocument();
    doc.InsertPage(0);
    jvqDocument::s_pfnBeforeReplace = DieBeforeReplace;
    doc.OnSaveDocument(szPath);
    return 1;  // not reached when the hook ran
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
