// Fixture generators of the texture wizard tests: BMP files of every depth and header
// kind, JPEGs written through libjpeg, 24-bit layers, and a sink that records messages.
#pragma once

#include "DibTypes.h"
#include "ImageNotify.h"

#include <cstdint>
#include <string>
#include <vector>

namespace texture_test {

typedef std::vector<BYTE> Bytes;

// A BMP file. values holds one entry per pixel, top row first: the colour index for 1 to
// 8 bits, the 16-bit word for 16 bits, a COLORREF for 24 and 32 bits.
struct BmpSpec
{
    int width = 1;
    int height = 1;          // negative: top-down
    int bitCount = 24;
    DWORD headerSize = 40;   // 12 (core), 40, 108 or 124
    DWORD compression = BI_RGB;
    DWORD clrUsed = 0;
    std::vector<COLORREF> palette;
    std::vector<uint32_t> values;
    WORD reserved1 = 0;
    WORD reserved2 = 0;
};
Bytes MakeBmp(const BmpSpec& spec);

// A packed DIB (40-byte header, colour table, pixels) of the same description.
Bytes MakePackedDib(const BmpSpec& spec);

struct JpegSpec
{
    int width = 8;
    int height = 8;
    int components = 3;      // 1 grey, 3 colour, 4 CMYK
    bool progressive = false;
    int quality = 100;
    // Colour of pixel (x, y), y from the top.
    COLORREF (*colour)(int x, int y) = nullptr;
};
Bytes MakeJpeg(const JpegSpec& spec);

// A scratch folder of the running test, emptied when made.
std::string ScratchDir();
std::string ScratchPath(const char* name);
void WriteFile(const std::string& path, const Bytes& data);
Bytes ReadFile(const std::string& path);
bool FileExists(const std::string& path);

uint32_t Get32(const Bytes& data, size_t offset);
uint16_t Get16(const Bytes& data, size_t offset);
void Put32(Bytes& data, size_t offset, uint32_t value);

// A 24-bit bottom-up layer built from pixels given top row first (COLORREF).
struct Layer
{
    BITMAPINFOHEADER* info = nullptr;
    BYTE* bits = nullptr;
};
Layer MakeLayer(int width, int height, const std::vector<COLORREF>& topDown);
Layer MakeLayer(int width, int height, COLORREF (*colour)(int x, int y));
// Pixel (x, y), y from the top, of a 24-bit bottom-up layer.
COLORREF PixelAt(const BITMAPINFOHEADER* info, const BYTE* bits, int x, int y);
// All pixels, top row first.
std::vector<COLORREF> Pixels(const BITMAPINFOHEADER* info, const BYTE* bits);
// Every padding byte of the rows is zero.
bool PaddingIsZero(const BITMAPINFOHEADER* info, const BYTE* bits);

// Records the messages the image classes report, for the life of the object.
class RecordingNotify : public CImageNotify
{
public:
    RecordingNotify();
    ~RecordingNotify() override;
    void ReportError(UINT nID) override { errors.push_back(nID); }
    void BeginProgress(UINT nCaptionID, int nRange) override { caption = nCaptionID; range = nRange; }
    void StepProgress(int nPos) override { steps.push_back(nPos); }
    void EndProgress() override { ended = true; }

    std::vector<UINT> errors;
    UINT caption = 0;
    int range = -1;
    std::vector<int> steps;
    bool ended = false;

private:
    CImageNotify* m_pPrevious;
};

} // namespace texture_test
