#include "DxfDrawing.h"

#if defined(_WIN32) && defined(PICTAL_WITH_DXFLIB)

#include <windows.h>

#include <cmath>
#include <exception>
#include <map>
#include <string>
#include <vector>

#include <dl_creationadapter.h>
#include <dl_dxf.h>

namespace pictal {

namespace {

const double kPi = 3.14159265358979323846;
// Limits that keep a hostile drawing (deep or wide block nesting) within bounds.
const int kMaxNesting = 8;
const size_t kMaxPoints = 2000000;
// The drawing's longer side in screen pixels at most; smaller drawings keep 1 unit = 1 mm.
const double kMaxPixels = 1024.0;

struct Pt {
  double x, y;
};

struct Shape {
  std::vector<Pt> points;
  COLORREF color;
};

struct Label {
  Pt at;
  double height, angle;  // angle in radians
  std::string text;
  COLORREF color;
};

struct Insert {
  std::string block;
  Pt at, scale;
  double angle;  // degrees
  int cols, rows;
  Pt spacing;
};

struct Block {
  Pt base = {0, 0};
  std::vector<Shape> shapes;
  std::vector<Label> labels;
  std::vector<Insert> inserts;
};

// The colours of the first nine AutoCAD colour indexes; white draws black on paper.
COLORREF AciColor(int index)
{
  static const COLORREF table[] = {RGB(0, 0, 0),     RGB(255, 0, 0),     RGB(255, 255, 0),
                                   RGB(0, 255, 0),   RGB(0, 255, 255),   RGB(0, 0, 255),
                                   RGB(255, 0, 255), RGB(0, 0, 0),       RGB(128, 128, 128),
                                   RGB(192, 192, 192)};
  if (index < 0) index = -index;
  return index < 10 ? table[index] : RGB(0, 0, 0);
}

// Collects the entities dxflib reports, block by block.
class Collector : public DL_CreationAdapter {
 public:
  Block model;
  std::map<std::string, Block> blocks;
  size_t points = 0;

  void addLayer(const DL_LayerData& data) override { m_layerColors[data.name] = AciColor(attributes.getColor()); }

  void addBlock(const DL_BlockData& data) override
  {
    m_target = &blocks[data.name];
    m_target->base = {data.bpx, data.bpy};
  }
  void endBlock() override { m_target = &model; }

  void addLine(const DL_LineData& d) override { AddShape({{d.x1, d.y1}, {d.x2, d.y2}}); }

  void addArc(const DL_ArcData& d) override
  {
    double a1 = d.angle1, a2 = d.angle2;
    while (a2 <= a1) a2 += 360.0;
    AddShape(ArcPoints(d.cx, d.cy, d.radius, a1 * kPi / 180, a2 * kPi / 180));
  }

  void addCircle(const DL_CircleData& d) override { AddShape(ArcPoints(d.cx, d.cy, d.radius, 0, 2 * kPi)); }

  void addEllipse(const DL_EllipseData& d) override
  {
    double major = std::hypot(d.mx, d.my), turn = std::atan2(d.my, d.mx);
    double a1 = d.angle1, a2 = d.angle2;
    while (a2 <= a1) a2 += 2 * kPi;
    std::vector<Pt> pts;
    int steps = 72;
    for (int i = 0; i <= steps; ++i) {
      double t = a1 + (a2 - a1) * i / steps;
      double x = major * std::cos(t), y = major * d.ratio * std::sin(t);
      pts.push_back({d.cx + x * std::cos(turn) - y * std::sin(turn), d.cy + x * std::sin(turn) + y * std::cos(turn)});
    }
    AddShape(pts);
  }

  void addPolyline(const DL_PolylineData& d) override
  {
    FinishPolyline();
    m_inPolyline = true;
    m_closed = (d.flags & 1) != 0;
    m_vertices.clear();
    m_bulges.clear();
  }

  void addVertex(const DL_VertexData& d) override
  {
    if (!m_inPolyline) return;
    m_vertices.push_back({d.x, d.y});
    m_bulges.push_back(d.bulge);
  }

  void endEntity() override { FinishPolyline(); }
  void endSection() override { FinishPolyline(); }

  void addSolid(const DL_SolidData& d) override
  {
    // Corner order of a solid is 1, 2, 4, 3.
    AddShape({{d.x[0], d.y[0]}, {d.x[1], d.y[1]}, {d.x[3], d.y[3]}, {d.x[2], d.y[2]}, {d.x[0], d.y[0]}});
  }

  void addText(const DL_TextData& d) override { AddLabel({d.ipx, d.ipy}, d.height, d.angle, d.text); }
  void addMText(const DL_MTextData& d) override { AddLabel({d.ipx, d.ipy}, d.height, d.angle, d.text); }

  void addInsert(const DL_InsertData& d) override
  {
    m_target->inserts.push_back({d.name, {d.ipx, d.ipy}, {d.sx, d.sy}, d.angle, d.cols, d.rows, {d.colSp, d.rowSp}});
  }

 private:
  Block* m_target = &model;
  std::map<std::string, COLORREF> m_layerColors;
  bool m_inPolyline = false, m_closed = false;
  std::vector<Pt> m_vertices;
  std::vector<double> m_bulges;

  COLORREF CurrentColor()
  {
    int index = attributes.getColor();
    if (index == 256) {
      auto it = m_layerColors.find(attributes.getLayer());
      return it == m_layerColors.end() ? RGB(0, 0, 0) : it->second;
    }
    return AciColor(index);
  }

  static std::vector<Pt> ArcPoints(double cx, double cy, double r, double a1, double a2)
  {
    std::vector<Pt> pts;
    int steps = std::max(2, (int)std::ceil((a2 - a1) / (kPi / 36)));
    for (int i = 0; i <= steps; ++i) {
      double t = a1 + (a2 - a1) * i / steps;
      pts.push_back({cx + r * std::cos(t), cy + r * std::sin(t)});
    }
    return pts;
  }

  void AddShape(const std::vector<Pt>& pts)
  {
    if (pts.size() < 2 || points + pts.size() > kMaxPoints) return;
    points += pts.size();
    m_target->shapes.push_back({pts, CurrentColor()});
  }

  void AddLabel(Pt at, double height, double angle, const std::string& text)
  {
    if (text.empty() || !(height > 0)) return;
    m_target->labels.push_back({at, height, angle, text, CurrentColor()});
  }

  // A bulge is the tangent of a quarter of the arc's angle between two vertices.
  void AppendSegment(std::vector<Pt>& out, Pt a, Pt b, double bulge)
  {
    if (std::fabs(bulge) < 1e-9) {
      out.push_back(b);
      return;
    }
    double angle = 4 * std::atan(bulge);
    double chord = std::hypot(b.x - a.x, b.y - a.y);
    if (chord < 1e-12) return;
    double radius = chord / (2 * std::sin(std::fabs(angle) / 2));
    double mid = std::atan2(b.y - a.y, b.x - a.x) + (bulge > 0 ? 1 : -1) * (kPi / 2 - std::fabs(angle) / 2);
    Pt c = {a.x + radius * std::cos(mid), a.y + radius * std::sin(mid)};
    double start = std::atan2(a.y - c.y, a.x - c.x);
    int steps = std::max(2, (int)std::ceil(std::fabs(angle) / (kPi / 36)));
    for (int i = 1; i <= steps; ++i) {
      double t = start + angle * i / steps;
      out.push_back({c.x + radius * std::cos(t), c.y + radius * std::sin(t)});
    }
  }

  void FinishPolyline()
  {
    if (!m_inPolyline) return;
    m_inPolyline = false;
    if (m_vertices.empty()) return;
    std::vector<Pt> pts = {m_vertices[0]};
    for (size_t i = 1; i < m_vertices.size(); ++i) AppendSegment(pts, m_vertices[i - 1], m_vertices[i], m_bulges[i - 1]);
    if (m_closed && m_vertices.size() > 2) AppendSegment(pts, m_vertices.back(), m_vertices[0], m_bulges.back());
    AddShape(pts);
  }
};

// A drawing with its blocks expanded into plain shapes and labels.
struct Flat {
  std::vector<Shape> shapes;
  std::vector<Label> labels;
  size_t points = 0;
};

struct Transform {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;  // x' = a x + c y + e, y' = b x + d y + f
  Pt Apply(Pt p) const { return {a * p.x + c * p.y + e, b * p.x + d * p.y + f}; }
  Transform Then(const Transform& outer) const
  {
    Transform t;
    t.a = outer.a * a + outer.c * b;
    t.b = outer.b * a + outer.d * b;
    t.c = outer.a * c + outer.c * d;
    t.d = outer.b * c + outer.d * d;
    t.e = outer.a * e + outer.c * f + outer.e;
    t.f = outer.b * e + outer.d * f + outer.f;
    return t;
  }
};

void Expand(const Collector& dxf, const Block& block, const Transform& t, double scale, int depth, Flat* out)
{
  for (const Shape& s : block.shapes) {
    if (out->points + s.points.size() > kMaxPoints) return;
    Shape copy = {{}, s.color};
    for (const Pt& p : s.points) copy.points.push_back(t.Apply(p));
    out->points += copy.points.size();
    out->shapes.push_back(copy);
  }
  for (const Label& l : block.labels) {
    Label copy = l;
    copy.at = t.Apply(l.at);
    copy.height = l.height * scale;
    Pt dir = t.Apply({l.at.x + std::cos(l.angle), l.at.y + std::sin(l.angle)});
    copy.angle = std::atan2(dir.y - copy.at.y, dir.x - copy.at.x);
    out->labels.push_back(copy);
  }
  if (depth >= kMaxNesting) return;
  for (const Insert& ins : block.inserts) {
    auto it = dxf.blocks.find(ins.block);
    if (it == dxf.blocks.end()) continue;
    int cols = std::max(1, std::min(ins.cols, 100)), rows = std::max(1, std::min(ins.rows, 100));
    double r = ins.angle * kPi / 180;
    for (int row = 0; row < rows; ++row)
      for (int col = 0; col < cols; ++col) {
        // Block base to origin, scale, turn, then to the insertion point (and array cell).
        Transform local;
        local.a = ins.scale.x * std::cos(r);
        local.b = ins.scale.x * std::sin(r);
        local.c = -ins.scale.y * std::sin(r);
        local.d = ins.scale.y * std::cos(r);
        double ox = col * ins.spacing.x, oy = row * ins.spacing.y;
        Pt cell = {ox * std::cos(r) - oy * std::sin(r), ox * std::sin(r) + oy * std::cos(r)};
        local.e = ins.at.x + cell.x - (local.a * it->second.base.x + local.c * it->second.base.y);
        local.f = ins.at.y + cell.y - (local.b * it->second.base.x + local.d * it->second.base.y);
        Expand(dxf, it->second, local.Then(t), scale * std::fabs(ins.scale.y), depth + 1, out);
        if (out->points >= kMaxPoints) return;
      }
  }
}

}  // namespace

bool DxfToEnhancedMetafile(const char* path, Bytes* emf)
{
  Collector dxf;
  try {
    DL_Dxf reader;
    if (!reader.in(path, &dxf)) return false;
  } catch (const std::exception&) {
    return false;
  }
  Flat flat;
  Expand(dxf, dxf.model, Transform(), 1.0, 0, &flat);
  double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
  auto grow = [&](Pt p) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
    minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
  };
  for (const Shape& s : flat.shapes)
    for (const Pt& p : s.points) grow(p);
  for (const Label& l : flat.labels) grow(l.at);
  if (minX > maxX) return false;
  double w = maxX - minX, h = maxY - minY;
  double side = std::max(w, h);
  if (!(side > 0)) return false;
  if (w < side / 100) w = side / 100;
  if (h < side / 100) h = side / 100;

  // One drawing unit is one millimetre unless that would make the picture too large.
  double pxPerUnit = 96.0 / 25.4;
  if (side * pxPerUnit > kMaxPixels) pxPerUnit = kMaxPixels / side;
  LONG pxW = std::max(1L, (LONG)std::lround(w * pxPerUnit)), pxH = std::max(1L, (LONG)std::lround(h * pxPerUnit));
  // Logical units fine enough for the drawing's detail.
  double s = 10000.0 / std::max(w, h);

  HDC screen = ::GetDC(NULL);
  RECT frame = {0, 0, (LONG)((long long)pxW * 2540 / 96), (LONG)((long long)pxH * 2540 / 96)};
  int hres = ::GetDeviceCaps(screen, HORZRES), hsize = ::GetDeviceCaps(screen, HORZSIZE);
  int vres = ::GetDeviceCaps(screen, VERTRES), vsize = ::GetDeviceCaps(screen, VERTSIZE);
  HDC hdc = ::CreateEnhMetaFileA(screen, NULL, &frame, NULL);
  ::ReleaseDC(NULL, screen);
  if (!hdc) return false;
  ::SetMapMode(hdc, MM_ANISOTROPIC);
  ::SetWindowOrgEx(hdc, 0, 0, NULL);
  ::SetWindowExtEx(hdc, (int)std::lround(w * s), (int)std::lround(h * s), NULL);
  ::SetViewportOrgEx(hdc, 0, 0, NULL);
  ::SetViewportExtEx(hdc, hsize > 0 ? (int)((long long)frame.right * hres / (hsize * 100LL)) : pxW,
                     vsize > 0 ? (int)((long long)frame.bottom * vres / (vsize * 100LL)) : pxH, NULL);
  auto logical = [&](Pt p) {
    POINT q = {(LONG)std::lround((p.x - minX) * s), (LONG)std::lround((maxY - p.y) * s)};
    return q;
  };
  std::vector<POINT> pts;
  for (const Shape& shape : flat.shapes) {
    pts.clear();
    for (const Pt& p : shape.points)
      if (std::isfinite(p.x) && std::isfinite(p.y)) pts.push_back(logical(p));
    if (pts.size() < 2) continue;
    HPEN pen = ::CreatePen(PS_SOLID, 0, shape.color);
    HGDIOBJ old = ::SelectObject(hdc, pen);
    ::Polyline(hdc, pts.data(), (int)pts.size());
    ::SelectObject(hdc, old);
    ::DeleteObject(pen);
  }
  ::SetBkMode(hdc, TRANSPARENT);
  ::SetTextAlign(hdc, TA_BASELINE | TA_LEFT);
  for (const Label& l : flat.labels) {
    int height = (int)std::lround(l.height * s);
    if (height <= 0) continue;
    HFONT font = ::CreateFontA(-height, 0, (int)std::lround(l.angle * 1800 / kPi), 0, FW_NORMAL, FALSE, FALSE, FALSE,
                               DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               DEFAULT_PITCH, "Arial");
    HGDIOBJ old = ::SelectObject(hdc, font);
    ::SetTextColor(hdc, l.color);
    POINT at = logical(l.at);
    ::TextOutA(hdc, at.x, at.y, l.text.c_str(), (int)l.text.size());
    ::SelectObject(hdc, old);
    ::DeleteObject(font);
  }
  HENHMETAFILE hemf = ::CloseEnhMetaFile(hdc);
  if (!hemf) return false;
  UINT n = ::GetEnhMetaFileBits(hemf, 0, NULL);
  bool ok = n > 0;
  if (ok) {
    emf->resize(n);
    ok = ::GetEnhMetaFileBits(hemf, n, emf->data()) == n;
  }
  ::DeleteEnhMetaFile(hemf);
  return ok;
}

}  // namespace pictal

#else

namespace pictal {

bool DxfToEnhancedMetafile(const char*, Bytes*) { return false; }

}  // namespace pictal

#endif
