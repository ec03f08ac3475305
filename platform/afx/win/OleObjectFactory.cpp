// Class factories and their registration: objects of ours made for other programs.
#include <string>

#include "afxdisp.h"

IMPLEMENT_DYNAMIC(COleObjectFactory, CCmdTarget)
IMPLEMENT_DYNAMIC(COleTemplateServer, COleObjectFactory)

namespace {
// Every factory of the process, newest first.
COleObjectFactory* s_pFirstFactory = NULL;

CString ModulePath() {
  char sz[MAX_PATH];
  const DWORD n = ::GetModuleFileName(NULL, sz, MAX_PATH);
  return n > 0 && n < MAX_PATH ? CString(sz) : CString();
}
}  // namespace

CString AFXAPI AfxStringFromCLSID(REFCLSID clsid) {
  WCHAR w[40];
  if (::StringFromGUID2(clsid, w, 40) == 0) return CString();
  char sz[40];
  ::WideCharToMultiByte(CP_ACP, 0, w, -1, sz, sizeof sz, NULL, NULL);
  return CString(sz);
}

BOOL AFXAPI AfxSetClassesRootValue(LPCTSTR lpszKey, LPCTSTR lpszName, LPCTSTR lpszValue) {
  HKEY hKey = NULL;
  if (::RegCreateKeyEx(HKEY_CLASSES_ROOT, lpszKey, 0, NULL, 0, KEY_WRITE, NULL, &hKey, NULL) != ERROR_SUCCESS)
    return FALSE;
  const LONG r = ::RegSetValueEx(hKey, lpszName, 0, REG_SZ, (const BYTE*)lpszValue, (DWORD)strlen(lpszValue) + 1);
  ::RegCloseKey(hKey);
  return r == ERROR_SUCCESS;
}

void AFXAPI AfxDeleteClassesRootKey(LPCTSTR lpszKey) {
  // Children first: the platform removes only empty keys.
  HKEY hKey = NULL;
  if (::RegOpenKeyEx(HKEY_CLASSES_ROOT, lpszKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS) return;
  CStringArray children;
  char sz[256];
  for (DWORD i = 0; ::RegEnumKey(hKey, i, sz, sizeof sz) == ERROR_SUCCESS; i++) children.Add(CString(lpszKey) + "\\" + sz);
  ::RegCloseKey(hKey);
  for (INT_PTR i = 0; i < children.GetSize(); i++) AfxDeleteClassesRootKey(children[i]);
  ::RegDeleteKey(HKEY_CLASSES_ROOT, lpszKey);
}

COleObjectFactory::COleObjectFactory(REFCLSID clsid, CRuntimeClass* pRuntimeClass, BOOL bMultiInstance,
                                     LPCTSTR lpszProgID)
    : m_clsid(clsid),
      m_pRuntimeClass(pRuntimeClass),
      m_bMultiInstance(bMultiInstance),
      m_strProgID(lpszProgID ? lpszProgID : ""),
      m_bUsed(FALSE),
      m_dwRegister(0),
      m_pNextFactory(s_pFirstFactory) {
  m_xClassFactory.m_pThis = this;
  s_pFirstFactory = this;
}

COleObjectFactory::~COleObjectFactory() {
  Revoke();
  for (COleObjectFactory** pp = &s_pFirstFactory; *pp; pp = &(*pp)->m_pNextFactory) {
    if (*pp == this) {
      *pp = m_pNextFactory;
      break;
    }
  }
}

BOOL COleObjectFactory::Register() {
  if (m_dwRegister != 0) return TRUE;
  const HRESULT hr = ::CoRegisterClassObject(m_clsid, &m_xClassFactory, CLSCTX_LOCAL_SERVER,
                                             m_bMultiInstance ? REGCLS_SINGLEUSE : REGCLS_MULTIPLEUSE, &m_dwRegister);
  if (FAILED(hr)) m_dwRegister = 0;
  return SUCCEEDED(hr);
}

void COleObjectFactory::Revoke() {
  if (m_dwRegister == 0) return;
  ::CoRevokeClassObject(m_dwRegister);
  m_dwRegister = 0;
}

BOOL PASCAL COleObjectFactory::RegisterAll() {
  BOOL bOk = TRUE;
  for (COleObjectFactory* p = s_pFirstFactory; p; p = p->m_pNextFactory)
    if (!p->Register()) bOk = FALSE;
  return bOk;
}

void PASCAL COleObjectFactory::RevokeAll() {
  for (COleObjectFactory* p = s_pFirstFactory; p; p = p->m_pNextFactory) p->Revoke();
}

BOOL PASCAL COleObjectFactory::UpdateRegistryAll(BOOL bRegister) {
  BOOL bOk = TRUE;
  for (COleObjectFactory* p = s_pFirstFactory; p; p = p->m_pNextFactory)
    if (!p->UpdateRegistry(bRegister)) bOk = FALSE;
  return bOk;
}

BOOL COleObjectFactory::UpdateRegistry(BOOL bRegister) {
  const CString strClsid = AfxStringFromCLSID(m_clsid);
  const CString strKey = "CLSID\\" + strClsid;
  if (!bRegister) {
    AfxDeleteClassesRootKey(strKey);
    if (!m_strProgID.IsEmpty()) AfxDeleteClassesRootKey(m_strProgID);
    return TRUE;
  }
  const CString strName = m_strProgID.IsEmpty() ? strClsid : m_strProgID;
  BOOL bOk = AfxSetClassesRootValue(strKey, NULL, strName) &&
             AfxSetClassesRootValue(strKey + "\\LocalServer32", NULL, ModulePath() + " /Automation");
  if (!m_strProgID.IsEmpty()) {
    bOk = bOk && AfxSetClassesRootValue(strKey + "\\ProgID", NULL, m_strProgID) &&
          AfxSetClassesRootValue(m_strProgID, NULL, strName) &&
          AfxSetClassesRootValue(m_strProgID + "\\CLSID", NULL, strClsid);
  }
  return bOk;
}

CCmdTarget* COleObjectFactory::OnCreateObject() {
  if (m_pRuntimeClass == NULL) return NULL;
  CObject* p = m_pRuntimeClass->CreateObject();
  CCmdTarget* pTarget = dynamic_cast<CCmdTarget*>(p);
  if (pTarget == NULL) delete p;
  return pTarget;
}

STDMETHODIMP COleObjectFactory::XClassFactory::QueryInterface(REFIID riid, void** ppv) {
  if (ppv == NULL) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IClassFactory) {
    *ppv = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = NULL;
  return E_NOINTERFACE;
}

// The factory is a static of the program: the platform's references never delete it.
STDMETHODIMP_(ULONG) COleObjectFactory::XClassFactory::AddRef() { return 2; }
STDMETHODIMP_(ULONG) COleObjectFactory::XClassFactory::Release() { return 1; }

STDMETHODIMP COleObjectFactory::XClassFactory::CreateInstance(LPUNKNOWN pUnkOuter, REFIID riid, void** ppv) {
  if (ppv == NULL) return E_POINTER;
  *ppv = NULL;
  if (pUnkOuter != NULL) return CLASS_E_NOAGGREGATION;
  // A single-use class serves one object per process: the next goes to a new process.
  if (m_pThis->m_bMultiInstance && m_pThis->m_bUsed) return CO_E_SERVER_STOPPING;
  CCmdTarget* pTarget = NULL;
  try {
    pTarget = m_pThis->OnCreateObject();
  } catch (CException* e) {
    e->Delete();
    pTarget = NULL;
  }
  if (pTarget == NULL) return E_OUTOFMEMORY;
  COleComObject* pCom = dynamic_cast<COleComObject*>(pTarget);
  HRESULT hr = pCom ? pCom->QueryComInterface(riid, ppv) : E_NOINTERFACE;
  if (SUCCEEDED(hr)) m_pThis->m_bUsed = TRUE;
  // The object was made with one reference of its own; the caller's is the one left.
  pTarget->InternalRelease();
  return hr;
}

STDMETHODIMP COleObjectFactory::XClassFactory::LockServer(BOOL fLock) {
  if (fLock)
    AfxOleLockApp();
  else
    AfxOleUnlockApp();
  return S_OK;
}

COleTemplateServer::COleTemplateServer()
    : COleObjectFactory(CLSID_NULL, NULL, FALSE, NULL), m_pDocTemplate(NULL), m_nAppType(OAT_DISPATCH_OBJECT) {}

void COleTemplateServer::ConnectTemplate(REFCLSID clsid, CDocTemplate* pDocTemplate, BOOL bMultiInstance) {
  m_clsid = clsid;
  m_pDocTemplate = pDocTemplate;
  m_bMultiInstance = bMultiInstance;
  CString strTypeId;
  if (pDocTemplate && pDocTemplate->GetDocString(strTypeId, CDocTemplate::regFileTypeId)) m_strProgID = strTypeId;
}

BOOL COleTemplateServer::UpdateRegistry(BOOL bRegister) {
  if (bRegister) return TRUE;
  if (m_pDocTemplate == NULL || m_strProgID.IsEmpty()) return FALSE;
  AfxDeleteClassesRootKey("CLSID\\" + AfxStringFromCLSID(m_clsid));
  AfxDeleteClassesRootKey(m_strProgID);
  return TRUE;
}

BOOL COleTemplateServer::UpdateRegistry(OLE_APPTYPE nAppType, LPCTSTR const*, LPCTSTR const*) {
  m_nAppType = nAppType;
  if (m_pDocTemplate == NULL || m_strProgID.IsEmpty()) return FALSE;
  const CString strClsid = AfxStringFromCLSID(m_clsid);
  const CString strKey = "CLSID\\" + strClsid;
  CString strName;
  if (!m_pDocTemplate->GetDocString(strName, CDocTemplate::regFileTypeName) || strName.IsEmpty()) strName = m_strProgID;
  const char* pszSwitch = m_nAppType == OAT_DISPATCH_OBJECT ? " /Automation" : " /Embedding";
  return AfxSetClassesRootValue(strKey, NULL, strName) &&
         AfxSetClassesRootValue(strKey + "\\LocalServer32", NULL, ModulePath() + pszSwitch) &&
         AfxSetClassesRootValue(strKey + "\\ProgID", NULL, m_strProgID) &&
         AfxSetClassesRootValue(m_strProgID, NULL, strName) &&
         AfxSetClassesRootValue(m_strProgID + "\\CLSID", NULL, strClsid);
}

CCmdTarget* COleTemplateServer::OnCreateObject() {
  if (m_pDocTemplate == NULL) return NULL;
  // A new document, not shown: it ends when the last program lets go of it.
  CDocument* pDoc = m_pDocTemplate->OpenDocumentFile(NULL, FALSE);
  if (pDoc == NULL) return NULL;
  // Its one reference becomes the caller's: the last release closes it.
  return pDoc;
}
