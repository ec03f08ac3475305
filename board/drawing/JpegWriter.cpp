#include "JpegWriter.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include "JpegErrorTrap.h"
#include "afxreplace.h"

namespace {

const char kInvalidInput[] = "Invalid input data";

const BYTE* ColourTable(const BITMAPINFOHEADER* bi) { return reinterpret_cast<const BYTE*>(bi) + bi->biSize; }

int TableEntries(int bits) { return bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0; }

// Everything that can end in a library error, with only plain data in this frame.
// Returns 0 when written, 1 when the rows could not be made, 2 on a library error.
int Compress(jpeg_compress_struct* info, pictal::JpegErrorTrap* err, FILE* file, const BITMAPINFOHEADER* bi, int quality,
             CString* rowError)
{
  if (setjmp(err->jump)) return 2;
  jpeg_stdio_dest(info, file);
  info->image_width = (JDIMENSION)bi->biWidth;
  info->image_height = (JDIMENSION)bi->biHeight;
  info->input_components = 3;
  info->in_color_space = JCS_RGB;
  jpeg_set_defaults(info);
  jpeg_set_quality(info, quality, TRUE);
  jpeg_start_compress(info, TRUE);
  JSAMPARRAY rows = (*info->mem->alloc_sarray)((j_common_ptr)info, JPOOL_IMAGE, info->image_width * 3, info->image_height);
  if (!DibRowsToRgb(bi, (int)info->image_width * 3, rows, rowError)) return 1;
  jpeg_write_scanlines(info, rows, info->image_height);
  jpeg_finish_compress(info);
  return 0;
}

}  // namespace

int Rgb555ToRgb(unsigned pixel)
{
  auto widen = [](unsigned v) -> int { return v == 0 ? 0 : v == 1 ? 16 : v == 31 ? 255 : (int)(8 * v + 8); };
  return widen((pixel >> 10) & 0x1F) << 16 | widen((pixel >> 5) & 0x1F) << 8 | widen(pixel & 0x1F);
}

BOOL DibRowsToRgb(const void* dib, int rowBytes, JSAMPARRAY rows, CString* error)
{
  if (!dib || rowBytes <= 0) {
    if (error) *error = kInvalidInput;
    return FALSE;
  }
  if (!error) return FALSE;
  const BITMAPINFOHEADER* bi = static_cast<const BITMAPINFOHEADER*>(dib);
  int bits = bi->biBitCount;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
    *error = "Invalid bitmap bit count";
    return FALSE;
  }
  int width = bi->biWidth, height = bi->biHeight;
  // The rows given must hold a whole picture line.
  if (bi->biSize < sizeof(BITMAPINFOHEADER) || width <= 0 || height <= 0 || (long long)rowBytes < 3LL * width) {
    *error = kInvalidInput;
    return FALSE;
  }
  const BYTE* table = ColourTable(bi);
  const BYTE* pixels = table + TableEntries(bits) * 4;
  size_t stride = bits == 32 ? (size_t)width * 4 : (((size_t)width * bits + 31) / 32) * 4;
  for (int i = 0; i < height; ++i) {
    const BYTE* src = pixels + (size_t)(height - 1 - i) * stride;
    JSAMPROW out = rows[i];
    for (int k = 0; k < width; ++k) {
      BYTE r, g, b;
      if (bits <= 8) {
        int index = bits == 8 ? src[k]
                    : bits == 4 ? ((k & 1) ? (src[k >> 1] & 0x0F) : (src[k >> 1] >> 4))
                                : ((src[k >> 3] >> (7 - (k & 7))) & 1);
        const BYTE* e = table + index * 4;
        r = e[2], g = e[1], b = e[0];
      } else if (bits == 16) {
        int rgb = Rgb555ToRgb((unsigned)(src[2 * k] | (src[2 * k + 1] << 8)));
        r = (BYTE)(rgb >> 16), g = (BYTE)(rgb >> 8), b = (BYTE)rgb;
      } else {
        const BYTE* p = src + (size_t)k * (bits / 8);
        r = p[2], g = p[1], b = p[0];
      }
      out[3 * k] = r;
      out[3 * k + 1] = g;
      out[3 * k + 2] = b;
    }
  }
  return TRUE;
}

BOOL WriteDibAsJpeg(const void* dib, int quality, CString path, CString* error)
{
  if (quality < 0 || quality > 100 || !dib) {
    if (error) *error = kInvalidInput;
    return FALSE;
  }
  if (!error) return FALSE;
  if (path.IsEmpty()) {
    *error = kInvalidInput;
    return FALSE;
  }
  *error = "";
  const BITMAPINFOHEADER* bi = static_cast<const BITMAPINFOHEADER*>(dib);

  // The picture goes to a temporary file that replaces the target only when it is whole.
  const BOOL written = AfxReplaceFile(path, [&](LPCTSTR temp) -> BOOL {
    FILE* file = std::fopen(temp, "wb");
    if (!file) {
      *error = "Cannot open " + path;
      return FALSE;
    }
    jpeg_compress_struct info;
    pictal::JpegErrorTrap err;
    std::memset(&info, 0, sizeof info);
    info.err = pictal::JpegErrorTrapInit(&err);
    jpeg_create_compress(&info);
    int result = Compress(&info, &err, file, bi, quality, error);
    if (result == 2) *error = err.message;
    jpeg_destroy_compress(&info);
    bool closed = std::fclose(file) == 0;
    if (result == 0 && !closed) *error = "Cannot write " + path;
    return error->IsEmpty();
  });
  if (!written && error->IsEmpty()) *error = "Cannot open " + path;
  return written;
}
