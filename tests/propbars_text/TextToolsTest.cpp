// The text, title and balloon tools on a real view, with the real in-place editor; the host
// answers the dialogs as a user would.
#include <memory>

#include "ViewFixture.h"
#include "jvqBalloonObject.h"
#include "jvqBannerObject.h"
#include "jvqLineTextObject.h"
#include "jvqSolidFill.h"
#include "jvqTextObject.h"
#include "qvzTextInPlaceEdit.h"

#include <imm.h>

class TextHost : public CRecordingHost {
 public:
  void BeginTextEditor(CWnd* pEditor, jvqObject* pFrame, int nMode, POINT pt) override {
    ((qvzTextInPlaceEdit*)pEditor)->BeginEdit((jvqTextObject*)pFrame, nMode, pt.x, pt.y);
  }
  BOOL EditTitleStyle(jvqBannerStyle* pStyle, BOOL* pbLocked) override {
    m_nTitleHorizontal = pStyle->m_Block.horizontal;
    if (!m_bAnswer) return FALSE;
    pStyle->m_strText = "モデルハウス";
    pStyle->m_Block.shape = 7;
    pStyle->RefreshPointers();
    *pbLocked = m_bLock;
    return TRUE;
  }
  BOOL EditTextDetail(jvqTextFill* pFill, BOOL bNoLock) override {
    m_bNoLock = bNoLock;
    if (!m_bAnswer) return FALSE;
    pFill->m_Attributes.charHeight = 150;
    pFill->SetText("吹き出し");
    pFill->m_crText = RGB(255, 0, 0);
    return TRUE;
  }
  BOOL m_bAnswer = TRUE;
  BOOL m_bLock = FALSE;
  BOOL m_bNoLock = FALSE;
  int m_nTitleHorizontal = -1;
};

// An unfinished composition on a window's own input context, as an input method leaves it
// while the user is still converting; what the context then holds, in bytes of UTF-16. The
// wide call: Wine's ANSI one takes the length in characters for bytes.
static LONG Compose(HWND hWnd, const char* pszText) {
  WCHAR wide[256] = L"";
  const int n = ::MultiByteToWideChar(932, 0, pszText, -1, wide, 256) - 1;
  HIMC himc = ::ImmGetContext(hWnd);
  if (himc == NULL) return -1;
  if (n > 0) ::ImmSetCompositionStringW(himc, SCS_SETSTR, wide, n * sizeof(WCHAR), NULL, 0);
  const LONG held = ::ImmGetCompositionStringW(himc, GCS_COMPSTR, NULL, 0);
  ::ImmReleaseContext(hWnd, himc);
  return held;
}

class TextToolTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    jvqSetViewHost(&m_text);
    m_editor.reset(new qvzTextInPlaceEdit);
    ASSERT_TRUE(m_editor->Create(m_view));
    // The view's own editor, as the frame's host would have made it.
    m_view->m_pEditor = m_editor.get();
    // The frame active and the view focused before any gesture: an activation that the X
    // server's events complete later would move the focus away from the editor at any moment.
    m_frame->SetForegroundWindow();
    m_view->SetFocus();
    ASSERT_TRUE(PumpUntil(
        [this] { return ::GetForegroundWindow() == m_frame->m_hWnd && ::GetFocus() == m_view->m_hWnd; }));
  }
  void TearDown() override {
    if (m_view->m_pEditor == m_editor.get()) m_view->m_pEditor = NULL;
    m_editor.reset();
    ViewTest::TearDown();
  }
  // The frame an editor was begun on for an object already on the page.
  void EditExisting(jvqTextObject* t) {
    m_editor->BeginEdit(t, 1, 0, 0);
    m_editor->ShowWindow(SW_SHOW);
    m_editor->SetFocus();
  }
  TextHost m_text;
  std::unique_ptr<qvzTextInPlaceEdit> m_editor;
};

TEST_F(TextToolTest, TypedTextAndAnOpenCompositionLandInTheFrameAsOneStep) {
  const int steps = theUndoManager.GetCurrentStep();
  Command(32863);
  EXPECT_EQ(TOOLID_TEXT, ToolId());
  Drag(P(100, 100), P(1100, 400));
  ASSERT_EQ(1u, Shown().size());
  jvqTextObject* t = (jvqTextObject*)Shown()[0];
  EXPECT_EQ(JVQ_OBJ_TEXT, t->GetClassCode());
  EXPECT_TRUE(m_editor->IsWindowVisible());
  EXPECT_EQ(m_editor->m_hWnd, ::GetFocus());
  EXPECT_EQ(TOOLID_SELECT, ToolId());
  // Over the frame it types into, on the view as it is scrolled.
  RECT frame = {100, 100, 1100, 400};
  m_view->RectToDevice(&frame);
  CRect shown;
  m_editor->GetWindowRect(&shown);
  m_view->ScreenToClient(&shown);
  EXPECT_NEAR(frame.left, shown.left, 1);
  EXPECT_NEAR(frame.top, shown.top, 1);
  EXPECT_NEAR(frame.right, shown.right, 1);
  EXPECT_NEAR(frame.bottom, shown.bottom, 1);
  m_editor->ReplaceSel("物件概要");
  // Five characters still being converted on the editor's own input context.
  ASSERT_EQ(10, Compose(m_editor->m_hWnd, "駅徒歩５分"));
  m_view->SetFocus();
  EXPECT_FALSE(m_editor->IsWindowVisible());
  EXPECT_STREQ("物件概要駅徒歩５分", t->GetTextFill()->m_strText);
  EXPECT_EQ(0, Compose(m_editor->m_hWnd, "")) << "the composition taken into the text stays open";
  EXPECT_EQ(steps + 1, theUndoManager.GetCurrentStep());
  EXPECT_TRUE(t->GetState() & JVQ_STATE_SELECTED);
  theUndoManager.Undo();
  EXPECT_TRUE(Shown().empty());
}

TEST_F(TextToolTest, ANewFrameLeftEmptyGoesWithoutAStep) {
  const int steps = theUndoManager.GetCurrentStep();
  Command(32863);
  // The drag without a pump after it: nothing but the view's own focus change below ends
  // the typing.
  Press(P(100, 100));
  Move(P(350, 200));
  Move(P(600, 300));
  Release(P(600, 300));
  ASSERT_EQ(1u, m_page->m_Children.GetCount());
  ASSERT_EQ(m_editor->m_hWnd, ::GetFocus());
  m_view->SetFocus();
  EXPECT_EQ(0, m_page->m_Children.GetCount());
  EXPECT_EQ(steps, theUndoManager.GetCurrentStep());
  EXPECT_EQ(nullptr, m_editor->GetTextObject());
}

TEST_F(TextToolTest, AnEmptiedFrameIsHiddenAsAStepAndABalloonKeepsItsText) {
  RECT r = {100, 100, 900, 400};
  jvqTextObject* t = jvqTextObject::MakeDefault(&m_view->m_Mapping, &r);
  t->SetText("文字");
  m_page->AddChild(t);
  const int steps = theUndoManager.GetCurrentStep();
  EditExisting(t);
  m_editor->SetWindowText("");
  m_view->SetFocus();
  EXPECT_FALSE(t->GetState() & JVQ_STATE_ALIVE);
  EXPECT_EQ(steps + 1, theUndoManager.GetCurrentStep());
  theUndoManager.Undo();
  EXPECT_TRUE(t->GetState() & JVQ_STATE_ALIVE);

  jvqBalloonObject* b = (jvqBalloonObject*)jvqObjectDefaults::CreateObject(JVQ_OBJ_BALLOON);
  jvqRectObject* body = new jvqRectObject(&r, &m_view->m_Mapping, 0x311);
  b->SetBody(body, &m_view->m_Mapping, 0x311);
  m_page->AddChild(b);
  jvqTextObject* bt = b->GetText();
  bt->m_pParent = b;
  EditExisting(bt);
  m_editor->SetWindowText("");
  m_view->SetFocus();
  EXPECT_EQ(bt, b->GetText());
  EXPECT_TRUE(bt->GetState() & JVQ_STATE_ALIVE);
}

TEST_F(TextToolTest, EditorBackgroundFollowsTheFrameFill) {
  RECT r = {100, 100, 900, 400};
  jvqTextObject* t = jvqTextObject::MakeDefault(&m_view->m_Mapping, &r);
  m_page->AddChild(t);
  t->SetFill(new jvqSolidFill(RGB(255, 255, 0)));
  m_editor->BeginEdit(t, 1, 0, 0);
  EXPECT_EQ(1, m_editor->m_bHasBack);
  EXPECT_EQ(RGB(255, 255, 0), m_editor->m_crBack);
  t->SetFill(NULL);
  m_editor->BeginEdit(t, 1, 0, 0);
  EXPECT_EQ(0, m_editor->m_bHasBack);
}

TEST_F(TextToolTest, TitleToolMakesTheAnsweredTitleOrNothing) {
  const int steps = theUndoManager.GetCurrentStep();
  m_text.m_bAnswer = FALSE;
  Command(32864);
  Drag(P(100, 100), P(300, 900));
  EXPECT_EQ(0, m_text.m_nTitleHorizontal);  // taller than wide: vertical
  EXPECT_TRUE(Shown().empty());
  EXPECT_EQ(steps, theUndoManager.GetCurrentStep());
  m_text.m_bAnswer = TRUE;
  m_text.m_bLock = TRUE;
  Command(32864);
  Drag(P(100, 100), P(900, 300));
  EXPECT_EQ(1, m_text.m_nTitleHorizontal);
  ASSERT_EQ(1u, Shown().size());
  jvqBannerObject* title = (jvqBannerObject*)Shown()[0];
  EXPECT_EQ(JVQ_OBJ_BANNER, title->GetClassCode());
  EXPECT_STREQ("モデルハウス", title->GetBannerStyle()->m_strText);
  EXPECT_EQ(7, title->GetBannerStyle()->m_Block.shape);
  EXPECT_TRUE(title->GetState() & JVQ_STATE_LOCKED);
  EXPECT_EQ(steps + 1, theUndoManager.GetCurrentStep());
  // The next title starts from this one.
  jvqBannerObject* proto = (jvqBannerObject*)GetObjectDefaults()->FindPrototype(JVQ_OBJ_BANNER);
  EXPECT_EQ(7, proto->GetBannerStyle()->m_Block.shape);
  EXPECT_EQ(TOOLID_SELECT, ToolId());
}

TEST_F(TextToolTest, BalloonOkMakesOneStepAndCancelLeavesNothing) {
  const int steps = theUndoManager.GetCurrentStep();
  m_text.m_bAnswer = FALSE;
  Command(32904);
  EXPECT_EQ(TOOLID_BALLOON_ELLIPSE, ToolId());
  Drag(P(200, 200), P(900, 600));
  EXPECT_TRUE(m_text.m_bNoLock);
  EXPECT_TRUE(Shown().empty());
  EXPECT_EQ(steps, theUndoManager.GetCurrentStep());
  m_text.m_bAnswer = TRUE;
  for (UINT cmd : {32902u, 32903u, 32904u}) {
    Command(cmd);
    Drag(P(200, 200), P(900, 600));
  }
  ASSERT_EQ(3u, Shown().size());
  const int bodies[] = {JVQ_OBJ_RECT, JVQ_OBJ_ROUNDRECT, JVQ_OBJ_ELLIPSE};
  for (int i = 0; i < 3; i++) {
    jvqBalloonObject* b = (jvqBalloonObject*)Shown()[i];
    ASSERT_EQ(JVQ_OBJ_BALLOON, b->GetClassCode());
    EXPECT_EQ(bodies[i], b->m_pBody->GetClassCode());
    jvqTextFill* f = b->GetText()->GetTextFill();
    EXPECT_STREQ("吹き出し", f->m_strText);
    EXPECT_EQ(150, f->m_Attributes.charHeight);
    EXPECT_EQ(RGB(255, 0, 0), f->m_crText);
  }
  EXPECT_EQ(steps + 3, theUndoManager.GetCurrentStep());
  // The next text starts with the balloon's format.
  jvqTextObject* proto = (jvqTextObject*)GetObjectDefaults()->FindPrototype(JVQ_OBJ_TEXT);
  EXPECT_EQ(150, proto->GetTextFill()->m_Attributes.charHeight);
}

TEST_F(TextToolTest, LeaderTextsUnder100UnitsAreDiscardedAnd100IsKept) {
  const int steps = theUndoManager.GetCurrentStep();
  Command(32900);
  EXPECT_EQ(TOOLID_LINETEXT, ToolId());
  Click(P(1000, 1000));
  Click(P(1099, 1099));
  Send(WM_RBUTTONDOWN, MK_RBUTTON, P(1099, 1099));
  EXPECT_TRUE(Shown().empty());
  EXPECT_EQ(0, m_view->m_pTool->m_bBusy);
  EXPECT_EQ(steps, theUndoManager.GetCurrentStep());
  // Backspace takes the last vertex back; the leader then reaches 100 units.
  Command(32900);
  Click(P(1000, 1000));
  Click(P(1050, 1050));
  Click(P(1400, 1000));
  m_view->ToolBackStep();
  Click(P(1100, 1000));
  Send(WM_RBUTTONDOWN, MK_RBUTTON, P(1100, 1000));
  ASSERT_EQ(1u, Shown().size());
  jvqObject* lt = Shown()[0];
  EXPECT_EQ(JVQ_OBJ_LINETEXT, lt->GetClassCode());
  EXPECT_EQ(3, ((jvqLineTextObject*)lt)->m_pLeader->GetPointCount()) << "the vertex taken back is gone";
  EXPECT_EQ(steps + 1, theUndoManager.GetCurrentStep());
  EXPECT_EQ(0, m_view->m_pTool ? m_view->m_pTool->m_bBusy : 0);
}

// Esc (1190) drops the leader being drawn and gives the mouse back; Backspace on the only
// vertex does the same; the tool stays for the next leader.
TEST_F(TextToolTest, EscAndBackspaceOnTheFirstVertexDropTheLeader) {
  const int steps = theUndoManager.GetCurrentStep();
  Command(32900);
  Click(P(1000, 1000));
  Click(P(1500, 1000));
  EXPECT_EQ(m_view->m_hWnd, ::GetCapture());
  Command(1190);
  EXPECT_NE(m_view->m_hWnd, ::GetCapture());
  EXPECT_EQ(0, m_view->m_pTool->m_bBusy);
  Click(P(1000, 1000));
  EXPECT_EQ(1, m_view->ToolBackStep());
  EXPECT_EQ(0, m_view->m_pTool->m_bBusy);
  EXPECT_TRUE(Shown().empty());
  EXPECT_EQ(TOOLID_LINETEXT, ToolId());
  EXPECT_EQ(steps, theUndoManager.GetCurrentStep());
  // Backspace leaves a text frame being drawn alone; Esc drops it.
  Command(32863);
  Press(P(100, 100));
  Move(P(600, 400));
  m_view->ToolBackStep();
  EXPECT_EQ(m_view->m_hWnd, ::GetCapture());
  Command(1190);
  Release(P(600, 400));
  EXPECT_TRUE(Shown().empty());
}

TEST_F(TextToolTest, CtrlZWhileTypingUndoesTheTypingAndEscEndsAnEmptyEdit) {
  Command(32863);
  Drag(P(100, 100), P(1100, 400));
  ASSERT_TRUE(m_editor->IsWindowVisible());
  m_editor->ReplaceSel("駅徒歩", TRUE);
  BYTE keys[256];
  ::GetKeyboardState(keys);
  BYTE held[256];
  memcpy(held, keys, sizeof held);
  held[VK_CONTROL] = 0x80;
  ::SetKeyboardState(held);
  MSG msg = {m_editor->m_hWnd, WM_KEYDOWN, 'Z', 0};
  EXPECT_TRUE(m_editor->PreTranslateMessage(&msg));
  ::SetKeyboardState(keys);
  CString text;
  m_editor->GetWindowText(text);
  EXPECT_STREQ("", text);
  const int steps = theUndoManager.GetCurrentStep();
  MSG esc = {m_editor->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0};
  EXPECT_TRUE(m_editor->PreTranslateMessage(&esc));
  EXPECT_FALSE(m_editor->IsWindowVisible());
  EXPECT_TRUE(Shown().empty());
  EXPECT_EQ(steps, theUndoManager.GetCurrentStep());
}
