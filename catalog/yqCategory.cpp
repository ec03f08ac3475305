#include "yqCategory.h"

#include "yqByteStream.h"

yqCategory::~yqCategory()
{
    RemoveChildren();
}

void yqCategory::RemoveChildren()
{
    for (yqCategory* child : m_children)
        delete child;
    m_children.clear();
    m_nChildCount = 0;
}

void yqCategory::AppendChild(yqCategory* child)
{
    m_children.push_back(child);
    m_nChildCount = static_cast<int>(m_children.size());
}

yqCategory* yqCategory::FindContaining(double low, double high)
{
    if (!(m_dLow <= low && m_dHigh >= high))
        return nullptr;
    yqCategory* node = this;
    for (;;) {
        yqCategory* next = nullptr;
        for (yqCategory* child : node->m_children) {
            if (child->m_dLow <= low && child->m_dHigh >= high) {
                next = child;
                break;
            }
        }
        if (!next)
            return node;
        node = next;
    }
}

int yqCategory::GetPackedSize() const
{
    int size = 44 + m_strName.GetLength() + m_strPath.GetLength();
    for (const yqCategory* child : m_children)
        size += child->GetPackedSize();
    return size;
}

void yqCategory::StorePacked(yqByteWriter& out) const
{
    out.WriteInt32(m_strName.GetLength());
    out.Write(static_cast<const char*>(m_strName), m_strName.GetLength());
    out.WriteInt32(m_strPath.GetLength());
    out.Write(static_cast<const char*>(m_strPath), m_strPath.GetLength());
    out.WriteDouble(m_dOrder);
    out.WriteDouble(m_dLow);
    out.WriteDouble(m_dHigh);
    out.WriteInt32(m_nId);
    out.WriteInt32(m_nKind);
    out.WriteInt32(static_cast<int32_t>(m_children.size()));
    for (const yqCategory* child : m_children)
        child->StorePacked(out);
}

namespace {

bool ReadText(yqByteReader& in, CString& text)
{
    int32_t length;
    if (!in.ReadInt32(length) || length < 0 || static_cast<size_t>(length) > in.GetRemaining())
        return false;
    text = CString(reinterpret_cast<const char*>(in.GetCurrent()), length);
    in.Skip(length);
    return true;
}

}  // namespace

bool yqCategory::LoadPacked(yqByteReader& in, int depth)
{
    int32_t count;
    if (depth >= kMaxDepth || !ReadText(in, m_strName) || !ReadText(in, m_strPath) || !in.ReadDouble(m_dOrder) ||
        !in.ReadDouble(m_dLow) || !in.ReadDouble(m_dHigh) || !in.ReadInt32(m_nId) || !in.ReadInt32(m_nKind) ||
        !in.ReadInt32(count))
        return false;
    // Every child takes at least 44 bytes.
    if (count < 0 || static_cast<size_t>(count) > in.GetRemaining() / 44)
        return false;
    for (int32_t i = 0; i < count; ++i) {
        yqCategory* child = new yqCategory;
        AppendChild(child);
        if (!child->LoadPacked(in, depth + 1))
            return false;
    }
    return true;
}
