// Text routines of the catalogue reader: EUC-JP to Shift-JIS conversion, field-code and
// number helpers, price texts.
#pragma once

#include <afx.h>
#include <afxcoll.h>

// Converts `length` bytes of EUC-JP into Shift-JIS and ends the output with a NUL. Every
// output byte comes from its own input bytes, so the output is never longer than the input;
// the destination must hold length + 2 bytes. Returns the output length.
int EucToSjis(const char* src, char* dst, int length);

// The inverse; stops at a NUL. The destination must hold 2 * length + 1 bytes.
int SjisToEuc(const char* src, char* dst, int length);

// 0 when both texts agree over the length of the shorter one, else 1.
int PrefixCompare(const char* a, const char* b);

// The digits of the text, in order, as a decimal number (0 without digits).
double DigitsToNumber(const char* text);

// Every element followed by "\r\n".
void JoinLines(const CStringList& list, CString& out);

// The price as the user's locale writes money, without the currency symbol.
CString FormatPriceText(int price);

// Clamps a number to the int range before truncating it, so that a huge price read from a
// catalogue stays defined.
int TruncateToInt(double value);

void WriteTraceLine(const char* text);
int CopyWholeFile(const char* target, const char* source);
