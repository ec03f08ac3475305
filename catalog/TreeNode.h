// A node of the browser's folder and catalogue tree, kept apart from the tree control: its
// state, kind bits, attached object and children. The control's item only points back here.
#pragma once

#include <afx.h>

#include <vector>

struct _TREEITEM;
class yqCategory;
class yqItem;
class CSearchCondition;
class CImageSearch;
class CFileInfoRecord;

class CTreeNode {
public:
    // Low byte of the flags.
    enum State {
        kPlaceholder = 1,     // the lazy child "dummy"
        kHasChildren = 2,     // the last child inserted is an ordinary node
        kUnfilled = 3,        // the last child inserted is a placeholder
        kItem = 4,            // an item or file node
        kFilled = 5,          // the last child inserted is an item or file
        kMessage = 6,         // a message row
        kMessageOnly = 7,     // the last child inserted is a message row
    };
    // Second byte of the flags.
    enum Kind {
        kDrive = 0x100,
        kShell = 0x200,
        kFolder = 0x400,
        kCatalogFolder = 0x800,
        kKindMask = 0xFF00,
    };
    // What the attached object is; the node never owns it.
    enum ObjectKind { kNone, kCategory, kCondition, kImageSearch, kItemObject, kRecord };

    CTreeNode(const char* text, int image, int selectedImage, unsigned flags, const char* path);
    ~CTreeNode();
    CTreeNode(const CTreeNode&) = delete;
    CTreeNode& operator=(const CTreeNode&) = delete;

    int GetState() const { return static_cast<int>(m_nFlags & 0xFF); }
    unsigned GetKind() const { return m_nFlags & kKindMask; }
    bool HasKind(unsigned kind) const { return (m_nFlags & kind) != 0; }
    void SetState(int state) { m_nFlags = (m_nFlags & ~0xFFu) | static_cast<unsigned>(state & 0xFF); }

    CTreeNode* GetParent() const { return m_pParent; }
    CTreeNode* GetChild(int index) const;
    int GetChildCount() const { return static_cast<int>(m_children.size()); }
    bool HasPath() const { return !m_strPath.IsEmpty(); }

    // Appends a child and sets this node's state from it: 1 gives 3, 4 gives 5, 6 gives 7,
    // anything else 2; the kind bits stay.
    void AddChild(CTreeNode* child);
    // Takes the child out (not freed) and sets the state from the first child left: 6 gives
    // 7, 4 gives 5, else 2. With no child left the state is 2, or 4 when `emptyIsItem`.
    void RemoveChild(CTreeNode* child, bool emptyIsItem);
    // Frees every child with its subtree.
    void DeleteChildren();
    // Calls `visit` for this node and every descendant, parents first.
    template <class F> void ForEach(F&& visit)
    {
        visit(this);
        for (CTreeNode* child : m_children)
            child->ForEach(visit);
    }

    void Attach(ObjectKind kind, void* object)
    {
        m_nObjectKind = kind;
        m_pObject = object;
    }
    yqCategory* GetCategory() const { return Get<yqCategory>(kCategory); }
    CSearchCondition* GetCondition() const { return Get<CSearchCondition>(kCondition); }
    CImageSearch* GetImageSearch() const { return Get<CImageSearch>(kImageSearch); }
    yqItem* GetItem() const { return Get<yqItem>(kItemObject); }
    CFileInfoRecord* GetRecord() const { return Get<CFileInfoRecord>(kRecord); }
    ObjectKind GetObjectKind() const { return m_nObjectKind; }
    void* GetObject() const { return m_pObject; }

    // The first ancestor (or the node itself) that is a catalogue folder, else the topmost.
    static CTreeNode* GetTopNode(CTreeNode* node);
    // Sorted branches: the flags words ascending, then the texts.
    static int CompareTreeNodes(const CTreeNode* a, const CTreeNode* b);

    unsigned m_nFlags;
    CString m_strText;
    _TREEITEM* m_hItem = nullptr;
    int m_nImage;
    int m_nSelectedImage;
    CString m_strPath;
    std::vector<CTreeNode*> m_children;  // owned

private:
    template <class T> T* Get(ObjectKind kind) const
    {
        return m_nObjectKind == kind ? static_cast<T*>(m_pObject) : nullptr;
    }
    CTreeNode* m_pParent = nullptr;
    ObjectKind m_nObjectKind = kNone;
    void* m_pObject = nullptr;
};
