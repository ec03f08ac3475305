#include "NextImageDlg.h"

BEGIN_MESSAGE_MAP(CNextImageDlg, CDialog)
    ON_BN_CLICKED(IDYES, OnYes)
    ON_BN_CLICKED(IDNO, OnNo)
    ON_BN_CLICKED(IDC_NEXT_OTHER_IMAGE, OnOtherImage)
END_MESSAGE_MAP()

BOOL CNextImageDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (CMenu* menu = GetSystemMenu(FALSE))
        menu->EnableMenuItem(SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    return TRUE;
}

void CNextImageDlg::OnYes()
{
    EndDialog(IDYES);
}

void CNextImageDlg::OnNo()
{
    EndDialog(IDNO);
}

void CNextImageDlg::OnOtherImage()
{
    EndDialog(IDC_NEXT_OTHER_IMAGE);
}
