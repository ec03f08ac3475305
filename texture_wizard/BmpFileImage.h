// A picture read from a BMP or texture file, or taken over from a packed DIB.
#pragma once

#include "Image.h"

class CBmpFileImage : public CImage
{
public:
    CBmpFileImage();

    // Reads a BMP of 1, 4, 8, 16, 24 or 32 bits (BI_RGB, bottom-up) into layer 0; with
    // info, also the texture trailer that follows the BMP.
    BOOL Load(const char* path, int flag, CTextureInfo* info) override;
#ifdef _WIN32
    // One picture from a TWAIN source the user picks.
    BOOL Acquire() override;
    // Takes over a packed DIB handle (frees it).
    virtual BOOL AttachPackedDib(HGLOBAL dib);
#endif
    // Takes a packed DIB of size bytes into layer 0 as 24 bits.
    BOOL AttachDibBlock(const BITMAPINFOHEADER* dib, DWORD size);

protected:
    DWORD m_dwFileSize;
};
