// The edit control in which text is typed straight onto the page: shown over a text frame,
// it writes the text back into the frame when it loses the focus.
#pragma once

#include "afxwin.h"

#define ID_QVZ_TEXT_EDITOR 115

class jvqTextObject;
class jvqView;

// Reads the input method's unfinished composition of a window (at most cbBuffer - 1 bytes,
// terminated) and cancels it; the result is the length, 0 without one. Tests replace it.
typedef int (*qvzTakeCompositionProc)(HWND hWnd, char* pBuffer, int cbBuffer);
extern qvzTakeCompositionProc theTakeCompositionProc;
int qvzTakeComposition(HWND hWnd, char* pBuffer, int cbBuffer);

class qvzTextInPlaceEdit : public CEdit {
  DECLARE_DYNAMIC(qvzTextInPlaceEdit)
 public:
  qvzTextInPlaceEdit();
  ~qvzTextInPlaceEdit() override;

  // Made hidden as a child of the view.
  BOOL Create(jvqView* pView);
  // Mode 0: a frame just drawn; 1: an existing frame (already cloned for undo). x, y: the
  // click in 0.1 mm that places the caret.
  virtual void BeginEdit(jvqTextObject* pText, int nMode, int x, int y);
  // Ends a visible edit now (before a command that must see the text).
  void Commit();

  jvqTextObject* GetTextObject() const { return m_pText; }
  BOOL IsEditing() const { return m_hWnd && IsWindowVisible() && m_pText; }
  // Editing keys reach the editor before the frame's accelerators; Esc on an empty editor
  // ends the edit.
  BOOL PreTranslateMessage(MSG* pMsg) override;

  CFont m_Font;
  jvqTextObject* m_pText;
  COLORREF m_crBack;
  CBrush m_brBack;
  int m_bHasBack;
  int m_nMode;
  int m_x;
  int m_y;
  CString m_strAtFocus;
  jvqView* m_pView;

 protected:
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
  DECLARE_MESSAGE_MAP()

  void SetBackground(COLORREF cr, BOOL bFromFill);
};
