// Boards for the document tests, made with the program's own classes.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "afx.h"
#include "jvqBoard.h"
#include "jvqEllipticObject.h"
#include "jvqFileHeader.h"
#include "jvqObjectDefaults.h"
#include "jvqOleObject.h"
#include "jvqPage.h"
#include "jvqPolylineObject.h"
#include "jvqRoundRectObject.h"
#include "jvqSolidFill.h"

// One object of every class the program has so far, spread over a page at offset d.
inline void MoveRect(RECT* r, int dx, int dy) {
  r->left += dx;
  r->right += dx;
  r->top += dy;
  r->bottom += dy;
}

inline void AddOneOfEach(jvqPage* pPage, int d) {
  jvqObjectDefaults* defs = jvqObjectDefaults::GetObjectDefaults();
  auto add = [&](jvqObject* p) {
    defs->ApplyDefaults(p);
    pPage->AddChild(p);
  };
  RECT r = {100 + d, 100, 600 + d, 400};
  add(new jvqRectObject(&r, NULL, 0x311));
  MoveRect(&r, 0, 500);
  jvqRoundRectObject* rr = new jvqRoundRectObject(&r, NULL, 0x301);
  rr->SetCornerRadius(40);
  add(rr);
  MoveRect(&r, 0, 500);
  add(new jvqEllipseObject(&r, NULL, 0x301));
  MoveRect(&r, 700, -1000);
  jvqPieObject* pie = new jvqPieObject;
  pie->Create(&r, NULL, 0x311, 30, 200);
  add(pie);
  MoveRect(&r, 0, 500);
  jvqChordObject* chord = new jvqChordObject;
  chord->Create(&r, NULL, 0x311, 10, 120);
  add(chord);
  MoveRect(&r, 0, 500);
  add(new jvqArcObject(&r, NULL, 0x151, 45, 300));
  const POINT pts[4] = {{2000 + d, 100}, {2600 + d, 300}, {2300 + d, 900}, {2100 + d, 700}};
  jvqPolylineObject* poly = new jvqPolylineObject(NULL);
  poly->SetPoints(pts, 4, NULL, 0x311);
  add(poly);
  // A group of two rectangles, the second one deleted: groups keep dead children.
  jvqGroupObject* g = new jvqGroupObject();
  RECT a = {3000 + d, 100, 3300 + d, 300}, b = {3100 + d, 400, 3500 + d, 800};
  jvqRectObject* ra = new jvqRectObject(&a, NULL, 0x311);
  ra->SetFill(new jvqSolidFill(RGB(10, 20, 30)));
  jvqRectObject* rb = new jvqRectObject(&b, NULL, 0x211);
  g->AddChild(ra);
  g->AddChild(rb);
  pPage->AddChild(g);
  g->m_dwState = 0x311;
}

// A board of nPages pages with one object of every class on each, and a dead object and
// a dead page that must not reach the file.
inline jvqBoard* MakeTestBoard(int nPages) {
  jvqBoard* b = new jvqBoard(NULL);
  for (int i = 1; i < nPages; i++) {
    jvqPage* p = new jvqPage;
    jvqObjectDefaults::GetObjectDefaults()->ApplyDefaults(p);
    b->InsertPage(b->GetPageCount() - 1, p);
    p->m_dwState &= ~JVQ_STATE_VISIBLE;
  }
  for (int i = 0; i < nPages; i++) AddOneOfEach(b->GetPage(i), i * 10);
  RECT r = {0, 0, 50, 50};
  jvqRectObject* dead = new jvqRectObject(&r, NULL, 0x311);
  dead->m_dwState &= ~JVQ_STATE_ALIVE;
  b->GetPage(0)->AddChild(dead);
  jvqPage* deadPage = new jvqPage;
  jvqObjectDefaults::GetObjectDefaults()->ApplyDefaults(deadPage);
  deadPage->m_dwState = 0x201;
  b->AddPage(deadPage);
  return b;
}

// The bytes of an object's record.
inline std::string RecordOf(jvqObject* p, int nVersion = JVQ_VERSION_CURRENT) {
  jvqFileHeader h;
  h.m_nVersion = nVersion;
  CMemFile f;
  p->Store(&f, &h);
  std::string s((size_t)f.GetLength(), '\0');
  f.SeekToBegin();
  if (!s.empty()) f.Read(&s[0], (UINT)s.size());
  return s;
}

// The object record of a container without its children.
inline std::string BaseRecordOf(jvqObject* p) {
  jvqFileHeader h;
  CMemFile f;
  p->jvqObject::Store(&f, &h);
  std::string s((size_t)f.GetLength(), '\0');
  f.SeekToBegin();
  if (!s.empty()) f.Read(&s[0], (UINT)s.size());
  return s;
}

// The records of the alive objects of every alive page, in order.
inline std::vector<std::string> AliveRecords(jvqBoard* b) {
  std::vector<std::string> out;
  for (int i = 0; i < b->GetPageCount(); i++) {
    jvqPage* p = b->GetPage(i);
    out.push_back(BaseRecordOf(p));
    for (int j = 0; j < p->GetChildCount(); j++)
      if (p->GetChild(j)->GetState() & JVQ_STATE_ALIVE) out.push_back(RecordOf(p->GetChild(j)));
  }
  return out;
}

// An embedded object naming item nIndex of no document, as the factory makes them.
inline jvqOleObject* AddOleObject(jvqPage* pPage, int nIndex) {
  jvqOleObject* o = (jvqOleObject*)jvqObjectDefaults::CreateObject(JVQ_OBJ_OLE);
  jvqObjectDefaults::GetObjectDefaults()->ApplyDefaults(o);
  o->m_nItemIndex = nIndex;
  o->m_nReserved1 = 11;  // carried though unused
  RECT r = {1200, 1800, 1454, 1927};
  o->SetRect(&r, NULL, 0x311);
  pPage->AddChild(o);
  return o;
}

inline void EnsurePrototypes() {
  jvqObjectDefaults* d = jvqObjectDefaults::GetObjectDefaults();
  if (d->GetCount() == 0) d->CreatePrototypes();
}

// The flags words of the fill kinds whose painters are not built yet.
struct UnbuiltFillKind {
  const char* kind;
  int32_t flags;
};
inline const std::vector<UnbuiltFillKind>& UnbuiltFillKinds() {
  static const std::vector<UnbuiltFillKind> kinds = {
      {"vector", 0x1010000}, {"unknown kind", 0x2010000}};
  return kinds;
}

// The bytes with the fill flags word of the object's record (found by its bytes; the
// object must hold a solid fill) set to `flags`; with `dropBody` the solid body goes too,
// so that a reader skipping the kind would stay in step. Empty when the record is not there.
inline std::string WithFillFlags(const std::string& bytes, jvqObject* p, int32_t flags, bool dropBody) {
  const std::string rec = RecordOf(p);
  const size_t at = bytes.find(rec);
  if (at == std::string::npos || p->GetFill() == NULL || p->GetFill()->GetFlags() != 0x30000) return std::string();
  std::string out = bytes;
  const size_t flagsAt = at + 12 + 8 * (size_t)p->GetPointCount() + 20;
  std::memcpy(&out[flagsAt], &flags, 4);
  if (dropBody) out.erase(flagsAt + 4, 16);
  return out;
}
