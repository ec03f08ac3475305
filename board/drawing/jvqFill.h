// The painter an object holds for its inside. Its flags word leads its record and tells
// its kind; code that asks for a kind tests its bit.
#pragma once

#include "afx.h"

class CDC;
class CRgn;
class jvqObject;
class jvqFileHeader;

#define FILL_BASE 0x10000
#define FILL_SOLID 0x20000
#define FILL_GRADIENT 0x40000
#define FILL_IMAGE 0x80000
#define FILL_TEXT 0x100000
#define FILL_TEXTURE 0x200000
#define FILL_PATTERN 0x400000
#define FILL_BANNER 0x800000
#define FILL_VECTOR 0x1000000
// The bits that each name a kind with a painter and a record body of its own.
#define FILL_KINDS \
  (FILL_SOLID | FILL_GRADIENT | FILL_IMAGE | FILL_TEXT | FILL_TEXTURE | FILL_PATTERN | FILL_BANNER | FILL_VECTOR)

class jvqFill {
 public:
  jvqFill() : m_dwFlags(FILL_BASE), m_hKeptClipRgn(NULL) {}
  virtual ~jvqFill();

  virtual void Paint(CDC* pDC, jvqObject* pObject);
  virtual void FillRegion(CDC* pDC, CRgn* pRegion, CRgn* pClip) {}
  virtual void PaintRect(CDC* pDC, const RECT* pRect);
  virtual jvqFill* Clone() { return NULL; }
  virtual BOOL Load(CFile* pFile, jvqFileHeader* pHeader) { return FALSE; }
  virtual BOOL Store(CFile* pFile, jvqFileHeader* pHeader) { return FALSE; }
  virtual BOOL MakeDeviceRegion(CDC* pDC, CRgn* pOut, jvqObject* pObject);
  virtual BOOL MakeDeviceRectRegion(CDC* pDC, CRgn* pOut, const RECT* pRect);

  void SaveClipRegion(CDC* pDC);
  void RestoreClipRegion(CDC* pDC);
  DWORD GetFlags() const { return m_dwFlags; }

  DWORD m_dwFlags;
  void* m_hKeptClipRgn;  // HRGN kept around painting on a print-preview DC

 protected:
  static int s_nSavedDC;
};

// A new empty painter for a flags word read from a record, or NULL.
jvqFill* CreateFill(DWORD dwFlags);
