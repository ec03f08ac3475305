#include "qvzObjectFileReader.h"

#include <cstdint>
#include <cstring>
#include <memory>

#include "Dib.h"
#include "jvqDocument.h"
#include "jvqFileHeader.h"
#include "jvqObjectDefaults.h"
#include "jvqRecordIO.h"

namespace {

// A name or comment: its length with the NUL, then the bytes. A file that ends before it, or
// a length the rest of the file cannot hold, leaves the text empty.
CString ReadTrailingText(CFile* pFile) {
  int32_t n = 0;
  if (!jvqReadExact(pFile, &n, 4) || n <= 0 || (DWORD)n > jvqBytesLeft(pFile)) return CString();
  CString text;
  char* p = text.GetBufferSetLength(n);
  if (!jvqReadExact(pFile, p, (UINT)n)) return CString();
  return CString((const char*)text);
}

}  // namespace

BOOL ReadObjectFile(LPCTSTR lpszPath, jvqObject** ppObject, jvqDocument* pDocument,
                    CString* pName, CString* pComment, CDib** ppThumbnail) {
  if (ppThumbnail) *ppThumbnail = NULL;
  if (!ppObject) return FALSE;
  *ppObject = NULL;
  if (!lpszPath || !lpszPath[0]) return FALSE;
  CFile file;
  if (!file.Open(lpszPath, CFile::modeRead | CFile::shareDenyNone)) return FALSE;

  jvqFileHeader header;
  header.m_pDocument = pDocument;
  header.m_pImagePool = pDocument ? pDocument->GetImagePool() : NULL;
  std::unique_ptr<CDib> thumbnail;
  std::unique_ptr<jvqObject> object;
  CString name, comment;
  try {
    int32_t version = 0;
    if (!jvqReadExact(&file, &version, 4)) return FALSE;
    header.m_nVersion = version;

    const DWORD markerAt = (DWORD)file.GetPosition();
    char marker[6] = {0};
    if (jvqReadExact(&file, marker, 5) && strcmp(marker, "image") == 0) {
      int32_t n = 0;
      if (!jvqReadExact(&file, &n, 4) || n < 0 || (DWORD)n > jvqBytesLeft(&file)) return FALSE;
      const DWORD after = (DWORD)file.GetPosition() + (DWORD)n;
      thumbnail.reset(new CDib);
      // A damaged picture costs only the picture: the object after it still loads.
      if (!thumbnail->Read(&file, (DWORD)n)) thumbnail.reset();
      file.Seek(after, CFile::begin);
    } else {
      file.Seek(markerAt, CFile::begin);
    }

    int32_t code = 0;
    if (!jvqReadExact(&file, &code, 4)) return FALSE;
    object.reset(jvqObjectDefaults::CreateObject(code));
    if (!object || !object->Load(&file, &header)) return FALSE;

    name = ReadTrailingText(&file);
    comment = ReadTrailingText(&file);
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }

  object->Recalc();
  *ppObject = object.release();
  if (pName) *pName = name;
  if (pComment) *pComment = comment;
  if (ppThumbnail) *ppThumbnail = thumbnail.release();
  return TRUE;
}
