#include "qvzGuideProperties.h"

#include <cstdlib>
#include <cstring>

#include "jvqFileHeader.h"

void qvzWriteGuideProperties(jvqFileHeader* pHeader, LPCTSTR lpszPrefix, const std::vector<qvzGuideEntry>& guides) {
  for (size_t i = 0; i < guides.size(); i++) {
    CString name, value;
    name.Format("%s%d", lpszPrefix, (int)i);
    value.Format("%d/%d", guides[i].nPosition, guides[i].nPageIndex);
    pHeader->AddProperty(name, value);
  }
}

std::vector<qvzGuideEntry> qvzReadGuideProperties(const jvqFileHeader* pHeader, LPCTSTR lpszPrefix) {
  std::vector<qvzGuideEntry> out;
  for (int i = 0;; i++) {
    CString name;
    name.Format("%s%d", lpszPrefix, i);
    LPCTSTR value = pHeader->GetProperty(name);
    if (value == NULL || *value == 0) break;
    // Split at the last slash: the position left of it, the page index right of it.
    const char* slash = strrchr(value, '/');
    qvzGuideEntry e;
    e.nPosition = atoi(slash ? (LPCTSTR)CString(value, (int)(slash - value)) : value);
    e.nPageIndex = slash ? atoi(slash + 1) : 0;
    out.push_back(e);
  }
  return out;
}
