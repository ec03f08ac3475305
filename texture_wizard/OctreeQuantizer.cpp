#include "OctreeQuantizer.h"

#include "DibFunctions.h"

#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

struct OctreeNode
{
    bool leaf;
    // 64-bit totals: a leaf may absorb every pixel of a large picture.
    uint64_t pixelCount;
    uint64_t redSum;
    uint64_t greenSum;
    uint64_t blueSum;
    OctreeNode* children[8];
    OctreeNode* nextReducible;
};

class COctree
{
public:
    ~COctree() { Free(m_pRoot); }

    // FALSE when a node cannot be allocated.
    bool Insert(BYTE red, BYTE green, BYTE blue)
    {
        OctreeNode** slot = &m_pRoot;
        for (int level = 0;; ++level) {
            if (*slot == NULL && (*slot = NewNode(level)) == NULL)
                return false;
            OctreeNode* node = *slot;
            if (node->leaf) {
                node->pixelCount += 1;
                node->redSum += red;
                node->greenSum += green;
                node->blueSum += blue;
                return true;
            }
            const int shift = 7 - level;
            const int child = (((red >> shift) & 1) << 2) | (((green >> shift) & 1) << 1) | ((blue >> shift) & 1);
            slot = &node->children[child];
        }
    }

    bool Reduce()
    {
        int level = 7;
        while (level > 0 && m_pReducible[level] == NULL)
            --level;
        OctreeNode* node = m_pReducible[level];
        if (node == NULL)
            return false;
        m_pReducible[level] = node->nextReducible;
        int merged = 0;
        for (OctreeNode*& child : node->children) {
            if (child == NULL)
                continue;
            node->pixelCount += child->pixelCount;
            node->redSum += child->redSum;
            node->greenSum += child->greenSum;
            node->blueSum += child->blueSum;
            Free(child);
            child = NULL;
            ++merged;
        }
        node->leaf = true;
        m_nLeaves += 1 - merged;
        return true;
    }

    int Leaves() const { return m_nLeaves; }

    void Fill(RGBQUAD* palette, int& index) const { Fill(m_pRoot, palette, index); }

private:
    OctreeNode* NewNode(int level)
    {
        OctreeNode* node = new (std::nothrow) OctreeNode();
        if (node == NULL)
            return NULL;
        if (level == 8) {
            node->leaf = true;
            ++m_nLeaves;
        } else {
            node->nextReducible = m_pReducible[level];
            m_pReducible[level] = node;
        }
        return node;
    }

    static void Free(OctreeNode* node)
    {
        if (node == NULL)
            return;
        for (OctreeNode* child : node->children)
            Free(child);
        delete node;
    }

    static void Fill(const OctreeNode* node, RGBQUAD* palette, int& index)
    {
        if (node == NULL)
            return;
        if (node->leaf) {
            RGBQUAD& entry = palette[index++];
            entry.rgbRed = static_cast<BYTE>(node->redSum / node->pixelCount);
            entry.rgbGreen = static_cast<BYTE>(node->greenSum / node->pixelCount);
            entry.rgbBlue = static_cast<BYTE>(node->blueSum / node->pixelCount);
            entry.rgbReserved = 0;
            return;
        }
        for (const OctreeNode* child : node->children)
            Fill(child, palette, index);
    }

    OctreeNode* m_pRoot = NULL;
    OctreeNode* m_pReducible[8] = {};
    int m_nLeaves = 0;
};

} // namespace

int QuantizeOctree(const BITMAPINFOHEADER* info, const BYTE* bits, RGBQUAD** palette, int maxColours)
{
    *palette = NULL;
    if (info == NULL || bits == NULL || maxColours < 1)
        return 0;
    const LONG width = info->biWidth, height = info->biHeight;
    const DWORD stride = DibStride24(width);
    if (DibBytes24(width, height) == 0)
        return 0;

    COctree tree;
    for (LONG y = 0; y < height; ++y) {
        const BYTE* row = bits + static_cast<size_t>(stride) * static_cast<size_t>(y);
        for (LONG x = 0; x < width; ++x) {
            if (!tree.Insert(row[3 * x + 2], row[3 * x + 1], row[3 * x]))
                return 0;
            while (tree.Leaves() > maxColours && tree.Reduce()) {
            }
        }
    }
    const int count = tree.Leaves();
    RGBQUAD* block = static_cast<RGBQUAD*>(malloc(sizeof(RGBQUAD) * static_cast<size_t>(count)));
    if (block == NULL)
        return 0;
    int index = 0;
    tree.Fill(block, index);
    *palette = block;
    return count;
}
