#include "NumEdit.h"

#include "NumberField.h"
#include "WizardPage.h"

#include <cstdio>
#include <cstdlib>

BEGIN_MESSAGE_MAP(CNumEdit, CEdit)
    ON_WM_CHAR()
    ON_CONTROL_REFLECT(EN_UPDATE, OnUpdate)
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CNumEdit::CNumEdit() : m_bFirstUpdate(TRUE), m_nLastKey(0), m_nMin(0), m_nMax(999)
{
}

bool CNumEdit::CharAllowed(UINT ch) const
{
    return ch == '\b' || (ch >= '0' && ch <= '9') || (ch == '-' && m_nMin < 0);
}

bool CNumEdit::Accepts(const char* text, UINT ch) const
{
    return NumFieldAccepts(text, ch, m_nMin, m_nMax);
}

void CNumEdit::PutPreviousBack()
{
    SetWindowText(m_strPrevious);
    const int end = m_strPrevious.GetLength();
    SetSel(end, end);
}

void CNumEdit::OnChar(UINT nChar, UINT, UINT)
{
    if (!CharAllowed(nChar))
        return;
    m_nLastKey = nChar;
    GetWindowText(m_strPrevious);
    Default();
    CString text;
    GetWindowText(text);
    if (!Accepts(text, nChar))
        PutPreviousBack();
}

void CNumEdit::OnUpdate()
{
    if (m_bFirstUpdate) {
        // The page's own first text is taken as it is.
        m_bFirstUpdate = FALSE;
        const int end = GetWindowTextLength();
        SetSel(end, end);
        return;
    }
    CString text;
    GetWindowText(text);
    if (text.GetLength() > 1 && !Accepts(text, '\b') && text != m_strPrevious)
        PutPreviousBack();
}

void CNumEdit::SetPageFocus(BOOL focus)
{
    CWnd* parent = GetParent();
    if (parent != NULL && parent->IsKindOf(RUNTIME_CLASS(CWizardPage)))
        static_cast<CWizardPage*>(parent)->m_bEditFocus = focus;
}

void CNumEdit::OnSetFocus(CWnd* pOldWnd)
{
    CEdit::OnSetFocus(pOldWnd);
    SetPageFocus(TRUE);
}

void CNumEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    SetPageFocus(FALSE);
}

bool CFloatEdit::CharAllowed(UINT ch) const
{
    return ch == '\b' || (ch >= '0' && ch <= '9') || ch == '.' || (ch == '-' && m_dMin < 0.0);
}

bool CFloatEdit::Accepts(const char* text, UINT ch) const
{
    return FloatFieldAccepts(text, ch, m_dMin, m_dMax);
}

BEGIN_MESSAGE_MAP(CFloatSpin, CSpinButtonCtrl)
    ON_NOTIFY_REFLECT(UDN_DELTAPOS, OnDeltaPos)
END_MESSAGE_MAP()

void CFloatSpin::SetRange(double minimum, double maximum)
{
    m_dMin = minimum;
    m_dMax = maximum;
    SendMessage(UDM_SETRANGE, 0, MAKELPARAM(static_cast<short>(maximum), static_cast<short>(minimum)));
}

void CFloatSpin::SetPos(double position)
{
    m_dPos = position;
    SendMessage(UDM_SETPOS, 0, MAKELPARAM(static_cast<short>(position), 0));
    ShowInBuddy();
}

void CFloatSpin::ShowInBuddy()
{
    HWND buddy = reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY, 0, 0));
    if (buddy == NULL)
        return;
    char text[64];
    snprintf(text, sizeof(text), "%.02f", m_dPos);
    ::SetWindowTextA(buddy, text);
}

void CFloatSpin::OnDeltaPos(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMUPDOWN* change = reinterpret_cast<NMUPDOWN*>(pNMHDR);
    HWND buddy = reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY, 0, 0));
    const int steps = change->iDelta < 0 ? -change->iDelta : change->iDelta;
    for (int i = 0; i < steps && buddy != NULL; ++i) {
        char text[17] = {};
        ::GetWindowTextA(buddy, text, sizeof(text));
        double shown = 0, next = 0;
        ReadFieldDecimal(text, &shown);
        if (!FloatSpinStep(shown, change->iDelta > 0 ? 1 : -1, m_dMin, m_dMax, &next))
            break;
        m_dPos = next;
        SendMessage(UDM_SETPOS, 0, MAKELPARAM(static_cast<short>(next), 0));
        ShowInBuddy();
    }
    *pResult = 0;
}
