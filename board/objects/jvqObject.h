// Base of every drawing object, of the containers and of the marker objects. A plain class
// with virtual operations; its record is shared by documents, the clipboard, object files
// and the prototype file.
#pragma once

#include <vector>

#include "afx.h"
#include "jvqLineStyle.h"
#include "jvqObjectCodes.h"
#include "jvqPointList.h"

class CDC;
class CRgn;
class CArchive;
class jvqFill;
class jvqViewMapping;
class jvqHandleObject;
class jvqFileHeader;
class jvqDocument;
class jvqObject;

// An array of objects that deletes them when it owns them.
class jvqObjectArray {
 public:
  jvqObjectArray() : m_bOwns(TRUE) {}
  ~jvqObjectArray() { RemoveAll(); }
  int GetCount() const { return (int)m_items.size(); }
  jvqObject* GetAt(int i) const { return m_items[i]; }
  void Add(jvqObject* p) { m_items.push_back(p); }
  void InsertAt(int i, jvqObject* p);
  void RemoveAt(int i);  // deletes the object when the array owns it
  void RemoveAll();      // likewise for every object

  BOOL m_bOwns;
  std::vector<jvqObject*> m_items;

 private:
  jvqObjectArray(const jvqObjectArray&) = delete;
  jvqObjectArray& operator=(const jvqObjectArray&) = delete;
};

class jvqObject {
 public:
  jvqObject(const POINT* pPoints = NULL, int nCount = 0, jvqViewMapping* pView = NULL,
            DWORD dwState = 0);
  jvqObject(const jvqObject& src);

  virtual BOOL Flip(int nAxis);
  virtual BOOL SetPoints(const POINT* pPoints, int nCount, jvqViewMapping* pView, DWORD dwState);
  virtual BOOL SetPointList(const jvqPointList& list, jvqViewMapping* pView, DWORD dwState);
  virtual BOOL SetPath(const POINT* pPoints, const int* pTypes, int nCount, jvqViewMapping* pView,
                       DWORD dwState);
  virtual void AddPointType(int nType);
  virtual jvqPointList* GetFillOutline();
  virtual int GetEditFlags();
  virtual void Reserved(int, int, int) {}
  virtual ~jvqObject();
  virtual jvqPointList* GetOutline();
  virtual jvqPointList* GetGeometry();
  virtual void GetBoundRect(RECT* pRect);
  virtual jvqObject* GetRootParent();
  virtual jvqViewMapping* GetView();
  virtual jvqObject* HitTest(POINT* pPoint);
  virtual void Draw(CDC* pDC) {}
  virtual void DrawTracker(CDC* pDC);
  virtual void DrawSelectionFrame(CDC* pDC, jvqLineStyle* pStyle) {}
  virtual void DrawOutline(CDC* pDC, jvqLineStyle* pStyle);
  virtual void DrawFill(CDC* pDC, jvqFill* pFill);
  virtual BOOL HitTestInside(int x, int y);
  virtual BOOL HitTestOutline(int x, int y);
  virtual jvqObject* HitTestMarkers(int x, int y);
  virtual void GetExtent(RECT* pRect);
  virtual jvqObject* Clone();
  virtual int BeginTrack(int nHandle, jvqObject* pAnchor);
  virtual void Track(POINT* pStart, POINT* pCurrent, UINT nFlags, jvqObject* pMarker, CDC* pDC) {}
  virtual void EndTrack(int nHandle, jvqObject* pObject);
  virtual BOOL IntersectsRect(const RECT* pRect, int nUnused);
  virtual void MoveLabelTo(POINT* pPoint);
  virtual void MoveTo(POINT* pPoint, int nAnchor);
  virtual POINT* GetCenter(POINT* pOut);
  virtual int FindHandle(jvqObject* pObject);
  virtual int FindVertexMarker(jvqObject* pObject);
  virtual jvqObject* GetVertexMarker(int i);
  virtual jvqObject* GetHandle(int i);
  virtual BOOL GetHitRegion(CDC* pDC, CRgn* pRgn);
  virtual BOOL GetRegion(CDC* pDC, CRgn* pRgn);
  // TRUE when the region GetRegion makes is the upright rectangle *pRect (left <= right, top <=
  // bottom), so that a brush can paint it without making it. Each override of GetRegion keeps
  // this in step.
  virtual BOOL GetRegionRect(CDC* pDC, RECT* pRect);
  virtual BOOL GetDeviceRegion(CDC* pDC, CRgn* pRgn);
  virtual void Offset(const SIZE* pSize);
  virtual int GetPointCount();
  virtual POINT* GetPoint(POINT* pOut, int i);
  virtual void SetPoint(int i, POINT* pPoint);
  virtual void SetPointType(int i, int nType);
  virtual void SetRotation(int nAngle);
  virtual void RotateAbout(int nAngle, POINT* pPivot);
  virtual void SetScale(double sx, double sy);
  virtual void OnToolChanged(int nToolId);
  virtual void Recalc() {}
  virtual POINT* GetRotationCenter(POINT* pOut);
  virtual void OnGeometrySet() {}
  virtual void Invalidate();
  virtual BOOL CanEdit(int nMode) { return TRUE; }
  virtual void OnLButtonDblClk(UINT nFlags, int x, int y) {}
  virtual void OnLButtonDown(UINT nFlags, int x, int y) {}
  virtual void OnLButtonUp(UINT nFlags, int x, int y) {}
  virtual void OnMouseMove(UINT nFlags, int x, int y) {}
  virtual void OnRButtonDown(UINT nFlags, int x, int y) {}
  virtual void OnRButtonUp(UINT nFlags, int x, int y) {}
  virtual void OnRButtonDblClk(UINT nFlags, int x, int y) {}
  virtual BOOL Load(CFile* pFile, jvqFileHeader* pHeader);
  virtual BOOL Store(CFile* pFile, jvqFileHeader* pHeader);
  virtual void Deactivate() {}
  virtual void Serialize(CArchive& ar, jvqDocument* pDocument);
  virtual void Render(CDC* pDC) {}
  virtual POINT* GetBottomPoint(POINT* pOut);
  virtual POINT* GetTopPoint(POINT* pOut);
  virtual POINT* GetRightPoint(POINT* pOut);
  virtual POINT* GetLeftPoint(POINT* pOut);
  virtual BOOL GetHandleBounds(RECT* pRect);

  int GetClassCode() const { return m_nClassCode; }
  DWORD GetState() const { return m_dwState; }
  BOOL IsShown() const {
    return (m_dwState & (JVQ_STATE_VISIBLE | JVQ_STATE_ALIVE)) == (JVQ_STATE_VISIBLE | JVQ_STATE_ALIVE);
  }
  jvqFill* GetFill() const { return m_pFill; }
  void SetFill(jvqFill* pFill);  // takes ownership, deletes the old painter
  jvqLineStyle* GetLineStyle() { return &m_LineStyle; }
  // A resize drag turns single points through the shared rotation.
  static void RotatePoint(POINT* pCenter, POINT* pPoint, int nAngle);
  // The hit tolerance of the outline: the line width, at least 16 screen pixels.
  int GetHitTolerance();
  // Makes a marker at the point, attached to this object with the given kind.
  jvqHandleObject* MakeMarker(const POINT* pCenter, DWORD dwKind);
  // The 8 resize handles on the frame points of a rectangle, replacing the old ones.
  void MakeResizeHandles(const RECT& rc);

  jvqViewMapping* m_pView;
  jvqObject* m_pParent;
  DWORD m_dwState;
  jvqLineStyle m_LineStyle;
  jvqFill* m_pFill;
  int m_nClassCode;
  jvqHandleObject* m_pLabelMarker;
  jvqObjectArray m_VertexMarkers;
  jvqObjectArray m_ResizeHandles;
  jvqPointList m_TrackGeometry;
  double m_dFrameAngle;
  double m_dRotation;
  double m_dScaleX;
  double m_dScaleY;
  POINT m_ptFramePivot;
  POINT m_ptTrackPivot;
  POINT m_ptTrackCentroid;
  jvqPointList m_GeometryData;
  std::vector<int> m_PointTypes;
  POINT m_ptAnchorCenter;
  double m_dTrackAspect;
  int m_nEditFlags;
  int m_nTrackFlag;
  RECT m_rcTrackBounds;
  BOOL m_bNoFeedback;

 protected:
  // Reads the common record after the class code into temporaries and commits it only
  // when it is whole.
  BOOL LoadBase(CFile* pFile, jvqFileHeader* pHeader);
  BOOL StoreBase(CFile* pFile, jvqFileHeader* pHeader);
};
