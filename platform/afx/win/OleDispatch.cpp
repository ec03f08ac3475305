// Automation with an empty dispatch map: the interface exists, every name is unknown.
#include "afxdisp.h"

IMPLEMENT_DYNCREATE(CAutomationTarget, CCmdTarget)

STDMETHODIMP COleDispatchImpl::QueryInterface(REFIID riid, void** ppv) {
  if (ppv == NULL) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IDispatch) {
    *ppv = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  // The owner may serve more than automation.
  if (COleComObject* p = dynamic_cast<COleComObject*>(m_pOwner)) return p->QueryComInterface(riid, ppv);
  *ppv = NULL;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) COleDispatchImpl::AddRef() { return m_pOwner->ExternalAddRef(); }
STDMETHODIMP_(ULONG) COleDispatchImpl::Release() { return m_pOwner->ExternalRelease(); }

STDMETHODIMP COleDispatchImpl::GetTypeInfoCount(UINT* pctinfo) {
  if (pctinfo == NULL) return E_POINTER;
  *pctinfo = 0;
  return S_OK;
}

STDMETHODIMP COleDispatchImpl::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) {
  if (ppTInfo) *ppTInfo = NULL;
  return DISP_E_BADINDEX;
}

STDMETHODIMP COleDispatchImpl::GetIDsOfNames(REFIID, LPOLESTR*, UINT cNames, LCID, DISPID* rgDispId) {
  if (rgDispId == NULL) return E_POINTER;
  for (UINT i = 0; i < cNames; i++) rgDispId[i] = DISPID_UNKNOWN;
  return DISP_E_UNKNOWNNAME;
}

STDMETHODIMP COleDispatchImpl::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
  return DISP_E_MEMBERNOTFOUND;
}

CAutomationTarget::CAutomationTarget() : m_xDispatch(this) { AfxOleLockApp(); }
CAutomationTarget::~CAutomationTarget() { AfxOleUnlockApp(); }

HRESULT CAutomationTarget::QueryComInterface(REFIID riid, void** ppv) {
  if (ppv == NULL) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IDispatch) {
    *ppv = static_cast<IDispatch*>(&m_xDispatch);
    ExternalAddRef();
    return S_OK;
  }
  *ppv = NULL;
  return E_NOINTERFACE;
}
