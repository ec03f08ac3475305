// Entries with Japanese names: 0x5C splits a name only where it starts a character, so an
// archive unpacks exactly its files, whatever header level holds the names.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "UnlhaArchive.h"

namespace {

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every file and folder below the folder, as relative names with '\', sorted.
void List(const std::string& base, const std::string& relative, std::vector<std::string>* out)
{
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((base + "\\" + relative + "*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = fd.cFileName;
        if (name == "." || name == "..")
            continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            out->push_back(relative + name + "\\");
            List(base, relative + name + "\\", out);
        } else {
            out->push_back(relative + name);
        }
    } while (FindNextFileA(h, &fd));
    FindClose(h);
}

void RemoveTree(const std::string& folder)
{
    std::vector<std::string> names;
    List(folder, "", &names);
    std::sort(names.rbegin(), names.rend());
    for (const std::string& n : names)
        n.back() == '\\' ? RemoveDirectoryA((folder + "\\" + n).c_str()) : DeleteFileA((folder + "\\" + n).c_str());
    RemoveDirectoryA(folder.c_str());
}

} // namespace

TEST(UnlhaJapaneseNames, ArchivesOfEveryHeaderLevelUnpackExactlyTheirFiles)
{
    for (const char* archive : {"sjis0.lzh", "sjis1.lzh", "sjis2.lzh"}) {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        const std::string folder = std::string(temp) + "unlha_sjis_" + archive;
        RemoveTree(folder);
        CreateDirectoryA(folder.c_str(), nullptr);
        std::string message;
        ASSERT_EQ(UnlhaExtract(std::string(QVZ_SJIS_FIXTURES) + "\\" + archive, folder, message), UNLHA_OK)
            << archive << ": " << message;
        std::vector<std::string> names;
        List(folder, "", &names);
        std::sort(names.begin(), names.end());
        std::vector<std::string> expected = {"plain.txt", "ソ.txt", "表.bmp", "表\\", "表\\能.txt"};
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(expected, names) << archive;
        EXPECT_EQ("hyou bmp", Slurp(folder + "\\表.bmp")) << archive;
        EXPECT_EQ("so text", Slurp(folder + "\\ソ.txt")) << archive;
        EXPECT_EQ("nou in hyou", Slurp(folder + "\\表\\能.txt")) << archive;
        RemoveTree(folder);
    }
}

TEST(UnlhaJapaneseNames, ContainmentLooksAtWholeCharacters)
{
    const struct {
        const char* name;
        bool contained;
    } cases[] = {
        {"表..", true},           // 表 ends in 0x5C: no ".." part follows it
        {"表\\能.txt", true},
        {"ソ\\..\\x", false},
        {"..\\表.bmp", false},
        {"表\\..", false},
        {"\\表", false},
        {"表:x", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.contained, UnlhaIsContainedName(c.name)) << c.name;
}
