#include "jvqBoardStream.h"

#include <cstdint>

#include "Dib.h"
#include "afxarch.h"
#include "jvqBoard.h"
#include "jvqFileHeader.h"
#include "jvqImagePool.h"
#include "jvqRecordIO.h"

namespace {

int32_t ReadInt(CFile* pFile) {
  int32_t v = 0;
  if (!jvqReadExact(pFile, &v, 4)) AfxThrowArchiveException(CArchiveException::endOfFile);
  return v;
}

void WriteInt(CFile* pFile, int32_t v) { pFile->Write(&v, 4); }

}  // namespace

void jvqBoardStream::Write(CArchive& ar, jvqFileHeader* pHeader, jvqBoard* pBoard, CDib* pThumbnail,
                           BOOL bItemList) {
  CFile* pFile = ar.GetFile();
  pFile->SeekToBegin();
  pHeader->m_nPageCount = pBoard->GetPageCount();
  pHeader->Serialize(ar);
  ar.Flush();
  if (pHeader->m_nVersion >= JVQ_VERSION_THUMBNAIL) {
    const DWORD s = (pThumbnail && !pThumbnail->IsEmpty()) ? pThumbnail->GetSize() : 0;
    WriteInt(pFile, (int32_t)s);
    if (s != 0 && !pThumbnail->Write(pFile)) AfxThrowFileException(CFileException::generic);
  }
  pBoard->SerializeContainer(ar, pHeader);
  ar.Flush();
  if (pHeader->m_nVersion >= JVQ_VERSION_POOL) {
    // The pictures that the board being written shows.
    if (pHeader->m_pImagePool != NULL) {
      pHeader->m_pImagePool->Save(pFile, pHeader, pBoard);
    } else {
      WriteInt(pFile, pHeader->m_nVersion);
      WriteInt(pFile, 0);
    }
  }
  if (bItemList) {
    ar << (DWORD)0;
    ar.Flush();
  }
}

void jvqBoardStream::Read(CArchive& ar, jvqFileHeader* pHeader, jvqBoard* pBoard, CDib** ppThumbnail,
                          DWORD* pnItems) {
  *ppThumbnail = NULL;
  if (pnItems) *pnItems = 0;
  CFile* pFile = ar.GetFile();
  pHeader->Serialize(ar);
  // Anything else than a board document is refused rather than shown as an empty board.
  if (!pHeader->IsValid()) AfxThrowArchiveException(CArchiveException::badSchema);
  ar.Flush();
  const int nVersion = pHeader->m_nVersion;
  CDib* pThumb = NULL;
  try {
    if (nVersion >= JVQ_VERSION_THUMBNAIL) {
      const int32_t s = ReadInt(pFile);
      if (s < 0 || (DWORD)s > jvqBytesLeft(pFile)) AfxThrowArchiveException(CArchiveException::badIndex);
      if (s > 0) {
        pThumb = new CDib;
        if (!pThumb->Read(pFile, (DWORD)s)) {
          // A thumbnail that does not read is dropped; the next save makes a new one.
          delete pThumb;
          pThumb = NULL;
        }
      }
    }
    if (ReadInt(pFile) != 0x243) AfxThrowArchiveException(CArchiveException::badClass);
    pBoard->RemoveAllPages(1);
    pBoard->SerializeContainer(ar, pHeader);
    if (nVersion >= JVQ_VERSION_POOL) {
      if (pHeader->m_pImagePool != NULL) {
        pHeader->m_pImagePool->Load(pFile, pHeader);
      } else {
        // A reader without a pool (a preview) can only take a board without pictures.
        ReadInt(pFile);
        if (ReadInt(pFile) != 0) AfxThrowArchiveException(CArchiveException::badClass);
      }
      // Every picture fill read holds its reference now; pictures nobody shows are dropped.
      if (pHeader->m_pImagePool != NULL) pHeader->m_pImagePool->TakeReferencesFrom(pBoard);
    }
    // The item list; writers that had no items may have left out even its count.
    if (jvqBytesLeft(pFile) >= 4) {
      const DWORD n = (DWORD)ReadInt(pFile);
      if (n > jvqBytesLeft(pFile) / kMinItemBytes) AfxThrowArchiveException(CArchiveException::badIndex);
      if (n != 0 && pnItems == NULL) AfxThrowArchiveException(CArchiveException::badClass);
      if (pnItems) *pnItems = n;
    }
  } catch (...) {
    delete pThumb;
    throw;
  }
  pHeader->m_nVersion = JVQ_VERSION_CURRENT;
  *ppThumbnail = pThumb;
}
