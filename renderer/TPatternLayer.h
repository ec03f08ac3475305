#pragma once

#include <windows.h>

// Off-screen 24-bit layer that draws a text centred, exported as a class.
class TPatternLayer {
public:
    TPatternLayer(int width, int height, const char* text, unsigned long colour);
    virtual ~TPatternLayer();

    void Initialize();
    COLORREF GetPixelColor(int x, int y) const;
    bool IsValid() const;

protected:
    virtual void Draw(HDC dc, const char* text, const RECT& rc);
    virtual void Draw2(HDC dc, const char* text, const RECT& rc);

private:
    TPatternLayer(const TPatternLayer&);
    TPatternLayer& operator=(const TPatternLayer&);

    BITMAPINFOHEADER m_info;
    bool m_bValid;
    HDC m_hDisplayDC;
    HDC m_hMemDC;
    HBITMAP m_hBitmap;
    HPEN m_hPen;
    HFONT m_hFont;
    unsigned char* m_pPixels;
    int m_nPixelSize;
    char* m_pText;
    COLORREF m_colour;
};
