#include "qvzCatalogPasteSettings.h"

#include <algorithm>

#include "Dib.h"
#include "jvqBoard.h"
#include "jvqDocument.h"
#include "jvqGroupObject.h"
#include "jvqImageObject.h"
#include "jvqObjectCodes.h"
#include "jvqObjectDefaults.h"
#include "jvqPage.h"
#include "jvqTextObject.h"
#include "jvqUndoManager.h"
#include "qvzCatalogItem.h"
#include "qvzContentFolders.h"
#include "qvzObjectFileReader.h"
#include "qvzView.h"

static const char kFieldGap[] = "　　";

static BOOL IsLayoutText(jvqObject* o) { return o && o->GetClassCode() == JVQ_OBJ_TEXT; }

CString qvzCatalogPasteSettings::TextOf(const jvqTextObject* t) {
  // The painter's text is what a file brings back.
  return t->GetTextFill() ? t->GetTextFill()->m_strText : t->m_strText;
}

static jvqTextObject* PrototypeText() {
  jvqObject* proto = jvqObjectDefaults::GetObjectDefaults()->FindPrototype(JVQ_OBJ_TEXT);
  if (IsLayoutText(proto)) return (jvqTextObject*)proto->Clone();
  return jvqTextObject::MakeDefault(NULL);
}

qvzCatalogPasteSettings::qvzCatalogPasteSettings() : m_pDocument(NULL) {
  for (int i = 0; CATALOG_FIELD_NAMES[i][0]; i++) {
    m_Fields.push_back(CATALOG_FIELD_NAMES[i]);
    m_Texts.push_back(PrototypeText());
  }
}

qvzCatalogPasteSettings::~qvzCatalogPasteSettings() { DeleteTexts(); }

void qvzCatalogPasteSettings::DeleteTexts() {
  for (jvqTextObject* t : m_Texts) delete t;
  m_Texts.clear();
}

qvzCatalogPasteSettings* qvzCatalogPasteSettings::Clone() const {
  qvzCatalogPasteSettings* c = new qvzCatalogPasteSettings;
  c->DeleteTexts();
  for (jvqTextObject* t : m_Texts) c->m_Texts.push_back((jvqTextObject*)t->Clone());
  c->m_Fields = m_Fields;
  c->m_pDocument = m_pDocument;
  return c;
}

CString qvzCatalogPasteSettings::LayoutPath() { return qvzGetProgramFolder() + "yq.qzl"; }

jvqTextObject* qvzCatalogPasteSettings::FindLayoutText(LPCTSTR lpszField) const {
  for (jvqTextObject* t : m_Texts)
    if (StartsWith(TextOf(t), lpszField)) return t;
  return NULL;
}

BOOL qvzCatalogPasteSettings::LoadLayout(LPCTSTR lpszPath) {
  jvqObject* read = NULL;
  CDib* thumbnail = NULL;
  CString name, comment;
  if (!ReadObjectFile(lpszPath, &read, m_pDocument, &name, &comment, &thumbnail)) return FALSE;
  delete thumbnail;
  m_Fields.clear();
  DeleteTexts();
  if (read->GetClassCode() & 0x40) {
    jvqGroupObject* g = (jvqGroupObject*)read;
    for (int i = 0; i < g->GetChildCount(); i++) {
      jvqObject* c = g->GetChild(i);
      if (!IsLayoutText(c)) continue;
      jvqTextObject* t = (jvqTextObject*)c->Clone();
      t->m_pParent = NULL;
      m_Texts.push_back(t);
    }
  }
  // Layout order is top to bottom; equal tops keep their file order.
  for (size_t pass = 0; pass + 1 < m_Texts.size(); pass++)
    for (size_t i = 0; i + 1 < m_Texts.size() - pass; i++) {
      RECT a, b;
      m_Texts[i]->GetBoundRect(&a);
      m_Texts[i + 1]->GetBoundRect(&b);
      if (b.top < a.top) std::swap(m_Texts[i], m_Texts[i + 1]);
    }
  for (jvqTextObject* t : m_Texts) {
    if (!(t->m_dwState & JVQ_STATE_VISIBLE)) continue;
    for (int i = 0; CATALOG_FIELD_NAMES[i][0]; i++) {
      // Two texts of one field are both shown, but the field is chosen once: the upper text
      // serves, and it is pasted once.
      if (!StartsWith(TextOf(t), CATALOG_FIELD_NAMES[i])) continue;
      if (std::find(m_Fields.begin(), m_Fields.end(), CString(CATALOG_FIELD_NAMES[i])) == m_Fields.end())
        m_Fields.push_back(CATALOG_FIELD_NAMES[i]);
    }
  }
  delete read;
  return TRUE;
}

BOOL qvzCatalogPasteSettings::SaveLayout(LPCTSTR lpszPath) {
  jvqGroupObject* g = (jvqGroupObject*)jvqObjectDefaults::CreateObject(JVQ_OBJ_GROUP);
  if (g == NULL) return FALSE;
  for (jvqTextObject* t : m_Texts) {
    t->m_dwState &= ~JVQ_STATE_VISIBLE;
    for (const CString& f : m_Fields)
      if (StartsWith(TextOf(t), f)) t->m_dwState |= JVQ_STATE_VISIBLE;
    g->AddChild(t);
  }
  const BOOL ok = qvzView::WriteObjectFile(lpszPath, g, m_pDocument, " ", " ", NULL);
  // The texts stay ours: only the group goes.
  for (jvqTextObject* t : m_Texts) {
    g->RemoveChild(t, FALSE);
    t->m_pParent = NULL;
  }
  delete g;
  return ok;
}

// The clone's frame sized for the text with a margin, then the text alone in it.
static void SetFieldText(jvqTextObject* t, const CString& text, const CString& measured) {
  RECT r;
  t->GetBoundRect(&r);
  // A frame only ever narrows to its text: start wide so it takes the width the text needs.
  const RECT wide = {r.left, r.top, r.left + 100000, r.bottom};
  t->SetRect(&wide, t->m_pView, t->m_dwState);
  t->SetText(measured);
  t->RecalcLayout();
  t->SetText(text);
}

jvqGroupObject* qvzCatalogPasteSettings::BuildItemObject(const void* pBlock, size_t nSize, LPCTSTR lpszLayoutPath) {
  qvzCatalogItem item;
  if (!ReadCatalogItem(pBlock, nSize, &item)) return NULL;
  LoadLayout(lpszLayoutPath);
  if (!IsPastablePicture(item.strPicture)) return NULL;
  jvqImageObject* pic = (jvqImageObject*)jvqObjectDefaults::CreateObject(JVQ_OBJ_IMAGE);
  if (pic == NULL) return NULL;
  jvqObjectDefaults::GetObjectDefaults()->ApplyDefaults(pic);
  if (!pic->LoadImage(m_pDocument ? m_pDocument->GetImagePool() : NULL, item.strPicture, TRUE)) {
    delete pic;
    return NULL;
  }
  jvqGroupObject* g = (jvqGroupObject*)jvqObjectDefaults::CreateObject(JVQ_OBJ_GROUP);
  if (g == NULL) {
    delete pic;
    return NULL;
  }
  // The layout, as one block, goes 1 mm below the picture, on its left edge.
  RECT p;
  pic->GetBoundRect(&p);
  if (!m_Texts.empty()) {
    RECT u;
    m_Texts[0]->GetBoundRect(&u);
    for (jvqTextObject* t : m_Texts) {
      RECT r;
      t->GetBoundRect(&r);
      ::UnionRect(&u, &u, &r);
    }
    const SIZE d = {p.left - u.left, p.bottom + 10 - u.top};
    for (jvqTextObject* t : m_Texts) t->Offset(&d);
  }
  for (const CString& field : m_Fields) {
    jvqTextObject* layout = FindLayoutText(field);
    if (layout == NULL) continue;
    const CString value = StripFieldName(TextOf(layout), field) + CatalogFieldValue(item, field);
    jvqTextObject* t = (jvqTextObject*)layout->Clone();
    t->m_pParent = NULL;
    CString measured = value;
    if (field == CATALOG_FIELD_NAMES[3]) {
      measured.Replace("\r\n", CString(kFieldGap) + "\r\n");
    } else {
      measured += kFieldGap;
    }
    SetFieldText(t, value, measured);
    g->AddChild(t);
  }
  g->AddChild(pic);
  POINT origin = {0, 0};
  g->MoveTo(&origin, 1);
  g->m_dwState |= JVQ_STATE_SELECTED;
  return g;
}

int qvzCatalogPasteSettings::PasteItem(jvqDocument* pDocument, const void* pBlock, size_t nSize, POINT ptLogical) {
  m_pDocument = pDocument;
  jvqBoard* board = pDocument ? pDocument->GetBoard() : NULL;
  jvqPage* page = board ? board->GetCurrentPage() : NULL;
  jvqGroupObject* g = page ? BuildItemObject(pBlock, nSize, LayoutPath()) : NULL;
  if (g == NULL) return 1;
  jvqObject* pasted = g;
  if (g->GetChildCount() == 1) {
    // Only the picture came: it is placed on its own, not as a group of one.
    pasted = g->GetChild(0)->Clone();
    pasted->m_pParent = NULL;
    delete g;
  }
  theUndoManager.RecordAdded(pasted);
  pasted->MoveTo(&ptLogical, 1);
  pasted->m_dwState |= JVQ_STATE_SELECTED;
  page->AddChild(pasted);
  return 1;
}
