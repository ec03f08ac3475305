// Objects served to another program: a factory registered by its "/RegServer" keys and
// started by the platform, automation with an empty dispatch map, and the OLE commands of
// a document (paste special, links, convert, send mail) as a user meets them.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "OleTestSupport.h"
#include "afxdisp.h"
#include "afxodlgs.h"

// {6C1B3E52-3F0A-4C8B-9E3D-2A7B5C1D0E41}
const CLSID CLSID_QvzTestAutomation = {0x6c1b3e52, 0x3f0a, 0x4c8b, {0x9e, 0x3d, 0x2a, 0x7b, 0x5c, 0x1d, 0x0e, 0x41}};

namespace {
COleObjectFactory* TestFactory() {
  static COleObjectFactory factory(CLSID_QvzTestAutomation, RUNTIME_CLASS(CAutomationTarget), FALSE,
                                   "QVZ.TestAutomation");
  return &factory;
}
}  // namespace

int RunAutomationServer() {
  if (!TestFactory()->Register()) return 4;
  // Served until the one object made is released again (or 30 s pass).
  BOOL bServed = FALSE;
  const DWORD tEnd = ::GetTickCount() + 30000;
  while (::GetTickCount() < tEnd) {
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) ::DispatchMessage(&msg);
    if (AfxOleGetLockCount() > 0) bServed = TRUE;
    if (bServed && AfxOleCanExitApp()) break;
    ::MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_ALLINPUT);
  }
  TestFactory()->Revoke();
  return bServed ? 0 : 5;
}

namespace {

CString ClassesRootValue(const CString& key) {
  char sz[MAX_PATH * 2] = {};
  LONG n = sizeof sz;
  if (::RegQueryValue(HKEY_CLASSES_ROOT, key, sz, &n) != ERROR_SUCCESS) return "<none>";
  return sz;
}

// Presses a button of the dialog the thread shows next, and keeps the text it showed.
struct DialogPresser {
  static DialogPresser* s_pThis;
  int m_nButton;
  CString m_strText;
  BOOL m_bSeen = FALSE;
  UINT_PTR m_nTimer;
  explicit DialogPresser(int nButton) : m_nButton(nButton) {
    s_pThis = this;
    m_nTimer = ::SetTimer(NULL, 0, 100, Tick);
  }
  ~DialogPresser() {
    ::KillTimer(NULL, m_nTimer);
    s_pThis = NULL;
  }
  static BOOL CALLBACK Find(HWND hWnd, LPARAM) {
    char cls[32];
    ::GetClassName(hWnd, cls, sizeof cls);
    if (strcmp(cls, "#32770") != 0 || !::IsWindowVisible(hWnd)) return TRUE;
    DialogPresser* p = s_pThis;
    if (p->m_bSeen) return FALSE;
    p->m_bSeen = TRUE;
    // A message box keeps its text in the static of id 0xFFFF.
    char text[512] = {};
    ::GetDlgItemText(hWnd, 0xFFFF, text, sizeof text);
    p->m_strText = text;
    ::PostMessage(hWnd, WM_COMMAND, p->m_nButton, 0);
    return FALSE;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (s_pThis) ::EnumThreadWindows(::GetCurrentThreadId(), Find, 0);
  }
};
DialogPresser* DialogPresser::s_pThis = NULL;

HENHMETAFILE RedPicture() {
  HDC hMeta = ::CreateEnhMetaFile(NULL, NULL, NULL, NULL);
  HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
  const RECT all = {0, 0, 200, 100};
  ::FillRect(hMeta, &all, red);
  ::DeleteObject(red);
  return ::CloseEnhMetaFile(hMeta);
}

class PlainOleDoc : public COleDocument {
 public:
  PlainOleDoc() { EnableCompoundFile(); }
  BOOL OnSaveDocument(LPCTSTR lpszPathName) override {
    m_strSavedTo = lpszPathName;
    FILE* f = fopen(lpszPathName, "wb");
    if (f == NULL) return FALSE;
    fputs("board", f);
    fclose(f);
    SetModifiedFlag(FALSE);
    return TRUE;
  }
  CString m_strSavedTo;
};

CString s_strMailedPath, s_strMailedName, s_strMailedBytes;
ULONG s_nMailResult = 0;
ULONG PASCAL FakeSendMail(ULONG_PTR, ULONG_PTR, void* lpMessage, ULONG, ULONG) {
  // The file entry: reserved, flags, position, then the path and the name.
  struct File {
    ULONG a, b, c;
    LPSTR path, name;
    LPVOID type;
  };
  struct Msg {
    ULONG r;
    LPSTR s[5];
    ULONG f;
    LPVOID o;
    ULONG nr;
    LPVOID rp;
    ULONG nf;
    File* files;
  };
  Msg* m = (Msg*)lpMessage;
  if (m->nf == 1) {
    s_strMailedPath = m->files->path;
    s_strMailedName = m->files->name;
    char buf[16] = {};
    if (FILE* f = fopen(m->files->path, "rb")) {
      fread(buf, 1, 15, f);
      fclose(f);
    }
    s_strMailedBytes = buf;
  }
  return s_nMailResult;
}

}  // namespace

// Registered as "/RegServer" would, started by the platform on the first request, and
// ended when its object is released; unknown names are refused; unregistering removes
// every key.
TEST(OleObjectFactory, RegisteredServerStartsServesAutomationAndEnds) {
  COleObjectFactory* f = TestFactory();
  ASSERT_TRUE(f->UpdateRegistry(TRUE));
  const CString clsid = AfxStringFromCLSID(CLSID_QvzTestAutomation);
  char self[MAX_PATH];
  ::GetModuleFileName(NULL, self, MAX_PATH);
  EXPECT_EQ(CString(self) + " /Automation", ClassesRootValue("CLSID\\" + clsid + "\\LocalServer32"));
  EXPECT_EQ(clsid, ClassesRootValue("QVZ.TestAutomation\\CLSID"));
  CLSID fromProgId;
  ASSERT_EQ(S_OK, ::CLSIDFromProgID(L"QVZ.TestAutomation", &fromProgId));
  EXPECT_TRUE(IsEqualCLSID(fromProgId, CLSID_QvzTestAutomation));

  IDispatch* pDisp = NULL;
  ASSERT_EQ(S_OK, ::CoCreateInstance(CLSID_QvzTestAutomation, NULL, CLSCTX_LOCAL_SERVER, IID_IDispatch, (void**)&pDisp));
  LPOLESTR names[1] = {(LPOLESTR)L"Visible"};
  DISPID id = 0;
  EXPECT_EQ(DISP_E_UNKNOWNNAME, pDisp->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
  EXPECT_EQ(DISPID_UNKNOWN, id);
  DISPPARAMS none = {};
  VARIANT result;
  ::VariantInit(&result);
  EXPECT_EQ(DISP_E_MEMBERNOTFOUND,
            pDisp->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, &result, NULL, NULL));
  UINT nInfo = 9;
  EXPECT_EQ(S_OK, pDisp->GetTypeInfoCount(&nInfo));
  EXPECT_EQ(0u, nInfo);
  // The server process is the one holding the object: find it before letting go.
  pDisp->Release();
  // The process ends once released: a second request starts a new one, which also ends.
  ASSERT_EQ(S_OK, ::CoCreateInstance(CLSID_QvzTestAutomation, NULL, CLSCTX_LOCAL_SERVER, IID_IDispatch, (void**)&pDisp));
  pDisp->Release();

  ASSERT_TRUE(f->UpdateRegistry(FALSE));
  EXPECT_EQ("<none>", ClassesRootValue("CLSID\\" + clsid));
  EXPECT_EQ("<none>", ClassesRootValue("QVZ.TestAutomation"));
}

// In this process, a factory hands out objects holding the application while they live;
// a single-use factory serves one.
TEST(OleObjectFactory, ObjectsHoldTheApplicationAndSingleUseServesOne) {
  COleObjectFactory single(CLSID_QvzTestAutomation, RUNTIME_CLASS(CAutomationTarget), TRUE, NULL);
  const LONG nLocks = AfxOleGetLockCount();
  IDispatch* p = NULL;
  ASSERT_EQ(S_OK, single.m_xClassFactory.CreateInstance(NULL, IID_IDispatch, (void**)&p));
  EXPECT_EQ(nLocks + 1, AfxOleGetLockCount());
  IUnknown* pUnk = NULL;
  EXPECT_EQ(S_OK, p->QueryInterface(IID_IUnknown, (void**)&pUnk));
  pUnk->Release();
  IUnknown* pOle = NULL;
  EXPECT_EQ(E_NOINTERFACE, p->QueryInterface(IID_IOleObject, (void**)&pOle));
  IDispatch* q = NULL;
  EXPECT_EQ(CO_E_SERVER_STOPPING, single.m_xClassFactory.CreateInstance(NULL, IID_IDispatch, (void**)&q));
  EXPECT_EQ(nullptr, q);
  EXPECT_EQ(0u, p->Release());
  EXPECT_EQ(nLocks, AfxOleGetLockCount());
  EXPECT_EQ(E_NOINTERFACE, TestFactory()->m_xClassFactory.CreateInstance(NULL, IID_IOleObject, (void**)&q));
  EXPECT_EQ(nLocks, AfxOleGetLockCount());  // the refused object is gone again
}

// Paste special over a picture on the clipboard: a cancel makes nothing; OK on the
// picture makes a static item of it.
TEST(OlePasteSpecial, CancelMakesNothingAndAPictureBecomesAStaticItem) {
  COleDataSource* src = new COleDataSource;
  STGMEDIUM m = {};
  m.tymed = TYMED_ENHMF;
  m.hEnhMetaFile = RedPicture();
  src->CacheData(CF_ENHMETAFILE, &m);
  src->SetClipboard();
  PlainOleDoc doc;
  for (int button : {IDCANCEL, IDOK}) {
    SCOPED_TRACE(button);
    COlePasteSpecialDialog dlg(PSF_SELECTPASTE);
    dlg.AddStandardFormats(TRUE);
    ASSERT_EQ(7, dlg.m_ps.cPasteEntries);
    ASSERT_EQ(1, dlg.m_ps.cLinkTypes);
    INT_PTR r;
    {
      DialogPresser press(button);
      r = dlg.DoModal();
      EXPECT_TRUE(press.m_bSeen);
    }
    if (button == IDCANCEL) {
      EXPECT_EQ(IDCANCEL, r);
      EXPECT_EQ(0, doc.GetItemCount());
      continue;
    }
    ASSERT_EQ(IDOK, r);
    EXPECT_EQ(COlePasteSpecialDialog::pasteStatic, dlg.GetSelectionType());
    COleClientItem* item = new COleClientItem(&doc);
    ASSERT_TRUE(dlg.CreateItem(item));
    EXPECT_EQ(OT_STATIC, item->GetType());
  }
  EXPECT_EQ(1, doc.GetItemCount());
  ::OleSetClipboard(NULL);
}

// Send Mail hands the mail system a copy of the document and leaves the document's name
// and changes as they were; a failing mail system is reported.
TEST(OleDocumentCommands, SendMailSendsACopyAndLinksAndConvertChangeNothing) {
  PlainOleDoc doc;
  doc.m_strPathName = "C:\\boards\\a.vqd";
  doc.m_strTitle = "a.vqd";
  doc.SetModifiedFlag(TRUE);
  COleDocument::s_pfnSendMail = FakeSendMail;
  s_nMailResult = 0;
  {
    DialogPresser press(IDOK);
    doc.OnFileSendMail();
    EXPECT_FALSE(press.m_bSeen);
  }
  EXPECT_EQ("board", s_strMailedBytes);
  EXPECT_EQ("a.vqd", s_strMailedName);
  EXPECT_EQ(doc.m_strSavedTo, s_strMailedPath);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributes(s_strMailedPath));  // the copy is gone
  EXPECT_EQ("C:\\boards\\a.vqd", doc.GetPathName());
  EXPECT_TRUE(doc.IsModified());
  s_nMailResult = 2;  // MAPI_E_FAILURE
  {
    DialogPresser press(IDOK);
    doc.OnFileSendMail();
    // The presser runs from the message box's own loop.
    EXPECT_EQ("メール システムが見つからないため、送信できません。", press.m_strText);
  }
  COleDocument::s_pfnSendMail = NULL;

  // Wine has no links dialog: the command says so; the document is left alone.
  {
    DialogPresser press(IDCANCEL);
    doc.OnEditLinks();
    EXPECT_TRUE(press.m_strText.IsEmpty() || press.m_strText.Find("リンク") >= 0) << (LPCTSTR)press.m_strText;
  }
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(0, doc.GetItemCount());
}
