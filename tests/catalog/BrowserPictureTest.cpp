// The picture-library calls the browser's hand-over makes (a picture object from a path, the
// picture on the clipboard), tried on the endings the browser shows.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "CatalogFixture.h"
#include "HandOver.h"
#include "HandOverBlocks.h"
#include "VendaroExplorerApp.h"
#include "pictal/MetafileFixtures.h"
#include "pictal/RasterFixtures.h"

namespace {

void Write(const std::string& path, const fixtures::Bytes& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

TEST(BrowserPictures, EveryShownEndingGoesToTheClipboardWithItsFileList)
{
    const std::string folder = catalogtest::MakeTempFolder("endings");
    const std::string dxf = std::string(getenv("QVZ_SOURCE_DIR") ? getenv("QVZ_SOURCE_DIR") : "") +
                            "/tests/pictal/fixtures/plan.dxf";
    struct Case { const char* name; fixtures::Bytes bytes; } cases[] = {
        {"A.BMP", fixtures::MakeBmp(fixtures::kInfo, 6, 4, 24)},
        {"A.PNG", fixtures::MakePng(6, 4, 3780)},
        {"A.TIF", fixtures::MakeTiff(6, 4, 96)},
        {"A.EMF", fixtures::MakeTinyEmf(2540, 1270)},
    };
    std::vector<std::string> paths;
    for (const Case& c : cases) {
        Write(folder + "/" + c.name, c.bytes);
        paths.push_back(catalogtest::CatalogPath(folder + "/" + c.name));
    }
    if (std::filesystem::exists(dxf)) {
        std::filesystem::copy_file(dxf, folder + "/A.DXF");
        paths.push_back(catalogtest::CatalogPath(folder + "/A.DXF"));
    }
    CWnd window;
    window.CreateEx(0, AfxRegisterWndClass(0), "pictures", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0);
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        ASSERT_TRUE(::OpenClipboard(window.GetSafeHwnd()));
        ::EmptyClipboard();
        EXPECT_TRUE(SetClipboardHDrop(path.c_str()));
        ::CloseClipboard();
        ASSERT_TRUE(::OpenClipboard(window.GetSafeHwnd()));
        EXPECT_TRUE(::IsClipboardFormatAvailable(CF_HDROP));
        EXPECT_TRUE(::IsClipboardFormatAvailable(CF_DIB) || ::IsClipboardFormatAvailable(CF_BITMAP) ||
                    ::IsClipboardFormatAvailable(CF_ENHMETAFILE) || ::IsClipboardFormatAvailable(CF_METAFILEPICT));
        ::CloseClipboard();
    }
    window.DestroyWindow();
    catalogtest::RemoveFolder(folder);
}

}  // namespace
