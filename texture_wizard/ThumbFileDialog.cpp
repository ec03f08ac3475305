#include "ThumbFileDialog.h"

#include "BmpFileImage.h"
#include "JpegFileImage.h"

#include <cstring>

namespace {

bool EndsWithNoCase(const CString& text, const char* tail)
{
    const int n = static_cast<int>(strlen(tail));
    return text.GetLength() >= n && text.Right(n).CompareNoCase(tail) == 0;
}

} // namespace

SIZE PreviewSize(int areaWidth, int areaHeight, int width, int height)
{
    SIZE size = {0, 0};
    if (width <= 0 || height <= 0)
        return size;
    // In 64 bits: a wide picture's h·W overflows an int.
    if (areaWidth < static_cast<long long>(areaHeight) * width / height) {
        size.cx = areaWidth;
        size.cy = static_cast<LONG>(static_cast<long long>(height) * areaWidth / width);
    } else {
        size.cx = static_cast<LONG>(static_cast<long long>(width) * areaHeight / height);
        size.cy = areaHeight;
    }
    return size;
}

BEGIN_MESSAGE_MAP(CThumbPreview, CStatic)
    ON_WM_PAINT()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CThumbPreview::~CThumbPreview()
{
    DeleteBitmap();
}

void CThumbPreview::DeleteBitmap()
{
    if (m_hBitmap != NULL) {
        ::DeleteObject(m_hBitmap);
        m_hBitmap = NULL;
    }
}

void CThumbPreview::SetImage(CImage* image)
{
    DeleteBitmap();
    if (image != NULL) {
        CBitmap* picture = image->CreateBitmap();
        if (picture != NULL) {
            BITMAP bm = {};
            picture->GetObject(sizeof(bm), &bm);
            CRect client;
            GetClientRect(&client);
            const SIZE size = PreviewSize(client.Width(), client.Height(), bm.bmWidth, bm.bmHeight);
            HDC screen = ::GetDC(m_hWnd);
            HDC from = ::CreateCompatibleDC(screen);
            HDC to = ::CreateCompatibleDC(screen);
            if (size.cx > 0 && size.cy > 0)
                m_hBitmap = ::CreateCompatibleBitmap(screen, size.cx, size.cy);
            if (m_hBitmap != NULL && from != NULL && to != NULL) {
                HGDIOBJ oldFrom = ::SelectObject(from, picture->GetSafeHandle());
                HGDIOBJ oldTo = ::SelectObject(to, m_hBitmap);
                ::SetStretchBltMode(to, COLORONCOLOR);
                ::StretchBlt(to, 0, 0, size.cx, size.cy, from, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
                ::SelectObject(from, oldFrom);
                ::SelectObject(to, oldTo);
            }
            if (from != NULL)
                ::DeleteDC(from);
            if (to != NULL)
                ::DeleteDC(to);
            ::ReleaseDC(m_hWnd, screen);
            delete picture;
        }
        delete image;
    }
    if (m_hWnd != NULL)
        InvalidateRect(NULL, TRUE);
}

void CThumbPreview::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    CRect client;
    GetClientRect(&client);
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    if (m_hBitmap != NULL) {
        BITMAP bm = {};
        ::GetObject(m_hBitmap, sizeof(bm), &bm);
        HDC from = ::CreateCompatibleDC(dc);
        HGDIOBJ old = ::SelectObject(from, m_hBitmap);
        ::BitBlt(dc, (client.Width() - bm.bmWidth) / 2, (client.Height() - bm.bmHeight) / 2, bm.bmWidth,
                 bm.bmHeight, from, 0, 0, SRCCOPY);
        ::SelectObject(from, old);
        ::DeleteDC(from);
    }
    ::EndPaint(m_hWnd, &ps);
}

void CThumbPreview::OnDestroy()
{
    DeleteBitmap();
    CStatic::OnDestroy();
}

CThumbFileDialog::CThumbFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                                   LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CFileDialog(bOpenFileDialog, lpszDefExt, lpszFileName, dwFlags, lpszFilter, pParentWnd)
{
    m_ofn.Flags |= OFN_ENABLETEMPLATE;
    m_ofn.hInstance = GetPatinorModule();
    m_ofn.lpTemplateName = MAKEINTRESOURCE(IDD_THUMB_FILE);
}

void CThumbFileDialog::OnInitDone()
{
    CFileDialog::OnInitDone();
    m_preview.SubclassDlgItem(IDC_THUMB_PREVIEW, this);
}

void CThumbFileDialog::OnFileNameChange()
{
    CFileDialog::OnFileNameChange();
    const CString path = GetPathName();
    if (path.IsEmpty())
        return;
    CImage* image = NULL;
    if (EndsWithNoCase(path, ".BMP") || EndsWithNoCase(path, ".KJQ"))
        image = new CBmpFileImage;
    else if (EndsWithNoCase(path, ".JPG") || EndsWithNoCase(path, ".JPEG"))
        image = new CJpegFileImage;
    // The preview reads quietly (flag 1): a file it cannot read leaves it empty.
    if (image != NULL && !image->Load(path, 1, NULL)) {
        delete image;
        image = NULL;
    }
    if (m_preview.m_hWnd != NULL)
        m_preview.SetImage(image);
    else
        delete image;
}
