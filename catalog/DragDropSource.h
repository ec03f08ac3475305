// The drop source of the browser's drags: it moves the drag image while the pointer is over
// the main window and hides it outside.
#pragma once

#include <afxole.h>

#include <functional>

class CDragImage;

class CDragDropSource : public COleDropSource {
public:
    CDragDropSource(CWnd* owner, CDragImage* image);

    SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) override;
    SCODE GiveFeedback(DROPEFFECT dropEffect) override;
    // Moves the image for a cursor at `screen`: shown over the owner, hidden outside.
    void TrackCursor(CPoint screen);

    CWnd* m_pOwner;        // the main frame; not owned
    int m_bInside = 1;
    CDragImage* m_pImage;  // not owned
};

// One drag with `image`: BeginDrag at the hot spot, DragEnter on `frame` at the cursor,
// `drag` (the OLE drag) with a CDragDropSource, then DragLeave and EndDrag. The caller
// keeps the image.
DROPEFFECT RunImageDrag(CDragImage* image, CPoint hotSpot, CWnd* frame,
                        const std::function<DROPEFFECT(COleDropSource*)>& drag);

// The cursor relative to a window's window rectangle.
CPoint CursorInWindow(CWnd* wnd);
