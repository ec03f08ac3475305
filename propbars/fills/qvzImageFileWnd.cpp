#include "qvzImageFileWnd.h"

#include <algorithm>

#include "jvqTextureFill.h"
#include "qvzFillTabCtrl.h"
#include "qvzPictureFileSeam.h"

const char g_szPictureFileFilter[] =
    "貼り付けられるすべてのファイル|*.BMP;*.WMF;*.JPG;*.TIF;*.PNG|ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ(*.BMP)|*.BMP|JPEGﾌｧｲﾙ(*.JPG)|*.JPG|"
    "TIFFﾌｧｲﾙ(*.TIF)|*.TIF|PNGﾌｧｲﾙ(*.PNG)|*.PNG|";

namespace {
const UINT kBrowse = 111, kPath = 112;
const char kNoFile[] = "ファイルは指定されていません";
}  // namespace

BEGIN_MESSAGE_MAP(qvzImageFileWnd, qvzFillChildWnd)
  ON_BN_CLICKED(kBrowse, OnBrowse)
END_MESSAGE_MAP()

qvzImageFileWnd::qvzImageFileWnd() { m_pFill = new jvqTextureFill; }

void qvzImageFileWnd::CreateControls() {
  if (m_Browse.m_hWnd || m_Path.m_hWnd) return;
  SIZE text = {0, 0}, caption = {0, 0};
  {
    CClientDC dc(this);
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, FillPageFont());
    ::GetTextExtentPoint32A(dc.m_hDC, "あｑ", 4, &text);
    const char kCaption[] = "    参照...    ";
    ::GetTextExtentPoint32A(dc.m_hDC, kCaption, (int)sizeof kCaption - 1, &caption);
    ::SelectObject(dc.m_hDC, hOld);
  }
  const int h = std::max(18, (int)text.cy + 4);
  CRect rc;
  GetClientRect(&rc);
  const CRect button(rc.right - 10 - caption.cx, rc.top + 10, rc.right - 10, rc.top + 10 + h);
  m_Browse.Create("参照...", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, button, this, kBrowse);
  m_Path.CreateEx(WS_EX_CLIENTEDGE | WS_EX_NOPARENTNOTIFY, "Edit", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                  CRect(rc.left + 10, button.top, button.left - 10, button.bottom), this, kPath);
  m_Path.SetWindowText(kNoFile);
  m_Browse.SendMessage(WM_SETFONT, (WPARAM)FillPageFont(), 0);
  m_Path.SendMessage(WM_SETFONT, (WPARAM)FillPageFont(), 0);
}

void qvzImageFileWnd::OnBrowse() {
  CString strPath;
  if (!g_pfnAskPictureFile(this, g_szPictureFileFilter, &strPath)) return;
  // A file that gives no picture changes nothing: the page background stays as it was.
  jvqTextureFill* pNew = new jvqTextureFill;
  if (pNew->SetFile(strPath) == NULL) {
    delete pNew;
    AfxMessageBox("画像データの読み込みに失敗しました。", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  delete m_pFill;
  m_pFill = pNew;
  m_Path.SetWindowText(strPath);
  m_pOwner->SetFillAndNotify(m_pFill);
}

void qvzImageFileWnd::SetFill(const jvqFill* pFill) {
  if (pFill == NULL || !(pFill->GetFlags() & FILL_TEXTURE) || pFill == m_pFill) return;
  // A copy keeps the picture also when its file has gone since.
  jvqFill* pCopy = const_cast<jvqFill*>(pFill)->Clone();
  delete m_pFill;
  m_pFill = pCopy;
  const CString& strPath = ((jvqTextureFill*)m_pFill)->m_strPath;
  if (m_Path.m_hWnd) m_Path.SetWindowText(strPath.IsEmpty() ? CString(kNoFile) : strPath);
}
