// The page grid of the board in the editing view (template 315): spacing in millimetres,
// colour and drawing type. OK writes the board and the program-wide grid defaults.
#pragma once

#include "afxcmn.h"
#include "afxwin.h"
#include "jvqColorPicker.h"

struct qvzAppSettings;
class jvqView;

class qvzGridDlg : public CDialog {
 public:
  enum { IDD = 315 };
  explicit qvzGridDlg(CWnd* pParent = NULL);

  void SetOwnerView(jvqView* pView) { m_pView = pView; }
  // Where the program-wide grid defaults live (none in tests that do not ask).
  void SetSettings(qvzAppSettings* pSettings) { m_pSettings = pSettings; }

  CSpinButtonCtrl m_spin;
  jvqColorPicker m_picker;
  // Constructed, never attached to a control.
  jvqColorPicker m_pickerUnused;
  CComboBox m_cbType;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

  jvqView* m_pView;
  qvzAppSettings* m_pSettings;
};
