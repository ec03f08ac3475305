// Picture core on photograph-sized pictures: colour reduction (the octree palette, and the
// whole 8-bit save that maps every pixel), quarter and any-angle turns, JPEG reading. One
// phase per process, so that each reports its own peak memory.
//   texture_bench make   W H OUT.bmp OUT.ppm   a photo-like picture (24-bit BMP and PPM)
//   texture_bench reduce IN.bmp OUT.bmp        QuantizeOctree, then CImage::Save 8-bit; PSNR
//   texture_bench rotate IN.bmp ANGLE          DibRotateQuarter(1), DibRotateArbitrary(ANGLE)
//   texture_bench jpeg   IN.jpg                CJpegFileImage::Load
//   texture_bench psnr   A.ppm B.ppm           PSNR of B against A, and B's colour count
#include <sys/resource.h>
#include <time.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <unordered_set>
#include <vector>

#include "BmpFileImage.h"
#include "DibEditor.h"
#include "DibFunctions.h"
#include "JpegFileImage.h"
#include "OctreeQuantizer.h"

namespace {

double Now()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec + ts.tv_nsec * 1e-9;
}

long PeakKb()
{
    rusage ru;
    getrusage(RUSAGE_SELF, &ru);
    return ru.ru_maxrss;
}

[[noreturn]] void Fail(const std::string& what)
{
    std::fprintf(stderr, "FAIL: %s\n", what.c_str());
    std::exit(1);
}

// Top-down RGB pixels.
struct Rgb {
    int width = 0, height = 0;
    std::vector<uint8_t> px;
};

uint32_t Hash(int x, int y, uint32_t seed)
{
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

// Smooth value noise in [0, 1].
double Noise(double x, double y, uint32_t seed)
{
    int xi = static_cast<int>(std::floor(x)), yi = static_cast<int>(std::floor(y));
    double fx = x - xi, fy = y - yi;
    fx = fx * fx * (3 - 2 * fx);
    fy = fy * fy * (3 - 2 * fy);
    auto v = [&](int dx, int dy) { return (Hash(xi + dx, yi + dy, seed) & 0xFFFF) / 65535.0; };
    return (v(0, 0) * (1 - fx) + v(1, 0) * fx) * (1 - fy) + (v(0, 1) * (1 - fx) + v(1, 1) * fx) * fy;
}

double Fbm(double x, double y, uint32_t seed)
{
    double sum = 0, amp = 0.5;
    for (int o = 0; o < 5; ++o, x *= 2.1, y *= 2.1, amp *= 0.5)
        sum += amp * Noise(x, y, seed + o);
    return sum;
}

// A landscape: graded sky with clouds, textured ground, lit round objects, sensor grain.
// Many distinct colours and smooth gradients, as in a photograph.
Rgb MakePhoto(int w, int h)
{
    Rgb img{w, h, std::vector<uint8_t>(size_t(w) * h * 3)};
    struct Ball {
        double x, y, r, c[3];
    };
    std::vector<Ball> balls;
    for (int i = 0; i < 14; ++i) {
        uint32_t s = Hash(i, 7, 99);
        balls.push_back({(s % 1000) / 1000.0, 0.5 + ((s >> 10) % 500) / 1000.0, 0.03 + ((s >> 20) % 100) / 1000.0,
                         {double(Hash(i, 1, 5) % 256), double(Hash(i, 2, 5) % 256), double(Hash(i, 3, 5) % 256)}});
    }
    const double scale = 1.0 / w;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            double u = x * scale, v = y * scale;  // v grows downwards, square units
            double vh = double(y) / h;
            double horizon = 0.45 + 0.06 * std::sin(u * 5.0) + 0.04 * (Fbm(u * 4, 0.5, 11) - 0.5);
            double c[3];
            if (vh < horizon) {
                double t = vh / horizon;
                double cloud = std::max(0.0, Fbm(u * 6, v * 10, 21) - 0.45) * 2.2;
                for (int k = 0; k < 3; ++k) {
                    double sky = (1 - t) * (k == 0 ? 60 : k == 1 ? 110 : 200) + t * (k == 0 ? 205 : k == 1 ? 220 : 240);
                    c[k] = sky * (1 - cloud) + 245 * cloud;
                }
            } else {
                double t = Fbm(u * 12, v * 12, 31), d = (vh - horizon) / (1 - horizon);
                const double a[3] = {55, 95, 35}, b[3] = {150, 125, 80};
                for (int k = 0; k < 3; ++k)
                    c[k] = (a[k] * (1 - t) + b[k] * t) * (0.7 + 0.5 * d);
            }
            for (const Ball& ball : balls) {
                double dx = u - ball.x, dy = vh - ball.y;
                double dist = std::sqrt(dx * dx + dy * dy);
                if (dist < ball.r) {
                    double light = 0.45 + 0.55 * std::max(0.0, 1 - std::hypot(dx + ball.r * 0.4, dy + ball.r * 0.4) / (1.4 * ball.r));
                    double edge = std::min(1.0, (ball.r - dist) / (ball.r * 0.05));
                    for (int k = 0; k < 3; ++k)
                        c[k] = c[k] * (1 - edge) + ball.c[k] * light * edge;
                }
            }
            uint8_t* p = &img.px[(size_t(y) * w + x) * 3];
            for (int k = 0; k < 3; ++k) {
                double grain = double(Hash(x, y, 1000 + k) % 9) - 4;
                p[k] = static_cast<uint8_t>(std::lround(std::min(255.0, std::max(0.0, c[k] + grain))));
            }
        }
    }
    return img;
}

void WritePpm(const std::string& path, const Rgb& img)
{
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << img.width << " " << img.height << "\n255\n";
    out.write(reinterpret_cast<const char*>(img.px.data()), std::streamsize(img.px.size()));
}

Rgb ReadPpm(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxval = 0;
    Rgb img;
    in >> magic >> img.width >> img.height >> maxval;
    in.get();
    if (magic != "P6" || maxval != 255)
        Fail("not an 8-bit P6 file: " + path);
    img.px.resize(size_t(img.width) * img.height * 3);
    in.read(reinterpret_cast<char*>(img.px.data()), std::streamsize(img.px.size()));
    if (!in)
        Fail("short file: " + path);
    return img;
}

// Top-down RGB from a bottom-up 24-bit DIB.
Rgb FromDib(const BITMAPINFOHEADER* info, const BYTE* bits)
{
    Rgb img{info->biWidth, info->biHeight, {}};
    img.px.resize(size_t(img.width) * img.height * 3);
    DWORD stride = DibStride24(img.width);
    for (int y = 0; y < img.height; ++y) {
        const BYTE* row = bits + size_t(stride) * (img.height - 1 - y);
        for (int x = 0; x < img.width; ++x)
            for (int k = 0; k < 3; ++k)
                img.px[(size_t(y) * img.width + x) * 3 + k] = row[3 * x + 2 - k];
    }
    return img;
}

// Top-down RGB from an 8-bit BMP file with its palette.
Rgb ReadBmp8(const std::string& path, int& colours)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> f((std::istreambuf_iterator<char>(in)), {});
    auto u32 = [&](size_t at) { return uint32_t(f[at]) | uint32_t(f[at + 1]) << 8 | uint32_t(f[at + 2]) << 16 | uint32_t(f[at + 3]) << 24; };
    if (f.size() < 54 || f[0] != 'B' || f[1] != 'M' || f[28] != 8)
        Fail("not an 8-bit BMP: " + path);
    uint32_t off = u32(10);
    Rgb img{int(u32(18)), int(u32(22)), {}};
    colours = int(u32(46));
    const uint8_t* pal = &f[54];
    size_t stride = (size_t(img.width) + 3) & ~size_t(3);
    if (off + stride * img.height > f.size())
        Fail("short BMP: " + path);
    img.px.resize(size_t(img.width) * img.height * 3);
    for (int y = 0; y < img.height; ++y) {
        const uint8_t* row = &f[off + stride * (img.height - 1 - y)];
        for (int x = 0; x < img.width; ++x)
            for (int k = 0; k < 3; ++k)
                img.px[(size_t(y) * img.width + x) * 3 + k] = pal[row[x] * 4 + 2 - k];
    }
    return img;
}

double Psnr(const Rgb& a, const Rgb& b)
{
    if (a.width != b.width || a.height != b.height)
        Fail("sizes differ");
    double sum = 0;
    for (size_t i = 0; i < a.px.size(); ++i) {
        double d = double(a.px[i]) - double(b.px[i]);
        sum += d * d;
    }
    double mse = sum / double(a.px.size());
    return mse == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / mse);
}

size_t ColourCount(const Rgb& img)
{
    std::unordered_set<uint32_t> seen;
    for (size_t i = 0; i < img.px.size(); i += 3)
        seen.insert(uint32_t(img.px[i]) << 16 | uint32_t(img.px[i + 1]) << 8 | img.px[i + 2]);
    return seen.size();
}

// The picture mapped to the palette by plain (unweighted) Euclidean distance, to tell the
// palette's share of the error from that of the mapping rule.
Rgb MapEuclidean(const Rgb& img, const RGBQUAD* palette, int count)
{
    Rgb out = img;
    std::vector<int> memo(1 << 24, -1);
    for (size_t i = 0; i < img.px.size(); i += 3) {
        uint32_t key = uint32_t(img.px[i]) << 16 | uint32_t(img.px[i + 1]) << 8 | img.px[i + 2];
        int& best = memo[key];
        if (best < 0) {
            long bestDistance = -1;
            for (int j = 0; j < count; ++j) {
                long dr = long(palette[j].rgbRed) - img.px[i], dg = long(palette[j].rgbGreen) - img.px[i + 1],
                     db = long(palette[j].rgbBlue) - img.px[i + 2];
                long d = dr * dr + dg * dg + db * db;
                if (bestDistance < 0 || d < bestDistance) {
                    bestDistance = d;
                    best = j;
                }
            }
        }
        out.px[i] = palette[best].rgbRed;
        out.px[i + 1] = palette[best].rgbGreen;
        out.px[i + 2] = palette[best].rgbBlue;
    }
    return out;
}

// Reads a 24-bit BMP through the core; layer 1 shares layer 0, as after loading in the wizard.
void LoadBmp(CBmpFileImage& image, const char* path)
{
    if (!image.Load(path, 0, nullptr))
        Fail(std::string("cannot read ") + path);
    image.SetLayer(image.GetInfo(0), image.GetBits(0), 1);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: texture_bench make|reduce|rotate|jpeg|psnr ...\n");
        return 2;
    }
    std::string mode = argv[1];
    long baseKb = PeakKb();
    if (mode == "make" && argc == 6) {
        int w = std::atoi(argv[2]), h = std::atoi(argv[3]);
        Rgb img = MakePhoto(w, h);
        WritePpm(argv[5], img);
        BITMAPINFOHEADER* info = DibNewHeader24(nullptr, w, h);
        BYTE* bits = static_cast<BYTE*>(calloc(DibBytes24(w, h), 1));
        DWORD stride = DibStride24(w);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                for (int k = 0; k < 3; ++k)
                    bits[size_t(stride) * (h - 1 - y) + 3 * x + 2 - k] = img.px[(size_t(y) * w + x) * 3 + k];
        CImage image;
        image.SetLayer(info, bits, 0);
        image.SetLayer(info, bits, 1);
        if (!image.Save(argv[4], FALSE, nullptr))
            Fail("save");
        std::printf("made %dx%d (%.2f MP), %zu colours\n", w, h, w * double(h) / 1e6, ColourCount(img));
        return 0;
    }
    if (mode == "reduce" && argc == 4) {
        CBmpFileImage image;
        double l0 = Now();
        LoadBmp(image, argv[2]);
        double l1 = Now();
        long loadedKb = PeakKb();
        RGBQUAD* palette = nullptr;
        double t0 = Now();
        int count = QuantizeOctree(image.GetInfo(1), image.GetBits(1), &palette);
        double t1 = Now();
        if (count <= 0 || count > 236)
            Fail("palette");
        double t2 = Now();
        if (!image.Save(argv[3], TRUE, nullptr))
            Fail("save");
        double t3 = Now();
        long peak = PeakKb();
        int colours = 0;
        Rgb reduced = ReadBmp8(argv[3], colours);
        Rgb original = FromDib(image.GetInfo(1), image.GetBits(1));
        double psnr = Psnr(original, reduced);
        double psnrEuclid = Psnr(original, MapEuclidean(original, palette, count));
        free(palette);
        std::printf("load_ms=%.1f palette_ms=%.1f save8_ms=%.1f colours=%d psnr=%.3f psnr_euclid=%.3f peak_kb=%ld "
                    "loaded_kb=%ld base_kb=%ld\n",
                    (l1 - l0) * 1e3, (t1 - t0) * 1e3, (t3 - t2) * 1e3, colours, psnr, psnrEuclid, peak, loadedKb,
                    baseKb);
        return 0;
    }
    if (mode == "rotate" && argc == 4) {
        CBmpFileImage image;
        LoadBmp(image, argv[2]);
        long loadedKb = PeakKb();
        BITMAPINFOHEADER* info = nullptr;
        BYTE* bits = nullptr;
        double t0 = Now();
        if (!DibRotateQuarter(image.GetInfo(0), image.GetBits(0), 1, &info, &bits))
            Fail("quarter");
        double t1 = Now();
        free(info);
        free(bits);
        double t2 = Now();
        if (!DibRotateArbitrary(image.GetInfo(0), image.GetBits(0), std::atoi(argv[3]), &info, &bits))
            Fail("arbitrary");
        double t3 = Now();
        std::printf("quarter_ms=%.1f arbitrary_ms=%.1f out_w=%ld out_h=%ld peak_kb=%ld loaded_kb=%ld base_kb=%ld\n",
                    (t1 - t0) * 1e3, (t3 - t2) * 1e3, long(info->biWidth), long(info->biHeight), PeakKb(), loadedKb,
                    baseKb);
        free(info);
        free(bits);
        return 0;
    }
    if (mode == "jpeg" && argc == 3) {
        CJpegFileImage image;
        double t0 = Now();
        if (!image.Load(argv[2], 0, nullptr))
            Fail("jpeg");
        double t1 = Now();
        std::printf("jpeg_ms=%.1f peak_kb=%ld base_kb=%ld\n", (t1 - t0) * 1e3, PeakKb(), baseKb);
        return 0;
    }
    if (mode == "psnr" && argc == 4) {
        Rgb a = ReadPpm(argv[2]), b = ReadPpm(argv[3]);
        std::printf("psnr=%.3f colours=%zu\n", Psnr(a, b), ColourCount(b));
        return 0;
    }
    Fail("bad arguments");
}
