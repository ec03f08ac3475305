// What the search dialogs and commands decide without a window: unique names, the folder
// rule, price bounds, descriptions and month lengths.
#pragma once

#include <afx.h>

#include <vector>

// The new name, with " (K+1)" appended when children named "name (k)" exist (K the largest
// k). The children's names are compared literally, so any character in the name is safe.
CString MakeUniqueSearchName(const CString& name, const std::vector<CString>& siblings);

// The folder rule of the search dialogs. `text` is what the user typed. `check` is the path
// to test (upper-cased; "d:" gives "D:\", "D:\PICS\" gives "D:\PICS"); `result` is the
// folder the search keeps, always ending in "\". `isDrive` tells that `check` is a
// three-character drive root ("X:\") that must read letter, ':' and '\'. False when the text
// cannot name a folder at all (empty, or a drive root that is not letter-colon).
bool NormaliseSearchFolder(const CString& text, CString& check, CString& result, bool& isDrive);

// A price bound box: the number of its digits ("1,000" gives 1000), or `none` when the
// text is the box's first entry or holds no digit.
int ParsePriceBound(const CString& text, const char* noneText, int none);

// Description of a catalogue-data search from its page (0 simple, 1 detailed, 2 price).
CString DescribeDataSearch(int page, const CString& fieldLabel, const CString& text, int low, int high);
// Description of an image search; dates only on page 1.
CString DescribeImageSearch(int page, const CString& fileText, const CString& folder, const int from[3],
                            const int to[3]);

int DaysInMonth(int year, int month);
// A typed date within the date boxes' ranges (1980-2099, 1-12, 1 to the month's length).
bool IsValidSearchDate(int year, int month, int day);
