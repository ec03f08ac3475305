// The pictures of one board document, each held once with an id and a reference count;
// picture fills refer to them by id, and the document file keeps them in the block after
// the board.
#pragma once

#include <vector>

#include "afx.h"

class CBaseImage;
class jvqFileHeader;
class jvqGroupObject;
class jvqImagePool;

class jvqImagePoolEntry {
 public:
  // With id 0 the entry takes the lowest id from 1 up that the pool does not use.
  jvqImagePoolEntry(jvqImagePool* pPool, CBaseImage* pImage, int nId);
  virtual ~jvqImagePoolEntry();

  CBaseImage* GetImage() const { return m_pImage; }
  int GetId() const { return m_nId; }
  int GetRefCount() const { return m_nRefs; }
  int AddRef() { return ++m_nRefs; }
  // Deletes the picture when no reference is left.
  int Release();

  // One entry record at the header's version. Both throw a CFileException when the file,
  // a temporary file, the compression or the picture fails, so that a save or an open never
  // reports success over a lost picture. Load returns FALSE for a record with id 0, which
  // has been skipped whole.
  BOOL Store(CFile* pFile, jvqFileHeader* pHeader);
  BOOL Load(CFile* pFile, jvqFileHeader* pHeader);

  CBaseImage* m_pImage;
  int m_nId;
  int m_nRefs;
  jvqImagePool* m_pPool;
};

class jvqImagePool {
 public:
  jvqImagePool() : m_bOwns(TRUE) {}
  virtual ~jvqImagePool();

  int GetCount() const { return (int)m_entries.size(); }
  jvqImagePoolEntry* GetAt(int i) const;
  jvqImagePoolEntry* FindEntry(int nId) const;
  CBaseImage* GetImage(int nId) const;

  // A new entry for the picture (now owned by the pool) with no reference yet; its id.
  int Add(CBaseImage* pImage);
  // The new count, or -1 for an id that is not in the pool.
  int AddRef(int nId);
  // The new count (the entry goes at 0), or 0 for id 0 or an id that is not in the pool.
  int Release(int nId);
  void Remove(jvqImagePoolEntry* pEntry);
  void RemoveAll();

  // One reference for each alive picture fill below the group, shown or hidden (groups
  // walked whatever their state).
  void AddRefsFrom(jvqGroupObject* pGroup);
  // After a document was read: references from its board, then the entries nobody uses go.
  void TakeReferencesFrom(jvqGroupObject* pBoard);

  // The block after the board: the entries that alive pictures of `pBoard` show, once per
  // picture. Throw a CFileException (or CArchiveException for a corrupt block) on failure.
  BOOL Save(CFile* pFile, jvqFileHeader* pHeader, jvqGroupObject* pBoard);
  BOOL Load(CFile* pFile, jvqFileHeader* pHeader);

  BOOL m_bOwns;
  std::vector<jvqImagePoolEntry*> m_entries;
};
