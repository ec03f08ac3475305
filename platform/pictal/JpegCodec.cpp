#include "JpegCodec.h"

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>
#include <jerror.h>

#include "JpegErrorTrap.h"

namespace pictal {

namespace {

void Put32(BYTE* p, uint32_t v) { p[0] = (BYTE)v; p[1] = (BYTE)(v >> 8); p[2] = (BYTE)(v >> 16); p[3] = (BYTE)(v >> 24); }

LONG DensityToPpm(int units, int density)
{
  if (density <= 0) return 0;
  if (units == 1) return (LONG)(density / 0.0254 + 0.5);  // dots per inch
  if (units == 2) return (LONG)(density * 100);           // dots per centimetre
  return 0;
}

// Compressed bytes gathered in a block of our own, so that an error midway frees it once.
struct MemoryDest {
  jpeg_destination_mgr pub;
  BYTE* data;
  size_t capacity;
};

// libjpeg writes a byte before it asks for room, so the block must never be empty.
boolean DestGrow(j_compress_ptr info)
{
  MemoryDest* d = reinterpret_cast<MemoryDest*>(info->dest);
  size_t grown = d->capacity ? d->capacity * 2 : 65536;
  BYTE* p = (BYTE*)std::realloc(d->data, grown);
  if (!p) ERREXIT1(info, JERR_OUT_OF_MEMORY, 0);
  d->data = p;
  d->pub.next_output_byte = p + d->capacity;
  d->pub.free_in_buffer = grown - d->capacity;
  d->capacity = grown;
  return TRUE;
}

void DestInit(j_compress_ptr info) { DestGrow(info); }

void DestTerm(j_compress_ptr info) {}

// Runs under setjmp: only plain data lives in this frame.
bool DecodeInto(jpeg_decompress_struct* info, JpegErrorTrap* err, const BYTE* data, size_t size, Bytes* dib)
{
  if (setjmp(err->jump)) return false;
  jpeg_create_decompress(info);
  jpeg_mem_src(info, const_cast<unsigned char*>(data), (unsigned long)size);
  jpeg_read_header(info, TRUE);
  bool grey = info->num_components == 1;
  bool cmyk = info->jpeg_color_space == JCS_CMYK || info->jpeg_color_space == JCS_YCCK;
  info->out_color_space = grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_EXT_BGR;
  jpeg_calc_output_dimensions(info);
  int width = (int)info->output_width;
  int height = (int)info->output_height;
  int bits = grey ? 8 : 24;
  // Even a flat picture costs a couple of bits per 8 x 8 block: a header that states far
  // more pixels than the data could hold is refused before any memory is taken.
  if ((uint64_t)width * (uint64_t)height > ((uint64_t)size << 12) + (1u << 20)) return false;
  if (!CreateDib(width, height, bits, dib)) return false;
  DibLayout layout;
  if (!DescribeDib(dib->data(), dib->size(), &layout)) return false;
  BYTE* base = dib->data();
  Put32(base + 24, (uint32_t)DensityToPpm(info->density_unit, info->X_density));
  Put32(base + 28, (uint32_t)DensityToPpm(info->density_unit, info->Y_density));
  if (base[24] == 0 && base[25] == 0 && base[26] == 0 && base[27] == 0) Put32(base + 28, 0);
  jpeg_start_decompress(info);
  JSAMPARRAY line = cmyk ? (*info->mem->alloc_sarray)((j_common_ptr)info, JPOOL_IMAGE, info->output_width * 4, 1) : NULL;
  bool adobeInverted = cmyk && info->saw_Adobe_marker;
  while (info->output_scanline < info->output_height) {
    if (err->truncated) return false;
    BYTE* row = base + layout.bitsOffset + (size_t)(height - 1 - (int)info->output_scanline) * layout.rowBytes;
    if (!cmyk) {
      JSAMPROW rows[1] = {row};
      jpeg_read_scanlines(info, rows, 1);
      continue;
    }
    jpeg_read_scanlines(info, line, 1);
    for (int x = 0; x < width; ++x) {
      const BYTE* p = line[0] + x * 4;
      int c = p[0], m = p[1], y = p[2], k = p[3];
      if (!adobeInverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
      row[x * 3 + 2] = (BYTE)(c * k / 255);
      row[x * 3 + 1] = (BYTE)(m * k / 255);
      row[x * 3 + 0] = (BYTE)(y * k / 255);
    }
  }
  if (err->truncated) return false;
  jpeg_finish_decompress(info);
  return true;
}

bool EncodeFrom(jpeg_compress_struct* info, JpegErrorTrap* err, const BYTE* dib, const DibLayout& l, int quality,
                MemoryDest* dest)
{
  if (setjmp(err->jump)) return false;
  jpeg_create_compress(info);
  dest->pub.init_destination = DestInit;
  dest->pub.empty_output_buffer = DestGrow;
  dest->pub.term_destination = DestTerm;
  info->dest = &dest->pub;
  info->image_width = (JDIMENSION)l.width;
  info->image_height = (JDIMENSION)l.height;
  info->input_components = 3;
  info->in_color_space = JCS_RGB;
  jpeg_set_defaults(info);
  jpeg_set_quality(info, quality, TRUE);
  LONG xppm = (LONG)(dib[24] | (dib[25] << 8) | (dib[26] << 16) | ((uint32_t)dib[27] << 24));
  LONG yppm = (LONG)(dib[28] | (dib[29] << 8) | (dib[30] << 16) | ((uint32_t)dib[31] << 24));
  if (xppm > 0 && yppm > 0) {
    info->density_unit = 1;
    info->X_density = (UINT16)(xppm * 0.0254 + 0.5);
    info->Y_density = (UINT16)(yppm * 0.0254 + 0.5);
  }
  jpeg_start_compress(info, TRUE);
  JSAMPARRAY line = (*info->mem->alloc_sarray)((j_common_ptr)info, JPOOL_IMAGE, (JDIMENSION)l.width * 3, 1);
  for (int y = 0; y < l.height; ++y) {
    for (int x = 0; x < l.width; ++x) {
      COLORREF c = DibPixelAt(dib, l, x, y);
      line[0][x * 3] = GetRValue(c);
      line[0][x * 3 + 1] = GetGValue(c);
      line[0][x * 3 + 2] = GetBValue(c);
    }
    jpeg_write_scanlines(info, line, 1);
  }
  jpeg_finish_compress(info);
  return true;
}

}  // namespace

bool DecodeJpeg(const BYTE* data, size_t size, Bytes* dib)
{
  if (!data || size < 4) return false;
  jpeg_decompress_struct info;
  JpegErrorTrap err;
  std::memset(&info, 0, sizeof info);
  info.err = JpegErrorTrapInit(&err);
  bool ok = DecodeInto(&info, &err, data, size, dib);
  jpeg_destroy_decompress(&info);
  if (!ok) dib->clear();
  return ok;
}

bool EncodeJpeg(const BYTE* dib, size_t size, int quality, Bytes* out)
{
  DibLayout l;
  if (quality < 0 || quality > 100 || !DescribeDib(dib, size, &l)) return false;
  jpeg_compress_struct info;
  JpegErrorTrap err;
  std::memset(&info, 0, sizeof info);
  info.err = JpegErrorTrapInit(&err);
  MemoryDest dest;
  std::memset(&dest, 0, sizeof dest);
  bool ok = EncodeFrom(&info, &err, dib, l, quality, &dest);
  jpeg_destroy_compress(&info);
  if (ok) {
    try {
      out->assign(dest.data, dest.data + (dest.capacity - dest.pub.free_in_buffer));
    } catch (...) {
      ok = false;
    }
  }
  std::free(dest.data);
  return ok;
}

}  // namespace pictal
