#include "TreeNode.h"

#include <algorithm>
#include <cstring>

CTreeNode::CTreeNode(const char* text, int image, int selectedImage, unsigned flags, const char* path)
    : m_nFlags(flags), m_strText(text ? text : ""), m_nImage(image), m_nSelectedImage(selectedImage),
      m_strPath(path ? path : "")
{
}

CTreeNode::~CTreeNode() { DeleteChildren(); }

CTreeNode* CTreeNode::GetChild(int index) const
{
    return index >= 0 && index < GetChildCount() ? m_children[static_cast<size_t>(index)] : nullptr;
}

void CTreeNode::AddChild(CTreeNode* child)
{
    child->m_pParent = this;
    m_children.push_back(child);
    switch (child->GetState()) {
    case kPlaceholder: SetState(kUnfilled); break;
    case kItem: SetState(kFilled); break;
    case kMessage: SetState(kMessageOnly); break;
    default: SetState(kHasChildren); break;
    }
}

void CTreeNode::RemoveChild(CTreeNode* child, bool emptyIsItem)
{
    auto it = std::find(m_children.begin(), m_children.end(), child);
    if (it == m_children.end())
        return;
    m_children.erase(it);
    child->m_pParent = nullptr;
    if (m_children.empty()) {
        SetState(emptyIsItem ? kItem : kHasChildren);
        return;
    }
    switch (m_children.front()->GetState()) {
    case kMessage: SetState(kMessageOnly); break;
    case kItem: SetState(kFilled); break;
    default: SetState(kHasChildren); break;
    }
}

void CTreeNode::DeleteChildren()
{
    for (CTreeNode* child : m_children)
        delete child;
    m_children.clear();
}

CTreeNode* CTreeNode::GetTopNode(CTreeNode* node)
{
    if (!node)
        return nullptr;
    while (!node->HasKind(kCatalogFolder) && node->m_pParent)
        node = node->m_pParent;
    return node;
}

int CTreeNode::CompareTreeNodes(const CTreeNode* a, const CTreeNode* b)
{
    if (a->m_nFlags != b->m_nFlags)
        return a->m_nFlags < b->m_nFlags ? -1 : 1;
    // Byte order of Shift-JIS texts, as the multibyte comparison orders them.
    return std::strcmp(a->m_strText, b->m_strText);
}
