// Line drawings for the library shapes and floor plans: polygons, polylines and texts with
// their pens and brushes, written as enhanced metafiles and as vector shape streams (".tqz")
// by the same rules by which the board designer converts a metafile.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct DrawPoint {
  int32_t x, y;
};

struct DrawStroke {
  std::vector<DrawPoint> points;
  bool closed = true;           // polygon, else polyline
  uint32_t penColor = 0;        // 0x00BBGGRR
  int32_t penWidth = 0;
  bool noPen = false;
  uint32_t brushColor = 0;
  bool noBrush = false;
};

struct DrawText {
  DrawPoint at;                 // centre of the text
  std::string utf8;
  int32_t height = 0;
  uint32_t color = 0;
};

struct LineDrawing {
  int32_t width = 0, height = 0;  // the frame, in drawing units
  double unitsPerMm = 1;          // drawing units in one millimetre
  std::vector<DrawStroke> strokes;
  std::vector<DrawText> texts;

  DrawStroke& Polygon(std::vector<DrawPoint> pts, uint32_t brush, uint32_t pen = 0, int32_t penWidth = 0);
  DrawStroke& Polyline(std::vector<DrawPoint> pts, uint32_t pen, int32_t penWidth);
  DrawStroke& Rect(int32_t l, int32_t t, int32_t r, int32_t b, uint32_t brush, uint32_t pen = 0, int32_t penWidth = 0);
  // An arc of a circle as a polyline (curves are not part of shapes).
  DrawStroke& Arc(DrawPoint c, int32_t radius, double fromDeg, double toDeg, uint32_t pen, int32_t penWidth);
};

// The enhanced metafile's bytes: the frame is the drawing's, its device one unit a unit.
std::vector<uint8_t> EmfBytes(const LineDrawing& d);
// The shape stream of the drawing's polygons and polylines (texts are not part of shapes),
// with the model size in millimetres.
std::vector<uint8_t> TqzBytes(const LineDrawing& d, int32_t modelW, int32_t modelH);
bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
// The drawing of a plan symbol by its metafile name ("tree", "bed", ...) with its size in
// millimetres; false for an unknown name.
bool PlanSymbolDrawing(const std::string& id, LineDrawing* d, int32_t* modelW, int32_t* modelH);
