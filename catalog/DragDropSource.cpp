#include "DragDropSource.h"

#include "DragImage.h"

CDragDropSource::CDragDropSource(CWnd* owner, CDragImage* image) : m_pOwner(owner), m_pImage(image) {}

SCODE CDragDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState)
{
    const SCODE answer = COleDropSource::QueryContinueDrag(bEscapePressed, dwKeyState);
    if (answer == S_OK) {
        CPoint cursor;
        ::GetCursorPos(&cursor);
        TrackCursor(cursor);
    }
    return answer;
}

SCODE CDragDropSource::GiveFeedback(DROPEFFECT dropEffect) { return COleDropSource::GiveFeedback(dropEffect); }

void CDragDropSource::TrackCursor(CPoint screen)
{
    if (!m_pImage || !m_pOwner || !m_pOwner->GetSafeHwnd())
        return;
    CRect window;
    m_pOwner->GetWindowRect(&window);
    if (window.PtInRect(screen)) {
        const CPoint pos = screen - window.TopLeft();
        if (m_bInside) {
            m_pImage->DragMove(pos.x, pos.y);
        } else {
            m_pImage->DragEnter(m_pOwner, pos.x, pos.y);
            m_bInside = 1;
        }
    } else if (m_bInside) {
        m_pImage->DragLeave(m_pOwner);
        m_bInside = 0;
    }
}

CPoint CursorInWindow(CWnd* wnd)
{
    CPoint cursor;
    ::GetCursorPos(&cursor);
    CRect window;
    if (wnd && wnd->GetSafeHwnd())
        wnd->GetWindowRect(&window);
    return cursor - window.TopLeft();
}

DROPEFFECT RunImageDrag(CDragImage* image, CPoint hotSpot, CWnd* frame,
                        const std::function<DROPEFFECT(COleDropSource*)>& drag)
{
    image->BeginDrag(hotSpot.x, hotSpot.y);
    const CPoint at = CursorInWindow(frame);
    image->DragEnter(frame, at.x, at.y);
    CDragDropSource source(frame, image);
    const DROPEFFECT effect = drag(&source);
    image->DragLeave(frame);
    image->EndDrag();
    return effect;
}
