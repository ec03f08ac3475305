#include "CTokenString.h"

#include <string.h>

#include <string>

#include "afxfile.h"
#include "afxmbs.h"

CTokenString::CTokenString(const char* pszText) : m_strText(pszText ? pszText : "") {}

CTokenString::~CTokenString() = default;

void CTokenString::SetText(const char* pszText) {
  if (pszText) m_strText = pszText;
  m_tokens.clear();
}

const char* CTokenString::GetToken(int nIndex) const {
  if (nIndex == -1) return m_strText;
  if (nIndex < 0 || nIndex >= (int)m_tokens.size()) return NULL;
  return m_tokens[nIndex];
}

void CTokenString::Split(char chDelimiter) {
  const char* p = m_strText;
  if (!*p) return;
  std::string token;
  while (*p) {
    unsigned char c = (unsigned char)*p;
    if (AfxIsLeadByte(c)) {
      // A lead byte with its trail byte; a lead byte at the very end stays alone.
      token += *p++;
      if (*p) token += *p++;
    } else if (*p == chDelimiter) {
      m_tokens.emplace_back(token.c_str());
      token.clear();
      ++p;
    } else {
      token += *p++;
    }
  }
  if (!token.empty()) m_tokens.emplace_back(token.c_str());
}

int CTokenString::Replace(const char* pszFind, const char* pszReplacement) {
  // An empty pattern would match everywhere without moving on.
  if (!pszFind || !*pszFind) return 0;
  if (!pszReplacement) pszReplacement = "";
  const char* text = m_strText;
  const size_t nLength = strlen(text);
  const size_t nFind = strlen(pszFind);
  std::string result;
  result.reserve(nLength);
  int nCount = 0;
  size_t i = 0;
  while (i < nLength) {
    if (nLength - i >= nFind && memcmp(text + i, pszFind, nFind) == 0) {
      result += pszReplacement;
      ++nCount;
      i += nFind;
    } else {
      result += text[i++];
    }
  }
  m_strText = result.c_str();
  return nCount;
}

void CTokenString::RemoveChar(char chDrop) {
  const char* p = m_strText;
  std::string result;
  while (*p) {
    if (AfxIsLeadByte((unsigned char)*p)) {
      result += *p++;
      if (*p) result += *p++;
    } else {
      if (*p != chDrop) result += *p;
      ++p;
    }
  }
  m_strText = result.c_str();
}

BOOL CTokenString::ReadFile(const char* pszPath) {
  m_strText.Empty();
  CFile file;
  if (!pszPath || !file.Open(pszPath, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary)) return FALSE;
  std::string text;
  try {
    for (;;) {
      char buffer[1024] = {};
      UINT nRead = file.Read(buffer, 1023);
      if (nRead == 0) break;
      text.append(buffer, strnlen(buffer, nRead));
    }
    file.Close();
  } catch (CFileException* e) {
    e->Delete();
    m_strText = text.c_str();
    return FALSE;
  }
  m_strText = text.c_str();
  m_tokens.clear();
  return TRUE;
}

int CTokenString::ExpandTabs(int nWidth) {
  if (nWidth <= 0) return m_strText.GetLength();
  const char* p = m_strText;
  std::string result;
  int nColumn = 0;
  while (*p) {
    if (AfxIsLeadByte((unsigned char)*p)) {
      result += *p++;
      ++nColumn;
      if (*p) {
        result += *p++;
        ++nColumn;
      }
    } else if (*p == '\t') {
      int nSpaces = nWidth - nColumn % nWidth;
      result.append((size_t)nSpaces, ' ');
      nColumn += nSpaces;
      ++p;
    } else {
      result += *p++;
      ++nColumn;
    }
  }
  m_strText = result.c_str();
  return nColumn;
}
