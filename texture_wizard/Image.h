// The wizard's picture: a bottom-up 24-bit DIB in three layers (0 base, 1 working copy
// left by the editing view, 2 its undo copy), and the BMP writer.
#pragma once

#include "DibTypes.h"

class CTextureInfo;
#ifdef _WIN32
class CBitmap;
#endif

class CImage
{
public:
    CImage();
    // A new image whose layer 0 is a copy of source's layer 1.
    CImage(const CImage& source);
    // A new image whose layer 0 is the part rect (top-down pixels) of source's layer 1;
    // pixels outside the source are white. An empty rect copies layer 1 whole.
    CImage(const CImage& source, const RECT& rect);

    virtual BOOL Load(const char* path, int flag, CTextureInfo* info);
    // Writes layer 1 as a BMP of 24 bits, or of 8 bits with a reduced palette, followed
    // by the texture trailer when info is given.
    virtual BOOL Save(const char* path, BOOL eightBit, CTextureInfo* info);
    virtual BOOL Acquire();
    virtual SIZE GetSize();
    // Octree reduction of layer 1 to at most 236 colours; *palette is a new block (free).
    virtual int BuildPalette(RGBQUAD** palette);
    virtual BYTE* GetBits(int layer);
    virtual BITMAPINFOHEADER* GetInfo(int layer);
    // Stores both pointers; the image owns them from now on. The old blocks are the
    // caller's business.
    virtual void SetLayer(BITMAPINFOHEADER* info, BYTE* bits, int layer);
    virtual ~CImage();
#ifdef _WIN32
    // A device-dependent bitmap of layer 0 for the screen, or NULL; the caller deletes it.
    CBitmap* CreateBitmap();
#endif

protected:
    // Frees layer 0 (and forgets layers 1 and 2 where they share its blocks).
    void FreeLayer0();

    BYTE* m_pView;
    BYTE* m_pBits[3];
    BITMAPINFOHEADER* m_pInfo[3];
    LONG m_nWidth;
    LONG m_nHeight;

private:
    CImage& operator=(const CImage&) = delete;
};

// Index of the palette entry for a colour: the first equal entry, else the first of the
// smallest weighted distance (green 0.59, red 0.30, blue 0.11).
int NearestPaletteIndex(const RGBQUAD* palette, int count, BYTE blue, BYTE green, BYTE red);
