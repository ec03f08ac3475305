#include "MetafileFormat.h"

#include <cstdint>
#include <cstring>

namespace pictal {

namespace {

uint32_t Le32(const BYTE* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | ((uint32_t)p[3] << 24); }
uint16_t Le16(const BYTE* p) { return (uint16_t)(p[0] | (p[1] << 8)); }
int16_t S16(const BYTE* p) { return (int16_t)Le16(p); }

const uint32_t kPlaceableKey = 0x9AC6CDD7;
const uint32_t kEmfSignature = 0x464D4520;
const size_t kEmfHeaderMin = 88;
const size_t kPlaceableSize = 22;
const size_t kWmfHeaderSize = 18;

// A Windows metafile's header and records, walked within the bytes given; notes the window
// origin and extent when the records set them.
bool CheckWindowsMetafile(const BYTE* data, size_t size, MetafileInfo* info)
{
  if (size < kWmfHeaderSize) return false;
  uint16_t type = Le16(data), headerWords = Le16(data + 2), version = Le16(data + 4);
  if ((type != 1 && type != 2) || headerWords != 9 || (version != 0x300 && version != 0x100)) return false;
  uint64_t statedBytes = (uint64_t)Le32(data + 6) * 2;
  if (statedBytes < kWmfHeaderSize) return false;
  size_t end = statedBytes < size ? (size_t)statedBytes : size;
  size_t at = kWmfHeaderSize;
  POINT origin = {0, 0};
  bool haveExtent = false;
  while (at + 6 <= end) {
    uint64_t recordBytes = (uint64_t)Le32(data + at) * 2;
    uint16_t function = Le16(data + at + 4);
    if (recordBytes < 6 || recordBytes > end - at) return false;
    if (function == 0) {  // end of file record
      info->length = at + 6;
      if (haveExtent) {
        info->frame.left = origin.x;
        info->frame.top = origin.y;
        info->frame.right += origin.x;
        info->frame.bottom += origin.y;
        info->hasFrame = info->frame.right != info->frame.left && info->frame.bottom != info->frame.top;
      }
      return true;
    }
    if ((function == 0x020B || function == 0x020C) && recordBytes >= 10) {
      // Parameters are stored last first: y, then x.
      int16_t y = S16(data + at + 6), x = S16(data + at + 8);
      if (function == 0x020B) {
        origin.x = x;
        origin.y = y;
      } else {
        info->frame.right = x;
        info->frame.bottom = y;
        haveExtent = true;
      }
    }
    at += (size_t)recordBytes;
  }
  return false;
}

}  // namespace

bool CheckEnhancedMetafile(const BYTE* data, size_t size, size_t* length)
{
  if (!data || size < kEmfHeaderMin || Le32(data) != 1 || Le32(data + 40) != kEmfSignature) return false;
  uint32_t headerBytes = Le32(data + 4), totalBytes = Le32(data + 48);
  if (headerBytes < kEmfHeaderMin || headerBytes > totalBytes || totalBytes > size) return false;
  // The last record must be EMR_EOF, within the stated length.
  size_t at = 0;
  while (at + 8 <= totalBytes) {
    uint32_t type = Le32(data + at), recordBytes = Le32(data + at + 4);
    if (recordBytes < 8 || recordBytes % 4 || recordBytes > totalBytes - at) return false;
    if (type == 14) {  // EMR_EOF
      *length = at + recordBytes;
      return true;
    }
    at += recordBytes;
  }
  return false;
}

SIZE EnhancedMetafileSize(const BYTE* data, size_t size)
{
  SIZE s = {0, 0};
  size_t length;
  if (!CheckEnhancedMetafile(data, size, &length)) return s;
  int32_t left = (int32_t)Le32(data + 24), top = (int32_t)Le32(data + 28);
  int32_t right = (int32_t)Le32(data + 32), bottom = (int32_t)Le32(data + 36);
  // Rounded: GDI keeps the frame to whole hundredths of a millimetre.
  s.cx = (LONG)((((int64_t)right - left) * 96 + 1270) / 2540);
  s.cy = (LONG)((((int64_t)bottom - top) * 96 + 1270) / 2540);
  return s;
}

MetafileInfo ClassifyMetafile(const BYTE* data, size_t size)
{
  MetafileInfo info;
  if (!data) return info;
  size_t base = 0;
  if (size > kFloorPlanHeader && std::memcmp(data, "kxq\0", 4) == 0) base = kFloorPlanHeader;
  const BYTE* p = data + base;
  size_t n = size - base;
  size_t length = 0;
  if (CheckEnhancedMetafile(p, n, &length)) {
    info.kind = kEnhanced;
    info.offset = base;
    info.length = length;
    return info;
  }
  if (n >= kPlaceableSize && Le32(p) == kPlaceableKey) {
    MetafileInfo inner;
    int inch = Le16(p + 14);
    RECT frame = {S16(p + 6), S16(p + 8), S16(p + 10), S16(p + 12)};
    if (inch <= 0 || frame.right == frame.left || frame.bottom == frame.top) return info;
    if (!CheckWindowsMetafile(p + kPlaceableSize, n - kPlaceableSize, &inner)) return info;
    info.kind = kPlaceable;
    info.offset = base + kPlaceableSize;
    info.length = inner.length;
    info.frame = frame;
    info.unitsPerInch = inch;
    info.hasFrame = true;
    return info;
  }
  MetafileInfo plain;
  if (CheckWindowsMetafile(p, n, &plain)) {
    plain.kind = kWindows;
    plain.offset = base;
    return plain;
  }
  return info;
}

}  // namespace pictal
