// The guides of the two rulers as header properties "GuideH0", "GuideH1", ... and
// "GuideV0", ...: each "position/page index", the page counted among the alive pages.
#pragma once

#include <vector>

#include "afx.h"

class jvqFileHeader;

struct qvzGuideEntry {
  int nPosition;
  int nPageIndex;
};

// Adds one property per guide under the prefix ("GuideH" or "GuideV").
void qvzWriteGuideProperties(jvqFileHeader* pHeader, LPCTSTR lpszPrefix, const std::vector<qvzGuideEntry>& guides);
// The guides stored under the prefix, up to the first missing or empty index.
std::vector<qvzGuideEntry> qvzReadGuideProperties(const jvqFileHeader* pHeader, LPCTSTR lpszPrefix);
