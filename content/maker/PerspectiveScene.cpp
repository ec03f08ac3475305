// The perspective folder's scene (パース図/家.vqb): a house of boxes under a gabled roof on a
// ground plate, lit by the sun, written with the renderer tests' scene generator. The
// perspective extraction renders the folder's first scene into パース図.bmp.
#include <initializer_list>

#include "ContentFile.h"
#include "ContentMaker.h"
#include "SceneGenerator.h"

using namespace SceneGenerator;

namespace {

void Quad(Polygon& p, std::initializer_list<std::initializer_list<float>> corners, const float n[3]) {
  const int base = (int)p.vertices.size();
  for (const auto& c : corners) {
    Vertex v{};
    int i = 0;
    for (float f : c) v.p[i++] = f;
    for (int k = 0; k < 3; k++) v.n[k] = n[k];
    p.vertices.push_back(v);
  }
  for (int t : {0, 1, 2, 0, 2, 3}) p.indices.push_back(base + t + 1);
}

// A box from (x0, y0, z0) to (x1, y1, z1); y grows upwards.
void Box(Polygon& p, float x0, float y0, float z0, float x1, float y1, float z1) {
  const float nx[3] = {-1, 0, 0}, px[3] = {1, 0, 0}, ny[3] = {0, 1, 0}, nz[3] = {0, 0, -1}, pz[3] = {0, 0, 1};
  Quad(p, {{x0, y0, z0}, {x0, y1, z0}, {x1, y1, z0}, {x1, y0, z0}}, nz);
  Quad(p, {{x1, y0, z1}, {x1, y1, z1}, {x0, y1, z1}, {x0, y0, z1}}, pz);
  Quad(p, {{x0, y0, z1}, {x0, y1, z1}, {x0, y1, z0}, {x0, y0, z0}}, nx);
  Quad(p, {{x1, y0, z0}, {x1, y1, z0}, {x1, y1, z1}, {x1, y0, z1}}, px);
  Quad(p, {{x0, y1, z0}, {x0, y1, z1}, {x1, y1, z1}, {x1, y1, z0}}, ny);
}

Material Colour(float r, float g, float b) {
  Material m;
  m.diffuse[0] = r;
  m.diffuse[1] = g;
  m.diffuse[2] = b;
  m.ambient[0] = r * 0.3f;
  m.ambient[1] = g * 0.3f;
  m.ambient[2] = b * 0.3f;
  return m;
}

}  // namespace

bool MakePerspectiveScene(const std::string& programFolder) {
  Scene s;
  View v;
  v.name = "外観";
  const float eye[3] = {14, 9, -16}, dir[3] = {-0.62f, -0.3f, 0.72f}, up[3] = {0, 1, 0};
  for (int i = 0; i < 3; i++) {
    v.eye[i] = eye[i];
    v.dir[i] = dir[i];
    v.up[i] = up[i];
  }
  v.nearZ = 1;
  v.farZ = 200;
  v.angle = 50;
  v.width = 1000;
  v.height = 750;
  s.views.push_back(v);
  Light sun;
  // Towards the sun: above, behind the viewer's right shoulder.
  sun.dir[0] = 0.5f;
  sun.dir[1] = 1;
  sun.dir[2] = -0.7f;
  sun.c2[0] = sun.c2[1] = sun.c2[2] = 0.25f;
  s.lights.push_back(sun);
  s.materials = {Colour(0.55f, 0.75f, 0.45f), Colour(0.95f, 0.92f, 0.85f), Colour(0.7f, 0.25f, 0.2f),
                 Colour(0.45f, 0.6f, 0.85f)};
  s.hasBackColor = true;
  s.backColor[0] = 0.7f;
  s.backColor[1] = 0.85f;
  s.backColor[2] = 1.0f;

  Polygon ground, walls, roof, windows;
  ground.material = 1;
  walls.material = 2;
  roof.material = 3;
  windows.material = 4;
  Box(ground, -12, -0.2f, -12, 12, 0, 12);
  Box(walls, -5, 0, -3, 5, 4, 3);    // the house
  Box(walls, 5, 0, -1, 8, 2.6f, 3);  // a lean-to
  Box(windows, -3.5f, 1.2f, -3.05f, -1.5f, 2.8f, -3);
  Box(windows, 1.5f, 1.2f, -3.05f, 3.5f, 2.8f, -3);
  // A gabled roof over the house: two slopes and the two gable ends.
  const float l[3] = {0, 0.8f, -0.6f}, r[3] = {0, 0.8f, 0.6f}, e[3] = {-1, 0, 0}, w[3] = {1, 0, 0};
  Quad(roof, {{-5.5f, 4, -3.5f}, {-5.5f, 7, 0}, {5.5f, 7, 0}, {5.5f, 4, -3.5f}}, l);
  Quad(roof, {{5.5f, 4, 3.5f}, {5.5f, 7, 0}, {-5.5f, 7, 0}, {-5.5f, 4, 3.5f}}, r);
  Quad(walls, {{-5, 4, 3}, {-5, 6.5f, 0}, {-5, 6.5f, 0}, {-5, 4, -3}}, e);
  Quad(walls, {{5, 4, -3}, {5, 6.5f, 0}, {5, 6.5f, 0}, {5, 4, 3}}, w);
  s.polygons = {ground, walls, roof, windows};
  const std::string folder = programFolder + "/パース図";
  return MakeFolder(folder) && SaveFile(folder + "/家.vqb", WriteContainer(s));
}
