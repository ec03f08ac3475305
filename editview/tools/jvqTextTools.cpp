#include "jvqTextTools.h"

#include "jvqBalloonObject.h"
#include "jvqBannerObject.h"
#include "jvqEllipticObject.h"
#include "jvqObjectDefaults.h"
#include "jvqPage.h"
#include "jvqRoundRectObject.h"
#include "jvqSolidFill.h"
#include "jvqTextObject.h"
#include "jvqToolMath.h"
#include "jvqUndoManager.h"
#include "jvqView.h"
#include "jvqViewHost.h"

// Set when an in-place edit starts during a mouse gesture (the application view reads it).
extern BYTE theInPlaceEditStarted;

jvqTextTool::jvqTextTool(jvqView* pView) : jvqRectTool(pView) {
  m_nToolId = TOOLID_TEXT;
  if (m_pView) m_pView->SetCursorId(1003);
  m_strCaption = m_strSavedCaption = "文字の作成";
  m_hIdleCursor = s_hRect;
}

BOOL jvqTextTool::CreateObject(POINT* pStart, POINT* pEnd) {
  RECT r = jvqNormalRect(*pStart, *pEnd);
  if (Page() == NULL || r.right - r.left < m_nMinSize || r.bottom - r.top < m_nMinSize) return FALSE;
  jvqObject* proto = GetObjectDefaults()->FindPrototype(JVQ_OBJ_TEXT);
  jvqTextFill* protoFill = proto ? ((jvqTextObject*)proto)->GetTextFill() : NULL;
  jvqTextAttributes format;
  if (protoFill)
    format = *protoFill->RefreshPointers();
  else
    jvqDefaultTextAttributes(&format);
  jvqTextObject* o = new jvqTextObject(&r, &m_pView->m_Mapping, &format, 0x311);
  GetObjectDefaults()->ApplyDefaults(o);
  if (protoFill && o->GetTextFill()) o->GetTextFill()->m_crText = protoFill->m_crText;
  if (proto && proto->GetFill()) o->SetFill(proto->GetFill()->Clone());
  o->SetText("");
  m_pView->Redraw();
  // The text is typed in place; the editor records the frame when the text is committed
  // and removes it when it is left empty.
  CWnd* editor = m_pView->GetDlgItem(JVQ_TEXT_EDITOR_ID);
  // A view that made no editor of its own gets one from the host, once.
  if (editor == NULL) editor = jvqGetViewHost()->CreateTextEditor(m_pView);
  if (editor) {
    jvqGetViewHost()->BeginTextEditor(editor, o, 0, *pStart);
    // Client pixels of the view, scrolled as it is: the mapping alone knows no scrolling.
    RECT d = r;
    m_pView->RectToDevice(&d);
    editor->MoveWindow(&d);
    editor->ShowWindow(SW_SHOW);
    // The button-up that ends this drag gives the focus to the editor, not through the view
    // (which would commit the empty frame at once).
    theInPlaceEditStarted = 1;
  }
  Page()->AddChild(o);
  m_pView->SetModifiedFlag(TRUE);
  m_pView->InvalidateAll();
  return TRUE;
}

jvqTitleTool::jvqTitleTool(jvqView* pView) : jvqRectTool(pView) {
  m_nToolId = TOOLID_TITLE;
  if (m_pView) m_pView->SetCursorId(1016);
  m_strCaption = m_strSavedCaption = "タイトルの作成";
  m_hIdleCursor = s_hRect;
  m_nMinSize = 1;
}

BOOL jvqTitleTool::CreateObject(POINT* pStart, POINT* pEnd) {
  RECT r = jvqNormalRect(*pStart, *pEnd);
  if (Page() == NULL || r.right - r.left < m_nMinSize || r.bottom - r.top < m_nMinSize) return FALSE;
  ::ReleaseCapture();
  jvqObject* proto = GetObjectDefaults()->FindPrototype(JVQ_OBJ_BANNER);
  jvqBannerStyle* protoStyle = proto ? ((jvqBannerObject*)proto)->GetBannerStyle() : NULL;
  jvqBannerStyle style(protoStyle);
  if (protoStyle) style.Assign(*protoStyle);
  style.m_Block.horizontal = r.right - r.left > r.bottom - r.top ? 1 : 0;
  BOOL bLocked = FALSE;
  if (!jvqGetViewHost()->EditTitleStyle(&style, &bLocked)) {
    RECT d = r;
    m_pView->RectToDevice(&d);
    ::InflateRect(&d, 2, 2);
    m_pView->InvalidateRect(&d);
    return FALSE;
  }
  jvqBannerObject* o = new jvqBannerObject(&r, &m_pView->m_Mapping, &style, 0x311);
  // The next title starts from what was chosen here.
  if (protoStyle) protoStyle->Assign(style);
  if (bLocked) o->m_dwState |= JVQ_STATE_LOCKED;
  PlaceNewObject(o);
  m_pView->Redraw();
  return TRUE;
}

jvqBalloonTool::jvqBalloonTool(jvqView* pView, int nShapeType) : jvqRectTool(pView) {
  m_nShapeType = nShapeType;
  m_nToolId = nShapeType == JVQ_OBJ_RECT        ? TOOLID_BALLOON_RECT
              : nShapeType == JVQ_OBJ_ROUNDRECT ? TOOLID_BALLOON_ROUNDRECT
                                                : TOOLID_BALLOON_ELLIPSE;
  if (m_pView) m_pView->SetCursorId(m_nToolId);
  m_strCaption = m_strSavedCaption = "吹き出し作成";
  m_hIdleCursor = s_hEllipse;
  m_bMoveOnlyUnlocked = TRUE;
  m_bLockedIsIdle = FALSE;
  m_nMinSize = 1;
}

BOOL jvqBalloonTool::CreateObject(POINT* pStart, POINT* pEnd) {
  RECT r = jvqNormalRect(*pStart, *pEnd);
  if (Page() == NULL || r.right - r.left < m_nMinSize || r.bottom - r.top < m_nMinSize) return FALSE;
  jvqObjectDefaults* defaults = GetObjectDefaults();
  jvqViewMapping* mapping = &m_pView->m_Mapping;
  jvqObject* body = NULL;
  if (m_nShapeType == JVQ_OBJ_RECT) {
    jvqRectObject* b = (jvqRectObject*)defaults->CreateFromPrototype(JVQ_OBJ_RECT);
    if (b) b->SetRect(&r, mapping, 0x311);
    body = b;
  } else if (m_nShapeType == JVQ_OBJ_ELLIPSE) {
    jvqEllipseObject* b = (jvqEllipseObject*)defaults->CreateFromPrototype(JVQ_OBJ_ELLIPSE);
    if (b) b->Create(&r, mapping, 0x311);
    body = b;
  } else {
    jvqRoundRectObject* b = new jvqRoundRectObject();
    b->Create(&r, mapping, 0x311);
    defaults->ApplyDefaults(b);
    b->Create(&r, mapping, 0x311);
    body = b;
  }
  if (body == NULL) return FALSE;
  body->Recalc();

  // The dialog starts from the text prototype's format and colour.
  jvqObject* proto = defaults->FindPrototype(JVQ_OBJ_TEXT);
  jvqTextFill* protoFill = proto ? ((jvqTextObject*)proto)->GetTextFill() : NULL;
  jvqTextFill edited;
  if (protoFill) {
    edited.SetTextStyle(protoFill->RefreshPointers());
    edited.m_crText = protoFill->m_crText;
  } else {
    jvqTextAttributes a;
    jvqDefaultTextAttributes(&a);
    edited.SetTextStyle(&a);
  }
  ::ReleaseCapture();
  if (!jvqGetViewHost()->EditTextDetail(&edited, TRUE)) {
    // Each object made for the dialog is freed once.
    delete body;
    m_pView->Redraw();
    return TRUE;
  }
  jvqBalloonObject* balloon = (jvqBalloonObject*)jvqObjectDefaults::CreateObject(JVQ_OBJ_BALLOON);
  if (balloon == NULL) {
    delete body;
    return FALSE;
  }
  balloon->SetBody(body, mapping, 0x311);
  defaults->ApplyDefaults(balloon);
  jvqTextObject* text = balloon->GetText();
  if (text) {
    text->SetTextFormat(edited.RefreshPointers());
    text->SetFill(NULL);
    if (text->GetTextFill()) text->GetTextFill()->m_crText = edited.m_crText;
  }
  PlaceNewObject(balloon);
  // The next text and balloon start from this format, keeping the prototype's own text.
  if (protoFill && text && text->GetTextFill()) {
    jvqTextFill* next = (jvqTextFill*)text->GetTextFill()->Clone();
    next->SetText(protoFill->m_strText);
    ((jvqTextObject*)proto)->SetTextFill(next);
  }
  balloon->Recalc();
  m_pView->Select(balloon, TRUE);
  m_pView->Redraw();
  return TRUE;
}
