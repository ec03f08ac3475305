// How the image classes tell the user about shortages and show progress. The wizard's
// windows install a sink with message boxes and the progress dialog; without one, errors
// go to a plain message box on Windows and nowhere natively.
#pragma once

#include "DibTypes.h"

// String ids of the library's messages.
enum : UINT {
    IDS_IMAGE_NO_MEMORY = 119,   // "メモリ不足のため処理を完了できません。"
    IDS_IMAGE_NO_RESOURCE = 120, // "リソース不足のため処理を完了できません。"
    IDS_IMAGE_REDUCING = 118,    // "減色中..."
};

class CImageNotify
{
public:
    virtual ~CImageNotify() {}
    // Shows message nID with the stop icon.
    virtual void ReportError(UINT nID) = 0;
    // Progress of a long pass (caption string nCaptionID, range 0..nRange).
    virtual void BeginProgress(UINT nCaptionID, int nRange) {}
    virtual void StepProgress(int nPos) {}
    virtual void EndProgress() {}
};

// Installs a sink (NULL: the default); returns the previous one.
CImageNotify* SetImageNotify(CImageNotify* pNotify);
CImageNotify* GetImageNotify();
