// The board designer's application object: for now one empty main frame with the
// application's title.
#include <afxwin.h>
#include "resource.h"

class qvzApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        CString title;
        if (!title.LoadString(AFX_IDS_APP_TITLE))
            title = "Zenbora";
        auto* frame = new CFrameWnd;
        if (!frame->Create(nullptr, title)) {
            delete frame;
            return FALSE;
        }
        m_pMainWnd = frame;
        frame->ShowWindow(m_nCmdShow);
        frame->UpdateWindow();
        return TRUE;
    }
};

qvzApp theApp;
