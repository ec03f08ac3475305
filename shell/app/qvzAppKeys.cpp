// Editing keys of the view's in-place text editor, routed before the accelerators see them.
#include <float.h>

#include "afxmbs.h"
#include "jvqView.h"
#include "qvzApp.h"
#include "qvzEditorKeys.h"

BOOL qvzApp::PreTranslateMessage(MSG* pMsg) {
  _fpreset();
  if (pMsg->message == WM_KEYDOWN) {
    jvqView* view = GetActiveBoardView();
    HWND hEditor = view && view->m_hWnd ? ::GetDlgItem(view->m_hWnd, QVZ_TEXT_EDITOR_ID) : NULL;
    if (hEditor != NULL && pMsg->hwnd == hEditor && ::IsWindowVisible(hEditor)) {
      const BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
      switch (RouteEditorKey(hEditor, (UINT)pMsg->wParam, bCtrl)) {
        case qvzEditorKeyConsumed:
          return TRUE;
        case qvzEditorKeyUntranslated:
          return FALSE;
        case qvzEditorKeyEscapeEmpty:
          view->SetFocus();
          break;
        default:
          break;
      }
    }
  }
  return CWinApp::PreTranslateMessage(pMsg);
}

// How many positions the character at pos takes: a CR LF pair or a double-byte character goes
// as one. Positions count bytes on a Japanese system and characters on some others (Wine's
// edit control): the end position tells which.
static DWORD CharacterLengthAt(HWND hEditor, DWORD pos) {
  const int bytes = ::GetWindowTextLengthA(hEditor);
  CString text;
  ::GetWindowTextA(hEditor, text.GetBuffer(bytes + 1), bytes + 1);
  text.ReleaseBuffer();
  DWORD start = 0, end = 0, last = 0;
  ::SendMessage(hEditor, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
  ::SendMessage(hEditor, EM_SETSEL, 0, -1);
  ::SendMessage(hEditor, EM_GETSEL, 0, (LPARAM)&last);
  ::SendMessage(hEditor, EM_SETSEL, start, end);
  if (pos >= last) return 0;
  const BOOL bBytes = (int)last == text.GetLength();
  // The byte offset of pos.
  int i = 0;
  for (DWORD n = 0; n < pos && i < text.GetLength(); n++) {
    const int step = AfxIsLeadByte((unsigned char)text[i]) && i + 1 < text.GetLength() ? 2 : 1;
    i += bBytes ? 1 : step;
  }
  if (i >= text.GetLength()) return 0;
  const unsigned char c = (unsigned char)text[i];
  if (c == '\r' && pos + 1 < last) return 2;
  if (AfxIsLeadByte(c) && i + 1 < text.GetLength()) return bBytes ? 2 : 1;
  return 1;
}

qvzEditorKey RouteEditorKey(HWND hEditor, UINT nKey, BOOL bCtrl) {
  if (nKey == VK_DELETE) {
    DWORD start = 0, end = 0;
    ::SendMessage(hEditor, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    if (start == end) {
      const DWORD len = CharacterLengthAt(hEditor, start);
      if (len == 0) return qvzEditorKeyConsumed;  // nothing after the caret
      ::SendMessage(hEditor, EM_SETSEL, start, start + len);
      ::SendMessage(hEditor, EM_SCROLLCARET, 0, 0);
    }
    ::SendMessage(hEditor, EM_REPLACESEL, TRUE, (LPARAM) "");
    return qvzEditorKeyConsumed;
  }
  if (bCtrl && (nKey == 'C' || nKey == 'V' || nKey == 'X')) {
    ::SendMessage(hEditor, nKey == 'C' ? WM_COPY : nKey == 'V' ? WM_PASTE : WM_CUT, 0, 0);
    return qvzEditorKeyConsumed;
  }
  if (bCtrl && nKey == 'A') {
    ::SendMessage(hEditor, EM_SETSEL, 0, -1);
    ::SendMessage(hEditor, EM_SCROLLCARET, 0, 0);
    return qvzEditorKeyConsumed;
  }
  if (nKey == VK_HOME) {
    DWORD start = 0;
    ::SendMessage(hEditor, EM_GETSEL, (WPARAM)&start, 0);
    const LRESULT line = ::SendMessage(hEditor, EM_LINEFROMCHAR, start, 0);
    const LRESULT first = ::SendMessage(hEditor, EM_LINEINDEX, line, 0);
    ::SendMessage(hEditor, EM_SETSEL, first, first);
    ::SendMessage(hEditor, EM_SCROLLCARET, 0, 0);
    return qvzEditorKeyConsumed;
  }
  if (nKey == VK_F2) return qvzEditorKeyUntranslated;
  if (nKey == VK_ESCAPE && ::GetWindowTextLength(hEditor) == 0) return qvzEditorKeyEscapeEmpty;
  return qvzEditorKeyStandard;
}
