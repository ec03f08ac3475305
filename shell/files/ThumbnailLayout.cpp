#include "ThumbnailLayout.h"

#include <vector>

#include "afxmbs.h"

RECT ThumbnailCellRect(int n, int nTopRow) {
  const int column = n % THUMBNAIL_COLUMNS;
  int row = n / THUMBNAIL_COLUMNS - nTopRow;
  if (row > THUMBNAIL_PARK_ROWS) row = THUMBNAIL_PARK_ROWS;
  if (row < -THUMBNAIL_PARK_ROWS) row = -THUMBNAIL_PARK_ROWS;
  RECT r = {column * 112 + 2, row * THUMBNAIL_ROW_HEIGHT, column * 112 + 112, row * THUMBNAIL_ROW_HEIGHT + 142};
  return r;
}

RECT ThumbnailPictureRect(int w, int h) {
  RECT r = {0, 0, 0, 0};
  if (w <= 0 || h <= 0) return r;
  int x, y;
  if (w > THUMBNAIL_BOX || h > THUMBNAIL_BOX) {
    if (w > h) {
      h = (int)((long long)h * THUMBNAIL_BOX / w);
      w = THUMBNAIL_BOX;
      x = 2;
      y = (THUMBNAIL_BOX - h) / 2 + 6;
    } else {
      w = (int)((long long)w * THUMBNAIL_BOX / h);
      h = THUMBNAIL_BOX;
      x = (THUMBNAIL_BOX - w) / 2 + 2;
      y = 6;
    }
  } else {
    x = w == THUMBNAIL_BOX ? 2 : (THUMBNAIL_BOX - w) / 2;
    y = h == THUMBNAIL_BOX ? 6 : (THUMBNAIL_BOX - h) / 2;
  }
  r = {x, y, x + w, y + h};
  return r;
}

int ThumbnailScrollTarget(UINT nCode, int nPos, int nMin, int nMax, UINT nLastCode, int nLastTrack) {
  switch (nCode) {
    case SB_LINEUP:
    case SB_PAGEUP:
      return nPos > nMin ? nPos - 1 : nPos;
    case SB_LINEDOWN:
    case SB_PAGEDOWN:
      return nPos < nMax ? nPos + 1 : nPos;
    case SB_TOP:
      return nMin;
    case SB_BOTTOM:
      return nMax;
    case SB_ENDSCROLL:
      if (nLastCode == SB_THUMBPOSITION || nLastCode == SB_THUMBTRACK) return nLastTrack;
      return nPos;
    default:
      return nPos;
  }
}

int ThumbnailKeyTarget(UINT nVirtKey, int i, int n) {
  int target;
  switch (nVirtKey) {
    case VK_LEFT: target = i - 1; break;
    case VK_RIGHT: target = i + 1; break;
    case VK_UP:
    case VK_PRIOR: target = i - THUMBNAIL_COLUMNS; break;
    case VK_DOWN:
    case VK_NEXT: target = i + THUMBNAIL_COLUMNS; break;
    case VK_HOME: target = 0; break;
    case VK_END: target = n - 1; break;
    default: return -2;
  }
  return target >= 0 && target < n ? target : -1;
}

// Upper-cased single-byte letters; double-byte characters stay as they are.
static CString UpperWhole(const CString& s) {
  CString out;
  for (int i = 0; i < s.GetLength(); i++) {
    const unsigned char c = (unsigned char)s[i];
    if (AfxIsLeadByte(c) && i + 1 < s.GetLength()) {
      out += (char)c;
      out += s[++i];
    } else {
      out += (char)(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }
  }
  return out;
}

BOOL MatchesPictureFilter(int nIndex, LPCTSTR lpszFilter, LPCTSTR lpszExt) {
  if (lpszFilter == NULL || lpszExt == NULL || nIndex < 1) return FALSE;
  // Pairs "description|pattern|"; the pattern of pair nIndex is field 2 * nIndex - 1.
  CString filter = lpszFilter;
  int field = 0, start = 0;
  CString pattern;
  BOOL found = FALSE;
  for (int i = 0; i <= filter.GetLength(); i++) {
    if (i < filter.GetLength() && filter[i] != '|') continue;
    if (field == 2 * nIndex - 1) {
      pattern = filter.Mid(start, i - start);
      found = TRUE;
      break;
    }
    field++;
    start = i + 1;
  }
  if (!found) return FALSE;
  if (pattern.GetLength() > 99) pattern = pattern.Left(99);
  const CString ext = UpperWhole(lpszExt);
  int from = 0;
  while (from <= pattern.GetLength()) {
    int semi = pattern.Find(';', from);
    if (semi < 0) semi = pattern.GetLength();
    CString one = pattern.Mid(from, semi - from);
    if (one.GetLength() >= 4 && UpperWhole(one.Right(4)) == ext) return TRUE;
    from = semi + 1;
  }
  return FALSE;
}

CString PictureExtension(const CString& strName) {
  return strName.GetLength() >= 4 ? strName.Right(4) : strName;
}

void SortPictureNames(CStringArray& names) {
  for (INT_PTR i = 1; i < names.GetSize(); i++) {
    const CString name = names[i];
    INT_PTR j = 0;
    while (j < i && name.CompareNoCase(names[j]) > 0) j++;
    for (INT_PTR k = i; k > j; k--) names[k] = names[k - 1];
    names[j] = name;
  }
}

CString ShortenThumbnailName(const CString& strName, const std::function<BOOL(const CString&)>& fits) {
  if (fits(strName)) return strName;
  // Where each whole character starts, so a cut never splits a double-byte character.
  std::vector<int> starts;
  for (int i = 0; i < strName.GetLength(); i++) {
    starts.push_back(i);
    if (AfxIsLeadByte((unsigned char)strName[i]) && i + 1 < strName.GetLength()) i++;
  }
  for (size_t k = starts.size() - 1; k > 0; k--) {
    CString s = strName.Left(starts[k]) + "...";
    if (fits(s)) return s;
  }
  return "...";
}

CString ThumbnailFolder(const CString& strFolder) {
  const int n = strFolder.GetLength();
  if (n == 0 || strFolder[n - 1] != '\\') return strFolder;
  // The backslash byte may be the second half of a double-byte character.
  for (int i = 0; i < n; i++) {
    if (AfxIsLeadByte((unsigned char)strFolder[i]) && i + 1 < n) {
      if (i + 1 == n - 1) return strFolder;
      i++;
    }
  }
  return strFolder.Left(n - 1);
}
