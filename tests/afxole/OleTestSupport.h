// Shared by the OLE tests and the receiving process they start.
#pragma once

#include <string>

#include "afxole.h"

// The private format of the tests, registered by both processes under one name.
CLIPFORMAT TestPrivateFormat();
// A CF_HDROP block naming the files (wide names).
HGLOBAL MakeDropFiles(const std::wstring* pNames, int nCount);

// The receiving process: a window titled kDropTargetTitle that takes CF_HDROP, writes
// what a drop brought to the file and ends; it ends by itself after 30 s.
extern const char kDropTargetTitle[];
int RunDropTarget(const char* pszResultPath);

// The server side of the factory test: serves its one class until the object made is
// released; 0 when it served one.
int RunAutomationServer();
