// QVZ.exe started twice under Wine from a program folder of its own: the second start hands
// its mode or board to the first, or exits silently while the first is still starting; the
// perspective start renders through the real renderer and scene library, and says which
// library is missing.
#include <gtest/gtest.h>

#include "BinDir.h"
#include <windows.h>
#include <tlhelp32.h>

#include <stdio.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "SceneGenerator.h"

namespace {

const UINT kFloorPlan = 32985, kPerspective = 32982, kSelectTool = 32847, kFloorPlanPalette = 92, kOpenSharedPath = WM_USER + 400;
const char kMainClass[] = "QVZ Ver 1.0 MainWindows Class";

struct Block {
  unsigned int hWnd;
  char path[520];
};

// A program folder of QVZ.exe and the libraries beside it (tracel.dll as the test asks).
std::string Folder() {
  static std::string folder;
  if (folder.empty()) {
    char temp[MAX_PATH];
    ::GetTempPath(MAX_PATH, temp);
    folder = std::string(temp) + "qvz_two_instances\\";
    ::CreateDirectory(folder.c_str(), NULL);
    const std::string bin = BinDir();
    ::CopyFile((bin + "QVZ.exe").c_str(), (folder + "QVZ.exe").c_str(), FALSE);
    WIN32_FIND_DATA fd;
    HANDLE h = ::FindFirstFile((bin + "*.dll").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
      do ::CopyFile((bin + fd.cFileName).c_str(), (folder + fd.cFileName).c_str(), FALSE);
      while (::FindNextFile(h, &fd));
      ::FindClose(h);
    }
    ::DeleteFile((folder + "qvz.ini").c_str());
  }
  return folder;
}

struct Process {
  PROCESS_INFORMATION pi = {};
  bool Start(const std::string& args) {
    std::string cmd = "\"" + Folder() + "QVZ.exe\" " + args;
    STARTUPINFO si = {sizeof(si)};
    return ::CreateProcess(NULL, &cmd[0], NULL, NULL, FALSE, 0, NULL, Folder().c_str(), &si, &pi) != FALSE;
  }
  bool Wait(DWORD ms) { return ::WaitForSingleObject(pi.hProcess, ms) == WAIT_OBJECT_0; }
  DWORD ExitCode() {
    DWORD code = 0;
    ::GetExitCodeProcess(pi.hProcess, &code);
    return code;
  }
  ~Process() {
    if (pi.hProcess) {
      if (!Wait(0)) {
        ::TerminateProcess(pi.hProcess, 1);
        Wait(5000);
      }
      ::CloseHandle(pi.hProcess);
      ::CloseHandle(pi.hThread);
    }
  }
};

// QVZ's board class, as other programs name it.
const CLSID kBoardClass = {0xc5a1f0d2, 0x6b3e, 0x4e7a, {0x9f, 0x21, 0x3d, 0x8c, 0x0b, 0x4a, 0x7e, 0x55}};

// A board of a server the platform starts ("/Automation -Embedding"), or NULL when none
// answered within 90 s. The platform finds the class only in the registry
// (RegisterBoardServer).
IDispatch* CreateBoardObject() {
  static const HRESULT init = ::CoInitialize(NULL);
  (void)init;
  IDispatch* p = NULL;
  for (int i = 0; i < 180 && p == NULL; i++) {
    const HRESULT hr = ::CoCreateInstance(kBoardClass, NULL, CLSCTX_LOCAL_SERVER, IID_IDispatch, (void**)&p);
    if (hr != S_OK) {
      p = NULL;
      ::Sleep(500);
    }
  }
  return p;
}

struct FindArg {
  DWORD pid;
  const char* cls;
  HWND found;
};

BOOL CALLBACK FindVisit(HWND h, LPARAM lp) {
  FindArg* a = (FindArg*)lp;
  DWORD pid = 0;
  ::GetWindowThreadProcessId(h, &pid);
  char cls[128] = "";
  ::GetClassName(h, cls, sizeof(cls));
  if (pid == a->pid && ::IsWindowVisible(h) && strcmp(cls, a->cls) == 0) {
    a->found = h;
    return FALSE;
  }
  return TRUE;
}

HWND FindWindowOf(DWORD pid, const char* cls) {
  FindArg a = {pid, cls, NULL};
  ::EnumWindows(FindVisit, (LPARAM)&a);
  return a.found;
}

template <class Pred>
bool WaitFor(Pred pred, int seconds) {
  for (int i = 0; i < seconds * 20; i++) {
    if (pred()) return true;
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) ::DispatchMessage(&msg);
    ::Sleep(50);
  }
  return pred();
}

// The start menu, the 480 x 415 dialog a start without a board shows first.
bool IsStartMenu(HWND d) {
  RECT rc = {0, 0, 0, 0};
  ::GetClientRect(d, &rc);
  return rc.right == 480 && rc.bottom == 415;
}

// A start menu in the way is cancelled, as a user who wants a blank board does.
void CancelStartMenu(DWORD pid) {
  HWND d = FindWindowOf(pid, "#32770");
  if (d && IsStartMenu(d)) ::PostMessage(d, WM_COMMAND, IDCANCEL, 0);
}

// The text of the message box the process shows, "" when none comes.
std::string MessageBoxText(DWORD pid, HWND* pBox, int seconds = 60) {
  HWND box = NULL;
  WaitFor(
      [&] {
        CancelStartMenu(pid);
        box = FindWindowOf(pid, "#32770");
        return box != NULL && !IsStartMenu(box);
      },
      seconds);
  if (box && IsStartMenu(box)) box = NULL;
  *pBox = box;
  if (box == NULL) return "";
  char text[256] = "";
  ::GetDlgItemText(box, 0xFFFF, text, sizeof(text));
  return text;
}

bool HasModule(DWORD pid, const char* name) {
  HANDLE snap = ::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
  if (snap == INVALID_HANDLE_VALUE) return false;
  MODULEENTRY32 me = {sizeof(me)};
  bool found = false;
  for (BOOL ok = ::Module32First(snap, &me); ok && !found; ok = ::Module32Next(snap, &me))
    found = _stricmp(me.szModule, name) == 0;
  ::CloseHandle(snap);
  return found;
}

// What a fake running instance receives.
std::vector<UINT> theReceived;
LRESULT CALLBACK FakeFirstProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_COMMAND) theReceived.push_back(LOWORD(wp));
  if (m == kOpenSharedPath) theReceived.push_back(kOpenSharedPath);
  return ::DefWindowProc(h, m, wp, lp);
}

// The test process as the running instance: the mapping and a main window of its own.
struct FakeFirst : ::testing::Test {
  HANDLE hMap = NULL;
  Block* block = NULL;
  HWND hWnd = NULL;
  void SetUp() override {
    hMap = ::CreateFileMapping(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0, sizeof(Block), "_ZenboraVer1.0_");
    ASSERT_NE(ERROR_ALREADY_EXISTS, ::GetLastError()) << "a QVZ.exe is running";
    block = (Block*)::MapViewOfFile(hMap, FILE_MAP_ALL_ACCESS, 0, 0, 0);
    WNDCLASS wc = {};
    wc.lpfnWndProc = FakeFirstProc;
    wc.hInstance = ::GetModuleHandle(NULL);
    wc.lpszClassName = "QvzFakeFirst";
    ::RegisterClass(&wc);
    hWnd = ::CreateWindow("QvzFakeFirst", "fake", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, NULL, NULL,
                          wc.hInstance, NULL);
    theReceived.clear();
  }
  void TearDown() override {
    ::DestroyWindow(hWnd);
    ::UnmapViewOfFile(block);
    ::CloseHandle(hMap);
  }
  // Runs a second start to its end and collects what the fake instance received.
  std::vector<UINT> SecondStart(const std::string& args) {
    theReceived.clear();
    Process p;
    EXPECT_TRUE(p.Start(args));
    EXPECT_TRUE(WaitFor([&] { return p.Wait(0); }, 60)) << args;
    WaitFor([] { return false; }, 1);  // what it posted arrives
    return theReceived;
  }
};

TEST_F(FakeFirst, SecondStartHandsOverItsModeOrPathOrOnlyExits) {
  // Still starting (handle 0): the second start ends without a word.
  block->hWnd = 0;
  {
    Process p;
    ASSERT_TRUE(p.Start("/M"));
    EXPECT_TRUE(p.Wait(60000));
    EXPECT_EQ(nullptr, FindWindowOf(p.pi.dwProcessId, "#32770"));
  }
  EXPECT_TRUE(theReceived.empty());

  block->hWnd = (unsigned int)(UINT_PTR)hWnd;
  EXPECT_EQ(std::vector<UINT>{kFloorPlan}, SecondStart("/M"));
  EXPECT_EQ(std::vector<UINT>{kPerspective}, SecondStart("-T"));
  EXPECT_EQ(std::vector<UINT>{}, SecondStart(""));
  const std::string path = Folder() + "handed.VQD";
  EXPECT_EQ(std::vector<UINT>{kOpenSharedPath}, SecondStart("\"" + path + "\""));
  EXPECT_STREQ(path.c_str(), block->path);
}

TEST_F(FakeFirst, APathTooLongForTheMappingIsRefusedWithoutWritingOrPosting) {
  block->hWnd = (unsigned int)(UINT_PTR)hWnd;
  // 519 bytes and the NUL fit.
  const std::string fits = "C:\\" + std::string(512, 'a') + ".vqd";
  EXPECT_EQ(std::vector<UINT>{kOpenSharedPath}, SecondStart(fits));
  EXPECT_EQ(fits, block->path);
  strcpy(block->path, "kept");
  theReceived.clear();
  const std::string path = "C:\\" + std::string(513, 'a') + ".vqd";  // 520 bytes
  Process p;
  ASSERT_TRUE(p.Start(path));
  HWND box = NULL;
  EXPECT_EQ("ファイル名が長すぎるため、開くことができません。", MessageBoxText(p.pi.dwProcessId, &box));
  if (box) ::PostMessage(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitFor([&] { return p.Wait(0); }, 30));
  WaitFor([] { return false; }, 1);
  EXPECT_TRUE(theReceived.empty());
  EXPECT_STREQ("kept", block->path);
}

TEST(NotABoard, AStartWithAnotherFileEndsWithTheMessage) {
  for (const char* args : {"a.txt", "abc", "/B C:\\pictures\\pic.bmp"}) {
    Process p;
    ASSERT_TRUE(p.Start(args));
    HWND box = NULL;
    EXPECT_EQ("Zenboraファイルではありません", MessageBoxText(p.pi.dwProcessId, &box)) << args;
    if (box) ::PostMessage(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return p.Wait(0); }, 30));
    EXPECT_EQ(nullptr, FindWindowOf(p.pi.dwProcessId, kMainClass));
  }
}

// A running QVZ.exe: its main window once the mapping carries it.
HWND WaitUntilRunning(Process& p) {
  HWND h = NULL;
  WaitFor(
      [&] {
        CancelStartMenu(p.pi.dwProcessId);
        HANDLE m = ::OpenFileMapping(FILE_MAP_READ, FALSE, "_ZenboraVer1.0_");
        if (m == NULL) return false;
        Block* b = (Block*)::MapViewOfFile(m, FILE_MAP_READ, 0, 0, 0);
        h = b ? (HWND)(UINT_PTR)b->hWnd : NULL;
        if (b) ::UnmapViewOfFile(b);
        ::CloseHandle(m);
        return h != NULL || p.Wait(0);
      },
      90);
  return h;
}

void Close(Process& p, HWND h) {
  ::PostMessage(h, WM_CLOSE, 0, 0);
  p.Wait(30000);
}

// The commands the thread of a window takes from its queue while work runs, until the
// awaited ones have come (or 60 seconds have passed): the commands of interest, in order.
std::vector<UINT> SpyOnCommands(HWND h, const std::function<void()>& work, const std::vector<UINT>& awaited) {
  std::vector<UINT> seen;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = ::DefWindowProcA;
  wc.hInstance = ::GetModuleHandle(NULL);
  wc.lpszClassName = "qvzCommandSpy";
  ::RegisterClassA(&wc);
  HWND sink = ::CreateWindowA("qvzCommandSpy", "", WS_POPUP, 0, 0, 1, 1, NULL, NULL, wc.hInstance, NULL);
  HMODULE spy = ::LoadLibrary((BinDir() + "shell_app_command_spy.dll").c_str());
  FARPROC proc = spy ? ::GetProcAddress(spy, "CommandSpyHook") : NULL;
  HHOOK hook = proc ? ::SetWindowsHookEx(WH_GETMESSAGE, (HOOKPROC)proc, spy, ::GetWindowThreadProcessId(h, NULL)) : NULL;
  EXPECT_NE(nullptr, hook);
  if (hook) {
    work();
    const DWORD end = ::GetTickCount() + 60000;
    size_t next = 0;
    while (next < awaited.size() && ::GetTickCount() < end) {
      MSG msg;
      while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.hwnd == sink && msg.message == WM_APP) {
          const UINT id = (UINT)msg.wParam;
          if (std::find(awaited.begin(), awaited.end(), id) != awaited.end()) seen.push_back(id);
          if (next < awaited.size() && id == awaited[next]) next++;
        } else {
          ::DispatchMessage(&msg);
        }
      }
      ::Sleep(50);
    }
    ::UnhookWindowsHookEx(hook);
  }
  if (spy) ::FreeLibrary(spy);
  ::DestroyWindow(sink);
  return seen;
}

// The BMP's size and whether it has more than one colour.
bool ReadPicture(const std::string& path, int* w, int* h, bool* varied) {
  FILE* f = fopen(path.c_str(), "rb");
  if (f == NULL) return false;
  std::vector<unsigned char> d;
  unsigned char buf[65536];
  size_t n;
  while ((n = fread(buf, 1, sizeof(buf), f)) > 0) d.insert(d.end(), buf, buf + n);
  fclose(f);
  if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') return false;
  const unsigned offset = *(unsigned*)&d[10];
  *w = *(int*)&d[18];
  *h = abs(*(int*)&d[22]);
  *varied = false;
  for (size_t i = offset + 3; i + 3 <= d.size() && !*varied; i += 3) *varied = memcmp(&d[offset], &d[i], 3) != 0;
  return true;
}

// The QVZ.exe the platform started for a request (any but the one given), or NULL.
HANDLE OpenServerProcess(DWORD pidOther) {
  HANDLE snap = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 pe = {sizeof(pe)};
  HANDLE found = NULL;
  for (BOOL ok = ::Process32First(snap, &pe); ok && found == NULL; ok = ::Process32Next(snap, &pe))
    if (lstrcmpi(pe.szExeFile, "QVZ.exe") == 0 && pe.th32ProcessID != pidOther)
      found = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pe.th32ProcessID);
  ::CloseHandle(snap);
  return found;
}

// QVZ.exe registers its board class at a normal start when its own key can be written.
void RegisterBoardServer() {
  HKEY hKey = NULL;
  ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyEx(HKEY_LOCAL_MACHINE, "Software\\Talvik\\Zenbora", 0, NULL, 0, KEY_ALL_ACCESS,
                                            NULL, &hKey, NULL));
  ::RegCloseKey(hKey);
  ::RegDeleteKey(HKEY_CLASSES_ROOT, "CLSID\\{C5A1F0D2-6B3E-4E7A-9F21-3D8C0B4A7E55}\\LocalServer32");
  Process normal;
  ASSERT_TRUE(normal.Start(""));
  HWND main = WaitUntilRunning(normal);
  ASSERT_NE(nullptr, main);
  Close(normal, main);
  char server[MAX_PATH * 2] = {};
  LONG n = sizeof server;
  ASSERT_EQ(ERROR_SUCCESS, ::RegQueryValue(HKEY_CLASSES_ROOT, "CLSID\\{C5A1F0D2-6B3E-4E7A-9F21-3D8C0B4A7E55}\\LocalServer32", server, &n));
  EXPECT_EQ(Folder() + "QVZ.exe /Automation", server);
  n = sizeof server;
  ASSERT_EQ(ERROR_SUCCESS, ::RegQueryValue(HKEY_CLASSES_ROOT, "QVZ.Document\\CLSID", server, &n));
  EXPECT_STREQ("{C5A1F0D2-6B3E-4E7A-9F21-3D8C0B4A7E55}", server);
}

TEST(RealFirst, SecondStartsReachTheRunningProgram) {
  using namespace SceneGenerator;
  const std::string folder = Folder();
  ::CopyFile((BinDir() + "tracel.dll").c_str(), (folder + "tracel.dll").c_str(), FALSE);
  const std::string scenes = folder + "パース図\\";
  ::CreateDirectory(scenes.c_str(), NULL);
  // Six views: only view 0 looks at the grid.
  Scene s = MakeGrid(8, false, 1, 0);
  for (int i = 1; i < 6; i++) {
    View v = s.views[0];
    v.name = "away" + std::to_string(i);
    for (float& c : v.dir) c = -c;
    s.views.push_back(v);
  }
  ASSERT_TRUE(SaveFile(scenes + "scene.vqb", WriteContainer(s)));
  const std::string picture = scenes + "パース図.bmp";
  ::DeleteFile(picture.c_str());
  const std::string board = folder + "handed.vqd";
  {
    std::string cmd = "\"" + BinDir() + "qvzjourney.exe\" make \"" + board + "\"";
    STARTUPINFO si = {sizeof(si)};
    PROCESS_INFORMATION pi;
    ASSERT_TRUE(::CreateProcess(NULL, &cmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi));
    ::WaitForSingleObject(pi.hProcess, 60000);
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
  }

  RegisterBoardServer();
  Process first;
  ASSERT_TRUE(first.Start(""));
  HWND main = WaitUntilRunning(first);
  ASSERT_NE(nullptr, main);
  EXPECT_EQ(main, FindWindowOf(first.pi.dwProcessId, kMainClass));

  {
    Process second;
    ASSERT_TRUE(second.Start("/T"));
    EXPECT_TRUE(second.Wait(60000));
  }
  int w = 0, h = 0;
  bool varied = false;
  EXPECT_TRUE(WaitFor([&] { return ReadPicture(picture, &w, &h, &varied) && w == 1000; }, 120));
  EXPECT_EQ(1000, w);
  EXPECT_EQ(750, h);
  EXPECT_TRUE(varied) << "a view looking away from the grid was rendered";
  EXPECT_TRUE(WaitFor([&] { return !HasModule(first.pi.dwProcessId, "depthra.dll"); }, 10));
  EXPECT_FALSE(HasModule(first.pi.dwProcessId, "tracel.dll"));

  {
    Process second;
    ASSERT_TRUE(second.Start("\"" + board + "\""));
    EXPECT_TRUE(second.Wait(60000));
  }
  char title[300] = "";
  EXPECT_TRUE(WaitFor([&] {
    ::GetWindowText(main, title, sizeof(title));
    return strstr(title, "handed") != NULL;
  }, 60)) << title;

  {
    Process second;
    ASSERT_TRUE(second.Start(""));
    EXPECT_TRUE(second.Wait(60000));
    EXPECT_EQ(nullptr, FindWindowOf(second.pi.dwProcessId, kMainClass));
  }
  // With M the first is told the floor-plan command and posts the select tool and the
  // floor-plan palette to itself.
  {
    std::vector<UINT> seen = SpyOnCommands(main, [] {
      Process second;
      EXPECT_TRUE(second.Start("/M"));
      EXPECT_TRUE(second.Wait(60000));
    }, {kFloorPlan, kSelectTool, kFloorPlanPalette});
    EXPECT_EQ((std::vector<UINT>{kFloorPlan, kSelectTool, kFloorPlanPalette}), seen);
  }
  // An OLE activation is no second start: the platform's start of the server runs beside
  // the first and serves a board, and ends when it is released.
  {
    IDispatch* board = CreateBoardObject();
    ASSERT_NE(nullptr, board);
    HANDLE server = OpenServerProcess(first.pi.dwProcessId);
    ASSERT_NE(nullptr, server);
    board->Release();
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(server, 60000));
    ::CloseHandle(server);
  }
  EXPECT_EQ(main, FindWindowOf(first.pi.dwProcessId, kMainClass));
  Close(first, main);
  ::DeleteFile(picture.c_str());
}

// Started for automation: no window is shown; a program creates a board, which knows no
// name; a normal start runs meanwhile; the server ends when the board is released.
TEST(RealFirst, ANormalStartRunsWhileAServerRuns) {
  RegisterBoardServer();
  IDispatch* board = CreateBoardObject();
  ASSERT_NE(nullptr, board);
  HANDLE server = OpenServerProcess(0);
  ASSERT_NE(nullptr, server);
  HWND hidden = FindWindowOf(::GetProcessId(server), kMainClass);
  EXPECT_TRUE(hidden == NULL || !::IsWindowVisible(hidden));
  LPOLESTR names[1] = {(LPOLESTR)L"Visible"};
  DISPID id = 0;
  EXPECT_EQ(DISP_E_UNKNOWNNAME, board->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
  IUnknown* other = NULL;
  EXPECT_EQ(E_NOINTERFACE, board->QueryInterface(IID_IOleObject, (void**)&other));

  Process normal;
  ASSERT_TRUE(normal.Start(""));
  HWND main = WaitUntilRunning(normal);
  EXPECT_NE(nullptr, main);
  if (main) Close(normal, main);
  EXPECT_EQ((DWORD)WAIT_TIMEOUT, ::WaitForSingleObject(server, 0));
  board->Release();
  EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(server, 60000));
  ::CloseHandle(server);
}

TEST(Extraction, AMissingSceneLibraryOrEntryIsNamedAndTheRendererFreed) {
  const std::string folder = Folder();
  struct { const char* library; const char* message; } cases[] = {
      {nullptr, "tracel.dllモジュールをロードできません"},
      {"shell_app_partial_tracel.dll", "tracel.dllモジュール中に必要な関数が見つかりません"},
  };
  for (auto c : cases) {
    ::DeleteFile((folder + "tracel.dll").c_str());
    if (c.library) ASSERT_TRUE(::CopyFile((BinDir() + c.library).c_str(), (folder + "tracel.dll").c_str(), FALSE));
    Process p;
    ASSERT_TRUE(p.Start("/T"));
    HWND box = NULL;
    EXPECT_EQ(c.message, MessageBoxText(p.pi.dwProcessId, &box, 90));
    if (box) ::PostMessage(box, WM_COMMAND, IDOK, 0);
    HWND main = WaitUntilRunning(p);
    EXPECT_FALSE(HasModule(p.pi.dwProcessId, "depthra.dll"));
    if (main) Close(p, main);
  }
  ::CopyFile((BinDir() + "tracel.dll").c_str(), (folder + "tracel.dll").c_str(), FALSE);
}

TEST(Extraction, ASceneThatCannotBeReadIsReported) {
  const std::string folder = Folder(), scenes = folder + "パース図\\";
  ::CopyFile((BinDir() + "tracel.dll").c_str(), (folder + "tracel.dll").c_str(), FALSE);
  ::CreateDirectory(scenes.c_str(), NULL);
  ASSERT_TRUE(SceneGenerator::SaveFile(scenes + "scene.vqb", std::string("not a scene")));
  Process p;
  ASSERT_TRUE(p.Start("/T"));
  HWND box = NULL;
  EXPECT_EQ("パース図を作成できませんでした。", MessageBoxText(p.pi.dwProcessId, &box, 90));
  if (box) ::PostMessage(box, WM_COMMAND, IDOK, 0);
  HWND main = WaitUntilRunning(p);
  EXPECT_FALSE(HasModule(p.pi.dwProcessId, "depthra.dll"));
  if (main) Close(p, main);
  ::DeleteFile((scenes + "scene.vqb").c_str());
}

}  // namespace
