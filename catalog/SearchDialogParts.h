// What the two search dialogs share: their drop-down histories, the folder check with its
// messages, the folder picker and the Ctrl+Tab page step.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include <vector>

// Fills a drop-down in history order (newest first) after an optional first entry.
void FillHistoryBox(CComboBox& box, const std::vector<CString>& history, const char* firstEntry = nullptr);

// OK's update of a box and its history: an entry equal to `text` (case aside) goes, and the
// history becomes the text followed by the box's entries (`noneEntry` left out). An entry
// that only begins with the text stays: "ab" must not drop "abc".
void UpdateHistoryBox(CComboBox& box, const CString& text, std::vector<CString>& history,
                      const char* noneEntry = nullptr);

// The folder rule of both dialogs with its two messages. `result` ends in "\".
bool CheckSearchFolder(const CString& text, CString& result);

// The system folder picker owned by the dialog; a chosen folder is added to the box and
// selected.
void BrowseSearchFolder(CWnd* dialog, CComboBox& box);

// The text of an editable drop-down, or of its selected entry while the selection is
// changing.
CString ComboText(CComboBox& box, bool selectionChanging = false);

// Ctrl+Tab: the next page, wrapping, with the focus on the tabs. TRUE when `msg` was it.
BOOL StepSearchPage(const MSG* msg, CTabCtrl& tabs, int& page);
