// Callers import the two operations from zolv.dll by ordinal.
#include "zolv.h"
#include "ZolvFiles.h"

#include <gtest/gtest.h>
#include <windows.h>

TEST(ZolvDll, OrdinalsCompressAndExpand)
{
    HMODULE dll = LoadLibraryA("zolv.dll");
    ASSERT_NE(dll, nullptr);
    auto compress = reinterpret_cast<ZOLVPROC>(GetProcAddress(dll, MAKEINTRESOURCEA(ZOLV_ORDINAL_COMPRESS)));
    auto expand = reinterpret_cast<ZOLVPROC>(GetProcAddress(dll, MAKEINTRESOURCEA(ZOLV_ORDINAL_EXPAND)));
    ASSERT_NE(compress, nullptr);
    ASSERT_NE(expand, nullptr);

    const auto data = MakePicture(640, 480);
    WriteAll("zolvdll_src", data);
    remove("zolvdll_packed");
    remove("zolvdll_back");
    EXPECT_EQ(compress("zolvdll_src", "zolvdll_packed"), 1);
    EXPECT_EQ(expand("zolvdll_packed", "zolvdll_back"), 1);
    EXPECT_TRUE(ReadAll("zolvdll_back") == data);
    for (const char* f : {"zolvdll_src", "zolvdll_packed", "zolvdll_back"})
        remove(f);
    FreeLibrary(dll);
}
