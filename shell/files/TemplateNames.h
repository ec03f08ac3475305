// Names of templates: the characters a template name may not hold, and the messages that
// refuse a name.
#pragma once

#include "afx.h"

#define TEMPLATE_NAME_FORBIDDEN_CHARS "\\/:,;*?\"<>|"

extern const char kTemplateNameMissing[];
extern const char kTemplateNameForbidden[];

// TRUE when the name holds one of the forbidden characters (whole characters only: a
// trail byte of a double-byte character never counts).
BOOL HasForbiddenTemplateChar(LPCTSTR lpszName);
