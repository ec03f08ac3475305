// Tab "ﾊﾟﾀｰﾝ" of the fill pop-ups: the pattern library's pictures in two colours of the
// user's choice; a pick gives a pattern fill of the entry in those colours.
#pragma once

#include "jvqPatternFill.h"
#include "qvzFillPickerListener.h"
#include "qvzSampleGridWnd.h"

class CDibImage;

class qvzPatternSampleButton : public qvzSampleButton {
 public:
  qvzPatternSampleButton() : m_pSample(NULL) {}
  virtual ~qvzPatternSampleButton();
  virtual BOOL HasContent() const;
  // Paints the cell's pattern into a new sample picture.
  void Render();

  jvqPatternFill m_Pattern;
  CDibImage* m_pSample;  // owned

 protected:
  virtual void DrawContent(CDC* pDC, const RECT& rcInset);
};

class qvzPatternGridWnd : public qvzSampleGridWnd {
 public:
  qvzPatternGridWnd();
  virtual void SetFill(const jvqFill* pFill);
  const jvqPatternFill& GetPattern() const { return m_Pattern; }
  jvqColorPicker& GetPicker(BOOL bBack) { return bBack ? m_BackPicker : m_ForePicker; }

 protected:
  virtual jvqImageFileList* GetLibrary() const;
  virtual qvzSampleButton* NewCell() { return new qvzPatternSampleButton; }
  virtual void ClearCell(qvzSampleButton* pCell);
  virtual void LoadCell(qvzSampleButton* pCell, int j);
  virtual BOOL CanPick(qvzSampleButton* pCell) const;
  virtual jvqFill* TakePick(int nIndex);
  virtual void CreateExtraControls();

  afx_msg LRESULT OnColorChanged(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

  jvqPatternFill m_Pattern;
  jvqColorPicker m_ForePicker;
  jvqColorPicker m_BackPicker;
  qvzFillPickerListener m_Listener;
};
