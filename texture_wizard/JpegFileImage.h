// A picture read from a JPEG file through the IJG library.
#pragma once

#include "Image.h"

class CJpegFileImage : public CImage
{
public:
    // Colour and grey-scale JPEGs load as 24 bits; CMYK, corrupt and truncated files fail
    // without a message.
    BOOL Load(const char* path, int flag, CTextureInfo* info) override;
};
