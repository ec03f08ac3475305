#include "HandOverBlocks.h"

#include <cstring>

#include "yqItem.h"

namespace {

void AppendString(std::string& out, const char* s)
{
    if (s)
        out.append(s);
    out.push_back('\0');
}

std::string HDropHeadBytes()
{
    HDropHead head{20, 0, 0, 0, 0};
    return std::string(reinterpret_cast<const char*>(&head), sizeof head);
}

}  // namespace

void AppendCatalogItemBlock(std::string& out, const yqItem& item)
{
    AppendString(out, item.m_strPicturePath);
    AppendString(out, item.m_pszKey);
    AppendString(out, item.m_pszNumber);
    AppendString(out, item.m_pszName);
    AppendString(out, item.m_pszCaption);
    AppendString(out, item.m_strInfo);
}

void AppendPlainFileBlock(std::string& out, const char* path)
{
    AppendString(out, path);
    out.append(5, '\0');
}

std::string BuildHDropBlock(const std::vector<CString>& paths)
{
    std::string out = HDropHeadBytes();
    for (const CString& p : paths)
        AppendString(out, p);
    out.push_back('\0');
    return out;
}

void CPendingDrag::AddFilePath(const char* path)
{
    if (!m_pHDrop)
        m_pHDrop = std::make_unique<std::string>(HDropHeadBytes());
    AppendString(*m_pHDrop, path);
}

void CPendingDrag::AddItem(const yqItem& item)
{
    if (!m_pPrivate && !m_pHDrop) {
        m_pPrivate = std::make_unique<std::string>();
        m_pHDrop = std::make_unique<std::string>(HDropHeadBytes());
    } else if (!m_pPrivate) {
        // A drag holds one kind of row; an item after files still gets its record.
        m_pPrivate = std::make_unique<std::string>();
    }
    AppendCatalogItemBlock(*m_pPrivate, item);
    m_pPrivate->push_back('\0');
    AppendString(*m_pHDrop, item.m_strPicturePath);
}

bool CPendingDrag::Take(std::string& privateBlock, bool& hasPrivate, std::string& hdrop)
{
    hasPrivate = false;
    privateBlock.clear();
    hdrop.clear();
    if (!m_pHDrop) {
        m_pPrivate.reset();
        return false;
    }
    if (m_pPrivate) {
        m_pPrivate->push_back('\0');
        privateBlock = std::move(*m_pPrivate);
        hasPrivate = true;
        m_pPrivate.reset();
    }
    m_pHDrop->push_back('\0');
    hdrop = std::move(*m_pHDrop);
    m_pHDrop.reset();
    return true;
}
