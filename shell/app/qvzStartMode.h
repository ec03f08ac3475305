// What a start of QVZ.exe asks for, read from its command line: the start mode of the first
// parameter, the document path check, and what a second start hands to the running one.
#pragma once

#include "afx.h"

enum qvzStartMode {
  qvzStartPlain,        // a new board through the start menu, or the document path given
  qvzStartHandOver,     // "B"/"b": a picture (and a template) handed over by another program
  qvzStartFloorPlan,    // "M"
  qvzStartPerspective,  // "T"
};

// Parameter 0 of the list, compared exactly.
qvzStartMode ChooseStartMode(const CString& strParam0);

// The document path of a start must name a board: its name part (after the last "\", "/" or
// ":") at least 4 characters long and ending in ".VQD" in any case.
BOOL IsBoardDocumentPath(LPCTSTR lpszPath);

// A template of the hand-over start: the last 4 characters, upper-cased, are ".TQF".
BOOL IsTemplatePath(const CString& strPath);

// The running instance's single-instance mapping: its name and layout.
#define QVZ_INSTANCE_MAPPING "_ZenboraVer1.0_"
#define QVZ_HANDOVER_PATH_SIZE 520
struct InstanceMappingBlock {
  unsigned int hWndMain;  // 32-bit handle of the running main window; 0 until its start ends
  char szPath[QVZ_HANDOVER_PATH_SIZE];
};
static_assert(sizeof(InstanceMappingBlock) == 524, "the mapping is 524 bytes");

// What a second start asks of the running one.
enum qvzHandOver {
  qvzHandOverNothing,      // only brought to the front
  qvzHandOverFloorPlan,    // command 32985
  qvzHandOverPerspective,  // command 32982
  qvzHandOverOpenPath,     // the path written into the mapping, then QVZM_OPENSHAREDPATH
  qvzHandOverPathTooLong,  // refused: the path and its NUL do not fit into the mapping
};
qvzHandOver ChooseHandOver(const CString& strParam0, const CString& strDocumentPath);
