#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes text scenes and scene containers of chosen content for the renderer's tests and benchmark.
namespace SceneGenerator {

struct View {
    std::string name = "view";
    float eye[3] = {0, 0, -10};
    float dir[3] = {0, 0, 1};
    float up[3] = {0, -1, 0};
    float nearZ = 1, farZ = 1000, angle = 60;
    int width = 100, height = 75;
};

struct Light {
    std::string type = "SUN";
    float c1[3] = {1, 1, 1};
    float c2[3] = {0, 0, 0};
    float pos[3] = {0, 0, 0};
    float dir[3] = {0, 0, -1};
    int exponent = 1, angle = 30;
};

struct Material {
    std::string type = "NORMAL";
    float diffuse[3] = {1, 1, 1};
    float ambient[3] = {0, 0, 0};
    float specular[3] = {0, 0, 0};
    int exponent = 0;
    float emission[3] = {0, 0, 0};
    float mirror = 0, opacity = 1, trans2 = 1;
};

struct Texture {
    std::string file;  // text scene: path as given; container: name in the scene folder
    char letter1 = 'N', mapping = 'M', key = 'D', extent = 'F';
    int rect[4] = {0, 0, 1, 1};
};

struct Vertex {
    float p[3], n[3], uv[2];
};

struct Polygon {
    char kind = 'M';
    int material = 1, texture = 0;
    std::vector<Vertex> vertices;
    std::vector<int> indices;  // triples from 1 ('M'); 'S' uses the three vertices
};

struct Wire {
    char kind = 'S';
    int material = 1;
    std::vector<float> points;  // x, y, z per point
    int segmentCount = -1;      // 'M' only
    std::vector<int> pairs;     // 'M' only
};

struct Scene {
    std::vector<View> views;
    std::vector<Light> lights;
    std::vector<Material> materials;
    std::vector<Texture> textures;
    std::vector<int> texShade;
    std::vector<Polygon> polygons;
    bool hasBackColor = false;
    float backColor[3] = {0, 0, 0};
    std::string backImage;
    bool hasFog = false;
    int fogMode = 0;
    float fogDensity = 0, fog3 = 3, fog4 = 2;
    std::vector<Wire> wires;  // the container form carries only the last
};

struct Archive {
    std::string name;
    std::vector<uint8_t> bytes;
};

std::string WriteText(const Scene& s);
std::vector<uint8_t> WriteContainer(const Scene& s, const std::vector<Archive>& archives = {});

// A grid of about triangles triangles facing the default view, with optional texture, lights and wires.
Scene MakeGrid(int triangles, bool textured, int lights, int wires);

bool SaveFile(const std::string& path, const std::string& bytes);
bool SaveFile(const std::string& path, const std::vector<uint8_t>& bytes);

// An uncompressed BMP: depth 4, 8 or 24; rows given top-down as palette indices or BGR bytes.
std::vector<uint8_t> MakeBmp(int width, int height, int depth, const std::vector<uint8_t>& topDownPixels,
                             const std::vector<uint32_t>& palette = {}, uint32_t infoSize = 40);

} // namespace SceneGenerator
