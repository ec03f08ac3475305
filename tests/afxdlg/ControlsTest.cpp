// Modeless dialogs and the controls in them: notifications through message maps, owner
// drawing by reflection, tree and list controls, tool tips, a form view.
#include <gtest/gtest.h>

#include "DlgRes.h"
#include "DlgTestApp.h"
#include "afxcmn.h"

namespace {

class CModelessDlg : public CDialog {
 public:
  CTreeCtrl m_tree;
  CListCtrl m_list;
  CToolTipCtrl m_tips;
  int m_nPushed = 0;
  int m_nTreeSelChanged = 0;
  int m_nListChanged = 0;
  CString m_strNameAtPush;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Control(pDX, IDC_TREE, m_tree);
    DDX_Control(pDX, IDC_LISTCTRL, m_list);
  }
  afx_msg void OnPush() {
    ++m_nPushed;
    GetDlgItemText(IDC_NAME, m_strNameAtPush);
  }
  afx_msg void OnTreeSelChanged(NMHDR*, LRESULT* pResult) {
    ++m_nTreeSelChanged;
    *pResult = 0;
  }
  afx_msg void OnListItemChanged(NMHDR* pNMHDR, LRESULT*) {
    NMLISTVIEW* p = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    if ((p->uChanged & LVIF_STATE) && (p->uNewState & LVIS_SELECTED)) ++m_nListChanged;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CModelessDlg, CDialog)
  ON_BN_CLICKED(IDC_PUSH, OnPush)
  ON_NOTIFY(TVN_SELCHANGED, IDC_TREE, OnTreeSelChanged)
  ON_NOTIFY(LVN_ITEMCHANGED, IDC_LISTCTRL, OnListItemChanged)
END_MESSAGE_MAP()

}  // namespace

TEST(ModelessTest, CreatedUsedAndDestroyed) {
  CModelessDlg dlg;
  ASSERT_TRUE(dlg.Create(IDD_MODELESS));
  ASSERT_TRUE(::IsWindow(dlg.m_hWnd));
  EXPECT_EQ(&dlg, CWnd::FromHandlePermanent(dlg.m_hWnd));
  dlg.ShowWindow(SW_SHOW);

  // Typed text and a button press, through the controls' own messages.
  ::SendDlgItemMessage(dlg.m_hWnd, IDC_NAME, WM_SETTEXT, 0, (LPARAM) "入力");
  ::SendDlgItemMessage(dlg.m_hWnd, IDC_PUSH, BM_CLICK, 0, 0);
  EXPECT_EQ(1, dlg.m_nPushed);
  EXPECT_EQ("入力", dlg.m_strNameAtPush);

  // The tree: filled, expanded, an item selected; the dialog hears of it.
  HTREEITEM hRoot = dlg.m_tree.InsertItem("ルート");
  HTREEITEM hChild = dlg.m_tree.InsertItem("子供", hRoot);
  dlg.m_tree.InsertItem("二番目", hRoot);
  dlg.m_tree.SetItemData(hChild, 1234);
  EXPECT_TRUE(dlg.m_tree.Expand(hRoot, TVE_EXPAND));
  EXPECT_EQ(3u, dlg.m_tree.GetCount());
  EXPECT_TRUE(dlg.m_tree.SelectItem(hChild));
  EXPECT_EQ(hChild, dlg.m_tree.GetSelectedItem());
  EXPECT_EQ("子供", dlg.m_tree.GetItemText(hChild));
  EXPECT_EQ(1234u, dlg.m_tree.GetItemData(hChild));
  EXPECT_EQ(hRoot, dlg.m_tree.GetParentItem(hChild));
  EXPECT_TRUE(dlg.m_tree.ItemHasChildren(hRoot));
  EXPECT_GE(dlg.m_nTreeSelChanged, 1);

  // The list: columns, rows, sub-items, a selection.
  EXPECT_EQ(0, dlg.m_list.InsertColumn(0, "名前", LVCFMT_LEFT, 80));
  EXPECT_EQ(1, dlg.m_list.InsertColumn(1, "大きさ", LVCFMT_RIGHT, 50));
  for (int i = 0; i < 3; i++) {
    CString name;
    name.Format("ファイル%d", i);
    EXPECT_EQ(i, dlg.m_list.InsertItem(i, name));
    EXPECT_TRUE(dlg.m_list.SetItemText(i, 1, i == 1 ? "2KB" : "1KB"));
  }
  EXPECT_EQ(3, dlg.m_list.GetItemCount());
  EXPECT_TRUE(dlg.m_list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED));
  EXPECT_EQ(1, dlg.m_list.GetNextItem(-1, LVNI_SELECTED));
  EXPECT_EQ(1u, dlg.m_list.GetSelectedCount());
  POSITION pos = dlg.m_list.GetFirstSelectedItemPosition();
  ASSERT_NE((POSITION)NULL, pos);
  EXPECT_EQ(1, dlg.m_list.GetNextSelectedItem(pos));
  EXPECT_EQ((POSITION)NULL, pos);
  EXPECT_EQ("ファイル1", dlg.m_list.GetItemText(1, 0));
  EXPECT_EQ("2KB", dlg.m_list.GetItemText(1, 1));
  EXPECT_EQ(1, dlg.m_nListChanged);
  EXPECT_EQ(2, dlg.m_list.GetHeaderCtrl()->GetItemCount() );

  // A tool tip for the button, text from the string table and then replaced.
  ASSERT_TRUE(dlg.m_tips.Create(&dlg));
  CWnd* pButton = dlg.GetDlgItem(IDC_PUSH);
  EXPECT_TRUE(dlg.m_tips.AddTool(pButton, IDS_TIP));
  EXPECT_EQ(1, dlg.m_tips.GetToolCount());
  CString tip;
  dlg.m_tips.GetText(tip, pButton);
  EXPECT_EQ("ボタンの説明", tip);
  dlg.m_tips.UpdateTipText("別の説明", pButton);
  dlg.m_tips.GetText(tip, pButton);
  EXPECT_EQ("別の説明", tip);
  CRect rect(0, 0, 10, 10);
  EXPECT_TRUE(dlg.m_tips.AddTool(&dlg, "領域", &rect, 7));
  EXPECT_EQ(2, dlg.m_tips.GetToolCount());
  dlg.m_tips.DelTool(&dlg, 7);
  EXPECT_EQ(1, dlg.m_tips.GetToolCount());
  EXPECT_EQ(dlg.m_hWnd, ::GetWindow(dlg.m_tips.m_hWnd, GW_OWNER));

  // Keyboard: the default button, moving between controls, Tab through the message loop.
  dlg.SetDefID(IDC_PUSH);
  EXPECT_EQ(IDC_PUSH, (int)LOWORD(dlg.GetDefID()));
  dlg.GotoDlgCtrl(dlg.GetDlgItem(IDC_NAME));
  EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, IDC_NAME), ::GetFocus());
  dlg.NextDlgCtrl();
  EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, IDC_PUSH), ::GetFocus());
  dlg.PrevDlgCtrl();
  EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, IDC_NAME), ::GetFocus());
  ::PostMessage(::GetDlgItem(dlg.m_hWnd, IDC_NAME), WM_KEYDOWN, VK_TAB, 1);
  PumpPending();
  EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, IDC_PUSH), ::GetFocus());

  HWND hWnd = dlg.m_hWnd;
  HWND hTree = dlg.m_tree.m_hWnd;
  dlg.m_tips.DestroyWindow();
  EXPECT_TRUE(dlg.DestroyWindow());
  EXPECT_FALSE(::IsWindow(hWnd));
  EXPECT_EQ(NULL, dlg.m_hWnd);
  EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hTree));
}

namespace {

// Fills its face with one colour, so the paint can be read back.
class CSolidButton : public CButton {
 public:
  int m_nDrawn = 0;
  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override {
    ++m_nDrawn;
    ::SetBkColor(lpDIS->hDC, RGB(255, 0, 0));
    ::ExtTextOut(lpDIS->hDC, 0, 0, ETO_OPAQUE, &lpDIS->rcItem, NULL, 0, NULL);
  }
};

class CSolidCombo : public CComboBox {
 public:
  int m_nDrawn = 0;
  UINT m_nLastItem = (UINT)-2;
  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override {
    ++m_nDrawn;
    m_nLastItem = lpDIS->itemID;
    ::SetBkColor(lpDIS->hDC, RGB(0, 0, 255));
    ::ExtTextOut(lpDIS->hDC, 0, 0, ETO_OPAQUE, &lpDIS->rcItem, NULL, 0, NULL);
  }
};

class COwnerDrawDlg : public CDialog {
 public:
  CSolidButton m_button;
  CSolidCombo m_combo;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Control(pDX, IDC_ODBUTTON, m_button);
    DDX_Control(pDX, IDC_ODCOMBO, m_combo);
  }
};

}  // namespace

TEST(OwnerDrawTest, ButtonAndComboPaintThroughReflection) {
  COwnerDrawDlg dlg;
  ASSERT_TRUE(dlg.Create(IDD_OWNERDRAW));
  dlg.m_combo.AddString("項目");
  dlg.m_combo.SetCurSel(0);
  dlg.SetWindowPos(&CWnd::wndTop, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  dlg.UpdateWindow();
  PumpPending();

  CRect rcButton;
  dlg.m_button.GetClientRect(&rcButton);
  EXPECT_EQ(RGB(255, 0, 0), ReadPixel(dlg.m_button.m_hWnd, rcButton.Width() / 2, rcButton.Height() / 2));
  EXPECT_GE(dlg.m_button.m_nDrawn, 1);

  CRect rcCombo;
  dlg.m_combo.GetClientRect(&rcCombo);
  EXPECT_EQ(RGB(0, 0, 255), ReadPixel(dlg.m_combo.m_hWnd, 8, rcCombo.Height() / 2));
  EXPECT_GE(dlg.m_combo.m_nDrawn, 1);
  EXPECT_EQ(0u, dlg.m_combo.m_nLastItem);
  dlg.DestroyWindow();
}

namespace {

class CTestForm : public CFormView {
 public:
  CTestForm() : CFormView(IDD_FORM) {}
  int m_nValue = 12;
  using CFormView::OnInitialUpdate;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, IDC_NUMBER, m_nValue);
    DDV_MinMaxInt(pDX, m_nValue, 0, 20);
  }
};

}  // namespace

TEST(FormViewTest, ViewOnATemplate) {
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "form parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400,
                              300, NULL, NULL));
  CTestForm* pForm = new CTestForm;  // a view deletes itself with its window
  ASSERT_TRUE(pForm->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &parent, AFX_IDW_PANE_FIRST));
  EXPECT_EQ(AFX_IDW_PANE_FIRST, pForm->GetDlgCtrlID());
  EXPECT_EQ(1, (int)pForm->SendDlgItemMessage(IDC_COMBO, CB_GETCOUNT));  // dialog-init data
  pForm->OnInitialUpdate();
  CString text;
  pForm->GetDlgItemText(IDC_NUMBER, text);
  EXPECT_EQ("12", text);

  pForm->SetDlgItemText(IDC_NUMBER, "15");
  EXPECT_TRUE(pForm->UpdateData(TRUE));
  EXPECT_EQ(15, pForm->m_nValue);
  TheApp().m_messages.clear();
  pForm->SetDlgItemText(IDC_NUMBER, "25");
  EXPECT_FALSE(pForm->UpdateData(TRUE));
  ASSERT_EQ(1u, TheApp().m_messages.size());
  EXPECT_EQ("0 から 20 までの整数を入力してください。", TheApp().m_messages[0]);
  EXPECT_EQ(pForm->GetDlgItem(IDC_NUMBER), CWnd::GetFocus());
  parent.DestroyWindow();  // takes the view with it
}

TEST(SimpleControlsTest, ValuesAndImageLists) {
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "controls", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400,
                              300, NULL, NULL));
  CRect rc(0, 0, 100, 20);

  CSliderCtrl slider;
  ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | TBS_HORZ, rc, &parent, 1));
  slider.SetRange(-10, 10);
  slider.SetPos(25);  // beyond the range: the control keeps it inside
  EXPECT_EQ(10, slider.GetPos());

  CSpinButtonCtrl spin;
  ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE, rc, &parent, 2));
  spin.SetRange(1, 50);
  spin.SetPos(7);
  EXPECT_EQ(7, LOWORD(spin.GetPos()));
  int nLower = 0, nUpper = 0;
  spin.GetRange(nLower, nUpper);
  EXPECT_EQ(1, nLower);
  EXPECT_EQ(50, nUpper);

  CProgressCtrl progress;
  ASSERT_TRUE(progress.Create(WS_CHILD | WS_VISIBLE, rc, &parent, 3));
  progress.SetRange(0, 200);
  progress.SetStep(30);
  progress.StepIt();
  progress.StepIt();
  EXPECT_EQ(60, progress.GetPos());
  progress.GetRange(nLower, nUpper);
  EXPECT_EQ(200, nUpper);

  CTabCtrl tabs;
  ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(0, 30, 300, 120), &parent, 4));
  EXPECT_TRUE(tabs.InsertItem(0, "塗り"));
  EXPECT_TRUE(tabs.InsertItem(1, "線"));
  tabs.SetCurSel(1);
  EXPECT_EQ(2, tabs.GetItemCount());
  EXPECT_EQ(1, tabs.GetCurSel());

  CAnimateCtrl anim;
  ASSERT_TRUE(anim.Create(WS_CHILD | ACS_CENTER, rc, &parent, 5));
  EXPECT_FALSE(anim.Open("Z:\\no\\such\\clip.avi"));

  CButton iconButton;
  ASSERT_TRUE(iconButton.Create("", WS_CHILD | WS_VISIBLE | BS_ICON, rc, &parent, 6));
  HICON hIcon = ::LoadIcon(NULL, IDI_WARNING);
  iconButton.SetIcon(hIcon);
  EXPECT_EQ(hIcon, iconButton.GetIcon());
  EXPECT_EQ((UINT)BS_ICON, iconButton.GetButtonStyle() & BS_ICON);

  // Image lists: attached lists map to their objects, others get temporary wrappers.
  CImageList images;
  ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 2));
  EXPECT_EQ(0, images.Add(hIcon));
  EXPECT_EQ(1, images.GetImageCount());
  EXPECT_EQ(&images, CImageList::FromHandle(images.m_hImageList));
  HIMAGELIST hOther = ImageList_Create(8, 8, ILC_COLOR24, 1, 1);
  CImageList* pTemp = CImageList::FromHandle(hOther);
  ASSERT_NE(nullptr, pTemp);
  EXPECT_EQ(pTemp, CImageList::FromHandle(hOther));
  EXPECT_EQ(nullptr, CImageList::FromHandlePermanent(hOther));
  CImageList::DeleteTempMap();
  EXPECT_TRUE(ImageList_Destroy(hOther));  // the wrapper never owned it

  CTreeCtrl tree;
  ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE, CRect(0, 130, 200, 250), &parent, 7));
  EXPECT_EQ(nullptr, tree.SetImageList(&images, TVSIL_NORMAL));
  EXPECT_EQ(&images, tree.GetImageList(TVSIL_NORMAL));
  tree.SetImageList(NULL, TVSIL_NORMAL);

  HIMAGELIST hImages = images.Detach();
  EXPECT_EQ(NULL, images.m_hImageList);
  EXPECT_EQ(nullptr, CImageList::FromHandlePermanent(hImages));
  EXPECT_TRUE(ImageList_Destroy(hImages));
  parent.DestroyWindow();
}
