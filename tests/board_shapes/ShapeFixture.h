// Vector shapes made in memory for the shape, symbol and floor-plan tests.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "CVectorShapeEx.h"
#include "afx.h"
#include "afxfile.h"

// A shape in a 100 x 50 frame: a filled triangle (0,0)-(100,0)-(0,50) and an open line from
// its corner (100,0) down to (100,50): the shared corner is stored once.
inline CVectorShapeEx* MakeShape(int nModelW = 0, int nModelH = 0) {
  CVectorShapeEx* s = new CVectorShapeEx;
  s->m_SourcePoints = {{0, 0}, {100, 0}, {0, 50}, {100, 50}};
  s->m_TransformedPoints = s->m_SourcePoints;
  CVectorPrimitive* tri = new CVectorPrimitive;
  tri->m_Indexes = {0, 1, 2};
  tri->m_Brush.lbStyle = 0;  // BS_SOLID
  tri->m_Brush.lbColor = 0x0000FF;
  tri->m_nKind = VECTOR_KIND_POLYGON;
  tri->m_nFillMode = VECTOR_FILL_ALTERNATE;
  CVectorPrimitive* line = new CVectorPrimitive;
  line->m_Indexes = {1, 3};
  line->m_Pen.lopnStyle = 0;
  line->m_Pen.lopnWidth.x = 10;
  line->m_Pen.lopnColor = 0xFF0000;
  line->m_nKind = VECTOR_KIND_POLYLINE;
  s->AddPrimitive(tri);
  s->AddPrimitive(line);
  s->m_Header.m_nFrameWidth = 100;
  s->m_Header.m_nFrameHeight = 50;
  s->m_Header.m_nPhysWidth = 1000;
  s->m_Header.m_nPhysHeight = 500;
  s->m_Header.m_nModelWidth = nModelW;
  s->m_Header.m_nModelHeight = nModelH;
  s->m_Header.m_Bounds[2] = 100;
  s->m_Header.m_Bounds[3] = 50;
  return s;
}

inline std::string StreamOf(CVectorShape& s) {
  CMemFile m;
  s.WriteStream(&m);
  std::string out((size_t)m.GetLength(), '\0');
  m.SeekToBegin();
  if (!out.empty()) m.Read(&out[0], (UINT)out.size());
  return out;
}

inline int32_t IntIn(const std::string& s, size_t at) {
  int32_t v = 0;
  std::memcpy(&v, s.data() + at, 4);
  return v;
}

inline void PutIntIn(std::string& s, size_t at, int32_t v) { std::memcpy(&s[at], &v, 4); }

// A floor-plan file: "kxq" and 0, four bytes, the plan's size in millimetres, then the
// metafile bytes.
inline std::string PlanFileBytes(double w, double h, const std::string& metafile) {
  std::string s("kxq\0\0\0\0\0", 8);
  s.append((const char*)&w, 8);
  s.append((const char*)&h, 8);
  return s + metafile;
}

// The smallest enhanced metafile: a header record of the given frame (0.01 mm) and the end.
inline std::string TinyEmf(int32_t frameRight = 1000, int32_t frameBottom = 800) {
  const int32_t v[] = {1, 88, 0, 0, 10, 10, 0, 0, frameRight, frameBottom, 0x464D4520, 0x10000, 108, 2,
                       1 /* handles, reserved */, 0, 0, 0, 1024, 768, 320, 240, 14, 20, 0, 16, 20};
  return std::string((const char*)v, sizeof(v));
}

inline std::string ReadFileBytes(const std::string& path) {
  std::string out;
  FILE* f = std::fopen(path.c_str(), "rb");
  char buf[4096];
  size_t n;
  while (f && (n = std::fread(buf, 1, sizeof(buf), f)) > 0) out.append(buf, n);
  if (f) std::fclose(f);
  return out;
}

inline bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}
