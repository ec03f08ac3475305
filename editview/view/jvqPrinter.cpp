#include "jvqPrinter.h"

#include <winspool.h>

#include <algorithm>
#include <vector>

#include "afxdlgs.h"
#include "afxwin.h"

jvqPrinter thePrinter;

namespace {
// Shared with the DEVMODE visitor for one SelectPaperForSheet call.
jvqPaperChoice s_choice;

int WritePaper(void* p) {
  DEVMODE* dm = (DEVMODE*)p;
  if (dm == NULL) return 0;
  dm->dmOrientation = s_choice.bLandscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
  // Without a paper code the printer keeps its paper and only turns.
  if (s_choice.bHasCode) {
    dm->dmPaperSize = s_choice.nCode;
    dm->dmPaperLength = (short)s_choice.size.cy;
    dm->dmPaperWidth = (short)s_choice.size.cx;
  }
  dm->dmTTOption = DMTT_BITMAP;
  return 1;
}
}  // namespace

jvqPrinter::jvqPrinter() : m_pDC(NULL) {}

jvqPrinter::~jvqPrinter() { delete m_pDC; }

BOOL jvqPrinter::GetPrintOffset(POINT* pOut) {
  pOut->x = pOut->y = 0;
  if (m_pDC == NULL || m_pDC->m_hAttribDC == NULL) return FALSE;
  HDC h = m_pDC->m_hAttribDC;
  jvqPrinterMetrics m = {::GetDeviceCaps(h, PHYSICALOFFSETX), ::GetDeviceCaps(h, PHYSICALOFFSETY),
                         ::GetDeviceCaps(h, HORZRES),         ::GetDeviceCaps(h, VERTRES),
                         ::GetDeviceCaps(h, HORZSIZE),        ::GetDeviceCaps(h, VERTSIZE)};
  return CalcPrintOffset(m, pOut);
}

void jvqPrinter::GetPrintableSize(SIZE* pOut) {
  pOut->cx = pOut->cy = 0;
  if (m_pDC == NULL || m_pDC->m_hAttribDC == NULL) return;
  pOut->cx = ::GetDeviceCaps(m_pDC->m_hAttribDC, HORZSIZE) * 10;
  pOut->cy = ::GetDeviceCaps(m_pDC->m_hAttribDC, VERTSIZE) * 10;
}

BOOL jvqPrinter::CreateDefaultDC() {
  CPrintDialog dlg(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                   NULL);
  CWinApp* pApp = AfxGetApp();
  if (pApp == NULL || !pApp->GetPrinterDeviceDefaults(&dlg.m_pd)) return FALSE;
  HDC hDC = dlg.CreatePrinterDC();
  if (hDC == NULL) return FALSE;
  if (m_pDC == NULL) m_pDC = new CDC;
  if (m_pDC->GetSafeHdc() != NULL) m_pDC->DeleteDC();
  m_pDC->Attach(hDC);
  m_strDevice = dlg.GetDeviceName();
  return TRUE;
}

void* jvqPrinter::SelectPaperForSheet(const SIZE* pSheet) {
  if (m_strDevice.IsEmpty()) CreateDefaultDC();
  if (m_strDevice.IsEmpty()) return NULL;
  int nSizes = 0, nCodes = 0;
  GetPrinterPapers(m_strDevice, NULL, &nSizes, NULL, &nCodes);
  std::vector<POINT> sizes(nSizes);
  std::vector<WORD> codes(nCodes);
  if (nSizes || nCodes)
    GetPrinterPapers(m_strDevice, nSizes ? sizes.data() : NULL, NULL, nCodes ? codes.data() : NULL, NULL);
  s_choice = ChoosePaper(pSheet, nSizes ? sizes.data() : NULL, nSizes, nCodes ? codes.data() : NULL, nCodes);
  return VisitPrinterDevMode(NULL, m_strDevice, WritePaper);
}

BOOL GetPrinterPapers(const char* pszDevice, POINT* pSizes, int* pnSizes, WORD* pCodes, int* pnCodes) {
  HANDLE hPrinter = NULL;
  if (!::OpenPrinterA((LPSTR)pszDevice, &hPrinter, NULL)) return FALSE;
  char port[1024] = "";
  DWORD cb = 0;
  ::GetPrinterA(hPrinter, 2, NULL, 0, &cb);
  if (cb > 0) {
    HGLOBAL hMem = ::GlobalAlloc(GHND, cb);
    BYTE* p = hMem ? (BYTE*)::GlobalLock(hMem) : NULL;
    if (p && ::GetPrinterA(hPrinter, 2, p, cb, &cb) && ((PRINTER_INFO_2A*)p)->pPortName)
      ::lstrcpynA(port, ((PRINTER_INFO_2A*)p)->pPortName, sizeof(port));
    if (p) ::GlobalUnlock(hMem);
    if (hMem) ::GlobalFree(hMem);
  }
  ::ClosePrinter(hPrinter);
  // A driver that cannot answer says -1: no papers.
  const int nCodes = std::max(0, (int)::DeviceCapabilitiesA(pszDevice, port, DC_PAPERS, NULL, NULL));
  const int nSizes = std::max(0, (int)::DeviceCapabilitiesA(pszDevice, port, DC_PAPERSIZE, NULL, NULL));
  if (pnCodes) *pnCodes = nCodes;
  if (pnSizes) *pnSizes = nSizes;
  if (pSizes == NULL && pCodes == NULL) return FALSE;
  if (pCodes && nCodes) ::DeviceCapabilitiesA(pszDevice, port, DC_PAPERS, (LPSTR)pCodes, NULL);
  if (pSizes && nSizes) ::DeviceCapabilitiesA(pszDevice, port, DC_PAPERSIZE, (LPSTR)pSizes, NULL);
  return TRUE;
}

void* VisitPrinterDevMode(void*, const char*, jvqDevModeVisitor pfn) {
  CWinApp* pApp = AfxGetApp();
  PRINTDLG pd;
  memset(&pd, 0, sizeof(pd));
  pd.lStructSize = sizeof(pd);
  if (pApp == NULL || !pApp->GetPrinterDeviceDefaults(&pd) || pd.hDevMode == NULL) return NULL;
  void* p = ::GlobalLock(pd.hDevMode);
  pfn(p);
  ::GlobalUnlock(pd.hDevMode);
  return pd.hDevMode;
}
