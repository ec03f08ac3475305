#include "jvqFileHeader.h"

#include <cstdint>
#include <cstring>

#include "afxarch.h"
#include "afxmbs.h"
#include "jvqRecordIO.h"

IMPLEMENT_SERIAL(jvqFileHeader, CObject, 1)

int jvqPropertyList::RemoveAll() {
  if (m_bOwns)
    for (jvqProperty* p : m_items) delete p;
  m_items.clear();
  return 1;
}

void jvqProperty::Serialize(CArchive& ar) {
  if (ar.IsStoring())
    ar << m_strName << m_strValue;
  else
    ar >> m_strName >> m_strValue;
  ar.Flush();
}

jvqFileHeader::jvqFileHeader()
    : m_strSignature(JVQ_FILE_SIGNATURE), m_nVersion(JVQ_VERSION_CURRENT), m_nPageCount(0), m_pDocument(NULL), m_pImagePool(NULL) {
  memset(m_Template, 0, sizeof(m_Template));
  memset(m_Reserved, 0, sizeof(m_Reserved));
}

jvqFileHeader::~jvqFileHeader() {}

BOOL jvqFileHeader::IsValid() const { return m_strSignature == JVQ_FILE_SIGNATURE; }

int jvqFileHeader::GetTemplateFlag() const {
  int32_t v;
  memcpy(&v, m_Template, 4);
  return v;
}

void jvqFileHeader::SetTemplateFlag(int nFlag) {
  int32_t v = nFlag;
  memcpy(m_Template, &v, 4);
}

LPCTSTR jvqFileHeader::GetProperty(LPCTSTR lpszName) const {
  for (jvqProperty* p : m_Properties.m_items)
    if (_mbscmp((const unsigned char*)(LPCTSTR)p->m_strName, (const unsigned char*)lpszName) == 0)
      return p->m_strValue;
  return NULL;
}

void jvqFileHeader::SetProperty(LPCTSTR lpszName, LPCTSTR lpszValue) {
  for (jvqProperty* p : m_Properties.m_items)
    if (_mbscmp((const unsigned char*)(LPCTSTR)p->m_strName, (const unsigned char*)lpszName) == 0) {
      p->m_strValue = lpszValue;
      return;
    }
  AddProperty(lpszName, lpszValue);
}

void jvqFileHeader::AddProperty(LPCTSTR lpszName, LPCTSTR lpszValue) {
  m_Properties.m_items.push_back(new jvqProperty(lpszName, lpszValue));
}

void jvqFileHeader::RemoveGuideProperties() {
  auto& v = m_Properties.m_items;
  for (int i = (int)v.size() - 1; i >= 0; i--) {
    if (strncmp(v[i]->m_strName, "Guide", 5) != 0) continue;
    delete v[i];
    v.erase(v.begin() + i);
  }
}

void jvqFileHeader::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << m_strSignature << (LONG)m_nVersion << (LONG)m_nPageCount;
    ar.Write(m_Template, sizeof(m_Template));
    ar.Write(m_Reserved, sizeof(m_Reserved));
    ar.Flush();
    ar << (LONG)m_Properties.GetCount();
    for (jvqProperty* p : m_Properties.m_items) p->Serialize(ar);
    ar.Flush();
    return;
  }
  LONG nVersion = 0, nPages = 0;
  ar >> m_strSignature >> nVersion >> nPages;
  m_nVersion = nVersion;
  m_nPageCount = nPages;
  if (!IsValid()) return;
  if (ar.Read(m_Template, sizeof(m_Template)) != sizeof(m_Template) ||
      ar.Read(m_Reserved, sizeof(m_Reserved)) != sizeof(m_Reserved))
    AfxThrowArchiveException(CArchiveException::endOfFile);
  m_Properties.RemoveAll();
  LONG n = 0;
  ar >> n;
  ar.Flush();
  // Each property needs two length bytes at least.
  if (n < 0 || (DWORD)n > jvqBytesLeft(ar.GetFile()) / 2) AfxThrowArchiveException(CArchiveException::badIndex);
  for (LONG i = 0; i < n; i++) {
    jvqProperty* p = new jvqProperty;
    try {
      p->Serialize(ar);
    } catch (...) {
      delete p;
      throw;
    }
    m_Properties.m_items.push_back(p);
  }
}
