#include "jvqImagePool.h"

#include <cstdint>
#include <memory>
#include <vector>

#include "BaseImage.h"
#include "DibImage.h"
#include "MetafileImage.h"
#include "jvqFileHeader.h"
#include "jvqGroupObject.h"
#include "jvqImageFill.h"
#include "jvqObjectCodes.h"
#include "jvqRecordIO.h"
#include "zolv.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#endif

namespace {

const int kVersionCompressed = 91300;
const DWORD kEntryHeadBytes = 12;  // id, size or length, kind

int32_t ReadInt(CFile* pFile) {
  int32_t v = 0;
  if (!jvqReadExact(pFile, &v, 4)) AfxThrowFileException(CFileException::endOfFile);
  return v;
}

void WriteInt(CFile* pFile, int32_t v) { pFile->Write(&v, 4); }

// A "ztp" temporary file that is removed whatever happens.
class TempFile {
 public:
  TempFile() {
#ifdef _WIN32
    char dir[MAX_PATH + 1] = {0};
    char name[MAX_PATH + 1] = {0};
    if (::GetTempPathA(MAX_PATH, dir) != 0 && ::GetTempFileNameA(dir, "ztp", 0, name) != 0) m_path = name;
#else
    std::error_code ec;
    std::string pattern = (std::filesystem::temp_directory_path(ec) / "ztpXXXXXX").string();
    const int fd = ::mkstemp(pattern.data());
    if (fd >= 0) {
      ::close(fd);
      m_path = pattern;
    }
#endif
    if (m_path.empty()) AfxThrowFileException(CFileException::generic);
  }
  ~TempFile() {
    ::remove(m_path.c_str());
    if (!m_reserved.empty()) ::remove(m_reserved.c_str());
  }
  const char* Path() const { return m_path.c_str(); }
  // For writers that create their file: a name beside the reserved one, which stays in place so
  // that another program's temporary name can never be the same while we use it.
  void LeaveForWriter() {
    m_reserved = m_path;
    m_path += ".out";
    ::remove(m_path.c_str());
  }

 private:
  std::string m_path;
  std::string m_reserved;
};

#ifdef _WIN32
ZOLVPROC ZolvProc(int nOrdinal) {
  static HMODULE hZolv = ::LoadLibraryA("zolv.dll");
  return hZolv ? (ZOLVPROC)(void*)::GetProcAddress(hZolv, MAKEINTRESOURCEA(nOrdinal)) : NULL;
}
#else
ZOLVPROC ZolvProc(int nOrdinal) { return nOrdinal == ZOLV_ORDINAL_COMPRESS ? ZolvCompress : ZolvExpand; }
#endif

// Runs the compression library over two temporary files; a failure is a file exception.
void RunZolv(int nOrdinal, const TempFile& src, const TempFile& dst) {
  ZOLVPROC proc = ZolvProc(nOrdinal);
  if (proc == NULL || proc(src.Path(), dst.Path()) != 1) AfxThrowFileException(CFileException::generic);
}

BOOL IsMetafile(CBaseImage* pImage) { return pImage->IsKindOf(RUNTIME_CLASS(CMetafileImage)); }

// A new picture of the kind read from `nSize` bytes of the file; throws when it does not read.
CBaseImage* ReadPicture(CFile* pFile, int nKind, DWORD nSize) {
  std::unique_ptr<CBaseImage> p(nKind != 0 ? static_cast<CBaseImage*>(new CDibImage) : new CMetafileImage);
  if (!p->Read(pFile, nSize)) AfxThrowFileException(CFileException::invalidFile);
  return p.release();
}

void SkipBytes(CFile* pFile, DWORD n) { pFile->Seek((LONG)n, CFile::current); }

}  // namespace

jvqImagePoolEntry::jvqImagePoolEntry(jvqImagePool* pPool, CBaseImage* pImage, int nId)
    : m_pImage(pImage), m_nId(nId), m_nRefs(0), m_pPool(pPool) {
  if (m_nId == 0 && pPool != NULL) {
    m_nId = 1;
    while (pPool->FindEntry(m_nId) != NULL) m_nId++;
  }
}

jvqImagePoolEntry::~jvqImagePoolEntry() { delete m_pImage; }

int jvqImagePoolEntry::Release() {
  if (--m_nRefs <= 0) {
    delete m_pImage;
    m_pImage = NULL;
  }
  return m_nRefs;
}

BOOL jvqImagePoolEntry::Store(CFile* pFile, jvqFileHeader* pHeader) {
  if (m_pImage == NULL) return TRUE;
  const int32_t nKind = IsMetafile(m_pImage) ? 0 : 1;
  if (pHeader->m_nVersion < kVersionCompressed) {
    const DWORD nSize = m_pImage->GetSize();
    pFile->Flush();
    WriteInt(pFile, m_nId);
    WriteInt(pFile, (int32_t)nSize);
    WriteInt(pFile, nKind);
    if (!m_pImage->Write(pFile)) AfxThrowFileException(CFileException::generic);
    pFile->Flush();
    return TRUE;
  }
  TempFile plain, packed;
  packed.LeaveForWriter();
  {
    CFile out(plain.Path(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
    if (!m_pImage->Write(&out)) AfxThrowFileException(CFileException::generic);
    out.Close();
  }
  RunZolv(ZOLV_ORDINAL_COMPRESS, plain, packed);
  std::vector<BYTE> data;
  {
    CFile in(packed.Path(), CFile::modeRead | CFile::typeBinary);
    const DWORD n = in.GetLength();
    data.resize(n);
    if (n != 0 && in.Read(data.data(), n) != n) AfxThrowFileException(CFileException::endOfFile);
  }
  WriteInt(pFile, m_nId);
  WriteInt(pFile, (int32_t)data.size());
  WriteInt(pFile, nKind);
  if (!data.empty()) pFile->Write(data.data(), (UINT)data.size());
  pFile->Flush();
  return TRUE;
}

BOOL jvqImagePoolEntry::Load(CFile* pFile, jvqFileHeader* pHeader) {
  if (jvqBytesLeft(pFile) < kEntryHeadBytes) AfxThrowFileException(CFileException::endOfFile);
  const int32_t nId = ReadInt(pFile);
  const int32_t nSize = ReadInt(pFile);
  const int32_t nKind = ReadInt(pFile);
  // A count is believed only when the rest of the file can hold it.
  if (nSize < 0 || (DWORD)nSize > jvqBytesLeft(pFile)) AfxThrowFileException(CFileException::endOfFile);
  if (nId == 0) {
    // Dropped, but skipped whole so that the next record is read where it begins.
    SkipBytes(pFile, (DWORD)nSize);
    return FALSE;
  }
  m_nId = nId;
  delete m_pImage;
  m_pImage = NULL;
  if (pHeader->m_nVersion < kVersionCompressed) {
    m_pImage = ReadPicture(pFile, nKind, (DWORD)nSize);
    return TRUE;
  }
  std::vector<BYTE> data((size_t)nSize);
  if (nSize != 0 && pFile->Read(data.data(), (UINT)nSize) != (UINT)nSize) AfxThrowFileException(CFileException::endOfFile);
  TempFile packed, plain;
  plain.LeaveForWriter();
  {
    CFile out(packed.Path(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
    if (!data.empty()) out.Write(data.data(), (UINT)data.size());
    out.Close();
  }
  RunZolv(ZOLV_ORDINAL_EXPAND, packed, plain);
  CFile in(plain.Path(), CFile::modeRead | CFile::typeBinary);
  m_pImage = ReadPicture(&in, nKind, in.GetLength());
  in.Close();
  return TRUE;
}

jvqImagePool::~jvqImagePool() {
  if (m_bOwns) RemoveAll();
}

jvqImagePoolEntry* jvqImagePool::GetAt(int i) const {
  return (i >= 0 && i < GetCount()) ? m_entries[(size_t)i] : NULL;
}

jvqImagePoolEntry* jvqImagePool::FindEntry(int nId) const {
  for (jvqImagePoolEntry* e : m_entries)
    if (e->GetId() == nId) return e;
  return NULL;
}

CBaseImage* jvqImagePool::GetImage(int nId) const {
  jvqImagePoolEntry* e = FindEntry(nId);
  return e ? e->GetImage() : NULL;
}

int jvqImagePool::Add(CBaseImage* pImage) {
  jvqImagePoolEntry* e = new jvqImagePoolEntry(this, pImage, 0);
  m_entries.push_back(e);
  return e->GetId();
}

int jvqImagePool::AddRef(int nId) {
  jvqImagePoolEntry* e = FindEntry(nId);
  return e ? e->AddRef() : -1;
}

int jvqImagePool::Release(int nId) {
  if (nId == 0) return 0;
  jvqImagePoolEntry* e = FindEntry(nId);
  if (e == NULL) return 0;
  const int n = e->Release();
  if (n <= 0) Remove(e);
  return n;
}

void jvqImagePool::Remove(jvqImagePoolEntry* pEntry) {
  for (size_t i = 0; i < m_entries.size(); i++) {
    if (m_entries[i] == pEntry) {
      m_entries.erase(m_entries.begin() + (long)i);
      delete pEntry;
      return;
    }
  }
}

void jvqImagePool::RemoveAll() {
  for (jvqImagePoolEntry* e : m_entries) delete e;
  m_entries.clear();
}

void jvqImagePool::AddRefsFrom(jvqGroupObject* pGroup) {
  if (pGroup == NULL) return;
  for (int i = 0; i < pGroup->GetChildCount(); i++) {
    jvqObject* p = pGroup->GetChild(i);
    jvqFill* f = p->GetFill();
    // Alive is enough: Save writes alive pictures whether shown or not, and what it writes
    // must still have its entry after reading.
    if ((p->GetState() & JVQ_STATE_ALIVE) && f != NULL && (f->GetFlags() & FILL_IMAGE))
      AddRef(static_cast<jvqImageFill*>(f)->GetPoolId());
    if (p->GetClassCode() & 0x40) AddRefsFrom(static_cast<jvqGroupObject*>(p));
  }
}

void jvqImagePool::TakeReferencesFrom(jvqGroupObject* pBoard) {
  AddRefsFrom(pBoard);
  for (size_t i = 0; i < m_entries.size();) {
    if (m_entries[i]->GetRefCount() == 0) {
      Remove(m_entries[i]);
      i = 0;
    } else {
      i++;
    }
  }
}

namespace {

// The alive pictures below a container, in drawing order; line texts keep none.
void CollectImageObjects(jvqGroupObject* pGroup, std::vector<jvqImageFill*>& out) {
  for (int i = 0; i < pGroup->GetChildCount(); i++) {
    jvqObject* p = pGroup->GetChild(i);
    if (!(p->GetState() & JVQ_STATE_ALIVE)) continue;
    const int code = p->GetClassCode();
    if (code & 0x100) {
      jvqFill* f = p->GetFill();
      if (f != NULL && (f->GetFlags() & FILL_IMAGE) && static_cast<jvqImageFill*>(f)->GetImage() != NULL)
        out.push_back(static_cast<jvqImageFill*>(f));
    } else if ((code & 0x40) && !(code & 0x40000)) {
      CollectImageObjects(static_cast<jvqGroupObject*>(p), out);
    }
  }
}

}  // namespace

BOOL jvqImagePool::Save(CFile* pFile, jvqFileHeader* pHeader, jvqGroupObject* pBoard) {
  std::vector<jvqImageFill*> fills;
  if (pBoard != NULL) CollectImageObjects(pBoard, fills);
  std::vector<jvqImagePoolEntry*> list;
  for (jvqImagePoolEntry* e : m_entries) {
    if (e->GetRefCount() == 0 || e->GetImage() == NULL) continue;
    for (jvqImageFill* f : fills)
      if (f->GetPoolId() == e->GetId()) list.push_back(e);
  }
  WriteInt(pFile, pHeader->m_nVersion);
  WriteInt(pFile, (int32_t)list.size());
  for (jvqImagePoolEntry* e : list) {
    e->Store(pFile, pHeader);
    pFile->Flush();
  }
  return TRUE;
}

BOOL jvqImagePool::Load(CFile* pFile, jvqFileHeader* pHeader) {
  ReadInt(pFile);
  const int32_t n = ReadInt(pFile);
  if (n < 0 || (DWORD)n > jvqBytesLeft(pFile) / kEntryHeadBytes) AfxThrowFileException(CFileException::endOfFile);
  for (int32_t i = 0; i < n; i++) {
    std::unique_ptr<jvqImagePoolEntry> e(new jvqImagePoolEntry(this, NULL, -1));
    if (e->Load(pFile, pHeader) && FindEntry(e->GetId()) == NULL) m_entries.push_back(e.release());
  }
  return TRUE;
}
