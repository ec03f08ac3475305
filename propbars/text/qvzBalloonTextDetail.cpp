#include "qvzBalloonTextDetail.h"

#include "jvqBalloonObject.h"
#include "jvqObjectDefaults.h"
#include "jvqTextObject.h"
#include "qvzTextDetailDlg.h"

static jvqTextFill* BalloonTextFill(jvqObject* o) {
  if (o == NULL || o->GetClassCode() != JVQ_OBJ_BALLOON) return NULL;
  jvqTextObject* t = ((jvqBalloonObject*)o)->GetText();
  return t ? t->GetTextFill() : NULL;
}

void qvzCommonTextStyle(jvqObjectArray& balloons, jvqTextFill* pOut) {
  jvqTextFill* first = NULL;
  for (int i = 0; i < balloons.GetCount(); i++) {
    jvqTextFill* p = BalloonTextFill(balloons.GetAt(i));
    if (p == NULL) continue;
    if (first == NULL) {
      first = p;
      pOut->SetTextStyle(p->RefreshPointers());
      pOut->m_crText = p->m_crText;
      continue;
    }
    jvqTextAttributes& a = pOut->m_Attributes;
    const jvqTextAttributes& b = p->m_Attributes;
    const jvqTextAttributes& f = first->m_Attributes;
    if (p->m_strFace != first->m_strFace) pOut->m_strFace = "ＭＳ Ｐゴシック";
    if (p->m_strText != first->m_strText) pOut->m_strText.Empty();
    if (p->m_crText != first->m_crText) pOut->m_crText = 0;
    if (b.charWidth != f.charWidth || b.charHeight != f.charHeight) a.charWidth = a.charHeight = 100;
    if (b.style != f.style) a.style = 1;
    if (b.underline != f.underline) a.underline = 1;
    if (b.charSpacing != f.charSpacing) a.charSpacing = 1;
    if (b.alignment != f.alignment) a.alignment = 1;
    if (b.lineSpacing != f.lineSpacing) a.lineSpacing = 1;
    if ((b.direction == JVQ_TEXT_VERTICAL) != (f.direction == JVQ_TEXT_VERTICAL)) a.direction = 0;
    pOut->RefreshPointers();
  }
}

BOOL qvzBalloonTextDetail(CWnd* pParent, jvqObjectArray& balloons, jvqObject* pSample) {
  if (pSample == NULL || !(pSample->GetClassCode() & JVQ_OBJ_TEXT)) return FALSE;
  jvqTextObject* sample = (jvqTextObject*)pSample;
  jvqTextFill shown;
  if (jvqTextFill* s = sample->GetTextFill()) {
    shown.SetTextStyle(s->RefreshPointers());
    shown.m_crText = s->m_crText;
  }
  qvzCommonTextStyle(balloons, &shown);
  qvzTextDetailDlg dlg(pParent);
  dlg.SetTextStyle(*shown.RefreshPointers());
  dlg.m_crText = shown.m_crText;
  if (dlg.DoModal() != IDOK) return FALSE;
  jvqTextAttributes edited;
  dlg.GetTextStyle(edited);
  // The sample keeps its own fill: only the text style and colour change.
  jvqFill* keep = sample->GetFill() ? sample->GetFill()->Clone() : NULL;
  sample->SetTextFormat(&edited);
  sample->SetFill(keep);
  if (sample->GetTextFill()) sample->GetTextFill()->m_crText = dlg.m_crText;
  // New text frames start from the balloon text's style, keeping the prototype's text.
  jvqObject* proto = GetObjectDefaults()->FindPrototype(JVQ_OBJ_TEXT);
  jvqTextFill* protoFill = proto ? ((jvqTextObject*)proto)->GetTextFill() : NULL;
  if (protoFill && sample->GetTextFill()) {
    jvqTextFill* next = (jvqTextFill*)sample->GetTextFill()->Clone();
    next->SetText(protoFill->m_strText);
    ((jvqTextObject*)proto)->SetTextFill(next);
  }
  return TRUE;
}
