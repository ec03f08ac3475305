// A Shift-JIS text and the tokens cut from it: splitting, byte-string replacement, removal
// of a byte, reading a whole text file and tab expansion, never breaking a double-byte
// character.
#pragma once

#include "afx.h"

#include <vector>

class CTokenString {
 public:
  explicit CTokenString(const char* pszText = NULL);
  virtual ~CTokenString();

  // Replaces the text (a null text leaves it) and drops every token.
  void SetText(const char* pszText);
  const char* GetText() const { return m_strText; }
  int GetLength() const { return m_strText.GetLength(); }

  // -1: the whole text; 0 .. count - 1: that token; anything else: NULL.
  const char* GetToken(int nIndex) const;
  int GetTokenCount() const { return (int)m_tokens.size(); }

  // Appends the pieces between delimiters to the token list (which is not emptied first).
  void Split(char chDelimiter);
  // Every occurrence of pszFind, left to right, not rescanned; the number replaced.
  int Replace(const char* pszFind, const char* pszReplacement);
  // Drops every chDrop byte that is not the trail byte of a double-byte character.
  void RemoveChar(char chDrop);
  // The whole file as the text (up to each chunk's first NUL); FALSE when it cannot be read.
  BOOL ReadFile(const char* pszPath);
  // Tabs to spaces up to the next multiple of nWidth; the final column.
  int ExpandTabs(int nWidth);

 private:
  CTokenString(const CTokenString&) = delete;
  CTokenString& operator=(const CTokenString&) = delete;

  CString m_strText;
  std::vector<CString> m_tokens;
};
