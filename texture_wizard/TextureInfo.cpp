#include "TextureInfo.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

const DWORD kHeaderSize = 32;
const DWORD kRecordSize = 64;
const DWORD kRecordCount = 7;
const DWORD kNameSize = 32;

enum { KIND_ITEM = 1, KIND_BLOCK = 2 };
enum { TYPE_TEXT = 1, TYPE_INTEGER = 2, TYPE_BLOCK = 4 };

const char kComment[] = "コメント";
const char kName[] = "名称";
const char kModelNumber[] = "型番";
const char kPrice[] = "金額";
const char kRemarks[] = "備考";
const char kCounted[] = "集計対象";
const char kPasteMethod[] = "貼付方法";

inline void Put32(BYTE* p, uint32_t value)
{
    p[0] = static_cast<BYTE>(value);
    p[1] = static_cast<BYTE>(value >> 8);
    p[2] = static_cast<BYTE>(value >> 16);
    p[3] = static_cast<BYTE>(value >> 24);
}

inline uint32_t Get32(const BYTE* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

void PutRecord(BYTE* record, const char* name, DWORD kind, DWORD type, DWORD offset, DWORD length, DWORD value)
{
    Put32(record + 0, kind);
    Put32(record + 4, type);
    Put32(record + 8, 1);
    Put32(record + 12, offset);
    Put32(record + 16, length);
    Put32(record + 20, value);
    memcpy(record + 32, name, strlen(name) + 1);
}

bool NameIs(const BYTE* record, const char* name)
{
    return memcmp(record + 32, name, strlen(name) + 1) == 0;
}

// The text at offset of the data area, which must end inside it.
bool TextAt(const BYTE* data, DWORD dataSize, DWORD offset, CString& text)
{
    if (offset >= dataSize || memchr(data + offset, 0, dataSize - offset) == NULL)
        return false;
    text = reinterpret_cast<const char*>(data + offset);
    return true;
}

} // namespace

CTextureInfo::CTextureInfo() : m_nPrice(0)
{
    memset(m_PasteMethod, 0, sizeof(m_PasteMethod));
}

BYTE* BuildTextureTrailer(const CTextureInfo* info, DWORD* length)
{
    const CString* texts[4] = {&info->m_strComment, &info->m_strName, &info->m_strModelNumber, &info->m_strRemarks};
    DWORD lengths[4];
    DWORD dataSize = CTextureInfo::PASTE_METHOD_SIZE;
    for (int i = 0; i < 4; ++i) {
        lengths[i] = static_cast<DWORD>(texts[i]->GetLength()) + 1;
        dataSize += lengths[i];
    }
    const DWORD total = kHeaderSize + kRecordCount * kRecordSize + dataSize;
    BYTE* block = static_cast<BYTE*>(calloc(1, total));
    if (block == NULL)
        return NULL;

    memcpy(block, "KJQ", 4);
    Put32(block + 4, 1);
    Put32(block + 8, kHeaderSize);
    Put32(block + 12, 1);
    Put32(block + 16, kRecordCount * kRecordSize);
    Put32(block + 20, 1);
    Put32(block + 24, kRecordCount);
    Put32(block + 28, dataSize);

    BYTE* records = block + kHeaderSize;
    const DWORD l1 = lengths[0], l2 = lengths[1], l3 = lengths[2], l4 = lengths[3];
    PutRecord(records + 0 * kRecordSize, kComment, KIND_ITEM, TYPE_TEXT, 0, l1, 0);
    PutRecord(records + 1 * kRecordSize, kName, KIND_ITEM, TYPE_TEXT, l1, l2, 0);
    PutRecord(records + 2 * kRecordSize, kModelNumber, KIND_ITEM, TYPE_TEXT, l1 + l2, l3, 0);
    PutRecord(records + 3 * kRecordSize, kPrice, KIND_ITEM, TYPE_INTEGER, l1 + l2 + l3, 0,
              static_cast<DWORD>(info->m_nPrice));
    PutRecord(records + 4 * kRecordSize, kRemarks, KIND_ITEM, TYPE_TEXT, l1 + l2 + l3, l4, 0);
    PutRecord(records + 5 * kRecordSize, kCounted, KIND_ITEM, TYPE_INTEGER, l1 + l2 + l3 + l4, 0, 1);
    PutRecord(records + 6 * kRecordSize, kPasteMethod, KIND_BLOCK, TYPE_BLOCK, l1 + l2 + l3 + l4,
              CTextureInfo::PASTE_METHOD_SIZE, 0);

    BYTE* data = records + kRecordCount * kRecordSize;
    for (int i = 0; i < 4; ++i) {
        memcpy(data, static_cast<const char*>(*texts[i]), lengths[i]);
        data += lengths[i];
    }
    memcpy(data, info->m_PasteMethod, CTextureInfo::PASTE_METHOD_SIZE);
    *length = total;
    return block;
}

BOOL ReadTextureTrailer(const BYTE* file, DWORD size, DWORD start, CTextureInfo* info)
{
    if (start > size || size - start < kHeaderSize || memcmp(file + start, "KJQ", 3) != 0)
        return FALSE;
    const BYTE* trailer = file + start;
    const uint64_t recordsOffset = Get32(trailer + 8);
    const uint64_t count = Get32(trailer + 24);
    const uint64_t dataSize = Get32(trailer + 28);
    const uint64_t dataOffset = recordsOffset + kRecordSize * count;
    if (dataOffset + dataSize > size - start)
        return FALSE;
    const BYTE* data = trailer + dataOffset;
    const DWORD dataBytes = static_cast<DWORD>(dataSize);

    // Everything is read into a copy first, so a bad record leaves the caller's untouched.
    CTextureInfo result = *info;
    for (uint64_t i = 0; i < count; ++i) {
        const BYTE* record = trailer + recordsOffset + i * kRecordSize;
        const DWORD kind = Get32(record), type = Get32(record + 4), offset = Get32(record + 12);
        if (kind == KIND_ITEM && type == TYPE_TEXT) {
            CString* target = NameIs(record, kComment) ? &result.m_strComment
                : NameIs(record, kName)                ? &result.m_strName
                : NameIs(record, kModelNumber)         ? &result.m_strModelNumber
                : NameIs(record, kRemarks)             ? &result.m_strRemarks
                                                       : NULL;
            if (target != NULL && !TextAt(data, dataBytes, offset, *target))
                return FALSE;
        } else if (kind == KIND_ITEM && type == TYPE_INTEGER && NameIs(record, kPrice)) {
            result.m_nPrice = static_cast<int>(Get32(record + 20));
        } else if (kind == KIND_BLOCK && type == TYPE_BLOCK && NameIs(record, kPasteMethod)) {
            if (offset > dataBytes || dataBytes - offset < CTextureInfo::PASTE_METHOD_SIZE)
                return FALSE;
            memcpy(result.m_PasteMethod, data + offset, CTextureInfo::PASTE_METHOD_SIZE);
        }
    }
    *info = result;
    return TRUE;
}
