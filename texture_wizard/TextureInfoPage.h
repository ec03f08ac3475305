// The texture-info page: catalogue data and the pasting method for the picture of slot 3,
// saved as a texture file (.kjq), then the question whether to finish, stay or start again.
// The step loop does not show it.
//
// Ours where nothing fixes it. The page opens from the texture-info record and writes it
// back on "保存"; each control edits:
//   1122 name, 1123 model number, 1124 price, 1125 remarks, 1121 comment;
//   in the 68-byte pasting-method block (little-endian):
//   1126 target index, int at 0;    1127 method index, int at 8;
//   1128 direction index, int at 16; 1129 / 1132 repetition (0) or size (1), int at 20;
//   1130, 1131 repetitions across and along, doubles at 24 and 32;
//   1133, 1134 width and length in mm, doubles at 40 and 48;
//   1138 black is transparent, int at 56;  1141 / 1140 relief 0 to 100, int at 60.
// The int at 4 and the int at 64 are carried unchanged. Indexes out of a list's range
// show its first entry.
#pragma once

#include "WizardPage.h"

#include <afxcmn.h>

enum : UINT {
    IDD_TEXTUREINFO_PAGE = 106,
    IDC_INFO_COMMENT = 1121,
    IDC_INFO_NAME = 1122,
    IDC_INFO_MODEL = 1123,
    IDC_INFO_PRICE = 1124,
    IDC_INFO_REMARKS = 1125,
    IDC_INFO_TARGET = 1126,
    IDC_INFO_METHOD = 1127,
    IDC_INFO_DIRECTION = 1128,
    IDC_INFO_REPEAT = 1129,
    IDC_INFO_REPEAT_X = 1130,
    IDC_INFO_REPEAT_Y = 1131,
    IDC_INFO_SIZE = 1132,
    IDC_INFO_SIZE_W = 1133,
    IDC_INFO_SIZE_L = 1134,
    IDC_INFO_BLACK = 1138,
    IDC_INFO_RELIEF_EDIT = 1140,
    IDC_INFO_RELIEF = 1141,
};

class PATINOR_API CTextureInfoPage : public CWizardPage
{
public:
    explicit CTextureInfoPage(CWnd* pParent = NULL);

    // Where the file dialog is skipped: tests give the path here.
    CString m_strSavePath;

    CString m_strName, m_strModel, m_strRemarks, m_strComment;
    int m_nPrice;
    int m_nTarget, m_nMethod, m_nDirection, m_nRepeatOrSize;
    double m_dRepeatX, m_dRepeatY, m_dSizeW, m_dSizeL;
    BOOL m_bBlack;
    int m_nRelief;

    CSliderCtrl m_relief;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnSave();
    afx_msg void OnRepeat();
    afx_msg void OnSizeChoice();
    afx_msg void OnMethodChanged();
    afx_msg void OnReliefEdit();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    DECLARE_MESSAGE_MAP()

    void ApplyRepeatRule(BOOL repeat);
    void ReadRecord();
    void WriteRecord();
    BOOL m_bUpdatingRelief;
};
