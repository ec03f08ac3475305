#include "WicCodec.h"

#include <cstdint>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <windows.h>
#include <wincodec.h>

#include "afxreplace.h"
#endif

namespace pictal {

bool PngResolution(const BYTE* data, size_t size, LONG* xppm, LONG* yppm)
{
  auto be32 = [](const BYTE* p) { return (uint32_t)p[0] << 24 | p[1] << 16 | p[2] << 8 | p[3]; };
  if (size < 8 || std::memcmp(data, "\x89PNG\r\n\x1A\n", 8) != 0) return false;
  size_t at = 8;
  while (at + 12 <= size) {
    uint32_t length = be32(data + at);
    const BYTE* type = data + at + 4;
    if (length > size - at - 12) return false;
    if (std::memcmp(type, "pHYs", 4) == 0 && length >= 9) {
      const BYTE* p = data + at + 8;
      if (p[8] != 1) return false;  // aspect ratio only
      *xppm = (LONG)be32(p);
      *yppm = (LONG)be32(p + 4);
      return *xppm > 0 && *yppm > 0;
    }
    if (std::memcmp(type, "IDAT", 4) == 0 || std::memcmp(type, "IEND", 4) == 0) return false;
    at += 12 + length;
  }
  return false;
}

bool TiffResolution(const BYTE* data, size_t size, LONG* xppm, LONG* yppm)
{
  if (size < 8) return false;
  bool little = data[0] == 'I' && data[1] == 'I';
  if (!little && !(data[0] == 'M' && data[1] == 'M')) return false;
  auto u16 = [&](size_t at) -> uint32_t { return little ? (data[at] | data[at + 1] << 8) : (data[at] << 8 | data[at + 1]); };
  auto u32 = [&](size_t at) -> uint32_t {
    return little ? (data[at] | data[at + 1] << 8 | data[at + 2] << 16 | (uint32_t)data[at + 3] << 24)
                  : ((uint32_t)data[at] << 24 | data[at + 1] << 16 | data[at + 2] << 8 | data[at + 3]);
  };
  if (u16(2) != 42) return false;
  size_t ifd = u32(4);
  if (ifd > size - 2) return false;
  size_t count = u16(ifd);
  if (count > (size - ifd - 2) / 12) return false;
  double res[2] = {0, 0};
  uint32_t unit = 2;  // inches unless stated
  for (size_t i = 0; i < count; ++i) {
    size_t e = ifd + 2 + i * 12;
    uint32_t tag = u16(e), type = u16(e + 2);
    if (tag == 296 && type == 3) unit = u16(e + 8);
    if ((tag == 282 || tag == 283) && type == 5) {
      size_t at = u32(e + 8);
      if (at > size - 8) return false;
      uint32_t num = u32(at), den = u32(at + 4);
      if (den) res[tag - 282] = (double)num / den;
    }
  }
  double perMetre = unit == 2 ? 1 / 0.0254 : unit == 3 ? 100.0 : 0.0;
  *xppm = (LONG)(res[0] * perMetre + 0.5);
  *yppm = (LONG)(res[1] * perMetre + 0.5);
  return *xppm > 0 && *yppm > 0;
}

#ifdef _WIN32

namespace {

template <class T>
struct ComPtr {
  T* p = NULL;
  ~ComPtr() { if (p) p->Release(); }
  T** operator&() { return &p; }
  T* operator->() { return p; }
  operator T*() { return p; }
};

// COM for the calling thread, for as long as the object lives.
struct ComScope {
  HRESULT hr;
  ComScope() : hr(CoInitializeEx(NULL, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() { if (SUCCEEDED(hr)) CoUninitialize(); }
};

std::wstring Wide(const char* s)
{
  int n = MultiByteToWideChar(CP_ACP, 0, s, -1, NULL, 0);
  if (n <= 0) return std::wstring();
  std::wstring w(n, L'\0');
  MultiByteToWideChar(CP_ACP, 0, s, -1, &w[0], n);
  w.resize(n - 1);
  return w;
}

bool HasSignature(const Bytes& file, WicContainer container)
{
  const BYTE* p = file.data();
  if (container == kWicPng) return file.size() >= 8 && std::memcmp(p, "\x89PNG\r\n\x1A\n", 8) == 0;
  return file.size() >= 4 && (std::memcmp(p, "II*\0", 4) == 0 || std::memcmp(p, "MM\0*", 4) == 0);
}

}  // namespace

bool WicDecode(const char* path, WicContainer container, Bytes* dib)
{
  // Only a file that begins as the container does reaches the imaging component: it would
  // otherwise pick a decoder by content, and a BMP named .png or .tif must meet our own
  // bounded reader, never the platform's.
  Bytes file;
  if (!ReadWholeFile(path, kMaxDibBits, &file) || !HasSignature(file, container)) return false;
  ComScope com;
  ComPtr<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              (void**)&factory)))
    return false;
  std::wstring wpath = Wide(path);
  ComPtr<IWICBitmapDecoder> decoder;
  if (wpath.empty() || FAILED(factory->CreateDecoderFromFilename(wpath.c_str(), NULL, GENERIC_READ,
                                                                  WICDecodeMetadataCacheOnDemand, &decoder)))
    return false;
  GUID format;
  GUID wanted = container == kWicPng ? GUID_ContainerFormatPng : GUID_ContainerFormatTiff;
  if (FAILED(decoder->GetContainerFormat(&format)) || !IsEqualGUID(format, wanted)) return false;
  ComPtr<IWICBitmapFrameDecode> frame;
  if (FAILED(decoder->GetFrame(0, &frame))) return false;
  UINT width = 0, height = 0;
  if (FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0 || width > 0x7FFFFFFF ||
      height > 0x7FFFFFFF)
    return false;
  ComPtr<IWICFormatConverter> converter;
  if (FAILED(factory->CreateFormatConverter(&converter)) ||
      FAILED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, NULL, 0.0,
                                   WICBitmapPaletteTypeCustom)))
    return false;
  if (!CreateDib((int)width, (int)height, 24, dib)) return false;
  DibLayout layout;
  DescribeDib(dib->data(), dib->size(), &layout);
  Bytes line((size_t)width * 4);
  for (UINT y = 0; y < height; ++y) {
    WICRect rc = {0, (INT)y, (INT)width, 1};
    if (FAILED(converter->CopyPixels(&rc, width * 4, (UINT)line.size(), line.data()))) {
      dib->clear();
      return false;
    }
    BYTE* row = dib->data() + layout.bitsOffset + (size_t)(height - 1 - y) * layout.rowBytes;
    for (UINT x = 0; x < width; ++x) {
      const BYTE* p = &line[(size_t)x * 4];
      unsigned a = p[3];
      for (int c = 0; c < 3; ++c) row[x * 3 + c] = (BYTE)((p[c] * a + 255 * (255 - a) + 127) / 255);
    }
  }
  // The resolution as the file states it: the imaging component reports a default for
  // files that state none, which would pass for a real one.
  BITMAPINFOHEADER* bi = reinterpret_cast<BITMAPINFOHEADER*>(dib->data());
  LONG xppm = 0, yppm = 0;
  if ((container == kWicPng ? PngResolution(file.data(), file.size(), &xppm, &yppm)
                            : TiffResolution(file.data(), file.size(), &xppm, &yppm))) {
    bi->biXPelsPerMeter = xppm;
    bi->biYPelsPerMeter = yppm;
  }
  return true;
}

bool WicEncode(const char* path, WicContainer container, const BYTE* dib, size_t size)
{
  DibLayout layout;
  if (!path || !*path || !DescribeDib(dib, size, &layout)) return false;
  ComScope com;
  ComPtr<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              (void**)&factory)))
    return false;
  return AfxReplaceFile(path, [&](LPCTSTR temp) -> BOOL {
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    WICPixelFormatGUID pixelFormat = GUID_WICPixelFormat24bppBGR;
    UINT stride = (UINT)layout.width * 3;
    Bytes line(stride);
    bool ok = SUCCEEDED(factory->CreateStream(&stream)) &&
              SUCCEEDED(stream->InitializeFromFilename(Wide(temp).c_str(), GENERIC_WRITE)) &&
              SUCCEEDED(factory->CreateEncoder(container == kWicPng ? GUID_ContainerFormatPng : GUID_ContainerFormatTiff,
                                               NULL, &encoder)) &&
              SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
              SUCCEEDED(encoder->CreateNewFrame(&frame, &options)) && SUCCEEDED(frame->Initialize(options)) &&
              SUCCEEDED(frame->SetSize((UINT)layout.width, (UINT)layout.height)) &&
              SUCCEEDED(frame->SetPixelFormat(&pixelFormat)) && IsEqualGUID(pixelFormat, GUID_WICPixelFormat24bppBGR);
    const BITMAPINFOHEADER* bi = reinterpret_cast<const BITMAPINFOHEADER*>(dib);
    if (ok && bi->biXPelsPerMeter > 0 && bi->biYPelsPerMeter > 0)
      frame->SetResolution(bi->biXPelsPerMeter * 0.0254, bi->biYPelsPerMeter * 0.0254);
    for (int y = 0; ok && y < layout.height; ++y) {
      for (int x = 0; x < layout.width; ++x) {
        COLORREF c = DibPixelAt(dib, layout, x, y);
        line[(size_t)x * 3] = GetBValue(c);
        line[(size_t)x * 3 + 1] = GetGValue(c);
        line[(size_t)x * 3 + 2] = GetRValue(c);
      }
      ok = SUCCEEDED(frame->WritePixels(1, stride, stride, line.data()));
    }
    ok = ok && SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
    return ok;
  }) != FALSE;
}

#else

bool WicDecode(const char*, WicContainer, Bytes*) { return false; }
bool WicEncode(const char*, WicContainer, const BYTE*, size_t) { return false; }

#endif

}  // namespace pictal
