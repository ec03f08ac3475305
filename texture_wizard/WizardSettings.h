// The page settings the wizard remembers between pages and between runs, and the one place
// that says when each is reset.
#pragma once

#include "DibTypes.h"
#include "TextureInfo.h"

struct CWizardSettings
{
    CWizardSettings();

    RECT LastPageRect;        // screen; never reset
    BOOL LastPageMaximized;   // never reset
    int InputMethod;          // 1 file, 2 scanner; never reset
    BOOL RotateLeft;
    BOOL UsePartOfImage;
    BOOL TilingCheck;
    RECT UsedRange;           // picture pixels
    BOOL CropBoxFixed;
    BOOL KeepAspect;
    RECT TargetSize;          // {0, 0, width, height}
    RECT CropBox;
    BOOL AdjustImageSize;
    int ColorAdjust[4];       // brightness, red, green, blue
    int PrevColorAdjust[4];
    BOOL SaveAs256Colors;
    CTextureInfo TextureInfo;
    BOOL PasteDefaultsSet;
    int BlackFillTool;        // 1 to 4; the size page selects 1
    int BlackFillSize[2];     // 0, 1, 2 for tools 1 and 2; the size page's Next sets tool 1's to 1

    // The events that reset settings.
    void OnInputPageConstructed();
    void OnNewSourcePicture();
    void OnAnglePageConstructed();
    void OnAnglePageNext(int width, int height);
    void OnSizeAdjustmentOn();
    void OnColorPageConstructed();
    void OnColorPageOpened();
    // The first page of the process gives the texture record's pasting method its defaults.
    void OnPageConstructed();
};

// The pasting-method block's defaults: 1, 0xFFFF, 3, 3, 0, 0, 1.0, 1.0, 16 zero bytes, 1, 0, 0.
void SetPasteMethodDefaults(BYTE block[CTextureInfo::PASTE_METHOD_SIZE]);
