// While the wizard runs, the image classes' notices become the library's message boxes
// and its progress dialog.
#pragma once

#include "Patinor.h"

#include "ImageNotify.h"

class CWizardProgressDlg;

class PATINOR_API CWizardNotify : public CImageNotify
{
public:
    // Installs itself; the previous sink comes back on destruction.
    CWizardNotify();
    ~CWizardNotify() override;

    void ReportError(UINT nID) override;
    void BeginProgress(UINT nCaptionID, int nRange) override;
    void StepProgress(int nPos) override;
    void EndProgress() override;

    CWizardProgressDlg* m_pProgress;

private:
    CImageNotify* m_pPrevious;
    CWizardNotify(const CWizardNotify&) = delete;
    CWizardNotify& operator=(const CWizardNotify&) = delete;
};
