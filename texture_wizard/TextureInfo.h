// The catalogue record a texture file (.kjq) carries after its BMP, and its trailer.
#pragma once

#include "DibTypes.h"

class CTextureInfo
{
public:
    enum { PASTE_METHOD_SIZE = 68 };

    CTextureInfo();

    BYTE m_PasteMethod[PASTE_METHOD_SIZE]; // carried whole, never interpreted here
    int m_nPrice;
    CString m_strComment;
    CString m_strName;
    CString m_strModelNumber;
    CString m_strRemarks;
};

// A new block (malloc) holding the trailer of info, its length in *length; NULL when the
// block cannot be allocated. The caller frees it.
BYTE* BuildTextureTrailer(const CTextureInfo* info, DWORD* length);

// Reads the trailer that starts at offset start of a file of size bytes into info. FALSE
// when there is no trailer or it points outside the file; info is then unchanged.
BOOL ReadTextureTrailer(const BYTE* file, DWORD size, DWORD start, CTextureInfo* info);
