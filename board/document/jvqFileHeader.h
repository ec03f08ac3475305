// The head of a board document's "Contents" stream: signature, version, page count,
// template flag and the named text properties. Also the version context of every record.
#pragma once

#include <vector>

#include "afx.h"

class jvqDocument;
class jvqImagePool;
class CArchive;

#define JVQ_FILE_SIGNATURE "vask"
#define JVQ_VERSION_CURRENT 91530
#define JVQ_VERSION_CLIPBOARD 91100
#define JVQ_VERSION_POOL 91200
#define JVQ_VERSION_THUMBNAIL 91400

// The version a record is read or written at; records without a header are current.
class jvqFileHeader;
int jvqVersionOf(const jvqFileHeader* pHeader);

class jvqProperty {
 public:
  jvqProperty() {}
  jvqProperty(LPCTSTR lpszName, LPCTSTR lpszValue) : m_strName(lpszName), m_strValue(lpszValue) {}
  void Serialize(CArchive& ar);

  CString m_strName;
  CString m_strValue;
};

class jvqPropertyList {
 public:
  jvqPropertyList() : m_bOwns(TRUE) {}
  ~jvqPropertyList() { RemoveAll(); }
  int RemoveAll();
  int GetCount() const { return (int)m_items.size(); }
  jvqProperty* GetAt(int i) const { return m_items[i]; }

  BOOL m_bOwns;
  std::vector<jvqProperty*> m_items;
};

class jvqFileHeader : public CObject {
  DECLARE_SERIAL(jvqFileHeader)
 public:
  jvqFileHeader();
  virtual ~jvqFileHeader();

  virtual void Serialize(CArchive& ar);
  BOOL IsValid() const;
  LPCTSTR GetProperty(LPCTSTR lpszName) const;
  void SetProperty(LPCTSTR lpszName, LPCTSTR lpszValue);
  void AddProperty(LPCTSTR lpszName, LPCTSTR lpszValue);
  void RemoveGuideProperties();
  int GetVersion() const { return m_nVersion; }
  int GetTemplateFlag() const;
  void SetTemplateFlag(int nFlag);

  CString m_strSignature;
  int m_nVersion;
  int m_nPageCount;
  BYTE m_Template[40];
  BYTE m_Reserved[65];
  jvqPropertyList m_Properties;
  jvqDocument* m_pDocument;
  // The pool of the document being read or written: picture fills refer into it.
  jvqImagePool* m_pImagePool;
};

inline int jvqVersionOf(const jvqFileHeader* pHeader) { return pHeader ? pHeader->m_nVersion : JVQ_VERSION_CURRENT; }
