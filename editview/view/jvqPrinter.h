// The default printer as the board sees it: its DC with the current board's paper, the
// printable offset and size in 0.1 mm, the paper size of each DMPAPER code, and the
// choice of the printer's paper nearest to a board's sheet.
#pragma once

#include "afx.h"

class CDC;

// What SelectPaperForSheet writes into the printer's settings.
struct jvqPaperChoice {
  BOOL bLandscape;
  BOOL bHasCode;  // FALSE: the printer named no paper, only the orientation is set
  short nCode;
  SIZE size;      // width and height in 0.1 mm, as the printer or the table gives them
};

// The device metrics the printable offset is made from.
struct jvqPrinterMetrics {
  int nPhysOffsetX, nPhysOffsetY;  // PHYSICALOFFSETX/Y, pixels
  int nHorzRes, nVertRes;          // pixels
  int nHorzSize, nVertSize;        // millimetres
};

class jvqPrinter {
 public:
  jvqPrinter();
  virtual ~jvqPrinter();

  // The printer's physical printable offset in 0.1 mm; (0, 0) and FALSE without a printer
  // DC or when the printer reports no size.
  BOOL GetPrintOffset(POINT* pOut);
  // (HORZSIZE x 10, VERTSIZE x 10); (0, 0) without a printer DC.
  void GetPrintableSize(SIZE* pOut);
  static SIZE* PaperSizeFromCode(SIZE* pOut, short nCode);
  // Sets the application's printer to the paper and orientation nearest to the sheet;
  // returns the DEVMODE's handle, or NULL without a printer.
  void* SelectPaperForSheet(const SIZE* pSheet);
  BOOL CreateDefaultDC();
  CDC* GetDC() const { return m_pDC; }
  const CString& GetDeviceName() const { return m_strDevice; }

  // The nearest-area choice over what a printer offers (either array may be absent).
  static jvqPaperChoice ChoosePaper(const SIZE* pSheet, const POINT* pSizes, int nSizes, const WORD* pCodes,
                                    int nCodes);
  // The printable offset in 0.1 mm; FALSE and (0, 0) when a size or the whole pixels per
  // millimetre is 0.
  static BOOL CalcPrintOffset(const jvqPrinterMetrics& m, POINT* pOut);
  // Pixels per centimetre of an axis for the printing mapping, 0 when the size is 0.
  static int PixelsPerCM(int nRes, int nSizeMM);

 private:
  CString m_strDevice;
  CDC* m_pDC;  // owned; NULL until a DC is made
};

extern jvqPrinter thePrinter;

// The paper codes and sizes (0.1 mm) the named printer offers; FALSE when it cannot be
// opened or when neither array is given. The counts are filled in either case they are known.
BOOL GetPrinterPapers(const char* pszDevice, POINT* pSizes, int* pnSizes, WORD* pCodes, int* pnCodes);
typedef int (*jvqDevModeVisitor)(void* pDevMode);
// Calls the visitor on the application's printer DEVMODE; returns its handle or NULL.
void* VisitPrinterDevMode(void* hWnd, const char* pszDevice, jvqDevModeVisitor pfn);
