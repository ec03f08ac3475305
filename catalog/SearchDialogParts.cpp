#include "SearchDialogParts.h"

#include <shlobj.h>

#include "SearchRules.h"

void FillHistoryBox(CComboBox& box, const std::vector<CString>& history, const char* firstEntry)
{
    box.ResetContent();
    for (auto it = history.rbegin(); it != history.rend(); ++it)
        box.InsertString(0, *it);
    if (firstEntry)
        box.InsertString(0, firstEntry);
}

void UpdateHistoryBox(CComboBox& box, const CString& text, std::vector<CString>& history, const char* noneEntry)
{
    const int found = box.FindStringExact(-1, text);
    if (found >= 0)
        box.DeleteString(found);
    history.clear();
    history.push_back(text);
    for (int i = 0; i < box.GetCount(); ++i) {
        CString entry;
        box.GetLBText(i, entry);
        if (!noneEntry || entry != noneEntry)
            history.push_back(entry);
    }
    box.InsertString(noneEntry ? 1 : 0, text);
}

bool CheckSearchFolder(const CString& text, CString& result)
{
    CString check;
    bool isDrive = false;
    bool ok = NormaliseSearchFolder(text, check, result, isDrive);
    if (ok && isDrive)
        ok = (::GetLogicalDrives() >> (check[0] - 'A')) & 1;
    else if (ok) {
        const DWORD a = ::GetFileAttributes(check);
        ok = a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
    }
    if (!ok) {
        AfxMessageBox("入力されたフォルダが正しくありません。", MB_ICONEXCLAMATION);
        return false;
    }
    ULARGE_INTEGER free{}, total{}, totalFree{};
    if (!::GetDiskFreeSpaceEx(check.Left(3), &free, &total, &totalFree)) {
        AfxMessageBox("入力されたフォルダはディスクの準備ができていません。", MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

void BrowseSearchFolder(CWnd* dialog, CComboBox& box)
{
    BROWSEINFO bi{};
    bi.hwndOwner = dialog->GetSafeHwnd();
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN;
    LPITEMIDLIST idl = ::SHBrowseForFolder(&bi);
    if (!idl)
        return;
    char path[MAX_PATH] = {};
    const BOOL ok = ::SHGetPathFromIDList(idl, path);
    ::CoTaskMemFree(idl);
    if (ok && path[0])
        box.SetCurSel(box.InsertString(0, path));
}

CString ComboText(CComboBox& box, bool selectionChanging)
{
    CString text;
    const int sel = box.GetCurSel();
    if (selectionChanging && sel >= 0)
        box.GetLBText(sel, text);
    else
        box.GetWindowText(text);
    return text;
}

BOOL StepSearchPage(const MSG* msg, CTabCtrl& tabs, int& page)
{
    if (msg->message != WM_KEYDOWN || msg->wParam != VK_TAB || !(::GetKeyState(VK_CONTROL) & 0x8000) ||
        !tabs.GetSafeHwnd())
        return FALSE;
    const int count = tabs.GetItemCount();
    if (count <= 0)
        return FALSE;
    page = (page + 1) % count;
    tabs.SetCurSel(page);
    tabs.SetFocus();
    return TRUE;
}
