#include "CSubclassWnd.h"

IMPLEMENT_DYNAMIC(CSubclassWnd, CWnd)

CSubclassWnd::CSubclassWnd() : m_hWndHooked(NULL), m_pOldWndProc(NULL), m_pNext(NULL) {}

CSubclassWnd::~CSubclassWnd() = default;

LRESULT CSubclassWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pNext != NULL) return m_pNext->WindowProc(message, wParam, lParam);
  if (m_pOldWndProc != NULL) return ::CallWindowProc(m_pOldWndProc, m_hWndHooked, message, wParam, lParam);
  return 0;
}
