// The framework's OLE layer: start-up, the application lock, and data transfer through the
// clipboard and drag and drop.
#pragma once

#include <ole2.h>

#include "afxwin.h"

typedef DWORD DROPEFFECT;

class COleDropSource;

// OleInitialize for this thread; FALSE when the platform refuses. AfxWinTerm ends it.
BOOL AFXAPI AfxOleInit();
void AFXAPI AfxOleTerm(BOOL bJustRevoke = FALSE);
// Containers need nothing more from the framework than AfxOleInit.
void AFXAPI AfxEnableControlContainer();
// Objects served to other processes keep the application alive through this count.
void AFXAPI AfxOleLockApp();
void AFXAPI AfxOleUnlockApp();
BOOL AFXAPI AfxOleCanExitApp();
LONG AFXAPI AfxOleGetLockCount();

// Data offered by another program (or by us): a thin owner of an IDataObject.
class COleDataObject {
 public:
  COleDataObject();
  ~COleDataObject();

  void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
  LPDATAOBJECT Detach();
  void Release();
  BOOL AttachClipboard();

  // The format as HGLOBAL by default; lpFormatEtc narrows aspect, medium or device.
  BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);
  BOOL GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = NULL);
  // A copy the caller frees, NULL when the format is not there.
  HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);
  // The data as a memory file the caller deletes (from a global or a stream); NULL when absent.
  CFile* GetFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);

  void BeginEnumFormats();
  BOOL GetNextFormat(LPFORMATETC lpFormatEtc);
  LPDATAOBJECT GetIDataObject(BOOL bAddRef);

  LPDATAOBJECT m_lpDataObject;
  LPENUMFORMATETC m_lpEnumerator;
  BOOL m_bAutoRelease;

 private:
  COleDataObject(const COleDataObject&) = delete;
  COleDataObject& operator=(const COleDataObject&) = delete;
};

// Data we offer: cached now or rendered when asked. Created with new when it goes to the
// clipboard (the clipboard owns it afterwards); on the stack or with new for a drag.
class COleDataSource : public CCmdTarget {
  DECLARE_DYNAMIC(COleDataSource)
 public:
  COleDataSource();
  ~COleDataSource() override;

  // The source takes the medium (it frees it when emptied).
  void CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = NULL);
  void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = NULL);
  void DelayRenderData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);
  void DelayRenderFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);
  void Empty();

  void SetClipboard();
  static void PASCAL FlushClipboard();
  static COleDataSource* PASCAL GetClipboardOwner();

  // Waits, when lpRectStartDrag is given, until the mouse leaves that screen rectangle,
  // then runs the platform's drag loop. DROPEFFECT_NONE when cancelled.
  DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                        LPCRECT lpRectStartDrag = NULL, COleDropSource* pDropSource = NULL);

  virtual BOOL OnRenderGlobalData(LPFORMATETC lpFormatEtc, HGLOBAL* phGlobal);
  virtual BOOL OnRenderFileData(LPFORMATETC lpFormatEtc, CFile* pFile);
  virtual BOOL OnRenderData(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium);

  // The source's interface, without a reference added.
  LPDATAOBJECT GetDataObject() { return &m_xDataObject; }

  struct XDataObject : public IDataObject {
    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;
    STDMETHOD(GetData)(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium) override;
    STDMETHOD(GetDataHere)(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium) override;
    STDMETHOD(QueryGetData)(LPFORMATETC lpFormatEtc) override;
    STDMETHOD(GetCanonicalFormatEtc)(LPFORMATETC lpIn, LPFORMATETC lpOut) override;
    STDMETHOD(SetData)(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium, BOOL bRelease) override;
    STDMETHOD(EnumFormatEtc)(DWORD dwDirection, LPENUMFORMATETC* ppEnum) override;
    STDMETHOD(DAdvise)(LPFORMATETC, DWORD, LPADVISESINK, LPDWORD) override;
    STDMETHOD(DUnadvise)(DWORD) override;
    STDMETHOD(EnumDAdvise)(LPENUMSTATDATA*) override;
    COleDataSource* m_pThis;
  } m_xDataObject;

 protected:
  struct Entry {
    FORMATETC fe;
    STGMEDIUM medium;  // TYMED_NULL for delayed data
    BOOL bFile;        // delayed through OnRenderFileData
  };
  // The entry that answers the request, or NULL.
  Entry* Lookup(LPFORMATETC lpFormatEtc);
  Entry* NewEntry(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc, DWORD tymedDefault);
  CPtrArray m_entries;
};

// The source side of a drag: when to drop or cancel, and the cursor.
class COleDropSource : public CCmdTarget {
  DECLARE_DYNAMIC(COleDropSource)
 public:
  COleDropSource();

  virtual SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState);
  virtual SCODE GiveFeedback(DROPEFFECT dropEffect);
  // TRUE once the mouse has left m_rectStartDrag with the button held (at once for an
  // empty rectangle); FALSE when the button went up or Esc was pressed first.
  virtual BOOL OnBeginDrag(CWnd* pWnd);

  struct XDropSource : public IDropSource {
    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;
    STDMETHOD(QueryContinueDrag)(BOOL bEscapePressed, DWORD dwKeyState) override;
    STDMETHOD(GiveFeedback)(DWORD dwEffect) override;
    COleDropSource* m_pThis;
  } m_xDropSource;

  RECT m_rectStartDrag;  // screen coordinates
  BOOL m_bDragStarted;
  DWORD m_dwButtonDrop;    // the button that drops when released
  DWORD m_dwButtonCancel;  // any other button: pressing it cancels
};

// A window that accepts drops. By default the handlers pass on to the window when it is a
// view (CView's OnDragEnter and the rest) and refuse otherwise.
class COleDropTarget : public CCmdTarget {
  DECLARE_DYNAMIC(COleDropTarget)
 public:
  COleDropTarget();
  ~COleDropTarget() override;

  BOOL Register(CWnd* pWnd);
  virtual void Revoke();

  virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
  // (DROPEFFECT)-1 lets OnDrop decide.
  virtual DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault,
                              DROPEFFECT dropList, CPoint point);
  virtual void OnDragLeave(CWnd* pWnd);
  virtual DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point);

  struct XDropTarget : public IDropTarget {
    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;
    STDMETHOD(DragEnter)(LPDATAOBJECT pDataObj, DWORD grfKeyState, POINTL pt, LPDWORD pdwEffect) override;
    STDMETHOD(DragOver)(DWORD grfKeyState, POINTL pt, LPDWORD pdwEffect) override;
    STDMETHOD(DragLeave)() override;
    STDMETHOD(Drop)(LPDATAOBJECT pDataObj, DWORD grfKeyState, POINTL pt, LPDWORD pdwEffect) override;
    COleDropTarget* m_pThis;
  } m_xDropTarget;

  HWND m_hWnd;

 protected:
  CPoint ClientPoint(POINTL pt) const;
  COleDataObject m_dataObject;  // attached between enter and leave or drop
  DROPEFFECT m_dropEffect;      // the last answer to enter or over
};
