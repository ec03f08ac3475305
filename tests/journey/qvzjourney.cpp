// The journey driver: the hands and eyes of a scripted user of QVZ.exe. It writes boards with
// the program's own classes ("make"), reads them back ("dump"), and, in "drive" mode, takes
// one command a line on standard input and answers one line on standard output:
//   wait <title part> <seconds>        waits for the main window; "ok" or "timeout"
//   mouse <target> <down|move|up|rdown|rup> <x> <y> <flags>
//                                      posts a mouse message at client pixels of that window;
//                                      targets: view, hruler, vruler, tabs, pagelist (button),
//                                      bar<id>.<command> (a tool-bar button), popup (a drop-down)
//   key <view> <down|up> <vk>          posts a key message
//   command <id>                       posts WM_COMMAND to the main window
//   locate <rrggbb>                    "x0 y0 x1 y1" of that colour in the view's client area
//   rect <target>                      the window's client rectangle on the screen
//   wrect <target>                     the window's whole rectangle on the screen (frame and
//                                      caption included)
//   shot <file.bmp>                    the whole screen as a BMP
//   idle                               waits until the program has handled what was posted
//   close                              posts WM_CLOSE
//   status <pane>                      the text of a status-bar pane
//   text <tabs|zoom|title|tip>         the page tabs ("|" between them), the zoom box, the title,
//                                      the view's tip (the floor-plan scale while resizing)
//   placement                          "show left top right bottom" of the main window (3 maximised)
//   cursor <target> <x> <y>            moves the pointer to client pixels of that window
//   syscommand <SC_ value>             posts WM_SYSCOMMAND (restore, maximise)
//   message <id> <wParam hex> <lParam hex>  posts any message to the main window
//   zoom <entry>                       chooses an entry of the zoom box
//   tip <target>                       the tool tip of a child window (bar<id>.<command>)
//   matchbitmap <target> <bitmap> <dx> <dy>  "matched total": the program's bitmap on the
//                                      screen at (dx, dy) in the window, 192-grey left out
//   ctrlkey <target> <vk>              the key with Ctrl held, as the accelerators see it
//   answer <button id>                 presses a button of the message box that is up
//   savedialog <title> <path>          types a path into the file dialog of that title, then OK
//   present <target>                   "yes" when that window is there (a popup: within 2 s)
//   visible <target>                   "yes" or "no": whether that window is shown
//   exists <control id>                "yes" when the main window's tool bar holds that button
//   startmenu <x> <y>                  clicks the start menu (the 480 x 415 picture dialog) there;
//                                      at -1 -1 it only waits for the menu
//   type <text>                        types Shift-JIS text into the view's text editor
//                                      (inserted at the caret, as an input method commits)
//   retype <text>                      the same in place of the editor's whole text
//   devicechange <drive letter>        sends the arrival of a volume with media on that drive
//   dlg <title> <id> <verb> [arg]      a control of the dialog of that title ("*": the dialog
//                                      that is up; a property sheet: of its shown page too):
//                                      "text" its text on one line (line ends as
//                                      "|"; list boxes: their entries joined by "|"),
//                                      "set <text>", "click", "check <0|1>" (then a click),
//                                      "select <n>" (list or combo box, with its change notice),
//                                      "sel" the selected index, "pick <x> <y>" a click at
//                                      thousandths of the control's size
//   barid                              the shown property bar's id, " floating" when it floats
//   combo <target> <index>             picks an item of a combo box as a click would
//   settext <target> <text>            replaces a window's text (an edit, a combo box's edit)
//   locatein <target> <rrggbb>         like locate, in that window's client area
//   thumbdbl <title> <n>               double-clicks thumbnail n of the picture dialog of that
//                                      title (cell n of its list 1062)
//   menus <n>                          waits up to 2 s for n open pop-up menu levels of the
//                                      program; "n x0 y0 x1 y1 ..." of each level on the screen
//   compose <text>                     leaves <text> as an unfinished input-method composition on
//                                      the text editor's own input context; "ok" when it holds it
//   comboindex <target> <text part>    the first item of a combo box that begins with that text,
//                                      else the first that holds it, or "none"
//   tbenabled <command>                "yes" or "no": the main tool bar's button of that command
//   shapeserver <verb>                 the test OLE server's open window (tests/ole), in its
//                                      own process: "wait" (up to 60 s), "gone" (waits until
//                                      none is shown), "color <rrggbb>", "extent <cx> <cy>"
//                                      (HIMETRIC), "close" (then waits until it is gone),
//                                      "locate <rrggbb>" (as locate, in its client area)
//   sheetpage <title> <n>              turns the property sheet of that title to page n
//   pagetext <title> <id>              the text of the shown control of that id in the sheet
//   processes <exe>                    how many processes of that name run (waits up to 20 s)
//   clippicture <w> <h> <rrggbb>       a bitmap of that colour on the clipboard (CF_DIB)
//   dragsource <x0> <y0> <x1> <y1> <rrggbb> <number> <picture>
//                                      a window of that colour at those screen pixels whose
//                                      press starts a catalogue item's OLE drag (the hand moves)
//   dragresult <seconds>               what that drag reported: "dropped 1", or "timeout"
//   pointer                            the cursor's screen position, "x y"
//   thumbscroll <title> <code> <n>     n scroll messages (SB_ code) to the picture dialog's
//                                      thumbnail list; "top last inside": its top row, the
//                                      last cell's id and 1 when that cell is in view
// More targets: pbar (the shown property bar), pbarframe (the window it is in), pbar.<id> (one
// of its controls, or the shown window of that id in one of its panels), cpopup (an open colour
// pop-up), editor (the view's text editor).
#include "afxtest/ScreenCapture.h"

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "afxwin.h"
#include "qvzCatalogPasteSettings.h"
#include "afxcmn.h"
#include <dbt.h>
#include <ole2.h>
#include <shlobj.h>
#include "jvqBalloonObject.h"
#include "jvqBannerObject.h"
#include "jvqBoard.h"
#include "jvqGroupObject.h"
#include "jvqHandleObject.h"
#include "jvqLineTextObject.h"
#include "jvqTextObject.h"
#include "jvqFileHeader.h"
#include "DibImage.h"
#include "jvqImageObject.h"
#include "jvqMadorizuObject.h"
#include "jvqSymbolObject.h"
#include "jvqVectorFill.h"
#include "jvqImageFileList.h"
#include "jvqImagePool.h"
#include "jvqPatternFill.h"
#include "jvqGradientFill.h"
#include "jvqTextureFill.h"
#include "jvqObjectDefaults.h"
#include "jvqPage.h"
#include "jvqEllipticObject.h"
#include "jvqPolylineObject.h"
#include "jvqRectObject.h"
#include "jvqRoundRectObject.h"
#include "jvqSolidFill.h"
#include "qvzDocument.h"
#include "qvzGuideProperties.h"
#include <tlhelp32.h>

#include "../ole/TestShapeServer.h"

class CJourneyApp : public CWinApp {
 public:
  CJourneyApp() : CWinApp("QVZJourney") {}
  int DoMessageBox(LPCTSTR p, UINT, UINT) override {
    fprintf(stderr, "message: %s\n", p);
    return IDOK;
  }
};
static CJourneyApp theApp;

// A board of one page: a blue rectangle 100 mm wide and an open red polyline of five
// vertices whose last one lies near its first.
static int MakeBoard(const char* path, BOOL bTemplate = FALSE) {
  qvzDocument doc;
  if (!doc.OnNewDocument()) return 2;
  if (bTemplate) {
    doc.m_bTemplate = 1;
    doc.GetHeader()->SetProperty("ひながた説明", "見本のひな型");
  }
  jvqPage* page = doc.GetBoard()->GetCurrentPage();
  RECT rc = {0, 0, 4200, 2970};
  page->SetPageRect(&rc);
  RECT r = {1000, 1000, 2000, 1600};
  jvqRectObject* rect = new jvqRectObject(&r, NULL, 0x311);
  jvqObjectDefaults::GetObjectDefaults()->ApplyDefaults(rect);
  rect->m_dwState = 0x311 | JVQ_STATE_FILLED;
  rect->SetFill(new jvqSolidFill(RGB(0, 0, 255)));
  page->AddChild(rect);
  const POINT pts[5] = {{2600, 600}, {3600, 600}, {3600, 1600}, {2600, 1600}, {2630, 680}};
  jvqPolylineObject* poly = new jvqPolylineObject(NULL);
  jvqObjectDefaults::GetObjectDefaults()->ApplyDefaults(poly);
  poly->SetPoints(pts, 5, NULL, 0x351);
  poly->GetLineStyle()->SetColor(RGB(255, 0, 0));
  page->AddChild(poly);
  return doc.OnSaveDocument(path) ? 0 : 3;
}

// A board of one object of each shape kind the bars serve, each filled with a colour of its
// own for the journey to find it: a rectangle, an ellipse, a closed polygon, a pie, a chord and
// two small rectangles to be grouped, on an A4 sheet laid sideways.
static const COLORREF KindColors[] = {RGB(20, 160, 20), RGB(160, 20, 160), RGB(20, 20, 160), RGB(160, 160, 20),
                                      RGB(20, 160, 160), RGB(160, 90, 20), RGB(90, 20, 90)};
static int MakeKindsBoard(const char* path) {
  qvzDocument doc;
  if (!doc.OnNewDocument()) return 2;
  jvqPage* page = doc.GetBoard()->GetCurrentPage();
  RECT rc = {0, 0, 2970, 2100};
  page->SetPageRect(&rc);
  jvqObjectDefaults* d = jvqObjectDefaults::GetObjectDefaults();
  const RECT r[] = {{300, 300, 900, 900}, {1200, 300, 1800, 900}, {2100, 300, 2700, 900}, {300, 1200, 900, 1800},
                    {1200, 1200, 1800, 1800}, {2100, 1200, 2350, 1800}, {2450, 1200, 2700, 1800}};
  for (int i = 0; i < 7; i++) {
    jvqObject* o = NULL;
    if (i == 1) {
      o = new jvqEllipseObject(&r[i], NULL, 0x311);
    } else if (i == 2) {
      const POINT pts[4] = {{r[i].left, r[i].top}, {r[i].right, r[i].top}, {r[i].right, r[i].bottom}, {r[i].left, r[i].bottom}};
      jvqPolylineObject* poly = new jvqPolylineObject(NULL);
      poly->SetPoints(pts, 4, NULL, 0x311);
      o = poly;
    } else if (i == 3) {
      jvqPieObject* pie = new jvqPieObject;
      pie->Create(&r[i], NULL, 0x311, 0, 270);
      o = pie;
    } else if (i == 4) {
      jvqChordObject* chord = new jvqChordObject;
      chord->Create(&r[i], NULL, 0x311, 0, 270);
      o = chord;
    } else {
      o = new jvqRectObject(&r[i], NULL, 0x311);
    }
    d->ApplyDefaults(o);
    o->m_dwState |= JVQ_STATE_FILLED;
    o->SetFill(new jvqSolidFill(KindColors[i]));
    page->AddChild(o);
  }
  return doc.OnSaveDocument(path) ? 0 : 3;
}

// A board of pictures and fills: an 800 x 600 photograph (magenta, 203 x 152 mm at
// 100 dpi), the same in cyan for the user to turn, a rectangle with the grid pattern of the
// pattern library (index 8: one line every 16 pixels) in green, one with the first texture of the texture library and one with a
// texture picture of its own.
static int MakePictureBoard(const char* path) {
  qvzDocument doc;
  if (!doc.OnNewDocument()) return 2;
  jvqPage* page = doc.GetBoard()->GetCurrentPage();
  RECT rc = {0, 0, 4200, 2970};
  page->SetPageRect(&rc);
  CDib dib;
  if (!dib.Create(800, 600, 24)) return 4;
  for (int y = 0; y < 600; y++)
    for (int x = 0; x < 800; x++) dib.SetColor(x, y, (x < 4 || y < 4 || x > 795 || y > 595) ? RGB(0, 0, 0) : RGB(255, 0, 255));
  CMemFile mem;
  dib.Write(&mem);
  mem.SeekToBegin();
  CDibImage* photo = new CDibImage;
  if (!photo->Read(&mem, (DWORD)mem.GetLength())) return 5;
  jvqImageObject* pic = new jvqImageObject(doc.GetImagePool(), NULL, NULL);
  pic->SetPicture(doc.GetImagePool(), photo, FALSE);
  RECT pr = {300, 300, 300 + 2032, 300 + 1524};
  pic->SetRect(&pr, NULL, 0x311);
  page->AddChild(pic);
  // The same 800 x 600 photograph in cyan below, upright.
  CDib turned;
  if (!turned.Create(800, 600, 24)) return 4;
  for (int y = 0; y < 600; y++)
    for (int x = 0; x < 800; x++) turned.SetColor(x, y, RGB(0, 255, 255));
  CMemFile mem2;
  turned.Write(&mem2);
  mem2.SeekToBegin();
  CDibImage* photo2 = new CDibImage;
  if (!photo2->Read(&mem2, (DWORD)mem2.GetLength())) return 5;
  jvqImageObject* pic2 = new jvqImageObject(doc.GetImagePool(), NULL, NULL);
  pic2->SetPicture(doc.GetImagePool(), photo2, FALSE);
  RECT tr = {1200, 2050, 1200 + 812, 2050 + 609};
  pic2->SetRect(&tr, NULL, 0x311);
  page->AddChild(pic2);
  RECT r1 = {2600, 300, 3800, 1300};
  jvqRectObject* pattern = new jvqRectObject(&r1, NULL, 0x311 | JVQ_STATE_FILLED);
  jvqPatternFill* pf = new jvqPatternFill;
  jvqImageFileList none;
  pf->SetPattern(&none, 8, RGB(255, 255, 255), RGB(0, 160, 0));
  jvqPatternFill::SetLibrary(NULL);
  pattern->SetFill(pf);
  page->AddChild(pattern);
  RECT r2 = {2600, 1500, 3800, 2500};
  jvqRectObject* texture = new jvqRectObject(&r2, NULL, 0x311 | JVQ_STATE_FILLED);
  jvqTextureFill* tf = new jvqTextureFill;
  tf->m_nIndex = 0;
  texture->SetFill(tf);
  page->AddChild(texture);
  // A texture of its own: a 40 x 40 tile whose top two rows and left two columns are orange,
  // so that the tiles' size can be read off the screen (a line one pixel wide may drop out
  // where the tile is drawn smaller than it is).
  CDib tile;
  if (!tile.Create(40, 40, 24)) return 4;
  for (int y = 0; y < 40; y++)
    for (int x = 0; x < 40; x++) tile.SetColor(x, y, (x < 2 || y < 2) ? RGB(255, 128, 0) : RGB(255, 255, 224));
  CString tilePath = CString(path) + ".tile.bmp";
  if (!tile.Write(tilePath)) return 4;
  RECT r3 = {300, 2050, 1000, 2750};
  jvqRectObject* own = new jvqRectObject(&r3, NULL, 0x311 | JVQ_STATE_FILLED);
  jvqTextureFill* of = new jvqTextureFill(tilePath);
  ::DeleteFile(tilePath);
  if (of->m_pImage == NULL) return 6;
  own->SetFill(of);
  page->AddChild(own);
  return doc.OnSaveDocument(path) ? 0 : 3;
}

// A board of the text family: the blue rectangle that gives the view's scale, a leader text
// whose frame sits right of (2800, 1200), a balloon on the body (1000, 2000)-(1800, 2400)
// filled yellow, a horizontal and a vertical text and two titles.
static int MakeTextBoard(const char* path) {
  qvzDocument doc;
  if (!doc.OnNewDocument()) return 2;
  jvqObjectDefaults* d = jvqObjectDefaults::GetObjectDefaults();
  jvqPage* page = doc.GetBoard()->GetCurrentPage();
  RECT rc = {0, 0, 4200, 2970};
  page->SetPageRect(&rc);
  RECT r = {1000, 1000, 2000, 1600};
  jvqRectObject* rect = new jvqRectObject(&r, NULL, 0x311);
  d->ApplyDefaults(rect);
  rect->SetFill(new jvqSolidFill(RGB(0, 0, 255)));
  page->AddChild(rect);

  const POINT leader[2] = {{2400, 800}, {2800, 1200}};
  jvqLineTextObject* lt = new jvqLineTextObject;
  lt->SetPoints(leader, 2, NULL, 0x311);
  d->ApplyDefaults(lt);
  lt->m_pFrame->GetTextFill()->SetText("引出線");
  lt->Recalc();
  page->AddChild(lt);

  RECT b = {1000, 2000, 1800, 2400};
  jvqBalloonObject* balloon = new jvqBalloonObject(NULL);
  balloon->SetBody(new jvqRectObject(&b, NULL, 0x311), NULL, 0x311);
  balloon->SetFill(new jvqSolidFill(RGB(255, 255, 0)));
  balloon->GetText()->GetTextFill()->SetText("吹き出し");
  page->AddChild(balloon);

  jvqTextAttributes a;
  jvqDefaultTextAttributes(&a);
  a.text = "横書きの文";
  RECT t = {2400, 2000, 3600, 2200};
  page->AddChild(new jvqTextObject(&t, NULL, &a, 0x311));
  a.text = "縦書き";
  a.direction = JVQ_TEXT_VERTICAL;
  RECT v = {3800, 1400, 4000, 2400};
  page->AddChild(new jvqTextObject(&v, NULL, &a, 0x311));
  jvqBannerStyle s;
  s.m_Block.horizontal = 1;
  s.m_Block.shape = 3;
  RECT h = {2400, 200, 3400, 600};
  page->AddChild(new jvqBannerObject(&h, NULL, &s, 0x311));
  s.m_Block.horizontal = 0;
  s.m_Block.shape = 7;
  RECT u = {200, 1800, 700, 2800};
  page->AddChild(new jvqBannerObject(&u, NULL, &s, 0x311));
  return doc.OnSaveDocument(path) ? 0 : 3;
}

// The program folder's file at a path under it.
static std::string ProgramFile(const char* relative) {
  char exe[MAX_PATH];
  ::GetModuleFileNameA(NULL, exe, MAX_PATH);
  std::string dir(exe);
  return dir.substr(0, dir.find_last_of('\\') + 1) + relative;
}

// A board of the program folder's plan symbols at 1:50 (one flipped, one turned) and two floor
// plans: 2LDK at 1:100 and 1K at 1:50.
static int MakeShapesBoard(const char* path) {
  qvzDocument doc;
  if (!doc.OnNewDocument()) return 2;
  jvqPage* page = doc.GetBoard()->GetCurrentPage();
  RECT rc = {0, 0, 4200, 2970};
  page->SetPageRect(&rc);
  const struct { const char* plan; int n; POINT at; } plans[] = {{"間取り図\\2LDK.kxq", 100, {300, 300}},
                                                                  {"間取り図\\1K.kxq", 50, {1700, 300}}};
  for (const auto& p : plans) {
    jvqMadorizuObject* plan = new jvqMadorizuObject(ProgramFile(p.plan).c_str(), NULL, doc.GetImagePool(), 0x311);
    if (plan->GetChildCount() != 1) return 4;
    plan->SetScale(1.0 / p.n);
    SIZE d = {p.at.x, p.at.y};
    plan->Offset(&d);
    page->AddChild(plan);
  }
  const char* symbols[] = {"ドア", "窓", "ベッド", "浴槽", "樹木", "テーブル", "ベッド", "ドア"};
  int x = 300;
  for (int i = 0; i < 8; i++) {
    const std::string file = ProgramFile((std::string("シンボル\\平面記号\\") + symbols[i] + ".tqz").c_str());
    jvqVectorFill* fill = new jvqVectorFill(file.c_str());
    if (fill->GetShape() == NULL || fill->GetShape()->GetPrimitiveCount() == 0) return 5;
    const SIZE e = fill->GetShape()->GetExtent();
    RECT r = {0, 0, e.cx / 10, e.cy / 10};
    jvqSymbolObject* s = new jvqSymbolObject(&r, NULL, 0x311);
    s->SetFill(fill);
    s->m_LineStyle = theNoLineStyle;
    s->SetScale(1.0 / 50);
    if (i == 6) s->SetRotation(30);
    if (i == 7) s->Flip(1);
    RECT b;
    s->GetBoundRect(&b);
    POINT c = {x + (b.right - b.left) / 2, 2300};
    s->MoveTo(&c, 1);
    x += b.right - b.left + 150;
    page->AddChild(s);
  }
  return doc.OnSaveDocument(path) ? 0 : 3;
}

// A folder of n small pictures 絵0001.bmp ...: grey ones, the last in the colour given.
static int MakeImages(const char* folder, const char* count, const char* last) {
  const int n = atoi(count);
  const unsigned rgb = (unsigned)strtoul(last, NULL, 16);
  ::CreateDirectory(folder, NULL);
  for (int i = 1; i <= n; i++) {
    CDib dib;
    if (!dib.Create(48, 36, 24)) return 4;
    const COLORREF c = i == n ? RGB((rgb >> 16) & 255, (rgb >> 8) & 255, rgb & 255) : RGB(100 + i % 100, 120, 140);
    for (int y = 0; y < 36; y++)
      for (int x = 0; x < 48; x++) dib.SetColor(x, y, c);
    char path[MAX_PATH];
    snprintf(path, sizeof(path), "%s\\絵%04d.bmp", folder, i);
    if (!dib.Write(path)) return 5;
  }
  return 0;
}

// What a board holds: one line per shown object and per guide.
static int DumpBoard(const char* path) {
  qvzDocument doc;
  if (!doc.OnOpenDocument(path)) return 2;
  jvqPage* page = doc.GetBoard()->GetCurrentPage();
  RECT pr;
  page->GetBoundRect(&pr);
  printf("page %ld %ld %ld %ld\n", pr.left, pr.top, pr.right, pr.bottom);
  for (jvqObject* o : page->m_Children.m_items) {
    if (!o->IsShown()) continue;
    RECT r;
    o->GetBoundRect(&r);
    printf("object %x %ld %ld %ld %ld points %d rotation %d open %d fill %lx\n", o->GetClassCode(), r.left, r.top,
           r.right, r.bottom, o->GetPointCount(), (int)o->m_dRotation, (o->GetState() & JVQ_STATE_OPEN) ? 1 : 0,
           o->GetFill() ? (unsigned long)o->GetFill()->GetFlags() : 0ul);
    printf("line width %d color %06lx style %d\n", o->GetLineStyle()->GetWidth(), (unsigned long)o->GetLineStyle()->GetColor(),
           o->GetLineStyle()->GetStyle());
    if (o->GetClassCode() == JVQ_OBJ_LINETEXT) {
      jvqLineTextObject* lt = (jvqLineTextObject*)o;
      POINT s, e;
      lt->m_pLeader->GetPoint(&s, 0);
      lt->m_pLeader->GetPoint(&e, lt->m_pLeader->GetPointCount() - 1);
      lt->m_pFrame->GetBoundRect(&r);
      printf("leadertext end %ld %ld frame %ld %ld %ld %ld start %ld %ld\n", e.x, e.y, r.left, r.top, r.right, r.bottom,
             s.x, s.y);
      jvqTextFill* tf = lt->m_pFrame->GetTextFill();
      const jvqFill* own = o->GetFill();
      printf("leaderstyle arrow %d fill %06lx [%s]\n", lt->m_pLeader->m_StartLineEnd.m_nKind,
             own && (own->GetFlags() & FILL_SOLID)
                 ? ((unsigned long)GetRValue(((const jvqSolidFill*)own)->GetColor()) << 16) |
                       (GetGValue(((const jvqSolidFill*)own)->GetColor()) << 8) | GetBValue(((const jvqSolidFill*)own)->GetColor())
                 : 0xFFFFFFFFul,
             tf ? (const char*)tf->m_strText : "");
    } else if (o->GetClassCode() == JVQ_OBJ_BALLOON) {
      jvqBalloonObject* b = (jvqBalloonObject*)o;
      POINT t;
      b->m_pT->GetCenter(&t);
      b->m_pBody->GetBoundRect(&r);
      printf("balloon body %ld %ld %ld %ld tip %ld %ld\n", r.left, r.top, r.right, r.bottom, t.x, t.y);
    }
    if (o->GetClassCode() == JVQ_OBJ_TEXT && ((jvqTextObject*)o)->GetTextFill()) {
      jvqTextFill* f = ((jvqTextObject*)o)->GetTextFill();
      printf("text size %d style %d align %d direction %d [%s]\n", f->m_Attributes.charHeight, f->m_Attributes.style,
             f->m_Attributes.alignment, f->m_Attributes.direction, (const char*)f->m_strText);
    } else if (o->GetClassCode() == JVQ_OBJ_BANNER && ((jvqBannerObject*)o)->GetBannerStyle()) {
      jvqBannerStyle* s = ((jvqBannerObject*)o)->GetBannerStyle();
      printf("title shape %d horizontal %d style %d shadow %d [%s]\n", s->m_Block.shape, s->m_Block.horizontal,
             s->m_Block.style, s->m_Block.shadow, (const char*)s->m_strText);
    } else if (o->GetClassCode() == JVQ_OBJ_BALLOON && ((jvqBalloonObject*)o)->GetText() &&
               ((jvqBalloonObject*)o)->GetText()->GetTextFill()) {
      jvqTextFill* f = ((jvqBalloonObject*)o)->GetText()->GetTextFill();
      printf("balloontext size %d [%s]\n", f->m_Attributes.charHeight, (const char*)f->m_strText);
    }
    const DWORD code = o->GetClassCode();
    if (code == JVQ_OBJ_ARC)
      printf("arc angles %d %d ends %d %d\n", ((jvqArcObject*)o)->GetStartAngle(), ((jvqArcObject*)o)->GetEndAngle(),
             ((jvqArcObject*)o)->m_StartLineEnd.m_nKind, ((jvqArcObject*)o)->m_EndLineEnd.m_nKind);
    else if (code == JVQ_OBJ_PIE || code == JVQ_OBJ_CHORD)
      printf("pie angles %d %d\n", ((jvqPieObject*)o)->GetStartAngle(), ((jvqPieObject*)o)->GetEndAngle());
    else if (code == JVQ_OBJ_ROUNDRECT)
      printf("corner %d\n", ((jvqRoundRectObject*)o)->m_nCornerWidth);
    else if (code == JVQ_OBJ_POLYLINE && (o->GetState() & JVQ_STATE_OPEN))
      printf("line ends %d %d\n", ((jvqPolylineObject*)o)->m_StartLineEnd.m_nKind,
             ((jvqPolylineObject*)o)->m_EndLineEnd.m_nKind);
    else if (code == JVQ_OBJ_IMAGE)
      printf("image [%s]\n", (const char*)((jvqImageObject*)o)->GetFileName());
    if (code == JVQ_OBJ_GROUP)
      for (int i = 0; i < ((jvqGroupObject*)o)->GetChildCount(); i++) {
        jvqObject* c = ((jvqGroupObject*)o)->GetChild(i);
        c->GetBoundRect(&r);
        jvqTextFill* f = c->GetClassCode() == JVQ_OBJ_TEXT ? ((jvqTextObject*)c)->GetTextFill() : NULL;
        printf("member %x %ld %ld %ld %ld shown %d [%s]\n", c->GetClassCode(), r.left, r.top, r.right, r.bottom,
               c->IsShown() ? 1 : 0, f ? (const char*)f->m_strText : "");
      }
    if (o->GetClassCode() == JVQ_OBJ_MADORIZU)
      printf("plan scale %d width %d children %d\n", ((jvqMadorizuObject*)o)->GetScaleDenominator(),
             ((jvqMadorizuObject*)o)->m_nPlanWidth, ((jvqMadorizuObject*)o)->GetChildCount());
    if (o->GetClassCode() == JVQ_OBJ_SYMBOL && ((jvqSymbolObject*)o)->GetVectorShape())
      printf("symbol mirror %d primitives %d\n", ((jvqSymbolObject*)o)->GetVectorShape()->m_nMirror,
             ((jvqSymbolObject*)o)->GetVectorShape()->GetPrimitiveCount());
  }
  for (const char* prefix : {"GuideH", "GuideV"})
    for (const qvzGuideEntry& g : qvzReadGuideProperties(doc.GetHeader(), prefix))
      printf("guide %s %d page %d\n", prefix, g.nPosition, g.nPageIndex);
  return 0;
}

static HWND theMain = NULL;

struct PopupArg {
  DWORD pid;
  HWND found;
};

static BOOL CALLBACK FindPopup(HWND h, LPARAM lp) {
  PopupArg* a = (PopupArg*)lp;
  DWORD pid = 0;
  ::GetWindowThreadProcessId(h, &pid);
  char cls[64] = "";
  ::GetClassName(h, cls, sizeof(cls));
  if (pid == a->pid && h != theMain && ::IsWindowVisible(h) && !strcmp(cls, "#32770") && !::GetWindow(h, GW_CHILD)) {
    a->found = h;
    return FALSE;
  }
  return TRUE;
}

// A shown window of the process, not the main window, without a caption: the colour grid.
static BOOL CALLBACK FindColorPopup(HWND h, LPARAM lp) {
  PopupArg* a = (PopupArg*)lp;
  DWORD pid = 0;
  ::GetWindowThreadProcessId(h, &pid);
  char cls[64] = "";
  ::GetClassName(h, cls, sizeof(cls));
  const LONG style = ::GetWindowLong(h, GWL_STYLE);
  if (pid == a->pid && h != theMain && ::IsWindowVisible(h) && (style & WS_POPUP) && !(style & WS_CAPTION) &&
      strcmp(cls, TOOLTIPS_CLASSA) != 0 && strcmp(cls, "#32770") != 0 && strcmp(cls, "ComboLBox") != 0) {
    a->found = h;
    return FALSE;
  }
  return TRUE;
}

// The property bar: a shown window whose id is one of the bar templates', docked in the main
// window or floating in a small frame of its own.
static const int BarIds[] = {11700, 1170, 1171, 1025, 771, 1035, 1034, 1041, 664, 675, 251, 242,
                             1175, 253, 780, 275, 281, 289, 337, 1336, 1337};
static BOOL IsBarId(int id) {
  for (int b : BarIds)
    if (b == id) return TRUE;
  return FALSE;
}
static BOOL CALLBACK FindBarChild(HWND h, LPARAM lp) {
  if (::IsWindowVisible(h) && IsBarId(::GetDlgCtrlID(h))) {
    *(HWND*)lp = h;
    return FALSE;
  }
  return TRUE;
}
static BOOL CALLBACK FindBarTop(HWND h, LPARAM lp) {
  DWORD pid = 0, mine = 0;
  ::GetWindowThreadProcessId(h, &pid);
  ::GetWindowThreadProcessId(theMain, &mine);
  if (pid == mine && h != theMain && ::IsWindowVisible(h)) ::EnumChildWindows(h, FindBarChild, lp);
  return *(HWND*)lp == NULL;
}
static HWND PropertyBar() {
  HWND found = NULL;
  ::EnumChildWindows(theMain, FindBarChild, (LPARAM)&found);
  if (found == NULL) ::EnumWindows(FindBarTop, (LPARAM)&found);
  return found;
}

// A window of the main window by its id: its own child, or one a dock bar holds (the
// property bar docked at a side).
static HWND MainChild(int id) {
  HWND h = ::GetDlgItem(theMain, id);
  if (h != NULL) return h;
  struct Find {
    int id;
    HWND found;
    static BOOL CALLBACK Visit(HWND w, LPARAM lp) {
      Find* f = (Find*)lp;
      if (::GetDlgCtrlID(w) != f->id) return TRUE;
      f->found = w;
      return FALSE;
    }
  } f = {id, NULL};
  ::EnumChildWindows(theMain, Find::Visit, (LPARAM)&f);
  return f.found;
}

// view, hruler, vruler; tabs and pagelist (the folder frame's tab strip and page-list button);
// bar<id>.<command> (a button of a tool bar); win<id> (a child of the main window); popup (an
// open drop-down of the program).
static HWND Target(const std::string& name) {
  if (theMain == NULL) return NULL;
  int bar = 0, cmd = 0;
  if (sscanf(name.c_str(), "bar%d.%d", &bar, &cmd) == 2) return ::GetDlgItem(MainChild(bar), cmd);
  // win<id>: a child of the main window (a tool bar by its id).
  if (sscanf(name.c_str(), "win%d", &bar) == 1) return MainChild(bar);
  if (name == "popup") {
    // It opens while the click that opens it is handled: give it two seconds.
    PopupArg a = {0, NULL};
    ::GetWindowThreadProcessId(theMain, &a.pid);
    for (int i = 0; i < 20 && a.found == NULL; i++) {
      ::EnumWindows(FindPopup, (LPARAM)&a);
      if (a.found == NULL) ::Sleep(100);
    }
    return a.found;
  }
  if (name == "pbar") return PropertyBar();
  // The top-level window the bar is in: the main window, or the small frame it floats in.
  if (name == "pbarframe") return PropertyBar() ? ::GetAncestor(PropertyBar(), GA_ROOT) : NULL;
  if (sscanf(name.c_str(), "pbar.%d", &cmd) == 1) {
    HWND c = ::GetDlgItem(PropertyBar(), cmd);
    // Not a shown child of the bar (a hidden placeholder, a control of one of its panels):
    // the shown window of that id anywhere in the bar.
    if (c == NULL || !::IsWindowVisible(c)) {
      struct Find {
        int id;
        HWND found;
        static BOOL CALLBACK Visit(HWND h, LPARAM lp) {
          Find* f = (Find*)lp;
          if (::GetDlgCtrlID(h) != f->id || !::IsWindowVisible(h)) return TRUE;
          f->found = h;
          return FALSE;
        }
      } f = {cmd, NULL};
      ::EnumChildWindows(PropertyBar(), Find::Visit, (LPARAM)&f);
      if (f.found) c = f.found;
    }
    // pbar.<id>.edit: the edit part of a drop-down combo box.
    return name.find(".edit") != std::string::npos && c ? ::GetDlgItem(c, 1001) : c;
  }
  // The view's in-place text editor.
  if (name == "editor") return ::GetDlgItem(Target("view"), 115);
  if (name == "cpopup") {
    PopupArg a = {0, NULL};
    ::GetWindowThreadProcessId(theMain, &a.pid);
    for (int i = 0; i < 20 && a.found == NULL; i++) {
      ::EnumWindows(FindColorPopup, (LPARAM)&a);
      if (a.found == NULL) ::Sleep(100);
    }
    return a.found;
  }
  if (name == "tabs" || name == "pagelist") return ::GetDlgItem(::GetDlgItem(theMain, 0xE900), name == "tabs" ? 1 : 4);
  int id = name == "view" ? 0xE900 : name == "hruler" ? 1004 : name == "vruler" ? 1002 : 0;
  HWND h = id ? ::GetDlgItem(theMain, id) : NULL;
  // The editing view sits inside the folder frame, under the same pane id.
  if (h && id == 0xE900 && ::GetDlgItem(h, 0xE900)) h = ::GetDlgItem(h, 0xE900);
  return h;
}

// Memory in the program's process for a message whose argument points at a buffer.
struct RemoteBuffer {
  HANDLE proc = NULL;
  char* remote = NULL;
  explicit RemoteBuffer(HWND h, size_t n) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(h, &pid);
    proc = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (proc) remote = (char*)::VirtualAllocEx(proc, NULL, n, MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    if (remote) ::VirtualFreeEx(proc, remote, 0, MEM_RELEASE);
    if (proc) ::CloseHandle(proc);
  }
  void Put(size_t at, const void* p, size_t n) { ::WriteProcessMemory(proc, remote + at, p, n, NULL); }
  void Get(size_t at, void* p, size_t n) { ::ReadProcessMemory(proc, remote + at, p, n, NULL); }
};

struct TipArg {
  HWND tool;
  std::string text;
};

// The text a tool-tip control shows for a child window, when it is one of its tools.
static BOOL CALLBACK FindTip(HWND h, LPARAM lp) {
  TipArg* a = (TipArg*)lp;
  char cls[64] = "";
  ::GetClassName(h, cls, sizeof(cls));
  if (strcmp(cls, TOOLTIPS_CLASSA) != 0) return TRUE;
  RemoteBuffer buf(h, 4096);
  if (buf.remote == NULL) return TRUE;
  const int n = (int)::SendMessage(h, TTM_GETTOOLCOUNT, 0, 0);
  for (int i = 0; i < n; i++) {
    TTTOOLINFOA ti = {};
    ti.cbSize = sizeof(ti);
    buf.Put(0, &ti, sizeof(ti));
    if (!::SendMessage(h, TTM_ENUMTOOLSA, i, (LPARAM)buf.remote)) continue;
    buf.Get(0, &ti, sizeof(ti));
    if ((ti.uFlags & TTF_IDISHWND) == 0 || (HWND)ti.uId != a->tool) continue;
    ti.lpszText = buf.remote + 1024;
    buf.Put(0, &ti, sizeof(ti));
    ::SendMessage(h, TTM_GETTEXTA, 1024, (LPARAM)buf.remote);
    char text[1024] = "";
    buf.Get(1024, text, sizeof(text) - 1);
    a->text = text;
    return FALSE;
  }
  return TRUE;
}

// How many of a bitmap's pixels other than its 192-grey background show on the screen at
// (dx, dy) inside the window, out of how many: "matched total".
static std::string MatchBitmap(HWND h, int nResource, int dx, int dy) {
  char exe[MAX_PATH] = "QVZ.exe";
  HMODULE m = ::LoadLibraryEx(exe, NULL, LOAD_LIBRARY_AS_DATAFILE);
  HBITMAP bmp = m ? (HBITMAP)::LoadImage(m, MAKEINTRESOURCE(nResource), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION) : NULL;
  if (bmp == NULL) return "error";
  BITMAP bm;
  ::GetObject(bmp, sizeof(bm), &bm);
  RECT r;
  ::GetWindowRect(h, &r);
  HDC screen = ::GetDC(NULL);
  HDC a = ::CreateCompatibleDC(screen);
  HGDIOBJ old = ::SelectObject(a, bmp);
  int matched = 0, total = 0;
  for (int y = 0; y < bm.bmHeight; y++)
    for (int x = 0; x < bm.bmWidth; x++) {
      const COLORREF c = ::GetPixel(a, x, y);
      if (c == RGB(192, 192, 192)) continue;
      total++;
      if (::GetPixel(screen, r.left + dx + x, r.top + dy + y) == c) matched++;
    }
  ::SelectObject(a, old);
  ::DeleteDC(a);
  ::ReleaseDC(NULL, screen);
  ::DeleteObject(bmp);
  ::FreeLibrary(m);
  char buf[64];
  snprintf(buf, sizeof(buf), "%d %d", matched, total);
  return buf;
}

// A status pane's text, read through a buffer in the program's own memory.
static std::string StatusText(int pane) {
  HWND bar = ::GetDlgItem(theMain, 0xE801);
  if (bar == NULL) return "error";
  DWORD pid = 0;
  ::GetWindowThreadProcessId(bar, &pid);
  HANDLE proc = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (proc == NULL) return "error";
  void* remote = ::VirtualAllocEx(proc, NULL, 1024, MEM_COMMIT, PAGE_READWRITE);
  char buf[1024] = "";
  DWORD_PTR r = 0;
  if (remote && ::SendMessageTimeout(bar, SB_GETTEXTA, pane, (LPARAM)remote, SMTO_NORMAL, 5000, &r)) {
    SIZE_T got = 0;
    ::ReadProcessMemory(proc, remote, buf, sizeof(buf) - 1, &got);
  }
  if (remote) ::VirtualFreeEx(proc, remote, 0, MEM_RELEASE);
  ::CloseHandle(proc);
  return std::string("[") + buf + "]";
}

static std::string WindowText(HWND h) {
  char buf[1024] = "";
  if (h) ::SendMessageTimeout(h, WM_GETTEXT, sizeof(buf), (LPARAM)buf, SMTO_NORMAL, 5000, NULL);
  return buf;
}

struct DialogArg {
  const char* title;  // NULL: any message box (a dialog with a Yes or OK button)
  HWND found;
};

static BOOL CALLBACK FindDialog(HWND h, LPARAM lp) {
  DialogArg* a = (DialogArg*)lp;
  char cls[64] = "", title[256] = "";
  ::GetClassName(h, cls, sizeof(cls));
  ::GetWindowText(h, title, sizeof(title));
  if (!::IsWindowVisible(h) || strcmp(cls, "#32770") != 0) return TRUE;
  if (a->title ? strcmp(title, a->title) == 0 : (::GetDlgItem(h, IDYES) || ::GetDlgItem(h, IDOK))) {
    a->found = h;
    return FALSE;
  }
  return TRUE;
}

static BOOL CALLBACK FindStartMenu(HWND h, LPARAM lp) {
  char cls[64] = "";
  ::GetClassName(h, cls, sizeof(cls));
  RECT rc;
  ::GetWindowRect(h, &rc);
  if (::IsWindowVisible(h) && !strcmp(cls, "#32770") && !::GetWindow(h, GW_CHILD) && rc.right - rc.left == 480 &&
      rc.bottom - rc.top == 415) {
    *(HWND*)lp = h;
    return FALSE;
  }
  return TRUE;
}

static HWND WaitStartMenu() {
  for (int i = 0; i < 150; i++) {
    HWND h = NULL;
    ::EnumWindows(FindStartMenu, (LPARAM)&h);
    if (h) return h;
    ::Sleep(100);
  }
  return NULL;
}

static HWND WaitDialog(const char* title) {
  for (int i = 0; i < 100; i++) {
    DialogArg a = {title, NULL};
    ::EnumWindows(FindDialog, (LPARAM)&a);
    if (a.found) return a.found;
    ::Sleep(100);
  }
  return NULL;
}

struct FindArg {
  const char* part;
  HWND found;
};

static BOOL CALLBACK FindTop(HWND h, LPARAM lp) {
  FindArg* a = (FindArg*)lp;
  char title[512];
  ::GetWindowText(h, title, sizeof(title));
  if (::IsWindowVisible(h) && strstr(title, a->part) && ::GetDlgItem(h, 0xE900)) {
    a->found = h;
    return FALSE;
  }
  return TRUE;
}


// The bounding box of a colour in a window's client area, read from the screen, as the user
// sees it: another process's window DC shows nothing.
static bool FindColorIn(HWND h, COLORREF cr, RECT* found) {
  RECT rc;
  ::GetClientRect(h, &rc);
  POINT org = {0, 0};
  ::ClientToScreen(h, &org);
  HDC screen = ::GetDC(NULL);
  HDC mem = ::CreateCompatibleDC(screen);
  HBITMAP bmp = ::CreateCompatibleBitmap(screen, rc.right, rc.bottom);
  HGDIOBJ old = ::SelectObject(mem, bmp);
  ::BitBlt(mem, 0, 0, rc.right, rc.bottom, screen, org.x, org.y, SRCCOPY);
  RECT r = {INT_MAX, INT_MAX, -1, -1};
  for (int y = 0; y < rc.bottom; y++)
    for (int x = 0; x < rc.right; x++)
      if (::GetPixel(mem, x, y) == cr) {
        r.left = x < r.left ? x : r.left;
        r.top = y < r.top ? y : r.top;
        r.right = x > r.right ? x : r.right;
        r.bottom = y > r.bottom ? y : r.bottom;
      }
  ::SelectObject(mem, old);
  ::DeleteObject(bmp);
  ::DeleteDC(mem);
  ::ReleaseDC(NULL, screen);
  *found = r;
  return r.right >= 0;
}

static std::string Locate(COLORREF cr, const char* target = "view") {
  HWND v = Target(target);
  RECT r;
  if (v == NULL || !FindColorIn(v, cr, &r)) return "none";
  char buf[64];
  snprintf(buf, sizeof(buf), "%ld %ld %ld %ld", (long)r.left, (long)r.top, (long)r.right, (long)r.bottom);
  return buf;
}

static void Idle() {
  // A message sent after the posted ones comes back only once they are handled.
  DWORD_PTR r;
  HWND v = Target("view");
  if (v) ::SendMessageTimeout(v, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &r);
  if (theMain) ::SendMessageTimeout(theMain, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &r);
}

// What "dlg <title|*> <id> <verb> [arg]" does to one control of a dialog of another process
// ("*": whichever dialog the program shows): text (read, on one line), set, check, click,
// select, sel, pick (thousandths of the width and height).
static std::string DialogControl(HWND d, int id, const char* verb, const char* arg) {
  HWND c = ::GetDlgItem(d, id);
  // A property sheet's controls sit in its shown page, a dialog of its own, which gets the notices.
  for (HWND p = c ? NULL : ::GetWindow(d, GW_CHILD); p && !c; p = ::GetWindow(p, GW_HWNDNEXT))
    if (::IsWindowVisible(p) && (c = ::GetDlgItem(p, id)) != NULL) d = p;
  if (c == NULL) return "error";
  char cls[64] = "";
  ::GetClassName(c, cls, sizeof(cls));
  const bool list = !_stricmp(cls, "ListBox"), combo = !_stricmp(cls, "ComboBox");
  if (!strcmp(verb, "text")) {
    if (!list) {
      // One reply line: line ends as "|".
      const std::string t = WindowText(c);
      std::string one;
      for (size_t i = 0; i < t.size(); i++) {
        if (t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n') continue;
        one += t[i] == '\n' || t[i] == '\r' ? '|' : t[i];
      }
      return "[" + one + "]";
    }
    std::string all;
    const int n = (int)::SendMessage(c, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < n; i++) {
      // Across processes the text comes as UTF-16, turned into the program's code page here.
      WCHAR wide[256] = L"";
      char item[512] = "";
      if (::SendMessageW(c, LB_GETTEXTLEN, i, 0) < 256) ::SendMessageW(c, LB_GETTEXT, i, (LPARAM)wide);
      ::WideCharToMultiByte(CP_ACP, 0, wide, -1, item, sizeof(item), NULL, NULL);
      all += (i ? "|" : "") + std::string(item);
    }
    return "[" + all + "]";
  }
  if (!strcmp(verb, "set")) {
    ::SendMessage(c, WM_SETTEXT, 0, (LPARAM)arg);
    return "ok";
  }
  if (!strcmp(verb, "check")) {
    ::SendMessage(c, BM_SETCHECK, atoi(arg) ? BST_CHECKED : BST_UNCHECKED, 0);
    ::PostMessage(d, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)c);
    return "ok";
  }
  if (!strcmp(verb, "click")) {
    ::PostMessage(d, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)c);
    return "ok";
  }
  if (!strcmp(verb, "pick")) {
    // A mouse click at a place given in thousandths of the control's width and height.
    int fx = 0, fy = 0;
    if (sscanf(arg, "%d %d", &fx, &fy) != 2) return "error";
    RECT r;
    ::GetClientRect(c, &r);
    const LPARAM at = MAKELPARAM(r.right * fx / 1000, r.bottom * fy / 1000);
    ::PostMessage(c, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessage(c, WM_LBUTTONUP, 0, at);
    return "ok";
  }
  if (!strcmp(verb, "select") && (list || combo)) {
    ::SendMessage(c, list ? LB_SETCURSEL : CB_SETCURSEL, atoi(arg), 0);
    ::PostMessage(d, WM_COMMAND, MAKEWPARAM(id, list ? LBN_SELCHANGE : CBN_SELCHANGE), (LPARAM)c);
    return "ok";
  }
  if (!strcmp(verb, "sel") && (list || combo)) {
    char buf[16];
    snprintf(buf, sizeof(buf), "%d", (int)::SendMessage(c, list ? LB_GETCURSEL : CB_GETCURSEL, 0, 0));
    return buf;
  }
  return "error";
}

// ---- property sheets: their pages and the controls on them ----

struct DescendantArg {
  int id;
  HWND found;
};

static BOOL CALLBACK FindShownDescendant(HWND h, LPARAM lp) {
  DescendantArg* a = (DescendantArg*)lp;
  if (::GetDlgCtrlID(h) != a->id || !::IsWindowVisible(h)) return TRUE;
  a->found = h;
  return FALSE;
}

// "sheetpage <title> <n>": the sheet of that title turns to page n, as a click on its tab
// does. "pagetext <title> <id>": the text of the shown control of that id on its current
// page ("[...]").
static std::string SheetVerb(const char* cmd, const char* line) {
  char title[512] = "";
  int n = 0;
  if (sscanf(line, "%*s %511s %d", title, &n) != 2) return "error";
  HWND sheet = WaitDialog(strcmp(title, "*") ? title : NULL);
  if (sheet == NULL) return "error";
  if (!strcmp(cmd, "sheetpage")) {
    DWORD_PTR r = 0;
    if (!::SendMessageTimeout(sheet, PSM_SETCURSEL, n, 0, SMTO_NORMAL, 10000, &r) || !r) return "error";
    ::Sleep(300);
    return "ok";
  }
  DescendantArg a = {n, NULL};
  ::EnumChildWindows(sheet, FindShownDescendant, (LPARAM)&a);
  return a.found ? "[" + WindowText(a.found) + "]" : "error";
}

// "thumbscroll <title> <scroll code> <times>": scroll messages to the thumbnail list (1062)
// of the picture dialog of that title, each handled before the next; "row last": the list's
// top row afterwards and whether its last cell lies inside the list's client area (1 or 0).
static std::string ThumbScrollVerb(const char* line) {
  char title[512] = "";
  int code = 0, times = 0;
  if (sscanf(line, "%*s %511s %d %d", title, &code, &times) != 3) return "error";
  HWND d = WaitDialog(title);
  HWND list = NULL;
  for (HWND child = d ? ::FindWindowEx(d, NULL, NULL, NULL) : NULL; child && !list;
       child = ::FindWindowEx(d, child, NULL, NULL))
    list = ::GetDlgItem(child, 1062);
  if (list == NULL) return "error";
  for (int i = 0; i < times; i++) {
    DWORD_PTR r = 0;
    if (!::SendMessageTimeout(list, WM_VSCROLL, MAKEWPARAM(code, 0), 0, SMTO_NORMAL, 30000, &r)) return "timeout";
    ::SendMessageTimeout(list, WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0, SMTO_NORMAL, 30000, &r);
  }
  ::UpdateWindow(list);
  // The last cell: the child with the highest id; the top row: that of the first cell in
  // view (another process's scroll position does not read across).
  RECT lr, cr;
  ::GetWindowRect(list, &lr);
  int last = -1, first = INT_MAX;
  HWND lastCell = NULL;
  for (HWND c = ::GetWindow(list, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
    const int id = ::GetDlgCtrlID(c);
    if (id > last) {
      last = id;
      lastCell = c;
    }
    if (::GetWindowRect(c, &cr) && cr.bottom > lr.top && cr.top < lr.bottom && id < first) first = id;
  }
  int inside = 0;
  if (lastCell && ::GetWindowRect(lastCell, &cr)) inside = cr.top >= lr.top && cr.bottom <= lr.bottom + 40 ? 1 : 0;
  char buf[64];
  snprintf(buf, sizeof(buf), "%d %d %d", first == INT_MAX ? -1 : first / 4, last, inside);
  return buf;
}

// ---- the catalogue browser's tree, list and search box ----

struct ClassArg {
  const char* cls;
  HWND found;
};

static BOOL CALLBACK FindClassChild(HWND h, LPARAM lp) {
  ClassArg* a = (ClassArg*)lp;
  char cls[64] = "";
  ::GetClassName(h, cls, sizeof(cls));
  if (strcmp(cls, a->cls) == 0 && ::IsWindowVisible(h)) {
    a->found = h;
    return FALSE;
  }
  return TRUE;
}

static HWND ChildOfClass(const char* cls) {
  ClassArg a = {cls, NULL};
  if (theMain) ::EnumChildWindows(theMain, FindClassChild, (LPARAM)&a);
  return a.found;
}

static std::string TreeText(HWND tree, HTREEITEM item) {
  RemoteBuffer buf(tree, 1024);
  if (buf.remote == NULL) return "";
  TVITEMA tv = {};
  tv.mask = TVIF_TEXT;
  tv.hItem = item;
  tv.pszText = buf.remote + sizeof(tv);
  tv.cchTextMax = 512;
  buf.Put(0, &tv, sizeof(tv));
  DWORD_PTR r = 0;
  ::SendMessageTimeout(tree, TVM_GETITEMA, 0, (LPARAM)buf.remote, SMTO_NORMAL, 10000, &r);
  char text[513] = "";
  buf.Get(sizeof(tv), text, 512);
  return text;
}

static HTREEITEM TreeNext(HWND tree, HTREEITEM item, UINT code) {
  DWORD_PTR r = 0;
  ::SendMessageTimeout(tree, TVM_GETNEXTITEM, code, (LPARAM)item, SMTO_NORMAL, 10000, &r);
  return (HTREEITEM)r;
}

// "a|b|c": the item down that path of labels, each parent expanded on the way.
static HTREEITEM TreeFind(HWND tree, const std::string& path, bool expand) {
  HTREEITEM item = NULL;
  size_t at = 0;
  while (at <= path.size()) {
    size_t bar = path.find('|', at);
    if (bar == std::string::npos) bar = path.size();
    const std::string label = path.substr(at, bar - at);
    HTREEITEM c = item ? TreeNext(tree, item, TVGN_CHILD) : TreeNext(tree, NULL, TVGN_ROOT);
    while (c && TreeText(tree, c) != label) c = TreeNext(tree, c, TVGN_NEXT);
    if (c == NULL) return NULL;
    item = c;
    at = bar + 1;
    if (bar < path.size() && expand) {
      DWORD_PTR r = 0;
      ::SendMessageTimeout(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)item, SMTO_NORMAL, 60000, &r);
    }
  }
  return item;
}

static std::string TreePath(HWND tree, HTREEITEM item) {
  std::string path;
  for (; item; item = TreeNext(tree, item, TVGN_PARENT)) path = TreeText(tree, item) + (path.empty() ? "" : "|" + path);
  return path;
}

// Rows of the report list: columns joined by tabs, rows by " || ".
static std::string ListRows(HWND list, int most) {
  RemoteBuffer buf(list, 1024);
  if (buf.remote == NULL) return "error";
  HWND header = (HWND)::SendMessage(list, LVM_GETHEADER, 0, 0);
  const int columns = header ? (int)::SendMessage(header, HDM_GETITEMCOUNT, 0, 0) : 1;
  const int rows = (int)::SendMessage(list, LVM_GETITEMCOUNT, 0, 0);
  std::string out = std::to_string(rows);
  for (int i = 0; i < rows && i < most; i++) {
    out += i ? " || " : ": ";
    for (int c = 0; c < columns; c++) {
      LVITEMA lv = {};
      lv.iSubItem = c;
      lv.pszText = buf.remote + sizeof(lv);
      lv.cchTextMax = 512;
      buf.Put(0, &lv, sizeof(lv));
      ::SendMessage(list, LVM_GETITEMTEXTA, i, (LPARAM)buf.remote);
      char text[513] = "";
      buf.Get(sizeof(lv), text, 512);
      out += (c ? "\t" : "") + std::string(text);
    }
  }
  return out;
}

static std::string Rest(const char* line) {
  const char* p = line;
  while (*p && *p != ' ') p++;
  if (*p == ' ') p++;
  std::string s = p;
  while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
  return s;
}

// ---- the fill pop-up of a fill button (template 280 or 305) and its pages ----
// "fill tab <n>" clicks tab n; "fill color <rrggbb>" clicks the cell of that colour on the open
// page; "fill sample <n>" clicks cell n (0..7) of a texture or pattern page; "fill kind <n>"
// chooses a gradient kind; "fill picker <id> <rrggbb>" opens a colour picker of the open page
// and clicks that colour in its grid; "fill page" the open tab; "fill control <id>" clicks a
// button of the open page; "fill button <id>" a button of the pop-up (OK, Cancel); "fill open
// <dialog title> <id>" presses the fill button of a dialog.
static const int kFillTab = 727;

static BOOL CALLBACK FindFillPopup(HWND h, LPARAM lp) {
  DWORD pid = 0, mine = 0;
  ::GetWindowThreadProcessId(h, &pid);
  ::GetWindowThreadProcessId(theMain, &mine);
  char cls[64] = "";
  ::GetClassName(h, cls, sizeof(cls));
  if (pid == mine && ::IsWindowVisible(h) && !strcmp(cls, "#32770") && ::GetDlgItem(h, kFillTab)) {
    *(HWND*)lp = h;
    return FALSE;
  }
  return TRUE;
}

static HWND WaitFillPopup() {
  for (int i = 0; i < 50; i++) {
    HWND h = NULL;
    ::EnumWindows(FindFillPopup, (LPARAM)&h);
    if (h) return h;
    ::Sleep(100);
  }
  return NULL;
}

static int FillPageIndex(HWND popup) {
  HWND tab = ::GetDlgItem(popup, kFillTab);
  for (int i = 0; i < 5; i++) {
    HWND p = ::GetDlgItem(tab, kFillTab + i + 1);
    if (p && ::IsWindowVisible(p)) return i;
  }
  return -1;
}

static void PostClick(HWND h, int x, int y, bool bDown = true) {
  // Some windows read where the pointer is, not the message's point.
  POINT at = {x, y};
  ::ClientToScreen(h, &at);
  ::SetCursorPos(at.x, at.y);
  ::PostMessage(h, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  if (bDown) ::PostMessage(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  ::PostMessage(h, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

static std::string FillVerb(const char* line) {
  char verb[32] = "";
  int n = 0;
  unsigned int rgb = 0;
  const int got = sscanf(line, "%*s %31s %d %x", verb, &n, &rgb);
  if (!strcmp(verb, "open")) {
    // "fill open <dialog title> <id>": presses the fill button of a dialog.
    char title[256] = "";
    if (sscanf(line, "%*s %*s %255s %d", title, &n) != 2) return "error";
    HWND d = WaitDialog(title);
    HWND b = d ? ::GetDlgItem(d, n) : NULL;
    if (b == NULL) return "error";
    ::PostMessage(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    return WaitFillPopup() ? "ok" : "error";
  }
  HWND popup = WaitFillPopup();
  if (popup == NULL || got < 1) return "error";
  HWND tab = ::GetDlgItem(popup, kFillTab);
  const int open = FillPageIndex(popup);
  HWND page = open >= 0 ? ::GetDlgItem(tab, kFillTab + open + 1) : NULL;
  std::string reply = "ok";
  if (!strcmp(verb, "page")) {
    reply = std::to_string(open);
  } else if (!strcmp(verb, "tab")) {
    RemoteBuffer buf(tab, sizeof(RECT));
    RECT rc = {};
    if (buf.remote == NULL || !::SendMessage(tab, TCM_GETITEMRECT, n, (LPARAM)buf.remote)) return "error";
    buf.Get(0, &rc, sizeof(rc));
    PostClick(tab, (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
  } else if (!strcmp(verb, "color")) {
    // The colour as rrggbb, in the first number's place.
    sscanf(line, "%*s %*s %x", &rgb);
    RECT rc;
    if (page == NULL || !FindColorIn(page, RGB(rgb >> 16, (rgb >> 8) & 255, rgb & 255), &rc)) return "none";
    PostClick(page, (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
  } else if (!strcmp(verb, "sample") || !strcmp(verb, "control")) {
    const int id = !strcmp(verb, "sample") ? n + 1 : n;
    HWND cell = page ? ::GetDlgItem(page, id) : NULL;
    if (cell == NULL) return "error";
    ::PostMessage(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)cell);
  } else if (!strcmp(verb, "kind")) {
    HWND combo = page ? ::GetDlgItem(page, 110) : NULL;
    if (combo == NULL) return "error";
    ::SendMessage(combo, CB_SETCURSEL, n, 0);
    ::PostMessage(page, WM_COMMAND, MAKEWPARAM(110, CBN_SELCHANGE), (LPARAM)combo);
  } else if (!strcmp(verb, "picker")) {
    HWND picker = page ? ::GetDlgItem(page, n) : NULL;
    if (picker == NULL || got < 3) return "error";
    ::PostMessage(page, WM_COMMAND, MAKEWPARAM(n, BN_CLICKED), (LPARAM)picker);
    PopupArg a = {0, NULL};
    ::GetWindowThreadProcessId(theMain, &a.pid);
    for (int i = 0; i < 30 && a.found == NULL; i++) {
      ::Sleep(100);
      ::EnumWindows(FindColorPopup, (LPARAM)&a);
    }
    RECT rc;
    if (a.found == NULL) return "error";
    ::Sleep(800);
    if (!FindColorIn(a.found, RGB(rgb >> 16, (rgb >> 8) & 255, rgb & 255), &rc)) return "none";
    // The grid takes its pick when the button goes up over a cell.
    PostClick(a.found, (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2, false);
  } else if (!strcmp(verb, "button")) {
    ::PostMessage(popup, WM_COMMAND, MAKEWPARAM(n, BN_CLICKED), (LPARAM)::GetDlgItem(popup, n));
  } else {
    return "error";
  }
  ::Sleep(300);
  return reply;
}

// "fills <board>": the fill record of the page and of each shown object, one a line, colours
// as rrggbb.
static unsigned long Rgb(COLORREF c) { return ((unsigned long)GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

static void PrintFill(const char* what, const jvqFill* f) {
  const DWORD k = f ? f->GetFlags() : 0;
  if (f == NULL)
    printf("%s none\n", what);
  else if (k & FILL_SOLID)
    printf("%s solid %06lx\n", what, Rgb(((const jvqSolidFill*)f)->GetColor()));
  else if (k & FILL_GRADIENT)
    printf("%s gradient kind %d %06lx %06lx\n", what, ((const jvqGradientFill*)f)->m_nKind,
           Rgb(((const jvqGradientFill*)f)->m_crColor1), Rgb(((const jvqGradientFill*)f)->m_crColor2));
  else if (k & FILL_TEXTURE)
    printf("%s texture %d [%s] image %d\n", what, ((const jvqTextureFill*)f)->m_nIndex,
           (const char*)((const jvqTextureFill*)f)->m_strPath, ((const jvqTextureFill*)f)->m_pImage ? 1 : 0);
  else if (k & FILL_PATTERN)
    printf("%s pattern %d fore %06lx back %06lx\n", what, ((const jvqPatternFill*)f)->m_nIndex,
           Rgb(((const jvqPatternFill*)f)->m_crFore), Rgb(((const jvqPatternFill*)f)->m_crBack));
  else
    printf("%s other %lx\n", what, (unsigned long)k);
}

static int DumpFills(const char* path) {
  qvzDocument doc;
  if (!doc.OnOpenDocument(path)) return 2;
  jvqPage* page = doc.GetBoard()->GetCurrentPage();
  PrintFill("page", page->GetFill());
  for (jvqObject* o : page->m_Children.m_items)
    if (o->IsShown()) PrintFill("object", o->GetFill());
  return 0;
}


// A catalogue item dragged in by a drop source of the driver's own: the six strings of the
// catalogue browser's hand-over in its clipboard format (and, for the hand's drag, the picture
// as CF_HDROP too, as the browser gives both), dropped at a screen point through OLE's
// DoDragDrop.
struct JourneyDataObject : IDataObject {
  LONG refs = 1;
  std::vector<std::pair<CLIPFORMAT, std::string>> blocks;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (riid == IID_IUnknown || riid == IID_IDataObject) {
      *ppv = this;
      AddRef();
      return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  const std::string* Find(const FORMATETC* f) {
    if (!(f->tymed & TYMED_HGLOBAL)) return NULL;
    for (const auto& b : blocks)
      if (b.first == f->cfFormat) return &b.second;
    return NULL;
  }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* f, STGMEDIUM* m) override {
    const std::string* block = Find(f);
    if (block == NULL) return DV_E_FORMATETC;
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, block->size());
    memcpy(::GlobalLock(h), block->data(), block->size());
    ::GlobalUnlock(h);
    m->tymed = TYMED_HGLOBAL;
    m->hGlobal = h;
    m->pUnkForRelease = NULL;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* f) override { return Find(f) ? S_OK : DV_E_FORMATETC; }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = NULL;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD dir, IEnumFORMATETC** pp) override {
    if (dir != DATADIR_GET) return E_NOTIMPL;
    std::vector<FORMATETC> list;
    for (const auto& b : blocks) list.push_back({b.first, NULL, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
    return ::SHCreateStdEnumFmtEtc((UINT)list.size(), list.data(), pp);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }
};

static std::string CatalogItemBlock(const std::string& number, const std::string& picture, bool bEnded) {
  const std::string fields[6] = {picture, "JRN-KEY", number, "旅の品", "", "■価格 1000"};
  std::string block;
  for (const std::string& f : fields) block += f + std::string(1, '\0');
  // The browser ends the item and then the block with a NUL each.
  if (bEnded) block += std::string(2, '\0');
  return block;
}

static std::string HDropBlock(const std::string& path) {
  DROPFILES head = {};
  head.pFiles = sizeof(head);
  std::string block((const char*)&head, sizeof(head));
  return block + path + std::string(2, '\0');
}

// The button is never pressed: the source moves the cursor onto the point on its first
// questions and asks for the drop after a few more, so the target sees DragEnter, DragOver and
// Drop as from a user.
struct JourneyDropSource : IDropSource {
  LONG refs = 1;
  int asked = 0;
  POINT at;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (riid == IID_IUnknown || riid == IID_IDropSource) {
      *ppv = this;
      AddRef();
      return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) override {
    if (escape) return DRAGDROP_S_CANCEL;
    // Wiggle onto the point so that the loop sees the cursor move there.
    ::SetCursorPos(at.x + (asked % 2), at.y);
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_MOVE;
    ::SendInput(1, &in, sizeof(in));
    return ++asked > 12 ? DRAGDROP_S_DROP : S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

static std::string DropReply(HRESULT hr, DWORD effect) {
  char buf[64];
  snprintf(buf, sizeof(buf), "%s %lu", hr == DRAGDROP_S_DROP ? "dropped" : hr == DRAGDROP_S_CANCEL ? "cancelled" : "failed",
           (unsigned long)effect);
  return buf;
}

// "oledrop <x> <y> <item number> <picture path>": what DoDragDrop reported and the effect.
static std::string OleDropVerb(int x, int y, const std::string& number, const std::string& picture) {
  static BOOL init = SUCCEEDED(::OleInitialize(NULL));
  if (!init) return "error";
  JourneyDataObject data;
  data.blocks.push_back({(CLIPFORMAT)::RegisterClipboardFormat("VendaroExplorer"), CatalogItemBlock(number, picture, false)});
  JourneyDropSource source;
  source.at = {x, y};
  ::SetCursorPos(x, y);
  DWORD effect = DROPEFFECT_NONE;
  const HRESULT hr = ::DoDragDrop(&data, &source, DROPEFFECT_COPY, &effect);
  return DropReply(hr, effect);
}

// A drag by the hand (the X pointer, pressed and moved by the journey): the driver shows a
// small window of the item's colour; a press on it starts DoDragDrop, as a catalogue browser's
// cell does, and the release drops wherever the pointer is. Wine routes the pointer to the
// capture of the foreground thread, which once the drag is over the view is the target's: the
// release is read from the desktop's button state as well as from the state the loop hands over.
struct HandDropSource : IDropSource {
  LONG refs = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (riid == IID_IUnknown || riid == IID_IDropSource) {
      *ppv = this;
      AddRef();
      return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
    if (escape) return DRAGDROP_S_CANCEL;
    const bool held = (keys & MK_LBUTTON) && (::GetAsyncKeyState(VK_LBUTTON) & 0x8000);
    return held ? S_OK : DRAGDROP_S_DROP;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

struct HandDrag {
  RECT at;
  COLORREF colour;
  std::string number, picture;
  HANDLE ready = NULL, thread = NULL;
  std::string result = "timeout";
};
static HandDrag* theHandDrag = NULL;

static LRESULT CALLBACK HandDragProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  HandDrag* d = theHandDrag;
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(h, &ps);
    RECT rc;
    ::GetClientRect(h, &rc);
    HBRUSH b = ::CreateSolidBrush(d->colour);
    ::FillRect(dc, &rc, b);
    ::DeleteObject(b);
    ::EndPaint(h, &ps);
    return 0;
  }
  if (msg == WM_LBUTTONDOWN && d->result == "timeout") {
    JourneyDataObject data;
    data.blocks.push_back({(CLIPFORMAT)::RegisterClipboardFormat("VendaroExplorer"), CatalogItemBlock(d->number, d->picture, true)});
    data.blocks.push_back({CF_HDROP, HDropBlock(d->picture)});
    HandDropSource source;
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT hr = ::DoDragDrop(&data, &source, DROPEFFECT_COPY, &effect);
    d->result = DropReply(hr, effect);
    ::DestroyWindow(h);
    return 0;
  }
  if (msg == WM_DESTROY) ::PostQuitMessage(0);
  return ::DefWindowProc(h, msg, wp, lp);
}

static DWORD WINAPI HandDragThread(LPVOID) {
  HandDrag* d = theHandDrag;
  ::OleInitialize(NULL);
  WNDCLASS wc = {};
  wc.lpfnWndProc = HandDragProc;
  wc.hInstance = ::GetModuleHandle(NULL);
  wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
  wc.lpszClassName = "QvzJourneyDragItem";
  ::RegisterClass(&wc);
  HWND h = ::CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, "旅の品", WS_POPUP | WS_VISIBLE,
                            d->at.left, d->at.top, d->at.right - d->at.left, d->at.bottom - d->at.top, NULL, NULL,
                            wc.hInstance, NULL);
  if (h == NULL) d->result = "error";
  ::UpdateWindow(h);
  ::SetEvent(d->ready);
  MSG m;
  while (h && ::GetMessage(&m, NULL, 0, 0) > 0) {
    ::TranslateMessage(&m);
    ::DispatchMessage(&m);
  }
  ::OleUninitialize();
  return 0;
}

// "processes <exe name>": how many processes of that name run, waiting up to 20 s for one.
static std::string ProcessesVerb(const char* line) {
  char name[256] = "";
  if (sscanf(line, "%*s %255s", name) != 1) return "error";
  int n = 0;
  for (int i = 0; i < 200 && n == 0; i++) {
    if (i) ::Sleep(100);
    HANDLE snap = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 pe = {};
    pe.dwSize = sizeof(pe);
    for (BOOL ok = ::Process32First(snap, &pe); ok; ok = ::Process32Next(snap, &pe))
      if (lstrcmpi(pe.szExeFile, name) == 0) n++;
    ::CloseHandle(snap);
  }
  return std::to_string(n);
}

// "clippicture <width> <height> <rrggbb>": a bitmap of one colour on the clipboard (CF_DIB), as
// a picture program leaves it.
static std::string ClipPictureVerb(const char* line) {
  int w = 0, h = 0;
  unsigned rgb = 0;
  if (sscanf(line, "%*s %d %d %x", &w, &h, &rgb) != 3 || w <= 0 || h <= 0 || w > 2000 || h > 2000) return "error";
  const int stride = (w * 3 + 3) & ~3;
  HGLOBAL dib = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(BITMAPINFOHEADER) + (SIZE_T)stride * h);
  if (dib == NULL) return "error";
  BITMAPINFOHEADER* bi = (BITMAPINFOHEADER*)::GlobalLock(dib);
  bi->biSize = sizeof(BITMAPINFOHEADER);
  bi->biWidth = w;
  bi->biHeight = h;
  bi->biPlanes = 1;
  bi->biBitCount = 24;
  BYTE* bits = (BYTE*)(bi + 1);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      BYTE* p = bits + (size_t)y * stride + x * 3;
      p[0] = rgb & 0xFF;
      p[1] = (rgb >> 8) & 0xFF;
      p[2] = (rgb >> 16) & 0xFF;
    }
  ::GlobalUnlock(dib);
  if (!::OpenClipboard(NULL)) {
    ::GlobalFree(dib);
    return "error";
  }
  ::EmptyClipboard();
  const BOOL ok = ::SetClipboardData(CF_DIB, dib) != NULL;
  ::CloseClipboard();
  if (!ok) ::GlobalFree(dib);
  return ok ? "ok" : "error";
}

// "dragsource <x0> <y0> <x1> <y1> <rrggbb> <item number> <picture path>": the item's window on
// the screen, "ready" once it is painted.
static std::string DragSourceVerb(const char* line) {
  if (theHandDrag) return "error";
  int x0, y0, x1, y1;
  unsigned rgb;
  char number[256], picture[512];
  if (sscanf(line, "%*s %d %d %d %d %x %255s %511s", &x0, &y0, &x1, &y1, &rgb, number, picture) != 7) return "error";
  theHandDrag = new HandDrag;
  theHandDrag->at = {x0, y0, x1, y1};
  theHandDrag->colour = RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF);
  theHandDrag->number = number;
  theHandDrag->picture = picture;
  theHandDrag->ready = ::CreateEvent(NULL, TRUE, FALSE, NULL);
  theHandDrag->thread = ::CreateThread(NULL, 0, HandDragThread, NULL, 0, NULL);
  ::WaitForSingleObject(theHandDrag->ready, 10000);
  ::Sleep(300);
  return "ready";
}

// "dragresult <seconds>": what the drag reported ("dropped 1"), or "timeout" with the item's
// window taken away.
static std::string DragResultVerb(int seconds) {
  HandDrag* d = theHandDrag;
  if (d == NULL) return "error";
  if (::WaitForSingleObject(d->thread, seconds * 1000) != WAIT_OBJECT_0) {
    if (HWND h = ::FindWindow("QvzJourneyDragItem", NULL)) ::PostMessage(h, WM_CLOSE, 0, 0);
    ::WaitForSingleObject(d->thread, 5000);
  }
  const std::string result = d->result;
  ::CloseHandle(d->thread);
  ::CloseHandle(d->ready);
  delete d;
  theHandDrag = NULL;
  return result;
}

// The program's open pop-up menus (a modal menu loop shows one window of the menu class a
// level), in the order the window list gives them: "count x0 y0 x1 y1 ...". Waits up to 2 s
// for the wanted count; another process cannot read the items themselves under Wine.
static std::string MenusVerb(int nWanted) {
  struct Found {
    DWORD pid;
    std::string rects;
    int count;
    static BOOL CALLBACK Visit(HWND h, LPARAM lp) {
      Found* f = (Found*)lp;
      DWORD pid = 0;
      ::GetWindowThreadProcessId(h, &pid);
      char cls[64] = "";
      ::GetClassName(h, cls, sizeof(cls));
      if (pid != f->pid || !::IsWindowVisible(h) || strcmp(cls, "#32768") != 0) return TRUE;
      RECT r;
      ::GetWindowRect(h, &r);
      char buf[64];
      snprintf(buf, sizeof(buf), " %ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
      f->rects += buf;
      f->count++;
      return TRUE;
    }
  } f = {0, "", 0};
  if (theMain == NULL) return "error";
  ::GetWindowThreadProcessId(theMain, &f.pid);
  for (int i = 0; i < 20; i++) {
    f.rects.clear();
    f.count = 0;
    ::EnumWindows(Found::Visit, (LPARAM)&f);
    if (f.count == nWanted) break;
    ::Sleep(100);
  }
  // A level just opened may still be painting.
  ::Sleep(300);
  return std::to_string(f.count) + f.rects;
}

// ---- the text journey: an input method's composition, combo items, tool-bar buttons ----

// "compose <text>": qvzjourneyime.dll hooks the window procedure calls of the editor's thread,
// and a registered message with the text in a global atom asks the hook to set it as the
// composition of the editor's input context.
static std::string ComposeVerb(const std::string& text) {
  HWND editor = Target("editor");
  HMODULE dll = ::LoadLibraryA("qvzjourneyime.dll");
  HOOKPROC proc = dll ? (HOOKPROC)::GetProcAddress(dll, "JourneyImeHook") : NULL;
  if (editor == NULL || proc == NULL || text.empty()) return "error";
  HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROC, proc, dll, ::GetWindowThreadProcessId(editor, NULL));
  if (hook == NULL) return "error";
  while (ATOM stale = ::GlobalFindAtomA("QVZJourneyComposed")) ::GlobalDeleteAtom(stale);
  const ATOM atom = ::GlobalAddAtomA(text.c_str());
  DWORD_PTR r = 0;
  ::SendMessageTimeout(editor, ::RegisterWindowMessageA("QVZJourneyComposition"), atom, 0, SMTO_NORMAL, 10000, &r);
  ::UnhookWindowsHookEx(hook);
  ::GlobalDeleteAtom(atom);
  const ATOM done = ::GlobalFindAtomA("QVZJourneyComposed");
  if (done) ::GlobalDeleteAtom(done);
  return done ? "ok" : "none";
}

// "comboindex <target> <text part>": the first item that begins with the part, else the first
// that holds it; items come across processes as UTF-16.
static std::string ComboIndexVerb(const char* target, const char* part) {
  HWND c = Target(target);
  if (c == NULL) return "error";
  const int n = (int)::SendMessage(c, CB_GETCOUNT, 0, 0);
  int holding = -1;
  for (int i = 0; i < n; i++) {
    WCHAR wide[256] = L"";
    char item[512] = "";
    if (::SendMessageW(c, CB_GETLBTEXTLEN, i, 0) < 256) ::SendMessageW(c, CB_GETLBTEXT, i, (LPARAM)wide);
    ::WideCharToMultiByte(CP_ACP, 0, wide, -1, item, sizeof(item), NULL, NULL);
    if (strncmp(item, part, strlen(part)) == 0) return std::to_string(i);
    if (holding < 0 && strstr(item, part)) holding = i;
  }
  return holding >= 0 ? std::to_string(holding) : "none";
}

// "tbenabled <command>": whether the main tool bar shows that command's button enabled.
static std::string ToolBarEnabledVerb(int nCommand) {
  HWND bar = theMain ? ::GetDlgItem(theMain, 233) : NULL;
  if (bar == NULL) return "error";
  char cls[64] = "";
  ::GetClassName(bar, cls, sizeof(cls));
  if (!strcmp(cls, TOOLBARCLASSNAMEA)) {
    if (::SendMessage(bar, TB_COMMANDTOINDEX, nCommand, 0) < 0) return "error";
    return ::SendMessage(bar, TB_ISBUTTONENABLED, nCommand, 0) ? "yes" : "no";
  }
  HWND b = ::GetDlgItem(bar, nCommand);
  return b == NULL ? "error" : ::IsWindowEnabled(b) ? "yes" : "no";
}

// "texts <board>": each shown text, balloon text and title with its face and decoration, one
// a line: "text face [f] size s style s align a direction d [text]", "balloontext face [f]
// size s style s [text]", "title face [f] style s shadow s shape s horizontal h [text]".
static int DumpTexts(const char* path) {
  qvzDocument doc;
  if (!doc.OnOpenDocument(path)) return 2;
  for (jvqObject* o : doc.GetBoard()->GetCurrentPage()->m_Children.m_items) {
    if (!o->IsShown()) continue;
    jvqTextFill* f = NULL;
    const char* kind = "text";
    if (o->GetClassCode() == JVQ_OBJ_TEXT) {
      f = ((jvqTextObject*)o)->GetTextFill();
    } else if (o->GetClassCode() == JVQ_OBJ_BALLOON && ((jvqBalloonObject*)o)->GetText()) {
      f = ((jvqBalloonObject*)o)->GetText()->GetTextFill();
      kind = "balloontext";
    } else if (o->GetClassCode() == JVQ_OBJ_BANNER && ((jvqBannerObject*)o)->GetBannerStyle()) {
      jvqBannerStyle* s = ((jvqBannerObject*)o)->GetBannerStyle();
      printf("title face [%s] style %d shadow %d shape %d horizontal %d [%s]\n", (const char*)s->m_strFace,
             s->m_Block.style, s->m_Block.shadow, s->m_Block.shape, s->m_Block.horizontal, (const char*)s->m_strText);
    }
    if (f == NULL) continue;
    const jvqTextAttributes& a = f->m_Attributes;
    printf("%s face [%s] size %d style %d align %d direction %d [%s]\n", kind, (const char*)f->m_strFace, a.charHeight,
           a.style, a.alignment, a.direction == JVQ_TEXT_VERTICAL ? 1 : 0, (const char*)f->m_strText);
  }
  return 0;
}

// The test OLE server's window: shown, of the server's class, in whichever process serves it.
static HWND ShapeServerWindow() {
  struct Find {
    static BOOL CALLBACK Visit(HWND h, LPARAM lp) {
      char cls[64] = "";
      ::GetClassName(h, cls, sizeof(cls));
      if (!::IsWindowVisible(h) || strcmp(cls, "QvzTestShapeWindow") != 0) return TRUE;
      *(HWND*)lp = h;
      return FALSE;
    }
  };
  HWND found = NULL;
  ::EnumWindows(Find::Visit, (LPARAM)&found);
  return found;
}

// Waits until the server's window is shown (bShown) or gone; the server starts slowly.
static HWND WaitShapeServer(bool bShown, int seconds) {
  for (int i = 0; i < seconds * 10; i++) {
    HWND h = ShapeServerWindow();
    if ((h != NULL) == bShown) return bShown ? h : (HWND)1;
    ::Sleep(100);
  }
  return NULL;
}

// "shapeserver <verb> ...": the commands a test posts to the server (TestShapeServer.h).
static std::string ShapeServerVerb(const char* line) {
  char verb[32] = "";
  unsigned long v1 = 0, v2 = 0;
  sscanf(line, "%*s %31s", verb);
  if (!strcmp(verb, "gone")) return WaitShapeServer(false, 60) ? "ok" : "timeout";
  HWND h = WaitShapeServer(true, 60);
  if (h == NULL) return "timeout";
  if (!strcmp(verb, "wait")) {
    // Its first paint, so that its colour can be read off the screen.
    ::Sleep(500);
    return "ok";
  }
  if (!strcmp(verb, "color") && sscanf(line, "%*s %*s %lx", &v1) == 1) {
    if (!::PostMessage(h, TESTSHAPE_SETCOLOR, RGB((v1 >> 16) & 255, (v1 >> 8) & 255, v1 & 255), 0)) return "error";
  } else if (!strcmp(verb, "extent") && sscanf(line, "%*s %*s %lu %lu", &v1, &v2) == 2) {
    if (!::PostMessage(h, TESTSHAPE_SETEXTENT, v1, v2)) return "error";
  } else if (!strcmp(verb, "close")) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(h, &pid);
    HANDLE server = ::OpenProcess(SYNCHRONIZE, FALSE, pid);
    const DWORD t0 = ::GetTickCount();
    if (!::PostMessage(h, TESTSHAPE_CLOSE, 0, 0)) return "error";
    if (!WaitShapeServer(false, 60)) return "timeout";
    // The container lets go of the server, which then ends: "ok <ms>" once it has (the
    // container answers calls meanwhile, but paints only after).
    const bool ended = server && ::WaitForSingleObject(server, 60000) == WAIT_OBJECT_0;
    if (server) ::CloseHandle(server);
    if (!ended) return "running";
    // Under Xvfb alone no window manager asks the windows below to paint what it covered.
    if (theMain) ::RedrawWindow(theMain, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    Idle();
    return "ok " + std::to_string(::GetTickCount() - t0);
  } else if (!strcmp(verb, "locate") && sscanf(line, "%*s %*s %lx", &v1) == 1) {
    ::Sleep(300);
    RECT r;
    if (!FindColorIn(h, RGB((v1 >> 16) & 255, (v1 >> 8) & 255, v1 & 255), &r)) return "none";
    char buf[64];
    snprintf(buf, sizeof(buf), "%ld %ld %ld %ld", (long)r.left, (long)r.top, (long)r.right, (long)r.bottom);
    return buf;
  } else {
    return "error";
  }
  // The server tells the container through calls into its process: let them be handled.
  ::Sleep(500);
  Idle();
  return "ok";
}

// A program using QVZ.exe through automation ("automation"): it creates a board through the
// board's class (the platform starts QVZ.exe with /Automation), asks for names the board does
// not know, lets go, and watches the server's process. One line a step.
static int AutomationClient() {
  if (FAILED(::CoInitialize(NULL))) return 2;
  IDispatch* board = NULL;
  HRESULT hr = E_FAIL;
  for (int i = 0; i < 180 && board == NULL; i++) {
    hr = ::CoCreateInstance(CLSID_qvzDocument, NULL, CLSCTX_LOCAL_SERVER, IID_IDispatch, (void**)&board);
    if (hr != S_OK) {
      board = NULL;
      ::Sleep(500);
    }
  }
  if (board == NULL) {
    printf("create failed %08lx\n", (unsigned long)hr);
    return 3;
  }
  printf("created\n");
  // The server: the one QVZ.exe running (the journey has closed its own).
  HANDLE server = NULL;
  HANDLE snap = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 pe = {};
  pe.dwSize = sizeof(pe);
  int running = 0;
  for (BOOL ok = ::Process32First(snap, &pe); ok; ok = ::Process32Next(snap, &pe)) {
    if (lstrcmpi(pe.szExeFile, "QVZ.exe") != 0) continue;
    running++;
    if (server == NULL) server = ::OpenProcess(SYNCHRONIZE, FALSE, pe.th32ProcessID);
  }
  ::CloseHandle(snap);
  printf("servers %d\n", running);
  for (const wchar_t* name : {L"Visible", L"Application", L"Close"}) {
    LPOLESTR names[1] = {(LPOLESTR)name};
    DISPID id = 0;
    hr = board->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    printf("name %ls %s\n", name, hr == DISP_E_UNKNOWNNAME ? "refused" : "accepted");
  }
  DISPPARAMS none = {NULL, NULL, 0, 0};
  VARIANT result;
  ::VariantInit(&result);
  hr = board->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, &result, NULL, NULL);
  printf("invoke 1 %s\n", hr == DISP_E_MEMBERNOTFOUND ? "refused" : SUCCEEDED(hr) ? "accepted" : "failed");
  if (server && ::WaitForSingleObject(server, 0) != WAIT_TIMEOUT) printf("server ended early\n");
  board->Release();
  const bool ended = server && ::WaitForSingleObject(server, 60000) == WAIT_OBJECT_0;
  printf("released, server %s\n", ended ? "ended" : "still running");
  if (server) ::CloseHandle(server);
  ::CoUninitialize();
  return 0;
}

static int Drive() {
  char line[1024];
  while (fgets(line, sizeof(line), stdin)) {
    char cmd[64] = "", a[512] = "", b[512] = "";
    int x = 0, y = 0;
    unsigned flags = 0;
    sscanf(line, "%63s", cmd);
    std::string reply = "ok";
    if (!strcmp(cmd, "wait")) {
      double secs = 10;
      sscanf(line, "%*s %511s %lf", a, &secs);
      reply = "timeout";
      for (int i = 0; i < secs * 10; i++) {
        FindArg f = {a, NULL};
        ::EnumWindows(FindTop, (LPARAM)&f);
        if (f.found) {
          theMain = f.found;
          reply = "ok";
          break;
        }
        ::Sleep(100);
      }
    } else if (!strcmp(cmd, "mouse")) {
      sscanf(line, "%*s %511s %63s %d %d %u", a, b, &x, &y, &flags);
      HWND h = Target(a);
      UINT msg = !strcmp(b, "down") ? WM_LBUTTONDOWN : !strcmp(b, "up") ? WM_LBUTTONUP : !strcmp(b, "move") ? WM_MOUSEMOVE
               : !strcmp(b, "rdown") ? WM_RBUTTONDOWN : !strcmp(b, "dbl") ? WM_LBUTTONDBLCLK : WM_RBUTTONUP;
      if (h == NULL || !::PostMessage(h, msg, flags, MAKELPARAM(x, y))) reply = "error";
      Idle();
    } else if (!strcmp(cmd, "key")) {
      sscanf(line, "%*s %511s %63s %d", a, b, &x);
      HWND h = Target(a);
      if (h == NULL || !::PostMessage(h, !strcmp(b, "down") ? WM_KEYDOWN : WM_KEYUP, x, 0)) reply = "error";
      Idle();
    } else if (!strcmp(cmd, "command")) {
      sscanf(line, "%*s %d", &x);
      if (theMain == NULL || !::PostMessage(theMain, WM_COMMAND, x, 0)) reply = "error";
      Idle();
    } else if (!strcmp(cmd, "locate")) {
      unsigned rgb = 0;
      sscanf(line, "%*s %x", &rgb);
      reply = Locate(RGB((rgb >> 16) & 255, (rgb >> 8) & 255, rgb & 255));
    } else if (!strcmp(cmd, "locatein")) {
      unsigned rgb = 0;
      sscanf(line, "%*s %511s %x", a, &rgb);
      reply = Locate(RGB((rgb >> 16) & 255, (rgb >> 8) & 255, rgb & 255), a);
    } else if (!strcmp(cmd, "barid")) {
      HWND h = PropertyBar();
      char buf[64];
      snprintf(buf, sizeof(buf), "%d%s", h ? ::GetDlgCtrlID(h) : 0,
               h && ::GetAncestor(h, GA_ROOT) != theMain ? " floating" : "");
      reply = buf;
    } else if (!strcmp(cmd, "combo")) {
      sscanf(line, "%*s %511s %d", a, &x);
      HWND h = Target(a);
      if (h == NULL) {
        reply = "error";
      } else {
        ::SendMessage(h, CB_SETCURSEL, x, 0);
        ::SendMessage(::GetParent(h), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(h), CBN_SELCHANGE), (LPARAM)h);
      }
      Idle();
    } else if (!strcmp(cmd, "settext")) {
      sscanf(line, "%*s %511s %511s", a, b);
      HWND h = Target(a);
      if (h == NULL || !::SendMessage(h, WM_SETTEXT, 0, (LPARAM)b)) reply = "error";
      Idle();
    } else if (!strcmp(cmd, "rect") || !strcmp(cmd, "wrect")) {
      sscanf(line, "%*s %511s", a);
      HWND h = Target(a);
      RECT r = {0, 0, 0, 0};
      if (h && !strcmp(cmd, "wrect")) {
        ::GetWindowRect(h, &r);
      } else if (h) {
        ::GetClientRect(h, &r);
        ::MapWindowPoints(h, NULL, (POINT*)&r, 2);
      }
      char buf[64];
      snprintf(buf, sizeof(buf), "%ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
      reply = h ? buf : "error";
    } else if (!strcmp(cmd, "shot")) {
      sscanf(line, "%*s %511s", a);
      Idle();
      reply = SaveScreenBmp(a) ? "ok" : "error";
    } else if (!strcmp(cmd, "idle")) {
      Idle();
    } else if (!strcmp(cmd, "status")) {
      sscanf(line, "%*s %d", &x);
      reply = theMain ? StatusText(x) : "error";
    } else if (!strcmp(cmd, "text")) {
      sscanf(line, "%*s %511s", a);
      HWND h = NULL;
      if (!strcmp(a, "tabs")) h = ::GetDlgItem(::GetDlgItem(theMain, 0xE900), 1);
      else if (!strcmp(a, "zoom")) h = ::GetDlgItem(::GetDlgItem(theMain, 98), 1006);
      else if (!strcmp(a, "title")) h = theMain;
      else if (!strcmp(a, "tip")) h = ::GetDlgItem(Target("view"), 500);
      else h = Target(a);
      reply = h ? "[" + WindowText(h) + "]" : "error";
      // One answer a line: a text of several lines comes back with "|" between them.
      std::string one;
      for (size_t i = 0; i < reply.size(); i++)
        if (reply[i] == '\n') one += '|';
        else if (reply[i] != '\r') one += reply[i];
      reply = one;
    } else if (!strcmp(cmd, "placement")) {
      // Another process's window placement is not what its own process sees; the state
      // and the rectangle on the screen are.
      RECT r = {};
      ::GetWindowRect(theMain, &r);
      char buf[128];
      snprintf(buf, sizeof(buf), "%d %ld %ld %ld %ld", ::IsZoomed(theMain) ? 3 : ::IsIconic(theMain) ? 2 : 1, r.left, r.top,
               r.right, r.bottom);
      reply = buf;
    } else if (!strcmp(cmd, "cursor")) {
      // cursor <target> <x> <y>: the pointer itself moved there (posted mouse messages leave
      // it where it was, and windows that capture the mouse look at it).
      sscanf(line, "%*s %511s %d %d", a, &x, &y);
      HWND h = Target(a);
      POINT p = {x, y};
      if (h == NULL || !::ClientToScreen(h, &p) || !::SetCursorPos(p.x, p.y)) reply = "error";
      Idle();
    } else if (!strcmp(cmd, "syscommand")) {
      sscanf(line, "%*s %d", &x);
      if (theMain == NULL || !::PostMessage(theMain, WM_SYSCOMMAND, x, 0)) reply = "error";
      ::Sleep(300);
      Idle();
    } else if (!strcmp(cmd, "message")) {
      // message <id> <wParam> <lParam>, posted to the main window.
      unsigned long long w = 0, l = 0;
      sscanf(line, "%*s %d %llx %llx", &x, &w, &l);
      if (theMain == NULL || !::PostMessage(theMain, x, (WPARAM)w, (LPARAM)l)) reply = "error";
      Idle();
    } else if (!strcmp(cmd, "zoom")) {
      // zoom <entry>: the zoom box's entry chosen, as its list tells the frame.
      sscanf(line, "%*s %d", &x);
      HWND c = ::GetDlgItem(::GetDlgItem(theMain, 98), 1006);
      if (c == NULL || ::SendMessage(c, CB_SETCURSEL, x, 0) != x) {
        reply = "error";
      } else {
        ::SendMessage(::GetParent(c), WM_COMMAND, MAKEWPARAM(1006, CBN_SELCHANGE), (LPARAM)c);
        Idle();
      }
    } else if (!strcmp(cmd, "tip")) {
      sscanf(line, "%*s %511s", a);
      TipArg t = {Target(a), ""};
      if (t.tool) ::EnumWindows(FindTip, (LPARAM)&t);
      reply = t.tool ? "[" + t.text + "]" : "error";
    } else if (!strcmp(cmd, "matchbitmap")) {
      sscanf(line, "%*s %511s %d %d %d", a, &x, &y, (int*)&flags);
      HWND h = Target(a);
      Idle();
      reply = h ? MatchBitmap(h, x, y, (int)flags) : "error";
    } else if (!strcmp(cmd, "ctrlkey")) {
      // ctrlkey <target> <vk> [1]: the key pressed with Ctrl (and Shift with 1) held, for the
      // program's accelerators. Posted keys carry no key state: the driver shares the
      // program's input state and holds the keys there while the key is read.
      y = 0;
      sscanf(line, "%*s %511s %d %d", a, &x, &y);
      HWND h = Target(a);
      const DWORD tid = h ? ::GetWindowThreadProcessId(h, NULL) : 0;
      if (h == NULL || !::AttachThreadInput(::GetCurrentThreadId(), tid, TRUE)) {
        reply = "error";
      } else {
        BYTE state[256];
        ::GetKeyboardState(state);
        state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
        if (y) state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
        ::SetKeyboardState(state);
        ::PostMessage(h, WM_KEYDOWN, x, 1);
        ::PostMessage(h, WM_KEYUP, x, 0xC0000001);
        // Sent messages overtake posted ones, so no reply tells when the key was read (and a
        // dialog it opens may keep it from returning): a second is ample on an idle program.
        ::Sleep(1000);
        state[VK_CONTROL] = state[VK_LCONTROL] = 0;
        state[VK_SHIFT] = state[VK_LSHIFT] = 0;
        ::SetKeyboardState(state);
        ::AttachThreadInput(::GetCurrentThreadId(), tid, FALSE);
        Idle();
      }
    } else if (!strcmp(cmd, "answer")) {
      sscanf(line, "%*s %d", &x);
      HWND d = WaitDialog(NULL);
      HWND b = d ? ::GetDlgItem(d, x) : NULL;
      if (b == NULL || !::PostMessage(d, WM_COMMAND, MAKEWPARAM(x, BN_CLICKED), (LPARAM)b)) reply = "error";
      ::Sleep(300);
      Idle();
    } else if (!strcmp(cmd, "savedialog")) {
      sscanf(line, "%*s %511s %511s", a, b);
      // Titles and paths without spaces: "title path"; the title "*" takes any file dialog.
      HWND d = WaitDialog(strcmp(a, "*") ? a : NULL);
      if (d == NULL) {
        reply = "error";
      } else {
        for (int id : {0x47C, 0x480}) {
          HWND e = ::GetDlgItem(d, id);
          if (e) ::SendMessage(e, WM_SETTEXT, 0, (LPARAM)b);
        }
        ::PostMessage(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(d, IDOK));
        ::Sleep(500);
        Idle();
      }
    } else if (!strcmp(cmd, "startmenu")) {
      sscanf(line, "%*s %d %d", &x, &y);
      HWND h = WaitStartMenu();
      if (h == NULL) {
        reply = "error";
      } else if (x >= 0) {
        ::PostMessage(h, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        ::PostMessage(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        ::PostMessage(h, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        ::Sleep(300);
      }
    } else if (!strcmp(cmd, "type") || !strcmp(cmd, "retype")) {
      const char* text = line + strlen(cmd) + 1;
      HWND view = Target("view");
      HWND editor = view ? ::GetDlgItem(view, 115) : NULL;
      if (editor == NULL) reply = "error";
      // Under Wine, characters posted one by one reach the program's ANSI edit control a byte
      // at a time and its double-byte characters break, so the text goes in as one insertion
      // at the caret, as an input method's commit does.
      std::string bytes(text);
      while (!bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r')) bytes.pop_back();
      // retype: the whole text replaced.
      if (editor && !strcmp(cmd, "retype")) ::SendMessageA(editor, EM_SETSEL, 0, -1);
      if (editor) ::SendMessageA(editor, EM_REPLACESEL, TRUE, (LPARAM)bytes.c_str());
      Idle();
    } else if (!strcmp(cmd, "thumbdbl")) {
      sscanf(line, "%*s %511s %d", a, &x);
      HWND d = WaitDialog(a);
      HWND list = NULL;
      // The list sits in the program's part of the dialog, a child dialog of its own.
      for (HWND child = d ? ::FindWindowEx(d, NULL, NULL, NULL) : NULL; child && !list;
           child = ::FindWindowEx(d, child, NULL, NULL))
        list = ::GetDlgItem(child, 1062);
      HWND cell = list ? ::GetDlgItem(list, x) : NULL;
      if (cell == NULL) {
        reply = "error";
      } else {
        for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
          ::PostMessage(cell, m, m == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(5, 5));
        ::Sleep(500);
        Idle();
      }
    } else if (!strcmp(cmd, "thumbscroll")) {
      reply = ThumbScrollVerb(line);
    } else if (!strcmp(cmd, "sheetpage") || !strcmp(cmd, "pagetext")) {
      reply = SheetVerb(cmd, line);
    } else if (!strcmp(cmd, "present")) {
      sscanf(line, "%*s %511s", a);
      reply = Target(a) ? "yes" : "no";
    } else if (!strcmp(cmd, "visible")) {
      sscanf(line, "%*s %511s", a);
      HWND h = Target(a);
      reply = h == NULL ? "error" : ::IsWindowVisible(h) ? "yes" : "no";
    } else if (!strcmp(cmd, "exists")) {
      sscanf(line, "%*s %d", &x);
      reply = ::GetDlgItem(::GetDlgItem(theMain, 233), x) ? "yes" : "no";
    } else if (!strcmp(cmd, "devicechange")) {
      sscanf(line, "%*s %511s", a);
      // The system packs the volume record for another process, as it does for its own notices.
      DEV_BROADCAST_VOLUME vol = {};
      vol.dbcv_size = sizeof(vol);
      vol.dbcv_devicetype = DBT_DEVTYP_VOLUME;
      vol.dbcv_unitmask = 1u << ((a[0] | 0x20) - 'a');
      vol.dbcv_flags = DBTF_MEDIA;
      DWORD_PTR r = 0;
      if (theMain == NULL ||
          !::SendMessageTimeout(theMain, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, (LPARAM)&vol, SMTO_NORMAL, 10000, &r))
        reply = "error";
      else
        reply = r == TRUE ? "ok" : "ignored";
    } else if (!strcmp(cmd, "richtext")) {
      // The text of the first rich edit in the top window of another program whose title
      // holds the part (Wine's help viewer), on one line.
      sscanf(line, "%*s %511s", a);
      HWND top = NULL;
      for (int i = 0; i < 100 && top == NULL; i++) {
        top = ::FindWindowEx(NULL, NULL, NULL, NULL);
        for (; top; top = ::FindWindowEx(NULL, top, NULL, NULL)) {
          char t[256] = "";
          ::GetWindowText(top, t, sizeof(t));
          if (::IsWindowVisible(top) && strstr(t, a)) break;
        }
        if (top == NULL) ::Sleep(100);
      }
      std::string found;
      struct Walk {
        static BOOL CALLBACK Visit(HWND h, LPARAM lp) {
          char cls[64] = "";
          ::GetClassName(h, cls, sizeof(cls));
          if (_strnicmp(cls, "RichEdit", 8) != 0 && _strnicmp(cls, "RICHEDIT", 8) != 0) return TRUE;
          char text[4096] = "";
          ::SendMessage(h, WM_GETTEXT, sizeof(text), (LPARAM)text);
          if (text[0] == 0) return TRUE;
          *(std::string*)lp = text;
          return FALSE;
        }
      };
      if (top) ::EnumChildWindows(top, Walk::Visit, (LPARAM)&found);
      for (char& c : found)
        if (c == '\r' || c == '\n') c = '|';
      reply = top ? "[" + found + "]" : "error";
    } else if (!strcmp(cmd, "caption")) {
      HWND d = WaitDialog(NULL);
      reply = d ? "[" + WindowText(d) + "]" : "error";
    } else if (!strcmp(cmd, "dlg")) {
      char verb[32] = "";
      char arg[512] = "";
      int id = 0;
      sscanf(line, "%*s %511s %d %31s %511[^\r\n]", a, &id, verb, arg);
      // The dialog that holds the control: another one may still be closing or not yet open.
      HWND d = NULL;
      for (int i = 0; i < 50 && (d == NULL || ::GetDlgItem(d, id) == NULL); i++) {
        if (i) ::Sleep(200);
        d = WaitDialog(strcmp(a, "*") ? a : NULL);
      }
      reply = d ? DialogControl(d, id, verb, arg) : "error";
      ::Sleep(200);
      Idle();
    } else if (!strcmp(cmd, "treeselect") || !strcmp(cmd, "treeexpand")) {
      HWND tree = ChildOfClass(WC_TREEVIEWA);
      HTREEITEM item = tree ? TreeFind(tree, Rest(line), true) : NULL;
      DWORD_PTR r = 0;
      if (item == NULL)
        reply = "error";
      else if (!strcmp(cmd, "treeselect"))
        ::SendMessageTimeout(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)item, SMTO_NORMAL, 60000, &r);
      else
        ::SendMessageTimeout(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)item, SMTO_NORMAL, 60000, &r);
      Idle();
    } else if (!strcmp(cmd, "treecommand")) {
      // A command to the tree view itself, as its own menu sends it.
      sscanf(line, "%*s %d", &x);
      HWND tree = ChildOfClass(WC_TREEVIEWA);
      if (tree == NULL || !::PostMessage(tree, WM_COMMAND, x, 0)) reply = "error";
      Idle();
    } else if (!strcmp(cmd, "treechildren")) {
      HWND tree = ChildOfClass(WC_TREEVIEWA);
      const std::string path = Rest(line);
      HTREEITEM item = tree && !path.empty() ? TreeFind(tree, path, false) : NULL;
      if (tree == NULL || (!path.empty() && item == NULL)) {
        reply = "error";
      } else {
        reply = "[";
        HTREEITEM c = item ? TreeNext(tree, item, TVGN_CHILD) : TreeNext(tree, NULL, TVGN_ROOT);
        for (bool first = true; c; c = TreeNext(tree, c, TVGN_NEXT), first = false) reply += (first ? "" : "|") + TreeText(tree, c);
        reply += "]";
      }
    } else if (!strcmp(cmd, "treeselected")) {
      HWND tree = ChildOfClass(WC_TREEVIEWA);
      reply = tree ? "[" + TreePath(tree, TreeNext(tree, NULL, TVGN_CARET)) + "]" : "error";
    } else if (!strcmp(cmd, "listrows")) {
      sscanf(line, "%*s %d", &x);
      HWND list = ChildOfClass(WC_LISTVIEWA);
      reply = list ? "[" + ListRows(list, x > 0 ? x : 5) + "]" : "error";
    } else if (!strcmp(cmd, "header")) {
      sscanf(line, "%*s %d", &x);
      HWND list = ChildOfClass(WC_LISTVIEWA);
      HWND header = list ? (HWND)::SendMessage(list, LVM_GETHEADER, 0, 0) : NULL;
      RemoteBuffer buf(header ? header : list, sizeof(RECT));
      RECT rc = {};
      if (header && buf.remote && ::SendMessage(header, HDM_GETITEMRECT, x, (LPARAM)buf.remote)) {
        buf.Get(0, &rc, sizeof(rc));
        // A real click: the header takes posted button messages only in part.
        POINT at = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
        ::ClientToScreen(header, &at);
        ::SetForegroundWindow(theMain);
        ::SetCursorPos(at.x, at.y);
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_MOUSE;
        in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        ::SendInput(2, in, sizeof(INPUT));
        ::Sleep(300);
      } else {
        reply = "error";
      }
      Idle();
    } else if (!strcmp(cmd, "searchbox")) {
      HWND edit = ChildOfClass("Edit");
      if (edit == NULL) {
        reply = "error";
      } else {
        const std::string text = Rest(line);
        DWORD_PTR r = 0;
        ::SendMessageTimeout(edit, WM_SETTEXT, 0, (LPARAM)text.c_str(), SMTO_NORMAL, 10000, &r);
        ::PostMessage(edit, WM_KEYDOWN, VK_RETURN, 0);
        ::PostMessage(edit, WM_KEYUP, VK_RETURN, 0xC0000001);
      }
      Idle();
    } else if (!strcmp(cmd, "fill")) {
      reply = FillVerb(line);
    } else if (!strcmp(cmd, "menus")) {
      sscanf(line, "%*s %d", &x);
      reply = MenusVerb(x);
    } else if (!strcmp(cmd, "oledrop")) {
      sscanf(line, "%*s %d %d %511s %511s", &x, &y, a, b);
      reply = OleDropVerb(x, y, a, b);
      Idle();
    } else if (!strcmp(cmd, "processes")) {
      reply = ProcessesVerb(line);
    } else if (!strcmp(cmd, "clippicture")) {
      reply = ClipPictureVerb(line);
    } else if (!strcmp(cmd, "dragsource")) {
      reply = DragSourceVerb(line);
    } else if (!strcmp(cmd, "dragresult")) {
      sscanf(line, "%*s %d", &x);
      reply = DragResultVerb(x);
      Idle();
    } else if (!strcmp(cmd, "pointer")) {
      POINT pt;
      ::GetCursorPos(&pt);
      reply = std::to_string(pt.x) + " " + std::to_string(pt.y);
    } else if (!strcmp(cmd, "shapeserver")) {
      reply = ShapeServerVerb(line);
    } else if (!strcmp(cmd, "close")) {
      if (theMain) ::PostMessage(theMain, WM_CLOSE, 0, 0);
    } else if (!strcmp(cmd, "compose")) {
      reply = ComposeVerb(Rest(line));
      Idle();
    } else if (!strcmp(cmd, "comboindex")) {
      sscanf(line, "%*s %511s %511[^\r\n]", a, b);
      reply = ComboIndexVerb(a, b);
    } else if (!strcmp(cmd, "tbenabled")) {
      sscanf(line, "%*s %d", &x);
      reply = ToolBarEnabledVerb(x);
    } else {
      reply = "unknown";
    }
    // One line a reply: a text of several lines comes back with its breaks as spaces.
    for (char& c : reply)
      if (c == '\r' || c == '\n') c = ' ';
    printf("%s\n", reply.c_str());
    fflush(stdout);
  }
  return 0;
}

// The catalogue paste layout: its chosen fields, then each text top to bottom with its
// frame and whether it is shown.
static int DumpCatalogLayout(const char* path) {
  qvzCatalogPasteSettings s;
  if (!s.LoadLayout(path)) return 2;
  for (const CString& f : s.m_Fields) printf("field [%s]\n", (LPCTSTR)f);
  for (jvqTextObject* t : s.m_Texts) {
    RECT r;
    t->GetBoundRect(&r);
    printf("text %ld %ld %ld %ld shown %d [%s]\n", r.left, r.top, r.right, r.bottom, (int)(t->m_dwState & 1),
           (LPCTSTR)qvzCatalogPasteSettings::TextOf(t));
  }
  return 0;
}

int main(int argc, char** argv) {
  AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_HIDE);
  theApp.InitApplication();
  jvqObjectDefaults::GetObjectDefaults()->CreatePrototypes();
  if (argc == 3 && !strcmp(argv[1], "make")) return MakeBoard(argv[2]);
  if (argc == 3 && !strcmp(argv[1], "maketemplate")) return MakeBoard(argv[2], TRUE);
  if (argc == 3 && !strcmp(argv[1], "makepictures")) return MakePictureBoard(argv[2]);
  if (argc == 3 && !strcmp(argv[1], "maketext")) return MakeTextBoard(argv[2]);
  if (argc == 3 && !strcmp(argv[1], "dump")) return DumpBoard(argv[2]);
  if (argc == 3 && !strcmp(argv[1], "makeshapes")) return MakeShapesBoard(argv[2]);
  if (argc == 3 && !strcmp(argv[1], "makekinds")) return MakeKindsBoard(argv[2]);
  if (argc == 2 && !strcmp(argv[1], "drive")) return Drive();
  if (argc == 5 && !strcmp(argv[1], "makeimages")) return MakeImages(argv[2], argv[3], argv[4]);
  if (argc == 3 && !strcmp(argv[1], "fills")) return DumpFills(argv[2]);
  if (argc == 3 && !strcmp(argv[1], "layout")) return DumpCatalogLayout(argv[2]);
  if (argc == 3 && !strcmp(argv[1], "texts")) return DumpTexts(argv[2]);
  if (argc == 2 && !strcmp(argv[1], "automation")) return AutomationClient();
  fprintf(stderr, "usage: qvzjourney make|dump <board> | drive\n");
  return 2;
}
