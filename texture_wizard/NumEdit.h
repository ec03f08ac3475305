// The wizard's number fields: they drop what cannot be part of a number while the user
// types, and tell their page when they hold the focus so that Enter applies the value.
#pragma once

#include "Patinor.h"

#include <afxcmn.h>

class PATINOR_API CNumEdit : public CEdit
{
public:
    CNumEdit();

    BOOL m_bFirstUpdate;
    UINT m_nLastKey;
    CString m_strPrevious;
    int m_nMin;
    int m_nMax;

protected:
    // Whether the text the key left may stay.
    virtual bool Accepts(const char* text, UINT ch) const;
    virtual bool CharAllowed(UINT ch) const;
    void PutPreviousBack();
    void SetPageFocus(BOOL focus);

    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnUpdate();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()
};

class PATINOR_API CFloatEdit : public CNumEdit
{
public:
    CFloatEdit() : m_dMin(0.0), m_dMax(359.99) {}
    double m_dMin;
    double m_dMax;

protected:
    bool Accepts(const char* text, UINT ch) const override;
    bool CharAllowed(UINT ch) const override;
};

// An up-down control stepping a decimal value shown in its buddy with two decimals.
class PATINOR_API CFloatSpin : public CSpinButtonCtrl
{
public:
    CFloatSpin() : m_dPos(0.0), m_dMax(0.0), m_dMin(0.0) {}
    void SetRange(double minimum, double maximum);
    void SetPos(double position);

    double m_dPos;
    double m_dMax;
    double m_dMin;

protected:
    void ShowInBuddy();
    afx_msg void OnDeltaPos(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
