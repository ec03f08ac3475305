// The scrolling grid of object thumbnails that the palettes, the select bar and the title
// dialog show. It selects cells with the mouse, hands a pressed cell's object to its
// parent for dragging, passes dropped catalogue items and right clicks to its parent, and
// can list a folder of favourite object files by itself.
#pragma once

#include <vector>

#include "afxole.h"
#include "afxwin.h"
#include "qvzObjectThumbnail.h"

class jvqObject;

// A parent that takes a pressed cell's object for dragging onto the page.
class qvzPreviewDragSource {
 public:
  virtual ~qvzPreviewDragSource() {}
  virtual void BeginDrag(jvqObject* pObject, int nCount) = 0;
};

class qvzObjectPreviewView : public CScrollView {
  DECLARE_DYNCREATE(qvzObjectPreviewView)
 public:
  qvzObjectPreviewView();
  ~qvzObjectPreviewView() override;

  int GetItemCount() const { return (int)m_items.size(); }
  qvzObjectThumbnail* GetItem(int nIndex) const;
  int GetSelectedIndex() const;
  jvqObject* GetSelectedObject() const;
  void SelectItem(int nIndex);
  void EnsureVisible(int nIndex);
  void RemoveAllItems();
  void RemoveItem(int nIndex);
  void AddItem(jvqObject* pObject, LPCTSTR lpszLabel);
  // Appends an owning cell with its picture (NULL: rendered) and no new layout; FALSE
  // leaves the object and picture with the caller.
  BOOL AppendItem(jvqObject* pObject, LPCTSTR lpszLabel, CDib* pPicture) {
    return AppendCell(pObject, lpszLabel, pPicture, TRUE);
  }
  void SetCellSize(int nWidth, int nHeight);
  void RecalcLayout();
  // The folder's ".qzl" files sorted by name, each one that can be read as a cell; 0 for a
  // null folder or one without object files.
  int LoadFolder(LPCTSTR lpszFolder);
  CString GetFolderPath() const { return m_strFolder; }
  // The labels in cell order, one a line; FALSE when the file cannot be written.
  BOOL WriteOrderFile(LPCTSTR lpszPath);

  void OnDraw(CDC* pDC) override;
  DWORD OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
  DWORD OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
  BOOL OnDrop(COleDataObject* pDataObject, DWORD dropEffect, CPoint point) override;

  COleDropTarget m_dropTarget;
  std::vector<qvzObjectThumbnail*> m_items;
  int m_nHorzGap;
  int m_nVertGap;
  int m_nCellWidth;
  int m_nCellHeight;
  int m_nLabelWidth;
  int m_nLabelHeight;
  int m_nPictureWidth;
  int m_nPictureHeight;
  CString m_strFolder;
  int m_bDragHandOff;

 protected:
  // A new owning cell of the view's metrics, appended without a new layout.
  BOOL AppendCell(jvqObject* pObject, LPCTSTR lpszLabel, CDib* pPicture, BOOL bOwns);
  // Marks the cells under the point (logical) as selected; returns the last one hit (-1
  // none). With no selection before, the marks stay unpainted.
  int SelectAt(CPoint point);

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  DECLARE_MESSAGE_MAP()
};
