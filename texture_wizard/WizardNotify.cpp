#include "WizardNotify.h"

#include "WizardProgressDlg.h"

CWizardNotify::CWizardNotify() : m_pProgress(NULL), m_pPrevious(SetImageNotify(this))
{
}

CWizardNotify::~CWizardNotify()
{
    EndProgress();
    SetImageNotify(m_pPrevious);
}

void CWizardNotify::ReportError(UINT nID)
{
    CWizardResourceScope scope;
    AfxMessageBox(nID, MB_OK | MB_ICONSTOP);
}

void CWizardNotify::BeginProgress(UINT nCaptionID, int nRange)
{
    EndProgress();
    CWizardResourceScope scope;
    m_pProgress = new CWizardProgressDlg;
    m_pProgress->m_strText.LoadString(nCaptionID);
    m_pProgress->m_nTotal = nRange;
    if (!m_pProgress->CreateModeless()) {
        delete m_pProgress;
        m_pProgress = NULL;
    }
}

void CWizardNotify::StepProgress(int nPos)
{
    if (m_pProgress == NULL)
        return;
    m_pProgress->m_nStep = nPos - 1;
    m_pProgress->Step();
    CWizardProgressDlg::PumpOne();
}

void CWizardNotify::EndProgress()
{
    if (m_pProgress == NULL)
        return;
    m_pProgress->DestroyWindow();
    delete m_pProgress;
    m_pProgress = NULL;
}
