// The images that follow the pointer while the browser runs an OLE drag: a picture (an image
// list of one image) or a dotted outline played straight onto the locked window.
#pragma once

#include <afxcmn.h>

#include <vector>

class CBaseImage;

class CDragImage : public CImageList {
    DECLARE_DYNCREATE(CDragImage)
public:
    // Coordinates are relative to the lock window's window rectangle.
    virtual BOOL BeginDrag(int x, int y);
    virtual void EndDrag();
    virtual BOOL DragMove(int x, int y);
    // A NULL window locks the desktop.
    virtual BOOL DragEnter(CWnd* lock, int x, int y);
    virtual BOOL DragLeave(CWnd* lock);
};

// An outline recorded in an enhanced metafile and played with an inverting pattern, so that
// playing it twice at one place restores the screen.
class CDragFrame : public CDragImage {
    DECLARE_DYNCREATE(CDragFrame)
public:
    CDragFrame() = default;
    ~CDragFrame() override;

    // Takes over the metafile; FALSE (and nothing kept) for a NULL one.
    BOOL SetOutline(HENHMETAFILE metafile, const RECT& rect);

    BOOL BeginDrag(int x, int y) override;
    void EndDrag() override {}
    BOOL DragMove(int x, int y) override;
    BOOL DragEnter(CWnd* lock, int x, int y) override;
    BOOL DragLeave(CWnd* lock) override;

    BOOL IsShown() const { return m_bShown; }
    CPoint GetPosition() const { return m_ptPos; }

    CDC m_dcWindow;
    CPoint m_ptPos;
    CPoint m_ptHotSpot;
    CRect m_rcOutline;
    HENHMETAFILE m_hMetafile = nullptr;  // owned
    BOOL m_bShown = FALSE;
    HWND m_hLockWnd = nullptr;  // the window whose DC is held

private:
    void Play();
};

// A drag image of a picture fitted into an area of `area`: the picture centred on white, and
// a mask that lets only the picture show. NULL without a drawable picture.
CDragImage* CreatePictureDragImage(CBaseImage* picture, CSize area);

// The outline of rectangles (relative to their union's top-left) as a CDragFrame of the
// union's size: the four edges of each box and a bar through each label rectangle.
// NULL when no metafile can be recorded.
struct OutlineShape {
    CRect box;
    CRect label;  // empty for none
};
CDragFrame* CreateOutlineDragImage(const std::vector<OutlineShape>& shapes, CSize size);
