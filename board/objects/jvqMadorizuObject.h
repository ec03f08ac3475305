// A floor plan on a board: a group holding one picture made from a floor-plan file (".kxq"),
// which knows the plan's real size and its drawing scale 1 : N.
#pragma once

#include <cstdint>

#include "jvqGroupObject.h"

class jvqImageObject;
class jvqImagePool;

class jvqMadorizuObject : public jvqGroupObject {
 public:
  jvqMadorizuObject(LPCTSTR lpszPath, jvqViewMapping* pView, jvqImagePool* pPool, DWORD dwState);
  jvqMadorizuObject(const jvqMadorizuObject& src);
  virtual ~jvqMadorizuObject() {}

  virtual jvqObject* Clone();
  virtual void Track(POINT* pStart, POINT* pCurrent, UINT nFlags, jvqObject* pMarker, CDC* pDC);
  virtual void Recalc();
  virtual BOOL Load(CFile* pFile, jvqFileHeader* pHeader);
  virtual BOOL Store(CFile* pFile, jvqFileHeader* pHeader);
  virtual void Serialize(CArchive& ar, jvqDocument* pDocument);
  virtual void DeleteChildren();

  BOOL Create(LPCTSTR lpszPath, jvqViewMapping* pView, jvqImagePool* pPool, DWORD dwState);
  // A new picture object of the plan's metafile at the current scale, or NULL.
  jvqImageObject* ReadPlanFile(LPCTSTR lpszPath, jvqImagePool* pPool);
  using jvqGroupObject::SetScale;
  // 1 / N for a scale of 1 : N: the picture takes the plan's size at that scale.
  void SetScale(double dScale);
  // The scale the picture's width now shows, to a multiple of ten of N.
  void RecalcScale();
  // The archive form of documents: the group's, then the plan's fields.
  void SerializeArchive(CArchive& ar, jvqFileHeader* pHeader);
  jvqObject* GetPicture() const;
  // N of the scale 1 : N, from the drawing scale.
  int GetScaleDenominator() const;

  int32_t m_nPlanWidth;   // 0.1 mm
  int32_t m_nPlanHeight;
  double m_dDrawingScale;
  int32_t m_nPictureIndex;

 private:
  // The position of the last child that is a picture, or -1.
  int FindPictureChild() const;
};
