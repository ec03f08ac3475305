#include "CCoolMenuManager.h"

IMPLEMENT_DYNAMIC(CCoolMenuManager, CSubclassWnd)

CCoolMenuManager::CCoolMenuManager() { FixRadioMark(); }

CCoolMenuManager::~CCoolMenuManager() = default;

void CCoolMenuManager::FixRadioMark() {
  // The framework hands the shared bitmap to any item set as a radio item; one throw-away
  // item brings it out.
  CMenu menu;
  if (!menu.CreateMenu()) return;
  menu.AppendMenu(MF_STRING, 1, "");
  CCmdUI state;
  state.m_pMenu = &menu;
  state.m_nIndex = 0;
  state.m_nIndexMax = 1;
  state.m_nID = 1;
  state.SetRadio(TRUE);
  MENUITEMINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_CHECKMARKS;
  HBITMAP hBitmap = NULL;
  if (menu.GetMenuItemInfo(0, &info, TRUE)) hBitmap = info.hbmpChecked;
  menu.DestroyMenu();

  BITMAP bm;
  if (hBitmap == NULL || ::GetObject(hBitmap, sizeof bm, &bm) == 0) return;
  const int w = bm.bmWidth, h = bm.bmHeight;
  HDC hScreen = ::GetDC(NULL);
  HDC hDC = ::CreateCompatibleDC(hScreen);
  ::ReleaseDC(NULL, hScreen);
  if (hDC == NULL) return;
  HGDIOBJ hOldBitmap = ::SelectObject(hDC, hBitmap);
  HGDIOBJ hOldPen = ::SelectObject(hDC, ::GetStockObject(BLACK_PEN));
  HGDIOBJ hOldBrush = ::SelectObject(hDC, ::GetStockObject(BLACK_BRUSH));
  ::PatBlt(hDC, 0, 0, w, h, WHITENESS);
  ::Ellipse(hDC, w / 2 - 2, h / 2 - 2, w - w / 2 + 2, h - h / 2 + 2);
  ::SelectObject(hDC, hOldBrush);
  ::SelectObject(hDC, hOldPen);
  ::SelectObject(hDC, hOldBitmap);
  ::DeleteDC(hDC);
}
