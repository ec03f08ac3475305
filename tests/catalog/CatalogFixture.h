// Writes catalogue folders for the tests: the schema file DRB and its header file, the
// tables in EUC-JP, the pictures they name and a cache block, with switches for each kind
// of damage, and a manifest of what a correct reader must find there. The expected results
// are worked out from the generator's own model, never from the reader.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace catalogtest {

// One value of a row; texts are Shift-JIS (as the test sources are compiled) and written in
// EUC-JP. `raw` replaces the converted text by these exact bytes.
struct Value {
    char type = 't';
    std::string code;
    std::string text;
    bool hasRaw = false;
    std::string raw;
};
using Row = std::vector<Value>;
struct Table {
    std::string name;
    std::vector<Row> rows;
};

// The generator's own Shift-JIS to EUC-JP conversion (JIS X 0208 and half-width kana).
std::string SjisToEucJp(const std::string& sjis);
// The file bytes of a table.
std::string TableBytes(const std::vector<Row>& rows);
// A 77-byte header record.
std::string HeaderRecordBytes(const std::string& id, const std::string& name, const std::string& title);
// A DRB file: magic, the text block, the header-file name, the header records and one table
// description.
std::string DrbBytes(const std::string& magic, const std::string& textEuc, const std::string& headerFile,
                     const std::vector<std::string>& records);

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
// A fresh empty folder under the temporary folder.
std::string MakeTempFolder(const std::string& tag);
void RemoveFolder(const std::string& path);
// The folder in the form the catalogue takes (backslashes on Windows).
std::string CatalogPath(const std::string& path);

enum class Damage {
    None,
    DrbBadMagic,
    DrbTruncated,         // cut inside the header records
    DrbTextEndPastFile,   // the text-block end offset lies beyond the file
    DrbTextEndBelowHead,  // the text-block end offset is below 16
    HeaderFileMissing,
    Table01Truncated,     // cut inside the last row's last text
    Table02Empty,
    Table06Missing,
    BrokenEucText,        // lone lead bytes and half-width kana inside product texts
};

struct FixtureOptions {
    int products = 24;
    int sets = 3;
    int topCategories = 3;
    std::string id = "CAT00001";
    std::string title = "テストカタログ";
    Damage damage = Damage::None;
};

struct ExpectedProduct {
    std::string key, number, name;
    bool inTable01 = true;
    bool hasPriceField = false;
    std::string priceText;   // as stored in 0010
    double price = 0;        // digits of priceText
    std::string suffix;      // 0011, empty when absent
    bool hasSuffix = false;
    std::vector<std::string> spec;  // elements of 0021
    bool hasSpec = false;
    std::string comment;     // 0020
    std::vector<std::string> keywords;
    // Pictures.
    std::string mainImageKey, mainImagePath, mainImageCaption, mainImageFormat;
    std::vector<std::string> furtherImagePaths;
    bool hasImageLinks = false;
    std::string drawingKey, drawingPath, drawingCaption;
    double placement = -1;   // 0D00
};

struct ExpectedSet {
    std::string key, number, name, comment;
    std::vector<std::string> keywords;
    std::string imagePath, drawingPath;
    double placement = -1;
};

struct ExpectedCategory {
    std::string name;
    double order = 0, low = 0, high = 0;
    int id = -1;            // position among the sorted TABLE15 rows
    std::string parent;     // name of the parent, " " for the root
};

// An item a correct reader makes for a category or a search: number and item kind.
struct ExpectedHit {
    std::string number;
    int kind = 0;
    bool operator<(const ExpectedHit& o) const { return number != o.number ? number < o.number : kind < o.kind; }
    bool operator==(const ExpectedHit& o) const { return number == o.number && kind == o.kind; }
};

struct Manifest {
    std::string root;        // catalogue root in the reader's form
    std::string distrib;     // native path of DISTRIB
    std::string id, title;
    std::map<std::string, int> rowCounts;  // tables that a correct reader loads
    std::vector<ExpectedProduct> products;
    std::vector<ExpectedSet> sets;
    std::vector<ExpectedCategory> categories;  // in sorted row order, named ones only
    std::map<std::string, std::vector<Row>> tables;  // as written, by file name

    const ExpectedProduct* FindProduct(const std::string& number) const;
    // Items of a category as the tree view makes them (kinds 2 to 5), sorted.
    std::vector<ExpectedHit> CategoryItems(double low, double high) const;
    // Items of yqCatalog::SearchItems, sorted (a product found twice appears twice).
    std::vector<ExpectedHit> SearchHits(const std::string& code, const std::string& text, int mode, int low,
                                        int high) const;
};

// Writes a catalogue folder under `root` and returns its manifest.
Manifest GenerateCatalog(const std::string& root, const FixtureOptions& options);

// A cache block for the catalogue, made from the manifest alone: its category tree and the
// sorted indexes of every table that loads.
std::string CacheBlockBytes(const Manifest& manifest);

}  // namespace catalogtest
