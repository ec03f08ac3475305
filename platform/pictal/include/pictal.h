// The picture library: every class at once.
#pragma once

#include "BaseImage.h"
#include "Dib.h"
#include "DibImage.h"
#include "JpegImage.h"
#include "MetafileImage.h"
#include "PngImage.h"
#include "TiffImage.h"
