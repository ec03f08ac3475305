// The exported wizard object: its slots, its result file and its one shared view.
#include <gtest/gtest.h>

#include "WizardTestSupport.h"

#include "Patinor.h"
#include "WizardSettings.h"

#include <cstdio>
#include <string>

static CWizardTestApp theApp;

CWizardTestApp& TheApp()
{
    return theApp;
}

namespace {

// An image that counts its deletions.
int deletedImages = 0;
class CCountedImage : public CImage
{
public:
    ~CCountedImage() override { ++deletedImages; }
};

std::string TempFile(const char* name)
{
    char folder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

void WriteFile(const std::string& path)
{
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, f);
    fputs("BM", f);
    fclose(f);
}

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(TextureWizard, SlotsOwnTheirImages)
{
    deletedImages = 0;
    {
        CTextureWizard wizard;
        ASSERT_NE(nullptr, CTextureWizard::m_pDIBView);
        EXPECT_EQ(nullptr, CTextureWizard::GetDIBData(0));
        CTextureWizard::SetDIBData(new CCountedImage, 0);
        CTextureWizard::SetDIBData(new CCountedImage, 1);
        CTextureWizard::SetDIBData(new CCountedImage, 1); // replaces: one deleted
        EXPECT_EQ(1, deletedImages);
        CTextureWizard::SetDIBData(NULL, 0); // frees the slot
        EXPECT_EQ(2, deletedImages);
        EXPECT_EQ(nullptr, CTextureWizard::GetDIBData(0));

        // Slots outside 0 to 3 store nothing and read NULL.
        CCountedImage outside;
        CTextureWizard::SetDIBData(&outside, 4);
        CTextureWizard::SetDIBData(&outside, -1);
        EXPECT_EQ(nullptr, CTextureWizard::GetDIBData(4));
        EXPECT_EQ(nullptr, CTextureWizard::GetDIBData(-1));
        EXPECT_EQ(2, deletedImages);
        CTextureWizard::SetDIBData(new CCountedImage, 3);
    }
    // The destructor cleared slots 1 and 3 (the local image goes now, too).
    EXPECT_EQ(5, deletedImages);
    EXPECT_EQ(nullptr, CTextureWizard::m_pDIBView);
}

TEST(TextureWizard, DestructorDeletesTheResultFile)
{
    const std::string path = TempFile("ttpwizardtest.bmp");
    WriteFile(path);
    {
        CTextureWizard wizard;
        CTextureWizard::m_strSaveFileName = path.c_str();
        EXPECT_EQ(CString(path.c_str()), wizard.GetDataFileName());
    }
    EXPECT_FALSE(Exists(path));
    EXPECT_EQ(CString(path.c_str()), CTextureWizard::m_strSaveFileName); // the name stays
    // Gone already, or held open elsewhere: the destructor simply returns.
    {
        CTextureWizard wizard;
        CTextureWizard::m_strSaveFileName = path.c_str();
    }
    WriteFile(path);
    HANDLE held = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    {
        CTextureWizard wizard;
        CTextureWizard::m_strSaveFileName = path.c_str();
    }
    ::CloseHandle(held);
    ::DeleteFileA(path.c_str());
}

TEST(TextureWizard, ANewWizardResetsItsRunButKeepsThePlacement)
{
    CWizardSettings& settings = GetWizardSettings();
    {
        CTextureWizard wizard(WIZARD_TYPE_SCANNER);
        EXPECT_EQ(WIZARD_TYPE_SCANNER, CTextureWizard::m_nWizardType);
        strcpy(CTextureWizard::m_szLoadDir, "D:\\Pictures");
        CTextureWizard::m_strSaveFileName = TempFile("ttpabsent.bmp").c_str();
        CTextureWizard::m_nStep = 3;
        settings.LastPageRect = RECT{10, 20, 500, 400};
        settings.LastPageMaximized = FALSE;
        settings.InputMethod = 2;
    }
    CTextureWizard wizard;
    EXPECT_EQ(WIZARD_TYPE_EDIT, CTextureWizard::m_nWizardType);
    EXPECT_STREQ("C:\\Work", CTextureWizard::m_szLoadDir);
    EXPECT_TRUE(CTextureWizard::m_strSaveFileName.IsEmpty());
    EXPECT_EQ(0, CTextureWizard::m_nStep);
    EXPECT_EQ(500, settings.LastPageRect.right);
    EXPECT_FALSE(settings.LastPageMaximized);
    EXPECT_EQ(2, settings.InputMethod);
    settings = CWizardSettings();
}

TEST(TextureWizard, ASecondWizardIsRefused)
{
    CTextureWizard first;
    CEditDIBView* view = CTextureWizard::m_pDIBView;
    ASSERT_NE(nullptr, view);
    CTextureWizard::SetDIBData(new CCountedImage, 0);
    CImage* slot = CTextureWizard::GetDIBData(0);
    {
        CTextureWizard second;
        EXPECT_EQ(view, CTextureWizard::m_pDIBView);
        EXPECT_EQ(slot, CTextureWizard::GetDIBData(0));
        EXPECT_EQ(IDCANCEL, second.DisplayWizard());
        CTextureWizard copy(first); // a copy is no second live wizard either
    }
    // The second one's end leaves the first's view and slots alone.
    EXPECT_EQ(view, CTextureWizard::m_pDIBView);
    EXPECT_TRUE(::IsWindow(view->m_hWnd));
    EXPECT_EQ(slot, CTextureWizard::GetDIBData(0));
}

CEditDIBView* FailingMaker()
{
    return NULL;
}

TEST(TextureWizard, AViewThatCannotBeMadeEndsTheWizard)
{
    CRecordingNotify notify;
    DIBViewMaker previous = SetDIBViewMaker(FailingMaker);
    {
        CTextureWizard wizard;
        EXPECT_EQ(nullptr, CTextureWizard::m_pDIBView);
        EXPECT_EQ(IDCANCEL, wizard.DisplayWizard());
        EXPECT_EQ(std::vector<UINT>{120}, notify.m_errors);
    }
    SetDIBViewMaker(previous);
}

TEST(TextureWizard, TheViewIsAHiddenChildOfTheDesktop)
{
    CTextureWizard wizard;
    CEditDIBView* view = CTextureWizard::m_pDIBView;
    ASSERT_NE(nullptr, view);
    EXPECT_FALSE(view->IsWindowVisible());
    EXPECT_EQ(::GetDesktopWindow(), ::GetParent(view->m_hWnd));
    EXPECT_TRUE(view->GetExStyle() & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(view->IsKindOf(RUNTIME_CLASS(CEditDIBView)));
}

TEST(TextureWizard, ItsOwnResourcesComeFirstWhileItRuns)
{
    // The test program has a string 102 of its own.
    char text[256];
    ASSERT_GT(AfxLoadString(102, text), 0);
    EXPECT_STREQ("host 102", text);
    {
        CWizardResourceScope scope;
        ASSERT_GT(AfxLoadString(102, text), 0);
        // "画像加工ウィザード ステップ%1"
        EXPECT_STREQ("\x89\xe6\x91\x9c\x89\xc1\x8d\x48\x83\x45\x83\x42\x83\x55\x81\x5b\x83\x68 "
                     "\x83\x58\x83\x65\x83\x62\x83\x76%1",
                     text);
    }
    ASSERT_GT(AfxLoadString(102, text), 0);
    EXPECT_STREQ("host 102", text);
}

} // namespace

namespace {

TEST(TextureWizard, ItsPicturesAreInTheLibrary)
{
    HINSTANCE module = GetPatinorModule();
    ASSERT_NE(nullptr, module);
    for (UINT id : {141u, 148u, 149u, 150u, 151u})
        EXPECT_NE(nullptr, ::LoadImage(module, MAKEINTRESOURCE(id), IMAGE_ICON, 16, 16, 0)) << id;
    EXPECT_NE(nullptr, ::LoadBitmap(module, MAKEINTRESOURCE(144)));
    for (UINT id : {159u, 160u, 169u, 170u, 171u, 172u, 173u, 174u})
        EXPECT_NE(nullptr, ::LoadCursor(module, MAKEINTRESOURCE(id))) << id;
    char text[256];
    for (UINT id : {102u, 118u, 119u, 120u, 121u, 136u})
        EXPECT_GT(::LoadStringA(module, id, text, sizeof(text)), 0) << id;
}

} // namespace
