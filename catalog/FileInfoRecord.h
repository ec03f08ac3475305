// What the browser knows of a file or folder it lists: name, modified and size texts, type
// name and full path.
#pragma once

#include <afx.h>

#include <cstdint>

class CFileInfoRecord {
public:
    CString m_strName;
    CString m_strModified;  // "2001/06/06 午後 05:56"
    CString m_strSize;      // "0" followed by the size in bytes below 4 GB
    CString m_strType;
    CString m_strPath;
};

// "%d/%.2d/%.2d 午前|午後 %.2d:%.2d" of a local time, the hour 00 to 11 in both halves.
CString FormatModifiedText(int year, int month, int day, int hour, int minute);
// The record's size text: "0" and the bytes below 4 GB, the whole 64-bit number above.
CString FormatRecordSize(uint64_t size);
// The size read back from a record's text (the leading digits).
uint64_t ParseRecordSize(const char* text);
// "1KB" below 1024 bytes, "%dKB" rounded below 1 MiB, "%dMB" rounded from there.
CString FormatListSize(uint64_t size);
// The type name of a file found by an image search, by the last three characters of its
// name; NULL when it is not a picture the browser lists.
const char* ImageSearchTypeName(const char* name);
// The type name of a picture in a folder list, by its last four characters; NULL otherwise.
const char* FolderListTypeName(const char* name);
// The type name of a picture of a registered image folder, by the last three characters of
// its name (BMP, TIF, JPG, WMF, DXF); NULL otherwise.
const char* RegisteredFolderTypeName(const char* name);
