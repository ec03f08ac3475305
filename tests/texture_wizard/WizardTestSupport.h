// What the wizard's window tests share: the application object, pictures made in memory, a
// page that records what the view tells it, and reading pixels back from the screen.
#pragma once

#include "afxwin.h"
#include "afxtest/ThreadPump.h"

#include "EditDIBView.h"
#include "Image.h"
#include "ImageNotify.h"
#include "Twain.h"
#include "WizardMessages.h"

#include <functional>
#include <string>
#include <vector>

class CWizardTestApp : public CWinApp
{
public:
    CWizardTestApp() : CWinApp("WizardTest") {}
    int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT) override
    {
        m_messages.push_back(lpszPrompt != NULL ? lpszPrompt : "");
        return m_nAnswer;
    }
    std::vector<std::string> m_messages;
    int m_nAnswer = IDOK;
};

CWizardTestApp& TheApp();

// Keys through the system's input, so that the key state follows them as it would a user's.
void KeyDown(WORD vk);
void KeyUp(WORD vk);
void PressKey(WORD vk);
// A key typed into the focused control with Ctrl held, as the thread sees it. Wine takes
// the modifier state of injected input back from the X server, so Ctrl is set in the
// thread's key state instead.
void CtrlKey(WORD vk);

// A picture of w x h whose pixel (x, y), counted from the top, has colour(x, y).
CImage* MakeImage(int w, int h, const std::function<COLORREF(int, int)>& colour);
// The working layer's pixel (x, y) from the top.
COLORREF WorkingPixel(const CEditDIBView& view, int x, int y);
// The colour on the screen at a client point of the window, after it has painted.
COLORREF ReadPixel(HWND hWnd, int x, int y);

// Records the errors the image classes report.
class CRecordingNotify : public CImageNotify
{
public:
    CRecordingNotify() : m_pPrevious(SetImageNotify(this)) {}
    ~CRecordingNotify() override { SetImageNotify(m_pPrevious); }
    void ReportError(UINT nID) override { m_errors.push_back(nID); }
    std::vector<UINT> m_errors;

private:
    CImageNotify* m_pPrevious;
};

struct RecordedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// A top-level window standing in for a page: a placeholder child holds the view, and the
// view's messages to the page are recorded.
class CRecordingPage : public CWnd
{
public:
    // A page whose placeholder's client area is width x height, at the screen's corner.
    BOOL CreatePage(int width, int height);
    void Attach(CEditDIBView* pView);
    void Detach();
    std::vector<UINT> Messages() const;
    const RecordedMessage* Last(UINT message) const;

    std::vector<RecordedMessage> m_messages;
    CWnd m_holder;
    CEditDIBView* m_pView = NULL;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// While it lives, the TWAIN manager is looked for in folder instead of the Windows folder.
class CTwainFolder
{
public:
    explicit CTwainFolder(const char* folder) { CTwain::SetManagerFolder(folder); }
    ~CTwainFolder() { CTwain::SetManagerFolder(NULL); }
};

// Runs a page of the library modally; script runs once the page is idle.
template <class Page>
class CScripted : public Page
{
public:
    template <class... Args>
    explicit CScripted(std::function<void(CScripted&)> script, Args... args)
        : Page(args...), m_script(std::move(script))
    {
    }
    BOOL OnInitDialog() override
    {
        const BOOL result = Page::OnInitDialog();
        if (m_script)
            RunWhenIdle([this] { m_script(*this); });
        return result;
    }
    using Page::OnCmdMsg;
    std::function<void(CScripted&)> m_script;
};

// A click on a dialog's button as the button sends it.
void Click(CWnd& dialog, UINT id);
bool Enabled(CWnd& dialog, UINT id);
// Sets a control's text and tells its dialog, as typing would, with the focus in it.
void TypeText(CWnd& dialog, UINT id, const char* text);
