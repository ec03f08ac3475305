// The container object: a rectangle whose geometry is the union of its children, which
// forwards drawing, transforms and hit tests to them. Base of the page and the board.
#pragma once

#include <vector>

#include "jvqRectObject.h"

class jvqGroupObject : public jvqRectObject {
 public:
  jvqGroupObject();
  jvqGroupObject(const RECT* pRect, jvqViewMapping* pView, DWORD dwState);
  jvqGroupObject(const jvqGroupObject& src);
  virtual ~jvqGroupObject();

  virtual BOOL Flip(int nAxis);
  virtual void Draw(CDC* pDC);
  virtual void DrawOutline(CDC* pDC, jvqLineStyle* pStyle);
  virtual BOOL HitTestInside(int x, int y);
  virtual BOOL HitTestOutline(int x, int y);
  virtual void GetExtent(RECT* pRect);
  virtual jvqObject* Clone();
  virtual int BeginTrack(int nHandle, jvqObject* pAnchor);
  virtual void Track(POINT* pStart, POINT* pCurrent, UINT nFlags, jvqObject* pMarker, CDC* pDC);
  virtual void EndTrack(int nHandle, jvqObject* pObject);
  virtual void Offset(const SIZE* pSize);
  virtual void SetRotation(int nAngle);
  virtual void RotateAbout(int nAngle, POINT* pPivot);
  virtual void SetScale(double sx, double sy);
  virtual void OnToolChanged(int nToolId);
  virtual void Recalc();
  virtual void OnGeometrySet();
  virtual BOOL CanEdit(int nMode);
  virtual void OnLButtonDblClk(UINT nFlags, int x, int y);
  virtual void OnLButtonDown(UINT nFlags, int x, int y);
  virtual void OnLButtonUp(UINT nFlags, int x, int y);
  virtual void OnMouseMove(UINT nFlags, int x, int y);
  virtual void OnRButtonDown(UINT nFlags, int x, int y);
  virtual void OnRButtonUp(UINT nFlags, int x, int y);
  virtual void OnRButtonDblClk(UINT nFlags, int x, int y);
  virtual BOOL Load(CFile* pFile, jvqFileHeader* pHeader);
  virtual BOOL Store(CFile* pFile, jvqFileHeader* pHeader);
  virtual void Deactivate();
  virtual void Serialize(CArchive& ar, jvqDocument* pDocument);
  virtual void Render(CDC* pDC);

  virtual int FindChild(jvqObject* pObject);
  virtual void DrawChildren(CDC* pDC);
  virtual BOOL IntersectsRectDeep(const RECT* pRect);
  virtual void RemoveChild(jvqObject* pObject, int bDelete);
  virtual void DeleteChildren();
  virtual void ModifyChildState(int nClear, int nSet);
  virtual void AddChild(jvqObject* pObject);
  virtual void InsertChild(int nIndex, jvqObject* pObject);

  int GetChildCount() const { return m_Children.GetCount(); }
  jvqObject* GetChild(int i) const { return m_Children.GetAt(i); }
  void SetChildAt(int nIndex, jvqObject* pObject);
  void GetContentsRect(RECT* pOut);
  int CompareStacking(jvqObject* a, jvqObject* b);

  // The archive form of pages and the board: the object record, the count of alive
  // children, then each alive child through its Serialize. Throws on a read that cannot
  // go on (unknown class, count beyond the stream, broken record).
  void SerializeContainer(CArchive& ar, jvqFileHeader* pHeader);
  // The document layer tells the containers where a document keeps its header.
  typedef jvqFileHeader* (*HeaderQuery)(jvqDocument* pDocument);
  static HeaderQuery s_pfnHeaderOf;

  jvqObjectArray m_Children;
  std::vector<double> m_RelX;
  std::vector<double> m_RelY;
  int m_nTrackWidth;
  int m_nTrackHeight;

 protected:
  void InitGroup();
  void CloneChildrenFrom(const jvqGroupObject& src);
};

// Gives the group and every descendant the owner mapping.
void SetOwnerRecursive(jvqGroupObject* pGroup, jvqViewMapping* pView);

// Called once per object read, so that a loading dialog can refresh; NULL when none.
typedef void (*jvqReadProgressProc)();
extern jvqReadProgressProc theReadProgressProc;
