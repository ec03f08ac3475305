// One picture from a scanner or camera through the system's TWAIN data source manager:
// the user picks a source, the source shows its own window, and the picture arrives by
// native transfer as a packed DIB in global memory.
#pragma once

#include <afxwin.h>

#include "TwainTypes.h"

class CTwain : public CWnd
{
public:
    CTwain();
    ~CTwain() override;

    // Loads TWAIN_32.DLL from the Windows folder; unless only checking, also makes the
    // hidden window the manager talks to.
    BOOL LoadManager(BOOL checkOnly);
    void UnloadManager();
    BOOL OpenManager();
    BOOL CloseManager();
    // Opens and enables a source, then waits for its picture or its close request.
    BOOL Acquire();
    // Whether a data source manager is installed.
    BOOL IsAvailable();

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The picture of the last acquisition (the caller takes it), or NULL.
    HGLOBAL m_hImage;

    // Where the manager is looked for; tests point it elsewhere. Empty: the Windows folder.
    static void SetManagerFolder(const char* folder);

protected:
    TW_UINT16 CallManager(TW_IDENTITY* pDest, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG, TW_MEMREF pData);
    BOOL OpenSource();
    // Takes one message if one waits; TRUE when it did.
    BOOL PumpOne();
    void TransferImage();
    // Ends any transfer still pending, so that the source can be disabled.
    void ResetPending();
    void CloseSource();

    HMODULE m_hManager;
    BOOL m_bManagerOpen;
    BOOL m_bSourceEnabled;
    DSMENTRYPROC m_pEntry;
    TW_IDENTITY m_AppId;
    TW_IDENTITY m_SourceId;
    TW_USERINTERFACE m_UI;
    TW_UINT16 m_nLastResult;
    HWND m_hHidden;
};
