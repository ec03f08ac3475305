#include "SceneGenerator.h"

#include <cstring>
#include <fstream>
#include <sstream>

namespace SceneGenerator {

namespace {
void Floats(std::ostream& os, const float* v, int n)
{
    for (int i = 0; i < n; ++i)
        os << ' ' << v[i];
}

struct Bin {
    std::vector<uint8_t> b;
    void I(int32_t v)
    {
        uint32_t u = static_cast<uint32_t>(v);
        for (int i = 0; i < 4; ++i)
            b.push_back(static_cast<uint8_t>(u >> (8 * i)));
    }
    void F(float f)
    {
        int32_t v;
        std::memcpy(&v, &f, 4);
        I(v);
    }
    void Fs(const float* v, int n)
    {
        for (int i = 0; i < n; ++i)
            F(v[i]);
    }
    void C(char c) { b.push_back(static_cast<uint8_t>(c)); }
    void S(const std::string& s)
    {
        I(static_cast<int32_t>(s.size()));
        b.insert(b.end(), s.begin(), s.end());
    }
    void Key(const char* k)
    {
        C('#');
        S(k);
    }
};
} // namespace

std::string WriteText(const Scene& s)
{
    std::ostringstream os;
    os.precision(9);
    for (const View& v : s.views) {
        os << "#VIEW \"" << v.name << "\"";
        Floats(os, v.eye, 3);
        Floats(os, v.dir, 3);
        Floats(os, v.up, 3);
        os << ' ' << v.nearZ << ' ' << v.farZ << ' ' << v.angle << ' ' << v.width << ' ' << v.height << "\n";
    }
    os << "#LIGHT " << s.lights.size() << "\n";
    for (const Light& l : s.lights) {
        os << l.type;
        Floats(os, l.c1, 3);
        Floats(os, l.c2, 3);
        const bool local = l.type.find("LOCAL") != std::string::npos;
        const bool sun = !local && l.type.find("SUN") != std::string::npos;
        const bool spot = !local && !sun && l.type.find("SPOT") != std::string::npos;
        if (local || spot)
            Floats(os, l.pos, 3);
        if (!local)
            Floats(os, l.dir, 3);
        if (spot)
            os << ' ' << l.exponent << ' ' << l.angle;
        os << "\n";
    }
    os << "#MATERIAL " << s.materials.size() << "\n";
    for (const Material& m : s.materials) {
        os << m.type;
        Floats(os, m.diffuse, 3);
        Floats(os, m.ambient, 3);
        Floats(os, m.specular, 3);
        os << ' ' << m.exponent;
        Floats(os, m.emission, 3);
        if (m.type.find("NORMAL") == std::string::npos) {
            if (m.type.find("MIRROR") != std::string::npos)
                os << ' ' << m.mirror;
            else if (m.type.find("TRANS") != std::string::npos)
                os << ' ' << m.opacity << ' ' << m.trans2;
        }
        os << "\n";
    }
    if (!s.textures.empty()) {
        os << "#IMAGE " << s.textures.size() << "\n";
        for (const Texture& t : s.textures) {
            os << '"' << t.file << "\" word " << t.letter1;
            if (t.letter1 == 'B' || t.letter1 == 'M')
                os << " 0.5";
            os << ' ' << t.mapping << ' ' << t.key << ' ' << t.extent;
            if (t.extent == 'S')
                os << ' ' << t.rect[0] << ' ' << t.rect[1] << ' ' << t.rect[2] << ' ' << t.rect[3];
            os << "\n";
        }
    }
    if (!s.texShade.empty()) {
        os << "#TEXSHADE " << s.texShade.size();
        for (int t : s.texShade)
            os << ' ' << t;
        os << "\n";
    }
    os << "#POLYGON\n";
    for (const Polygon& p : s.polygons) {
        os << p.kind << ' ' << p.material << ' ' << p.texture << " 0\n";
        auto vertex = [&](const Vertex& v, bool uv) {
            Floats(os, v.p, 3);
            Floats(os, v.n, 3);
            if (uv)
                Floats(os, v.uv, 2);
            os << "\n";
        };
        if (p.kind == 'S') {
            for (int i = 0; i < 3; ++i)
                vertex(p.vertices[i], p.texture > 0);
        } else {
            os << p.vertices.size() << "\n";
            for (const Vertex& v : p.vertices)
                vertex(v, p.texture != 0);
            os << p.indices.size() / 3 << "\n";
            for (size_t i = 0; i + 2 < p.indices.size(); i += 3)
                os << p.indices[i] << ' ' << p.indices[i + 1] << ' ' << p.indices[i + 2] << "\n";
        }
    }
    os << "#POLYGON-END\n";
    if (s.hasBackColor) {
        os << "#BACKCOLOR";
        Floats(os, s.backColor, 3);
        os << "\n";
    }
    if (!s.backImage.empty())
        os << "#BACKIMAGE " << s.backImage << "\n";
    if (s.hasFog)
        os << "#FOG " << s.fogMode << ' ' << s.fogDensity << ' ' << s.fog3 << ' ' << s.fog4 << "\n";
    if (!s.wires.empty()) {
        os << "#WIRE\n";
        for (const Wire& w : s.wires) {
            os << w.kind << ' ' << w.material;
            const size_t n = w.points.size() / 3;
            if (w.kind != 'S')
                os << ' ' << n;
            Floats(os, w.points.data(), static_cast<int>(w.points.size()));
            if (w.kind == 'M') {
                os << ' ' << w.segmentCount;
                for (int v : w.pairs)
                    os << ' ' << v;
            }
            os << "\n";
        }
        os << "#WIRE-END\n";
    }
    return os.str();
}

std::vector<uint8_t> WriteContainer(const Scene& s, const std::vector<Archive>& archives)
{
    Bin b;
    b.b = {'#', 'R', 'A', 'Y'};
    b.I(1);
    b.I(0);
    b.I(static_cast<int32_t>(archives.size()));
    for (const Archive& a : archives) {
        b.S(a.name);
        b.I(static_cast<int32_t>(a.bytes.size()));
        b.b.insert(b.b.end(), a.bytes.begin(), a.bytes.end());
    }
    for (const View& v : s.views) {
        b.Key("VIEW");
        b.S(v.name);
        b.Fs(v.eye, 3);
        b.Fs(v.dir, 3);
        b.Fs(v.up, 3);
        b.F(v.nearZ);
        b.F(v.farZ);
        b.F(v.angle);
        b.I(v.width);
        b.I(v.height);
    }
    if (s.hasBackColor) {
        b.Key("BACKCOLOR");
        b.Fs(s.backColor, 3);
    }
    if (!s.backImage.empty()) {
        b.Key("BACKIMAGE");
        b.S(s.backImage);
    }
    if (s.hasFog) {
        b.Key("FOG");
        b.I(s.fogMode);
        b.F(s.fogDensity);
        b.F(s.fog3);
        b.F(s.fog4);
    }
    if (!s.textures.empty()) {
        b.Key("IMAGE");
        b.I(static_cast<int32_t>(s.textures.size()));
        for (const Texture& t : s.textures) {
            b.S(t.file);
            b.S("word");
            b.C(t.letter1);
            if (t.letter1 == 'B' || t.letter1 == 'M')
                b.F(0.5f);
            b.C(t.mapping);
            b.C(t.key);
            b.C(t.extent);
            if (t.extent == 'S')
                for (int v : t.rect)
                    b.I(v);
        }
    }
    if (!s.texShade.empty()) {
        b.Key("TEXSHADE");
        b.I(static_cast<int32_t>(s.texShade.size()));
        for (int t : s.texShade)
            b.I(t);
    }
    b.Key("MATERIAL");
    b.I(static_cast<int32_t>(s.materials.size()));
    for (const Material& m : s.materials) {
        b.S(m.type);
        b.Fs(m.diffuse, 3);
        b.Fs(m.ambient, 3);
        b.Fs(m.specular, 3);
        b.I(m.exponent);
        b.Fs(m.emission, 3);
        if (m.type.find("NORMAL") == std::string::npos) {
            if (m.type.find("MIRROR") != std::string::npos)
                b.F(m.mirror);
            else if (m.type.find("TRANS") != std::string::npos) {
                b.F(m.opacity);
                b.F(m.trans2);
            }
        }
    }
    b.Key("LIGHT");
    b.I(static_cast<int32_t>(s.lights.size()));
    for (const Light& l : s.lights) {
        b.S(l.type);
        b.Fs(l.c1, 3);
        b.Fs(l.c2, 3);
        const bool local = l.type.find("LOCAL") != std::string::npos;
        const bool sun = !local && l.type.find("SUN") != std::string::npos;
        const bool spot = !local && !sun && l.type.find("SPOT") != std::string::npos;
        if (local || spot)
            b.Fs(l.pos, 3);
        if (!local)
            b.Fs(l.dir, 3);
        if (spot) {
            b.F(static_cast<float>(l.exponent));
            b.F(static_cast<float>(l.angle));
        }
    }
    b.Key("POLYGON");
    for (const Polygon& p : s.polygons) {
        b.C(p.kind);
        b.I(p.material);
        b.I(p.texture);
        b.I(0);
        auto vertex = [&](const Vertex& v, bool uv) {
            b.Fs(v.p, 3);
            b.Fs(v.n, 3);
            if (uv)
                b.Fs(v.uv, 2);
        };
        if (p.kind == 'S') {
            for (int i = 0; i < 3; ++i)
                vertex(p.vertices[i], p.texture > 0);
        } else {
            b.I(static_cast<int32_t>(p.vertices.size()));
            for (const Vertex& v : p.vertices)
                vertex(v, p.texture != 0);
            b.I(static_cast<int32_t>(p.indices.size() / 3));
            for (int i : p.indices)
                b.I(i);
        }
    }
    b.C('#');
    b.S("POLYGON-END");
    if (!s.wires.empty()) {
        const Wire& w = s.wires.back();
        b.Key("WIRE");
        b.C(w.kind);
        b.I(w.material);
        const int n = static_cast<int>(w.points.size() / 3);
        if (w.kind != 'S')
            b.I(n);
        b.Fs(w.points.data(), static_cast<int>(w.points.size()));
        if (w.kind == 'M') {
            b.I(w.segmentCount);
            for (int v : w.pairs)
                b.I(v);
        }
    }
    return b.b;
}

Scene MakeGrid(int triangles, bool textured, int lights, int wires)
{
    Scene s;
    View v;
    v.eye[2] = -20;
    s.views.push_back(v);
    for (int i = 0; i < lights; ++i) {
        Light l;
        l.type = i % 3 == 0 ? "SUN" : (i % 3 == 1 ? "LOCAL" : "SPOT");
        l.c2[0] = l.c2[1] = l.c2[2] = 0.1f;
        l.pos[2] = -15.0f;
        l.dir[2] = i % 3 == 0 ? -1.0f : 1.0f;
        l.angle = 60;
        s.lights.push_back(l);
    }
    Material m;
    m.diffuse[1] = 0.5f;
    m.ambient[0] = 1.0f;
    s.materials.push_back(m);
    if (textured) {
        Texture t;
        t.file = "tex.bmp";
        s.textures.push_back(t);
    }
    // Cells of two triangles over a square of side 20 centred on the axis.
    int cells = triangles / 2 > 0 ? triangles / 2 : 1;
    int side = 1;
    while (side * side < cells)
        ++side;
    Polygon p;
    p.material = 1;
    p.texture = textured ? 1 : 0;
    const float step = 20.0f / side;
    for (int y = 0; y <= side; ++y)
        for (int x = 0; x <= side; ++x) {
            Vertex vx{{-10 + x * step, -10 + y * step, 0}, {0, 0, -1}, {float(x) / side, float(y) / side}};
            p.vertices.push_back(vx);
        }
    int made = 0;
    for (int y = 0; y < side && made < triangles; ++y)
        for (int x = 0; x < side && made < triangles; ++x) {
            const int a = y * (side + 1) + x + 1, b = a + 1, c = a + side + 1, d = c + 1;
            p.indices.insert(p.indices.end(), {a, b, d});
            if (++made < triangles) {
                p.indices.insert(p.indices.end(), {a, d, c});
                ++made;
            }
        }
    s.polygons.push_back(p);
    if (wires > 0) {
        Wire w;
        w.kind = 'L';
        for (int i = 0; i <= wires; ++i)
            w.points.insert(w.points.end(), {-10.0f + 20.0f * i / wires, 5.0f, -1.0f});
        s.wires.push_back(w);
    }
    return s;
}

bool SaveFile(const std::string& path, const std::string& bytes)
{
    std::ofstream os(path, std::ios::binary | std::ios::trunc);
    os.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return os.good();
}

bool SaveFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    return SaveFile(path, std::string(bytes.begin(), bytes.end()));
}

std::vector<uint8_t> MakeBmp(int width, int height, int depth, const std::vector<uint8_t>& topDown,
                             const std::vector<uint32_t>& palette, uint32_t infoSize)
{
    Bin b;
    int rowBytes = depth == 24 ? 3 * width : (depth == 8 ? width : (width + 1) / 2);
    const int stride = (rowBytes + 3) & ~3;
    const uint32_t offBits = 14 + infoSize + static_cast<uint32_t>(palette.size()) * 4;
    b.C('B');
    b.C('M');
    b.I(static_cast<int32_t>(offBits + stride * height));
    b.I(0);
    b.I(static_cast<int32_t>(offBits));
    b.I(static_cast<int32_t>(infoSize));
    b.I(width);
    b.I(height);
    b.b.push_back(1);
    b.b.push_back(0);
    b.b.push_back(static_cast<uint8_t>(depth));
    b.b.push_back(0);
    b.I(0);
    b.I(stride * height);
    b.I(0);
    b.I(0);
    b.I(static_cast<int32_t>(palette.size()));
    b.I(0);
    b.b.resize(14 + infoSize, 0);
    for (uint32_t c : palette)
        b.I(static_cast<int32_t>(c));
    for (int r = height - 1; r >= 0; --r) {
        std::vector<uint8_t> row(static_cast<size_t>(stride), 0);
        for (int x = 0; x < width; ++x) {
            if (depth == 24) {
                for (int k = 0; k < 3; ++k)
                    row[3 * x + k] = topDown[static_cast<size_t>((r * width + x) * 3 + k)];
            } else if (depth == 8) {
                row[x] = topDown[static_cast<size_t>(r * width + x)];
            } else {
                const uint8_t v = topDown[static_cast<size_t>(r * width + x)] & 0x0F;
                row[x / 2] |= (x % 2 == 0) ? static_cast<uint8_t>(v << 4) : v;
            }
        }
        b.b.insert(b.b.end(), row.begin(), row.end());
    }
    return b.b;
}

} // namespace SceneGenerator
