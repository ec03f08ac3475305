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
  DWORD m_dwScrollSince;        // when the point came into the scroll band; 0 outside it
  BOOL m_bScrolled;             // the view scrolled instead of hearing of the drag
};

/////////////////////////////////////////////////////////////////////////////
// Documents that hold embedded items

class COleDocument;
class COleClientItem;

enum OLE_NOTIFICATION {
  OLE_CHANGED = 0,
  OLE_SAVED = 1,
  OLE_CLOSED = 2,
  OLE_RENAMED = 3,
  OLE_CHANGED_STATE = 4,
  OLE_CHANGED_ASPECT = 5,
};

enum OLE_OBJTYPE { OT_UNKNOWN = 0, OT_LINK = 1, OT_EMBEDDED = 2, OT_STATIC = 3 };

// An item of a document's item list.
class CDocItem : public CCmdTarget {
  DECLARE_DYNAMIC(CDocItem)
 public:
  CDocItem() : m_pDocument(NULL) {}
  ~CDocItem() override;
  COleDocument* GetDocument() const { return m_pDocument; }
  virtual BOOL IsBlank() const { return FALSE; }
  COleDocument* m_pDocument;
};

// A document whose items live beside its own data in one compound file. The document
// keeps every item's storage in a working storage in memory, so that a file is read
// whole at open and written whole at save, and never held open between.
class COleDocument : public CDocument {
  DECLARE_DYNAMIC(COleDocument)
 public:
  COleDocument();
  ~COleDocument() override;

  void EnableCompoundFile(BOOL bEnable = TRUE) { m_bCompoundFile = bEnable; }
  virtual void AddItem(CDocItem* pItem);
  virtual void RemoveItem(CDocItem* pItem);
  POSITION GetStartPosition() const { return m_docItemList.GetHeadPosition(); }
  CDocItem* GetNextItem(POSITION& pos) const { return (CDocItem*)m_docItemList.GetNext(pos); }
  COleClientItem* GetNextClientItem(POSITION& pos) const;
  INT_PTR GetItemCount() const { return m_docItemList.GetCount(); }
  // The item active in place in the window, or NULL.
  virtual COleClientItem* GetInPlaceActiveItem(CWnd* pWnd);
  // Marks the document modified when any item's object reports unsaved changes.
  void UpdateModifiedFlag();
  // The item list: a count of the non-blank items, then each item as an archive object.
  // While it runs, m_lpRootStg is the file's storage (NULL: items cannot be read or kept).
  void Serialize(CArchive& ar) override;
  // Reads n items that follow in the archive (the count bounded by what is left of it);
  // when any fails, the items read so far are deleted and the exception passes on.
  void LoadItems(CArchive& ar, DWORD n);

  // The storage all items live in; made on first use.
  LPSTORAGE GetWorkStorage();

  // Inside a call another program sent (it cannot be called back), an item whose server
  // reports an error other than "not running" lets the user discard the changes (OK goes
  // on); otherwise the items' changes are taken over and the user is asked as usual.
  BOOL SaveModified() override;
  // The first half of that rule for documents that ask in their own way: -1 when it
  // decides nothing (no call from another program, or no item in error), else whether
  // to go on.
  int AskToDiscardInSendMessage();
  // The one item the view shows selected, or NULL.
  virtual COleClientItem* GetPrimarySelectedItem(CView* pView);

  // The standard handlers of the OLE commands. Where the platform has no links or convert
  // dialog, or no mail system, the command says so and changes nothing.
  afx_msg void OnUpdateObjectVerbMenu(CCmdUI* pCmdUI);
  afx_msg void OnUpdatePasteLinkMenu(CCmdUI* pCmdUI);
  afx_msg void OnUpdateEditLinksMenu(CCmdUI* pCmdUI);
  afx_msg void OnEditLinks();
  afx_msg void OnEditConvert();
  afx_msg void OnFileSendMail();
  afx_msg void OnUpdateFileSendMail(CCmdUI* pCmdUI);

  // The mail system's MAPISendMail (a seam for tests); NULL while it is looked up in
  // mapi32.dll, which may be absent.
  typedef ULONG(PASCAL* SendMailProc)(ULONG_PTR, ULONG_PTR, void* lpMessage, ULONG, ULONG);
  static SendMailProc s_pfnSendMail;

  CPtrList m_docItemList;
  BOOL m_bCompoundFile;

 protected:
  void ReadItems(CArchive& ar, DWORD n);

 public:
  LPSTORAGE m_lpRootStg;
  LPSTORAGE m_lpWorkStg;
  DWORD m_dwNextItemNumber;

  DECLARE_MESSAGE_MAP()
};

// The object's verbs as the popup at nPosition of pMenu (ids from nIDVerbMin), or the plain
// "Object" item greyed when there is no item. FALSE when the menu is left greyed.
BOOL AFXAPI AfxOleSetEditMenu(COleClientItem* pItem, CMenu* pMenu, UINT nPosition, UINT nIDVerbMin,
                              UINT nIDVerbMax, UINT nIDConvert = 0);

// An embedded item over the platform's default handler and cache. The item's bytes in
// the item list are: item number (int32, names the storage "Embedding <n>" beside the
// document's own stream), type (int32, OLE_OBJTYPE), drawing aspect (int32).
class COleClientItem : public CDocItem {
  DECLARE_SERIAL(COleClientItem)
 public:
  enum ItemState { emptyState, loadedState, openState, activeState, activeUIState };

  COleClientItem(COleDocument* pContainerDoc = NULL);
  ~COleClientItem() override;

  BOOL CreateNewItem(REFCLSID clsid, OLERENDER render = OLERENDER_DRAW, CLIPFORMAT cfFormat = 0,
                     LPFORMATETC lpFormatEtc = NULL);
  BOOL CreateFromFile(LPCTSTR lpszFileName, REFCLSID clsid = CLSID_NULL, OLERENDER render = OLERENDER_DRAW,
                      CLIPFORMAT cfFormat = 0, LPFORMATETC lpFormatEtc = NULL);
  BOOL CreateFromData(COleDataObject* pDataObject, OLERENDER render = OLERENDER_DRAW, CLIPFORMAT cfFormat = 0,
                      LPFORMATETC lpFormatEtc = NULL);
  BOOL CreateFromClipboard(OLERENDER render = OLERENDER_DRAW, CLIPFORMAT cfFormat = 0,
                           LPFORMATETC lpFormatEtc = NULL);
  // A picture only (metafile or bitmap), drawn from the cache; it has no server.
  BOOL CreateStaticFromData(COleDataObject* pDataObject, OLERENDER render = OLERENDER_DRAW,
                            CLIPFORMAT cfFormat = 0, LPFORMATETC lpFormatEtc = NULL);
  // A copy of the other item's object in this item's own storage.
  BOOL CreateCloneFrom(COleClientItem* pSrcItem);
  static BOOL PASCAL CanPaste();
  // A link to what the data names; Wine makes links only to some sources.
  BOOL CreateLinkFromData(COleDataObject* pDataObject, OLERENDER render = OLERENDER_DRAW, CLIPFORMAT cfFormat = 0,
                          LPFORMATETC lpFormatEtc = NULL);
  BOOL CreateLinkFromClipboard(OLERENDER render = OLERENDER_DRAW, CLIPFORMAT cfFormat = 0,
                               LPFORMATETC lpFormatEtc = NULL);
  static BOOL PASCAL CanPasteLink();
  // Brings a link's picture up to date with its source; TRUE for an item that is no link.
  BOOL UpdateLink();

  BOOL DoVerb(LONG nVerb, CView* pView, LPMSG lpMsg = NULL);
  BOOL Draw(CDC* pDC, LPCRECT lpBounds, DVASPECT nDrawAspect = (DVASPECT)-1);
  // HIMETRIC; FALSE when the object reports none. Virtual so that a container's sizing
  // can be tried without a server.
  virtual BOOL GetExtent(LPSIZE lpSize, DVASPECT nDrawAspect = (DVASPECT)-1);
  BOOL SetExtent(const SIZE& size, DVASPECT nDrawAspect = DVASPECT_CONTENT);
  void Close(OLECLOSE dwCloseOption = OLECLOSE_SAVEIFDIRTY);
  // Closes and releases the object and removes its storage; with bAutoDelete the item too.
  void Delete(BOOL bAutoDelete = TRUE);
  void Release(OLECLOSE dwCloseOption = OLECLOSE_NOSAVE);
  BOOL IsBlank() const override { return m_lpObject == NULL; }
  UINT GetItemState() const { return m_nItemState; }
  OLE_OBJTYPE GetType() const { return m_nItemType; }
  DVASPECT GetDrawAspect() const { return m_nDrawAspect; }
  BOOL IsRunning() const;
  BOOL IsModified() const;
  void Deactivate();
  // Tells the object active in place its position and clip rectangle in the view's client
  // area (NULL: OnGetItemPosition, OnGetClipRect); FALSE when it is not active in place.
  BOOL SetItemRects(LPCRECT lpPosRect = NULL, LPCRECT lpClipRect = NULL);
  // Whether the cache holds a picture for the draw aspect (a metafile, as the items keep).
  BOOL CacheHasPicture() const;
  // Saves the running object into the item's storage.
  BOOL SaveObject();

  virtual void OnChange(OLE_NOTIFICATION nCode, DWORD dwParam);
  virtual void OnGetItemPosition(CRect& rPosition) { rPosition.SetRectEmpty(); }
  // The server moved or sized the object active in place: its window goes there.
  virtual BOOL OnChangeItemPosition(const CRect& rectPos);
  // The view's client area.
  virtual void OnGetClipRect(CRect& rClipRect);
  void Serialize(CArchive& ar) override;

  COleDocument* GetDocument() const { return m_pDocument; }
  LPOLEOBJECT m_lpObject;
  LPSTORAGE m_lpStorage;
  DWORD m_dwItemNumber;
  OLE_OBJTYPE m_nItemType;
  DVASPECT m_nDrawAspect;
  UINT m_nItemState;
  CView* m_pView;  // the view the item is active in place in

  struct XOleClientSite : public IOleClientSite {
    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;
    STDMETHOD(SaveObject)() override;
    STDMETHOD(GetMoniker)(DWORD, DWORD, LPMONIKER*) override;
    STDMETHOD(GetContainer)(LPOLECONTAINER*) override;
    STDMETHOD(ShowObject)() override;
    STDMETHOD(OnShowWindow)(BOOL fShow) override;
    STDMETHOD(RequestNewObjectLayout)() override;
    COleClientItem* m_pThis;
  } m_xOleClientSite;

  struct XAdviseSink : public IAdviseSink {
    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;
    STDMETHOD_(void, OnDataChange)(LPFORMATETC, LPSTGMEDIUM) override;
    STDMETHOD_(void, OnViewChange)(DWORD dwAspect, LONG) override;
    STDMETHOD_(void, OnRename)(LPMONIKER) override;
    STDMETHOD_(void, OnSave)() override;
    STDMETHOD_(void, OnClose)() override;
    COleClientItem* m_pThis;
  } m_xAdviseSink;

  // The in-place site the server reaches through the client site.
  struct XOleIPSite : public IOleInPlaceSite {
    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;
    STDMETHOD(GetWindow)(HWND* phwnd) override;
    STDMETHOD(ContextSensitiveHelp)(BOOL) override { return E_NOTIMPL; }
    STDMETHOD(CanInPlaceActivate)() override;
    STDMETHOD(OnInPlaceActivate)() override;
    STDMETHOD(OnUIActivate)() override;
    STDMETHOD(GetWindowContext)(LPOLEINPLACEFRAME* ppFrame, LPOLEINPLACEUIWINDOW* ppDoc, LPRECT lprcPosRect,
                                LPRECT lprcClipRect, LPOLEINPLACEFRAMEINFO lpFrameInfo) override;
    STDMETHOD(Scroll)(SIZE) override { return E_NOTIMPL; }
    STDMETHOD(OnUIDeactivate)(BOOL) override;
    STDMETHOD(OnInPlaceDeactivate)() override;
    STDMETHOD(DiscardUndoState)() override { return S_OK; }
    STDMETHOD(DeactivateAndUndo)() override;
    STDMETHOD(OnPosRectChange)(LPCRECT lprcPosRect) override;
    COleClientItem* m_pThis;
  } m_xOleIPSite;

  // The frame a server hands its active object to. Wine's default handler does not pass an
  // out-of-process server's in-place object on, so the item reaches it through that object.
  struct XOleIPFrame : public IOleInPlaceFrame {
    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;
    STDMETHOD(GetWindow)(HWND* phwnd) override;
    STDMETHOD(ContextSensitiveHelp)(BOOL) override { return E_NOTIMPL; }
    STDMETHOD(GetBorder)(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHOD(RequestBorderSpace)(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHOD(SetBorderSpace)(LPCBORDERWIDTHS) override { return S_OK; }
    STDMETHOD(SetActiveObject)(IOleInPlaceActiveObject* pActiveObject, LPCOLESTR) override;
    STDMETHOD(InsertMenus)(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHOD(SetMenu)(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHOD(RemoveMenus)(HMENU) override { return S_OK; }
    STDMETHOD(SetStatusText)(LPCOLESTR) override { return S_OK; }
    STDMETHOD(EnableModeless)(BOOL) override { return S_OK; }
    STDMETHOD(TranslateAccelerator)(LPMSG, WORD) override { return S_FALSE; }
    COleClientItem* m_pThis;
  } m_xOleIPFrame;

 protected:
  // Gives the item a number and an empty storage in the document's working storage.
  BOOL MakeStorage();
  // Connects a newly made or loaded object; FALSE (object released) when it cannot.
  BOOL FinishCreate(HRESULT hr);
  // Names the picture format the cache keeps for the draw aspect (see the source); for an
  // item read back, also when its cache has no entry at all.
  void CacheDrawnFormat(BOOL bLoaded = FALSE);
  void DropStorage();
  // The object's in-place interface (a reference the caller releases), or NULL.
  LPOLEINPLACEOBJECT GetInPlaceObject();
  void ReleaseInPlaceObject();
  DWORD m_dwConnection;
  LPOLEINPLACEOBJECT m_lpInPlaceObject;  // from the active object the server handed over
};
