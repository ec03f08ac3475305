// Embedded items under Wine without a server of ours: a static picture item goes through
// the default handler and its cache, which is enough to make, clone, save and reload items.
// Wine cannot draw it (no handler registered for the picture classes) and its
// OleCreateFromFile refuses a file whose type has no class (MK_E_INVALIDEXTENSION) rather
// than wrapping it in a package.
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "afxarch.h"
#include "afxres.h"
#include "TestShapeServer.h"
#include "afxole.h"

namespace {

class TestOleDoc : public COleDocument {
 public:
  TestOleDoc() { EnableCompoundFile(); }
};

class CountingItem : public COleClientItem {
  DECLARE_SERIAL(CountingItem)
 public:
  CountingItem(COleDocument* pDoc = NULL) : COleClientItem(pDoc) {}
  void OnChange(OLE_NOTIFICATION nCode, DWORD dwParam) override {
    COleClientItem::OnChange(nCode, dwParam);
    m_codes.push_back(nCode);
  }
  std::vector<int> m_codes;
};
IMPLEMENT_SERIAL(CountingItem, COleClientItem, 0)

CString TempFile(const char* name, const char* text) {
  char dir[MAX_PATH];
  ::GetTempPath(MAX_PATH, dir);
  CString path = CString(dir) + name;
  if (text) {
    FILE* f = fopen(path, "wb");
    fputs(text, f);
    fclose(f);
  } else {
    ::DeleteFile(path);
  }
  return path;
}

LPSTORAGE NewFileStorage(const CString& path) {
  WCHAR w[MAX_PATH];
  ::MultiByteToWideChar(CP_ACP, 0, path, -1, w, MAX_PATH);
  LPSTORAGE p = NULL;
  ::StgCreateDocfile(w, STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_CREATE, 0, &p);
  return p;
}

// The item list written into a memory file, the items' storages into the root.
std::string StoreItems(COleDocument& doc, LPSTORAGE pRoot) {
  CMemFile f;
  {
    CArchive ar(&f, CArchive::store);
    ar.m_pDocument = &doc;
    doc.m_lpRootStg = pRoot;
    doc.Serialize(ar);
    ar.Close();
    doc.m_lpRootStg = NULL;
  }
  std::string s((size_t)f.GetLength(), '\0');
  f.SeekToBegin();
  f.Read(&s[0], (UINT)s.size());
  return s;
}

bool LoadItems(COleDocument& doc, LPSTORAGE pRoot, const std::string& bytes) {
  CMemFile f((BYTE*)bytes.data(), (UINT)bytes.size());
  CArchive ar(&f, CArchive::load);
  ar.m_pDocument = &doc;
  doc.m_lpRootStg = pRoot;
  bool ok = true;
  try {
    doc.Serialize(ar);
    ar.Close();
  } catch (CException* e) {
    e->Delete();
    ar.Abort();
    ok = false;
  }
  doc.m_lpRootStg = NULL;
  return ok;
}

}  // namespace

TEST(OleClientItem, PictureItemCloneSaveAndReload) {
  TestOleDoc doc;
  // A red picture offered as an enhanced metafile.
  HDC hMeta = ::CreateEnhMetaFile(NULL, NULL, NULL, NULL);
  HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
  const RECT all = {0, 0, 200, 100};
  ::FillRect(hMeta, &all, red);
  ::DeleteObject(red);
  HENHMETAFILE hEmf = ::CloseEnhMetaFile(hMeta);
  COleDataSource* src = new COleDataSource;
  STGMEDIUM m = {};
  m.tymed = TYMED_ENHMF;
  m.hEnhMetaFile = hEmf;
  src->CacheData(CF_ENHMETAFILE, &m);
  COleDataObject data;
  data.Attach(src->GetDataObject(), FALSE);
  CountingItem* item = new CountingItem(&doc);
  EXPECT_FALSE(item->CreateFromData(&data));  // a picture alone is no embeddable object
  ASSERT_TRUE(item->CreateStaticFromData(&data, OLERENDER_FORMAT, CF_ENHMETAFILE));
  data.Release();
  src->InternalRelease();
  EXPECT_FALSE(item->IsBlank());
  EXPECT_EQ(OT_STATIC, item->GetType());
  EXPECT_EQ((UINT)COleClientItem::loadedState, item->GetItemState());
  EXPECT_EQ(1u, item->m_dwItemNumber);

  CountingItem* clone = new CountingItem(&doc);
  ASSERT_TRUE(clone->CreateCloneFrom(item));
  EXPECT_EQ(2u, clone->m_dwItemNumber);
  EXPECT_EQ(2, doc.GetItemCount());


  const CString path = TempFile("qvz_ole_items.stg", NULL);
  LPSTORAGE root = NewFileStorage(path);
  ASSERT_NE(nullptr, root);
  const std::string bytes = StoreItems(doc, root);
  root->Commit(STGC_DEFAULT);
  // Count, the class tag with its name, then three words per item.
  ASSERT_GE(bytes.size(), 4u + 2 + 2 + 2 + strlen("CountingItem") + 12 + 2 + 12);
  EXPECT_EQ(2, (int)(unsigned char)bytes[0]);

  TestOleDoc back;
  ASSERT_TRUE(LoadItems(back, root, bytes));
  ASSERT_EQ(2, back.GetItemCount());
  POSITION pos = back.GetStartPosition();
  COleClientItem* r1 = back.GetNextClientItem(pos);
  COleClientItem* r2 = back.GetNextClientItem(pos);
  EXPECT_TRUE(r1->IsKindOf(RUNTIME_CLASS(CountingItem)));
  EXPECT_EQ(1u, r1->m_dwItemNumber);
  EXPECT_EQ(2u, r2->m_dwItemNumber);
  EXPECT_FALSE(r1->IsBlank());
  EXPECT_EQ(OT_STATIC, r2->GetType());
  EXPECT_EQ(3u, back.m_dwNextItemNumber);

  // A storage missing from the file, a count beyond the stream, or a list read without a
  // file storage: the read fails and leaves no item behind.
  for (int c = 0; c < 3; c++) {
    SCOPED_TRACE(c);
    std::string bad = bytes;
    LPSTORAGE stg = root;
    if (c == 0) root->DestroyElement(L"Embedding 2");
    if (c == 1) bad[0] = 100;
    if (c == 2) stg = NULL;
    TestOleDoc fail;
    EXPECT_FALSE(LoadItems(fail, stg, bad));
    EXPECT_EQ(0, fail.GetItemCount());
  }
  root->Release();

  // A name that is not a readable file makes no item and keeps no storage.
  CountingItem* missing = new CountingItem(&doc);
  EXPECT_FALSE(missing->CreateFromFile(TempFile("qvz_ole_missing.txt", NULL)));
  EXPECT_TRUE(missing->IsBlank());
  missing->Delete();
  EXPECT_EQ(2, doc.GetItemCount());
  clone->Delete();
  EXPECT_EQ(1, doc.GetItemCount());
}

TEST(OleApp, LockCountAndInit) {
  EXPECT_TRUE(AfxOleInit());  // again: already started
  const LONG n = AfxOleGetLockCount();
  AfxOleLockApp();
  EXPECT_FALSE(AfxOleCanExitApp());
  AfxOleUnlockApp();
  EXPECT_EQ(n, AfxOleGetLockCount());
  EXPECT_TRUE(AfxOleCanExitApp());
}

namespace {

// Messages for this thread (the server's calls arrive as messages) until pred holds.
template <class Pred>
bool PumpUntil(Pred pred, DWORD ms = 20000) {
  const DWORD tEnd = ::GetTickCount() + ms;
  while (!pred()) {
    if (::GetTickCount() > tEnd) return false;
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) ::DispatchMessage(&msg);
    ::MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
  }
  return true;
}

bool RegisterTestServer() {
  char self[MAX_PATH];
  ::GetModuleFileName(NULL, self, MAX_PATH);
  *strrchr(self, '\\') = 0;
  CString cmd;
  cmd.Format("\"%s\\qvz_test_shape_server.exe\" /RegServer", self);
  STARTUPINFO si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi;
  if (!::CreateProcess(NULL, cmd.GetBuffer(0), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) return false;
  const bool ended = ::WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0;
  ::CloseHandle(pi.hProcess);
  ::CloseHandle(pi.hThread);
  return ended;
}

// The colour the test server wrote into the item's storage (CLR_INVALID without one).
COLORREF SavedColour(COleClientItem* item) {
  IStream* contents = NULL;
  if (item->m_lpStorage == NULL ||
      FAILED(item->m_lpStorage->OpenStream(L"Contents", NULL, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &contents)))
    return CLR_INVALID;
  COLORREF saved = CLR_INVALID;
  contents->Read(&saved, 4, NULL);
  contents->Release();
  return saved;
}

// Waits until no test server process is left (one that is ending still holds its class).
bool ServerGone(DWORD ms = 20000) {
  return PumpUntil(
      [] {
        HANDLE snap = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32 pe = {};
        pe.dwSize = sizeof pe;
        bool found = false;
        for (BOOL b = ::Process32First(snap, &pe); b && !found; b = ::Process32Next(snap, &pe))
          found = _stricmp(pe.szExeFile, "qvz_test_shape_server.exe") == 0;
        ::CloseHandle(snap);
        return !found;
      },
      ms);
}

bool Has(const std::vector<int>& codes, int code) {
  for (int c : codes)
    if (c == code) return true;
  return false;
}

}  // namespace

namespace {

// Pixels of the item drawn into a white bitmap within (20, 10)-(180, 90): how many inside
// that rectangle have the colour, and how many outside it are not white.
struct Drawn {
  int inside;
  int outside;
};
// Mapped: drawn on a mapping of half scale moved by (100, 50), through the rectangle's
// logical bounds.
Drawn DrawnPixels(COleClientItem* item, COLORREF colour, bool mapped) {
  const int w = 200, h = 100;
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = NULL;
  HBITMAP bm = ::CreateDIBSection(NULL, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
  HDC hDC = ::CreateCompatibleDC(NULL);
  HGDIOBJ old = ::SelectObject(hDC, bm);
  const RECT all = {0, 0, w, h}, rc = {20, 10, 180, 90};
  ::FillRect(hDC, &all, (HBRUSH)::GetStockObject(WHITE_BRUSH));
  CDC dc;
  dc.Attach(hDC);
  RECT bounds = rc;
  if (mapped) {
    ::SetMapMode(hDC, MM_ANISOTROPIC);
    ::SetWindowExtEx(hDC, 2, 2, NULL);
    ::SetViewportExtEx(hDC, 1, 1, NULL);
    ::SetWindowOrgEx(hDC, 100, 50, NULL);
    bounds = {140, 70, 460, 230};
  }
  item->Draw(&dc, &bounds);
  dc.Detach();
  ::GdiFlush();
  Drawn d = {0, 0};
  const DWORD want = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      const DWORD px = ((const DWORD*)bits)[y * w + x] & 0xFFFFFF;
      const POINT pt = {x, y};
      if (::PtInRect(&rc, pt))
        d.inside += px == want;
      else
        d.outside += px != 0xFFFFFF;
    }
  ::SelectObject(hDC, old);
  ::DeleteDC(hDC);
  ::DeleteObject(bm);
  return d;
}

// Most of the rectangle in the colour (the caption takes a little), nothing outside.
void ExpectDrawn(COleClientItem* item, COLORREF colour) {
  for (bool mapped : {false, true}) {
    SCOPED_TRACE(mapped ? "mapped" : "plain");
    const Drawn d = DrawnPixels(item, colour, mapped);
    EXPECT_GT(d.inside, 160 * 80 / 2);
    EXPECT_EQ(0, d.outside);
  }
}

// An embedded object of the test server's class, drawn in the colour.
void ExpectTestShapeItem(COleClientItem* item, COLORREF colour) {
  EXPECT_EQ(OT_EMBEDDED, item->GetType());
  CLSID clsid = {};
  item->m_lpObject->GetUserClassID(&clsid);
  EXPECT_TRUE(IsEqualCLSID(CLSID_TestShape, clsid));
  ExpectDrawn(item, colour);
}

}  // namespace

// The item's picture comes from its cache: while the server runs and changes it, after the
// server closed, and read back from the storage with the server stopped.
TEST(OleServerItem, PictureDrawnFromTheCacheRunningClosedAndReloaded) {
  ASSERT_TRUE(RegisterTestServer());
  TestOleDoc doc;
  CountingItem* item = new CountingItem(&doc);
  ASSERT_TRUE(item->CreateNewItem(CLSID_TestShape));
  {
    SCOPED_TRACE("new");
    ExpectDrawn(item, RGB(255, 0, 0));
  }
  ASSERT_TRUE(item->DoVerb(OLEIVERB_OPEN, NULL));
  HWND hServer = NULL;
  ASSERT_TRUE(PumpUntil([&] { return (hServer = ::FindWindow(NULL, TESTSHAPE_TYPE)) != NULL; }));
  item->m_codes.clear();
  doc.SetModifiedFlag(FALSE);
  ::PostMessage(hServer, TESTSHAPE_SETCOLOR, RGB(0, 160, 0), 0);
  ASSERT_TRUE(PumpUntil([&] { return Has(item->m_codes, OLE_CHANGED); }));
  // The new picture is a change of the document.
  EXPECT_TRUE(doc.IsModified());
  {
    SCOPED_TRACE("running");
    ExpectDrawn(item, RGB(0, 160, 0));
  }
  ::PostMessage(hServer, TESTSHAPE_CLOSE, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return Has(item->m_codes, OLE_CLOSED) && !item->IsRunning(); }));
  {
    SCOPED_TRACE("closed");
    ExpectDrawn(item, RGB(0, 160, 0));
  }

  const CString path = TempFile("qvz_ole_picture_items.stg", NULL);
  LPSTORAGE root = NewFileStorage(path);
  ASSERT_NE(nullptr, root);
  const std::string bytes = StoreItems(doc, root);
  root->Commit(STGC_DEFAULT);
  TestOleDoc back;
  ASSERT_TRUE(LoadItems(back, root, bytes));
  root->Release();
  POSITION pos = back.GetStartPosition();
  COleClientItem* again = back.GetNextClientItem(pos);
  ASSERT_NE(nullptr, again);
  EXPECT_FALSE(again->IsRunning());
  {
    SCOPED_TRACE("reloaded");
    ExpectDrawn(again, RGB(0, 160, 0));
  }
  EXPECT_TRUE(ServerGone());
}

// An item written before its cache named a format (the object made with "whatever draws"
// and saved so) still reads back, and its picture is drawn again once the server has run.
TEST(OleServerItem, AnItemCachedWithoutAFormatReadsBackAndDrawsAfterARun) {
  ASSERT_TRUE(RegisterTestServer());
  ASSERT_TRUE(ServerGone());
  TestOleDoc doc;
  CountingItem* item = new CountingItem(&doc);
  ASSERT_TRUE(item->CreateNewItem(CLSID_TestShape));
  const CString path = TempFile("qvz_ole_old_items.stg", NULL);
  LPSTORAGE root = NewFileStorage(path);
  ASSERT_NE(nullptr, root);
  const std::string bytes = StoreItems(doc, root);
  ASSERT_TRUE(item->DoVerb(OLEIVERB_OPEN, NULL));
  HWND hServer = NULL;
  ASSERT_TRUE(PumpUntil([&] { return (hServer = ::FindWindow(NULL, TESTSHAPE_TYPE)) != NULL; }));
  ::PostMessage(hServer, TESTSHAPE_CLOSE, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return Has(item->m_codes, OLE_CLOSED) && !item->IsRunning(); }));
  ASSERT_TRUE(ServerGone());
  // Its storage replaced by one written the old way.
  ASSERT_EQ(S_OK, root->DestroyElement(L"Embedding 1"));
  LPSTORAGE old = NULL;
  ASSERT_EQ(S_OK, root->CreateStorage(L"Embedding 1", STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_CREATE, 0, 0, &old));
  IOleObject* obj = NULL;
  ASSERT_EQ(S_OK, ::OleCreate(CLSID_TestShape, IID_IOleObject, OLERENDER_DRAW, NULL, NULL, old, (void**)&obj));
  IPersistStorage* persist = NULL;
  ASSERT_EQ(S_OK, obj->QueryInterface(IID_IPersistStorage, (void**)&persist));
  EXPECT_EQ(S_OK, ::OleSave(persist, old, TRUE));
  persist->SaveCompleted(NULL);
  persist->Release();
  ASSERT_EQ(S_OK, obj->DoVerb(OLEIVERB_OPEN, NULL, NULL, -1, NULL, NULL));
  ASSERT_TRUE(PumpUntil([&] { return (hServer = ::FindWindow(NULL, TESTSHAPE_TYPE)) != NULL; }));
  ::PostMessage(hServer, TESTSHAPE_CLOSE, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return ::FindWindow(NULL, TESTSHAPE_TYPE) == NULL; }));
  obj->Release();
  old->Commit(STGC_DEFAULT);
  old->Release();
  root->Commit(STGC_DEFAULT);
  ASSERT_TRUE(ServerGone());

  TestOleDoc back;
  ASSERT_TRUE(LoadItems(back, root, bytes));
  root->Release();
  POSITION pos = back.GetStartPosition();
  CountingItem* again = (CountingItem*)back.GetNextClientItem(pos);
  ASSERT_NE(nullptr, again);
  EXPECT_FALSE(again->IsBlank());
  ASSERT_TRUE(again->DoVerb(OLEIVERB_OPEN, NULL));
  ASSERT_TRUE(PumpUntil([&] { return (hServer = ::FindWindow(NULL, TESTSHAPE_TYPE)) != NULL; }));
  ::PostMessage(hServer, TESTSHAPE_CLOSE, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return Has(again->m_codes, OLE_CLOSED) && !again->IsRunning(); }));
  ExpectDrawn(again, RGB(255, 0, 0));
  EXPECT_TRUE(ServerGone());
}

// Our own server in its own process: made new through its class, its verbs on the menu,
// opened, recoloured and closed by the test, and saved and reloaded with its colour.
TEST(OleServerItem, NewItemOpenedChangedClosedDrawnSavedAndReloaded) {
  ASSERT_TRUE(RegisterTestServer());
  TestOleDoc doc;
  CountingItem* item = new CountingItem(&doc);
  ASSERT_TRUE(item->CreateNewItem(CLSID_TestShape));
  EXPECT_EQ(OT_EMBEDDED, item->GetType());
  SIZE size = {0, 0};
  ASSERT_TRUE(item->GetExtent(&size));
  EXPECT_EQ(2540, size.cx);
  EXPECT_EQ(1270, size.cy);

  CMenu menu;
  menu.CreatePopupMenu();
  menu.AppendMenu(MF_STRING, ID_OLE_VERB_FIRST, "オブジェクト");
  EXPECT_TRUE(AfxOleSetEditMenu(item, &menu, 0, ID_OLE_VERB_FIRST, ID_OLE_VERB_LAST));
  HMENU hVerbs = ::GetSubMenu(menu.m_hMenu, 0);
  ASSERT_NE(nullptr, hVerbs);
  char verb[64] = {};
  ::GetMenuString(hVerbs, 0, verb, sizeof verb, MF_BYPOSITION);
  EXPECT_STREQ("編集(&E)", verb);
  ::GetMenuString(hVerbs, 1, verb, sizeof verb, MF_BYPOSITION);
  EXPECT_STREQ("開く(&O)", verb);

  ASSERT_TRUE(item->DoVerb(OLEIVERB_OPEN, NULL));
  HWND hServer = NULL;
  ASSERT_TRUE(PumpUntil([&] { return (hServer = ::FindWindow(NULL, TESTSHAPE_TYPE)) != NULL; }));
  EXPECT_EQ((UINT)COleClientItem::openState, item->GetItemState());
  EXPECT_TRUE(Has(item->m_codes, OLE_CHANGED_STATE));
  ::PostMessage(hServer, TESTSHAPE_SETCOLOR, RGB(0, 0, 255), 0);
  ::PostMessage(hServer, TESTSHAPE_CLOSE, 0, 0);
  EXPECT_TRUE(PumpUntil([&] { return Has(item->m_codes, OLE_CLOSED); }));
  EXPECT_TRUE(Has(item->m_codes, OLE_SAVED));
  EXPECT_EQ((UINT)COleClientItem::loadedState, item->GetItemState());
  EXPECT_TRUE(PumpUntil([&] { return !item->IsRunning(); }));

  const CString path = TempFile("qvz_ole_server_items.stg", NULL);
  LPSTORAGE root = NewFileStorage(path);
  ASSERT_NE(nullptr, root);
  const std::string bytes = StoreItems(doc, root);
  root->Commit(STGC_DEFAULT);
  TestOleDoc back;
  ASSERT_TRUE(LoadItems(back, root, bytes));
  root->Release();
  POSITION pos = back.GetStartPosition();
  COleClientItem* again = back.GetNextClientItem(pos);
  ASSERT_NE(nullptr, again);
  EXPECT_FALSE(again->IsRunning());
  EXPECT_EQ(OT_EMBEDDED, again->GetType());
  // The colour the server saved when it closed came back with the item's storage.
  EXPECT_EQ(RGB(0, 0, 255), SavedColour(again));
}

// A save while the server's window is still open carries what the server shows now, and
// leaves the server open on the item.
TEST(OleServerItem, ASaveWhileTheServerIsOpenCarriesItsCurrentState) {
  ASSERT_TRUE(RegisterTestServer());
  ASSERT_TRUE(ServerGone());
  TestOleDoc doc;
  CountingItem* item = new CountingItem(&doc);
  ASSERT_TRUE(item->CreateNewItem(CLSID_TestShape));
  ASSERT_TRUE(item->DoVerb(OLEIVERB_OPEN, NULL));
  HWND hServer = NULL;
  ASSERT_TRUE(PumpUntil([&] { return (hServer = ::FindWindow(NULL, TESTSHAPE_TYPE)) != NULL; }));
  item->m_codes.clear();
  ::PostMessage(hServer, TESTSHAPE_SETCOLOR, RGB(0, 0, 255), 0);
  ASSERT_TRUE(PumpUntil([&] { return Has(item->m_codes, OLE_CHANGED); }));

  const CString path = TempFile("qvz_ole_open_save.stg", NULL);
  LPSTORAGE root = NewFileStorage(path);
  ASSERT_NE(nullptr, root);
  const std::string bytes = StoreItems(doc, root);
  root->Commit(STGC_DEFAULT);
  EXPECT_TRUE(::IsWindow(hServer));
  EXPECT_EQ((UINT)COleClientItem::openState, item->GetItemState());
  EXPECT_TRUE(item->IsRunning());

  TestOleDoc back;
  ASSERT_TRUE(LoadItems(back, root, bytes));
  root->Release();
  POSITION pos = back.GetStartPosition();
  COleClientItem* again = back.GetNextClientItem(pos);
  ASSERT_NE(nullptr, again);
  EXPECT_EQ(RGB(0, 0, 255), SavedColour(again));
  {
    SCOPED_TRACE("reloaded while the server is open");
    ExpectDrawn(again, RGB(0, 0, 255));
  }

  ::PostMessage(hServer, TESTSHAPE_CLOSE, 0, 0);
  EXPECT_TRUE(PumpUntil([&] { return Has(item->m_codes, OLE_CLOSED) && !item->IsRunning(); }));
  EXPECT_TRUE(ServerGone(10000));
  ::DeleteFile(path);
}

// A new item let go without ever being opened (its server started only to fill the cache),
// and a document that ends holding one, leave no server process behind.
TEST(OleServerItem, ItemsNeverOpenedLeaveNoServerWhenDeletedOrTheirDocumentEnds) {
  ASSERT_TRUE(RegisterTestServer());
  ASSERT_TRUE(ServerGone());
  {
    TestOleDoc doc;
    CountingItem* item = new CountingItem(&doc);
    ASSERT_TRUE(item->CreateNewItem(CLSID_TestShape));
    item->Delete();
    EXPECT_EQ(0, doc.GetItemCount());
    EXPECT_TRUE(ServerGone(10000)) << "deleted";
  }
  TestOleDoc* doc = new TestOleDoc;  // closing deletes it
  CountingItem* item = new CountingItem(doc);
  ASSERT_TRUE(item->CreateNewItem(CLSID_TestShape));
  doc->OnCloseDocument();
  EXPECT_TRUE(ServerGone(10000)) << "document closed";
}

// An object offered on the clipboard as "Embed Source" (a copy of an item's storage)
// becomes an item of its own class, drawn from the picture its storage brought.
TEST(OleServerItem, AnEmbeddedObjectFromTheClipboard) {
  ASSERT_TRUE(RegisterTestServer());
  TestOleDoc doc;
  CountingItem* item = new CountingItem(&doc);
  ASSERT_TRUE(item->CreateNewItem(CLSID_TestShape));
  ASSERT_TRUE(item->SaveObject());
  item->Close();
  ILockBytes* bytes = NULL;
  ASSERT_EQ(S_OK, ::CreateILockBytesOnHGlobal(NULL, TRUE, &bytes));
  IStorage* copy = NULL;
  ASSERT_EQ(S_OK, ::StgCreateDocfileOnILockBytes(bytes, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &copy));
  bytes->Release();
  ASSERT_EQ(S_OK, item->m_lpStorage->CopyTo(0, NULL, NULL, copy));
  copy->Commit(STGC_DEFAULT);
  item->Delete();
  ASSERT_TRUE(ServerGone());

  const CLIPFORMAT cfEmbedSource = (CLIPFORMAT)::RegisterClipboardFormat("Embed Source");
  COleDataSource* src = new COleDataSource;
  STGMEDIUM m = {};
  m.tymed = TYMED_ISTORAGE;
  m.pstg = copy;
  FORMATETC fe = {cfEmbedSource, NULL, DVASPECT_CONTENT, -1, TYMED_ISTORAGE};
  src->CacheData(cfEmbedSource, &m, &fe);
  src->SetClipboard();
  EXPECT_TRUE(COleClientItem::CanPaste());
  CountingItem* pasted = new CountingItem(&doc);
  ASSERT_TRUE(pasted->CreateFromClipboard());
  ::OleSetClipboard(NULL);
  ExpectTestShapeItem(pasted, RGB(255, 0, 0));
  pasted->Delete();
  EXPECT_TRUE(ServerGone());
}

// A file of the server's own extension is embedded through its class: the item is of that
// class, with the colour the file held.
TEST(OleServerItem, AnItemFromAFileOfTheServersType) {
  ASSERT_TRUE(RegisterTestServer());
  ASSERT_TRUE(ServerGone());
  const CString path = TempFile("qvz_ole_shape" TESTSHAPE_EXTENSION, NULL);
  {
    LPSTORAGE stg = NewFileStorage(path);
    ASSERT_NE(nullptr, stg);
    ::WriteClassStg(stg, CLSID_TestShape);
    IStream* s = NULL;
    ASSERT_EQ(S_OK, stg->CreateStream(L"Contents", STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_CREATE, 0, 0, &s));
    const COLORREF green = RGB(0, 160, 0);
    const SIZEL extent = {2540, 1270};
    const ULONG len = 4;
    s->Write(&green, 4, NULL);
    s->Write(&extent, 8, NULL);
    s->Write(&len, 4, NULL);
    s->Write("file", len, NULL);
    s->Release();
    stg->Commit(STGC_DEFAULT);
    stg->Release();
  }
  TestOleDoc doc;
  CountingItem* item = new CountingItem(&doc);
  ASSERT_TRUE(item->CreateFromFile(path));
  ExpectTestShapeItem(item, RGB(0, 160, 0));
  item->Delete();
  EXPECT_TRUE(ServerGone());
  ::DeleteFile(path);
}
