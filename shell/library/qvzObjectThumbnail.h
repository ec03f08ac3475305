// One cell of a thumbnail grid: a drawing object (none for page cells), its small picture
// and the label under it.
#pragma once

#include "afxwin.h"

class CDib;
class jvqObject;
class qvzObjectPreviewView;

class qvzObjectThumbnail {
 public:
  explicit qvzObjectThumbnail(qvzObjectPreviewView* pOwner);
  ~qvzObjectThumbnail();

  // Takes the object and the picture; without a picture one is rendered from the object.
  // Fails without an owner, without both an object and a picture, or for a cell below 1.
  BOOL Create(jvqObject* pObject, LPCTSTR lpszLabel, int nCellWidth, int nCellHeight, int nPictureWidth,
              int nPictureHeight, int nLabelWidth, int nLabelHeight, CDib* pPicture);
  // The cell, its label band at the bottom and the picture above it.
  void SetRect(const RECT& rc);
  void Draw(CDC* pDC);

  jvqObject* m_pObject;
  CDib* m_pPicture;
  qvzObjectPreviewView* m_pOwner;
  int m_bOwns;
  RECT m_rcCell;
  RECT m_rcLabel;
  RECT m_rcPicture;
  CString m_strLabel;
  int m_bSelected;
  // The size the picture is drawn at.
  int m_nPictureWidth;
  int m_nPictureHeight;
};
