// The paste-special dialog over the platform's: the list of formats we can take, and the
// item made from the one chosen.
#include "afxodlgs.h"

namespace {
CLIPFORMAT Registered(const char* pszName) { return (CLIPFORMAT)::RegisterClipboardFormat(pszName); }
// The platform's names of the object formats.
const char kEmbeddedObject[] = "Embedded Object";
const char kEmbedSource[] = "Embed Source";
const char kLinkSource[] = "Link Source";
}  // namespace

COlePasteSpecialDialog::COlePasteSpecialDialog(DWORD dwFlags, COleDataObject* pDataObject, CWnd* pParentWnd)
    : m_nTexts(0) {
  memset(&m_ps, 0, sizeof m_ps);
  memset(m_entries, 0, sizeof m_entries);
  memset(m_linkTypes, 0, sizeof m_linkTypes);
  m_ps.cbStruct = sizeof m_ps;
  m_ps.dwFlags = dwFlags;
  m_ps.hWndOwner = pParentWnd ? pParentWnd->GetSafeHwnd() : NULL;
  m_ps.arrPasteEntries = m_entries;
  m_ps.arrLinkTypes = (UINT*)NULL;
  if (pDataObject != NULL && pDataObject->m_lpDataObject != NULL)
    m_dataObject.Attach(pDataObject->GetIDataObject(TRUE), TRUE);
}

COlePasteSpecialDialog::~COlePasteSpecialDialog() {
  // The icon picture the dialog may hand back.
  if (m_ps.hMetaPict) {
    if (METAFILEPICT* p = (METAFILEPICT*)::GlobalLock(m_ps.hMetaPict)) {
      ::DeleteMetaFile(p->hMF);
      ::GlobalUnlock(m_ps.hMetaPict);
    }
    ::GlobalFree(m_ps.hMetaPict);
  }
  delete[] (UINT*)m_ps.arrLinkTypes;
}

void COlePasteSpecialDialog::AddFormat(const FORMATETC& formatEtc, LPCTSTR lpszFormat, LPCTSTR lpszResult,
                                       DWORD flags) {
  // A full list or out of room for its texts: the entry is left out.
  if (m_ps.cPasteEntries >= (int)(sizeof m_entries / sizeof m_entries[0]) || m_nTexts + 2 > 32) return;
  OLEUIPASTEENTRYA& e = m_entries[m_ps.cPasteEntries++];
  e.fmtetc = formatEtc;
  m_texts[m_nTexts] = lpszFormat;
  e.lpstrFormatName = m_texts[m_nTexts++];
  m_texts[m_nTexts] = lpszResult;
  e.lpstrResultText = m_texts[m_nTexts++];
  e.dwFlags = flags;
}

void COlePasteSpecialDialog::AddFormat(CLIPFORMAT cf, DWORD tymed, LPCTSTR lpszFormat, LPCTSTR lpszResult,
                                       BOOL bEnableIcon, BOOL bLink) {
  FORMATETC fe = {cf, NULL, DVASPECT_CONTENT, -1, tymed};
  DWORD flags = OLEUIPASTE_PASTEONLY;
  if (bEnableIcon) flags |= OLEUIPASTE_ENABLEICON;
  if (bLink) {
    AddLinkEntry(cf);
    // The entry's link bit is the place of its format among the link types.
    for (int i = 0; i < m_ps.cLinkTypes; i++)
      if (m_linkTypes[i] == cf) flags |= (OLEUIPASTE_LINKTYPE1 << i) | OLEUIPASTE_PASTE;
  }
  AddFormat(fe, lpszFormat, lpszResult, flags);
}

void COlePasteSpecialDialog::AddLinkEntry(CLIPFORMAT cf) {
  for (int i = 0; i < m_ps.cLinkTypes; i++)
    if (m_linkTypes[i] == cf) return;
  if (m_ps.cLinkTypes >= 8) return;
  m_linkTypes[m_ps.cLinkTypes++] = cf;
  delete[] (UINT*)m_ps.arrLinkTypes;
  UINT* p = new UINT[m_ps.cLinkTypes];
  for (int i = 0; i < m_ps.cLinkTypes; i++) p[i] = m_linkTypes[i];
  m_ps.arrLinkTypes = p;
}

void COlePasteSpecialDialog::AddStandardFormats(BOOL bEnableLink) {
  // %s is the object's type, filled in by the platform; a result text names what the item
  // becomes, and the platform's own sentence is built round it.
  AddFormat(Registered(kEmbeddedObject), TYMED_ISTORAGE, "%s", "%s", TRUE, FALSE);
  AddFormat(Registered(kEmbedSource), TYMED_ISTORAGE, "%s", "%s", TRUE, FALSE);
  if (bEnableLink) {
    // The link entry: no paste of its own, only the link choice.
    FORMATETC fe = {Registered(kLinkSource), NULL, DVASPECT_CONTENT, -1, TYMED_ISTREAM};
    AddLinkEntry(fe.cfFormat);
    AddFormat(fe, "%s", "%s", OLEUIPASTE_LINKTYPE1 | OLEUIPASTE_ENABLEICON);
  }
  AddFormat(CF_METAFILEPICT, TYMED_MFPICT, "メタファイル", "メタファイル", FALSE, FALSE);
  AddFormat(CF_ENHMETAFILE, TYMED_ENHMF, "拡張メタファイル", "拡張メタファイル", FALSE, FALSE);
  AddFormat(CF_DIB, TYMED_HGLOBAL, "デバイスに依存しないビットマップ", "デバイスに依存しないビットマップ", FALSE, FALSE);
  AddFormat(CF_BITMAP, TYMED_GDI, "ビットマップ", "ビットマップ", FALSE, FALSE);
}

INT_PTR COlePasteSpecialDialog::DoModal() {
  if (m_dataObject.m_lpDataObject == NULL && !m_dataObject.AttachClipboard()) return IDABORT;
  m_ps.lpSrcDataObj = m_dataObject.m_lpDataObject;
  if (m_ps.hWndOwner == NULL) {
    CWnd* pMain = AfxGetMainWnd();
    m_ps.hWndOwner = pMain ? pMain->GetSafeHwnd() : NULL;
  }
  const UINT r = ::OleUIPasteSpecialA(&m_ps);
  if (r == OLEUI_OK) return IDOK;
  if (r == OLEUI_CANCEL) return IDCANCEL;
  return IDABORT;
}

int COlePasteSpecialDialog::GetSelectionType() const {
  if (m_ps.fLink) return pasteLink;
  if (m_ps.nSelectedIndex < 0 || m_ps.nSelectedIndex >= m_ps.cPasteEntries) return pasteOther;
  const CLIPFORMAT cf = m_entries[m_ps.nSelectedIndex].fmtetc.cfFormat;
  if (cf == Registered(kEmbeddedObject) || cf == Registered(kEmbedSource)) return pasteNormal;
  if (cf == CF_METAFILEPICT || cf == CF_ENHMETAFILE || cf == CF_DIB || cf == CF_BITMAP) return pasteStatic;
  return pasteOther;
}

BOOL COlePasteSpecialDialog::CreateItem(COleClientItem* pItem) {
  if (pItem == NULL || m_dataObject.m_lpDataObject == NULL) return FALSE;
  const BOOL bIcon = (m_ps.dwFlags & PSF_CHECKDISPLAYASICON) != 0;
  if (bIcon) pItem->m_nDrawAspect = DVASPECT_ICON;
  const int n = m_ps.nSelectedIndex;
  const CLIPFORMAT cf = n >= 0 && n < m_ps.cPasteEntries ? m_entries[n].fmtetc.cfFormat : 0;
  switch (GetSelectionType()) {
    case pasteLink: return pItem->CreateLinkFromData(&m_dataObject);
    case pasteNormal: return pItem->CreateFromData(&m_dataObject);
    case pasteStatic: return pItem->CreateStaticFromData(&m_dataObject, OLERENDER_FORMAT, cf);
    default: return cf != 0 && pItem->CreateFromData(&m_dataObject, OLERENDER_FORMAT, cf);
  }
}
