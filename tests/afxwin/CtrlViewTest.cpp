// Views that are system controls, threads, and the message box and wait cursor helpers.
#include <gtest/gtest.h>

#include "TestApp.h"
#include "afxcview.h"

static CTestApp* App() { return static_cast<CTestApp*>(AfxGetApp()); }

// A tree view that handles its own selection notification.
class CProbeTreeView : public CTreeView {
  DECLARE_DYNCREATE(CProbeTreeView)
 public:
  int m_nSelChanged = 0;
  HTREEITEM m_hNewItem = NULL;

 protected:
  afx_msg void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult) {
    ++m_nSelChanged;
    m_hNewItem = reinterpret_cast<NMTREEVIEW*>(pNMHDR)->itemNew.hItem;
    *pResult = 0;
  }
  DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CProbeTreeView, CTreeView)

BEGIN_MESSAGE_MAP(CProbeTreeView, CTreeView)
  ON_NOTIFY_REFLECT(TVN_SELCHANGED, OnSelChanged)
END_MESSAGE_MAP()

static CFrameWnd* CreateFrameWithView(CRuntimeClass* pViewClass) {
  CCreateContext context;
  context.m_pNewViewClass = pViewClass;
  CFrameWnd* pFrame = new CFrameWnd;
  if (!pFrame->Create(NULL, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200), NULL, NULL, 0, &context)) return NULL;
  pFrame->InitialUpdateFrame(NULL, FALSE);
  return pFrame;
}

TEST(CtrlViewTest, TreeViewIsTheControlAndGetsItsNotifications) {
  CFrameWnd* pFrame = CreateFrameWithView(RUNTIME_CLASS(CProbeTreeView));
  ASSERT_NE(nullptr, pFrame);
  CProbeTreeView* pView = static_cast<CProbeTreeView*>(pFrame->GetActiveView());
  ASSERT_NE(nullptr, pView);
  TCHAR szClass[64];
  ::GetClassName(pView->m_hWnd, szClass, 64);
  EXPECT_STREQ(WC_TREEVIEW, szClass);

  TVINSERTSTRUCT tvis = {};
  tvis.hParent = TVI_ROOT;
  tvis.hInsertAfter = TVI_LAST;
  tvis.item.mask = TVIF_TEXT;
  tvis.item.pszText = (LPTSTR) "ルート";
  HTREEITEM hItem = (HTREEITEM)pView->SendMessage(TVM_INSERTITEM, 0, (LPARAM)&tvis);
  ASSERT_NE(nullptr, hItem);
  // Selecting sends TVN_SELCHANGED to the frame, which reflects it to the view.
  pView->SendMessage(TVM_SELECTITEM, TVGN_CARET, (LPARAM)hItem);
  EXPECT_EQ(1, pView->m_nSelChanged);
  EXPECT_EQ(hItem, pView->m_hNewItem);
  pFrame->DestroyWindow();  // frame and view delete themselves
}

TEST(CtrlViewTest, ListViewHasTheListControlClass) {
  CFrameWnd* pFrame = CreateFrameWithView(RUNTIME_CLASS(CListView));
  ASSERT_NE(nullptr, pFrame);
  CView* pView = pFrame->GetActiveView();
  ASSERT_NE(nullptr, pView);
  TCHAR szClass[64];
  ::GetClassName(pView->m_hWnd, szClass, 64);
  EXPECT_STREQ(WC_LISTVIEW, szClass);
  EXPECT_TRUE(pView->GetExStyle() & WS_EX_CLIENTEDGE);  // the view's border is the client edge
  pFrame->DestroyWindow();
}

/////////////////////////////////////////////////////////////////////////////

static UINT AFX_CDECL Worker(LPVOID pParam) {
  // The worker has a thread object of its own, not the application.
  CWinThread* pThread = AfxGetThread();
  *static_cast<int*>(pParam) = (pThread != NULL && pThread != AfxGetApp()) ? 1 : -1;
  return 7;
}

TEST(ThreadTest, WorkerThreadRunsAndEnds) {
  int nResult = 0;
  CWinThread* pThread = AfxBeginThread(Worker, &nResult, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
  ASSERT_NE(nullptr, pThread);
  pThread->m_bAutoDelete = FALSE;  // kept to read the exit code
  pThread->ResumeThread();
  ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(pThread->m_hThread, 10000));
  DWORD dwExit = 0;
  ::GetExitCodeThread(pThread->m_hThread, &dwExit);
  EXPECT_EQ(7u, dwExit);
  EXPECT_EQ(1, nResult);
  delete pThread;
}

TEST(MessageBoxTest, ByTextAndByStringId) {
  App()->m_messages.clear();
  App()->m_nMessageBoxAnswer = IDYES;
  EXPECT_EQ(IDYES, AfxMessageBox("テキスト", MB_YESNO));
  EXPECT_EQ(IDYES, AfxMessageBox(AFX_IDP_COMMAND_FAILURE));
  ASSERT_EQ(2u, App()->m_messages.size());
  EXPECT_EQ("テキスト", App()->m_messages[0]);
  EXPECT_EQ("コマンドを実行できませんでした。", App()->m_messages[1]);
  App()->m_nMessageBoxAnswer = IDOK;
}

TEST(WaitCursorTest, NestsAndRestores) {
  CWinApp* pApp = AfxGetApp();
  {
    CWaitCursor outer;
    EXPECT_EQ(1, pApp->m_nWaitCursorCount);
    {
      CWaitCursor inner;
      EXPECT_EQ(2, pApp->m_nWaitCursorCount);
    }
    EXPECT_EQ(1, pApp->m_nWaitCursorCount);
  }
  EXPECT_EQ(0, pApp->m_nWaitCursorCount);
}
