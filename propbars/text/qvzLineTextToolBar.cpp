#include "qvzLineTextToolBar.h"

#include "PropertyBarRules.h"
#include "jvqDrawingResources.h"
#include "jvqPolylineObject.h"
#include "jvqSolidFill.h"
#include "jvqTextObject.h"

IMPLEMENT_DYNCREATE(qvzLineTextToolBar, qvzTextToolBar)

BEGIN_MESSAGE_MAP(qvzLineTextToolBar, qvzTextToolBar)
  ON_NOTIFY(TCN_SELCHANGE, 33002, OnTabChange)
END_MESSAGE_MAP()

qvzLineTextToolBar::qvzLineTextToolBar() {
  m_strCreateCaption = "作成する引出線付き文字のプロパティ";
  m_strSelectCaption = "引出線付き文字のプロパティ";
  m_nKind = JVQ_OBJ_LINETEXT;
}

jvqTextFill* qvzLineTextToolBar::TextFillOf(jvqObject* o) {
  if (o == NULL || o->GetClassCode() != JVQ_OBJ_LINETEXT) return NULL;
  jvqTextObject* frame = ((jvqLineTextObject*)o)->m_pFrame;
  return frame ? frame->GetTextFill() : NULL;
}

void qvzLineTextToolBar::CreateControls() {
  if (m_bControlsCreated) return;
  CreateFaceAndSize();
  qvzDrawToolBar::CreateControls();
  CreateTextControls();
  if (GetDlgItem(33002) && m_wndTab.SubclassDlgItem(33002, this)) {
    m_wndTab.InsertItem(0, "文字枠");
    m_wndTab.InsertItem(1, "引出線");
  }
  if (GetDlgItem(1201) && m_wndContainer.SubclassDlgItem(1201, this)) {
    // A plain parent of the two panels, no longer a group box.
    m_wndContainer.ModifyStyle(BS_GROUPBOX | WS_BORDER, 0);
    m_wndContainer.ModifyStyleEx(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE, 0);
    m_wndContainer.SetWindowText("");
    if (m_LeaderPanel.m_hWnd == NULL) {
      m_LeaderPanel.Create(IDD_QVZ_LEADER_PANEL, &m_wndContainer);
      m_LeaderPanel.CreateControls();
      m_FramePanel.Create(IDD_QVZ_FRAME_PANEL, &m_wndContainer);
      m_FramePanel.CreateControls();
      for (CWnd* p : {(CWnd*)&m_LeaderPanel, (CWnd*)&m_FramePanel})
        p->SendMessage(WM_SETFONT, (WPARAM)theDefaultGuiFont.GetSafeHandle(), TRUE);
    }
  }
  ShowTab(0);
}

void qvzLineTextToolBar::ShowTab(int nTab) {
  if (m_wndTab.m_hWnd) m_wndTab.SetCurSel(nTab);
  if (m_FramePanel.m_hWnd) m_FramePanel.ShowWindow(nTab == 0 ? SW_SHOW : SW_HIDE);
  if (m_LeaderPanel.m_hWnd) m_LeaderPanel.ShowWindow(nTab == 1 ? SW_SHOW : SW_HIDE);
}

void qvzLineTextToolBar::OnTabChange(NMHDR*, LRESULT* pResult) {
  ShowTab(m_wndTab.GetCurSel() == 1 ? 1 : 0);
  *pResult = 0;
}

void qvzLineTextToolBar::EnableControls(BOOL bEnable) {
  qvzTextToolBar::EnableControls(bEnable);
  if (m_wndTab.m_hWnd) m_wndTab.EnableWindow(bEnable);
  for (qvzLineTextPanel* p : {(qvzLineTextPanel*)&m_LeaderPanel, (qvzLineTextPanel*)&m_FramePanel}) {
    for (CWnd* w : {(CWnd*)&p->m_wndLineStyle, (CWnd*)&p->m_wndLineWidth, (CWnd*)&p->m_wndColor})
      if (w->m_hWnd) w->EnableWindow(bEnable);
  }
  if (m_LeaderPanel.m_wndStartShape.m_hWnd) m_LeaderPanel.m_wndStartShape.EnableWindow(bEnable);
  if (m_FramePanel.m_wndFill.m_hWnd) m_FramePanel.m_wndFill.EnableWindow(bEnable);
}

// Widths that differ show "" (and stay untouched until the user picks one); colours and
// styles show the last leader text's.
void qvzLineTextToolBar::ShowObjectValues(jvqObjectArray& targets) {
  qvzDrawToolBar::ShowObjectValues(targets);
  if (targets.GetCount() == 0) return;
  m_bShowingValues = 1;
  ShowTextValues(targets);
  jvqLineTextObject* first = NULL;
  BOOL mixedLeaderWidth = FALSE, mixedFrameWidth = FALSE;
  for (int i = 0; i < targets.GetCount(); i++) {
    jvqObject* o = targets.GetAt(i);
    if (o->GetClassCode() != JVQ_OBJ_LINETEXT) continue;
    jvqLineTextObject* lt = (jvqLineTextObject*)o;
    if (first == NULL) {
      first = lt;
    } else {
      mixedLeaderWidth |= lt->GetLineStyle()->GetWidth() != first->GetLineStyle()->GetWidth();
      if (lt->m_pFrame && first->m_pFrame)
        mixedFrameWidth |= lt->m_pFrame->GetLineStyle()->GetWidth() != first->m_pFrame->GetLineStyle()->GetWidth();
    }
    qvzLeaderLinePanel& l = m_LeaderPanel;
    if (l.m_wndStartShape.m_hWnd && lt->m_pLeader)
      l.m_wndStartShape.SetCurSel(LineEndKindToIndex(lt->m_pLeader->m_StartLineEnd.m_nKind));
    if (l.m_wndLineWidth.m_hWnd) l.m_wndLineWidth.SelectValue(LineWidthText(lt->GetLineStyle()->GetWidth()));
    if (l.m_wndLineStyle.m_hWnd) l.m_wndLineStyle.SelectStyle(lt->GetLineStyle());
    if (l.m_wndColor.m_hWnd) {
      jvqSolidFill c(lt->GetLineStyle()->GetColor());
      l.m_wndColor.SetFill(&c);
    }
    qvzTextFramePanel& f = m_FramePanel;
    if (lt->m_pFrame) {
      jvqLineStyle* fs = lt->m_pFrame->GetLineStyle();
      if (f.m_wndLineWidth.m_hWnd) f.m_wndLineWidth.SelectValue(LineWidthText(fs->GetWidth()));
      if (f.m_wndLineStyle.m_hWnd) f.m_wndLineStyle.SelectStyle(fs);
      if (f.m_wndColor.m_hWnd) {
        jvqSolidFill c(fs->GetColor());
        f.m_wndColor.SetFill(&c);
      }
    }
    if (f.m_wndFill.m_hWnd) f.m_wndFill.SetFill(lt->GetFill());
  }
  if (mixedLeaderWidth && m_LeaderPanel.m_wndLineWidth.m_hWnd) m_LeaderPanel.m_wndLineWidth.ShowText("");
  if (mixedFrameWidth && m_FramePanel.m_wndLineWidth.m_hWnd) m_FramePanel.m_wndLineWidth.ShowText("");
  m_bShowingValues = 0;
}
