// The browser's frame with the tree and the report list over a generated catalogue, for the
// tests that drive the tree, its searches and the search dialogs.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CatalogFixture.h"
#include "LeftView.h"
#include "MainFrame.h"
#include "SearchRecords.h"
#include "VendaroExplorerApp.h"
#include "YQVDoc.h"
#include "afxtest/ThreadPump.h"
#include "resource.h"
#include "yqListView.h"

namespace catalogtest {

inline CVendaroExplorerApp& App() { return *GetVendaroApp(); }

class TreeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = MakeTempFolder("tree");
        App().FreeLists();
        App().m_strHistoryPath = CatalogPath(folder + "/HISTORY.DAT").c_str();
        App().m_strConfigPath = CatalogPath(folder + "/CONFIG.DAT").c_str();
        App().m_rcProfileWindow = {100, 50, 900, 650};
        doc = new CYQVDoc;
        doc->m_bAutoDelete = FALSE;
        frame = new CMainFrame;
        CCreateContext context;
        context.m_pCurrentDoc = doc;
        context.m_pNewViewClass = RUNTIME_CLASS(CLeftView);
        ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, nullptr, &context));
        App().m_pMainWnd = frame;
        frame->InitialUpdateFrame(doc, TRUE);
        frame->ShowWindow(SW_SHOW);
        PumpPending();
        tree = frame->GetLeftView();
        frame->m_nListMode = LVS_REPORT;  // these tests read the report list, not thumbnails
    }
    void TearDown() override
    {
        App().m_bBusy = FALSE;
        App().m_pMainWnd = nullptr;
        if (::IsWindow(frame->GetSafeHwnd()))
            frame->DestroyWindow();
        App().FreeLists();
        delete doc;
        RemoveFolder(folder);
    }
    Manifest Load(const FixtureOptions& options)
    {
        Manifest m = GenerateCatalog(folder + "/cat", options);
        doc->m_catalogs.push_back(new yqCatalog((m.root + "\\").c_str()));
        Rebuild();
        return m;
    }
    void Rebuild()
    {
        tree->DeleteAllNodes();
        tree->AddRootNodes();
        PumpPending();
    }
    std::vector<CString> Roots() const
    {
        std::vector<CString> out;
        CTreeCtrl& t = tree->GetTreeCtrl();
        for (HTREEITEM i = t.GetRootItem(); i; i = t.GetNextSiblingItem(i))
            out.push_back(t.GetItemText(i));
        return out;
    }
    void Select(CTreeNode* node)
    {
        tree->GetTreeCtrl().SelectItem(node->m_hItem);
        PumpPending();
    }
    CTreeNode* Catalog() const { return tree->m_pVendaroRoot ? tree->m_pVendaroRoot->GetChild(0) : nullptr; }
    // Every leaf category below a node (the nodes with a category and a placeholder).
    static void Leaves(CTreeNode* node, std::vector<CTreeNode*>& out)
    {
        for (CTreeNode* c : node->m_children) {
            if (c->GetCategory() && c->m_nFlags == 3)
                out.push_back(c);
            Leaves(c, out);
        }
    }
    yqListView* List() const { return dynamic_cast<yqListView*>(frame->GetRightView()); }
    std::vector<std::string> Column(int column) const
    {
        std::vector<std::string> out;
        CListCtrl& l = List()->GetListCtrl();
        for (int i = 0; i < l.GetItemCount(); ++i)
            out.emplace_back(l.GetItemText(i, column));
        return out;
    }
    std::string Status() const { return std::string(frame->m_wndStatusBar.GetPaneText(0)); }
    std::vector<CString> SearchNames() const
    {
        std::vector<CString> out;
        for (CTreeNode* c : tree->m_pSearchRoot->m_children)
            out.push_back(c->m_strText);
        return out;
    }
    // Runs `action`; a message box that comes up meanwhile (past the search's progress
    // dialog) is answered with `answer`. Gives the box's text, empty when none came.
    std::string Answering(const std::function<void()>& action, int answer = IDOK)
    {
        struct State {
            std::string said;
            bool over = false;
            std::function<void()> reply;
        };
        auto state = std::make_shared<State>();
        std::weak_ptr<State> weak = state;
        state->reply = [weak, answer] {
            auto st = weak.lock();
            if (!st || st->over)
                return;
            HWND box = ::GetActiveWindow();
            char cls[16] = {};
            ::GetClassName(box, cls, sizeof cls);
            // The progress dialog and the search dialogs come before the box: wait past them.
            if (::GetDlgItem(box, IDC_SEARCH_ANIMATE) || ::GetDlgItem(box, IDC_SAVED_NAME) ||
                ::GetDlgItem(box, IDC_SEARCH_TABS) || ::GetDlgItem(box, IDC_IMAGE_TABS)) {
                RunWhenIdle(st->reply, 100);
                return;
            }
            if (strcmp(cls, "#32770") != 0 || !::GetDlgItem(box, 0xFFFF))
                return;
            char msg[512] = {};
            ::GetDlgItemText(box, 0xFFFF, msg, sizeof msg);
            st->said = msg;
            ::SendMessage(box, WM_COMMAND, answer, 0);
        };
        RunWhenIdle(state->reply, 200);
        action();
        // Let the answer's timer run out here, so that it never meets a later step.
        for (int i = 0; i < 40; ++i) {
            PumpPending();
            ::Sleep(10);
        }
        state->over = true;
        return state->said;
    }
    // Runs the quick search, answering a message box that comes up; gives its text.
    std::string QuickSearch(const char* text)
    {
        frame->m_editSearch.SetWindowText(text);
        return Answering([this] { frame->QuickSearch(); });
    }

    std::string folder;
    CYQVDoc* doc = nullptr;
    CMainFrame* frame = nullptr;
    CLeftView* tree = nullptr;
};

}  // namespace catalogtest
