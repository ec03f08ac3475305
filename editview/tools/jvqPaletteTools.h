// The five palette modes of the editing view. While one is current the view behaves as
// with the select tool; the tool id tells the palettes which folder to list, and the
// palettes place the objects. The first completed click hands back to the select tool.
#pragma once

#include "jvqSelectTool.h"

class jvqShapeInsertTool : public jvqSelectTool {
 public:
  explicit jvqShapeInsertTool(jvqView* pView) : jvqShapeInsertTool(pView, TOOLID_SHAPE, 1012, "シェイプの挿入", 0) {}
  ~jvqShapeInsertTool() override {}

 protected:
  jvqShapeInsertTool(jvqView* pView, int nToolId, int nCursorId, const char* pszCaption, int bBusy);
};

class jvqSymbolInsertTool : public jvqShapeInsertTool {
 public:
  explicit jvqSymbolInsertTool(jvqView* pView) : jvqShapeInsertTool(pView, TOOLID_SYMBOL, 1021, "シンボルの挿入", 1) {}
};

class jvqFavoriteInsertTool : public jvqShapeInsertTool {
 public:
  explicit jvqFavoriteInsertTool(jvqView* pView)
      : jvqShapeInsertTool(pView, TOOLID_FAVORITE, 1022, "お気に入りの挿入", 0) {}
};

class jvqFloorPlanInsertTool : public jvqShapeInsertTool {
 public:
  explicit jvqFloorPlanInsertTool(jvqView* pView)
      : jvqShapeInsertTool(pView, TOOLID_FLOORPLAN, 1023, "Domiraファイルの挿入", 1) {}
};

class jvqPerspectiveInsertTool : public jvqShapeInsertTool {
 public:
  explicit jvqPerspectiveInsertTool(jvqView* pView)
      : jvqShapeInsertTool(pView, TOOLID_PERSPECTIVE, 1024, "シンボルの挿入", 1) {}
};
