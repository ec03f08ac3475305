#include "yqCatalog.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "yqRecordset.h"
#include "yqText.h"

namespace {

const char* const kTableNames[] = {"TABLE01", "TABLE02", "TABLE03", "TABLE04", "TABLE05", "TABLE06", "TABLE07",
                                   "TABLE08", "TABLE09", "TABLE10", "TABLE15", "TABLE16", "TABLE17"};

// The indexes of each table, in the order they are added. Set keywords are looked up by
// set key, so TABLE06 is indexed on 0000 + 0300.
struct IndexSpec {
    const char* table;
    const char* code1;
    const char* code2;
    yqCompareProc compare;
};
const IndexSpec kIndexSpecs[] = {
    {"TABLE01", "0000", "0001", yqCompareText},  {"TABLE01", "0001", nullptr, yqCompareText},
    {"TABLE01", "0002", nullptr, yqCompareText}, {"TABLE02", "0100", nullptr, yqCompareText},
    {"TABLE03", "0200", nullptr, yqCompareText}, {"TABLE04", "0000", "0300", yqCompareText},
    {"TABLE05", "0000", "0001", yqCompareKeyword}, {"TABLE05", "0400", nullptr, yqCompareText},
    {"TABLE06", "0000", "0300", yqCompareText},  {"TABLE06", "0500", nullptr, yqCompareText},
    {"TABLE07", "0000", "0001", yqCompareText},  {"TABLE08", "0000", "0001", yqCompareText},
    {"TABLE09", "0000", "0300", yqCompareText},  {"TABLE10", "0000", "0300", yqCompareText},
    {"TABLE16", "0D00", nullptr, yqCompareNumber}, {"TABLE17", "0E00", nullptr, yqCompareNumber},
};

bool HasText(const char* text) { return text && *text; }

bool Equals(const char* a, const char* b) { return a && b && std::strcmp(a, b) == 0; }

// The first row whose code equals the key exactly, or NULL.
const yqRecord* FindFirst(yqTable* table, const char* code, const char* key)
{
    if (!table || !key)
        return nullptr;
    yqRecordset* hits = table->Search(code, key, yqTable::kExact);
    if (!hits)
        return nullptr;
    const yqRecord* row = hits->GetRecordAt(0);
    delete hits;
    return row;
}

const yqRecord* FindFirstPair(yqTable* table, const char* code2, const char* key, const char* number)
{
    if (!table)
        return nullptr;
    yqRecordset* hits = table->FindByKeyPair("0000", code2, key, number);
    if (!hits)
        return nullptr;
    const yqRecord* row = hits->GetRecordAt(0);
    delete hits;
    return row;
}

double ReadDecimal(const yqRecord* row, const char* code)
{
    const char* text = row->GetFieldText(code);
    return text ? std::strtod(text, nullptr) : 0;
}

}  // namespace

// How one item type finds its pictures.
struct yqCatalog::PictureSpec {
    int linkTable;
    const char* numberCode;
    const char* roleCode;
    const char* mainRole;
    int pictureTable;
    const char* keyCode;
    const char* pathCode;
    const char* captionCode;
    const char* commentCode;
    const char* formatCode;
    int kind;
};

yqCatalog::yqCatalog(const char* root)
{
    Load(root);
}

yqCatalog::~yqCatalog()
{
    Clear();
}

void yqCatalog::Clear()
{
    for (yqItem* item : m_productItems)
        delete item;
    m_productItems.clear();
    for (yqItem* item : m_setItems)
        delete item;
    m_setItems.clear();
    for (yqTable* table : m_tables)
        delete table;
    m_tables.clear();
    delete m_pCategoryRoot;
    m_pCategoryRoot = nullptr;
    delete m_pHeader;
    m_pHeader = nullptr;
    m_schema.Clear();
    m_strId.Empty();
    m_strTitle.Empty();
    m_strCacheFile.Empty();
    m_nCacheOffset = -1;
    m_nCacheSize = 0;
}

void yqCatalog::SetRoot(const char* root)
{
    m_strRoot = root;
    // The last character, not the last byte: a kanji's trail byte can be 0x5C.
    const char* start = m_strRoot;
    const char* last = m_strRoot.IsEmpty() ? nullptr : AfxCharPrev(start, start + m_strRoot.GetLength());
    if (!last || *last != '\\' || last + 1 != start + m_strRoot.GetLength())
        m_strRoot += "\\";
}

void yqCatalog::LoadTables()
{
    CString base = m_strRoot + "DISTRIB\\";
    for (const char* name : kTableNames) {
        yqTable* table = new yqTable(name);
        if (table->Load(base + name, &m_schema))
            m_tables.push_back(table);
        else
            delete table;
    }
}

int yqCatalog::Load(const char* root)
{
    Clear();
    if (!root || !*root)
        return 0;
    SetRoot(root);
    CString base = m_strRoot + "DISTRIB\\";
    if (!m_schema.ReadFile(base + "DRB")) {
        m_schema.Clear();
        return 0;
    }

    // Without its header file the catalogue has no ID, which callers take as not loaded.
    yqHeaderRecord* header = new yqHeaderRecord;
    if (header->ReadFile(base + m_schema.GetHeaderFileName())) {
        m_pHeader = header;
        m_strTitle = header->m_szTitle;
    } else {
        delete header;
    }

    LoadTables();
    for (yqTable* table : m_tables) {
        for (const IndexSpec& spec : kIndexSpecs)
            if (table->GetName() == spec.table)
                table->AddIndex(spec.code1, spec.code2, spec.compare);
        table->BuildIndexes();
    }

    if (m_pHeader)
        m_strId = m_pHeader->m_szId;
    m_schema.m_pHeader = m_pHeader;

    m_pCategoryRoot = new yqCategory;
    m_pCategoryRoot->m_strName = " ";
    m_pCategoryRoot->m_strPath = m_strRoot;
    m_pCategoryRoot->m_dHigh = 4294967295.0;
    BuildCategoryTree(GetTable(15), m_pCategoryRoot);
    return 1;
}

yqCompareProc yqCatalog::FindComparator(const char* table, const char* code1, const char* code2)
{
    for (const IndexSpec& spec : kIndexSpecs)
        if (std::strcmp(spec.table, table) == 0 && std::strcmp(spec.code1, code1) == 0 &&
            std::strcmp(spec.code2 ? spec.code2 : "", code2 ? code2 : "") == 0)
            return spec.compare;
    return nullptr;
}

yqTable* yqCatalog::GetTable(int n) const
{
    char name[16];
    std::snprintf(name, sizeof name, "TABLE%02d", n);
    for (yqTable* table : m_tables)
        if (table->GetName() == name)
            return table;
    return nullptr;
}

// ---------------------------------------------------------------------------------------
// Category tree

int yqCatalog::BuildCategoryTree(yqTable* categories, yqCategory* root)
{
    if (!categories || !root)
        return 0;
    std::vector<yqRecord*> rows = categories->m_rowList.m_rows;
    std::sort(rows.begin(), rows.end(),
              [](const yqRecord* a, const yqRecord* b) { return yqCompareCategory(a, b, "0C01", nullptr) < 0; });
    for (size_t i = 0; i < rows.size(); ++i) {
        const yqRecord* row = rows[i];
        const char* name = row->GetFieldText("0C00");
        if (!HasText(name))
            continue;
        yqCategory* node = new yqCategory;
        node->m_strName = name;
        node->m_strPath = m_strRoot;
        node->m_dOrder = ReadDecimal(row, "0C01");
        node->m_dLow = ReadDecimal(row, "0C02");
        node->m_dHigh = ReadDecimal(row, "0C03");
        node->m_nId = static_cast<int>(i);
        node->m_nKind = yqCategory::kCategory;

        // Descend as FindContaining does, but no deeper than a stored tree may be; a range
        // outside the root's hangs under the root.
        yqCategory* parent = root;
        for (int depth = 1; depth < yqCategory::kMaxDepth - 1; ++depth) {
            yqCategory* next = nullptr;
            for (yqCategory* child : parent->m_children) {
                if (child->m_dLow <= node->m_dLow && child->m_dHigh >= node->m_dHigh) {
                    next = child;
                    break;
                }
            }
            if (!next)
                break;
            parent = next;
        }
        AppendChildNode(parent, node);
    }
    return 1;
}

void yqCatalog::AppendChildNode(yqCategory* node, yqCategory* child)
{
    node->AppendChild(child);
}

void yqCatalog::PruneItemNodes(yqCategory* node)
{
    if (!node)
        return;
    auto& children = node->m_children;
    for (size_t i = 0; i < children.size();) {
        yqCategory* child = children[i];
        if (child->m_nKind >= 2 && child->m_nKind <= 5) {
            children.erase(children.begin() + i);
            delete child;
        } else {
            PruneItemNodes(child);
            ++i;
        }
    }
    node->m_nChildCount = static_cast<int>(children.size());
}

namespace {

yqCategory* FindById(yqCategory* node, int id)
{
    if (node->m_nId == id)
        return node;
    for (yqCategory* child : node->m_children)
        if (yqCategory* found = FindById(child, id))
            return found;
    return nullptr;
}

}  // namespace

yqCategory* yqCatalog::FindCategoryById(int id) const
{
    return m_pCategoryRoot ? FindById(m_pCategoryRoot, id) : nullptr;
}

// ---------------------------------------------------------------------------------------
// Items

int yqCatalog::FindItemSlot(const std::vector<yqItem*>& cache, const char* key, const char* number) const
{
    auto pos = std::lower_bound(cache.begin(), cache.end(), 0, [&](const yqItem* item, int) {
        return CompareKeyPair(item->m_pszKey, item->m_pszNumber, key, number) < 0;
    });
    return static_cast<int>(pos - cache.begin());
}

void yqCatalog::CacheItem(yqItem* item)
{
    std::vector<yqItem*>& cache = item->m_nKind == yqItem::kSetImage ? m_setItems : m_productItems;
    int slot = FindItemSlot(cache, item->m_pszKey, item->m_pszNumber);
    cache.insert(cache.begin() + slot, item);
}

yqItem* yqCatalog::FindCachedItem(const std::vector<yqItem*>& cache, const char* key, const char* number) const
{
    // The product cache also holds drawing items of the same key pair: only a main image
    // item answers a main image lookup.
    for (size_t i = FindItemSlot(cache, key, number); i < cache.size(); ++i) {
        yqItem* item = cache[i];
        if (!Equals(item->m_pszKey, key) || !Equals(item->m_pszNumber, number))
            break;
        if (item->m_nKind == yqItem::kProductImage || item->m_nKind == yqItem::kSetImage)
            return item;
    }
    return nullptr;
}

yqItem* yqCatalog::FindBuiltItem(const void* linkRow, int kind, const char* key, const char* number) const
{
    if (!key || !number)
        return nullptr;
    const std::vector<yqItem*>& cache = kind == yqItem::kSetImage ? m_setItems : m_productItems;
    for (size_t i = FindItemSlot(cache, key, number); i < cache.size(); ++i) {
        yqItem* item = cache[i];
        if (!Equals(item->m_pszKey, key) || !Equals(item->m_pszNumber, number))
            break;
        if (item->m_pLinkRow == linkRow && item->m_nKind == kind)
            return item;
    }
    return nullptr;
}

yqItem* yqCatalog::GetItem(const char* key, const char* number, int type)
{
    if (!GetTable(1) || !GetTable(2) || !key || !number)
        return nullptr;
    int linkTable;
    const char* numberCode;
    switch (type) {
    case kTypeProductImage:
        if (yqItem* item = FindCachedItem(m_productItems, key, number))
            return item;
        linkTable = 7, numberCode = "0001";
        break;
    case kTypeProductDrawing:
        linkTable = 8, numberCode = "0001";
        break;
    case kTypeSetImage:
        if (yqItem* item = FindCachedItem(m_setItems, key, number))
            return item;
        linkTable = 9, numberCode = "0300";
        break;
    case kTypeSetDrawing:
        linkTable = 10, numberCode = "0300";
        break;
    default:
        return nullptr;
    }
    yqTable* links = GetTable(linkTable);
    if (!links)
        return nullptr;
    yqRecordset* rows = links->FindByKeyPair("0000", numberCode, key, number);
    if (!rows)
        return nullptr;
    yqItem* item = BuildFromLinks(rows, 0, type, false, nullptr, nullptr);
    delete rows;
    return item;
}

yqItem* yqCatalog::BuildMainImageItem(yqRecordset* links, const char* key, const char* number)
{
    if (!links || !links->GetRecord())
        return nullptr;
    return BuildFromLinks(links, links->GetAbsolutePosition(), kTypeProductImage, true, key, number);
}

yqItem* yqCatalog::BuildDrawingItem(yqRecordset* links, const char* key, const char* number)
{
    if (!links || !links->GetRecord())
        return nullptr;
    return BuildFromLinks(links, links->GetAbsolutePosition(), kTypeProductDrawing, true, key, number);
}

yqItem* yqCatalog::BuildFromLinks(yqRecordset* links, int linkIndex, int type, bool bStrict, const char* key,
                                  const char* number)
{
    static const PictureSpec kSpecs[] = {
        {7, "0001", "0610", "MAIN", 2, "0100", "0110", "0101", "0120", "0114", yqItem::kProductImage},
        {8, "0001", "0710", "DRAW", 3, "0200", "0210", "0201", "0220", "0214", yqItem::kProductDrawing},
        {9, "0300", "0810", "MAIN", 2, "0100", "0110", "0101", "0120", "0114", yqItem::kSetImage},
        {10, "0300", "0910", "DRAW", 3, "0200", "0210", "0201", "0220", "0214", yqItem::kSetDrawing},
    };
    const PictureSpec& spec = kSpecs[type - 1];
    yqTable* pictures = GetTable(spec.pictureTable);
    const int count = links->GetRecordCount();
    const bool bDrawing = spec.pictureTable == 3;

    auto isMainRole = [&](const yqRecord* row) { return Equals(row->GetFieldText(spec.roleCode), spec.mainRole); };

    // The main link row: the given one for the builders of one link row, else the first
    // row with the main role.
    int mainIndex = -1;
    const yqRecord* mainPicture = nullptr;
    if (bStrict) {
        const yqRecord* row = links->GetRecordAt(linkIndex);
        if (!isMainRole(row) || !HasText(row->GetFieldText(spec.keyCode)))
            return nullptr;
        // Searches repeated over the same rows would otherwise add the same items again.
        const char* rowKey = row->GetFieldText("0000");
        const char* rowNumber = row->GetFieldText(spec.numberCode);
        if (yqItem* built =
                FindBuiltItem(row, spec.kind, rowKey ? rowKey : key, rowNumber ? rowNumber : number))
            return built;
        mainPicture = FindFirst(pictures, spec.keyCode, row->GetFieldText(spec.keyCode));
        if (!mainPicture)
            return nullptr;
        const char* format = mainPicture->GetFieldText(spec.formatCode);
        if (bDrawing ? !Equals(format, "DXF") : (format && !Equals(format, "JFIF") && !Equals(format, "TIFF")))
            return nullptr;
        mainIndex = linkIndex;
    } else {
        for (int i = 0; i < count; ++i) {
            if (isMainRole(links->GetRecordAt(i))) {
                mainIndex = i;
                mainPicture = FindFirst(pictures, spec.keyCode, links->GetRecordAt(i)->GetFieldText(spec.keyCode));
                break;
            }
        }
    }

    const yqRecord* keyRow = links->GetRecordAt(bStrict ? linkIndex : 0);
    yqItem* item = new yqItem;
    item->m_nKind = spec.kind;
    // The texts of the link row itself, which live as long as the catalogue.
    item->m_pszKey = keyRow->GetFieldText("0000");
    item->m_pszNumber = keyRow->GetFieldText(spec.numberCode);
    if (!item->m_pszKey)
        item->m_pszKey = key;
    if (!item->m_pszNumber)
        item->m_pszNumber = number;
    item->m_pCatalogId = &m_strId;
    if (bStrict)
        item->m_pLinkRow = keyRow;

    for (int i = 0; i < count; ++i) {
        if (i == mainIndex)
            continue;
        const yqRecord* picture = FindFirst(pictures, spec.keyCode, links->GetRecordAt(i)->GetFieldText(spec.keyCode));
        if (!picture)
            continue;
        const char* path = picture->GetFieldText(spec.pathCode);
        if (bStrict) {
            if (!path || (bDrawing && !Equals(picture->GetFieldText(spec.formatCode), "DXF")))
                continue;
        } else if (type == kTypeProductDrawing) {
            CString ending = CString(path ? path : "").Right(4);
            ending.MakeUpper();
            if (ending != ".DXF")
                continue;
        }
        yqItemPicture further;
        const char* caption = picture->GetFieldText(spec.captionCode);
        const char* comment = picture->GetFieldText(spec.commentCode);
        if (caption)
            further.m_strText = caption;
        if (caption || !bStrict)
            further.m_strText += "\r\n";
        if (comment)
            further.m_strText += comment;
        further.m_strPath = m_strRoot + (path ? path : "");
        item->m_pictures.push_back(further);
    }

    if (mainPicture) {
        if (const char* path = mainPicture->GetFieldText(spec.pathCode))
            item->m_strPicturePath = m_strRoot + path;
        item->m_pszCaption = mainPicture->GetFieldText(spec.captionCode);
    }

    const bool bSet = type == kTypeSetImage || type == kTypeSetDrawing;
    const yqRecord* owner = bSet ? FindFirstPair(GetTable(4), "0300", item->m_pszKey, item->m_pszNumber)
                                 : FindFirstPair(GetTable(1), "0001", item->m_pszKey, item->m_pszNumber);
    ComposeInfo(item, owner, bSet);
    CacheItem(item);
    return item;
}

void yqCatalog::ComposeInfo(yqItem* item, const yqRecord* owner, bool bSet)
{
    CString info;
    if (bSet) {
        item->m_pszName = owner ? owner->GetFieldText("0301") : nullptr;
        item->m_dPrice = -1;
    } else if (owner) {
        item->m_pszName = owner->GetFieldText("0002");
        item->m_dPrice = owner->GetFieldNumber("0010");
        item->m_pszPriceSuffix = owner->GetFieldText("0011");
        if (item->m_dPrice != 0 && HasText(item->m_pszPriceSuffix)) {
            CString line;
            line.Format("■価格 %s%s\r\n", static_cast<const char*>(FormatPriceText(TruncateToInt(item->m_dPrice))),
                        item->m_pszPriceSuffix);
            info += line;
        }
        if (CStringList* list = owner->GetFieldList("0021")) {
            CString joined;
            JoinLines(*list, joined);
            delete list;
            if (!joined.IsEmpty())
                info += "■スペック\r\n" + joined;
        }
    }
    if (owner) {
        const char* comment = owner->GetFieldText(bSet ? "0310" : "0020");
        if (HasText(comment)) {
            info += "■コメント\r\n";
            info += comment;
        }
    }
    yqTable* keywords = GetTable(bSet ? 6 : 5);
    yqRecordset* rows =
        keywords ? keywords->FindByKeyPair("0000", bSet ? "0300" : "0001", item->m_pszKey, item->m_pszNumber) : nullptr;
    if (rows) {
        info += "\r\n■キーワード\r\n";
        do {
            const char* word = rows->GetFieldText(bSet ? "0500" : "0400");
            info += word ? word : "";
            info += "\r\n";
        } while (rows->MoveNext());
        delete rows;
    }
    item->m_strInfo = info;
}

yqItem** yqCatalog::SearchItems(const char* code, const char* text, int low, int high, int mode, int& count)
{
    static const struct {
        const char* code;
        int table;
    } kFields[] = {{"0001", 1}, {"0002", 1}, {"0400", 5}};
    count = 0;
    if (!code || !text)
        return nullptr;
    const bool bAll = std::strcmp(code, "****") == 0;
    std::vector<yqItem*> taken;
    bool bAnyField = false;
    for (const auto& field : kFields) {
        if (!bAll && std::strcmp(code, field.code) != 0)
            continue;
        bAnyField = true;
        yqTable* table = GetTable(field.table);
        yqRecordset* hits = table ? table->Search(field.code, text, mode) : nullptr;
        if (!hits) {
            if (!bAll)
                return nullptr;
            continue;
        }
        for (int h = 0; h < hits->GetRecordCount(); ++h) {
            const yqRecord* hit = hits->GetRecordAt(h);
            const char* key = hit->GetFieldText("0000");
            const char* number = hit->GetFieldText("0001");
            if (!bAll) {
                yqItem* item = GetItem(key, number, kTypeProductImage);
                if (item) {
                    int price = TruncateToInt(item->m_dPrice);
                    if (low <= price && price <= high)
                        taken.push_back(item);
                }
                continue;
            }
            for (int linkTable : {7, 8}) {
                yqTable* table = GetTable(linkTable);
                yqRecordset* links = table && key && number ? table->FindByKeyPair("0000", "0001", key, number) : nullptr;
                if (!links)
                    continue;
                for (int i = 0; i < links->GetRecordCount(); ++i) {
                    links->SetAbsolutePosition(i);
                    yqItem* item = linkTable == 7 ? BuildMainImageItem(links, key, number)
                                                  : BuildDrawingItem(links, key, number);
                    if (item)
                        taken.push_back(item);
                }
                delete links;
            }
        }
        delete hits;
    }
    if (!bAnyField || (bAll && taken.empty()))
        return nullptr;
    yqItem** result = new yqItem*[taken.empty() ? 1 : taken.size()];
    std::copy(taken.begin(), taken.end(), result);
    count = static_cast<int>(taken.size());
    return result;
}
