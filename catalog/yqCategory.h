// A node of a catalogue's category tree: a category with its number range, or an item node
// that the tree view hangs under one.
#pragma once

#include <afx.h>

#include <vector>

class yqByteReader;
class yqByteWriter;

class yqCategory : public CObject {
public:
    enum { kCategory = 1 };   // kinds 2 to 5 are item nodes
    enum { kMaxDepth = 256 }; // deeper trees are refused when read

    yqCategory() = default;
    ~yqCategory() override;
    void Dump(CDumpContext& dc) const override {}

    // The node that [low, high] hangs under: the deepest node down the first containing
    // child at each level; NULL when this node does not contain the range.
    yqCategory* FindContaining(double low, double high);

    int GetPackedSize() const;
    void StorePacked(yqByteWriter& out) const;
    // Reads this node and its subtree; false when the packed form is damaged (the node
    // keeps whatever was read and must be deleted or emptied by the caller).
    bool LoadPacked(yqByteReader& in, int depth = 0);

    void AppendChild(yqCategory* child);
    void RemoveChildren();
    int GetChildCount() const { return m_nChildCount; }
    yqCategory* GetChild(int i) const { return m_children[i]; }

    CString m_strName;
    CString m_strPath;
    double m_dOrder = 0;
    double m_dLow = 0;
    double m_dHigh = 0;
    int m_nId = -1;
    int m_nKind = kCategory;
    std::vector<yqCategory*> m_children;  // owned
    int m_nChildCount = 0;
};
