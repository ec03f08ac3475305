// The catalogue's block in the cache file HISTORY.DAT: its category tree and the indexes of
// its tables, so that a known catalogue is not sorted again.
#include <cstring>
#include <set>

#include "yqByteStream.h"
#include "yqCatalog.h"

void yqCatalog::BuildBlock(std::vector<unsigned char>& block)
{
    yqByteWriter out(block);
    out.Write("TBL", 3);
    PruneItemNodes(m_pCategoryRoot);
    std::vector<unsigned char> tree;
    if (m_pCategoryRoot) {
        yqByteWriter treeOut(tree);
        m_pCategoryRoot->StorePacked(treeOut);
    }
    out.WriteInt32(static_cast<int32_t>(tree.size()));
    out.Write(tree.data(), tree.size());
    for (const yqTable* table : m_tables) {
        out.Write(static_cast<const char*>(table->GetName()), table->GetName().GetLength() + 1);
        out.WriteInt32(table->GetIndexesPackedSize());
        table->PackIndexes(out);
    }
}

int yqCatalog::SaveToCache(const char* file, int& offset, int& size)
{
    std::vector<unsigned char> block;
    BuildBlock(block);

    // The block this catalogue came from or last went to, when it still holds the same
    // bytes, serves again: the file does not grow with every store of an unchanged catalogue.
    if (m_nCacheOffset >= 0 && m_strCacheFile == file && static_cast<size_t>(m_nCacheSize) == block.size()) {
        std::vector<unsigned char> stored;
        if (yqReadFileRange(file, static_cast<uint32_t>(m_nCacheOffset), static_cast<uint32_t>(m_nCacheSize), stored) &&
            stored == block) {
            offset = m_nCacheOffset;
            size = m_nCacheSize;
            return 1;
        }
    }

    CFile out;
    if (!out.Open(yqFilePath(file), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite | CFile::shareDenyNone))
        return 0;
    DWORD start = 0;
    try {
        start = out.SeekToEnd();
        if (start > 0x7FFFFFFFu - block.size()) {
            out.Close();
            return 0;
        }
        out.Write(block.data(), static_cast<UINT>(block.size()));
        out.Close();
    } catch (CException* e) {
        e->Delete();
        // Take a partly written block off the end again.
        try {
            out.SetLength(start);
        } catch (CException* e2) {
            e2->Delete();
        }
        out.Abort();
        return 0;
    }
    offset = static_cast<int>(start);
    size = static_cast<int>(block.size());
    m_strCacheFile = file;
    m_nCacheOffset = offset;
    m_nCacheSize = size;
    return 1;
}

int yqCatalog::LoadFromCache(const char* root, const char* file, int offset, int size)
{
    if (offset < 0)
        offset = 0;
    if (size < 7)
        return 0;
    std::vector<unsigned char> block;
    if (!yqReadFileRange(file, static_cast<uint32_t>(offset), static_cast<uint32_t>(size), block))
        return 0;
    if (block.size() < 3 || std::memcmp(block.data(), "TBL", 3) != 0)
        return 0;

    Clear();
    SetRoot(root ? root : "");
    yqByteReader in(block.data(), block.size());
    in.Skip(3);

    auto fail = [this] {
        Clear();
        return 0;
    };

    int32_t treeSize;
    if (!in.ReadInt32(treeSize) || treeSize < 0 || static_cast<size_t>(treeSize) > in.GetRemaining())
        return fail();
    m_pCategoryRoot = new yqCategory;
    yqByteReader treeIn(in.GetCurrent(), static_cast<size_t>(treeSize));
    if (!m_pCategoryRoot->LoadPacked(treeIn) || !treeIn.AtEnd())
        return fail();
    in.Skip(static_cast<size_t>(treeSize));

    LoadTables();

    std::set<yqTable*> restored;
    while (!in.AtEnd()) {
        char name[8];
        int32_t indexSize;
        if (!in.Read(name, 8) || name[7] != 0 || !in.ReadInt32(indexSize) || indexSize < 0 ||
            static_cast<size_t>(indexSize) > in.GetRemaining())
            return fail();
        yqByteReader indexIn(in.GetCurrent(), static_cast<size_t>(indexSize));
        in.Skip(static_cast<size_t>(indexSize));
        yqTable* table = nullptr;
        for (yqTable* t : m_tables)
            if (t->GetName() == name)
                table = t;
        if (!table)
            continue;  // a table that no longer loads
        int before = table->GetIndexCount();
        if (restored.count(table) || !table->UnpackIndexes(indexIn) || !indexIn.AtEnd())
            return fail();
        restored.insert(table);
        // The rows must still stand in index order: a table file changed since the block was
        // written shows here, at the cost of one pass instead of a sort.
        for (int i = before; i < table->GetIndexCount(); ++i) {
            yqIndex* index = table->GetIndex(i);
            yqCompareProc compare = FindComparator(name, index->GetCode1(), index->GetCode2());
            if (compare && !index->IsOrdered(compare))
                return fail();
        }
    }
    // A table without stored indexes (it did not load when the block was written) cannot be
    // searched: read the catalogue from its tables instead.
    if (restored.size() != m_tables.size())
        return fail();

    m_strCacheFile = file;
    m_nCacheOffset = offset;
    m_nCacheSize = static_cast<int>(block.size());
    return 1;
}
