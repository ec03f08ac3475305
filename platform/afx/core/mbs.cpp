// Code page 932 text helpers, and the native build's _mbs* functions.
#include "afxmbs.h"

#include <cstring>

namespace {

inline unsigned char AsciiUpper(unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 32 : c; }
inline unsigned char AsciiLower(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }

// Character code at p (lead << 8 | trail for a double-byte character) and its length.
inline unsigned int CodeAt(const unsigned char* p, int* pLen) {
  if (AfxIsLeadByte(*p) && p[1] != 0) {
    *pLen = 2;
    return ((unsigned int)p[0] << 8) | p[1];
  }
  *pLen = 1;
  return *p;
}

[[maybe_unused]] bool InSet(unsigned int code, const unsigned char* set) {
  for (const unsigned char* q = set; *q;) {
    int n;
    if (CodeAt(q, &n) == code) return true;
    q += n;
  }
  return false;
}

}  // namespace

const char* AfxCharPrev(const char* start, const char* p) {
  if (p <= start) return start;
  const char* q = start;
  const char* prev = start;
  while (q < p && *q) {
    prev = q;
    q = AfxCharNext(q);
  }
  return prev;
}

const char* AfxStrChr(const char* s, unsigned int c) {
  for (const unsigned char* p = (const unsigned char*)s;;) {
    int n;
    unsigned int code = CodeAt(p, &n);
    if (code == c) return (const char*)p;
    if (*p == 0) return NULL;
    p += n;
  }
}

const char* AfxStrRChr(const char* s, unsigned int c) {
  const char* last = NULL;
  for (const unsigned char* p = (const unsigned char*)s;;) {
    int n;
    unsigned int code = CodeAt(p, &n);
    if (code == c) last = (const char*)p;
    if (*p == 0) return last;
    p += n;
  }
}

const char* AfxStrStr(const char* s, const char* sub) {
  size_t len = std::strlen(sub);
  if (len == 0) return s;
  for (const char* p = s; *p; p = AfxCharNext(p))
    if (std::strncmp(p, sub, len) == 0) return p;
  return NULL;
}

int AfxStrCmp(const char* a, const char* b) {
  const unsigned char* p = (const unsigned char*)a;
  const unsigned char* q = (const unsigned char*)b;
  while (*p && *p == *q) ++p, ++q;
  return (int)*p - (int)*q;
}

int AfxStrCmpNoCase(const char* a, const char* b) {
  const unsigned char* p = (const unsigned char*)a;
  const unsigned char* q = (const unsigned char*)b;
  bool trail = false;  // both strings are at the same trail byte
  for (;;) {
    unsigned char c1 = trail ? *p : AsciiLower(*p);
    unsigned char c2 = trail ? *q : AsciiLower(*q);
    if (c1 != c2 || c1 == 0) return (int)c1 - (int)c2;
    trail = !trail && AfxIsLeadByte(*p);
    ++p, ++q;
  }
}

void AfxStrCopyN(char* dest, const char* src, size_t nMax) {
  if (nMax == 0) return;
  size_t i = 0;
  while (src[i]) {
    size_t n = (AfxIsLeadByte((unsigned char)src[i]) && src[i + 1] != 0) ? 2 : 1;
    if (i + n > nMax - 1) break;
    for (size_t k = 0; k < n; ++k) dest[i + k] = src[i + k];
    i += n;
  }
  dest[i] = 0;
}

void AfxStrUpper(char* s) {
  for (char* p = s; *p; p = AfxCharNext(p))
    if (!AfxIsLeadByte((unsigned char)*p)) *p = (char)AsciiUpper((unsigned char)*p);
}

void AfxStrLower(char* s) {
  for (char* p = s; *p; p = AfxCharNext(p))
    if (!AfxIsLeadByte((unsigned char)*p)) *p = (char)AsciiLower((unsigned char)*p);
}

unsigned char* _mbschr(const unsigned char* s, unsigned int c) {
  return (unsigned char*)AfxStrChr((const char*)s, c);
}
unsigned char* _mbsrchr(const unsigned char* s, unsigned int c) {
  return (unsigned char*)AfxStrRChr((const char*)s, c);
}
unsigned char* _mbsstr(const unsigned char* s, const unsigned char* sub) {
  return (unsigned char*)AfxStrStr((const char*)s, (const char*)sub);
}
unsigned char* _mbsinc(const unsigned char* p) {
  return (unsigned char*)((AfxIsLeadByte(*p) && p[1] != 0) ? p + 2 : p + 1);
}
unsigned char* _mbsdec(const unsigned char* start, const unsigned char* p) {
  if (p <= start) return NULL;
  return (unsigned char*)AfxCharPrev((const char*)start, (const char*)p);
}
unsigned char* _mbsninc(const unsigned char* p, size_t count) {
  while (count-- && *p) p = _mbsinc(p);
  return (unsigned char*)p;
}
unsigned int _mbsnextc(const unsigned char* p) {
  int n;
  return CodeAt(p, &n);
}
size_t _mbslen(const unsigned char* s) {
  size_t n = 0;
  for (const char* p = (const char*)s; *p; p = AfxCharNext(p)) ++n;
  return n;
}
size_t _mbsnbcnt(const unsigned char* s, size_t nChars) {
  const unsigned char* p = s;
  while (nChars-- && *p) p = _mbsinc(p);
  return (size_t)(p - s);
}
size_t _mbclen(const unsigned char* p) { return AfxIsLeadByte(*p) ? 2 : 1; }

// Character-code order, as the run-time library's: a double-byte character compares as
// (lead << 8 | trail).
int _mbscmp(const unsigned char* a, const unsigned char* b) {
  for (;;) {
    int n1, n2;
    unsigned int c1 = CodeAt(a, &n1), c2 = CodeAt(b, &n2);
    if (c1 != c2) return c1 < c2 ? -1 : 1;
    if (c1 == 0) return 0;
    a += n1, b += n2;
  }
}
int _mbsicmp(const unsigned char* a, const unsigned char* b) {
  for (;;) {
    int n1, n2;
    unsigned int c1 = CodeAt(a, &n1), c2 = CodeAt(b, &n2);
    if (n1 == 1) c1 = AsciiLower((unsigned char)c1);
    if (n2 == 1) c2 = AsciiLower((unsigned char)c2);
    if (c1 != c2) return c1 < c2 ? -1 : 1;
    if (c1 == 0) return 0;
    a += n1, b += n2;
  }
}
int _mbsncmp(const unsigned char* a, const unsigned char* b, size_t nChars) {
  for (; nChars; --nChars) {
    int n1, n2;
    unsigned int c1 = CodeAt(a, &n1), c2 = CodeAt(b, &n2);
    if (c1 != c2) return c1 < c2 ? -1 : 1;
    if (c1 == 0) return 0;
    a += n1, b += n2;
  }
  return 0;
}
int _mbsnicmp(const unsigned char* a, const unsigned char* b, size_t nChars) {
  for (; nChars; --nChars) {
    int n1, n2;
    unsigned int c1 = CodeAt(a, &n1), c2 = CodeAt(b, &n2);
    if (n1 == 1) c1 = AsciiLower((unsigned char)c1);
    if (n2 == 1) c2 = AsciiLower((unsigned char)c2);
    if (c1 != c2) return c1 < c2 ? -1 : 1;
    if (c1 == 0) return 0;
    a += n1, b += n2;
  }
  return 0;
}
int _mbsnbcmp(const unsigned char* a, const unsigned char* b, size_t nBytes) {
  size_t i = 0;
  while (i < nBytes) {
    int n1, n2;
    unsigned int c1 = CodeAt(a + i, &n1), c2 = CodeAt(b + i, &n2);
    if (n1 == 2 && i + 1 >= nBytes) c1 = a[i], c2 = b[i];  // only the lead byte is in range
    if (c1 != c2) return c1 < c2 ? -1 : 1;
    if (c1 == 0) return 0;
    i += n1;
  }
  return 0;
}
int _mbsnbicmp(const unsigned char* a, const unsigned char* b, size_t nBytes) {
  size_t i = 0;
  while (i < nBytes) {
    int n1, n2;
    unsigned int c1 = CodeAt(a + i, &n1), c2 = CodeAt(b + i, &n2);
    if (n1 == 2 && i + 1 >= nBytes) c1 = a[i], c2 = b[i];
    if (n1 == 1) c1 = AsciiLower((unsigned char)c1);
    if (n2 == 1) c2 = AsciiLower((unsigned char)c2);
    if (c1 != c2) return c1 < c2 ? -1 : 1;
    if (c1 == 0) return 0;
    i += n1;
  }
  return 0;
}
size_t _mbsspn(const unsigned char* s, const unsigned char* set) {
  const unsigned char* p = s;
  while (*p) {
    int n;
    if (!InSet(CodeAt(p, &n), set)) break;
    p += n;
  }
  return (size_t)(p - s);
}
size_t _mbscspn(const unsigned char* s, const unsigned char* set) {
  const unsigned char* p = s;
  while (*p) {
    int n;
    if (InSet(CodeAt(p, &n), set)) break;
    p += n;
  }
  return (size_t)(p - s);
}
unsigned char* _mbspbrk(const unsigned char* s, const unsigned char* set) {
  size_t n = _mbscspn(s, set);
  return s[n] ? (unsigned char*)s + n : NULL;
}
unsigned char* _mbsupr(unsigned char* s) {
  AfxStrUpper((char*)s);
  return s;
}
unsigned char* _mbslwr(unsigned char* s) {
  AfxStrLower((char*)s);
  return s;
}
unsigned char* _mbsnbcpy(unsigned char* d, const unsigned char* s, size_t nBytes) {
  size_t i = 0;
  while (i < nBytes && s[i]) {
    if (AfxIsLeadByte(s[i]) && s[i + 1] != 0) {
      if (i + 1 >= nBytes) {  // never copy half a character
        d[i++] = 0;
        break;
      }
      d[i] = s[i];
      d[i + 1] = s[i + 1];
      i += 2;
    } else {
      d[i] = s[i];
      ++i;
    }
  }
  for (; i < nBytes; ++i) d[i] = 0;
  return d;
}
unsigned char* _mbscpy(unsigned char* d, const unsigned char* s) {
  return (unsigned char*)std::strcpy((char*)d, (const char*)s);
}
unsigned char* _mbscat(unsigned char* d, const unsigned char* s) {
  return (unsigned char*)std::strcat((char*)d, (const char*)s);
}
unsigned char* _mbstok(unsigned char* s, const unsigned char* delim) {
  static unsigned char* next = NULL;
  if (s == NULL) s = next;
  if (s == NULL) return NULL;
  s += _mbsspn(s, delim);
  if (*s == 0) {
    next = NULL;
    return NULL;
  }
  unsigned char* tok = s;
  s += _mbscspn(s, delim);
  if (*s) {
    int n;
    CodeAt(s, &n);
    for (int i = 0; i < n; ++i) s[i] = 0;
    next = s + n;
  } else {
    next = NULL;
  }
  return tok;
}
int _ismbblead(unsigned int c) { return AfxIsLeadByte((unsigned char)c) ? 1 : 0; }
int _ismbbtrail(unsigned int c) {
  unsigned char b = (unsigned char)c;
  return ((b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC)) ? 1 : 0;
}
int _ismbslead(const unsigned char* start, const unsigned char* p) {
  const unsigned char* q = start;
  while (q < p && *q) q = _mbsinc(q);
  return (q == p && *q && AfxIsLeadByte(*q) && q[1] != 0) ? -1 : 0;
}
int _ismbstrail(const unsigned char* start, const unsigned char* p) {
  const unsigned char* q = start;
  const unsigned char* prev = NULL;
  while (q < p && *q) prev = q, q = _mbsinc(q);
  return (q > p && prev != NULL && prev + 1 == p) ? -1 : 0;
}

#ifndef _WIN32

int lstrcmp(LPCSTR a, LPCSTR b) { return AfxStrCmp(a ? a : "", b ? b : ""); }
int lstrcmpi(LPCSTR a, LPCSTR b) { return AfxStrCmpNoCase(a ? a : "", b ? b : ""); }

// The C library's forms fold every byte, as the Windows run-time library does.
int _stricmp(const char* a, const char* b) {
  const unsigned char* p = (const unsigned char*)a;
  const unsigned char* q = (const unsigned char*)b;
  for (;; ++p, ++q) {
    int c1 = AsciiLower(*p), c2 = AsciiLower(*q);
    if (c1 != c2 || c1 == 0) return c1 - c2;
  }
}

int _strnicmp(const char* a, const char* b, size_t n) {
  const unsigned char* p = (const unsigned char*)a;
  const unsigned char* q = (const unsigned char*)b;
  for (; n; --n, ++p, ++q) {
    int c1 = AsciiLower(*p), c2 = AsciiLower(*q);
    if (c1 != c2 || c1 == 0) return c1 - c2;
  }
  return 0;
}

#endif  // !_WIN32
