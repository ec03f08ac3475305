// The fill pop-ups' journey: a host window with the two fill buttons, the shipped texture and
// pattern libraries of the program folder, and a user who clicks through every tab with the
// real mouse. Each step is checked; pictures of the screen are kept beside the journey's own
// (argument 1), one per tab and one of the filled buttons.
#include "afxwin.h"

#include <cstdio>
#include <functional>
#include <string>

#include "BaseImage.h"
#include "DibImage.h"
#include "FillsTest.h"
#include "afxtest/ScreenCapture.h"
#include "jvqColorPopup.h"
#include "jvqDrawingResources.h"
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
#include "qvzTextureGridWnd.h"

class CFillsJourneyApp : public CWinApp {
 public:
  CFillsJourneyApp() : CWinApp("FillsJourney") {}
};
static CFillsJourneyApp theApp;

namespace {

int failures = 0;
std::string outDir;
CFillHostDlg host;
qvzFillButton plainButton;
qvzImageFillButton imageButton;
DWORD mainThread = 0;

void Check(bool ok, const char* what) {
  printf("%s %s\n", ok ? "ok  " : "FAIL", what);
  fflush(stdout);
  failures += ok ? 0 : 1;
}

bool WaitFor(std::function<bool()> pred, int ms = 4000) {
  for (int t = 0; t < ms && !pred(); t += 20) ::Sleep(20);
  return pred();
}

void Shot(const char* name) {
  ::Sleep(400);  // let the windows paint
  const std::string path = outDir + name + ".bmp";
  Check(SaveScreenBmp(path.c_str()), (std::string("picture ") + name).c_str());
}

void Click(POINT screen) {
  ::SetCursorPos(screen.x, screen.y);
  INPUT in[3] = {};
  in[0].type = INPUT_MOUSE;
  in[0].mi.dx = screen.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
  in[0].mi.dy = screen.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
  in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  in[1].type = INPUT_MOUSE;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[2].type = INPUT_MOUSE;
  in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ::SendInput(3, in, sizeof(INPUT));
  ::Sleep(250);
}

// Clicks until what the click should bring about has happened: on a loaded machine the first
// click may arrive before the window under it is ready for it.
bool ClickUntil(std::function<POINT()> where, std::function<bool()> done) {
  for (int i = 0; i < 3; i++) {
    Click(where());
    if (WaitFor(done, 2500)) return true;
  }
  return false;
}

// The middle of a rectangle of a window's client area, on the screen.
POINT Middle(HWND hWnd, RECT rc) {
  POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  ::ClientToScreen(hWnd, &pt);
  return pt;
}

POINT MiddleOf(HWND hWnd) {
  RECT rc;
  ::GetClientRect(hWnd, &rc);
  return Middle(hWnd, rc);
}

qvzFillPopupDlg* OpenPopup(qvzFillButton& b) {
  ClickUntil([&] { return MiddleOf(b.m_hWnd); }, [&] { return b.GetPopup() && ::IsWindowVisible(b.GetPopup()->m_hWnd); });
  ::Sleep(300);
  return b.GetPopup();
}

void ClickTab(qvzFillPopupDlg* p, int nTab) {
  ClickUntil(
      [&] {
        RECT rc;
        p->GetTabCtrl()->GetItemRect(nTab, &rc);
        return Middle(p->GetTabCtrl()->m_hWnd, rc);
      },
      [&] { return p->GetTabCtrl()->GetPage(nTab) && ::IsWindowVisible(p->GetTabCtrl()->GetPage(nTab)->m_hWnd); });
  ::Sleep(300);
}

void ClickDlgButton(HWND hDlg, int nID) { Click(MiddleOf(::GetDlgItem(hDlg, nID))); }

struct FindDialog {
  HWND except, found;
};

BOOL CALLBACK FindDialogProc(HWND h, LPARAM l) {
  FindDialog* f = (FindDialog*)l;
  char cls[32] = "";
  ::GetClassNameA(h, cls, sizeof cls);
  if (h != f->except && ::IsWindowVisible(h) && strcmp(cls, "#32770") == 0) {
    f->found = h;
    return FALSE;
  }
  return TRUE;
}

// A visible dialog of the main thread other than the pop-up.
HWND FindThreadDialog(HWND hExcept) {
  FindDialog f = {hExcept, NULL};
  ::EnumThreadWindows(mainThread, FindDialogProc, (LPARAM)&f);
  return f.found;
}

// Picks a file in the open dialog as a user who types its name and presses 開く.
void ChooseInFileDialog(HWND hExcept, const std::string& path) {
  HWND hDlg = NULL;
  Check(WaitFor([&] { return (hDlg = FindThreadDialog(hExcept)) != NULL; }), "the open dialog appears");
  if (!hDlg) return;
  ::Sleep(500);
  // The file-name box has the focus: type the path and press Enter.
  for (char c : path) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wScan = in[1].ki.wScan = (WORD)(BYTE)c;
    in[0].ki.dwFlags = KEYEVENTF_UNICODE;
    in[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
    ::SendInput(2, in, sizeof(INPUT));
  }
  ::Sleep(300);
  Shot("fills_open_dialog");
  INPUT enter[2] = {};
  enter[0].type = enter[1].type = INPUT_KEYBOARD;
  enter[0].ki.wVk = enter[1].ki.wVk = VK_RETURN;
  enter[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(2, enter, sizeof(INPUT));
  WaitFor([&] { return !::IsWindow(hDlg) || !::IsWindowVisible(hDlg); });
}

// A picture of the journey's own for the page background, and a copy of it cut short.
bool WritePictures(const std::string& good, const std::string& bad) {
  HDC hScreen = ::GetDC(NULL);
  HDC hMem = ::CreateCompatibleDC(hScreen);
  HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 32, 32);
  HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
  for (int y = 0; y < 32; y++)
    for (int x = 0; x < 32; x++) ::SetPixel(hMem, x, y, ((x + y) / 8) % 2 ? RGB(250, 160, 40) : RGB(40, 80, 160));
  ::SelectObject(hMem, hOld);
  ::DeleteDC(hMem);
  ::ReleaseDC(NULL, hScreen);
  CDibImage image;
  const bool made = image.CreateFromBitmap(hBitmap) && image.Write(good.c_str());
  ::DeleteObject(hBitmap);
  if (!made) return false;
  CFile in, out;
  if (!in.Open(good.c_str(), CFile::modeRead) || !out.Open(bad.c_str(), CFile::modeCreate | CFile::modeWrite)) return false;
  BYTE head[60];
  const UINT n = in.Read(head, sizeof head);
  out.Write(head, n);
  return true;
}

void Drive() {
  Shot("fills_host");

  // Colour: the red cell (row 2, column 0).
  qvzFillPopupDlg* p = OpenPopup(plainButton);
  Check(p != NULL, "a click opens the pop-up");
  if (!p) return;
  Check(p->GetTabCtrl()->GetItemCount() == 4, "four tabs");
  qvzColorPaletteWnd* pal = (qvzColorPaletteWnd*)p->GetTabCtrl()->GetPage(0);
  Check(ClickUntil([&] { return Middle(pal->m_hWnd, pal->GetCellRect(2, 0)); }, [&] { return pal->GetColorFill() && pal->GetColorFill()->GetColor() == 0x0000FF && p->HasPick(); }),
        "the red cell is the pick");
  Shot("fills_tab_color");

  // Gradient: kind "中心" from the drop-down list.
  ClickTab(p, 1);
  qvzGradientEditWnd* grad = (qvzGradientEditWnd*)p->GetTabCtrl()->GetPage(1);
  Check(grad != NULL && grad->IsWindowVisible(), "tab 2 shows the gradient page");
  if (!grad) return;
  COMBOBOXINFO cbi = {sizeof cbi};
  ::GetComboBoxInfo(grad->GetKindCombo().m_hWnd, &cbi);
  ClickUntil([&] { return MiddleOf(grad->GetKindCombo().m_hWnd); }, [&] { return ::IsWindowVisible(cbi.hwndList) != FALSE; });
  ::Sleep(300);
  RECT item;
  ::SendMessage(cbi.hwndList, LB_GETITEMRECT, 6, (LPARAM)&item);
  Click(Middle(cbi.hwndList, item));
  Check(WaitFor([&] { return grad->GetGradient().m_nKind == 6; }), "kind 6 (centre) chosen");
  Check(p->GetFill() && (p->GetFill()->GetFlags() & FILL_GRADIENT), "the gradient is the pick");
  Shot("fills_tab_gradient");

  // Texture: "木目" of the shipped library, its name in the tool tip.
  ClickTab(p, 2);
  qvzTextureGridWnd* tex = (qvzTextureGridWnd*)p->GetTabCtrl()->GetPage(2);
  Check(tex != NULL && tex->GetPageCount() >= 2, "the texture library fills more than one page");
  if (!tex) return;
  Check(ClickUntil([&] { return MiddleOf(tex->GetCell(0)->m_hWnd); }, [&] {
          return p->GetFill() && (p->GetFill()->GetFlags() & FILL_TEXTURE) && ((jvqTextureFill*)p->GetFill())->m_nIndex == 0;
        }),
        "the wood grain is the pick");
  Check(jvqTextureFill::GetLibrary()->GetAt(0)->m_strName == "木目", "entry 0 is the wood grain");
  ::Sleep(1200);  // the tool tip shows
  Shot("fills_tab_texture");

  // Pattern: blue on yellow.
  ClickTab(p, 3);
  qvzPatternGridWnd* pat = (qvzPatternGridWnd*)p->GetTabCtrl()->GetPage(3);
  if (!pat) return;
  ClickUntil([&] { return MiddleOf(pat->GetCell(3)->m_hWnd); },
             [&] { return p->GetFill() && (p->GetFill()->GetFlags() & FILL_PATTERN); });
  for (int back = 0, tries = 0; back < 2 && tries < 6; back++, tries++) {
    jvqColorPicker& picker = pat->GetPicker(back);
    ClickUntil([&] { return MiddleOf(picker.m_hWnd); },
               [&] { return picker.GetPopup() && ::IsWindowVisible(picker.GetPopup()->m_hWnd); });
    ::Sleep(300);
    jvqColorPopup* cp = picker.GetPopup();
    if (!cp) break;
    const COLORREF want = back ? 0x00FFFF : 0xFF0000;  // yellow, blue
    Click(Middle(cp->m_hWnd, cp->GetCellRect(back ? 26 : 13)));
    WaitFor([&] { return picker.GetPopup() == NULL && picker.GetColor() == want; });
    if (picker.GetColor() != want) back--;  // the click was lost: once more
  }
  jvqPatternFill* pf = (jvqPatternFill*)p->GetFill();
  Check(pf && (pf->GetFlags() & FILL_PATTERN) && pf->m_nIndex == 3 && pf->m_crFore == 0xFF0000 && pf->m_crBack == 0x00FFFF,
        "pattern 3 in blue on yellow is the pick");
  Shot("fills_tab_pattern");
  Check(ClickUntil([&] { return MiddleOf(::GetDlgItem(p->m_hWnd, IDOK)); }, [&] { return plainButton.GetPopup() == NULL; }),
        "OK closes the pop-up");
  Check(host.m_Changed.size() == 1 && host.m_Changed[0] == 732, "the parent is told once");
  jvqPatternFill* kept = (jvqPatternFill*)plainButton.GetFill();
  Check(kept && (kept->GetFlags() & FILL_PATTERN) && kept->m_crBack == 0x00FFFF, "the button keeps the pattern");

  // The page-background button: a picture file, then a damaged one.
  const std::string good = outDir + "fills_tile.bmp", bad = outDir + "fills_damaged.bmp";
  Check(WritePictures(good, bad), "pictures written");
  p = OpenPopup(imageButton);
  Check(p != NULL, "the background button opens its pop-up");
  if (!p) return;
  Check(p->GetTabCtrl()->GetItemCount() == 5, "five tabs");
  {
    RECT item, client;
    p->GetTabCtrl()->GetItemRect(4, &item);
    p->GetTabCtrl()->GetClientRect(&client);
    printf("tab 4 at %ld..%ld of %ld\n", item.left, item.right, client.right);
    // Wider than the row: the tab control's arrows bring the last tab into view.
    HWND hArrows = ::FindWindowExA(p->GetTabCtrl()->m_hWnd, NULL, "msctls_updown32", NULL);
    if (hArrows && ::IsWindowVisible(hArrows)) {
      RECT rc;
      ::GetClientRect(hArrows, &rc);
      rc.left = (rc.left + rc.right) / 2;
      Click(Middle(hArrows, rc));
      Shot("fills_tabs_scrolled");
    }
  }
  ClickTab(p, 4);
  qvzImageFileWnd* file = (qvzImageFileWnd*)p->GetTabCtrl()->GetPage(4);
  Check(file != NULL && file->IsWindowVisible(), "tab ﾌｧｲﾙ shows its page");
  if (!file) return;
  Shot("fills_tab_file_empty");
  Click(MiddleOf(file->GetBrowseButton().m_hWnd));
  ChooseInFileDialog(p->m_hWnd, good);
  CString text;
  WaitFor([&] { return file->GetPathEdit().GetWindowTextLength() > 0 && p->HasPick(); });
  file->GetPathEdit().GetWindowText(text);
  Check(text.CompareNoCase(good.c_str()) == 0, "the edit shows the file");
  Shot("fills_tab_file");
  Click(MiddleOf(file->GetBrowseButton().m_hWnd));
  ChooseInFileDialog(p->m_hWnd, bad);
  HWND hBox = NULL;
  char msg[200] = "";
  Check(WaitFor([&] {
          hBox = FindThreadDialog(p->m_hWnd);
          return hBox && ::GetDlgItemTextA(hBox, 0xFFFF, msg, sizeof msg) > 0;
        }),
        "a message for the damaged file");
  Check(strcmp(msg, "画像データの読み込みに失敗しました。") == 0, "the message says the picture data did not read");
  Shot("fills_damaged_message");
  // The message's OK by the mouse, or by Enter when the click found it not yet in front.
  bool closed = false;
  for (int i = 0; i < 3 && !closed; i++) {
    Click(MiddleOf(::GetDlgItem(hBox, IDOK)));
    if ((closed = WaitFor([&] { return !::IsWindow(hBox); }, 1500))) break;
    ::SetForegroundWindow(hBox);
    INPUT enter[2] = {};
    enter[0].type = enter[1].type = INPUT_KEYBOARD;
    enter[0].ki.wVk = enter[1].ki.wVk = VK_RETURN;
    enter[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, enter, sizeof(INPUT));
    closed = WaitFor([&] { return !::IsWindow(hBox); }, 1500);
  }
  if (!closed) {
    // Neither reached it (Wine's desktop left it behind the pop-up): the button's command.
    printf("note the message box took neither the click nor Enter\n");
    ::PostMessage(hBox, WM_COMMAND, IDOK, 0);
    closed = WaitFor([&] { return !::IsWindow(hBox); });
  }
  Check(closed, "the message closes");
  Check(p->GetTabCtrl()->GetFill() && ((jvqTextureFill*)p->GetTabCtrl()->GetFill())->m_pImage != NULL,
        "the pick is still the readable picture");
  file->GetPathEdit().GetWindowText(text);
  Check(text.CompareNoCase(good.c_str()) == 0, "the page keeps the readable file");
  // The pop-up takes the input again once the message has gone.
  WaitFor([&] { return ::IsWindowEnabled(p->m_hWnd) && ::GetForegroundWindow() == p->m_hWnd; });
  ::Sleep(300);
  Check(ClickUntil([&] { return MiddleOf(::GetDlgItem(p->m_hWnd, IDOK)); }, [&] { return imageButton.GetPopup() == NULL; }),
        "OK closes the background pop-up");
  jvqTextureFill* tf = (jvqTextureFill*)imageButton.GetFill();
  Check(tf && (tf->GetFlags() & FILL_TEXTURE) && tf->m_pImage != NULL, "the background button tiles the picture");
  Shot("fills_filled");
}

DWORD WINAPI DriveThread(LPVOID) {
  ::Sleep(800);
  Drive();
  printf("%d failed\n", failures);
  fflush(stdout);
  ::PostThreadMessage(mainThread, WM_QUIT, 0, 0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
  AfxGetApp()->InitApplication();
  theDrawingResources.Init();
  std::string shot = argc > 1 ? argv[1] : "fills_journey.bmp";
  const size_t slash = shot.find_last_of("\\/");
  outDir = slash == std::string::npos ? "" : shot.substr(0, slash + 1);

  // The libraries of the program folder, as the program loads them at start-up.
  char self[MAX_PATH];
  ::GetModuleFileNameA(NULL, self, MAX_PATH);
  std::string folder(self);
  folder = folder.substr(0, folder.find_last_of('\\') + 1);
  jvqImageFileList textures, patterns;
  LoadImageLibraryIndex((folder + "テクスチャ").c_str(), &textures, "TINDEX.DAT");
  textures.SortByPath();
  LoadImageLibraryIndex((folder + "パターン").c_str(), &patterns, "PINDEX.DAT");
  patterns.SortByPath();
  jvqTextureFill::SetLibrary(&textures);
  jvqPatternFill::SetLibrary(&patterns);
  printf("libraries: %d textures, %d patterns\n", textures.GetCount(), patterns.GetCount());

  if (!host.CreateHost() || !plainButton.SubclassDlgItem(732, &host) || !imageButton.SubclassDlgItem(733, &host)) {
    printf("1 failed\n");
    return 1;
  }
  host.SetWindowText("塗りつぶし");
  host.SetWindowPos(NULL, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  mainThread = ::GetCurrentThreadId();
  ::CreateThread(NULL, 0, DriveThread, NULL, 0, NULL);
  MSG msg;
  while (::GetMessage(&msg, NULL, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessage(&msg);
  }
  SaveScreenBmp(shot.c_str());
  jvqTextureFill::SetLibrary(NULL);
  jvqPatternFill::SetLibrary(NULL);
  host.DestroyWindow();
  return failures ? 1 : 0;
}
