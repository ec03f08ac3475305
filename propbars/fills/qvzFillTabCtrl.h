// The tab control of the fill pop-ups: one page per kind of fill, made when first needed,
// and the fill of the last pick (or the starting fill), which OK hands back.
#pragma once

#include "afxcmn.h"

class jvqFill;
class qvzFillChildWnd;

// Fill tab control to its parent after a page's pick: wParam the tab control's id.
#define QVZM_FILLPAGECHANGED (WM_USER + 10)

class qvzFillTabCtrl : public CTabCtrl {
 public:
  qvzFillTabCtrl();
  virtual ~qvzFillTabCtrl();

  // The pop-up's start: shows the fill on its tab's page, that page in front.
  virtual void SetFill(const jvqFill* pFill);
  // A page's pick: kept, shown, and told to the parent.
  virtual void SetFillAndNotify(const jvqFill* pFill);
  // The tabs, the page rectangle and the colour page.
  virtual void CreatePages();

  jvqFill* GetFill() const { return m_pFill; }
  BOOL HasPick() const { return m_bPicked; }
  // The page of a tab, NULL until it was first needed.
  qvzFillChildWnd* GetPage(int nTab) const;
  const RECT& GetPageRect() const { return m_rcPage; }

 protected:
  virtual int GetPageCount() const { return 4; }
  virtual BOOL IsImageVariant() const { return FALSE; }
  // The page of the tab, created on first use with its controls.
  qvzFillChildWnd* EnsurePage(int nTab);
  // Keeps the fill, shows it on its tab's page and refreshes the other pages; the tab chosen.
  int TakeFill(const jvqFill* pFill);

  afx_msg void OnSelChange(NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()

  jvqFill* m_pFill;  // owned; NULL for transparent
  BOOL m_bPicked;
  RECT m_rcPage;
  qvzFillChildWnd* m_pPages[5];  // owned
};

// The tab control of the page-background pop-up: a fifth page for a picture file.
class qvzImageFillTabCtrl : public qvzFillTabCtrl {
 protected:
  virtual int GetPageCount() const { return 5; }
  virtual BOOL IsImageVariant() const { return TRUE; }
};
