// The floor-plan palette: every floor-plan file of "間取り図" as a thumbnail, placed on the
// page at the floor-plan and symbol scale. Its run-time class names qvzDrawToolBar as base,
// so the frame's test for the symbol palette does not take it.
#pragma once

#include "qvzSymbolToolBar.h"

class jvqDocument;
class jvqObject;

class qvzMadorizuToolBar : public qvzSymbolToolBar {
  DECLARE_DYNCREATE(qvzMadorizuToolBar)
 public:
  qvzMadorizuToolBar();

  void CreateControls() override;
  void BeginDrag(jvqObject* pObject, int nCount) override;
  jvqObject* EndDrag(int x, int y) override;
  void LoadFolder(LPCTSTR lpszFolder) override;
  // A floor plan read from the file, recalculated; FALSE (no object) when it cannot be read.
  static BOOL LoadFloorPlanFile(LPCTSTR lpszPath, jvqObject** ppObject, jvqDocument* pDocument);

  // The folder listed, under the program folder.
  virtual LPCTSTR FolderName() const { return "間取り図"; }

  CString m_strFolder;

 protected:
  // Lists the files of the pattern in directory order, each read by the loader.
  void ListFiles(LPCTSTR lpszFolder, LPCTSTR lpszPattern,
                 BOOL (*pfnLoad)(LPCTSTR lpszPath, jvqObject** ppObject, jvqDocument* pDocument));
  void AdjustCopy(jvqObject* pCopy) override {}

  afx_msg LRESULT OnPaletteDrop(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnPaletteContext(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};
