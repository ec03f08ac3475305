// The "Contents" stream of a board document, read as the document reads it from its
// compound file: header, thumbnail, board, image pool (into the document's pool), item list; then saved again.
#include "BoardObjects.h"
#include "Dib.h"
#include "FuzzTarget.h"
#include "afxarch.h"
#include "jvqBoard.h"
#include "jvqBoardStream.h"
#include "jvqImagePool.h"

void FuzzOne(const uint8_t* data, size_t size) {
  fuzz::EnsurePrototypes();
  CMemFile file(const_cast<BYTE*>(data), (UINT)size);
  // The document's pool: the pictures' block after the board is read into it.
  jvqImagePool pool;
  jvqFileHeader* pHeader = new jvqFileHeader;
  pHeader->m_pImagePool = &pool;
  jvqBoard* pBoard = new jvqBoard(jvqObjectDefaults::GetObjectDefaults()->GetDefaultView());
  CDib* pThumb = NULL;
  bool bRead = false;
  {
    CArchive ar(&file, CArchive::load | CArchive::bNoFlushOnDelete);
    try {
      jvqBoardStream::Read(ar, pHeader, pBoard, &pThumb);
      ar.Close();
      bRead = true;
    } catch (CException* e) {
      ar.Abort();
      e->Delete();
    }
  }
  if (bRead) {
    CMemFile out;
    CArchive ar(&out, CArchive::store);
    try {
      jvqBoardStream::Write(ar, pHeader, pBoard, pThumb);
      ar.Close();
    } catch (CException* e) {
      ar.Abort();
      e->Delete();
    }
  }
  delete pThumb;
  delete pBoard;
  delete pHeader;
  jvqObjectDefaults::FreeObjectDefaults();
}
