// The twelve title banner shapes and the banner drawing over plain device contexts.
#pragma once

#include <windows.h>
#include <vector>

#include "glyphset.h"

namespace glyphset {

constexpr int kBannerShapeCount = 12;

struct BannerPoint {
  double u, v;
};

enum BannerPartKind {
  BANNER_BACK,   // behind the body (ribbon tails), filled and outlined
  BANNER_SHADE,  // fold shading, a darker fill without outline
  BANNER_BODY,   // the body; several rings make holes
  BANNER_FRAME,  // an inner line, outline only
};

struct BannerPart {
  BannerPartKind kind;
  std::vector<std::vector<BannerPoint>> rings;
};

struct BannerShape {
  std::vector<BannerPart> parts;
  double textLeft = 0, textTop = 0, textRight = 0, textBottom = 0;  // where the lettering fits
};

// Shape 1 to 12 in a w x h frame; any other number gives the plain box.
BannerShape MakeBannerShape(int shape, double w, double h);

// Draws the banner; pen and brush may be null (a black pen, a white brush). Leaves the DC as it was.
int DrawBannerBlock(HDC hdc, const GlyphBannerBlock& block, HPEN pen, HBRUSH brush, int mode);

}  // namespace glyphset
