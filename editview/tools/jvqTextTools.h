// The drag-rectangle tools of text: a text frame typed into on the page, a title made from
// the title dialog, a balloon made from the text dialog. The dialogs and the editor are
// reached through the view's host.
#pragma once

#include "jvqRectTool.h"

class jvqTextTool : public jvqRectTool {
 public:
  explicit jvqTextTool(jvqView* pView);
  BOOL CreateObject(POINT* pStart, POINT* pEnd) override;
};

class jvqTitleTool : public jvqRectTool {
 public:
  explicit jvqTitleTool(jvqView* pView);
  BOOL CreateObject(POINT* pStart, POINT* pEnd) override;
};

class jvqBalloonTool : public jvqRectTool {
 public:
  // nShapeType: the body's class code, 3, 0x10803 or 0x11003.
  jvqBalloonTool(jvqView* pView, int nShapeType);
  BOOL CreateObject(POINT* pStart, POINT* pEnd) override;
};
