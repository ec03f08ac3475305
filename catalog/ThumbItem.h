// The cells of the thumbnail views: a picture with caption lines below it.
#pragma once

#include <afxwin.h>

#include <utility>
#include <vector>

class CBaseImage;
class CTreeNode;
class CDragImage;

// Base of everything drawn in a cell. Deleted only through its own classes.
class CThumbItem {
public:
    virtual void Draw(CDC*) {}
    // The rectangle, deflated by the margin.
    virtual void GetRect(CRect* rect) const;
    virtual void SetRect(const RECT* rect);

    CRect m_rect;
    CWnd* m_pOwner = nullptr;  // measures text; not owned
    int m_nState = 0;          // captions: flags (2 centred); cells: 1 selected, 2 not
    void* m_pData = nullptr;   // what the cell stands for; not owned
    int m_nMargin = 0;
    int m_bVisible = 0;
    unsigned m_nKind = 0;      // tree-node flags of a folder cell, 0 for a file

protected:
    CThumbItem() = default;
    ~CThumbItem() = default;
};

// One caption line.
class CThumbTextItem final : public CThumbItem {
public:
    CThumbTextItem();

    CSize GetTextExtent() const;
    CSize GetDisplayExtent() const;
    void Draw(CDC* dc) override;
    // Stores the rectangle and fits the display text to its width.
    void SetRect(const RECT* rect) override;
    // The same, measuring on `dc`, which already holds the caption's font.
    void SetRect(const RECT* rect, CDC* dc);

    CString m_strText;
    CString m_strDisplay;
    int m_nSpare = 0;
    CFont* m_pFont = nullptr;  // the application font; not owned

private:
    CSize Extent(const CString& text) const;
};

// A DC of the owner for measuring captions in one go, with the application font selected.
class CCaptionMeasure {
public:
    explicit CCaptionMeasure(CWnd* owner);
    ~CCaptionMeasure();
    CCaptionMeasure(const CCaptionMeasure&) = delete;
    CCaptionMeasure& operator=(const CCaptionMeasure&) = delete;
    // NULL without a window to measure on.
    CDC* Get() { return m_dc.GetSafeHdc() ? &m_dc : nullptr; }

private:
    HWND m_hWnd = nullptr;
    CDC m_dc;
    CFont* m_pOldFont = nullptr;
};

// One cell: its picture, loaded when first painted, and its captions.
class CThumbImageItem final : public CThumbItem {
public:
    CThumbImageItem();
    ~CThumbImageItem();
    CThumbImageItem(const CThumbImageItem&) = delete;
    CThumbImageItem& operator=(const CThumbImageItem&) = delete;

    void Reset();
    // Deletes the picture and the captions.
    void Clear();
    // (2, this) when the logical point lies in the cell, else (0, NULL).
    std::pair<int, CThumbImageItem*> HitTest(CPoint point);
    CThumbTextItem* GetCaption(int index) const { return m_captions[index]; }
    CString GetFileName() const;
    // Stores the rectangle; the captions are laid out again when it moved.
    void SetRect(const RECT* rect) override;
    // Picture area above the visible captions, the captions stacked below it; `measure`, when
    // given, is a DC holding the captions' font (one DC for many cells).
    void LayoutCaptions(CDC* measure = nullptr);
    // Lays the captions out unless they are for the present rectangle: a grid lays out only
    // the cells that come into view.
    void EnsureLaidOut(CDC* measure = nullptr)
    {
        if (!m_bLaidOut)
            LayoutCaptions(measure);
    }
    bool IsLaidOut() const { return m_bLaidOut; }
    void Draw(CDC* dc) override;
    void DrawFrame(CDC* dc);
    // The picture fitted into the picture area, for dragging; NULL without a picture. The
    // caller deletes it.
    CDragImage* CreateDragImage();

    CBaseImage* m_pImage = nullptr;  // owned
    CString m_strPath;
    CRect m_rcPicture;
    std::vector<CThumbTextItem*> m_captions;  // owned
    CTreeNode* m_pNode = nullptr;             // not owned
    // Reading the picture failed once: it is not read again at every paint.
    bool m_bLoadFailed = false;

private:
    bool m_bLaidOut = false;
};

// The application font, or the GUI font while the application has none.
CFont* ThumbFont();
