// A board of the text family, made with the program's own classes, for the file,
// clipboard and journey tests.
#pragma once

#include "afx.h"
#include "jvqBalloonObject.h"
#include "jvqBannerObject.h"
#include "jvqBoard.h"
#include "jvqEllipticObject.h"
#include "jvqLineTextObject.h"
#include "jvqObjectDefaults.h"
#include "jvqPage.h"
#include "jvqRoundRectObject.h"
#include "jvqTextObject.h"

// Every object of the text family: titles of all twelve shapes in both directions, texts
// in both directions, a leader text and a balloon on each body.
inline void AddTextObjects(jvqPage* page) {
  jvqObjectDefaults* d = jvqObjectDefaults::GetObjectDefaults();
  if (d->GetCount() == 0) d->CreatePrototypes();
  for (int shape = 1; shape <= 12; shape++) {
    RECT r = {100 + 700 * ((shape - 1) % 6), 100 + 400 * ((shape - 1) / 6), 0, 0};
    r.right = r.left + 600;
    r.bottom = r.top + 300;
    jvqBannerStyle s;
    s.m_Block.shape = shape;
    s.m_Block.horizontal = shape % 2;
    s.m_nOption = shape;
    s.m_crText = RGB(shape, 0, 0);
    page->AddChild(new jvqBannerObject(&r, NULL, &s, 0x311));
  }
  for (int direction : {0, JVQ_TEXT_VERTICAL}) {
    RECT r = {100, 1000 + direction * 5, 1500, 1300 + direction * 5};
    jvqTextAttributes a;
    jvqDefaultTextAttributes(&a);
    a.text = "見本の文\r\n二行目\tタブ";
    a.face = "ＭＳ 明朝";
    a.direction = direction;
    jvqTextObject* t = new jvqTextObject(&r, NULL, &a, 0x311);
    t->GetTextFill()->m_crText = RGB(0, 0, 200);
    page->AddChild(t);
  }
  const POINT leader[3] = {{2000, 1000}, {2300, 1200}, {2600, 1200}};
  jvqLineTextObject* lt = new jvqLineTextObject;
  lt->SetPoints(leader, 3, NULL, 0x311);
  page->AddChild(lt);
  int x = 100;
  for (int code : {JVQ_OBJ_RECT, JVQ_OBJ_ROUNDRECT, JVQ_OBJ_ELLIPSE}) {
    RECT r = {x, 2000, x + 600, 2300};
    jvqObject* body = code == JVQ_OBJ_RECT ? (jvqObject*)new jvqRectObject(&r, NULL, 0x311)
                      : code == JVQ_OBJ_ELLIPSE ? (jvqObject*)new jvqEllipseObject(&r, NULL, 0x311)
                                                : (jvqObject*)new jvqRoundRectObject(&r, NULL, 0x311);
    jvqBalloonObject* balloon = new jvqBalloonObject(NULL);
    balloon->SetBody(body, NULL, 0x311);
    page->AddChild(balloon);
    x += 800;
  }
}

inline jvqBoard* MakeTextBoard() {
  jvqBoard* b = new jvqBoard(NULL);
  AddTextObjects(b->GetPage(0));
  return b;
}

