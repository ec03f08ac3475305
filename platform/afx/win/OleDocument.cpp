// A document with embedded items: the item list and the storage the items live in.
#include "afxole.h"

#include <oledlg.h>

IMPLEMENT_DYNAMIC(CDocItem, CCmdTarget)
IMPLEMENT_DYNAMIC(COleDocument, CDocument)

CDocItem::~CDocItem() {
  if (m_pDocument != NULL) m_pDocument->RemoveItem(this);
}

COleDocument::COleDocument()
    : m_bCompoundFile(FALSE), m_lpRootStg(NULL), m_lpWorkStg(NULL), m_dwNextItemNumber(1) {}

COleDocument::~COleDocument() {
  // Items still held go with the document: each removes itself from the list.
  while (!m_docItemList.IsEmpty()) {
    CDocItem* pItem = (CDocItem*)m_docItemList.GetHead();
    if (COleClientItem* pClient = dynamic_cast<COleClientItem*>(pItem))
      pClient->Delete(TRUE);
    else
      delete pItem;
  }
  if (m_lpWorkStg) m_lpWorkStg->Release();
}

void COleDocument::AddItem(CDocItem* pItem) {
  if (pItem == NULL || m_docItemList.Find(pItem) != NULL) return;
  m_docItemList.AddTail(pItem);
  pItem->m_pDocument = this;
}

void COleDocument::RemoveItem(CDocItem* pItem) {
  POSITION pos = m_docItemList.Find(pItem);
  if (pos != NULL) m_docItemList.RemoveAt(pos);
  if (pItem->m_pDocument == this) pItem->m_pDocument = NULL;
}

COleClientItem* COleDocument::GetNextClientItem(POSITION& pos) const {
  while (pos != NULL) {
    CDocItem* p = GetNextItem(pos);
    if (p != NULL && p->IsKindOf(RUNTIME_CLASS(COleClientItem))) return (COleClientItem*)p;
  }
  return NULL;
}

COleClientItem* COleDocument::GetInPlaceActiveItem(CWnd* pWnd) {
  POSITION pos = GetStartPosition();
  while (COleClientItem* p = GetNextClientItem(pos)) {
    if ((p->GetItemState() == COleClientItem::activeState || p->GetItemState() == COleClientItem::activeUIState) &&
        (pWnd == NULL || (CWnd*)p->m_pView == pWnd))
      return p;
  }
  return NULL;
}

void COleDocument::UpdateModifiedFlag() {
  POSITION pos = GetStartPosition();
  while (COleClientItem* p = GetNextClientItem(pos)) {
    if (p->IsModified()) {
      SetModifiedFlag(TRUE);
      return;
    }
  }
}

LPSTORAGE COleDocument::GetWorkStorage() {
  if (m_lpWorkStg != NULL) return m_lpWorkStg;
  ILockBytes* pBytes = NULL;
  if (FAILED(::CreateILockBytesOnHGlobal(NULL, TRUE, &pBytes))) return NULL;
  const HRESULT hr = ::StgCreateDocfileOnILockBytes(
      pBytes, STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_CREATE, 0, &m_lpWorkStg);
  pBytes->Release();
  if (FAILED(hr)) m_lpWorkStg = NULL;
  return m_lpWorkStg;
}

void COleDocument::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    DWORD n = 0;
    POSITION pos = GetStartPosition();
    while (pos != NULL)
      if (!GetNextItem(pos)->IsBlank()) n++;
    ar << n;
    pos = GetStartPosition();
    while (pos != NULL) {
      CDocItem* p = GetNextItem(pos);
      if (!p->IsBlank()) ar.WriteObject(p);
    }
    return;
  }
  DWORD n = 0;
  ar >> n;
  LoadItems(ar, n);
}

void COleDocument::LoadItems(CArchive& ar, DWORD n) {
  // Each item takes at least a class index and its own 12 bytes.
  ar.Flush();
  CFile* pFile = ar.GetFile();
  const ULONGLONG left = pFile->GetLength() - pFile->GetPosition();
  if (n > left / 14) AfxThrowArchiveException(CArchiveException::badIndex);
  // A list that does not read whole leaves none of its items behind.
  const INT_PTR nBefore = m_docItemList.GetCount();
  try {
    ReadItems(ar, n);
  } catch (...) {
    while (m_docItemList.GetCount() > nBefore) {
      CDocItem* p = (CDocItem*)m_docItemList.GetTail();
      if (COleClientItem* c = dynamic_cast<COleClientItem*>(p))
        c->Delete(TRUE);
      else
        delete p;
    }
    throw;
  }
}

void COleDocument::ReadItems(CArchive& ar, DWORD n) {
  for (DWORD i = 0; i < n; i++) {
    // Items add themselves to the list as they are read; anything else is refused.
    CObject* p = ar.ReadObject(NULL);
    if (p == NULL || !p->IsKindOf(RUNTIME_CLASS(CDocItem))) AfxThrowArchiveException(CArchiveException::badClass);
    if (((CDocItem*)p)->m_pDocument != this) {
      delete p;
      AfxThrowArchiveException(CArchiveException::badClass);
    }
  }
}

/////////////////////////////////////////////////////////////////////////////
// The OLE commands of a document

BEGIN_MESSAGE_MAP(COleDocument, CDocument)
ON_UPDATE_COMMAND_UI_RANGE(ID_OLE_VERB_FIRST, ID_OLE_VERB_LAST, COleDocument::OnUpdateObjectVerbMenu)
ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE_LINK, COleDocument::OnUpdatePasteLinkMenu)
ON_UPDATE_COMMAND_UI(ID_OLE_EDIT_LINKS, COleDocument::OnUpdateEditLinksMenu)
ON_COMMAND(ID_OLE_EDIT_LINKS, COleDocument::OnEditLinks)
ON_COMMAND(ID_OLE_EDIT_CONVERT, COleDocument::OnEditConvert)
ON_COMMAND(ID_FILE_SEND_MAIL, COleDocument::OnFileSendMail)
ON_UPDATE_COMMAND_UI(ID_FILE_SEND_MAIL, COleDocument::OnUpdateFileSendMail)
END_MESSAGE_MAP()

COleDocument::SendMailProc COleDocument::s_pfnSendMail = NULL;

int COleDocument::AskToDiscardInSendMessage() {
  if (!::InSendMessage()) return -1;
  // The sender waits for us: no server may be called back, so any item that answers
  // with an error lets the user decide whether its changes may go.
  POSITION pos = GetStartPosition();
  while (COleClientItem* p = GetNextClientItem(pos)) {
    if (p->m_lpObject == NULL) continue;
    const HRESULT hr = p->m_lpObject->IsUpToDate();
    if (FAILED(hr) && hr != OLE_E_NOTRUNNING) return AfxMessageBox(AFX_IDP_ASK_TO_DISCARD, MB_OKCANCEL) == IDOK;
  }
  return -1;
}

BOOL COleDocument::SaveModified() {
  const int nDecided = AskToDiscardInSendMessage();
  if (nDecided >= 0) return nDecided;
  UpdateModifiedFlag();
  return CDocument::SaveModified();
}

COleClientItem* COleDocument::GetPrimarySelectedItem(CView* pView) {
  if (pView == NULL) return NULL;
  COleClientItem* pSelected = NULL;
  POSITION pos = GetStartPosition();
  while (COleClientItem* p = GetNextClientItem(pos)) {
    if (!pView->IsSelected(p)) continue;
    if (pSelected != NULL) return NULL;  // more than one
    pSelected = p;
  }
  return pSelected;
}

namespace {
CView* ActiveView() {
  CWnd* pMain = AfxGetMainWnd();
  CFrameWnd* pFrame = pMain ? dynamic_cast<CFrameWnd*>(pMain) : NULL;
  return pFrame ? pFrame->GetActiveView() : NULL;
}
}  // namespace

BOOL AFXAPI AfxOleSetEditMenu(COleClientItem* pItem, CMenu* pMenu, UINT nPosition, UINT nIDVerbMin, UINT nIDVerbMax,
                              UINT nIDConvert) {
  if (pMenu == NULL || pMenu->m_hMenu == NULL) return FALSE;
  HMENU hPopup = NULL;
  const LPOLEOBJECT lpObject = pItem ? pItem->m_lpObject : NULL;
  // The platform writes "<verb> <type> Object" or the popup of all verbs at the position.
  const BOOL bOk = ::OleUIAddVerbMenuA(lpObject, NULL, pMenu->m_hMenu, nPosition, nIDVerbMin, nIDVerbMax,
                                       nIDConvert != 0, nIDConvert, &hPopup);
  return bOk && lpObject != NULL;
}

void COleDocument::OnUpdateObjectVerbMenu(CCmdUI* pCmdUI) {
  if (pCmdUI->m_pMenu == NULL) {
    pCmdUI->Enable(GetPrimarySelectedItem(ActiveView()) != NULL);
    return;
  }
  AfxOleSetEditMenu(GetPrimarySelectedItem(ActiveView()), pCmdUI->m_pMenu, pCmdUI->m_nIndex, ID_OLE_VERB_FIRST,
                    ID_OLE_VERB_LAST, ID_OLE_EDIT_CONVERT);
}

void COleDocument::OnUpdatePasteLinkMenu(CCmdUI* pCmdUI) { pCmdUI->Enable(COleClientItem::CanPasteLink()); }

void COleDocument::OnUpdateEditLinksMenu(CCmdUI* pCmdUI) {
  POSITION pos = GetStartPosition();
  while (COleClientItem* p = GetNextClientItem(pos)) {
    if (p->GetType() == OT_LINK) {
      pCmdUI->Enable(TRUE);
      return;
    }
  }
  pCmdUI->Enable(FALSE);
}

namespace {
// Whether oledlg's dialog answers anything but "not built" for an empty request: Wine's
// Links and Convert dialogs are stubs that show nothing and return OLEUI_FALSE.
const char kNoLinksDialog[] = "この環境にはリンクの設定ダイアログがないため、リンクを編集できません。";
const char kNoConvertDialog[] = "この環境には変換ダイアログがないため、オブジェクトを変換できません。";
const char kNoMail[] = "メール システムが見つからないため、送信できません。";
}  // namespace

void COleDocument::OnEditLinks() {
  // Nothing of the document changes here: the platform's dialog edits the links itself.
  OLEUIEDITLINKSA el = {};
  el.cbStruct = sizeof el;
  CWnd* pMain = AfxGetMainWnd();
  el.hWndOwner = pMain ? pMain->GetSafeHwnd() : NULL;
  el.lpOleUILinkContainer = NULL;  // without our container interface the platform refuses
  const UINT r = ::OleUIEditLinksA(&el);
  if (r != OLEUI_OK && r != OLEUI_CANCEL) AfxMessageBox(kNoLinksDialog);
}

void COleDocument::OnEditConvert() {
  COleClientItem* pItem = GetPrimarySelectedItem(ActiveView());
  if (pItem == NULL || pItem->m_lpObject == NULL) return;
  OLEUICONVERTA cv = {};
  cv.cbStruct = sizeof cv;
  CWnd* pMain = AfxGetMainWnd();
  cv.hWndOwner = pMain ? pMain->GetSafeHwnd() : NULL;
  pItem->m_lpObject->GetUserClassID(&cv.clsid);
  cv.dvAspect = pItem->GetDrawAspect();
  cv.wFormat = 0;
  cv.fIsLinkedObject = pItem->GetType() == OT_LINK;
  const UINT r = ::OleUIConvertA(&cv);
  if (r == OLEUI_CANCEL) return;
  if (r != OLEUI_OK) {
    AfxMessageBox(kNoConvertDialog);
    return;
  }
  // Only the drawing aspect is taken over; converting to another class needs the server.
  if (cv.dvAspect != (DWORD)pItem->GetDrawAspect()) {
    pItem->m_nDrawAspect = (DVASPECT)cv.dvAspect;
    SetModifiedFlag();
    UpdateAllViews(NULL);
  }
}

namespace {
// The parts of the mail system's message we fill (its layout as the platform defines it).
struct MailFile {
  ULONG ulReserved, flFlags, nPosition;
  LPSTR lpszPathName, lpszFileName;
  LPVOID lpFileType;
};
struct MailMessage {
  ULONG ulReserved;
  LPSTR lpszSubject, lpszNoteText, lpszMessageType, lpszDateReceived, lpszConversationID;
  ULONG flFlags;
  LPVOID lpOriginator;
  ULONG nRecipCount;
  LPVOID lpRecips;
  ULONG nFileCount;
  MailFile* lpFiles;
};
}  // namespace

void COleDocument::OnUpdateFileSendMail(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }

void COleDocument::OnFileSendMail() {
  SendMailProc pfn = s_pfnSendMail;
  HMODULE hMapi = NULL;
  if (pfn == NULL) {
    hMapi = ::LoadLibrary("mapi32.dll");
    pfn = hMapi ? (SendMailProc)(void*)::GetProcAddress(hMapi, "MAPISendMail") : NULL;
  }
  if (pfn == NULL) {
    if (hMapi) ::FreeLibrary(hMapi);
    AfxMessageBox(kNoMail);
    return;
  }
  // The document goes as a copy in the temporary folder; its own name and flag stay.
  char szDir[MAX_PATH], szTemp[MAX_PATH];
  ::GetTempPath(MAX_PATH, szDir);
  ::GetTempFileName(szDir, "qvz", 0, szTemp);
  const BOOL bModified = IsModified();
  const CString strPath = GetPathName(), strTitle = GetTitle();
  const BOOL bSaved = OnSaveDocument(szTemp);
  SetModifiedFlag(bModified);
  m_strPathName = strPath;
  m_strTitle = strTitle;
  if (bSaved) {
    CString strName = strTitle;
    MailFile file = {0, 0, (ULONG)-1, szTemp, strName.GetBuffer(0), NULL};
    MailMessage msg = {};
    msg.nFileCount = 1;
    msg.lpFiles = &file;
    CWnd* pMain = AfxGetMainWnd();
    const ULONG r = pfn(0, (ULONG_PTR)(pMain ? pMain->GetSafeHwnd() : NULL), &msg, 0x8 | 0x1 /* dialog, logon UI */, 0);
    // 0 sent, 1 cancelled by the user; anything else: no working mail system.
    if (r != 0 && r != 1) AfxMessageBox(kNoMail);
  }
  ::DeleteFile(szTemp);
  if (hMapi) ::FreeLibrary(hMapi);
}
