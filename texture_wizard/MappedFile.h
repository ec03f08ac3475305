// A file read or written through one mapped view of all of it.
#pragma once

#include "DibTypes.h"

class CMappedFile
{
public:
    CMappedFile();
    virtual ~CMappedFile();

    // GENERIC_WRITE creates or truncates the file and opens it for reading and writing;
    // anything else opens an existing file for reading.
    virtual BOOL Open(const char* path, DWORD access);
    virtual void Close();
    // Maps size bytes (0: the whole file), growing a file opened for writing.
    virtual BOOL Map(DWORD size);
    virtual void* GetView();
    virtual DWORD Read(void* buffer, DWORD count);
    virtual DWORD Write(const void* buffer, DWORD count);
    virtual DWORD GetSize();

    // Bytes of the current view.
    DWORD GetViewSize() const { return m_dwViewSize; }

private:
#ifdef _WIN32
    HANDLE m_hFile;
    HANDLE m_hMapping;
#else
    int m_hFile; // descriptor + 1, so that 0 means none
#endif
    DWORD m_dwAccess;
    void* m_pView;
    DWORD m_dwViewSize;
    CString m_strPath;

    CMappedFile(const CMappedFile&) = delete;
    CMappedFile& operator=(const CMappedFile&) = delete;
};
