#include "BoardFilePreview.h"

#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <memory>

#include "Dib.h"
#include "StandardSheets.h"
#include "jvqBoard.h"
#include "jvqBoardStream.h"
#include "jvqCompoundFile.h"
#include "jvqFileHeader.h"
#include "jvqGeometry.h"
#include "jvqImagePool.h"
#include "jvqObjectCodes.h"
#include "jvqPage.h"
#include "jvqRecordIO.h"
#include "jvqViewMapping.h"

namespace {

const char kSignature[] = "vask";

CString NameOf(LPCTSTR lpszPath) {
  CString path = lpszPath;
  const int n = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
  return n >= 0 ? path.Mid(n + 1) : path;
}

LPCTSTR NonEmpty(const jvqFileHeader* h, LPCTSTR lpszName) {
  LPCTSTR v = h ? h->GetProperty(lpszName) : NULL;
  return v && *v ? v : NULL;
}

CString SheetText(const jvqFileHeader* h) {
  LPCTSTR w = NonEmpty(h, "用紙幅");
  if (w == NULL) return CString();
  LPCTSTR hgt = h->GetProperty("用紙高さ");
  return SheetSizeText(atoi(w), hgt ? atoi(hgt) : 0);
}

// The signature's offset, scanning in blocks of 1024 bytes; one that crosses a block
// boundary is not seen. -1 when there is none.
LONG FindSignature(CFile& file, DWORD dwLength) {
  char buf[1024 + 1];
  DWORD dwTested = 0;
  file.SeekToBegin();
  while (dwTested < dwLength) {
    memset(buf, 0, sizeof(buf));
    const UINT n = file.Read(buf, 1024);
    if (n == 0) return -1;
    for (UINT i = 0; i < n; i++) {
      if (memcmp(buf + i, kSignature, 4) == 0) return (LONG)dwTested;
      if (++dwTested >= dwLength) return -1;
    }
  }
  return -1;
}

void Describe(PreviewTextForm form, LPCTSTR lpszName, const jvqFileHeader* h, CString& strDescription) {
  if (form == PREVIEW_TEXT_TEMPLATE)
    DescribeTemplateFile(lpszName, h, strDescription);
  else if (form == PREVIEW_TEXT_SAMPLE)
    strDescription = lpszName;
  else
    DescribeBoardFile(h, strDescription);
}

// The thumbnail after a header: its size bounded by what the file still holds.
CDib* ReadThumbnail(CFile* pFile) {
  if (jvqBytesLeft(pFile) < 4) return NULL;
  int32_t s = 0;
  if (pFile->Read(&s, 4) != 4 || s <= 0 || (DWORD)s > jvqBytesLeft(pFile)) return NULL;
  std::unique_ptr<CDib> dib(new CDib);
  if (!dib->Read(pFile, (DWORD)s)) return NULL;
  return dib.release();
}

}  // namespace

void DescribeTemplateFile(LPCTSTR lpszName, const jvqFileHeader* pHeader, CString& strDescription) {
  strDescription = lpszName;
  if (NonEmpty(pHeader, "用紙幅")) strDescription += "\r\n用紙サイズ：" + SheetText(pHeader);
}

void DescribeBoardFile(const jvqFileHeader* pHeader, CString& strDescription) {
  if (NonEmpty(pHeader, "用紙幅")) strDescription += "用紙サイズ：" + SheetText(pHeader);
  static const char* const kFields[][2] = {{"物件名", "物件名："},
                                           {"施主名", "施主名："},
                                           {"営業担当者名", "営業担当者名："},
                                           {"プランナー担当者名", "プランナー担当者名："},
                                           {"備考", "備考："}};
  for (auto& f : kFields) {
    if (LPCTSTR v = NonEmpty(pHeader, f[0])) strDescription += CString("\r\n") + f[1] + v;
  }
}

CDib* ReadBoardFilePreview(LPCTSTR lpszPath, PreviewTextForm form, CString& strDescription) {
  if (form == PREVIEW_TEXT_BOARD) {
    CString ext = CString(lpszPath).Right(4);
    ext.MakeUpper();
    if (ext != ".VQD") return NULL;
  }
  CFile file;
  if (!file.Open(lpszPath, CFile::modeRead | CFile::shareDenyNone)) return NULL;
  CDib* pDib = NULL;
  BOOL bStorage = FALSE;
  jvqFileHeader header;
  try {
    const DWORD dwLength = file.GetLength();
    const LONG nAt = dwLength ? FindSignature(file, dwLength) : -1;
    if (nAt < 0) return NULL;
    if (nAt == 0) {
      bStorage = TRUE;  // no length byte before it: not our header
    } else {
      file.Seek(nAt - 1, CFile::begin);
      header.m_strSignature.Empty();
      {
        CArchive ar(&file, CArchive::load, 4096);
        header.Serialize(ar);
        ar.Flush();
      }
      if (header.m_strSignature != kSignature || header.m_nVersion < JVQ_VERSION_THUMBNAIL)
        bStorage = TRUE;
      else
        pDib = ReadThumbnail(&file);
    }
  } catch (CException* e) {
    // A broken header is the storage route's to judge.
    e->Delete();
    bStorage = TRUE;
  }
  file.Close();
  if (bStorage) return ReadPreviewFromStorage(lpszPath, form, strDescription);
  if (pDib != NULL) Describe(form, NameOf(lpszPath), &header, strDescription);
  return pDib;
}

// The "Contents" of a compound file, or the bytes of a flat one, read only.
CDib* ReadPreviewFromStorage(LPCTSTR lpszPath, PreviewTextForm form, CString& strDescription) {
  CFile* pContents = NULL;
  CDib* pDib = NULL;
  CString description;
  try {
    pContents = jvqCompoundFile::OpenContents(lpszPath);
    if (pContents->GetLength() == 0) {
      delete pContents;
      return NULL;
    }
    jvqFileHeader header;
    header.m_strSignature.Empty();
    CArchive ar(pContents, CArchive::load, 4096);
    header.Serialize(ar);
    ar.Flush();
    if (header.m_strSignature == kSignature && header.m_nVersion >= JVQ_VERSION_THUMBNAIL) {
      pDib = ReadThumbnail(pContents);
      if (pDib != NULL) {
        if (form == PREVIEW_TEXT_TEMPLATE)
          DescribeTemplateFile(lpszPath, &header, description);
        else
          DescribeBoardFile(&header, description);
      }
    } else if (header.m_strSignature == kSignature && header.IsValid()) {
      // Older than the thumbnail: read the board and draw its first page.
      pContents->SeekToBegin();
      CArchive ar2(pContents, CArchive::load, 4096);
      jvqFileHeader full;
      jvqImagePool pool;
      full.m_pImagePool = &pool;
      jvqBoard board(NULL);
      CDib* pThumb = NULL;
      DWORD nItems = 0;
      jvqBoardStream::Read(ar2, &full, &board, &pThumb, &nItems);
      delete pThumb;
      pDib = RenderPagePreview(board.GetPage(0), 147, 158);
      LPCTSTR v = full.GetProperty("ひながた説明");
      description = v ? v : "";
    }
  } catch (CException* e) {
    e->Delete();
    delete pDib;
    pDib = NULL;
  }
  delete pContents;
  if (pDib != NULL) strDescription = description;
  return pDib;
}

CDib* RenderPagePreview(jvqPage* pPage, int nWidth, int nHeight) {
  if (pPage == NULL || nWidth <= 0 || nHeight <= 0) return NULL;
  HDC hScreen = ::CreateDC("DISPLAY", NULL, NULL, NULL);
  HDC hMem = hScreen ? ::CreateCompatibleDC(hScreen) : NULL;
  HBITMAP hBmp = hScreen ? ::CreateCompatibleBitmap(hScreen, nWidth, nHeight) : NULL;
  if (hScreen) ::DeleteDC(hScreen);
  if (hMem == NULL || hBmp == NULL) {
    if (hMem) ::DeleteDC(hMem);
    if (hBmp) ::DeleteObject(hBmp);
    return NULL;
  }
  HGDIOBJ hOldBmp = ::SelectObject(hMem, hBmp);
  CDC dc;
  dc.Attach(hMem);
  dc.FillSolidRect(0, 0, nWidth, nHeight, RGB(255, 255, 255));
  RECT r;
  pPage->GetContentsRect(&r);
  const int cw = r.right - r.left, ch = r.bottom - r.top;
  if (cw > 0 && ch > 0) {
    // The contents fitted with a margin of 20 pixels, at nine tenths of the fitting zoom.
    RECT target = {20, 20, nWidth - 20, nHeight - 20};
    if (target.right <= target.left || target.bottom <= target.top) target = {0, 0, nWidth, nHeight};
    RECT fit = {0, 0, cw, ch};
    FitRectToAspect(&fit, &target);
    const int fw = std::max(1, (int)(fit.right - fit.left) * 9 / 10);
    const int fh = std::max(1, (int)(fit.bottom - fit.top) * 9 / 10);
    const int fx = fit.left + (fit.right - fit.left - fw) / 2, fy = fit.top + (fit.bottom - fit.top - fh) / 2;
    const int nSaved = dc.SaveDC();
    ::SetMapMode(hMem, MM_ANISOTROPIC);
    ::SetWindowOrgEx(hMem, r.left, r.top, NULL);
    ::SetWindowExtEx(hMem, cw, ch, NULL);
    ::SetViewportOrgEx(hMem, fx, fy, NULL);
    ::SetViewportExtEx(hMem, fw, fh, NULL);
    jvqViewMapping temp;
    temp.m_dZoom = 100.0 * fw / cw;
    jvqViewMapping* pOldView = pPage->m_pView;
    const DWORD dwOldState = pPage->m_dwState;
    pPage->m_dwState |= JVQ_STATE_VISIBLE;
    SetOwnerRecursive(pPage, &temp);
    for (int i = 0; i < pPage->GetChildCount(); i++) pPage->GetChild(i)->Render(&dc);
    SetOwnerRecursive(pPage, pOldView);
    pPage->m_dwState = dwOldState;
    dc.RestoreDC(nSaved);
  }
  dc.Detach();
  ::SelectObject(hMem, hOldBmp);
  ::DeleteDC(hMem);
  CDib* pDib = new CDib;
  if (!pDib->CreateFromBitmap(hBmp)) {
    delete pDib;
    pDib = NULL;
  }
  ::DeleteObject(hBmp);
  return pDib;
}
