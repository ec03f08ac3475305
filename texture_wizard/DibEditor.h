// The picture side of the editing view: the layers it edits, the operations that change
// pixels (turns, rotation, resampling, colour balance) and the one-level undo. It owns no
// window; the view derives from it and answers the notifications.
#pragma once

#include "DibTypes.h"

class CImage;

// New 24-bit layers made from a base layer (malloc'd header and pixels, padding zeroed).
// FALSE when the base is missing, a size is refused or memory runs out.
BOOL DibRotateQuarter(const BITMAPINFOHEADER* info, const BYTE* bits, int quarters,
                      BITMAPINFOHEADER** newInfo, BYTE** newBits);
BOOL DibRotateArbitrary(const BITMAPINFOHEADER* info, const BYTE* bits, int angle,
                        BITMAPINFOHEADER** newInfo, BYTE** newBits);
BOOL DibResample(const BITMAPINFOHEADER* info, const BYTE* bits, LONG width, LONG height,
                 BITMAPINFOHEADER** newInfo, BYTE** newBits);
BOOL DibColorBalance(const BITMAPINFOHEADER* info, const BYTE* bits, int red, int green, int blue,
                     BITMAPINFOHEADER** newInfo, BYTE** newBits);

class CDibEditor
{
public:
    CDibEditor();
    virtual ~CDibEditor();

    // Takes layers 0, 1 and 2 of the image; without layer 1 the working layer is layer 0.
    void SetImage(CImage* image);
    // Gives the working and undo layers back to the image as layers 1 and 2.
    void DetachImage();

    void RotateQuarter(int quarters);
    void RotateArbitrary(int angle);
    void ResizeImage(int width, int height);
    BOOL ApplySize();
    void SetColorBalance(int red, int green, int blue);
    void SaveUndo(BOOL takeLayer);
    void Revert();

    BITMAPINFOHEADER* GetWorkingInfo() const { return m_pInfo[1]; }
    BYTE* GetWorkingBits() const { return m_pBits[1]; }
    BITMAPINFOHEADER* GetUndoInfo() const { return m_pInfo[2]; }

    int m_nAngle;     // hundredths of a degree, anticlockwise, 0 to 35999
    int m_nUndoAngle;
    RECT m_rcRange;   // image pixels, top-down
    RECT m_rcUndoRange;
    BOOL m_bHasUndo;
    int m_nImageWidth;
    int m_nImageHeight;

protected:
    // What the view does after a change: messages to its page, scroll sizes, display.
    virtual void OnSizeChanged(int width, int height) {}
    virtual void OnUndoSet() {}
    virtual void OnReverted() {}
    virtual void OnPictureChanged() {}

    BOOL ResampleToRange();

    CImage* m_pImage;
    BITMAPINFOHEADER* m_pInfo[3]; // 0 base (read only), 1 working, 2 undo
    BYTE* m_pBits[3];

    // Replaces the working layer, releasing the old one unless it is layer 0's.
    void SetWorking(BITMAPINFOHEADER* info, BYTE* bits);
    void ReleaseWorking();
    bool WorkingIsBase() const { return m_pBits[1] != NULL && m_pBits[1] == m_pBits[0]; }
    // Layer 0's blocks become the working layer again.
    void UseBaseAsWorking();

private:
    void ReleaseUndo();
    void InstallPicture(BITMAPINFOHEADER* info, BYTE* bits, int angle);

    CDibEditor(const CDibEditor&) = delete;
    CDibEditor& operator=(const CDibEditor&) = delete;
};
