// The image search's walk on a temporary tree: the date range's ends included, endings by their
// last three characters, an empty text, a folder linked back into itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CatalogFixture.h"
#include "ImageFileSearch.h"

using namespace catalogtest;

namespace {

FILETIME Utc(int year, int month, int day, int hour, int minute, int second, int ms)
{
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    st.wHour = static_cast<WORD>(hour);
    st.wMinute = static_cast<WORD>(minute);
    st.wSecond = static_cast<WORD>(second);
    st.wMilliseconds = static_cast<WORD>(ms);
    FILETIME ft{};
    ::SystemTimeToFileTime(&st, &ft);
    return ft;
}

void Touch(const std::string& path, const FILETIME& written)
{
    HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
    DWORD n = 0;
    ::WriteFile(h, "x", 1, &n, nullptr);
    ::SetFileTime(h, nullptr, nullptr, &written);
    ::CloseHandle(h);
}

class ImageFileSearchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = CatalogPath(MakeTempFolder("imgsearch")) + "\\";
        ::CreateDirectoryA((folder + "sub").c_str(), nullptr);
        from = Utc(2001, 6, 1, 0, 0, 0, 0);
        to = Utc(2001, 6, 30, 23, 59, 59, 999);
        Touch(folder + "chair_from.jpg", from);
        Touch(folder + "chair_to.BMP", to);
        Touch(folder + "chair_late.png", Utc(2001, 7, 1, 0, 0, 0, 0));
        Touch(folder + "chair_long.JPEG", from);
        Touch(folder + "chair.txt", from);
        Touch(folder + "table.tif", from);
        Touch(folder + "sub\\chair_sub.dxf", from);
    }
    void TearDown() override { RemoveFolder(folder); }
    std::vector<std::string> Run(const char* text, int* result = nullptr)
    {
        std::vector<std::string> found;
        CImageFileSearch search;
        search.m_strFileText = text;
        search.m_from = from;
        search.m_to = to;
        search.onFound = [&](const CString& dir, const WIN32_FIND_DATA& data, const char*) {
            found.push_back(std::string(dir.Mid(folder.size())) + data.cFileName);
        };
        const int r = search.Run(folder.c_str());
        if (result)
            *result = r;
        return found;
    }
    std::string folder;
    FILETIME from{}, to{};
};

TEST_F(ImageFileSearchTest, RangeEndsIncludedAndEndingsByTheirLastThreeCharacters)
{
    std::vector<std::string> found = Run("chair");
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{"chair_from.jpg", "chair_to.BMP", "sub\\chair_sub.dxf"}));
}

TEST_F(ImageFileSearchTest, EmptyTextListsEveryPictureFilesOfAFolderFirst)
{
    std::vector<std::string> found = Run("");
    ASSERT_EQ(found.size(), 4u);
    EXPECT_EQ(found.back(), "sub\\chair_sub.dxf");
}

TEST_F(ImageFileSearchTest, FolderLinkedIntoItselfEnds)
{
    const std::string link = folder + "sub\\loop";
    // The program targets systems older than links: the call is looked up.
    using CreateLink = BOOLEAN(WINAPI*)(LPCSTR, LPCSTR, DWORD);
    auto create = reinterpret_cast<CreateLink>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "CreateSymbolicLinkA")));
    if (!create || !create(link.c_str(), folder.c_str(), 1))
        GTEST_SKIP() << "no directory links here";
    int result = 0;
    std::vector<std::string> found = Run("chair", &result);
    ::RemoveDirectoryA(link.c_str());
    EXPECT_EQ(result, 1);
    EXPECT_EQ(found.size(), 3u);
}

TEST_F(ImageFileSearchTest, CancelEndsTheWalk)
{
    CImageFileSearch search;
    search.m_from = from;
    search.m_to = to;
    int polls = 0;
    search.isCancelled = [&] { return ++polls >= 1; };
    EXPECT_EQ(search.Run(folder.c_str()), 0);
    EXPECT_EQ(polls, 1);
}

}  // namespace
