// Objects other programs create: class factories, the server side of a document template,
// registration, and automation with an empty dispatch map.
#pragma once

#include <ole2.h>

#include "afxole.h"

class CDocTemplate;

// A command target that a factory can hand to another program. Its interfaces count on the
// target's own references (m_dwRef): the last release runs OnFinalRelease.
class COleComObject {
 public:
  virtual ~COleComObject() = default;
  // The interface, with a reference added; E_NOINTERFACE when the object has none.
  virtual HRESULT QueryComInterface(REFIID riid, void** ppv) = 0;
};

// IDispatch for a target whose dispatch map is empty: no name is known, nothing can be
// invoked, and the type information is absent.
struct COleDispatchImpl : public IDispatch {
  explicit COleDispatchImpl(CCmdTarget* pOwner = NULL) : m_pOwner(pOwner) {}
  STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
  STDMETHOD_(ULONG, AddRef)() override;
  STDMETHOD_(ULONG, Release)() override;
  STDMETHOD(GetTypeInfoCount)(UINT* pctinfo) override;
  STDMETHOD(GetTypeInfo)(UINT, LCID, ITypeInfo** ppTInfo) override;
  STDMETHOD(GetIDsOfNames)(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId) override;
  STDMETHOD(Invoke)(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;
  CCmdTarget* m_pOwner;
};

// An automation object with nothing but its empty dispatch map: IUnknown and IDispatch.
class CAutomationTarget : public CCmdTarget, public COleComObject {
  DECLARE_DYNCREATE(CAutomationTarget)
 public:
  // Holds the application (AfxOleLockApp) while it lives.
  CAutomationTarget();
  ~CAutomationTarget() override;
  HRESULT QueryComInterface(REFIID riid, void** ppv) override;
  COleDispatchImpl m_xDispatch;
};

// Hands out new objects of a run-time class to other programs under a class id. A
// multi-instance factory serves one object per process (the platform starts another
// process for the next); otherwise one process serves them all.
class COleObjectFactory : public CCmdTarget {
  DECLARE_DYNAMIC(COleObjectFactory)
 public:
  COleObjectFactory(REFCLSID clsid, CRuntimeClass* pRuntimeClass, BOOL bMultiInstance, LPCTSTR lpszProgID);
  ~COleObjectFactory() override;

  BOOL Register();
  void Revoke();
  BOOL IsRegistered() const { return m_dwRegister != 0; }
  REFCLSID GetClassID() const { return m_clsid; }
  // Every factory of the process.
  static BOOL PASCAL RegisterAll();
  static void PASCAL RevokeAll();
  static BOOL PASCAL UpdateRegistryAll(BOOL bRegister = TRUE);

  // Writes (or with FALSE removes) the class's keys: its name, program id and the local
  // server, which is this program started with "/Automation".
  virtual BOOL UpdateRegistry(BOOL bRegister = TRUE);
  // The new object, with one reference; NULL when it cannot be made.
  virtual CCmdTarget* OnCreateObject();

  struct XClassFactory : public IClassFactory {
    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;
    STDMETHOD(CreateInstance)(LPUNKNOWN pUnkOuter, REFIID riid, void** ppv) override;
    STDMETHOD(LockServer)(BOOL fLock) override;
    COleObjectFactory* m_pThis;
  } m_xClassFactory;

  CLSID m_clsid;
  CRuntimeClass* m_pRuntimeClass;
  BOOL m_bMultiInstance;
  CString m_strProgID;
  // Set once a single-use factory has made its object: the platform asks no more.
  BOOL m_bUsed;

 protected:
  DWORD m_dwRegister;
  COleObjectFactory* m_pNextFactory;
};

// How a document server registers (COleTemplateServer::UpdateRegistry).
enum OLE_APPTYPE { OAT_UNKNOWN = -1, OAT_INPLACE_SERVER = 0, OAT_SERVER = 1, OAT_CONTAINER = 2, OAT_DISPATCH_OBJECT = 3 };

// The factory of a document template: each object made is a new document of the template,
// opened without being shown. Its program id is the template's file type id.
class COleTemplateServer : public COleObjectFactory {
  DECLARE_DYNAMIC(COleTemplateServer)
 public:
  COleTemplateServer();
  void ConnectTemplate(REFCLSID clsid, CDocTemplate* pDocTemplate, BOOL bMultiInstance);
  // The document's class under the template's type id and name, served by this program;
  // OAT_DISPATCH_OBJECT starts it with "/Automation", the others with "/Embedding".
  BOOL UpdateRegistry(OLE_APPTYPE nAppType, LPCTSTR const* rglpszRegister = NULL,
                      LPCTSTR const* rglpszOverwrite = NULL);
  // Registering is left to the call above (every factory's update registers nothing for
  // the template); unregistering removes the keys.
  BOOL UpdateRegistry(BOOL bRegister = TRUE) override;
  CCmdTarget* OnCreateObject() override;
  CDocTemplate* m_pDocTemplate;
  OLE_APPTYPE m_nAppType;
};

// Whether the user started the program (TRUE) or the platform did for another program's
// request; a program the user does not control ends when its last object is released.
void AFXAPI AfxOleSetUserCtrl(BOOL bUserCtrl);
BOOL AFXAPI AfxOleGetUserCtrl();

// Registry helpers shared by the factories: "{...}" of a class id; a value under
// HKEY_CLASSES_ROOT (the key made on the way).
CString AFXAPI AfxStringFromCLSID(REFCLSID clsid);
BOOL AFXAPI AfxSetClassesRootValue(LPCTSTR lpszKey, LPCTSTR lpszName, LPCTSTR lpszValue);
// Removes the key and everything below it.
void AFXAPI AfxDeleteClassesRootKey(LPCTSTR lpszKey);
