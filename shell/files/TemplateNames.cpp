#include "TemplateNames.h"

#include <string.h>

const char kTemplateNameMissing[] = "ひな型の名前が入力されていません。";
const char kTemplateNameForbidden[] = "ひな型の名前には次の文字(\\/:,;*?\"<>|)を含むことはできません。";

BOOL HasForbiddenTemplateChar(LPCTSTR lpszName) {
  for (const unsigned char* p = (const unsigned char*)lpszName; p && *p; p++) {
    if ((*p >= 0x81 && *p <= 0x9F) || (*p >= 0xE0 && *p <= 0xFC)) {
      if (p[1] == 0) break;
      p++;
      continue;
    }
    if (strchr(TEMPLATE_NAME_FORBIDDEN_CHARS, *p)) return TRUE;
  }
  return FALSE;
}
