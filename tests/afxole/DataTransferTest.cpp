// Data transfer through the framework's OLE classes: the clipboard through a data source
// and a data object, the drop source's decisions, and a drag into another process.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "OleTestSupport.h"

namespace {

std::string GlobalBytes(HGLOBAL h) {
  std::string s((const char*)::GlobalLock(h), ::GlobalSize(h));
  ::GlobalUnlock(h);
  return s;
}

HGLOBAL GlobalOf(const std::string& s) {
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, s.size());
  memcpy(::GlobalLock(h), s.data(), s.size());
  ::GlobalUnlock(h);
  return h;
}

// Counts the sources alive, and renders CF_TEXT only when asked.
class CountedSource : public COleDataSource {
 public:
  CountedSource() { ++s_nAlive; }
  ~CountedSource() override { --s_nAlive; }
  BOOL OnRenderGlobalData(LPFORMATETC lpFormatEtc, HGLOBAL* phGlobal) override {
    if (lpFormatEtc->cfFormat != CF_TEXT) return FALSE;
    ++m_nRendered;
    *phGlobal = GlobalOf(std::string("遅延", strlen("遅延") + 1));
    return TRUE;
  }
  BOOL OnRenderFileData(LPFORMATETC lpFormatEtc, CFile* pFile) override {
    pFile->Write("file data", 9);
    return TRUE;
  }
  static int s_nAlive;
  int m_nRendered = 0;
};
int CountedSource::s_nAlive = 0;

}  // namespace

TEST(OleClipboard, RoundTripThroughDataSourceAndDataObject) {
  const CLIPFORMAT cfPrivate = TestPrivateFormat();
  const CLIPFORMAT cfLater = (CLIPFORMAT)::RegisterClipboardFormat("QVZ_OLE_TEST_FILE");
  const std::string bytes("\x01\x00\x02private\xFF", 11);
  CountedSource* src = new CountedSource;
  src->CacheGlobalData(cfPrivate, GlobalOf(bytes));
  src->DelayRenderData(CF_TEXT);
  src->DelayRenderFileData(cfLater);
  src->SetClipboard();
  EXPECT_EQ(src, COleDataSource::GetClipboardOwner());

  {
    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());
    EXPECT_TRUE(data.IsDataAvailable(cfPrivate));
    EXPECT_TRUE(data.IsDataAvailable(CF_TEXT));
    EXPECT_FALSE(data.IsDataAvailable(CF_BITMAP));
    HGLOBAL h = data.GetGlobalData(cfPrivate);
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(bytes, GlobalBytes(h).substr(0, bytes.size()));
    ::GlobalFree(h);  // a copy: the source keeps its own
    h = data.GetGlobalData(cfPrivate);
    ASSERT_NE(nullptr, h);
    ::GlobalFree(h);
    EXPECT_EQ(0, src->m_nRendered);
    h = data.GetGlobalData(CF_TEXT);
    ASSERT_NE(nullptr, h);
    EXPECT_STREQ("遅延", (const char*)::GlobalLock(h));
    ::GlobalUnlock(h);
    ::GlobalFree(h);
    EXPECT_EQ(1, src->m_nRendered);
    CFile* f = data.GetFileData(cfLater);
    ASSERT_NE(nullptr, f);
    char buf[16] = {};
    EXPECT_EQ(9u, f->Read(buf, sizeof buf));
    EXPECT_STREQ("file data", buf);
    delete f;
    EXPECT_EQ(nullptr, data.GetFileData(CF_BITMAP));

    std::set<CLIPFORMAT> formats;
    FORMATETC fe;
    data.BeginEnumFormats();
    while (data.GetNextFormat(&fe)) formats.insert(fe.cfFormat);
    EXPECT_TRUE(formats.count(cfPrivate) && formats.count(CF_TEXT) && formats.count(cfLater));
  }

  // Programs that read the clipboard without OLE see the same bytes.
  ASSERT_TRUE(::OpenClipboard(NULL));
  HANDLE h = ::GetClipboardData(cfPrivate);
  ASSERT_NE(nullptr, h);
  EXPECT_EQ(bytes, GlobalBytes(h).substr(0, bytes.size()));
  ::CloseClipboard();

  // Flushed, the data stays as plain data and the clipboard lets the source go.
  COleDataSource::FlushClipboard();
  EXPECT_EQ(nullptr, COleDataSource::GetClipboardOwner());
  EXPECT_EQ(0, CountedSource::s_nAlive);
  COleDataObject after;
  ASSERT_TRUE(after.AttachClipboard());
  HGLOBAL kept = after.GetGlobalData(cfPrivate);
  ASSERT_NE(nullptr, kept);
  EXPECT_EQ(bytes, GlobalBytes(kept).substr(0, bytes.size()));
  ::GlobalFree(kept);
}

TEST(OleClipboard, ReplacedSourceIsReleasedAndEmptySourceOffersNothing) {
  CountedSource* first = new CountedSource;
  first->CacheGlobalData(TestPrivateFormat(), GlobalOf("one"));
  first->SetClipboard();
  CountedSource* second = new CountedSource;
  second->CacheGlobalData(TestPrivateFormat(), GlobalOf("two"));
  second->Empty();
  second->SetClipboard();
  EXPECT_EQ(1, CountedSource::s_nAlive);
  COleDataObject data;
  ASSERT_TRUE(data.AttachClipboard());
  EXPECT_FALSE(data.IsDataAvailable(TestPrivateFormat()));
  EXPECT_EQ(nullptr, data.GetGlobalData(TestPrivateFormat()));
  data.Release();
  ::OleSetClipboard(NULL);
  EXPECT_EQ(0, CountedSource::s_nAlive);
}

TEST(OleDropSource, DropsOnReleaseOfItsButtonAndCancelsOnEscOrTheOther) {
  struct Case {
    BOOL started, esc;
    DWORD keys;
    SCODE expected;
  };
  const Case cases[] = {
      {TRUE, FALSE, MK_LBUTTON, S_OK},
      {TRUE, FALSE, 0, DRAGDROP_S_DROP},
      {FALSE, FALSE, 0, DRAGDROP_S_CANCEL},  // released before the drag began
      {TRUE, TRUE, MK_LBUTTON, DRAGDROP_S_CANCEL},
      {TRUE, FALSE, MK_LBUTTON | MK_RBUTTON, DRAGDROP_S_CANCEL},
      {TRUE, FALSE, MK_LBUTTON | MK_CONTROL, S_OK},
  };
  for (const Case& c : cases) {
    COleDropSource s;
    s.m_bDragStarted = c.started;
    EXPECT_EQ(c.expected, s.QueryContinueDrag(c.esc, c.keys)) << c.started << c.esc << c.keys;
  }
  COleDropSource s;
  EXPECT_EQ(DRAGDROP_S_USEDEFAULTCURSORS, s.GiveFeedback(DROPEFFECT_COPY));
  // No start rectangle: the drag starts at once.
  EXPECT_TRUE(s.OnBeginDrag(NULL));
  EXPECT_TRUE(s.m_bDragStarted);
}

namespace {

// Moves the mouse onto the point, then drops (or cancels) after a few rounds of the loop.
class ScriptedDropSource : public COleDropSource {
 public:
  ScriptedDropSource(POINT pt, SCODE end) : m_pt(pt), m_end(end) {}
  SCODE QueryContinueDrag(BOOL, DWORD) override {
    if (++m_nCalls == 1) ::SetCursorPos(m_pt.x, m_pt.y);
    return m_nCalls < 10 ? S_OK : m_end;
  }
  POINT m_pt;
  SCODE m_end;
  int m_nCalls = 0;
};

struct Child {
  PROCESS_INFORMATION pi = {};
  ~Child() {
    if (pi.hProcess) {
      if (::WaitForSingleObject(pi.hProcess, 15000) != WAIT_OBJECT_0) ::TerminateProcess(pi.hProcess, 1);
      ::CloseHandle(pi.hProcess);
      ::CloseHandle(pi.hThread);
    }
  }
  DWORD Wait() {
    DWORD rc = 99;
    if (::WaitForSingleObject(pi.hProcess, 15000) == WAIT_OBJECT_0) ::GetExitCodeProcess(pi.hProcess, &rc);
    return rc;
  }
};

std::string Slurp(const char* path) {
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

}  // namespace

// A drag from this process into a window of another: file names and private bytes arrive,
// the source learns the effect; a cancelled drag brings nothing.
TEST(OleDragDrop, FilesAndPrivateFormatIntoAnotherProcess) {
  for (SCODE end : {DRAGDROP_S_DROP, DRAGDROP_S_CANCEL}) {
    SCOPED_TRACE(end == DRAGDROP_S_DROP ? "drop" : "cancel");
    char result[MAX_PATH];
    ::GetTempPath(MAX_PATH, result);
    strcat(result, "qvz_ole_drop_result.txt");
    ::DeleteFile(result);
    char self[MAX_PATH];
    ::GetModuleFileName(NULL, self, MAX_PATH);
    CString cmd;
    cmd.Format("\"%s\" --drop-target \"%s\"", self, result);
    Child child;
    STARTUPINFO si = {sizeof si};
    ASSERT_TRUE(::CreateProcess(NULL, cmd.GetBuffer(0), NULL, NULL, FALSE, 0, NULL, NULL, &si, &child.pi));
    HWND hTarget = NULL;
    for (int i = 0; i < 200 && hTarget == NULL; i++) {
      ::Sleep(50);
      hTarget = ::FindWindow(NULL, kDropTargetTitle);
    }
    ASSERT_NE(nullptr, hTarget);
    ::Sleep(200);  // its drop target registers after the window shows
    RECT rc;
    ::GetWindowRect(hTarget, &rc);
    const POINT centre = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};

    const std::wstring names[2] = {L"C:\\qvz\\表.bmp", L"C:\\qvz\\b.txt"};
    COleDataSource src;
    src.CacheGlobalData(CF_HDROP, MakeDropFiles(names, 2));
    src.CacheGlobalData(TestPrivateFormat(), GlobalOf(std::string("qvz-private", 12)));
    ScriptedDropSource dropSource(centre, end);
    const DROPEFFECT effect = src.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, NULL, &dropSource);
    if (end == DRAGDROP_S_CANCEL) {
      EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, effect);
      ::PostMessage(hTarget, WM_CLOSE, 0, 0);
      ::TerminateProcess(child.pi.hProcess, 0);
      EXPECT_EQ("", Slurp(result));
      continue;
    }
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_COPY, effect);
    EXPECT_EQ(0u, child.Wait());
    EXPECT_EQ(
        "effect 1\ninside 1\nfile C:\\qvz\\表.bmp\nfile C:\\qvz\\b.txt\nprivate 12 qvz-private\n",
        Slurp(result));
    EXPECT_EQ(1, src.m_dwRef);  // the platform let go of the source
  }
}
