// Pictures stored in the program's resources as complete BMP files (custom type "DIB").
#pragma once

#include <windows.h>

class CDib;

// A new picture owned by the caller, or NULL when the resource is missing, empty or
// unreadable. The bytes pass through a temporary "bkg" file that never outlives the call.
CDib* LoadDibFromResource(LPCTSTR lpszName, LPCTSTR lpszType);
