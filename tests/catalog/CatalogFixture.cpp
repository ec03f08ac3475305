#include "CatalogFixture.h"

#include <algorithm>
#include <cstring>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace catalogtest {

std::string SjisToEucJp(const std::string& sjis)
{
    std::string out;
    for (size_t i = 0; i < sjis.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(sjis[i]);
        bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xEF);
        if (lead && i + 1 < sjis.size()) {
            unsigned char t = static_cast<unsigned char>(sjis[++i]);
            int row = (c < 0xE0 ? c - 0x81 : c - 0xC1) * 2 + 0x21;  // odd row
            int cell;
            if (t >= 0x9F) {
                row += 1;
                cell = t - 0x9F + 0x21;
            } else {
                cell = t - 0x40 + 0x21 - (t >= 0x80 ? 1 : 0);
            }
            out += static_cast<char>(row | 0x80);
            out += static_cast<char>(cell | 0x80);
        } else if (c >= 0xA1 && c <= 0xDF) {
            out += '\x8E';
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string TableBytes(const std::vector<Row>& rows)
{
    std::string out;
    for (const Row& row : rows) {
        for (const Value& v : row) {
            out += v.type;
            out += v.code.substr(0, 4);
            if (v.hasRaw) {
                out += v.raw;
            } else if (v.type == 'p') {
                std::string path = v.text;
                std::replace(path.begin(), path.end(), '\\', '/');
                out += "VOL00001" + SjisToEucJp(path);
            } else {
                out += SjisToEucJp(v.text);
            }
            out += '\0';
        }
        out += '\0';
    }
    return out;
}

namespace {

std::string Padded(const std::string& bytes, size_t size)
{
    std::string out = bytes.substr(0, size);
    out.resize(size, '\0');
    return out;
}

}  // namespace

std::string HeaderRecordBytes(const std::string& id, const std::string& name, const std::string& title)
{
    return Padded(id, 8) + Padded(SjisToEucJp(name), 32) + std::string("\x01\x02\x03\x04", 4) +
           Padded(SjisToEucJp(title), 32) + " ";
}

std::string DrbBytes(const std::string& magic, const std::string& textEuc, const std::string& headerFile,
                     const std::vector<std::string>& records)
{
    char end[8];
    std::snprintf(end, sizeof end, "%06d", static_cast<int>(16 + textEuc.size()));
    std::string out = magic.substr(0, 4) + std::string("\x05\x06\x07\x08", 4) + "x" + end + "y";
    out += textEuc;
    out += Padded(headerFile, 32);
    for (const std::string& r : records)
        out += r;
    out += '\0';
    // One table description with two fields, then the end of the descriptions.
    out += "T001" + Padded("TABLE01", 32) + "0001C010" + "0002C040";
    out += '\0';
    return out;
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string MakeTempFolder(const std::string& tag)
{
    static int counter = 0;
    fs::path base = fs::temp_directory_path() / "qvz-catalog-tests";
    for (;;) {
        fs::path p = base / (tag + "-" + std::to_string(++counter) + "-" + std::to_string(std::rand()));
        if (!fs::exists(p)) {
            fs::create_directories(p);
            return p.string();
        }
    }
}

void RemoveFolder(const std::string& path)
{
    std::error_code ec;
    fs::remove_all(path, ec);
}

std::string CatalogPath(const std::string& path)
{
    std::string out = path;
#ifdef _WIN32
    std::replace(out.begin(), out.end(), '/', '\\');
#endif
    return out;
}

// ---------------------------------------------------------------------------------------

namespace {

Value V(const char* code, const std::string& text, char type = 't')
{
    Value v;
    v.type = type;
    v.code = code;
    v.text = text;
    return v;
}

Value Raw(const char* code, const std::string& raw)
{
    Value v;
    v.code = code;
    v.hasRaw = true;
    v.raw = raw;
    return v;
}

std::string Num(const char* format, int n)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, format, n);
    return buf;
}

double Digits(const std::string& text)
{
    std::string d;
    for (char c : text)
        if (c >= '0' && c <= '9')
            d += c;
    return d.empty() ? 0 : std::stod(d);
}

std::string Nat(const std::string& path)
{
    std::string out = path;
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

const char* kPictureBytes[] = {"\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\xFF\xD9", "II*\x00\x08\x00\x00\x00", "GIF89a",
                               "0\nSECTION\n2\nENTITIES\n0\nENDSEC\n0\nEOF\n"};

void WritePicture(const std::string& root, const std::string& relative)
{
    std::string ext = relative.substr(relative.size() - 3);
    const char* bytes = ext == "tif" ? kPictureBytes[1] : ext == "gif" ? kPictureBytes[2] : ext == "dxf" ? kPictureBytes[3] : kPictureBytes[0];
    size_t len = ext == "jpg" ? 13 : std::char_traits<char>::length(bytes);
    WriteFile(root + "/" + Nat(relative), std::string(bytes, len));
}

}  // namespace

Manifest GenerateCatalog(const std::string& root, const FixtureOptions& o)
{
    Manifest m;
    m.root = CatalogPath(root);
    m.distrib = root + "/DISTRIB";
    m.id = o.id;
    m.title = o.title;

    std::map<std::string, Table> t;
    auto table = [&](int n) -> std::vector<Row>& {
        std::string name = Num("TABLE%02d", n);
        t[name].name = name;
        return t[name].rows;
    };
    for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 16, 17})
        table(n);

    static const char* kKinds[] = {"システムキッチン", "ユニットバス", "玄関ドア", "サッシ窓", "洗面化粧台"};
    static const char* kWords[] = {"木製", "白", "省エネ"};

    // Products; TABLE01 is written in reverse so that sorting matters.
    std::vector<Row> products;
    for (int i = 0; i < o.products; ++i) {
        ExpectedProduct p;
        p.key = i % 2 == 0 ? "A100" : "B200";
        p.number = Num("P%05d", i);
        p.name = std::string(kKinds[i % 5]) + "型" + std::to_string(i);
        Row row{V("0000", p.key), V("0001", p.number)};
        if (o.damage == Damage::BrokenEucText && i == 1) {
            // A lone lead byte before ASCII and a half-width kana (EUC 0x8E 0xB1).
            row.push_back(Raw("0002", SjisToEucJp(kKinds[1]) + "\xB0" "X" "\x8E\xB1" + SjisToEucJp("型1")));
            p.name = std::string(kKinds[1]) + "?X\xB1型1";
        } else {
            row.push_back(V("0002", p.name));
        }
        if (i % 7 != 0) {
            p.hasPriceField = true;
            p.priceText = i % 7 == 1 ? "0" : i % 7 == 2 ? "1,980" : std::to_string(1000 + 100 * i);
            p.price = Digits(p.priceText);
            row.push_back(V("0010", p.priceText));
        }
        if (i % 3 != 1) {
            p.hasSuffix = true;
            p.suffix = i % 3 == 0 ? "円（税別）" : "";
            row.push_back(V("0011", p.suffix));
        }
        if (i % 4 == 0) {
            p.comment = "コメント" + std::to_string(i);
            row.push_back(V("0020", p.comment));
        }
        if (i % 5 == 0) {
            p.hasSpec = true;
            p.spec = {"幅" + std::to_string(600 + i), "高さ2000", "色\t白"};
            row.push_back(V("0021", "t幅" + std::to_string(600 + i) + "\x1Et高さ2000\x1Et色\x1Ft白\x1E"));
        }
        products.push_back(row);

        for (int k = 0; k < i % 3; ++k) {
            p.keywords.push_back(kWords[(i + k) % 3]);
            table(5).push_back({V("0000", p.key), V("0001", p.number), V("0400", kWords[(i + k) % 3])});
        }

        if (i % 13 != 12) {
            p.hasImageLinks = true;
            p.mainImageKey = Num("I%05d", i);
            std::string ext = i % 6 == 5 ? "tif" : i % 11 == 10 ? "gif" : "jpg";
            p.mainImageFormat = ext == "tif" ? "TIFF" : ext == "gif" ? "GIF" : i % 17 == 16 ? "" : "JFIF";
            p.mainImagePath = "images\\" + p.number + "." + ext;
            p.mainImageCaption = "写真" + std::to_string(i);
            Row image{V("0100", p.mainImageKey), V("0101", p.mainImageCaption), V("0110", p.mainImagePath, 'p'),
                      V("0120", "画像コメント")};
            if (!p.mainImageFormat.empty())
                image.push_back(V("0114", p.mainImageFormat));
            table(2).push_back(image);
            WritePicture(root, p.mainImagePath);
            table(7).push_back({V("0000", p.key), V("0001", p.number), V("0100", p.mainImageKey), V("0610", "MAIN")});
            if (i % 4 == 1) {
                std::string key = Num("J%05d", i), path = "images\\" + p.number + "_2.jpg";
                table(2).push_back({V("0100", key), V("0101", "別写真"), V("0110", path, 'p'), V("0114", "JFIF")});
                WritePicture(root, path);
                table(7).push_back({V("0000", p.key), V("0001", p.number), V("0100", key), V("0610", "SUB")});
                p.furtherImagePaths.push_back(path);
            }
        }
        if (i % 3 == 0) {
            p.drawingKey = Num("D%05d", i);
            p.drawingPath = "cad\\" + p.number + ".dxf";
            p.drawingCaption = "図面" + std::to_string(i);
            table(3).push_back({V("0200", p.drawingKey), V("0201", p.drawingCaption), V("0210", p.drawingPath, 'p'),
                                V("0214", "DXF"), V("0220", "図面コメント")});
            WritePicture(root, p.drawingPath);
            table(8).push_back({V("0000", p.key), V("0001", p.number), V("0200", p.drawingKey), V("0710", "DRAW")});
        }
        m.products.push_back(p);
    }
    for (auto it = products.rbegin(); it != products.rend(); ++it)
        table(1).push_back(*it);

    // A product known only by a keyword and an image link, without a TABLE01 row.
    {
        ExpectedProduct p;
        p.key = "A100";
        p.number = "P99999";
        p.inTable01 = false;
        p.keywords = {"木製"};
        p.hasImageLinks = true;
        p.mainImageKey = "I99999";
        p.mainImagePath = "images\\P99999.jpg";
        p.mainImageFormat = "JFIF";
        table(5).push_back({V("0000", p.key), V("0001", p.number), V("0400", "木製")});
        table(2).push_back({V("0100", p.mainImageKey), V("0110", p.mainImagePath, 'p'), V("0114", "JFIF")});
        WritePicture(root, p.mainImagePath);
        table(7).push_back({V("0000", p.key), V("0001", p.number), V("0100", p.mainImageKey), V("0610", "MAIN")});
        m.products.push_back(p);
    }

    // Sets, placed in their own category [9000, 9999] with both ends used.
    for (int s = 0; s < o.sets; ++s) {
        ExpectedSet e;
        e.key = "A100";
        e.number = Num("S%03d", s);
        e.name = "セット" + std::to_string(s);
        Row row{V("0000", e.key), V("0300", e.number), V("0301", e.name)};
        if (s % 2 == 0) {
            e.comment = "セットコメント" + std::to_string(s);
            row.push_back(V("0310", e.comment));
        }
        table(4).push_back(row);
        e.keywords = {"組合せ"};
        table(6).push_back({V("0000", e.key), V("0300", e.number), V("0500", "組合せ")});
        e.imagePath = "images\\" + e.number + ".jpg";
        table(2).push_back({V("0100", Num("SI%03d", s)), V("0101", "セット写真"), V("0110", e.imagePath, 'p'),
                            V("0114", "JFIF")});
        WritePicture(root, e.imagePath);
        table(9).push_back({V("0000", e.key), V("0300", e.number), V("0100", Num("SI%03d", s)), V("0810", "MAIN")});
        e.drawingPath = "cad\\" + e.number + ".dxf";
        table(3).push_back({V("0200", Num("SD%03d", s)), V("0201", "セット図面"), V("0210", e.drawingPath, 'p'),
                            V("0214", "DXF")});
        WritePicture(root, e.drawingPath);
        table(10).push_back({V("0000", e.key), V("0300", e.number), V("0200", Num("SD%03d", s)), V("0910", "DRAW")});
        e.placement = s == 0 ? 9000 : s == o.sets - 1 ? 9999 : 9000 + s;
        table(17).push_back({V("0000", e.key), V("0300", e.number), V("0E00", std::to_string(int(e.placement)))});
        m.sets.push_back(e);
    }

    // Categories: top ones [c*1000, c*1000+999] of order 1 with three parts each of order 2,
    // the set category, a gap category whose ends hold no product, and a row without a name.
    struct Cat {
        std::string name;
        double order, low, high;
    };
    std::vector<Cat> cats;
    for (int c = 0; c < o.topCategories; ++c) {
        double base = c * 1000;
        cats.push_back({Num("分類%02d", c), 1, base, base + 999});
        cats.push_back({Num("分類%02d", c) + "-0", 2, base, base + 299});
        cats.push_back({Num("分類%02d", c) + "-1", 2, base + 300, base + 599});
        cats.push_back({Num("分類%02d", c) + "-2", 2, base + 600, base + 999});
    }
    cats.push_back({"セット", 1, 9000, 9999});
    cats.push_back({"すきま", 3, 1, 2});
    // Written in an order unlike the sorted one.
    std::vector<Cat> written(cats.rbegin(), cats.rend());
    for (const Cat& c : written)
        table(15).push_back({V("0C00", c.name), V("0C01", std::to_string(int(c.order))),
                             V("0C02", std::to_string(int(c.low))), V("0C03", std::to_string(int(c.high)))});
    table(15).push_back({V("0C01", "0"), V("0C02", "0"), V("0C03", "5")});

    // Sorted order: by order, then name byte-wise; the nameless row (order 0) comes first.
    std::vector<Cat> sorted = cats;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Cat& a, const Cat& b) { return a.order != b.order ? a.order < b.order : a.name < b.name; });
    std::vector<ExpectedCategory> placed;
    for (size_t i = 0; i < sorted.size(); ++i) {
        ExpectedCategory e{sorted[i].name, sorted[i].order, sorted[i].low, sorted[i].high, static_cast<int>(i) + 1, " "};
        // The parent: the deepest earlier category containing the range, along the first
        // containing child at each level.
        std::string parent = " ";
        for (;;) {
            std::string next;
            for (const ExpectedCategory& c : placed)
                if (c.parent == parent && c.low <= e.low && c.high >= e.high) {
                    next = c.name;
                    break;
                }
            if (next.empty())
                break;
            parent = next;
        }
        e.parent = parent;
        placed.push_back(e);
    }
    m.categories = placed;

    // Placements: product i goes to part (i / C) % 3 of top category i % C; in each part the
    // first product sits at the low end, the last at the high end.
    std::map<std::pair<int, int>, std::vector<int>> buckets;
    for (int i = 0; i < o.products; ++i)
        buckets[{i % o.topCategories, (i / o.topCategories) % 3}].push_back(i);
    for (auto& [where, members] : buckets) {
        double low = where.first * 1000 + where.second * 300;
        double high = where.second == 2 ? where.first * 1000 + 999 : low + 299;
        for (size_t j = 0; j < members.size(); ++j) {
            double n = (j + 1 == members.size() && j > 0) ? high : low + j;
            m.products[members[j]].placement = n;
        }
    }
    for (int i = o.products - 1; i >= 0; --i) {
        const ExpectedProduct& p = m.products[i];
        table(16).push_back({V("0000", p.key), V("0001", p.number), V("0D00", std::to_string(int(p.placement)))});
    }

    // Files.
    std::string distrib = root + "/DISTRIB";
    for (auto& [name, tab] : t) {
        std::string bytes = TableBytes(tab.rows);
        if (name == "TABLE01" && o.damage == Damage::Table01Truncated)
            bytes.resize(bytes.size() - 7);
        if (name == "TABLE02" && o.damage == Damage::Table02Empty)
            bytes.clear();
        if (name == "TABLE06" && o.damage == Damage::Table06Missing)
            continue;
        WriteFile(distrib + "/" + name, bytes);
        m.tables[name] = tab.rows;
        bool loads = !(name == "TABLE02" && o.damage == Damage::Table02Empty);
        if (loads)
            m.rowCounts[name] = static_cast<int>(tab.rows.size());
    }
    std::string text = SjisToEucJp("カタログ説明 catalogue text");
    std::vector<std::string> records = {HeaderRecordBytes(o.id, "メーカー", o.title),
                                        HeaderRecordBytes("OTHER001", "別メーカー", "別カタログ")};
    std::string drb = DrbBytes(o.damage == Damage::DrbBadMagic ? "dbdx" : "dbdc", text, "HEADER", records);
    if (o.damage == Damage::DrbTruncated)
        drb.resize(16 + text.size() + 32 + 77 + 30);
    if (o.damage == Damage::DrbTextEndPastFile)
        drb.replace(9, 6, "999999");
    if (o.damage == Damage::DrbTextEndBelowHead)
        drb.replace(9, 6, "000008");
    WriteFile(distrib + "/DRB", drb);
    if (o.damage != Damage::HeaderFileMissing)
        WriteFile(distrib + "/HEADER", HeaderRecordBytes(o.id, "メーカー", o.title));
    return m;
}

// ---------------------------------------------------------------------------------------

const ExpectedProduct* Manifest::FindProduct(const std::string& number) const
{
    for (const ExpectedProduct& p : products)
        if (p.number == number)
            return &p;
    return nullptr;
}

namespace {

bool UsableMainImage(const ExpectedProduct& p)
{
    return p.hasImageLinks && (p.mainImageFormat.empty() || p.mainImageFormat == "JFIF" || p.mainImageFormat == "TIFF");
}

bool Matches(const std::string& value, const std::string& text, int mode)
{
    switch (mode) {
    case 1:
        return value == text;
    case 2:
        return value.compare(0, text.size(), text) == 0;
    case 3:
        return value.find(text) != std::string::npos;
    default:
        return false;
    }
}

}  // namespace

std::vector<ExpectedHit> Manifest::CategoryItems(double low, double high) const
{
    std::vector<ExpectedHit> hits;
    std::set<double> productNumbers, setNumbers;
    for (const ExpectedProduct& p : products)
        if (p.placement >= 0)
            productNumbers.insert(p.placement);
    for (const ExpectedSet& s : sets)
        setNumbers.insert(s.placement);
    // A range finds rows only when both of its ends occur as numbers.
    if (productNumbers.count(low) && productNumbers.count(high)) {
        for (const ExpectedProduct& p : products) {
            if (p.placement < low || p.placement > high)
                continue;
            if (UsableMainImage(p))
                hits.push_back({p.number, 2});
            if (!p.drawingKey.empty())
                hits.push_back({p.number, 4});
        }
    }
    if (setNumbers.count(low) && setNumbers.count(high)) {
        for (const ExpectedSet& s : sets) {
            if (s.placement < low || s.placement > high)
                continue;
            hits.push_back({s.number, 3});
            hits.push_back({s.number, 5});
        }
    }
    std::sort(hits.begin(), hits.end());
    return hits;
}

std::vector<ExpectedHit> Manifest::SearchHits(const std::string& code, const std::string& text, int mode, int low,
                                              int high) const
{
    std::vector<ExpectedHit> hits;
    bool all = code == "****";
    if (!all && code != "0001" && code != "0002" && code != "0400")
        return hits;
    auto take = [&](const ExpectedProduct& p) {
        if (all) {
            if (UsableMainImage(p))
                hits.push_back({p.number, 2});
            if (!p.drawingKey.empty())
                hits.push_back({p.number, 4});
            return;
        }
        if (!p.hasImageLinks)
            return;
        double price = p.inTable01 ? p.price : -1;
        if (low <= price && price <= high)
            hits.push_back({p.number, 2});
    };
    for (const ExpectedProduct& p : products) {
        if ((all || code == "0001") && p.inTable01 && Matches(p.number, text, mode))
            take(p);
        if ((all || code == "0002") && p.inTable01 && Matches(p.name, text, mode))
            take(p);
        if (all || code == "0400")
            for (const std::string& word : p.keywords)
                if (Matches(word, text, mode))
                    take(p);
    }
    std::sort(hits.begin(), hits.end());
    return hits;
}

namespace {

const Value* FindValue(const Row& row, const std::string& code)
{
    for (const Value& v : row)
        if (v.code == code)
            return &v;
    return nullptr;
}

void Put32(std::string& out, int32_t value)
{
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>(static_cast<uint32_t>(value) >> (8 * i));
}

void PutDouble(std::string& out, double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, 8);
    for (int i = 0; i < 8; ++i)
        out += static_cast<char>(bits >> (8 * i));
}

void PutNode(std::string& out, const Manifest& m, const std::string& name, const std::string& path, double order,
             double low, double high, int id)
{
    Put32(out, static_cast<int32_t>(name.size()));
    out += name;
    Put32(out, static_cast<int32_t>(path.size()));
    out += path;
    PutDouble(out, order);
    PutDouble(out, low);
    PutDouble(out, high);
    Put32(out, id);
    Put32(out, 1);
    std::vector<const ExpectedCategory*> children;
    for (const ExpectedCategory& c : m.categories)
        if (c.parent == name)
            children.push_back(&c);
    Put32(out, static_cast<int32_t>(children.size()));
    for (const ExpectedCategory* c : children)
        PutNode(out, m, c->name, path, c->order, c->low, c->high, c->id);
}

// Row numbers of the table sorted on the codes: rows lacking a code first, then by text (or
// by number), as the reader's indexes order them.
std::vector<int32_t> SortedRows(const std::vector<Row>& rows, const std::vector<std::string>& codes, bool numeric)
{
    std::vector<int32_t> order(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        order[i] = static_cast<int32_t>(i);
    auto key = [&](int32_t r) {
        std::vector<std::pair<int, std::string>> k;
        for (const std::string& code : codes) {
            const Value* v = FindValue(rows[r], code);
            k.push_back({v ? 1 : 0, ""});
        }
        for (const std::string& code : codes) {
            const Value* v = FindValue(rows[r], code);
            if (!v)
                k.push_back({0, ""});
            else if (numeric)
                k.push_back({0, Num("%020d", static_cast<int>(Digits(v->text)))});
            else
                k.push_back({0, v->text});
        }
        return k;
    };
    std::stable_sort(order.begin(), order.end(), [&](int32_t a, int32_t b) { return key(a) < key(b); });
    return order;
}

}  // namespace

std::string CacheBlockBytes(const Manifest& m)
{
    std::string tree;
    std::string path = m.root + (m.root.back() == '\\' ? "" : "\\");
    PutNode(tree, m, " ", path, 0, 0, 4294967295.0, -1);

    struct IndexSpec {
        std::vector<std::string> codes;
        bool numeric;
    };
    const std::map<std::string, std::vector<IndexSpec>> specs = {
        {"TABLE01", {{{"0000", "0001"}, false}, {{"0001"}, false}, {{"0002"}, false}}},
        {"TABLE02", {{{"0100"}, false}}},
        {"TABLE03", {{{"0200"}, false}}},
        {"TABLE04", {{{"0000", "0300"}, false}}},
        {"TABLE05", {{{"0000", "0001", "0400"}, false}, {{"0400"}, false}}},
        {"TABLE06", {{{"0000", "0300"}, false}, {{"0500"}, false}}},
        {"TABLE07", {{{"0000", "0001"}, false}}},
        {"TABLE08", {{{"0000", "0001"}, false}}},
        {"TABLE09", {{{"0000", "0300"}, false}}},
        {"TABLE10", {{{"0000", "0300"}, false}}},
        {"TABLE15", {}},
        {"TABLE16", {{{"0D00"}, true}}},
        {"TABLE17", {{{"0E00"}, true}}},
    };
    std::string out = "TBL";
    Put32(out, static_cast<int32_t>(tree.size()));
    out += tree;
    for (const auto& [name, indexes] : specs) {
        if (!m.rowCounts.count(name))
            continue;
        const std::vector<Row>& rows = m.tables.at(name);
        std::string packed;
        Put32(packed, static_cast<int32_t>(indexes.size()));
        for (const IndexSpec& spec : indexes) {
            std::string code1 = spec.codes[0], code2 = spec.codes.size() > 1 ? spec.codes[1] : "";
            packed += code1 + '\0';
            packed += code2.empty() ? std::string(5, '\0') : code2 + '\0';
            std::vector<int32_t> order = SortedRows(rows, spec.codes, spec.numeric);
            Put32(packed, static_cast<int32_t>(order.size()));
            for (int32_t r : order)
                Put32(packed, r);
        }
        out += name + '\0';
        Put32(out, static_cast<int32_t>(packed.size()));
        out += packed;
    }
    return out;
}

}  // namespace catalogtest
