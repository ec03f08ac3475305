#include "jvqObjectDefaults.h"

#include <new>

#include "jvqBalloonObject.h"
#include "jvqBannerObject.h"
#include "jvqBoard.h"
#include "jvqEllipticObject.h"
#include "jvqImageFill.h"
#include "jvqImageObject.h"
#include "jvqLineTextObject.h"
#include "jvqMadorizuObject.h"
#include "jvqOleObject.h"
#include "jvqPage.h"
#include "jvqPolylineObject.h"
#include "jvqRoundRectObject.h"
#include "jvqSolidFill.h"
#include "jvqTextObject.h"
#include "jvqSymbolObject.h"

static jvqObjectDefaults* s_pDefaults = NULL;

// The A3 sheet turned to landscape, in 0.1 mm.
static const RECT kA3 = {0, 0, 4200, 2970};
static const RECT kEmpty = {0, 0, 0, 0};

// The registry's document's pictures, for objects made without a document at hand.
static jvqImagePool* ImagePoolOfDocument() { return jvqImageFill::s_pfnDefaultPool ? jvqImageFill::s_pfnDefaultPool() : NULL; }

// Classes with a built-in prototype, in the order they are registered.
static const int kBuiltInCodes[] = {JVQ_OBJ_RECT,    JVQ_OBJ_IMAGE,
                                    JVQ_OBJ_OLE,
                                    JVQ_OBJ_GROUP,   JVQ_OBJ_POLYLINE, JVQ_OBJ_PAGE,
                                    JVQ_OBJ_ROUNDRECT, JVQ_OBJ_ELLIPSE, JVQ_OBJ_CHORD,   JVQ_OBJ_PIE,
                                    JVQ_OBJ_ARC,
                                    JVQ_OBJ_TEXT, JVQ_OBJ_LINETEXT, JVQ_OBJ_BALLOON, JVQ_OBJ_BANNER};

jvqObjectDefaults::jvqObjectDefaults() : m_pDefaultView(NULL), m_pDocument(NULL) { m_Prototypes.m_bOwns = TRUE; }

jvqObjectDefaults::~jvqObjectDefaults() {
  if (!m_Prototypes.m_bOwns) m_Prototypes.m_items.clear();
}

jvqObjectDefaults* jvqObjectDefaults::GetObjectDefaults() {
  if (s_pDefaults == NULL) s_pDefaults = new jvqObjectDefaults;
  return s_pDefaults;
}

void jvqObjectDefaults::FreeObjectDefaults() {
  delete s_pDefaults;
  s_pDefaults = NULL;
}

void jvqObjectDefaults::AddPrototype(jvqObject* pObject) {
  if (pObject) m_Prototypes.Add(pObject);
}

jvqObject* jvqObjectDefaults::FindPrototype(int nClassCode) {
  for (jvqObject* p : m_Prototypes.m_items)
    if (p->GetClassCode() == nClassCode) return p;
  return NULL;
}

void jvqObjectDefaults::ReplacePrototype(jvqObject* pObject) {
  if (pObject == NULL) return;
  for (size_t i = 0; i < m_Prototypes.m_items.size(); i++) {
    jvqObject* p = m_Prototypes.m_items[i];
    if (p->GetClassCode() != pObject->GetClassCode()) continue;
    if (p == pObject) return;
    m_Prototypes.m_items.erase(m_Prototypes.m_items.begin() + i);
    delete p;
    m_Prototypes.Add(pObject);
    return;
  }
}

// The leader takes the prototype's line ends; the frame becomes a copy of the prototype's.
static void ApplyLineTextDefaults(jvqLineTextObject* d, jvqLineTextObject* s, jvqViewMapping* pView) {
  if (d->m_pLeader && s->m_pLeader) {
    d->m_pLeader->m_StartLineEnd = s->m_pLeader->m_StartLineEnd;
    d->m_pLeader->m_EndLineEnd = s->m_pLeader->m_EndLineEnd;
  }
  if (s->m_pFrame && d->GetChildCount() >= 2) {
    jvqTextObject* pFrame = (jvqTextObject*)s->m_pFrame->Clone();
    pFrame->m_pView = pView;
    d->ReplaceTextFrame(pFrame);
  }
}

int jvqObjectDefaults::ApplyDefaults(jvqObject* pObject) {
  if (pObject == NULL) return 0;
  if (pObject->m_pView == NULL && m_pDefaultView) pObject->m_pView = m_pDefaultView;
  jvqObject* proto = FindPrototype(pObject->GetClassCode());
  if (proto == NULL) return 0;
  pObject->m_LineStyle = proto->m_LineStyle;
  pObject->m_dwState = proto->m_dwState;
  pObject->SetFill(proto->GetFill() ? proto->GetFill()->Clone() : NULL);
  const int c = pObject->GetClassCode();
  if (c & 4) {
    jvqPolylineObject* d = (jvqPolylineObject*)pObject;
    jvqPolylineObject* s = (jvqPolylineObject*)proto;
    d->m_StartLineEnd = s->m_StartLineEnd;
    d->m_EndLineEnd = s->m_EndLineEnd;
  } else if (c & 8) {
    RECT r;
    proto->GetBoundRect(&r);
    ((jvqPage*)pObject)->SetPageRect(&r);
  } else if (c & 0x40000) {
    ApplyLineTextDefaults((jvqLineTextObject*)pObject, (jvqLineTextObject*)proto, m_pDefaultView);
  } else if (c & 0x8000) {
    jvqArcObject* d = (jvqArcObject*)pObject;
    jvqArcObject* s = (jvqArcObject*)proto;
    d->m_StartLineEnd = s->m_StartLineEnd;
    d->m_EndLineEnd = s->m_EndLineEnd;
  }
  return 1;
}

jvqObject* jvqObjectDefaults::CreateFromPrototype(int nClassCode) {
  jvqObject* proto = FindPrototype(nClassCode);
  if (proto == NULL) return NULL;
  jvqObject* p = proto->Clone();
  if (p && p->m_pView == NULL) p->m_pView = m_pDefaultView;
  return p;
}

// A leader text of one point at the origin, as records and prototypes start from.
static jvqObject* NewLineText(jvqViewMapping* v) {
  static const POINT kOrigin = {0, 0};
  jvqLineTextObject* o = new jvqLineTextObject;
  o->m_LineStyle = theSolidLineStyle;
  o->SetPoints(&kOrigin, 1, v, 0x311);
  return o;
}

// A balloon on an empty rectangle body.
static jvqObject* NewBalloon(jvqViewMapping* v) {
  jvqBalloonObject* o = new jvqBalloonObject(v);
  o->SetBody(new jvqRectObject(&kEmpty, v, 0x311), v, 0x311);
  return o;
}

jvqObject* jvqObjectDefaults::CreateObject(int c) {
  jvqViewMapping* v = s_pDefaults ? s_pDefaults->m_pDefaultView : NULL;
  jvqObject* p = NULL;
  try {
    if (c & 0x200) {
      p = new jvqBoard(v);
    } else if (c & 8) {
      p = new jvqPage(&kEmpty, v);
      p->m_dwState = 0x311;
    } else if (c & 0x40000) {
      p = NewLineText(v);
    } else if (c & 0x100000) {
      p = new jvqBannerObject(&kEmpty, v, NULL, 0x311);
    } else if (c & 0x400000) {
      p = new jvqMadorizuObject(NULL, v, ImagePoolOfDocument(), 0x311);
    } else if (c & 0x40) {
      p = new jvqGroupObject(&kEmpty, v, 0x311);
    } else if (c & 0x80) {
      static const RECT kOle = {0, 0, 800, 500};
      p = new jvqOleObject(&kOle, 0, v, s_pDefaults ? s_pDefaults->m_pDocument : NULL);
    } else if (c & 0x100) {
      p = new jvqImageObject(ImagePoolOfDocument(), NULL, v);
    } else if (c & 0x400) {
      p = new jvqTextObject(&kEmpty, v, NULL, 0x311);
    } else if (c & 0x800) {
      p = new jvqRoundRectObject(&kEmpty, v, 0x311);
    } else if (c & 0x1000) {
      p = new jvqEllipseObject(&kEmpty, v, 0x311);
    } else if (c & 0x2000) {
      jvqChordObject* o = new jvqChordObject;
      o->Create(&kEmpty, v, 0x311, 0, 180);
      p = o;
    } else if (c & 0x4000) {
      jvqPieObject* o = new jvqPieObject;
      o->Create(&kEmpty, v, 0x311, 0, 180);
      p = o;
    } else if (c & 0x8000) {
      p = new jvqArcObject(&kEmpty, v, 0x151, 0, 180);
    } else if (c & 0x200000) {
      p = new jvqSymbolObject(&kEmpty, v, 0x311);
    } else if (c & 2) {
      p = new jvqRectObject(&kEmpty, v, 0x311);
    } else if (c & 0x80000) {
      p = NewBalloon(v);
    } else if (c & 4) {
      jvqPolylineObject* o = new jvqPolylineObject(v);
      p = o;
    }
  } catch (std::bad_alloc&) {
    return NULL;
  }
  if (p && p->m_pView == NULL) p->m_pView = v;
  return p;
}

jvqObject* jvqObjectDefaults::MakeBuiltIn(int nClassCode) {
  jvqViewMapping* v = s_pDefaults ? s_pDefaults->m_pDefaultView : NULL;
  static const POINT zero3[3] = {{0, 0}, {0, 0}, {0, 0}};
  jvqObject* p = NULL;
  COLORREF crFill = 0xA6A6A6;
  BOOL bFill = TRUE;
  switch (nClassCode) {
    case JVQ_OBJ_RECT:
      p = new jvqRectObject(&kEmpty, v, 0x311);
      crFill = 0xA6A600;
      break;
    case JVQ_OBJ_IMAGE:
      p = new jvqImageObject(ImagePoolOfDocument(), NULL, v);
      bFill = FALSE;
      break;
    case JVQ_OBJ_OLE:
      p = new jvqOleObject(&kEmpty, 0, v, s_pDefaults ? s_pDefaults->m_pDocument : NULL);
      bFill = FALSE;  // a frame: nothing inside
      break;
    case JVQ_OBJ_GROUP:
      p = new jvqGroupObject(&kEmpty, v, 0x311);
      bFill = FALSE;
      break;
    case JVQ_OBJ_POLYLINE: {
      jvqPolylineObject* o = new jvqPolylineObject(v);
      o->SetPoints(zero3, 3, v, 0x311);
      p = o;
      break;
    }
    case JVQ_OBJ_PAGE: {
      jvqPage* o = new jvqPage();
      o->SetRect(&kA3, v, 0x301);
      p = o;
      crFill = 0xFFFFFF;
      break;
    }
    case JVQ_OBJ_ROUNDRECT: p = new jvqRoundRectObject(&kEmpty, v, 0x301); break;
    case JVQ_OBJ_ELLIPSE: p = new jvqEllipseObject(&kA3, v, 0x301); break;
    case JVQ_OBJ_CHORD: {
      jvqChordObject* o = new jvqChordObject;
      o->Create(&kA3, v, 0x311, 0, 180);
      p = o;
      break;
    }
    case JVQ_OBJ_PIE: {
      jvqPieObject* o = new jvqPieObject;
      o->Create(&kA3, v, 0x311, 0, 180);
      p = o;
      break;
    }
    case JVQ_OBJ_ARC:
      p = new jvqArcObject(&kA3, v, 0x151, 0, 180);
      bFill = FALSE;
      break;
    case JVQ_OBJ_TEXT: p = jvqTextObject::MakeDefault(v, &kA3); break;
    case JVQ_OBJ_LINETEXT: p = NewLineText(v); break;
    case JVQ_OBJ_BALLOON: p = NewBalloon(v); break;
    case JVQ_OBJ_BANNER: p = new jvqBannerObject(&kEmpty, v, NULL, 0x311); break;
    default: return NULL;
  }
  // These four keep the line style and fill their constructors give them.
  if (nClassCode == JVQ_OBJ_TEXT || nClassCode == JVQ_OBJ_LINETEXT || nClassCode == JVQ_OBJ_BALLOON ||
      nClassCode == JVQ_OBJ_BANNER) {
    if (p->m_pView == NULL) p->m_pView = v;
    return p;
  }
  p->m_LineStyle = (nClassCode == JVQ_OBJ_GROUP || nClassCode == JVQ_OBJ_IMAGE) ? theNoLineStyle : theSolidLineStyle;
  p->SetFill(bFill ? new jvqSolidFill(crFill) : NULL);
  if (p->m_pView == NULL) p->m_pView = v;
  return p;
}

void jvqObjectDefaults::CreatePrototypes() {
  for (int code : kBuiltInCodes) AddPrototype(MakeBuiltIn(code));
}

jvqFill* jvqObjectDefaults::CloneBuiltInFill(int nClassCode) {
  jvqObject* p = MakeBuiltIn(nClassCode);
  jvqFill* f = p && p->GetFill() ? p->GetFill()->Clone() : NULL;
  delete p;
  return f;
}

void jvqObjectDefaults::FillMissingPrototypes() {
  for (int code : kBuiltInCodes)
    if (FindPrototype(code) == NULL) AddPrototype(MakeBuiltIn(code));
}
