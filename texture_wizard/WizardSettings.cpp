#include "WizardSettings.h"

#include <cstdint>
#include <cstring>

CWizardSettings::CWizardSettings()
    : LastPageRect{}, LastPageMaximized(TRUE), InputMethod(1), RotateLeft(FALSE), UsePartOfImage(FALSE),
      TilingCheck(FALSE), UsedRange{}, CropBoxFixed(FALSE), KeepAspect(FALSE), TargetSize{}, CropBox{},
      AdjustImageSize(FALSE), ColorAdjust{}, PrevColorAdjust{}, SaveAs256Colors(TRUE), PasteDefaultsSet(FALSE),
      BlackFillTool(1), BlackFillSize{}
{
}

void CWizardSettings::OnInputPageConstructed()
{
    RotateLeft = FALSE;
    UsePartOfImage = FALSE;
    TilingCheck = FALSE;
}

void CWizardSettings::OnNewSourcePicture()
{
    UsedRange = RECT{0, 0, 0, 0};
}

void CWizardSettings::OnAnglePageConstructed()
{
    CropBoxFixed = TRUE;
    KeepAspect = TRUE;
}

void CWizardSettings::OnAnglePageNext(int width, int height)
{
    TargetSize = RECT{0, 0, width, height};
    CropBox = RECT{0, 0, 0, 0};
    AdjustImageSize = TRUE;
}

void CWizardSettings::OnSizeAdjustmentOn()
{
    CropBoxFixed = FALSE;
}

void CWizardSettings::OnColorPageConstructed()
{
    memset(ColorAdjust, 0, sizeof(ColorAdjust));
    memset(PrevColorAdjust, 0, sizeof(PrevColorAdjust));
}

void CWizardSettings::OnColorPageOpened()
{
    SaveAs256Colors = FALSE;
}

void CWizardSettings::OnPageConstructed()
{
    if (PasteDefaultsSet)
        return;
    SetPasteMethodDefaults(TextureInfo.m_PasteMethod);
    PasteDefaultsSet = TRUE;
}

void SetPasteMethodDefaults(BYTE block[CTextureInfo::PASTE_METHOD_SIZE])
{
    const int32_t head[6] = {1, 0xFFFF, 3, 3, 0, 0};
    const double scale[2] = {1.0, 1.0};
    const int32_t tail[3] = {1, 0, 0};
    static_assert(sizeof(head) + sizeof(scale) + 16 + sizeof(tail) == CTextureInfo::PASTE_METHOD_SIZE,
                  "the pasting-method block is 68 bytes");
    memset(block, 0, CTextureInfo::PASTE_METHOD_SIZE);
    memcpy(block, head, sizeof(head));
    memcpy(block + sizeof(head), scale, sizeof(scale));
    memcpy(block + sizeof(head) + sizeof(scale) + 16, tail, sizeof(tail));
}
