// The shipped catalogue paste layout "yq.qzl": one text a field, name then a full-width
// colon, 4 mm high, stacked top to bottom in table order, every field chosen.
#include "jvqTextObject.h"
#include "qvzCatalogItem.h"
#include "qvzCatalogPasteSettings.h"

BOOL MakeCatalogLayout(const CString& folder) {
  qvzCatalogPasteSettings settings;
  for (jvqTextObject* t : settings.m_Texts) delete t;
  settings.m_Texts.clear();
  settings.m_Fields.clear();
  jvqTextAttributes a;
  jvqDefaultTextAttributes(&a);
  a.charWidth = a.charHeight = 40;
  int top = 0;
  for (int i = 0; CATALOG_FIELD_NAMES[i][0]; i++) {
    const CString text = CString(CATALOG_FIELD_NAMES[i]) + "：";
    a.text = text;
    // Wide at first: the frame narrows to the text it holds.
    const RECT r = {0, top, 100000, top + 1};
    jvqTextObject* t = new jvqTextObject(&r, NULL, &a, 0x311);
    t->SetText(text);
    t->RecalcLayout();
    RECT b;
    t->GetBoundRect(&b);
    top = b.bottom;
    settings.m_Texts.push_back(t);
    settings.m_Fields.push_back(CATALOG_FIELD_NAMES[i]);
  }
  return settings.SaveLayout(folder + "yq.qzl");
}
