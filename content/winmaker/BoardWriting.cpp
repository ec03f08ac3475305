#include "BoardWriting.h"

#include <stdio.h>

#include "afxole.h"
#include "jvqObjectDefaults.h"
#include "jvqPage.h"
#include "jvqPolylineObject.h"
#include "jvqRectObject.h"
#include "jvqSolidFill.h"
#include "jvqTextObject.h"

namespace {

class CWinMakerApp : public CWinApp {
 public:
  CWinMakerApp() : CWinApp("qvzwinmaker") {}
  // Nothing may wait for a click at build time: every message goes to the error output.
  int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT) override {
    fprintf(stderr, "qvzwinmaker: %s\n", lpszPrompt);
    return IDCANCEL;
  }
};
CWinMakerApp theApp;

}  // namespace

BOOL PrepareBoardWriting() {
  static int s_nReady = -1;
  if (s_nReady < 0) {
    s_nReady = AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_HIDE) && theApp.InitApplication() &&
               AfxOleInit();
    jvqObjectDefaults* d = jvqObjectDefaults::GetObjectDefaults();
    d->RemoveAll();
    d->CreatePrototypes();
  }
  return s_nReady > 0;
}

void AddFrame(jvqPage* pPage, const RECT& rc, COLORREF crLine) {
  const POINT pts[5] = {{rc.left, rc.top}, {rc.right, rc.top}, {rc.right, rc.bottom}, {rc.left, rc.bottom}, {rc.left, rc.top}};
  jvqPolylineObject* o = new jvqPolylineObject(NULL);
  jvqObjectDefaults::GetObjectDefaults()->ApplyDefaults(o);
  o->SetPoints(pts, 5, NULL, 0x351);
  o->GetLineStyle()->SetColor(crLine);
  pPage->AddChild(o);
}

void AddFilledRect(jvqPage* pPage, const RECT& rc, COLORREF crFill) {
  jvqRectObject* o = new jvqRectObject(&rc, NULL, 0x311);
  jvqObjectDefaults::GetObjectDefaults()->ApplyDefaults(o);
  o->m_dwState = 0x311 | JVQ_STATE_FILLED;
  o->SetFill(new jvqSolidFill(crFill));
  pPage->AddChild(o);
}

void AddLine(jvqPage* pPage, POINT a, POINT b, COLORREF crLine) {
  const POINT pts[2] = {a, b};
  jvqPolylineObject* o = new jvqPolylineObject(NULL);
  jvqObjectDefaults::GetObjectDefaults()->ApplyDefaults(o);
  o->SetPoints(pts, 2, NULL, 0x311);
  o->GetLineStyle()->SetColor(crLine);
  pPage->AddChild(o);
}

void AddText(jvqPage* pPage, const RECT& rc, LPCTSTR lpszText, int nHeight) {
  jvqTextAttributes a;
  jvqDefaultTextAttributes(&a);
  a.text = lpszText;
  a.charHeight = nHeight;
  a.charWidth = nHeight;
  pPage->AddChild(new jvqTextObject(&rc, NULL, &a, 0x311));
}
