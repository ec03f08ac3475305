// What the wizard's number fields let through while the user types: one rule of the text
// the key would leave, the key, and the field's limits.
#pragma once

#include "DibTypes.h"

// Reads at most the first 16 characters as a signed integer (sign, then digits, stopping
// at anything else). false on overflow; an empty text or a lone sign reads 0.
bool ReadFieldInt(const char* text, long long* value);
// The same as a decimal number with at most one point.
bool ReadFieldDecimal(const char* text, double* value);

// Integer field: backspace, digits, and a minus sign only when the minimum is negative; a
// text that starts with "0" and is longer than one character, or reads over the maximum (or
// overflows), is refused. The minimum is not enforced while typing.
bool NumFieldAccepts(const char* textAfter, UINT ch, int minimum, int maximum);
// Decimal field: as above with the point; also refused are "0" followed by anything but the
// point, a point as the second character with another after it, and a leading point.
bool FloatFieldAccepts(const char* textAfter, UINT ch, double minimum, double maximum);

// One step of the decimal spin control from the value shown in its buddy: the new value,
// or false when the step would pass the limit.
bool FloatSpinStep(double shown, int direction, double minimum, double maximum, double* next);
