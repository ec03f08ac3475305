// Whether two paper backgrounds look the same; a missing fill never equals another.
#pragma once

#include "afx.h"

class jvqFill;

BOOL FillsEqual(const jvqFill* a, const jvqFill* b);
