#include "WinState.h"

#include "afxext.h"

/////////////////////////////////////////////////////////////////////////////
// CPrintInfo

CPrintInfo::CPrintInfo()
    : m_pPD(new CPrintDialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION)),
      m_bDocObject(FALSE),
      m_bDirect(FALSE),
      m_bPreview(FALSE),
      m_bContinuePrinting(TRUE),
      m_nCurPage(1),
      m_nNumPreviewPages(1),
      m_lpUserData(NULL),
      m_rectDraw(0, 0, 0, 0) {
  SetMinPage(1);
  SetMaxPage(0xFFFF);
  m_pPD->m_pd.nFromPage = 1;
  m_pPD->m_pd.nToPage = 0xFFFF;
}

CPrintInfo::~CPrintInfo() {
  // The printer DC made for this job is the job's; the printer settings stay the application's.
  if (m_pPD->m_pd.hDC != NULL) ::DeleteDC(m_pPD->m_pd.hDC);
  delete m_pPD;
}

/////////////////////////////////////////////////////////////////////////////
// The application's printer

BOOL AFXAPI AfxHasDefaultPrinter() {
  PRINTDLG pd;
  memset(&pd, 0, sizeof(pd));
  pd.lStructSize = sizeof(pd);
  CWinApp* pApp = AfxGetApp();
  return pApp != NULL && pApp->GetPrinterDeviceDefaults(&pd);
}

BOOL AFXAPI AfxCreatePrinterDC(CDC& dc) {
  CWinApp* pApp = AfxGetApp();
  CPrintDialog dlg(FALSE);
  if (pApp == NULL || !pApp->GetPrinterDeviceDefaults(&dlg.m_pd)) return FALSE;
  HDC hDC = dlg.CreatePrinterDC();
  if (hDC == NULL) return FALSE;
  if (dc.GetSafeHdc() != NULL) dc.DeleteDC();
  return dc.Attach(hDC);
}

int AFXAPI AfxDoPrintDialog(CPrintDialog* pPD) {
  // The dialog starts from the application's printer and its choice becomes the application's.
  CWinApp* pApp = AfxGetApp();
  PRINTDLG pd;
  memset(&pd, 0, sizeof(pd));
  pd.lStructSize = sizeof(pd);
  if (pApp != NULL && pApp->GetPrinterDeviceDefaults(&pd)) {
    pPD->m_pd.hDevMode = pd.hDevMode;
    pPD->m_pd.hDevNames = pd.hDevNames;
  }
  int nResult = pPD->DoModal();
  // The dialog frees or keeps the handles it was given as it sees fit: the application
  // takes what it returns and frees nothing itself.
  if (pApp != NULL && pPD->m_pd.hDevNames != NULL) {
    pApp->m_hDevMode = pPD->m_pd.hDevMode;
    pApp->m_hDevNames = pPD->m_pd.hDevNames;
  }
  return nResult;
}

void AFXAPI AfxFilePrintSetup() {
  CPrintDialog dlg(TRUE);
  AfxDoPrintDialog(&dlg);
}

/////////////////////////////////////////////////////////////////////////////
// The view's print loop

BOOL AFXAPI AfxDoPreparePrinting(CView*, CPrintInfo* pInfo) {
  CWinApp* pApp = AfxGetApp();
  if (pInfo->m_pPD->m_pd.nMinPage > pInfo->m_pPD->m_pd.nMaxPage)
    pInfo->m_pPD->m_pd.nMaxPage = pInfo->m_pPD->m_pd.nMinPage;
  pInfo->m_pPD->m_pd.nFromPage = (WORD)pInfo->GetMinPage();
  pInfo->m_pPD->m_pd.nToPage = (WORD)pInfo->GetMaxPage();
  if (pInfo->m_bPreview || pInfo->m_bDirect) {
    // No dialog: the application's printer as it is. Without one, nothing can print.
    if (pInfo->m_pPD->m_pd.hDC == NULL) {
      if (pApp == NULL || !pApp->GetPrinterDeviceDefaults(&pInfo->m_pPD->m_pd)) {
        AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT);
        return FALSE;
      }
      if (pInfo->m_pPD->CreatePrinterDC() == NULL) {
        AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT);
        return FALSE;
      }
    }
    return TRUE;
  }
  if (AfxDoPrintDialog(pInfo->m_pPD) != IDOK) return FALSE;
  return pInfo->m_pPD->m_pd.hDC != NULL;
}

// Lets the system's spooler pump messages while a page is sent.
static BOOL CALLBACK AfxPrintAbortProc(HDC, int) {
  MSG msg;
  while (::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE)) {
    if (msg.message == WM_QUIT) break;
    if (!AfxPumpMessage()) return FALSE;
  }
  return TRUE;
}

void AFXAPI AfxViewFilePrint(CView* pView, BOOL bDirect) {
  CPrintInfo printInfo;
  printInfo.m_bDirect = bDirect;
  if (!pView->OnPreparePrinting(&printInfo)) return;
  HDC hDC = printInfo.m_pPD->m_pd.hDC;
  if (hDC == NULL) return;

  CDC dcPrint;
  dcPrint.Attach(hDC);
  dcPrint.m_bPrinting = TRUE;
  pView->OnBeginPrinting(&dcPrint, &printInfo);
  dcPrint.SetAbortProc(AfxPrintAbortProc);

  CString strTitle;
  CDocument* pDoc = pView->GetDocument();
  if (pDoc != NULL) strTitle = pDoc->GetTitle();
  if (strTitle.IsEmpty()) {
    CFrameWnd* pFrame = pView->GetParentFrame();
    if (pFrame != NULL) strTitle = pFrame->GetTitle();
  }
  // The spooler takes 31 bytes of the name; a double-byte character is never cut in two.
  if (strTitle.GetLength() > 31) {
    int nLen = 0;
    while (nLen < strTitle.GetLength()) {
      int nChar = ::IsDBCSLeadByte((BYTE)strTitle[nLen]) && nLen + 1 < strTitle.GetLength() ? 2 : 1;
      if (nLen + nChar > 31) break;
      nLen += nChar;
    }
    strTitle = strTitle.Left(nLen);
  }
  DOCINFO docInfo;
  memset(&docInfo, 0, sizeof(docInfo));
  docInfo.cbSize = sizeof(docInfo);
  docInfo.lpszDocName = strTitle;

  if (dcPrint.StartDoc(&docInfo) <= 0) {
    pView->OnEndPrinting(&dcPrint, &printInfo);
    dcPrint.Detach();  // the print information deletes it
    AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT);
    return;
  }

  UINT nEndPage = printInfo.GetToPage();
  UINT nStartPage = printInfo.GetFromPage();
  if (nEndPage < printInfo.GetMinPage()) nEndPage = printInfo.GetMinPage();
  if (nEndPage > printInfo.GetMaxPage()) nEndPage = printInfo.GetMaxPage();
  if (nStartPage < printInfo.GetMinPage()) nStartPage = printInfo.GetMinPage();
  if (nStartPage > printInfo.GetMaxPage()) nStartPage = printInfo.GetMaxPage();

  BOOL bError = FALSE;
  for (printInfo.m_nCurPage = nStartPage; printInfo.m_nCurPage <= nEndPage; printInfo.m_nCurPage++) {
    // With no known length the document prints one page, unless the view says otherwise.
    printInfo.m_bContinuePrinting = printInfo.GetMaxPage() != 0xFFFF || printInfo.m_nCurPage == nStartPage;
    pView->OnPrepareDC(&dcPrint, &printInfo);
    if (!printInfo.m_bContinuePrinting) break;
    printInfo.m_rectDraw.SetRect(0, 0, dcPrint.GetDeviceCaps(HORZRES), dcPrint.GetDeviceCaps(VERTRES));
    dcPrint.DPtoLP(&printInfo.m_rectDraw);
    if (dcPrint.StartPage() < 0) {
      bError = TRUE;
      break;
    }
    // The page may change the DC; each page starts from the prepared state.
    int nSaved = dcPrint.SaveDC();
    pView->OnPrint(&dcPrint, &printInfo);
    dcPrint.RestoreDC(nSaved);
    if (dcPrint.EndPage() < 0) {
      bError = TRUE;
      break;
    }
    if (printInfo.m_nCurPage == 0xFFFF) break;
  }
  if (!bError)
    dcPrint.EndDoc();
  else
    dcPrint.AbortDoc();
  pView->OnEndPrinting(&dcPrint, &printInfo);
  dcPrint.Detach();
  if (bError) AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT);
}

// The view's and the application's members for printing.
BOOL CView::DoPreparePrinting(CPrintInfo* pInfo) { return AfxDoPreparePrinting(this, pInfo); }
void CView::OnFilePrint() {
  const MSG* pMsg = GetCurrentMessage();
  AfxViewFilePrint(this, pMsg && LOWORD(pMsg->wParam) == ID_FILE_PRINT_DIRECT);
}
BOOL CWinApp::CreatePrinterDC(CDC& dc) { return AfxCreatePrinterDC(dc); }
int CWinApp::DoPrintDialog(CPrintDialog* pPD) { return AfxDoPrintDialog(pPD); }
void CWinApp::OnFilePrintSetup() { AfxFilePrintSetup(); }
