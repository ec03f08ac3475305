// Previews of board files for the template sheet and the open dialog: the stored thumbnail
// and a few lines about the board, read without opening it in the editor.
#pragma once

#include "afx.h"

class CDib;
class jvqFileHeader;
class jvqPage;

enum PreviewTextForm { PREVIEW_TEXT_TEMPLATE, PREVIEW_TEXT_SAMPLE, PREVIEW_TEXT_BOARD };

// The picture (the caller's) or NULL, in which case the description is left as it was.
CDib* ReadBoardFilePreview(LPCTSTR lpszPath, PreviewTextForm form, CString& strDescription);
CDib* ReadPreviewFromStorage(LPCTSTR lpszPath, PreviewTextForm form, CString& strDescription);
CDib* RenderPagePreview(jvqPage* pPage, int nWidth, int nHeight);
void DescribeTemplateFile(LPCTSTR lpszName, const jvqFileHeader* pHeader, CString& strDescription);
void DescribeBoardFile(const jvqFileHeader* pHeader, CString& strDescription);
