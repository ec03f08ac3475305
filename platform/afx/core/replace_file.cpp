// Replacing a file through a temporary file of its own beside it.
#include "afxreplace.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

std::atomic<unsigned> s_nNext{0};

#ifdef _WIN32

// The folder of the target with its separator; the system finds where the name starts, so
// a trail byte 0x5C of a Shift-JIS character is never taken for one.
bool FolderOf(LPCTSTR lpszTarget, std::string* pFolder) {
  char szFull[MAX_PATH];
  LPSTR pName = NULL;
  const DWORD n = ::GetFullPathNameA(lpszTarget, MAX_PATH, szFull, &pName);
  if (n == 0 || n >= MAX_PATH || pName == NULL) {
    if (n >= MAX_PATH) ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
  }
  pFolder->assign(szFull, pName - szFull);
  return true;
}

unsigned long ProcessId() { return ::GetCurrentProcessId(); }

// Creates the file only when no file of that name exists; 1 made, 0 taken, -1 failed.
int CreateNew(const std::string& name) {
  HANDLE h = ::CreateFileA(name.c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
  if (h != INVALID_HANDLE_VALUE) {
    ::CloseHandle(h);
    return 1;
  }
  const DWORD e = ::GetLastError();
  return e == ERROR_FILE_EXISTS || e == ERROR_ALREADY_EXISTS ? 0 : -1;
}

bool FlushToDisk(const std::string& name) {
  HANDLE h = ::CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
  if (h == INVALID_HANDLE_VALUE) return false;
  const BOOL ok = ::FlushFileBuffers(h);
  const DWORD e = ::GetLastError();
  ::CloseHandle(h);
  if (!ok) ::SetLastError(e);
  return ok != FALSE;
}

bool MoveOver(const std::string& temp, LPCTSTR lpszTarget) {
  return ::MoveFileExA(temp.c_str(), lpszTarget, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

// Removes the temporary file without losing the error that made the caller give up.
void RemoveKeepingError(const std::string& name) {
  const DWORD e = ::GetLastError();
  ::DeleteFileA(name.c_str());
  ::SetLastError(e);
}

#else

bool FolderOf(LPCTSTR lpszTarget, std::string* pFolder) {
  const std::string target = lpszTarget;
  const size_t slash = target.rfind('/');
  pFolder->assign(slash == std::string::npos ? std::string() : target.substr(0, slash + 1));
  return true;
}

unsigned long ProcessId() { return (unsigned long)::getpid(); }

int CreateNew(const std::string& name) {
  const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd >= 0) {
    ::close(fd);
    return 1;
  }
  return errno == EEXIST ? 0 : -1;
}

bool FlushToDisk(const std::string& name) {
  const int fd = ::open(name.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::fsync(fd) == 0;
  const int e = errno;
  ::close(fd);
  errno = e;
  return ok;
}

bool MoveOver(const std::string& temp, LPCTSTR lpszTarget) {
  if (::rename(temp.c_str(), lpszTarget) != 0) return false;
  // The new name itself reaches the disk with its folder.
  std::string folder;
  FolderOf(lpszTarget, &folder);
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
  return true;
}

void RemoveKeepingError(const std::string& name) {
  const int e = errno;
  ::unlink(name.c_str());
  errno = e;
}

#endif

// A new empty file in the folder whose name no other writer has: the name carries the
// process and a running number, and the file is made only where none exists.
bool MakeTemporary(const std::string& folder, std::string* pName) {
  for (int attempt = 0; attempt < 10000; attempt++) {
    char szName[40];
    std::snprintf(szName, sizeof szName, "~%lx-%x.tmp", ProcessId(), s_nNext.fetch_add(1));
    *pName = folder + szName;
    const int made = CreateNew(*pName);
    if (made != 0) return made > 0;
  }
  return false;
}

}  // namespace

BOOL AfxReplaceFile(LPCTSTR lpszTarget, const std::function<BOOL(LPCTSTR lpszTemp)>& write) {
  if (lpszTarget == NULL || *lpszTarget == 0) return FALSE;
  std::string folder, temp;
  if (!FolderOf(lpszTarget, &folder) || !MakeTemporary(folder, &temp)) return FALSE;
  BOOL bWritten;
  try {
    bWritten = write(temp.c_str());
  } catch (...) {
    RemoveKeepingError(temp);
    throw;
  }
  if (!bWritten || !FlushToDisk(temp) || !MoveOver(temp, lpszTarget)) {
    RemoveKeepingError(temp);
    return FALSE;
  }
  return TRUE;
}

BOOL AfxReplaceFileData(LPCTSTR lpszTarget, const void* pData, size_t nCount) {
  return AfxReplaceFile(lpszTarget, [&](LPCTSTR lpszTemp) -> BOOL {
    FILE* f = std::fopen(lpszTemp, "wb");
    if (f == NULL) return FALSE;
    const bool bWritten = nCount == 0 || std::fwrite(pData, 1, nCount, f) == nCount;
    return (std::fclose(f) == 0 && bWritten) ? TRUE : FALSE;
  });
}
