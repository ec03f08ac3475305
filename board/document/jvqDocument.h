// The document of the drawing framework: owns the board, the file header and the
// thumbnail; opens and saves the compound file; copies and pastes objects through the
// private clipboard format.
#pragma once

#include <vector>

#include "afxole.h"
#include "jvqObject.h"

class CDib;
class jvqBoard;
class jvqFileHeader;
class jvqImagePool;
class jvqPage;

// "JVQ_CLIPBOARD", registered once before any document copies or pastes.
extern UINT theClipboardFormat;
UINT jvqRegisterClipboardFormat();
// The link formats, registered at start-up beside it for the embedded items' links.
extern UINT theOwnerLinkFormat, theOleLinkFormat;
void jvqRegisterLinkFormats();

class jvqDocument : public COleDocument {
  DECLARE_DYNCREATE(jvqDocument)
 public:
  jvqDocument();
  virtual ~jvqDocument();

  virtual void Serialize(CArchive& ar);
  virtual BOOL IsModified();
  virtual void SetModifiedFlag(BOOL bModified = TRUE);
  virtual BOOL OnNewDocument();
  virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
  virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
  virtual void InsertPage(int nKind);
  virtual void ResetContents();

  CView* GetFirstView();
  void FreeContents();
  // Reads the file into the document; on any failure the user is told, the document is
  // left as it was and the result is FALSE.
  BOOL OpenStorageFile(LPCTSTR lpszPathName);
  // Writes the whole document as a new compound file at the path; FALSE (reported) when
  // anything fails. The modified flag is left alone.
  BOOL SaveStorageFile(LPCTSTR lpszPathName);
  CDib* MakeThumbnail(jvqPage* pPage, int nWidth, int nHeight);

  void CopyObjectsToClipboard(jvqObjectArray& objects);
  BOOL CanPaste();
  BOOL PasteObjects(jvqObjectArray& objects);

  jvqBoard* GetBoard() const { return m_pBoard; }
  jvqFileHeader* GetHeader() const { return m_pHeader; }
  CDib* GetThumbnail() const { return m_pThumbnail; }
  jvqImagePool* GetImagePool() const { return m_pImagePool; }

  // The embedded item an object names by its index; NULL beyond the items.
  COleClientItem* GetOleItem(int nIndex) const {
    return nIndex >= 0 && nIndex < (int)m_OleItems.size() ? m_OleItems[(size_t)nIndex] : NULL;
  }
  int GetOleItemCount() const { return (int)m_OleItems.size(); }
  // Appends the item (already in the document's item list) and gives its index.
  int AddOleItem(COleClientItem* pItem);

  jvqBoard* m_pBoard;
  jvqFileHeader* m_pHeader;
  CDib* m_pThumbnail;
  jvqImagePool* m_pImagePool;  // never NULL once the document has contents
  // The items in the order objects name them; the item list owns them. Written and read
  // in this order, so that every stored index finds its own item.
  std::vector<COleClientItem*> m_OleItems;

 protected:
  HWND GetClipboardOwner();
  // A picture object of the clipboard's bitmap or metafile, or NULL.
  jvqObject* PastePicture();
  // A text object like the text prototype holding the clipboard's plain text.
  jvqObject* PasteText();
  // Called by every save once the new file is complete and before it replaces the target;
  // TRUE, so that it can close a write.
  static BOOL BeforeReplace(LPCTSTR lpszFinished, LPCTSTR lpszTarget);
  // For tests of interrupted saves: called by BeforeReplace.
 public:
  static void (*s_pfnBeforeReplace)(LPCTSTR lpszFinished, LPCTSTR lpszTarget);
  static jvqDocument* s_pCopiedFrom;
  static DWORD s_dwCopySequence;
};

// A picture of the page, its objects included, framed in black on white; NULL when the
// page is NULL or a size is not positive.
CDib* RenderPageToDib(CView* pView, jvqPage* pPage, int nWidth, int nHeight);
