// The "Contents" stream of a board document after the framework has opened it: header,
// thumbnail, the board in archive form, the image pool block and the OLE item list.
#pragma once

#include "afx.h"

class CArchive;
class CDib;
class jvqBoard;
class jvqFileHeader;

class jvqBoardStream {
 public:
  // Writes at the header's version; the header's page count becomes the number of alive
  // pages. The thumbnail may be NULL (an empty one is written). Without bItemList the
  // caller writes the item list itself after the board.
  static void Write(CArchive& ar, jvqFileHeader* pHeader, jvqBoard* pBoard, CDib* pThumbnail,
                    BOOL bItemList = TRUE);
  // Reads into a fresh header and an empty board (its pages are replaced). Throws a
  // CException for anything that is not a whole board document, so that the caller never
  // takes a half-read board; on success the header is at the current version again and
  // *ppThumbnail is a new picture or NULL. With pnItems the item count is given back and
  // the archive is left at the first item; without it a board with items is refused.
  static void Read(CArchive& ar, jvqFileHeader* pHeader, jvqBoard* pBoard, CDib** ppThumbnail,
                   DWORD* pnItems = NULL);

  // The fewest bytes an item takes in the list: a class index tag and the item's own
  // number, type and aspect.
  static const DWORD kMinItemBytes = 2 + 12;
};
