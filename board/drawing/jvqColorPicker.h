// The drop-down colour button of the property bars and dialogs: shows its value (a fill) and
// opens the grid of 40 colours under itself. The transparent variant may hold no value.
#pragma once

#include "afxwin.h"
#include "jvqColorCells.h"

class jvqFill;
class jvqColorPopup;

class jvqColorPickerListener {
 public:
  virtual ~jvqColorPickerListener() {}
  // The value lives only during the call.
  virtual void Notify(UINT nCode, const jvqFill* pValue, UINT nID) = 0;
};

// The text cell's choice: a new fill for the current value, or NULL for none.
typedef jvqFill* (*jvqTextCellHandler)(const jvqFill* pValue, jvqColorPopup* pPopup);

// Sizes a drop-down button as a combo box: at least wide enough for its arrow square, as high
// as the square plus the edges; the arrow's rectangle in client coordinates comes back.
void SizeDropDownButton(CWnd* pButton, RECT* pArrow);

class jvqColorPicker : public CButton {
  DECLARE_DYNAMIC(jvqColorPicker)
 public:
  jvqColorPicker();
  virtual ~jvqColorPicker();

  virtual void PreSubclassWindow();
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
  virtual void SetColor(COLORREF crColor);
  virtual void SetFill(const jvqFill* pFill);

  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  COLORREF GetColor() const;
  const jvqFill* GetFill() const { return m_pValue; }
  void SetTextColor(COLORREF crColor);
  void SetOwnerListener(jvqColorPickerListener* pListener) { m_pOwnerListener = pListener; }
  void SetTextCellHandler(jvqTextCellHandler pfn) { m_pfnTextCell = pfn; }
  void SizeToContent();
  BOOL IsOpen() const { return m_bOpen; }
  jvqColorPopup* GetPopup() const { return m_pPopup; }

  void OnPopupSelChange(const jvqFill* pValue);
  void OnPopupColorChosen(const jvqFill* pValue);
  void OnPopupCancel(const jvqFill* pValue);

  // Forwards the pop-up's codes to the picker.
  class InnerListener : public jvqColorPickerListener {
   public:
    explicit InnerListener(jvqColorPicker* p) : m_pPicker(p) {}
    virtual void Notify(UINT nCode, const jvqFill* pValue, UINT nID);
    jvqColorPicker* m_pPicker;
  };

  jvqFill* m_pValue;
  jvqTextCellHandler m_pfnTextCell;
  jvqColorPickerListener* m_pOwnerListener;
  InnerListener m_Inner;
  BOOL m_bOpen;
  BOOL m_bLivePreview;
  COLORREF m_crText;
  int m_nMode;
  RECT m_rcArrow;
  CString m_strCustomCaption;
  CString m_strTextCaption;

 protected:
  virtual BOOL IsTransparent() const { return FALSE; }
  virtual jvqColorPopup* MakePopup(int x, int y);
  void NotifyOwner(UINT nCode, const jvqFill* pValue);
  void DrawFace(CDC* pDC, const RECT& rcFace, BOOL bDisabled);

  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnClicked();
  DECLARE_MESSAGE_MAP()

  jvqColorPopup* m_pPopup;  // while open; the pop-up deletes itself
  friend class jvqColorPopup;
};

// The picker whose value may be no fill at all: its pop-up offers "透明".
class jvqTransparentColorPicker : public jvqColorPicker {
 public:
  jvqTransparentColorPicker();
  virtual void SetFill(const jvqFill* pFill);

 protected:
  virtual BOOL IsTransparent() const { return TRUE; }
  virtual jvqColorPopup* MakePopup(int x, int y);
};
