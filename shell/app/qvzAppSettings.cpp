#include "qvzAppSettings.h"

#ifdef _WIN32
#include <io.h>
#define qvz_access _access
#else
#include <unistd.h>
#define qvz_access access
#endif

static BOOL FolderExists(LPCTSTR lpszPath) { return lpszPath && qvz_access(lpszPath, 0) == 0; }
qvzFolderExistsProc theFolderExistsProc = FolderExists;

qvzAppSettings::qvzAppSettings()
    : rcWindow{50, 50, 750, 550},
      ptPrintOffset{0, 0},
      nWindowStatus(3),
      crBackground(0),
      crGrid(0),
      nGridSpacing(0),
      nZoom(0),
      nAutoSaveInterval(300000),
      nLastTemplateDialogPage(0),
      nFavoriteLastSelect(0),
      nSymbolLastSelect(0),
      nShapeLastSelect(0),
      nSymbolScale(100),
      nGridType(0),
      nDrawPrintArea(0),
      nFitGrid(0),
      nShowRuler(1),
      nShowGrid(1),
      nShowGuide(1),
      rcPreviewWindow{50, 50, 550, 550},
      nImageDisplayType(0),
      nLockMsgFlag(1),
      nDrawPreview(1) {}

void qvzAppSettings::Load(qvzProfileStore& s, const CString& strAppFolder) {
  nWindowStatus = s.GetInt("Window", "Status", 3);
  rcWindow.left = s.GetInt("Window", "left", 50);
  rcWindow.top = s.GetInt("Window", "top", 50);
  rcWindow.right = s.GetInt("Window", "right", 750);
  rcWindow.bottom = s.GetInt("Window", "bottom", 550);
  crBackground = (COLORREF)s.GetInt("Window", "Color", 0);
  nZoom = s.GetInt("Window", "Zoom", 0);
  nShowRuler = s.GetInt("Window", "bShowRuler", 1);
  nLastTemplateDialogPage = s.GetInt("Window", "LastTemplateDialogPage", 0);
  nImageDisplayType = s.GetInt("Window", "ImageDisplayType", 0);
  nAutoSaveInterval = s.GetInt("AutoSave", "Interval", 300000);
  ptPrintOffset.x = s.GetInt("Print", "OffsetX", 0);
  ptPrintOffset.y = s.GetInt("Print", "OffsetY", 0);
  nDrawPrintArea = s.GetInt("Print", "DrawArea", 0);
  crGrid = (COLORREF)s.GetInt("Grid", "Color", 0);
  // The file holds twice the spacing.
  nGridSpacing = s.GetInt("Grid", "Interval", 0);
  if (nGridSpacing != 0) nGridSpacing /= 2;
  nFitGrid = s.GetInt("Grid", "bFitGrid", 0);
  nShowGrid = s.GetInt("Grid", "bVisible", 1);
  nGridType = s.GetInt("Grid", "Type", 0);
  nShowGuide = s.GetInt("Window", "bShowGuide", 1);
  rcPreviewWindow.left = s.GetInt("PreviewWindow", "left", 50);
  rcPreviewWindow.top = s.GetInt("PreviewWindow", "top", 50);
  rcPreviewWindow.right = s.GetInt("PreviewWindow", "right", 550);
  rcPreviewWindow.bottom = s.GetInt("PreviewWindow", "bottom", 550);
  strOpenDir = s.GetString("Directory", "Open", "");
  if (!strOpenDir.IsEmpty() && !theFolderExistsProc(strOpenDir)) strOpenDir = "";
  strOpenImageDir = s.GetString("Directory", "OpenImage", strAppFolder);
  if (!theFolderExistsProc(strOpenImageDir)) strOpenImageDir = strAppFolder;
  strOpenMadoriDir = s.GetString("Directory", "OpenMadori", strAppFolder);
  if (!theFolderExistsProc(strOpenMadoriDir)) strOpenMadoriDir = strAppFolder;
  nSymbolLastSelect = s.GetInt("Symbol", "LastSelect", 0);
  nShapeLastSelect = s.GetInt("Shape", "LastSelect", 0);
  nFavoriteLastSelect = s.GetInt("Favorite", "LastSelect", 0);
  nSymbolScale = s.GetInt("Symbol", "Scale", 100);
  if (nSymbolScale == 0) nSymbolScale = 100;
  strAutoSavePath = s.GetString("AutoSave", "DefaultPath", strAppFolder + "自動保存\\自動保存.vqd");
  nLockMsgFlag = s.GetInt("Message", "LockMsgFlag", 1);
  nDrawPreview = s.GetInt("Application", "DrawPreview", 1);
}

void qvzAppSettings::TakeWindowPlacement(int nShowCmd, const RECT& rc) {
  nWindowStatus = nShowCmd;
  rcWindow = rc;
  if (nShowCmd != 5 && rc.left <= 0 && rc.top <= 0 && rc.right <= 0 && rc.bottom <= 0) {
    if (nShowCmd != 3) nWindowStatus = 5;
    rcWindow = {100, 100, 750, 550};
  }
}

void qvzAppSettings::Save(qvzProfileStore& s) const {
  s.WriteInt("Window", "Status", nWindowStatus);
  s.WriteInt("Window", "left", rcWindow.left);
  s.WriteInt("Window", "top", rcWindow.top);
  s.WriteInt("Window", "right", rcWindow.right);
  s.WriteInt("Window", "bottom", rcWindow.bottom);
  s.WriteInt("Window", "Color", (int)crBackground);
  s.WriteInt("Window", "Zoom", nZoom);
  s.WriteInt("Window", "bShowRuler", nShowRuler);
  s.WriteInt("Window", "bShowGuide", nShowGuide);
  s.WriteInt("Window", "ImageDisplayType", nImageDisplayType);
  s.WriteInt("Window", "LastTemplateDialogPage", nLastTemplateDialogPage);
  s.WriteInt("Print", "OffsetX", ptPrintOffset.x);
  s.WriteInt("Print", "OffsetY", ptPrintOffset.y);
  s.WriteInt("Print", "DrawArea", nDrawPrintArea);
  s.WriteInt("Grid", "Color", (int)crGrid);
  s.WriteInt("Grid", "Interval", nGridSpacing * 2);
  s.WriteInt("Grid", "bFitGrid", nFitGrid);
  s.WriteInt("Grid", "bVisible", nShowGrid);
  s.WriteInt("Grid", "Type", nGridType);
  s.WriteInt("PreviewWindow", "left", rcPreviewWindow.left);
  s.WriteInt("PreviewWindow", "top", rcPreviewWindow.top);
  s.WriteInt("PreviewWindow", "right", rcPreviewWindow.right);
  s.WriteInt("PreviewWindow", "bottom", rcPreviewWindow.bottom);
  s.WriteInt("AutoSave", "Interval", nAutoSaveInterval);
  s.WriteString("AutoSave", "DefaultPath", strAutoSavePath);
  s.WriteString("Directory", "Open", strOpenDir);
  s.WriteString("Directory", "OpenImage", strOpenImageDir);
  s.WriteString("Directory", "OpenMadori", strOpenMadoriDir);
  s.WriteInt("Symbol", "LastSelect", nSymbolLastSelect);
  s.WriteInt("Shape", "LastSelect", nShapeLastSelect);
  s.WriteInt("Favorite", "LastSelect", nFavoriteLastSelect);
  s.WriteInt("Symbol", "Scale", nSymbolScale);
  s.WriteInt("Message", "LockMsgFlag", nLockMsgFlag);
  s.WriteInt("Application", "DrawPreview", nDrawPreview);
}
