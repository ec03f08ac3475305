#include "jvqBannerFill.h"
#include "jvqFill.h"
#include "jvqGradientFill.h"
#include "jvqImageFill.h"
#include "jvqPatternFill.h"
#include "jvqSolidFill.h"
#include "jvqTextFill.h"
#include "jvqTextureFill.h"

// The painters of the other fill kinds join here as their classes are built; until then a
// record of such a kind cannot be read past its flags word.
jvqFill* CreateFill(DWORD dwFlags) {
  if (dwFlags == 0) return NULL;
  if (dwFlags & FILL_PATTERN) return new jvqPatternFill;
  if (dwFlags & FILL_TEXTURE) return new jvqTextureFill;
  if (dwFlags & FILL_SOLID) return new jvqSolidFill(BS_SOLID, 0xC0C0C0, 0);
  if (dwFlags & FILL_GRADIENT) return new jvqGradientFill;
  if (dwFlags & FILL_IMAGE) return new jvqImageFill(NULL, NULL);
  if (dwFlags & FILL_TEXT) return new jvqTextFill;
  if (dwFlags & FILL_BANNER) return new jvqBannerFill;
  return NULL;
}
