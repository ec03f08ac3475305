// The texture wizard library: what a host program sees. The host constructs one
// CTextureWizard, runs DisplayWizard, reads the file GetDataFileName names, then destroys
// the wizard (which deletes that file).
#pragma once

#include <afxwin.h>

#ifdef PATINOR_BUILD
#define PATINOR_API __declspec(dllexport)
#else
#define PATINOR_API __declspec(dllimport)
#endif

class CImage;
class CEditDIBView;
struct CWizardSettings;

enum WizardType {
    WIZARD_TYPE_EDIT = 0,    // a picture from a file or a scanner chosen on the first page
    WIZARD_TYPE_SCANNER = 1, // the picture is acquired before the first page
};

// Results of a page as the step loop reads them (besides IDOK and IDCANCEL).
enum {
    WIZARD_RESULT_NEXT = 10,
    WIZARD_RESULT_BACK = 11,
    WIZARD_RESULT_RESTART = 1004,
    // The same step again. Not -1: that is what a page whose window could not be made
    // returns.
    WIZARD_RESULT_STAY = 12,
};

class PATINOR_API CTextureWizard
{
public:
    CTextureWizard(WizardType type = WIZARD_TYPE_EDIT);
    // There is no instance state to copy.
    CTextureWizard(const CTextureWizard&);
    CTextureWizard& operator=(const CTextureWizard&);
    virtual ~CTextureWizard();

    // Runs the pages; IDOK when a picture was written, IDCANCEL otherwise.
    int DisplayWizard();
    CString GetDataFileName();

    // Image slots 0 to 3; any other slot stores nothing and reads NULL.
    static CImage* GetDIBData(int slot);
    // Deletes the slot's image, then keeps image (which may be NULL).
    static void SetDIBData(CImage* image, int slot);
    static void ResetDIBData();

    static WizardType m_nWizardType;
    static int m_nStep;
    static CEditDIBView* m_pDIBView;
    static CImage* m_pSrcImage[4];
    static CString m_strSaveFileName;
    static char m_szLoadDir[MAX_PATH];
};

// The page settings remembered across pages and runs.
PATINOR_API CWizardSettings& GetWizardSettings();

// The library's module, where the pages find their icons, bitmaps and cursors.
PATINOR_API HINSTANCE GetPatinorModule();

// While it lives, resources are looked up in the library first, so a host's own ids never
// stand in for the wizard's; the host's module is still searched after it.
class PATINOR_API CWizardResourceScope
{
public:
    CWizardResourceScope();
    ~CWizardResourceScope();

private:
    HINSTANCE m_hPrevious;
    BOOL m_bAddedPrevious;
    CWizardResourceScope(const CWizardResourceScope&) = delete;
    CWizardResourceScope& operator=(const CWizardResourceScope&) = delete;
};

// How the wizard makes its shared view: a created view, or NULL when it cannot be made.
// Tests put a maker of their own in place; the previous maker is returned.
typedef CEditDIBView* (*DIBViewMaker)();
PATINOR_API DIBViewMaker SetDIBViewMaker(DIBViewMaker maker);

// How the step loop makes the page of a step: a new dialog to run modally, or NULL when the
// step has no page. Tests put a maker of their own in place; the previous one is returned.
typedef CDialog* (*WizardPageMaker)(WizardType type, int step);
PATINOR_API WizardPageMaker SetWizardPageMaker(WizardPageMaker maker);
// The pages of the two wizard types, as the step loop shows them by default.
PATINOR_API CDialog* MakeWizardPage(WizardType type, int step);
