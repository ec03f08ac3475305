// The ten previews of the line-end combo boxes, item i drawing the end of kind
// LineEndIndexToKind(i) at the sample's first point.
#pragma once

#include "CLineEndCombo.h"

extern const LineEndPainter LineEndPainters[10];
// Fills the combo box with the ten items, painter as item data.
void FillLineEndCombo(CLineEndCombo& combo);
