// What the application's file commands share: the frame and its board, paths.
#pragma once

#include "afx.h"

class qvzMainFrame;
class qvzDocument;

qvzMainFrame* MainFrame();
qvzDocument* BoardDocument();
BOOL IsFolder(LPCTSTR lpszPath);
// The folder part of a path, without its last backslash; the path itself without one.
CString FolderOf(const CString& strPath);
// From the page list back to the editing view.
void SwitchToEditView();
void ClearViewSelection();
// The board saves automatically to the file the settings name.
void PassAutoSavePath(qvzDocument* pDoc);
