// End shapes of open lines: arrowheads, dots, squares, a star. A kind is stored as its
// number; objects hold copies of the entries of theLineEndList.
#pragma once

#include "afx.h"
#include "jvqOwningVector.h"

class CDC;
class CRgn;
class jvqObject;
class jvqLineEnd;
class jvqPointList;
class jvqFileHeader;

#define LINE_END_NONE 0

typedef int (*jvqLineEndShapeFunc)(CDC* pDC, jvqObject* pObject, jvqLineEnd* pEnd, int nPointIndex,
                                   CRgn* pRegion);

struct jvqLineEndDescriptor {
  int nKind;
  int nBaseLength;
  int nBaseWidth;
  double dLengthFactor;
  double dWidthFactor;
  jvqLineEndShapeFunc pfnShape;
};

extern const jvqLineEndDescriptor theLineEndDescriptors[];

class jvqLineEnd {
 public:
  explicit jvqLineEnd(const jvqLineEndDescriptor* pDesc);
  jvqLineEnd(const jvqLineEnd& src);
  jvqLineEnd& operator=(const jvqLineEnd& src);
  virtual ~jvqLineEnd();
  virtual const void* GetClassPointer() const { return NULL; }

  int Draw(CDC* pDC, jvqObject* pObject, BOOL bAtStart);
  BOOL Store(CFile* pFile, jvqFileHeader* pHeader);
  BOOL Load(CFile* pFile, jvqFileHeader* pHeader);

  // Template extents for a line of width w.
  void GetTemplateSize(int nLineWidth, int* pLength, int* pWidth) const;
  // The kind's shape placed on the end of the object's outline, in the object's units;
  // FALSE for a point that is not an end or a kind without a shape.
  BOOL PlaceShape(jvqObject* pObject, int nPointIndex, jvqPointList& out) const;

  int m_nKind;
  int m_nBaseLength;
  int m_nBaseWidth;
  double m_dLengthFactor;
  double m_dWidthFactor;
  jvqLineEndShapeFunc m_pfnShape;
  CRgn* m_pRegion;  // the last painted shape
};

// One end style per kind, freed at exit; end styles of objects are copies of its entries.
extern jvqOwningVector<jvqLineEnd> theLineEndList;
void FillLineEndList();
jvqLineEnd* GetLineEnd(int nKind);
int GetLineEndCount();
