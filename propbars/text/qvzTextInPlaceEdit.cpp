#include "qvzTextInPlaceEdit.h"

#include <imm.h>

#include "jvqLineTextObject.h"
#include "jvqPage.h"
#include "jvqSolidFill.h"
#include "jvqTextObject.h"
#include "jvqUndoManager.h"
#include "jvqView.h"
#include "jvqViewHost.h"
#include "qvzView.h"

int qvzTakeComposition(HWND hWnd, char* pBuffer, int cbBuffer) {
  pBuffer[0] = 0;
  HIMC himc = ::ImmGetContext(hWnd);
  if (!himc) return 0;
  LONG n = ::ImmGetCompositionStringA(himc, GCS_COMPSTR, pBuffer, cbBuffer - 1);
  if (n < 0) n = 0;
  if (n > cbBuffer - 1) n = cbBuffer - 1;
  pBuffer[n] = 0;
  ::ImmNotifyIME(himc, NI_COMPOSITIONSTR, CPS_CANCEL, 0);
  ::ImmReleaseContext(hWnd, himc);
  return (int)n;
}

qvzTakeCompositionProc theTakeCompositionProc = qvzTakeComposition;

static void SetImeOpen(HWND hWnd, BOOL bOpen) {
  HIMC himc = ::ImmGetContext(hWnd);
  if (!himc) return;
  ::ImmSetOpenStatus(himc, bOpen);
  ::ImmReleaseContext(hWnd, himc);
}

IMPLEMENT_DYNAMIC(qvzTextInPlaceEdit, CEdit)

BEGIN_MESSAGE_MAP(qvzTextInPlaceEdit, CEdit)
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_SETCURSOR()
  ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

qvzTextInPlaceEdit::qvzTextInPlaceEdit()
    : m_pText(NULL), m_crBack(RGB(255, 255, 255)), m_bHasBack(0), m_nMode(0), m_x(0), m_y(0), m_pView(NULL) {
  m_brBack.CreateSolidBrush(RGB(255, 255, 255));
}

qvzTextInPlaceEdit::~qvzTextInPlaceEdit() {}

BOOL qvzTextInPlaceEdit::Create(jvqView* pView) {
  m_pView = pView;
  const RECT r = {0, 0, 10, 10};
  return CEdit::Create(WS_CHILD | WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, r, pView,
                       ID_QVZ_TEXT_EDITOR);
}

void qvzTextInPlaceEdit::SetBackground(COLORREF cr, BOOL bFromFill) {
  m_brBack.DeleteObject();
  m_brBack.CreateSolidBrush(cr);
  if (bFromFill) m_crBack = cr;
  m_bHasBack = bFromFill ? 1 : 0;
}

void qvzTextInPlaceEdit::BeginEdit(jvqTextObject* pText, int nMode, int x, int y) {
  m_nMode = nMode;
  m_x = x;
  m_y = y;
  m_pText = pText;
  jvqTextFill* fill = pText->GetTextFill();
  SetWindowText(fill ? (LPCTSTR)fill->m_strText : "");

  // The face's full description from a 10-point font, then the frame's size at the zoom.
  LOGFONT lf = {};
  CFont probe;
  probe.CreatePointFont(100, fill ? (LPCTSTR)fill->m_strFace : "");
  probe.GetLogFont(&lf);
  probe.DeleteObject();
  if (fill) {
    CDC screen;
    screen.CreateDC("DISPLAY", NULL, NULL, NULL);
    SIZE size = {fill->m_Attributes.charWidth * 10, fill->m_Attributes.charHeight * 10};
    screen.HIMETRICtoDP(&size);
    int zoom = m_pView ? m_pView->m_Mapping.GetZoomPercent() : 100;
    if (zoom < 1) zoom = 1;
    lf.lfHeight = -(size.cy * zoom / 100);
    lf.lfWidth = 0;
    const int style = fill->m_Attributes.style;
    lf.lfWeight = style == 3 || style == 4 ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = style == 2 || style == 4;
  }
  m_Font.DeleteObject();
  m_Font.CreateFontIndirect(&lf);
  SendMessage(WM_SETFONT, (WPARAM)m_Font.GetSafeHandle(), TRUE);

  // Solid frames are edited on their colour, anything else on white; a leader text's
  // fill shows through its frame, so the editor takes that.
  jvqFill* own = pText->GetFill();
  if (own && (own->GetFlags() & FILL_SOLID))
    SetBackground(((jvqSolidFill*)own)->GetColor(), TRUE);
  else
    SetBackground(RGB(255, 255, 255), FALSE);
  jvqObject* parent = pText->m_pParent;
  if (parent && parent->GetClassCode() == JVQ_OBJ_LINETEXT) {
    jvqFill* pf = parent->GetFill();
    if (pf && (pf->GetFlags() & FILL_SOLID)) SetBackground(((jvqSolidFill*)pf)->GetColor(), TRUE);
  }
}

void qvzTextInPlaceEdit::OnSetFocus(CWnd* pOldWnd) {
  CEdit::OnSetFocus(pOldWnd);
  SetImeOpen(m_hWnd, TRUE);
  if (m_nMode == 1) {
    GetWindowText(m_strAtFocus);
    int at = 0;
    if (!m_strAtFocus.IsEmpty() && m_pText) {
      at = m_pText->GetCharIndexAt(m_x, m_y);
      if (at < 0) at = 0;
    }
    SetSel(at, at);
    SendMessage(EM_SCROLLCARET, 0, 0);
  }
  jvqGetViewHost()->EnablePropertyBar(FALSE);
}

void qvzTextInPlaceEdit::Commit() {
  if (IsEditing() && ::GetFocus() == m_hWnd && m_pView) m_pView->SetFocus();
}

void qvzTextInPlaceEdit::OnKillFocus(CWnd* pNewWnd) {
  char composition[2048] = "";
  if (IsWindowVisible() && m_pText && theTakeCompositionProc(m_hWnd, composition, sizeof composition) > 0) {
    // An edit control that shows the composition inside its own text (Wine's does) drops it
    // first: the composition is kept once, where it was being typed.
    DefWindowProc(WM_IME_ENDCOMPOSITION, 0, 0);
    ReplaceSel(composition);
  }
  CEdit::OnKillFocus(pNewWnd);
  if (!IsWindowVisible()) return;
  ShowWindow(SW_HIDE);
  jvqView* view = m_pView;
  if (m_pText) {
    CString text;
    GetWindowText(text);
    jvqTextObject* frame = m_pText;
    frame->SetText(text);
    jvqObject* parent = frame->m_pParent;
    // Any change re-lays the frame out, a shorter text too, and a leader text follows it.
    if (m_nMode == 0 || text != m_strAtFocus) {
      frame->RecalcLayout();
      if (m_nMode == 1 && parent && parent->GetClassCode() == JVQ_OBJ_LINETEXT) parent->Recalc();
    }
    frame->m_dwState |= JVQ_STATE_SELECTED;
    if (view) view->OnSelect(frame);
    if (text.IsEmpty() && m_nMode == 0 && parent && (parent->GetClassCode() & JVQ_OBJ_GROUP) == JVQ_OBJ_GROUP &&
        parent->GetClassCode() != JVQ_OBJ_LINETEXT) {
      // A new frame left empty goes without a trace, whatever group holds it.
      ((jvqGroupObject*)parent)->RemoveChild(frame, TRUE);
      m_pText = NULL;
    } else if (text.IsEmpty() && m_nMode == 1 && parent && parent->GetClassCode() == JVQ_OBJ_PAGE) {
      theUndoManager.BeginStep();
      theUndoManager.RecordRemoved(frame);
      theUndoManager.EndStep();
      frame->m_dwState &= ~(JVQ_STATE_ALIVE | JVQ_STATE_SELECTED);
      if (view) {
        view->SetModifiedFlag(TRUE);
        view->SyncOleItems();
        view->Redraw();
      }
    } else if (m_nMode == 0) {
      theUndoManager.RecordAdded(frame);
      thePendingSelection1 = frame;
    }
  }
  SetImeOpen(m_hWnd, FALSE);
  if (view) view->Redraw();
  jvqGetViewHost()->UpdateCurrentBar();
  thePendingSelection2 = m_pText;
}

BOOL qvzTextInPlaceEdit::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message != WM_KEYDOWN || pMsg->hwnd != m_hWnd) return CEdit::PreTranslateMessage(pMsg);
  const UINT key = (UINT)pMsg->wParam;
  if (key == VK_ESCAPE) {
    if (GetWindowTextLength() == 0 && m_pView) m_pView->SetFocus();
    return TRUE;
  }
  const BOOL ctrl = ::GetKeyState(VK_CONTROL) < 0;
  // Undo, copy, paste and cut while typing act on the typed text, not on the board.
  if (ctrl && (key == 'Z' || key == 'C' || key == 'V' || key == 'X')) {
    if (key == 'Z') Undo();
    if (key == 'C') Copy();
    if (key == 'V') Paste();
    if (key == 'X') Cut();
    return TRUE;
  }
  if (key == VK_DELETE) {
    ::TranslateMessage(pMsg);
    ::DispatchMessage(pMsg);
    return TRUE;
  }
  return CEdit::PreTranslateMessage(pMsg);
}

BOOL qvzTextInPlaceEdit::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (nHitTest == HTCLIENT) {
    ::SetCursor(::LoadCursor(NULL, IDC_IBEAM));
    return TRUE;
  }
  return CEdit::OnSetCursor(pWnd, nHitTest, message);
}

HBRUSH qvzTextInPlaceEdit::CtlColor(CDC* pDC, UINT nCtlColor) {
  if (m_pText && m_pText->GetTextFill()) pDC->SetTextColor(m_pText->GetTextFill()->m_crText);
  if (m_bHasBack) pDC->SetBkColor(m_crBack);
  return (HBRUSH)m_brBack.GetSafeHandle();
}
