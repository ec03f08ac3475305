#include "BaseImage.h"

#include <cstdio>
#include <cstring>

#include "JpegImage.h"
#include "MetafileImage.h"
#include "PictalFile.h"
#include "PngImage.h"
#include "TiffImage.h"

IMPLEMENT_DYNAMIC(CBaseImage, CObject)

CBaseImage::CBaseImage() {}

CBaseImage::~CBaseImage() {}

namespace {

// The class a file's first bytes call for, for names whose extension says nothing.
CBaseImage* CreateForContent(LPCTSTR lpszPath)
{
  BYTE head[8] = {0};
  FILE* f = std::fopen(lpszPath, "rb");
  if (!f) return NULL;
  size_t n = std::fread(head, 1, sizeof head, f);
  std::fclose(f);
  if (n >= 2 && head[0] == 'B' && head[1] == 'M') return new CDibImage;
  if (n >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) return new CJpegImage;
  if (n >= 8 && std::memcmp(head, "\x89PNG\r\n\x1A\n", 8) == 0) return new CPngImage;
  if (n >= 4 && (std::memcmp(head, "II*\0", 4) == 0 || std::memcmp(head, "MM\0*", 4) == 0)) return new CTiffImage;
  return new CMetafileImage;
}

}  // namespace

CBaseImage* PASCAL CBaseImage::CreateForExtension(LPCTSTR lpszPath)
{
  CString ext = pictal::ExtensionOf(lpszPath);
  if (ext == ".BMP") return new CDibImage;
  if (ext == ".JPG") return new CJpegImage;
  if (ext == ".TIF") return new CTiffImage;
  if (ext == ".PNG") return new CPngImage;
  if (ext == ".WMF" || ext == ".EMF" || ext == ".KXQ" || ext == ".DXF") return new CMetafileImage;
  return NULL;
}

CBaseImage* PASCAL CBaseImage::CreateFromPath(LPCTSTR lpszPath)
{
  if (!lpszPath || !*lpszPath) return NULL;
  CBaseImage* pImage = CreateForExtension(lpszPath);
  if (!pImage) pImage = CreateForContent(lpszPath);
  if (pImage && !pImage->Read(lpszPath)) {
    delete pImage;
    pImage = NULL;
  }
  return pImage;
}

#ifdef _WIN32
BOOL CBaseImage::SetClipboard() { return FALSE; }
BOOL CBaseImage::CreateFromClipboard() { return FALSE; }
BOOL CBaseImage::CreateFromBitmap(HBITMAP) { return FALSE; }
BOOL CBaseImage::Draw(CDC*, const CRect&, const CRect&) { return FALSE; }
BOOL CBaseImage::Draw(CDC*, CPoint) { return FALSE; }
BOOL CBaseImage::Draw(CDC*, CPoint, CSize) { return FALSE; }
#endif
BOOL CBaseImage::CreateFromHandle(HGLOBAL) { return FALSE; }
CSize CBaseImage::GetDimensions() { return CSize(0, 0); }
DWORD CBaseImage::GetSize() { return 0; }
BOOL CBaseImage::Write(LPCTSTR) { return FALSE; }
BOOL CBaseImage::Write(CFile*) { return FALSE; }
BOOL CBaseImage::Read(LPCTSTR) { return FALSE; }
BOOL CBaseImage::Read(CFile*, DWORD) { return FALSE; }
BITMAPINFOHEADER* CBaseImage::GetBI() { return NULL; }
CBaseImage* CBaseImage::Clone() { return NULL; }
