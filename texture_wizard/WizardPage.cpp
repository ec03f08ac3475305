#include "WizardPage.h"

#include "EditDIBView.h"
#include "Image.h"
#include "ImageNotify.h"
#include "ViewZoom.h"
#include "WizardMessages.h"
#include "WizardSettings.h"

namespace {

const LayoutEntry kFrameTable[6] = {
    {IDC_WIZ_BACK, ANCHOR_MOVE_X | ANCHOR_MOVE_Y, {}}, {IDC_WIZ_NEXT, ANCHOR_MOVE_X | ANCHOR_MOVE_Y, {}},
    {IDC_WIZ_TAKE, ANCHOR_MOVE_X | ANCHOR_MOVE_Y, {}}, {IDCANCEL, ANCHOR_MOVE_X | ANCHOR_MOVE_Y, {}},
    {IDC_WIZ_GRIP, ANCHOR_MOVE_X | ANCHOR_MOVE_Y, {}}, {-1, 0, {}},
};

const UINT kCaptionId = 102;
const UINT kConfirmQuitId = 121;

bool EmptyRect(const RECT& r)
{
    return r.right <= r.left || r.bottom <= r.top;
}

HICON SmallIcon(UINT id)
{
    return static_cast<HICON>(::LoadImage(GetPatinorModule(), MAKEINTRESOURCE(id), IMAGE_ICON, 16, 16, 0));
}

} // namespace

IMPLEMENT_DYNAMIC(CWizardPage, CDialog)

BEGIN_MESSAGE_MAP(CWizardPage, CDialog)
    ON_WM_SHOWWINDOW()
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
    ON_BN_CLICKED(IDC_WIZ_NEXT, OnNext)
    ON_BN_CLICKED(IDC_WIZ_BACK, OnBack)
    ON_BN_CLICKED(IDC_WIZ_ZOOMIN, OnZoomIn)
    ON_BN_CLICKED(IDC_WIZ_ZOOMOUT, OnZoomOut)
    ON_BN_CLICKED(IDC_WIZ_FIT, OnFit)
    ON_BN_CLICKED(IDC_WIZ_REVERT, OnRevert)
    ON_CBN_SELENDOK(IDC_WIZ_ZOOMLIST, OnZoomListSelected)
    ON_MESSAGE(WZM_ZOOMCHANGED, OnZoomChanged)
    ON_MESSAGE(WZM_UNDOSET, OnUndoChanged)
    ON_MESSAGE(WZM_REVERTED, OnUndoChanged)
END_MESSAGE_MAP()

CWizardPage::CWizardPage(UINT nIDTemplate, CWnd* pParent)
    : CDialog(nIDTemplate, pParent), m_pView(CTextureWizard::m_pDIBView), m_rcShown{}, m_nInitialWidth(0),
      m_nInitialHeight(0), m_bEditFocus(FALSE)
{
    for (int i = 0; i < 6; ++i)
        m_frameTable[i] = kFrameTable[i];
    GetWizardSettings().OnPageConstructed();
}

bool CWizardPage::IsResizable() const
{
    return (GetStyle() & WS_THICKFRAME) != 0;
}

BOOL CWizardPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_bEditFocus = FALSE;
    CString format;
    format.LoadString(kCaptionId);
    SetWindowText(StepCaption(format, CTextureWizard::m_nStep));
    CRect window;
    GetWindowRect(&window);
    m_nInitialWidth = window.Width();
    m_nInitialHeight = window.Height();
    SaveControlRects(m_frameTable);
    if (m_pView != NULL)
        CheckDlgButton(IDC_WIZ_FIT, m_pView->m_bFitToWindow ? BST_CHECKED : BST_UNCHECKED);
    if (CWnd* grip = GetDlgItem(IDC_WIZ_GRIP))
        grip->SendMessage(STM_SETIMAGE, IMAGE_BITMAP,
                          reinterpret_cast<LPARAM>(::LoadBitmap(GetPatinorModule(), MAKEINTRESOURCE(144))));
    SetIcon(::LoadIcon(GetPatinorModule(), MAKEINTRESOURCE(141)), TRUE);
    // Templates without the zoom steps get them here.
    if (SendDlgItemMessage(IDC_WIZ_ZOOMLIST, CB_GETCOUNT, 0, 0) == 0) {
        static const char* const steps[7] = {"８ 倍", "４ 倍", "２ 倍", "実寸", "1/2 倍", "1/4 倍", "1/8 倍"};
        for (const char* step : steps)
            SendDlgItemMessage(IDC_WIZ_ZOOMLIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(step));
        UpdateZoomList();
    }
    return TRUE;
}

void CWizardPage::SaveControlRects(LayoutEntry* table)
{
    for (LayoutEntry* entry = table; entry->id >= 0; ++entry) {
        if (CWnd* control = GetDlgItem(entry->id)) {
            control->GetWindowRect(&entry->rect);
            ScreenToClient(&entry->rect);
        }
    }
    MoveControls(m_frameTable);
}

void CWizardPage::MoveControls(LayoutEntry* table)
{
    if (m_nInitialWidth <= 0 || m_nInitialHeight <= 0)
        return;
    CRect window;
    GetWindowRect(&window);
    const int dw = window.Width() - m_nInitialWidth, dh = window.Height() - m_nInitialHeight;
    HDWP batch = ::BeginDeferWindowPos(8);
    for (LayoutEntry* entry = table; entry->id >= 0; ++entry) {
        HWND control = ::GetDlgItem(m_hWnd, entry->id);
        if (control == NULL || entry->flags == 0)
            continue;
        const RECT r = AnchoredRect(entry->rect, entry->flags, dw, dh);
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
        if (!(entry->flags & (ANCHOR_SIZE_X | ANCHOR_SIZE_Y)))
            flags |= SWP_NOSIZE;
        if (batch != NULL)
            batch = ::DeferWindowPos(batch, control, NULL, r.left, r.top, r.right - r.left, r.bottom - r.top, flags);
        else
            ::SetWindowPos(control, NULL, r.left, r.top, r.right - r.left, r.bottom - r.top, flags);
    }
    if (batch != NULL)
        ::EndDeferWindowPos(batch);
}

void CWizardPage::ArrangeControls()
{
    MoveControls(m_frameTable);
}

BOOL CWizardPage::AttachView()
{
    return m_holder.Attach(this, IDC_WIZ_VIEW, m_pView);
}

void CWizardPage::SetButtonImages()
{
    const UINT ids[4] = {IDC_WIZ_ZOOMIN, IDC_WIZ_ZOOMOUT, IDC_WIZ_FIT, IDC_WIZ_REVERT};
    for (int i = 0; i < 4; ++i) {
        if (CWnd* button = GetDlgItem(ids[i]))
            button->SendMessage(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(SmallIcon(148 + i)));
    }
    if (m_pView == NULL)
        return;
    if (CWnd* in = GetDlgItem(IDC_WIZ_ZOOMIN))
        in->EnableWindow(ZoomMultiplier(m_pView->m_nZoom) < 8);
    if (CWnd* out = GetDlgItem(IDC_WIZ_ZOOMOUT))
        out->EnableWindow(ZoomDivisor(m_pView->m_nZoom) < 8);
    if (CWnd* revert = GetDlgItem(IDC_WIZ_REVERT))
        revert->EnableWindow(m_pView->m_bHasUndo);
}

CImage* CWizardPage::RequireSlot(int slot)
{
    CImage* image = CTextureWizard::GetDIBData(slot);
    if (image == NULL) {
        GetImageNotify()->ReportError(IDS_IMAGE_NO_MEMORY);
        EndDialog(WIZARD_RESULT_BACK);
    }
    return image;
}

void CWizardPage::ShowSizeText(int width, int height)
{
    CString format, text;
    format.LoadString(136);
    text.Format(format, width, height);
    SetDlgItemText(IDC_WIZ_SIZETEXT, text);
}

void CWizardPage::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    if (!bShow)
        return;
    GetWindowRect(&m_rcShown);
    const CWizardSettings& settings = GetWizardSettings();
    const RECT& last = settings.LastPageRect;
    if (!EmptyRect(last)) {
        if (IsResizable())
            SetWindowPos(NULL, last.left, last.top, last.right - last.left, last.bottom - last.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        else
            SetWindowPos(NULL, last.left, last.top, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
    }
    // Maximised once the showing is done: a size set while it runs is overwritten by it.
    if (IsResizable() && settings.LastPageMaximized)
        PostMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
}

void CWizardPage::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (CWnd* grip = GetDlgItem(IDC_WIZ_GRIP))
        grip->ShowWindow(nType == SIZE_MAXIMIZED ? SW_HIDE : SW_SHOW);
    ArrangeControls();
}

void CWizardPage::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    if (m_nInitialWidth > 0 && m_nInitialHeight > 0) {
        lpMMI->ptMinTrackSize.x = m_nInitialWidth;
        lpMMI->ptMinTrackSize.y = m_nInitialHeight;
    }
}

void CWizardPage::EndPage(int result)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    GetWindowPlacement(&placement);
    CWizardSettings& settings = GetWizardSettings();
    settings.LastPageRect = NextPageRect(settings.LastPageRect, placement.rcNormalPosition, m_rcShown, IsResizable());
    if (IsResizable())
        settings.LastPageMaximized = IsZoomed();
    EndDialog(result);
}

void CWizardPage::OnNext()
{
    EndPage(WIZARD_RESULT_NEXT);
}

void CWizardPage::OnBack()
{
    EndPage(WIZARD_RESULT_BACK);
}

void CWizardPage::OnCancel()
{
    if (AfxMessageBox(kConfirmQuitId, MB_YESNO | MB_ICONEXCLAMATION) == IDYES)
        EndDialog(IDCANCEL);
}

void CWizardPage::OnZoomIn()
{
    if (m_pView == NULL)
        return;
    if (CWnd* out = GetDlgItem(IDC_WIZ_ZOOMOUT))
        out->EnableWindow(TRUE);
    if (ZoomMultiplier(m_pView->m_nZoom) < 8) {
        m_pView->ZoomIn();
        CheckDlgButton(IDC_WIZ_FIT, m_pView->m_bFitToWindow ? BST_CHECKED : BST_UNCHECKED);
        if (ZoomMultiplier(m_pView->m_nZoom) >= 8)
            if (CWnd* in = GetDlgItem(IDC_WIZ_ZOOMIN))
                in->EnableWindow(FALSE);
    }
    UpdateZoomList();
}

void CWizardPage::OnZoomOut()
{
    if (m_pView == NULL)
        return;
    if (CWnd* in = GetDlgItem(IDC_WIZ_ZOOMIN))
        in->EnableWindow(TRUE);
    if (ZoomDivisor(m_pView->m_nZoom) < 8) {
        m_pView->ZoomOut();
        CheckDlgButton(IDC_WIZ_FIT, m_pView->m_bFitToWindow ? BST_CHECKED : BST_UNCHECKED);
        if (ZoomDivisor(m_pView->m_nZoom) >= 8)
            if (CWnd* out = GetDlgItem(IDC_WIZ_ZOOMOUT))
                out->EnableWindow(FALSE);
    }
    UpdateZoomList();
}

void CWizardPage::OnFit()
{
    if (m_pView != NULL)
        m_pView->SetFitToWindow(IsDlgButtonChecked(IDC_WIZ_FIT) == BST_CHECKED);
}

void CWizardPage::OnRevert()
{
    if (m_pView != NULL)
        m_pView->Revert();
}

void CWizardPage::OnZoomListSelected()
{
    if (m_pView == NULL)
        return;
    CWnd* in = GetDlgItem(IDC_WIZ_ZOOMIN);
    CWnd* out = GetDlgItem(IDC_WIZ_ZOOMOUT);
    if (in != NULL)
        in->EnableWindow(TRUE);
    if (out != NULL)
        out->EnableWindow(TRUE);
    const int index = static_cast<int>(SendDlgItemMessage(IDC_WIZ_ZOOMLIST, CB_GETCURSEL, 0, 0));
    m_pView->SetZoom(ZoomForListIndex(index));
    if (index == 0 && in != NULL)
        in->EnableWindow(FALSE);
    if (index == 6 && out != NULL)
        out->EnableWindow(FALSE);
}

void CWizardPage::UpdateZoomList()
{
    if (m_pView != NULL)
        SendDlgItemMessage(IDC_WIZ_ZOOMLIST, CB_SETCURSEL, ZoomListIndex(m_pView->m_nZoom), 0);
}

LRESULT CWizardPage::OnZoomChanged(WPARAM, LPARAM)
{
    UpdateZoomList();
    return 0;
}

LRESULT CWizardPage::OnUndoChanged(WPARAM, LPARAM)
{
    if (m_pView != NULL)
        if (CWnd* revert = GetDlgItem(IDC_WIZ_REVERT))
            revert->EnableWindow(m_pView->m_bHasUndo);
    return 0;
}

BOOL CWizardPage::PreTranslateMessage(MSG* pMsg)
{
    const bool key = pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP;
    if (key && m_bEditFocus && pMsg->wParam == VK_RETURN) {
        // Enter in a number field applies the typed value instead of pressing Next.
        if (pMsg->message == WM_KEYDOWN)
            SendMessage(WZM_APPLYEDIT, 0, 0);
        return TRUE;
    }
    // Ctrl as the keyboard has it now, or as it was when the key was typed.
    const bool ctrl = (::GetAsyncKeyState(VK_CONTROL) & 0x8000) || ::GetKeyState(VK_CONTROL) < 0;
    if (pMsg->message == WM_KEYDOWN && ctrl) {
        switch (pMsg->wParam) {
        case 'Z': OnRevert(); return TRUE;
        case VK_ADD: OnZoomIn(); return TRUE;
        case VK_SUBTRACT: OnZoomOut(); return TRUE;
        }
    }
    return CDialog::PreTranslateMessage(pMsg);
}
