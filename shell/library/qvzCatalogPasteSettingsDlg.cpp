#include "qvzCatalogPasteSettingsDlg.h"

#include <memory>

#include "jvqObjectCodes.h"
#include "jvqTextObject.h"
#include "jvqViewHost.h"
#include "qvzCatalogItem.h"
#include "qvzCatalogPasteSettings.h"

#define IDC_CATALOG_OUT 754
#define IDC_CATALOG_IN 759
#define IDC_CATALOG_ADD 1153
#define IDC_CATALOG_REMOVE 756
#define IDC_CATALOG_UP 1155
#define IDC_CATALOG_DOWN 1156
#define IDC_CATALOG_FONT 1154

BEGIN_MESSAGE_MAP(qvzCatalogPasteSettingsDlg, CDialog)
  ON_BN_CLICKED(IDC_CATALOG_ADD, OnAdd)
  ON_BN_CLICKED(IDC_CATALOG_REMOVE, OnRemove)
  ON_BN_CLICKED(IDC_CATALOG_UP, OnUp)
  ON_BN_CLICKED(IDC_CATALOG_DOWN, OnDown)
  ON_BN_CLICKED(IDC_CATALOG_FONT, OnFont)
  ON_CONTROL(LBN_SELCHANGE, IDC_CATALOG_OUT, OnSelChange)
  ON_CONTROL(LBN_SELCHANGE, IDC_CATALOG_IN, OnSelChange)
  ON_CONTROL(LBN_SETFOCUS, IDC_CATALOG_OUT, OnSetFocusOut)
  ON_CONTROL(LBN_SETFOCUS, IDC_CATALOG_IN, OnSetFocusIn)
END_MESSAGE_MAP()

static LRESULT List(CWnd* dlg, int id, UINT msg, WPARAM w = 0, LPARAM l = 0) {
  return ::SendDlgItemMessage(dlg->m_hWnd, id, msg, w, l);
}

static CString EntryText(CWnd* dlg, int id, int i) {
  const LRESULT n = List(dlg, id, LB_GETTEXTLEN, (WPARAM)i);
  if (n < 0) return CString();
  std::unique_ptr<char[]> buf(new char[(size_t)n + 1]);
  buf[0] = '\0';
  List(dlg, id, LB_GETTEXT, (WPARAM)i, (LPARAM)buf.get());
  return CString(buf.get());
}

qvzCatalogPasteSettingsDlg::qvzCatalogPasteSettingsDlg(CWnd* pParent) : CDialog(IDD, pParent), m_pSettings(NULL) {}

qvzCatalogPasteSettingsDlg::~qvzCatalogPasteSettingsDlg() { delete m_pSettings; }

void qvzCatalogPasteSettingsDlg::SetSettings(const qvzCatalogPasteSettings* pSettings) {
  delete m_pSettings;
  m_pSettings = pSettings ? pSettings->Clone() : NULL;
}

qvzCatalogPasteSettings* qvzCatalogPasteSettingsDlg::GetSettings() const {
  return m_pSettings ? m_pSettings->Clone() : NULL;
}

BOOL qvzCatalogPasteSettingsDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (m_pSettings == NULL) m_pSettings = new qvzCatalogPasteSettings;
  for (const CString& f : m_pSettings->m_Fields) List(this, IDC_CATALOG_IN, LB_ADDSTRING, 0, (LPARAM)(LPCTSTR)f);
  for (int i = 0; CATALOG_FIELD_NAMES[i][0]; i++)
    if (List(this, IDC_CATALOG_IN, LB_FINDSTRING, (WPARAM)-1, (LPARAM)CATALOG_FIELD_NAMES[i]) == LB_ERR)
      List(this, IDC_CATALOG_OUT, LB_ADDSTRING, 0, (LPARAM)CATALOG_FIELD_NAMES[i]);
  // The list that opens with a selection takes the focus, so that the focus rule (entering
  // one list clears the other's selection) keeps it.
  const int id = List(this, IDC_CATALOG_IN, LB_GETCOUNT) > 0 ? IDC_CATALOG_IN : IDC_CATALOG_OUT;
  List(this, id, LB_SETCURSEL, 0);
  ::SetFocus(::GetDlgItem(m_hWnd, id));
  UpdateButtons();
  return FALSE;
}

void qvzCatalogPasteSettingsDlg::UpdateButtons() {
  const int in = (int)List(this, IDC_CATALOG_IN, LB_GETCURSEL);
  const int out = (int)List(this, IDC_CATALOG_OUT, LB_GETCURSEL);
  const int n = (int)List(this, IDC_CATALOG_IN, LB_GETCOUNT);
  auto enable = [this](int id, BOOL b) {
    if (HWND h = ::GetDlgItem(m_hWnd, id)) ::EnableWindow(h, b);
  };
  enable(IDC_CATALOG_REMOVE, in >= 0);
  enable(IDC_CATALOG_FONT, in >= 0);
  enable(IDC_CATALOG_ADD, out >= 0);
  enable(IDC_CATALOG_UP, in > 0);
  enable(IDC_CATALOG_DOWN, in >= 0 && in < n - 1);
}

void qvzCatalogPasteSettingsDlg::OnSelChange() { UpdateButtons(); }

void qvzCatalogPasteSettingsDlg::OnSetFocusOut() {
  List(this, IDC_CATALOG_IN, LB_SETCURSEL, (WPARAM)-1);
  UpdateButtons();
}

void qvzCatalogPasteSettingsDlg::OnSetFocusIn() {
  List(this, IDC_CATALOG_OUT, LB_SETCURSEL, (WPARAM)-1);
  UpdateButtons();
}

// The selected entry of one list goes to the end of the other; the entry before it is
// selected in its old list.
void qvzCatalogPasteSettingsDlg::MoveEntry(int nFrom, int nTo) {
  const int i = (int)List(this, nFrom, LB_GETCURSEL);
  if (i < 0) return;
  const CString text = EntryText(this, nFrom, i);
  List(this, nFrom, LB_DELETESTRING, (WPARAM)i);
  List(this, nTo, LB_ADDSTRING, 0, (LPARAM)(LPCTSTR)text);
  const int n = (int)List(this, nFrom, LB_GETCOUNT);
  if (n > 0) List(this, nFrom, LB_SETCURSEL, (WPARAM)std::min(std::max(i - 1, 0), n - 1));
  UpdateButtons();
}

void qvzCatalogPasteSettingsDlg::OnAdd() { MoveEntry(IDC_CATALOG_OUT, IDC_CATALOG_IN); }
void qvzCatalogPasteSettingsDlg::OnRemove() { MoveEntry(IDC_CATALOG_IN, IDC_CATALOG_OUT); }

static void SwapEntries(CWnd* dlg, int a, int b) {
  const CString ta = EntryText(dlg, IDC_CATALOG_IN, a), tb = EntryText(dlg, IDC_CATALOG_IN, b);
  List(dlg, IDC_CATALOG_IN, LB_DELETESTRING, (WPARAM)a);
  List(dlg, IDC_CATALOG_IN, LB_INSERTSTRING, (WPARAM)a, (LPARAM)(LPCTSTR)tb);
  List(dlg, IDC_CATALOG_IN, LB_DELETESTRING, (WPARAM)b);
  List(dlg, IDC_CATALOG_IN, LB_INSERTSTRING, (WPARAM)b, (LPARAM)(LPCTSTR)ta);
  List(dlg, IDC_CATALOG_IN, LB_SETCURSEL, (WPARAM)b);
}

void qvzCatalogPasteSettingsDlg::OnUp() {
  const int i = (int)List(this, IDC_CATALOG_IN, LB_GETCURSEL);
  if (i > 0) SwapEntries(this, i, i - 1);
  UpdateButtons();
}

void qvzCatalogPasteSettingsDlg::OnDown() {
  const int i = (int)List(this, IDC_CATALOG_IN, LB_GETCURSEL);
  if (i >= 0 && i + 1 < (int)List(this, IDC_CATALOG_IN, LB_GETCOUNT)) SwapEntries(this, i, i + 1);
  UpdateButtons();
}

CString qvzCatalogPasteSettingsDlg::SelectedField() const {
  const int i = (int)List((CWnd*)this, IDC_CATALOG_IN, LB_GETCURSEL);
  return i >= 0 ? EntryText((CWnd*)this, IDC_CATALOG_IN, i) : CString();
}

void qvzCatalogPasteSettingsDlg::OnFont() {
  const CString field = SelectedField();
  jvqTextObject* t = field.IsEmpty() ? NULL : m_pSettings->FindLayoutText(field);
  if (t == NULL || t->GetTextFill() == NULL) return;
  jvqTextFill* fill = t->GetTextFill();
  // The dialog edits the label only; the field's name stays in front of it.
  jvqTextFill edited(*fill);
  edited.SetText(StripFieldName(qvzCatalogPasteSettings::TextOf(t), field));
  if (!jvqGetViewHost()->EditTextDetail(&edited, TRUE)) return;
  const DWORD flags = fill->m_dwFlags;
  fill->SetTextStyle(edited.RefreshPointers());
  fill->m_crText = edited.m_crText;
  fill->m_dwFlags = flags;
  t->SetText(field + edited.m_strText);
}

void qvzCatalogPasteSettingsDlg::OnOK() {
  m_pSettings->m_Fields.clear();
  const int n = (int)List(this, IDC_CATALOG_IN, LB_GETCOUNT);
  for (int i = 0; i < n; i++) m_pSettings->m_Fields.push_back(EntryText(this, IDC_CATALOG_IN, i));
  std::vector<jvqTextObject*> stack;
  for (jvqTextObject* t : m_pSettings->m_Texts) t->m_dwState &= ~JVQ_STATE_VISIBLE;
  for (const CString& f : m_pSettings->m_Fields)
    for (jvqTextObject* t : m_pSettings->m_Texts)
      if (StartsWith(qvzCatalogPasteSettings::TextOf(t), f)) {
        t->m_dwState |= JVQ_STATE_VISIBLE;
        stack.push_back(t);
      }
  // The chosen texts stack in paste order, each on the bottom edge of the one before.
  for (size_t i = 1; i < stack.size(); i++) {
    RECT prev, r;
    stack[i - 1]->GetBoundRect(&prev);
    stack[i]->GetBoundRect(&r);
    const SIZE d = {prev.left - r.left, prev.bottom - r.top};
    stack[i]->Offset(&d);
  }
  EndDialog(IDOK);
}
