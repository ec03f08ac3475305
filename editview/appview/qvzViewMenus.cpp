// The application view's right-button menus with their favourites submenu, the double
// click, the start of in-place text editing, the text and title edit commands and the
// tool tips of selection handles.
#include "jvqBalloonObject.h"
#include "jvqBannerFill.h"
#include "jvqHandleObject.h"
#include "jvqLineTextObject.h"
#include "jvqPage.h"
#include "jvqPolylineObject.h"
#include "jvqSelectTool.h"
#include "jvqTextObject.h"
#include "jvqUndoManager.h"
#include "jvqViewHost.h"
#include "qvzView.h"

qvzPopupMenuProc theViewPopupMenuProc = NULL;

static BOOL IsVertexMarker(jvqObject* o) {
  return o && (o->GetClassCode() & JVQ_OBJ_HANDLE) && ((DWORD)o->GetClassCode() & JVQ_HANDLE_VERTEX);
}

// A vertex that may go: of a plain polyline with more than two points, or of a line text
// with three or more markers.
static BOOL IsDeletableVertex(jvqObject* marker) {
  jvqObject* owner = IsVertexMarker(marker) ? marker->m_pParent : NULL;
  if (owner == NULL) return FALSE;
  if (owner->GetClassCode() == JVQ_OBJ_POLYLINE) return owner->GetPointCount() > 2;
  if (owner->GetClassCode() == JVQ_OBJ_LINETEXT) return owner->m_VertexMarkers.GetCount() >= 3;
  return FALSE;
}

UINT qvzView::ChooseContextMenu(CPoint point) {
  UINT menu = CountUnlockedSelected() >= 2 ? QVZ_MENU_MULTI : QVZ_MENU_SINGLE;
  jvqPage* page = GetCurrentPage();
  POINT pt = point;
  PointToLogical(&pt, &pt);
  jvqObject* hit = page ? page->HitTest(&pt) : NULL;
  if (IsDeletableVertex(hit)) {
    m_pVertexMarker = hit;
    return QVZ_MENU_VERTEX;
  }
  if (!IsVertexMarker(hit) && m_pTool && m_pTool->m_nToolId == TOOLID_VERTEX_EDIT) {
    SwitchToSelectTool();
    RefreshBar();
    Redraw();
    return 0;
  }
  return menu;
}

void qvzView::FillFavoritesMenu(CMenu* pPopup) {
  CMenu* sub = NULL;
  for (int i = 0; i < (int)pPopup->GetMenuItemCount() && sub == NULL; i++) {
    CString text;
    pPopup->GetMenuString(i, text, MF_BYPOSITION);
    if (text.Find("お気に入りの登録") >= 0) sub = pPopup->GetSubMenu(i);
  }
  if (sub == NULL) return;
  ReloadFavoriteCategories();
  // At most 99 categories: the id of the last item must stay below the move commands.
  int n = 0;
  POSITION pos = m_FavoriteCategories.GetHeadPosition();
  while (pos && n < QVZ_MAX_FAVORITE_CATEGORIES) {
    const CString name = m_FavoriteCategories.GetNext(pos);
    sub->AppendMenu(MF_STRING, QVZ_FAVORITE_REGISTER_FIRST + n++, name);
  }
  if (n > 0) sub->AppendMenu(MF_SEPARATOR, 0, (LPCTSTR)NULL);
  sub->AppendMenu(MF_STRING, QVZ_FAVORITE_REGISTER_FIRST + n, "分類を作成し追加...");
  sub->DeleteMenu(QVZ_FAVORITE_PLACEHOLDER, MF_BYCOMMAND);
}

int qvzView::ListedFavoriteCategories() const {
  const int n = (int)m_FavoriteCategories.GetCount();
  return n < QVZ_MAX_FAVORITE_CATEGORIES ? n : QVZ_MAX_FAVORITE_CATEGORIES;
}

void qvzView::ShowContextMenu(CPoint point) {
  const UINT id = ChooseContextMenu(point);
  if (id == 0) return;
  CMenu menu;
  if (!menu.LoadMenu(id)) return;
  CMenu* popup = menu.GetSubMenu(0);
  if (popup == NULL) return;
  FillFavoritesMenu(popup);
  POINT screen = point;
  ClientToScreen(&screen);
  if (theViewPopupMenuProc) theViewPopupMenuProc(popup, id, screen);
  else popup->TrackPopupMenu(TPM_RIGHTBUTTON, screen.x, screen.y, GetMainFrame() ? (CWnd*)GetMainFrame() : this);
  RefreshBar();
}

// The double click and in-place editing.

BOOL qvzView::IsTextEditing() const { return m_pEditor && m_pEditor->m_hWnd && m_pEditor->IsWindowVisible(); }

void qvzView::OnLButtonDblClk(UINT nFlags, CPoint point) {
  jvqView::OnLButtonDblClk(nFlags, point);
  if (m_pTool && m_pTool->m_nToolId == TOOLID_ZOOM) {
    Redraw();
    return;
  }
  // A polygon or polyline that threw away a shape of no size stays current for the next one.
  const int id = m_pTool ? m_pTool->m_nToolId : 0;
  if ((id == TOOLID_POLYGON || id == TOOLID_POLYLINE) && !m_pTool->m_bDone) return;
  SwitchToSelectTool();
  UpdateBar();
  Redraw();
  if (m_hWnd) SetFocus();
  jvqPage* page = GetCurrentPage();
  POINT pt = point;
  PointToLogical(&pt, &pt);
  jvqObject* hit = page ? page->HitTest(&pt) : NULL;
  if (hit == NULL || (hit->GetState() & JVQ_STATE_LOCKED)) return;
  const int code = hit->GetClassCode();
  if (code == JVQ_OBJ_TEXT || code == JVQ_OBJ_LINETEXT || code == JVQ_OBJ_BALLOON) {
    if (BeginInPlaceEdit(point.x, point.y, hit)) theInPlaceEditStarted = 1;
  } else if (code == JVQ_OBJ_BANNER) {
    EditTitle(hit);
  }
}

BOOL qvzView::BeginInPlaceEdit(int x, int y, jvqObject* pObject) {
  jvqPage* page = GetCurrentPage();
  if (page == NULL || pObject == NULL) return FALSE;
  const int code = pObject->GetClassCode();
  if (code != JVQ_OBJ_TEXT && code != JVQ_OBJ_LINETEXT && code != JVQ_OBJ_BALLOON) return FALSE;
  jvqObject* replacement = pObject->Clone();
  if (replacement == NULL) return FALSE;
  // The editor works on the replacement's own text, so what it types stays in the document.
  jvqObject* text = replacement;
  if (code == JVQ_OBJ_LINETEXT) text = ((jvqLineTextObject*)replacement)->m_pFrame;
  else if (code == JVQ_OBJ_BALLOON) text = ((jvqBalloonObject*)replacement)->GetText();
  theUndoManager.BeginStep();
  theUndoManager.RecordRemoved(pObject);
  const int at = page->FindChild(pObject);
  theUndoManager.RecordAdded(replacement);
  page->InsertChild(at, replacement);
  pObject->m_dwState &= ~JVQ_STATE_ALIVE;
  if (m_pEditor && text) {
    POINT pt = {x, y};
    PointToLogical(&pt, &pt);
    jvqGetViewHost()->BeginTextEditor(m_pEditor, text, 1, pt);
    RECT rc;
    text->GetBoundRect(&rc);
    RectToDevice(&rc);
    if (m_pEditor->m_hWnd) {
      m_pEditor->MoveWindow(&rc, TRUE);
      m_pEditor->ShowWindow(SW_SHOW);
      m_pEditor->SetFocus();
    }
  }
  theUndoManager.EndStep();
  return TRUE;
}

void qvzView::OnTextEdit() {
  jvqObject* found = NULL;
  int n = 0;
  for (int i = 0; i < GetSelectedCount(); i++) {
    jvqObject* o = GetSelectedObject(i);
    if (o->GetClassCode() == JVQ_OBJ_TEXT || o->GetClassCode() == JVQ_OBJ_LINETEXT) {
      found = o;
      n++;
    }
  }
  if (n == 1) BeginInPlaceEdit(0, 0, found);
}

void qvzView::OnUpdateTextEdit(CCmdUI* pCmdUI) {
  int n = 0;
  for (int i = 0; i < GetSelectedCount(); i++) {
    const int code = GetSelectedObject(i)->GetClassCode();
    n += code == JVQ_OBJ_TEXT || code == JVQ_OBJ_LINETEXT;
  }
  pCmdUI->Enable(n == 1);
}

void qvzView::OnTitleEdit() {
  for (int i = 0; i < GetSelectedCount(); i++)
    if (GetSelectedObject(i)->GetClassCode() == JVQ_OBJ_BANNER) {
      EditTitle(GetSelectedObject(i));
      return;
    }
}

void qvzView::OnUpdateTitleEdit(CCmdUI* pCmdUI) {
  int n = 0;
  for (int i = 0; i < GetSelectedCount(); i++) n += GetSelectedObject(i)->GetClassCode() == JVQ_OBJ_BANNER;
  pCmdUI->Enable(n == 1);
}

void qvzView::EditTitle(jvqObject* pTitle) {
  jvqBannerFill* fill = pTitle ? dynamic_cast<jvqBannerFill*>(pTitle->GetFill()) : NULL;
  jvqBannerStyle style;
  if (fill) style.Assign(fill->m_Style);
  ::ReleaseCapture();
  BOOL bLocked = (pTitle->GetState() & JVQ_STATE_LOCKED) != 0;
  if (!jvqGetViewHost()->EditTitleStyle(&style, &bLocked)) return;
  jvqObjectArray sel;
  sel.m_bOwns = FALSE;
  for (int i = 0; i < GetSelectedCount(); i++) sel.Add(GetSelectedObject(i));
  if (sel.GetCount() == 0) sel.Add(pTitle);
  theUndoManager.BeginEditSelection(sel);
  for (jvqObject* c : sel.m_items) {
    if (c->GetClassCode() == JVQ_OBJ_BANNER) c->SetFill(new jvqBannerFill(&style));
    Select(c, FALSE);
  }
  theUndoManager.EndEdit();
  Redraw();
  SetModifiedFlag(TRUE);
}

// Tool tips of the selection's handles; a tip text never ends inside a character.

void qvzView::CopyTipText(char* pBuffer, int nSize, LPCTSTR lpszText) {
  if (pBuffer == NULL || nSize < 1) return;
  int n = 0;
  const unsigned char* s = (const unsigned char*)(lpszText ? lpszText : "");
  while (s[n]) {
    const int len = (::IsDBCSLeadByte(s[n]) && s[n + 1]) ? 2 : 1;
    if (n + len > nSize - 1) break;
    n += len;
  }
  memcpy(pBuffer, s, n);
  pBuffer[n] = 0;
}

BOOL qvzView::GetHandleToolTipText(NMHDR* pNMHDR) {
  NMTTDISPINFOA* info = (NMTTDISPINFOA*)pNMHDR;
  const UINT_PTR id = pNMHDR->idFrom;
  jvqPage* page = GetCurrentPage();
  const DWORD shown = JVQ_STATE_VISIBLE | JVQ_STATE_ALIVE;
  if (page)
    for (jvqObject* o : page->m_Children.m_items) {
      if ((o->GetState() & (shown | JVQ_STATE_SELECTED)) != (shown | JVQ_STATE_SELECTED)) continue;
      for (jvqObject* h : o->m_ResizeHandles.m_items)
        if ((h->GetState() & shown) == shown && (UINT_PTR)h == id) {
          CopyTipText(info->szText, sizeof(info->szText), "四角のハンドル");
          return TRUE;
        }
      for (jvqObject* h : o->m_VertexMarkers.m_items)
        if ((h->GetState() & shown) == shown && (UINT_PTR)h == id) {
          CopyTipText(info->szText, sizeof(info->szText), "頂点ハンドル");
          return TRUE;
        }
    }
  CString text;
  if (id < 0x10000 && text.LoadString((UINT)id)) {
    const int nl = text.Find('\n');
    if (nl >= 0) text = text.Mid(nl + 1);
  }
  CopyTipText(info->szText, sizeof(info->szText), text);
  return TRUE;
}

BOOL qvzView::OnToolTipNeedText(UINT, NMHDR* pNMHDR, LRESULT* pResult) {
  GetHandleToolTipText(pNMHDR);
  *pResult = 0;
  return TRUE;
}

// Creation: the drop target, the tool-tip control and the hidden editor.

int qvzView::OnCreate(LPCREATESTRUCT lpcs) {
  if (jvqView::OnCreate(lpcs) == -1) return -1;
  m_DropTarget.Register(this);
  m_pToolTip = new CToolTipCtrl;
  if (m_pToolTip->Create(this)) m_pToolTip->SendMessage(TTM_SETMAXTIPWIDTH, 0, 32767);
  return 0;
}

void qvzView::OnInitialUpdate() {
  jvqView::OnInitialUpdate();
  jvqViewHost* host = jvqGetViewHost();
  host->OnEditDeselect();
  if (m_pEditor) {
    m_pEditor->DestroyWindow();
    delete m_pEditor;
  }
  m_pEditor = host->CreateTextEditor(this);
}
