// Native build: the share-mode table behind CFile.
#include "file_share.h"

#ifndef _WIN32

#include <sys/stat.h>

#include <mutex>
#include <vector>

namespace {

struct ShareEntry {
  dev_t dev;
  ino_t ino;
  int fd;
  UINT access;  // 1 read, 2 write
  UINT share;   // 1 others may read, 2 others may write
};

std::recursive_mutex g_lock;
std::vector<ShareEntry> g_entries;

UINT AccessBits(UINT nOpenFlags) {
  switch (nOpenFlags & 3) {
    case CFile::modeWrite: return 2;
    case CFile::modeReadWrite: return 3;
    default: return 1;
  }
}

UINT ShareBits(UINT nOpenFlags) {
  switch (nOpenFlags & 0x70) {
    case CFile::shareDenyWrite: return 1;
    case CFile::shareDenyRead: return 2;
    case CFile::shareDenyNone: return 3;
    default: return 0;  // shareExclusive and shareCompat
  }
}

}  // namespace

void AfxShareLock() { g_lock.lock(); }
void AfxShareUnlock() { g_lock.unlock(); }

BOOL AfxShareCheckOpen(LPCTSTR lpszFileName, UINT nOpenFlags) {
  struct stat st;
  if (::stat(lpszFileName, &st) != 0) return TRUE;
  // Creating over a file writes it even when it is opened for reading.
  UINT access = AccessBits(nOpenFlags);
  if ((nOpenFlags & CFile::modeCreate) && !(nOpenFlags & CFile::modeNoTruncate)) access |= 2;
  UINT share = ShareBits(nOpenFlags);
  std::lock_guard<std::recursive_mutex> guard(g_lock);
  for (const ShareEntry& e : g_entries) {
    if (e.dev != st.st_dev || e.ino != st.st_ino) continue;
    if ((access & ~e.share & 3) != 0 || (e.access & ~share & 3) != 0) return FALSE;
  }
  return TRUE;
}

BOOL AfxShareCheckRemove(LPCTSTR lpszFileName) {
  struct stat st;
  if (::stat(lpszFileName, &st) != 0) return TRUE;
  std::lock_guard<std::recursive_mutex> guard(g_lock);
  for (const ShareEntry& e : g_entries)
    if (e.dev == st.st_dev && e.ino == st.st_ino) return FALSE;
  return TRUE;
}

void AfxShareRegister(int fd, UINT nOpenFlags) {
  struct stat st;
  if (::fstat(fd, &st) != 0) return;
  std::lock_guard<std::recursive_mutex> guard(g_lock);
  g_entries.push_back({st.st_dev, st.st_ino, fd, AccessBits(nOpenFlags), ShareBits(nOpenFlags)});
}

void AfxShareUnregister(int fd) {
  std::lock_guard<std::recursive_mutex> guard(g_lock);
  for (size_t i = 0; i < g_entries.size(); ++i)
    if (g_entries[i].fd == fd) {
      g_entries.erase(g_entries.begin() + (long)i);
      return;
    }
}

#endif
