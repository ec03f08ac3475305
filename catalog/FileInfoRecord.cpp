#include "FileInfoRecord.h"

#include <cstring>

CString FormatModifiedText(int year, int month, int day, int hour, int minute)
{
    CString date;
    date.Format("%d/%.2d/%.2d %s", year, month, day, hour < 12 ? "午前" : "午後");
    CString out;
    out.Format("%s %.2d:%.2d", static_cast<const char*>(date), hour % 12, minute);
    return out;
}

CString FormatRecordSize(uint64_t size)
{
    CString out;
    // Below 4 GB the high half is 0 and leads the text, as records have always read.
    if ((size >> 32) == 0)
        out.Format("0%u", static_cast<unsigned>(size));
    else
        out.Format("%llu", static_cast<unsigned long long>(size));
    return out;
}

uint64_t ParseRecordSize(const char* text)
{
    uint64_t value = 0;
    for (const char* p = text; p && *p >= '0' && *p <= '9'; ++p) {
        if (value > UINT64_MAX / 10)
            break;
        value = value * 10 + static_cast<uint64_t>(*p - '0');
    }
    return value;
}

CString FormatListSize(uint64_t size)
{
    CString out;
    if (size >= 1048576)
        out.Format("%lluMB", static_cast<unsigned long long>((size + 524288) / 1048576));
    else if (size < 1024)
        out = "1KB";
    else
        out.Format("%lluKB", static_cast<unsigned long long>((size + 512) / 1024));
    return out;
}

namespace {

struct Ending {
    const char* ending;
    const char* type;
};

const char* FindEnding(const char* name, const Ending* table, size_t count, size_t length)
{
    const size_t n = name ? std::strlen(name) : 0;
    if (n < length)
        return nullptr;
    char tail[8] = {};
    for (size_t i = 0; i < length; ++i) {
        char c = name[n - length + i];
        tail[i] = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    for (size_t i = 0; i < count; ++i)
        if (std::strcmp(tail, table[i].ending) == 0)
            return table[i].type;
    return nullptr;
}

}  // namespace

const char* ImageSearchTypeName(const char* name)
{
    static const Ending table[] = {
        {"BMP", "BMPファイル"}, {"TIF", "TIFFファイル"}, {"JPG", "JPEGファイル"}, {"WMF", "メタファイル"},
        {"KJQ", "KJQファイル"}, {"VQC", "VQCファイル"},  {"VQD", "VQDファイル"},  {"EMF", "EMFファイル"},
        {"DXF", "DXFファイル"}, {"KXQ", "KXQファイル"},  {"PNG", "PNGファイル"},
    };
    return FindEnding(name, table, sizeof table / sizeof table[0], 3);
}

const char* FolderListTypeName(const char* name)
{
    static const Ending table[] = {
        {".BMP", "BMPファイル"}, {".TIF", "TIFFファイル"}, {".JPG", "JPEGファイル"}, {".WMF", "メタファイル"},
        {".EMF", "EMFファイル"}, {".DXF", "DXFファイル"},  {".KXQ", "KXQファイル"},  {".PNG", "PNGファイル"},
    };
    return FindEnding(name, table, sizeof table / sizeof table[0], 4);
}

const char* RegisteredFolderTypeName(const char* name)
{
    static const Ending table[] = {
        {"BMP", "BMPファイル"}, {"TIF", "TIFFファイル"}, {"JPG", "JPEGファイル"}, {"WMF", "メタファイル"},
        {"DXF", "DXFファイル"},
    };
    return FindEnding(name, table, sizeof table / sizeof table[0], 3);
}
