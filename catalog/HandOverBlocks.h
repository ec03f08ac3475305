// The bytes the browser hands to the board designer: the shell's file list (CF_HDROP) and the
// private "VendaroExplorer" run of item records. Pure, so both builds test the exact bytes.
#pragma once

#include <afx.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class yqItem;

// The head of a CF_HDROP block: file-list offset 20, drop point 0, 0, not client area, ANSI.
struct HDropHead {
    uint32_t pFiles;
    int32_t x, y;
    int32_t fNC;
    int32_t fWide;
};
static_assert(sizeof(HDropHead) == 20, "CF_HDROP head");

// Six strings, each with its NUL: picture path, key, number, name, caption, info text.
void AppendCatalogItemBlock(std::string& out, const yqItem& item);
// A plain picture file as a record: its path, its NUL and five empty strings.
void AppendPlainFileBlock(std::string& out, const char* path);
// A CF_HDROP block with the paths, each with its NUL, and the closing NUL.
std::string BuildHDropBlock(const std::vector<CString>& paths);

// The blocks of one drag while it is being assembled.
class CPendingDrag {
public:
    void AddFilePath(const char* path);
    void AddItem(const yqItem& item);
    bool HasPrivate() const { return m_pPrivate != nullptr; }
    bool HasHDrop() const { return m_pHDrop != nullptr; }
    // Closes the blocks (one more NUL each) and hands them over; nothing stays pending.
    // False when nothing was added: then no drag is to start.
    bool Take(std::string& privateBlock, bool& hasPrivate, std::string& hdrop);

private:
    std::unique_ptr<std::string> m_pPrivate;
    std::unique_ptr<std::string> m_pHDrop;
};
