// The benchmarks' board: pages of rectangles, ellipses, pies and five-point polylines in
// turn, 20 to a row, with the attributes of the built-in prototypes.
#pragma once

#include "jvqBoard.h"
#include "jvqEllipticObject.h"
#include "jvqObjectDefaults.h"
#include "jvqPage.h"
#include "jvqPolylineObject.h"
#include "jvqRectObject.h"

// Adds pages until the board has nPages, then nObjects objects to every page.
inline void FillBenchBoard(jvqBoard* b, int nPages, int nObjects) {
  jvqObjectDefaults* d = jvqObjectDefaults::GetObjectDefaults();
  for (int i = b->GetPageCount(); i < nPages; i++) {
    jvqPage* p = new jvqPage;
    d->ApplyDefaults(p);
    b->InsertPage(b->GetPageCount() - 1, p);
    p->m_dwState &= ~JVQ_STATE_VISIBLE;
  }
  for (int i = 0; i < b->GetPageCount(); i++) {
    jvqPage* page = b->GetPage(i);
    for (int j = 0; j < nObjects; j++) {
      const int x = (j % 20) * 200, y = (j / 20) * 250;
      RECT r = {x, y, x + 150, y + 200};
      jvqObject* o;
      switch (j % 4) {
        case 0: o = new jvqRectObject(&r, NULL, 0x311); break;
        case 1: o = new jvqEllipseObject(&r, NULL, 0x301); break;
        case 2: {
          jvqPieObject* pie = new jvqPieObject;
          pie->Create(&r, NULL, 0x311, 20, 250);
          o = pie;
          break;
        }
        default: {
          const POINT pts[5] = {{x, y}, {x + 150, y + 30}, {x + 100, y + 200}, {x + 20, y + 150}, {x, y + 60}};
          jvqPolylineObject* pl = new jvqPolylineObject(NULL);
          pl->SetPoints(pts, 5, NULL, 0x311);
          o = pl;
        }
      }
      d->ApplyDefaults(o);
      page->AddChild(o);
    }
  }
}
