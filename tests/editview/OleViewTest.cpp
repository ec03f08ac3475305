// The editing view's embedded objects: items from files, the server's close, one item per
// visible object after undo, selection of items.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <vector>

#include "TestShapeServer.h"
#include "ViewFixture.h"
#include "afxodlgs.h"
#include "afxtest/PictureItem.h"
#include "jvqOleItem.h"
#include "jvqOleObject.h"

namespace {

// An object on the page showing a new picture item of the document, marked as opened.
jvqOleObject* AddOleObject(qvzDocument* d, jvqPage* page, DWORD dwState, BOOL bOpened) {
  jvqOleItem* item = new jvqOleItem(d, NULL);
  EXPECT_TRUE(MakePictureItem(item));
  item->m_bOpened = bOpened;
  const RECT r = {500, 500, 1000, 800};
  jvqOleObject* o = new jvqOleObject(&r, d->AddOleItem(item), page->m_pView, d);
  item->m_pOwner = o;
  o->m_dwState = dwState;
  page->AddChild(o);
  return o;
}

// An object active in place, as far as the view deals with it: it keeps the rectangles
// it is given.
class InPlaceObject : public IOleObject, public IOleInPlaceObject {
 public:
  RECT m_pos = {}, m_clip = {};
  int m_nSet = 0;
  int m_nDeactivated = 0;

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (riid == IID_IUnknown || riid == IID_IOleObject)
      *ppv = static_cast<IOleObject*>(this);
    else if (riid == IID_IOleInPlaceObject || riid == IID_IOleWindow)
      *ppv = static_cast<IOleInPlaceObject*>(this);
    else {
      *ppv = NULL;
      return E_NOINTERFACE;
    }
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP SetObjectRects(LPCRECT pos, LPCRECT clip) override {
    m_pos = *pos;
    m_clip = *clip;
    m_nSet++;
    return S_OK;
  }
  STDMETHODIMP GetWindow(HWND* p) override { return E_NOTIMPL; }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP InPlaceDeactivate() override {
    m_nDeactivated++;
    return S_OK;
  }
  STDMETHODIMP UIDeactivate() override { return S_OK; }
  STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }
  STDMETHODIMP SetClientSite(IOleClientSite*) override { return S_OK; }
  STDMETHODIMP GetClientSite(IOleClientSite** pp) override { return E_NOTIMPL; }
  STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
  STDMETHODIMP Close(DWORD) override { return S_OK; }
  STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
  STDMETHODIMP DoVerb(LONG, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) override { return E_NOTIMPL; }
  STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
  STDMETHODIMP Update() override { return S_OK; }
  STDMETHODIMP IsUpToDate() override { return S_OK; }
  STDMETHODIMP GetUserClassID(CLSID*) override { return E_NOTIMPL; }
  STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
  STDMETHODIMP SetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
  STDMETHODIMP GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
  STDMETHODIMP Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  STDMETHODIMP Unadvise(DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
  STDMETHODIMP GetMiscStatus(DWORD, DWORD*) override { return E_NOTIMPL; }
  STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }
};

}  // namespace

// A scroll moves the windows of an object being edited in place (active with its user
// interface) with the page; one merely active in place is left to its server.
TEST_F(ViewTest, AScrollMovesTheObjectActiveInPlace) {
  jvqOleObject* a = AddOleObject(m_doc, m_page, 0x311, FALSE);
  jvqOleItem* item = (jvqOleItem*)a->GetClientItem();
  InPlaceObject fake;
  LPOLEOBJECT real = item->m_lpObject;
  item->m_lpObject = &fake;
  item->m_pView = m_view;
  RECT client;
  m_view->GetClientRect(&client);
  for (UINT state : {COleClientItem::activeUIState, COleClientItem::activeState}) {
    SCOPED_TRACE(state);
    item->m_nItemState = state;
    fake.m_nSet = 0;
    const POINT before = Dev(P(500, 500));
    m_view->SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    m_view->SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    const POINT lt = Dev(P(500, 500)), rb = Dev(P(1000, 800));
    ASSERT_LT(lt.y, before.y);  // the page moved
    ASSERT_LT(lt.x, before.x);
    if (state == COleClientItem::activeState) {
      EXPECT_EQ(0, fake.m_nSet);
      continue;
    }
    EXPECT_EQ(2, fake.m_nSet);
    const RECT want = {lt.x, lt.y, rb.x, rb.y};
    EXPECT_TRUE(::EqualRect(&want, &fake.m_pos)) << fake.m_pos.left << " " << fake.m_pos.top << " " << fake.m_pos.right
                                                 << " " << fake.m_pos.bottom;
    EXPECT_TRUE(::EqualRect(&client, &fake.m_clip));
    // The server handing the same place back moves nothing: positions go both ways through
    // the scroll.
    m_doc->SetModifiedFlag(FALSE);
    EXPECT_TRUE(item->OnChangeItemPosition(CRect(fake.m_pos)));
    EXPECT_FALSE(m_doc->IsModified());
  }
  item->m_lpObject = real;
  item->m_nItemState = COleClientItem::loadedState;
  item->m_pView = NULL;
}

// Deactivating any object, or the page that passes it to every object, ends the in-place
// activity of whichever item is active in the view, once; an item active elsewhere is left.
TEST_F(ViewTest, DeactivateEndsWhicheverItemIsActiveInTheView) {
  jvqOleObject* a = AddOleObject(m_doc, m_page, 0x311, FALSE);
  jvqOleObject* b = AddOleObject(m_doc, m_page, 0x311, FALSE);
  jvqOleItem* item = (jvqOleItem*)b->GetClientItem();
  InPlaceObject fake;
  LPOLEOBJECT real = item->m_lpObject;
  item->m_lpObject = &fake;
  struct Case {
    const char* name;
    jvqObject* target;
    bool inThisView;
    int deactivated;
  } cases[] = {
      {"another object", a, true, 1},
      {"its own object", b, true, 1},
      {"the page", m_page, true, 1},
      {"active in no view of this window", a, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fake.m_nDeactivated = 0;
    item->m_nItemState = COleClientItem::activeUIState;
    item->m_pView = c.inThisView ? m_view : NULL;
    c.target->Deactivate();
    EXPECT_EQ(c.deactivated, fake.m_nDeactivated);
    EXPECT_EQ(c.deactivated ? (UINT)COleClientItem::loadedState : (UINT)COleClientItem::activeUIState,
              item->GetItemState());
    EXPECT_EQ(nullptr, m_doc->GetInPlaceActiveItem(m_view));
  }
  item->m_lpObject = real;
  item->m_nItemState = COleClientItem::loadedState;
  item->m_pView = NULL;
}

// A file no server can embed (missing, or of a type without a class: Wine refuses those
// rather than packaging them) leaves no item, no object and no message.
TEST_F(ViewTest, AFileThatCannotBeEmbeddedLeavesNothing) {
  char dir[MAX_PATH];
  ::GetTempPath(MAX_PATH, dir);
  const CString plain = CString(dir) + "qvz_view_ole.qvzunknown";
  FILE* f = fopen(plain, "wb");
  fputs("data", f);
  fclose(f);
  for (const CString& path : {CString(dir) + "qvz_view_ole_missing.txt", plain}) {
    const int children = m_page->GetChildCount();
    EXPECT_FALSE(m_view->InsertOleObjectFromFile(path, P(1000, 1000)));
    EXPECT_EQ(children, m_page->GetChildCount());
    EXPECT_EQ(0, m_doc->GetOleItemCount());
    EXPECT_EQ(0, m_doc->GetItemCount());
    EXPECT_TRUE(m_host.m_messages.empty());
  }
  ::DeleteFile(plain);
}

// The close of an item forgets it as the open item only when it is that item, and leaves
// the object's lock alone.
TEST_F(ViewTest, AfterACloseNoOpenItemAndTheLockKept) {
  jvqOleObject* a = AddOleObject(m_doc, m_page, 0x331, TRUE);
  jvqOleObject* b = AddOleObject(m_doc, m_page, 0x311, TRUE);
  jvqOleItem* ia = (jvqOleItem*)a->GetClientItem();
  jvqOleItem* ib = (jvqOleItem*)b->GetClientItem();
  m_view->SetOpenOleItem(ib);
  ia->OnChange(OLE_CLOSED, 0);  // another item closes: b stays the open one
  EXPECT_EQ(ib, m_view->GetOpenOleItem());
  EXPECT_TRUE(a->GetState() & JVQ_STATE_LOCKED);
  EXPECT_FALSE(ia->m_bOpened);
  ib->OnChange(OLE_CLOSED, 0);
  EXPECT_EQ(nullptr, m_view->GetOpenOleItem());
  EXPECT_TRUE(a->GetState() & JVQ_STATE_LOCKED);
  // Selection of items: the selected object's item only.
  m_view->Select(b, FALSE);
  EXPECT_TRUE(m_view->IsSelected(ib));
  EXPECT_FALSE(m_view->IsSelected(ia));
}

// Which items SyncOleItems replaces by clones, over the states undo leaves.
TEST_F(ViewTest, SyncOleItemsOverUndoCopies) {
  struct Case {
    const char* name;
    DWORD hidden;      // state of the first object (0: none)
    DWORD shown;       // state of a second object sharing its item (0: none)
    BOOL opened;
    BOOL replaced;
  };
  const Case cases[] = {
      {"hidden copy alone", 0x211, 0, TRUE, TRUE},
      {"hidden and shown copies share it", 0x211, 0x311, TRUE, FALSE},
      {"never opened", 0x211, 0, FALSE, FALSE},
      {"shown only", 0x311, 0, TRUE, FALSE},
      {"deleted copy alone", 0x011, 0, TRUE, TRUE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    m_doc->ResetContents();
    m_view->ResetView();
    jvqPage* page = m_view->GetCurrentPage();
    jvqOleObject* o = AddOleObject(m_doc, page, c.hidden, c.opened);
    if (c.shown) {
      jvqOleObject* copy = (jvqOleObject*)o->Clone();
      copy->m_dwState = c.shown;
      page->AddChild(copy);
    }
    COleClientItem* before = m_doc->GetOleItem(0);
    const DWORD number = before->m_dwItemNumber;
    m_view->SyncOleItems();
    COleClientItem* after = m_doc->GetOleItem(0);
    ASSERT_NE(nullptr, after);
    EXPECT_EQ(c.replaced, after->m_dwItemNumber != number);
    if (c.replaced) {
      EXPECT_FALSE(((jvqOleItem*)after)->m_bOpened);
      EXPECT_EQ(1, m_doc->GetItemCount());  // the old item is gone
    }
  }
}

namespace {

BOOL s_bDialogSeen = FALSE;

BOOL CALLBACK CancelDialog(HWND hWnd, LPARAM) {
  char cls[16] = "";
  ::GetClassName(hWnd, cls, sizeof cls);
  if (strcmp(cls, "#32770") != 0 || !::IsWindowVisible(hWnd)) return TRUE;
  s_bDialogSeen = TRUE;
  ::PostMessage(hWnd, WM_COMMAND, IDCANCEL, 0);
  return FALSE;
}

void CALLBACK CancelInsertDialog(HWND, UINT, UINT_PTR, DWORD) {
  ::EnumThreadWindows(::GetCurrentThreadId(), CancelDialog, 0);
}

}  // namespace

// 57856 reaches the view and shows the platform's insert-object dialog; cancelled, it
// changes nothing.
TEST_F(ViewTest, ACancelledInsertObjectDialogChangesNothing) {
  m_doc->SetModifiedFlag(FALSE);
  const int children = m_page->GetChildCount();
  s_bDialogSeen = FALSE;
  const UINT_PTR timer = ::SetTimer(NULL, 0, 300, CancelInsertDialog);
  m_frame->SendMessage(WM_COMMAND, ID_OLE_INSERT_NEW);
  ::KillTimer(NULL, timer);
  EXPECT_TRUE(s_bDialogSeen);
  EXPECT_EQ(children, m_page->GetChildCount());
  EXPECT_EQ(0, m_doc->GetItemCount());
  EXPECT_FALSE(m_doc->IsModified());
  EXPECT_TRUE(TestApp()->m_messages.empty());
}

// Esc (1190): the view repaints over a shown in-place editor only, and the item active in
// place in this view is closed, while one active in another window stays.
TEST_F(ViewTest, EscRepaintsOverTheEditorAndClosesTheActiveItem) {
  jvqOleObject* a = AddOleObject(m_doc, m_page, 0x311, FALSE);
  jvqOleItem* item = (jvqOleItem*)a->GetClientItem();
  CEdit* e = new CEdit;
  e->Create(WS_CHILD | ES_MULTILINE, CRect(0, 0, 10, 10), m_view, QVZ_EDITOR_ID);
  m_view->m_pEditor = e;
  for (BOOL shown : {FALSE, TRUE}) {
    e->ShowWindow(shown ? SW_SHOW : SW_HIDE);
    m_view->UpdateWindow();
    m_view->ValidateRect(NULL);
    m_view->SendMessage(WM_COMMAND, ID_QVZ_CANCEL, 0);  // no pump: the paint would validate
    EXPECT_EQ(shown, m_view->GetUpdateRect(NULL, FALSE)) << shown;
  }
  for (CView* where : {(CView*)(CWnd*)m_frame, (CView*)m_view}) {
    item->m_nItemState = COleClientItem::activeUIState;
    item->m_pView = where;
    Command(ID_QVZ_CANCEL);
    EXPECT_EQ(where == m_view ? COleClientItem::loadedState : COleClientItem::activeUIState, item->GetItemState());
  }
  item->m_nItemState = COleClientItem::loadedState;
  item->m_pView = NULL;
}

namespace {

// The paste-special dialog's list entry to choose (by the start of its text), or NULL for
// Cancel; what the list showed.
const char* s_pszChoice = NULL;
CString s_strEntries;
BOOL s_bChosen = FALSE;

BOOL CALLBACK ChooseInPasteSpecial(HWND hWnd, LPARAM) {
  char cls[16] = "";
  ::GetClassName(hWnd, cls, sizeof cls);
  if (strcmp(cls, "#32770") != 0 || !::IsWindowVisible(hWnd)) return TRUE;
  s_bDialogSeen = TRUE;
  HWND list = ::GetDlgItem(hWnd, IDC_PS_DISPLAYLIST);
  const int n = list ? (int)::SendMessage(list, LB_GETCOUNT, 0, 0) : 0;
  for (int i = 0; i < n && s_pszChoice; i++) {
    char text[256] = "";
    ::SendMessage(list, LB_GETTEXT, i, (LPARAM)text);
    s_strEntries += CString(text) + "|";
    if (!s_bChosen && strncmp(text, s_pszChoice, strlen(s_pszChoice)) == 0) {
      ::SendMessage(list, LB_SETCURSEL, i, 0);
      ::SendMessage(hWnd, WM_COMMAND, MAKEWPARAM(IDC_PS_DISPLAYLIST, LBN_SELCHANGE), (LPARAM)list);
      s_bChosen = TRUE;
    }
  }
  ::PostMessage(hWnd, WM_COMMAND, s_pszChoice ? IDOK : IDCANCEL, 0);
  return FALSE;
}

void CALLBACK ChooseTimer(HWND, UINT, UINT_PTR, DWORD) { ::EnumThreadWindows(::GetCurrentThreadId(), ChooseInPasteSpecial, 0); }

// A picture on the clipboard as an enhanced metafile and as a DIB.
void PutPictureOnClipboard() {
  HDC hMeta = ::CreateEnhMetaFile(NULL, NULL, NULL, NULL);
  const RECT all = {0, 0, 200, 100};
  ::FillRect(hMeta, &all, (HBRUSH)::GetStockObject(BLACK_BRUSH));
  COleDataSource* src = new COleDataSource;
  STGMEDIUM m = {};
  m.tymed = TYMED_ENHMF;
  m.hEnhMetaFile = ::CloseEnhMetaFile(hMeta);
  src->CacheData(CF_ENHMETAFILE, &m);
  const int w = 40, h = 20, stride = w * 3;
  HGLOBAL dib = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(BITMAPINFOHEADER) + stride * h);
  BITMAPINFOHEADER* bi = (BITMAPINFOHEADER*)::GlobalLock(dib);
  bi->biSize = sizeof(BITMAPINFOHEADER);
  bi->biWidth = w;
  bi->biHeight = h;
  bi->biPlanes = 1;
  bi->biBitCount = 24;
  ::GlobalUnlock(dib);
  src->CacheGlobalData(CF_DIB, dib);
  src->SetClipboard();
}

BOOL Offers(COleClientItem* item, CLIPFORMAT cf, DWORD tymed) {
  IDataObject* data = NULL;
  if (item->m_lpObject == NULL || FAILED(item->m_lpObject->QueryInterface(IID_IDataObject, (void**)&data))) return FALSE;
  FORMATETC fe = {cf, NULL, DVASPECT_CONTENT, -1, tymed};
  const BOOL b = data->QueryGetData(&fe) == S_OK;
  data->Release();
  return b;
}

}  // namespace

// 57639 with a picture on the clipboard: enabled; cancelled, nothing; the bitmap chosen in
// the dialog's list, a static item of it on the page as one undo step, neither opened nor
// selected, and undo takes it away.
TEST_F(ViewTest, PasteSpecialMakesAStaticItemOfTheChosenFormat) {
  ASSERT_TRUE(SUCCEEDED(::OleInitialize(NULL)));  // the OLE clipboard
  PutPictureOnClipboard();
  EXPECT_EQ(1, Probe(m_view, ID_EDIT_PASTE_SPECIAL).bEnabled);

  m_doc->SetModifiedFlag(FALSE);
  const int children = m_page->GetChildCount();
  const int step = theUndoManager.GetCurrentStep();
  s_bDialogSeen = FALSE;
  s_pszChoice = NULL;
  UINT_PTR timer = ::SetTimer(NULL, 0, 300, ChooseTimer);
  m_frame->SendMessage(WM_COMMAND, ID_EDIT_PASTE_SPECIAL);
  ::KillTimer(NULL, timer);
  EXPECT_TRUE(s_bDialogSeen);
  EXPECT_EQ(children, m_page->GetChildCount());
  EXPECT_EQ(0, m_doc->GetItemCount());

  s_bDialogSeen = s_bChosen = FALSE;
  s_strEntries.Empty();
  s_pszChoice = "デバイスに依存しないビットマップ";
  m_view->ClearSelection();
  timer = ::SetTimer(NULL, 0, 300, ChooseTimer);
  m_frame->SendMessage(WM_COMMAND, ID_EDIT_PASTE_SPECIAL);
  ::KillTimer(NULL, timer);
  EXPECT_TRUE(s_bChosen) << (LPCTSTR)s_strEntries;
  ASSERT_EQ(children + 1, m_page->GetChildCount());
  ASSERT_EQ(1, m_doc->GetItemCount());
  jvqObject* o = m_page->GetChild(children);
  EXPECT_EQ(JVQ_OBJ_OLE, o->GetClassCode());
  COleClientItem* item = ((jvqOleObject*)o)->GetClientItem();
  ASSERT_NE(nullptr, item);
  EXPECT_EQ(OT_STATIC, item->GetType());
  EXPECT_TRUE(Offers(item, CF_DIB, TYMED_HGLOBAL));
  EXPECT_FALSE(Offers(item, CF_ENHMETAFILE, TYMED_ENHMF));
  EXPECT_FALSE(((jvqOleItem*)item)->m_bOpened);
  EXPECT_EQ(0, m_view->GetSelectedCount());
  EXPECT_TRUE(m_doc->IsModified());
  EXPECT_EQ(step + 1, theUndoManager.GetCurrentStep());
  EXPECT_TRUE(TestApp()->m_messages.empty());
  Command(ID_EDIT_UNDO);
  EXPECT_FALSE(o->IsShown());
  ::OleSetClipboard(NULL);

  // A bitmap left on the clipboard by a program without OLE: its only entry, OK.
  {
    HGLOBAL dib = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(BITMAPINFOHEADER) + 120 * 3 * 80);
    BITMAPINFOHEADER* bi = (BITMAPINFOHEADER*)::GlobalLock(dib);
    bi->biSize = sizeof(BITMAPINFOHEADER);
    bi->biWidth = 120;
    bi->biHeight = 80;
    bi->biPlanes = 1;
    bi->biBitCount = 24;
    ::GlobalUnlock(dib);
    ASSERT_TRUE(::OpenClipboard(NULL));
    ::EmptyClipboard();
    ::SetClipboardData(CF_DIB, dib);
    ::CloseClipboard();
  }
  s_bDialogSeen = s_bChosen = FALSE;
  s_strEntries.Empty();
  timer = ::SetTimer(NULL, 0, 300, ChooseTimer);
  m_frame->SendMessage(WM_COMMAND, ID_EDIT_PASTE_SPECIAL);
  ::KillTimer(NULL, timer);
  EXPECT_TRUE(s_bChosen) << (LPCTSTR)s_strEntries;
  EXPECT_TRUE(TestApp()->m_messages.empty()) << (TestApp()->m_messages.empty() ? "" : TestApp()->m_messages[0].c_str());
  ASSERT_EQ(children + 2, m_page->GetChildCount());
  EXPECT_EQ(OT_STATIC, ((jvqOleObject*)m_page->GetChild(children + 1))->GetClientItem()->GetType());
  ASSERT_TRUE(::OpenClipboard(NULL));
  ::EmptyClipboard();
  ::CloseClipboard();
  EXPECT_EQ(0, Probe(m_view, ID_EDIT_PASTE_SPECIAL).bEnabled);
  ::OleUninitialize();
}

namespace {

// Runs the test server with the argument ("/RegServer", "/UnregServer") and waits for it.
bool RunTestServer(const char* pszArg) {
  char self[MAX_PATH];
  ::GetModuleFileName(NULL, self, MAX_PATH);
  *strrchr(self, '\\') = 0;
  CString cmd;
  cmd.Format("\"%s\\qvz_test_shape_server.exe\" %s", self, pszArg);
  STARTUPINFO si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi;
  if (!::CreateProcess(NULL, cmd.GetBuffer(0), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) return false;
  const bool ended = ::WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0;
  ::CloseHandle(pi.hProcess);
  ::CloseHandle(pi.hThread);
  return ended;
}

// The colour at the middle of an item drawn on its own into a white bitmap.
COLORREF DrawnMiddle(COleClientItem* item) {
  CDC dc;
  dc.Attach(::CreateCompatibleDC(NULL));
  CBitmap bm;
  HDC hScreen = ::GetDC(NULL);
  bm.Attach(::CreateCompatibleBitmap(hScreen, 100, 50));
  ::ReleaseDC(NULL, hScreen);
  CBitmap* old = dc.SelectObject(&bm);
  const RECT rc = {0, 0, 100, 50};
  ::FillRect(dc.m_hDC, &rc, (HBRUSH)::GetStockObject(WHITE_BRUSH));
  item->Draw(&dc, &rc);
  const COLORREF c = dc.GetPixel(50, 25);
  dc.SelectObject(old);
  ::DeleteDC(dc.Detach());
  return c;
}

}  // namespace

namespace {

// Messages for this thread (the server's calls arrive as messages) until pred holds, the
// server's start taking longer than PumpUntil waits.
template <class Pred>
bool WaitFor(Pred pred, DWORD ms = 20000) {
  const DWORD tEnd = ::GetTickCount() + ms;
  while (!pred()) {
    if (::GetTickCount() > tEnd) return false;
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) ::DispatchMessage(&msg);
    ::MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
  }
  return true;
}

bool NoServerLeft() {
  return WaitFor([] {
    HANDLE snap = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 pe = {};
    pe.dwSize = sizeof pe;
    bool found = false;
    for (BOOL b = ::Process32First(snap, &pe); b && !found; b = ::Process32Next(snap, &pe))
      found = _stricmp(pe.szExeFile, "qvz_test_shape_server.exe") == 0;
    ::CloseHandle(snap);
    return !found;
  });
}

}  // namespace

// With its server unregistered, an object is drawn from its item's cache, a double click
// on it reports that it cannot be opened, and a save keeps the item and its picture.
TEST_F(ViewTest, WithTheServerUnregisteredTheCacheDrawsAndADoubleClickReportsTheFailure) {
  ASSERT_TRUE(RunTestServer("/RegServer"));
  ASSERT_TRUE(NoServerLeft());  // a running server would still be reached
  jvqOleItem* item = new jvqOleItem(m_doc, NULL);
  ASSERT_TRUE(item->CreateNewItem(CLSID_TestShape));
  item->Close(OLECLOSE_SAVEIFDIRTY);
  ASSERT_TRUE(NoServerLeft());
  const RECT r = {200, 200, 600, 400};
  jvqOleObject* o = new jvqOleObject(&r, m_doc->AddOleItem(item), m_page->m_pView, m_doc);
  item->m_pOwner = o;
  o->m_dwState = 0x311;
  m_page->AddChild(o);
  ASSERT_TRUE(RunTestServer("/UnregServer"));

  EXPECT_EQ(RGB(255, 0, 0), PixelAt(P(400, 300)));
  m_host.m_messages.clear();
  Click(P(300, 200));
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, P(300, 200));
  Release(P(300, 200));
  ASSERT_EQ(1u, m_host.m_messages.size());
  EXPECT_EQ("オブジェクトを開くことができませんでした。", m_host.m_messages[0]);
  EXPECT_EQ(nullptr, m_view->GetOpenOleItem());

  char dir[MAX_PATH];
  ::GetTempPath(MAX_PATH, dir);
  const CString path = CString(dir) + "qvz_view_unregistered.vqd";
  ASSERT_TRUE(m_doc->OnSaveDocument(path));
  qvzDocument back;
  back.OnNewDocument();
  ASSERT_TRUE(back.OnOpenDocument(path));
  ASSERT_EQ(1, back.GetOleItemCount());
  EXPECT_EQ(RGB(255, 0, 0), DrawnMiddle(back.GetOleItem(0)));
  back.ResetContents();
  ::DeleteFile(path);
  EXPECT_TRUE(RunTestServer("/RegServer"));
}


// The test server asked to activate in place shows itself in a window inside the view over
// its object; a scroll moves that window with the page, a move by the server moves the
// object, and deactivating the page ends it, leaving no server running.
TEST_F(ViewTest, AServerActiveInPlaceFollowsTheViewAndMovesItsObject) {
  ASSERT_TRUE(RunTestServer("/RegServer"));
  ASSERT_TRUE(NoServerLeft());
  jvqOleItem* item = new jvqOleItem(m_doc, NULL);
  ASSERT_TRUE(item->CreateNewItem(CLSID_TestShape));
  const RECT r = {500, 500, 1000, 800};
  jvqOleObject* o = new jvqOleObject(&r, m_doc->AddOleItem(item), m_page->m_pView, m_doc);
  item->m_pOwner = o;
  o->m_dwState = 0x311;
  m_page->AddChild(o);

  ASSERT_TRUE(item->DoVerb(OLEIVERB_UIACTIVATE, m_view));
  EXPECT_EQ((UINT)COleClientItem::activeUIState, item->GetItemState());
  EXPECT_EQ(item, m_doc->GetInPlaceActiveItem(m_view));
  const HWND hIn = ::FindWindowEx(m_view->GetSafeHwnd(), NULL, TESTSHAPE_WINDOW_CLASS, NULL);
  ASSERT_NE(nullptr, hIn);
  const auto placed = [&] {
    RECT w;
    ::GetWindowRect(hIn, &w);
    ::MapWindowPoints(NULL, m_view->GetSafeHwnd(), (POINT*)&w, 2);
    return w;
  };
  const auto over = [&](const RECT& logical) {
    const POINT lt = Dev(P(logical.left, logical.top)), rb = Dev(P(logical.right, logical.bottom));
    return RECT{lt.x, lt.y, rb.x, rb.y};
  };
  const auto same = [](const RECT& a, const RECT& b) {
    return ::testing::AssertionResult(::EqualRect(&a, &b) != 0)
           << a.left << "," << a.top << "," << a.right << "," << a.bottom << " against " << b.left << "," << b.top
           << "," << b.right << "," << b.bottom;
  };
  EXPECT_TRUE(same(over(r), placed()));

  m_view->SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
  m_view->SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
  EXPECT_TRUE(same(over(r), placed())) << "scrolled";

  m_doc->SetModifiedFlag(FALSE);
  const RECT before = placed();
  ::PostMessage(hIn, TESTSHAPE_MOVEINPLACE, 40, 20);
  ASSERT_TRUE(WaitFor([&] { return m_doc->IsModified() != FALSE; }));
  RECT moved;
  o->GetHandlePointBounds(&moved);
  EXPECT_GT(moved.left, r.left);
  EXPECT_GT(moved.top, r.top);
  RECT want = before;
  ::OffsetRect(&want, 40, 20);
  EXPECT_TRUE(same(want, placed())) << "moved by the server";

  m_page->Deactivate();
  EXPECT_TRUE(WaitFor([&] { return !::IsWindow(hIn); }));
  EXPECT_EQ((UINT)COleClientItem::loadedState, item->GetItemState());
  EXPECT_EQ(nullptr, m_doc->GetInPlaceActiveItem(m_view));

  m_doc->ResetContents();
  m_view->ResetView();
  m_page = m_view->GetCurrentPage();
  EXPECT_TRUE(NoServerLeft());
}

// Two objects of the test server, the first recoloured in its server and then replaced by
// its clone: the board and its copy read back draw each object in its own item's colour.
// A reset of the board, its second item never opened, leaves no server running.
TEST_F(ViewTest, AfterACloneReplacementEachObjectShowsItsOwnItem) {
  ASSERT_TRUE(RunTestServer("/RegServer"));
  ASSERT_TRUE(NoServerLeft());
  for (int i = 0; i < 2; i++) {
    jvqOleItem* item = new jvqOleItem(m_doc, NULL);
    ASSERT_TRUE(item->CreateNewItem(CLSID_TestShape));
    const RECT r = {200 + 500 * i, 200, 600 + 500 * i, 400};
    jvqOleObject* o = new jvqOleObject(&r, m_doc->AddOleItem(item), m_page->m_pView, m_doc);
    item->m_pOwner = o;
    o->m_dwState = 0x311;
    m_page->AddChild(o);
  }
  const COLORREF green = RGB(0, 160, 0), red = RGB(255, 0, 0);
  jvqOleItem* first = (jvqOleItem*)m_doc->GetOleItem(0);
  ASSERT_TRUE(first->DoVerb(OLEIVERB_OPEN, NULL));
  HWND hServer = NULL;
  ASSERT_TRUE(WaitFor([&] { return (hServer = ::FindWindow(NULL, TESTSHAPE_TYPE)) != NULL; }));
  ::PostMessage(hServer, TESTSHAPE_SETCOLOR, green, 0);
  ::PostMessage(hServer, TESTSHAPE_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return ::FindWindow(NULL, TESTSHAPE_TYPE) == NULL; }));
  m_view->ReplaceOleItemWithClone(0);
  ASSERT_NE(first, m_doc->GetOleItem(0));
  EXPECT_EQ(2, m_doc->GetItemCount());
  EXPECT_EQ(green, DrawnMiddle(m_doc->GetOleItem(0)));
  EXPECT_EQ(red, DrawnMiddle(m_doc->GetOleItem(1)));

  char dir[MAX_PATH];
  ::GetTempPath(MAX_PATH, dir);
  const CString path = CString(dir) + "qvz_view_clone.vqd";
  ASSERT_TRUE(m_doc->OnSaveDocument(path));
  qvzDocument back;
  back.OnNewDocument();
  ASSERT_TRUE(back.OnOpenDocument(path));
  jvqPage* p = back.m_pBoard->GetPage(0);
  std::vector<jvqOleObject*> objects;
  for (int i = 0; i < p->GetChildCount(); i++)
    if (p->GetChild(i)->GetClassCode() == JVQ_OBJ_OLE) objects.push_back((jvqOleObject*)p->GetChild(i));
  ASSERT_EQ(2u, objects.size());
  for (int i = 0; i < 2; i++) {
    SCOPED_TRACE(i);
    ASSERT_NE(nullptr, objects[i]->GetClientItem());
    EXPECT_EQ(i == 0 ? green : red, DrawnMiddle(objects[i]->GetClientItem()));
  }
  back.ResetContents();
  ::DeleteFile(path);

  m_doc->ResetContents();
  m_view->ResetView();
  m_page = m_view->GetCurrentPage();
  EXPECT_TRUE(NoServerLeft());
}
