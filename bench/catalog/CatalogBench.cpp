// Catalogue core beside SQLite: cold load, restore from the cache file and the searches on a
// generated catalogue. One phase per process, so that each reports its own peak memory.
//   catalog_bench gen     N DIR   writes the catalogue, its cache block and the SQLite file
//   catalog_bench load    N DIR   yqCatalog::Load from the tables
//   catalog_bench restore N DIR   yqCatalog::LoadFromCache
//   catalog_bench parse   N DIR   the core's table reader alone (what an import would read too)
//   catalog_bench import  N DIR   SQLite: insert the parsed rows, create the indexes
//   catalog_bench open    N DIR   SQLite: open the file, first query answered
//   catalog_bench search  N DIR   both answer the same queries: checked, then timed
#include <sqlite3.h>
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "CatalogFixture.h"
#include "yqCatalog.h"
#include "yqRecordset.h"
#include "yqText.h"

namespace fs = std::filesystem;

namespace {

double Now()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec + ts.tv_nsec * 1e-9;
}

double Cpu()
{
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec * 1e-9;
}

long PeakKb()
{
    rusage ru;
    getrusage(RUSAGE_SELF, &ru);
    return ru.ru_maxrss;
}

[[noreturn]] void Fail(const std::string& what)
{
    std::fprintf(stderr, "FAIL: %s\n", what.c_str());
    std::exit(1);
}

struct Paths {
    std::string root, cache, cacheSpot, db;
};

Paths MakePaths(const std::string& dir, int n)
{
    std::string tag = std::to_string(n);
    return {dir + "/cat" + tag, dir + "/HISTORY-" + tag + ".DAT", dir + "/HISTORY-" + tag + ".spot",
            dir + "/cat" + tag + ".sqlite"};
}

// ---------------------------------------------------------------------------------------
// SQLite side: one table per TABLEnn, a column per field code, the core's indexes.

const char* const kTables[] = {"TABLE01", "TABLE02", "TABLE03", "TABLE04", "TABLE05", "TABLE06", "TABLE07",
                               "TABLE08", "TABLE09", "TABLE10", "TABLE15", "TABLE16", "TABLE17"};
// Number fields are stored as the number the core reads from them (its digits).
const std::set<std::string> kNumberCodes = {"0C01", "0C02", "0C03", "0D00", "0E00"};
const char* const kIndexSql[] = {
    "CREATE INDEX i01a ON t01(c0000, c0001)", "CREATE INDEX i01b ON t01(c0001)", "CREATE INDEX i01c ON t01(c0002)",
    "CREATE INDEX i02 ON t02(c0100)", "CREATE INDEX i03 ON t03(c0200)", "CREATE INDEX i04 ON t04(c0000, c0300)",
    "CREATE INDEX i05a ON t05(c0000, c0001, c0400)", "CREATE INDEX i05b ON t05(c0400)",
    "CREATE INDEX i06a ON t06(c0000, c0300)", "CREATE INDEX i06b ON t06(c0500)",
    "CREATE INDEX i07 ON t07(c0000, c0001)", "CREATE INDEX i08 ON t08(c0000, c0001)",
    "CREATE INDEX i09 ON t09(c0000, c0300)", "CREATE INDEX i10 ON t10(c0000, c0300)",
    "CREATE INDEX i16 ON t16(c0D00)", "CREATE INDEX i17 ON t17(c0E00)"};

void Exec(sqlite3* db, const std::string& sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK)
        Fail(sql + ": " + (error ? error : "?"));
}

sqlite3_stmt* Prepare(sqlite3* db, const std::string& sql)
{
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK)
        Fail(sql + ": " + sqlite3_errmsg(db));
    return st;
}

std::vector<std::string> Codes(yqTable* table)
{
    std::vector<std::string> codes;
    std::set<std::string> seen;
    for (int r = 0; r < table->GetRowCount(); ++r)
        for (const yqField& f : table->GetRow(r)->m_fields)
            if (seen.insert(f.m_szCode).second)
                codes.push_back(f.m_szCode);
    return codes;
}

// Writes every loaded table into the database and creates the indexes.
void Import(yqCatalog& catalog, sqlite3* db)
{
    Exec(db, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN");
    for (yqTable* table : catalog.m_tables) {
        std::string t = "t" + std::string(table->GetName()).substr(5);
        std::vector<std::string> codes = Codes(table);
        std::string create = "CREATE TABLE " + t + "(rid INTEGER PRIMARY KEY", insert = "INSERT INTO " + t + " VALUES(?";
        for (const std::string& c : codes) {
            create += ", c" + c + (kNumberCodes.count(c) ? " INTEGER" : " BLOB");
            insert += ", ?";
        }
        Exec(db, create + ")");
        sqlite3_stmt* st = Prepare(db, insert + ")");
        for (int r = 0; r < table->GetRowCount(); ++r) {
            const yqRecord* row = table->GetRow(r);
            sqlite3_bind_int(st, 1, row->m_nRow);
            for (size_t i = 0; i < codes.size(); ++i) {
                const char* text = row->GetFieldText(codes[i].c_str());
                if (!text)
                    sqlite3_bind_null(st, int(i) + 2);
                else if (kNumberCodes.count(codes[i]))
                    sqlite3_bind_int64(st, int(i) + 2, static_cast<sqlite3_int64>(DigitsToNumber(text)));
                else
                    sqlite3_bind_blob(st, int(i) + 2, text, int(std::strlen(text)), SQLITE_STATIC);
            }
            if (sqlite3_step(st) != SQLITE_DONE)
                Fail(sqlite3_errmsg(db));
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
    }
    for (const char* sql : kIndexSql)
        Exec(db, sql);
    Exec(db, "COMMIT; ANALYZE");
}

sqlite3* OpenDb(const std::string& path, int flags)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK)
        Fail("open " + path);
    return db;
}

// ---------------------------------------------------------------------------------------
// Queries. Each kind is answered by the core and by SQL; both give the row numbers (or, for
// the "****" form, the items as number and kind).

struct Query {
    std::string text, text2;  // text2: second key, or the end of a prefix range
    double low = 0, high = 0;
};

// Prefix as a byte range [p, p with its last byte raised), as the index can use it.
std::string PrefixEnd(std::string p)
{
    p.back() = static_cast<char>(static_cast<unsigned char>(p.back()) + 1);
    return p;
}

void BindBlob(sqlite3_stmt* st, int i, const std::string& s)
{
    sqlite3_bind_blob(st, i, s.data(), int(s.size()), SQLITE_STATIC);
}

using Result = std::vector<long>;

Result RowsOf(yqRecordset* set)
{
    Result out;
    if (set) {
        for (int i = 0; i < set->GetRecordCount(); ++i)
            out.push_back(set->GetRecordAt(i)->m_nRow);
        delete set;
    }
    return out;
}

Result Collect(sqlite3_stmt* st, int columns = 1)
{
    Result out;
    while (sqlite3_step(st) == SQLITE_ROW)
        for (int c = 0; c < columns; ++c)
            out.push_back(static_cast<long>(sqlite3_column_int64(st, c)));
    sqlite3_reset(st);
    return out;
}

struct Kind {
    const char* name;
    bool ordered;  // both give the rows in the same order (else compared as sets)
    std::vector<Query> queries;
    std::function<Result(const Query&)> ours;
    std::function<Result(const Query&)> theirs;
    std::function<Result(const Query&)> theirs2;  // Bloom filters off
};

// The "****" form in SQL: hits on number, name and keyword, each hit's usable main-image
// links (a picture whose format is JFIF, TIFF or absent) and drawing links (DXF).
std::string AllFormSql(const std::string& numberMatch, const std::string& nameMatch, const std::string& wordMatch)
{
    return "WITH hits(k, n) AS (SELECT c0000, c0001 FROM t01 WHERE " + numberMatch +
           " UNION ALL SELECT c0000, c0001 FROM t01 WHERE " + nameMatch +
           " UNION ALL SELECT c0000, c0001 FROM t05 WHERE " + wordMatch +
           ") SELECT CAST(substr(h.n, 2) AS INTEGER), 2 FROM hits h JOIN t07 l ON l.c0000 = h.k AND l.c0001 = h.n"
           " WHERE l.c0610 = CAST('MAIN' AS BLOB) AND length(l.c0100) > 0 AND EXISTS (SELECT 1 FROM t02 p WHERE"
           " p.c0100 = l.c0100 AND (p.c0114 IS NULL OR p.c0114 IN (CAST('JFIF' AS BLOB), CAST('TIFF' AS BLOB))))"
           " UNION ALL SELECT CAST(substr(h.n, 2) AS INTEGER), 4 FROM hits h JOIN t08 l ON l.c0000 = h.k AND"
           " l.c0001 = h.n WHERE l.c0710 = CAST('DRAW' AS BLOB) AND length(l.c0200) > 0 AND EXISTS (SELECT 1"
           " FROM t03 p WHERE p.c0200 = l.c0200 AND p.c0214 = CAST('DXF' AS BLOB))";
}

Result ItemsOf(yqItem** items, int count)
{
    Result out;
    for (int i = 0; i < count; ++i) {
        out.push_back(std::atol(items[i]->m_pszNumber + 1));
        out.push_back(items[i]->m_nKind);
    }
    delete[] items;
    return out;
}

// Sorted pairs, so that items compare as a multiset.
Result SortedPairs(Result r)
{
    std::vector<std::pair<long, long>> pairs;
    for (size_t i = 0; i + 1 < r.size(); i += 2)
        pairs.push_back({r[i], r[i + 1]});
    std::sort(pairs.begin(), pairs.end());
    Result out;
    for (auto& p : pairs) {
        out.push_back(p.first);
        out.push_back(p.second);
    }
    return out;
}

std::string Number(int i)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "P%05d", i);
    return buf;
}

std::vector<Kind> MakeKinds(yqCatalog& cat, sqlite3* db, int n, std::vector<sqlite3_stmt*>& statements)
{
    std::mt19937 rng(12345);
    auto pick = [&](int limit) { return static_cast<int>(rng() % static_cast<unsigned>(limit)); };
    auto stmt = [&](const std::string& sql) {
        statements.push_back(Prepare(db, sql));
        return statements.back();
    };
    std::vector<Kind> kinds;

    {
        Kind k{"exact: TABLE01 number", false};
        for (int i = 0; i < 2000; ++i)
            k.queries.push_back({Number(pick(n))});
        sqlite3_stmt* st = stmt("SELECT rid FROM t01 WHERE c0001 = ?1");
        k.ours = [&cat](const Query& q) { return RowsOf(cat.GetTable(1)->Search("0001", q.text.c_str(), yqTable::kExact)); };
        k.theirs = [st](const Query& q) { BindBlob(st, 1, q.text); return Collect(st); };
        kinds.push_back(k);
    }
    {
        Kind k{"prefix: TABLE01 number (10 hits)", false};
        for (int i = 0; i < 2000; ++i) {
            std::string p = Number(pick(n)).substr(0, 5);
            k.queries.push_back({p, PrefixEnd(p)});
        }
        sqlite3_stmt* st = stmt("SELECT rid FROM t01 WHERE c0001 >= ?1 AND c0001 < ?2");
        k.ours = [&cat](const Query& q) { return RowsOf(cat.GetTable(1)->Search("0001", q.text.c_str(), yqTable::kPrefix)); };
        k.theirs = [st](const Query& q) { BindBlob(st, 1, q.text); BindBlob(st, 2, q.text2); return Collect(st); };
        kinds.push_back(k);
    }
    {
        Kind k{"prefix: TABLE01 name (wide)", false};
        // A kind name and the first digit of the product's number: about a fiftieth of the table.
        yqTable* t01 = cat.GetTable(1);
        for (int i = 0; i < 50; ++i) {
            std::string name = t01->GetRow(pick(t01->GetRowCount()))->GetFieldText("0002");
            std::string p = name.substr(0, name.find_first_of("0123456789") + 1);
            k.queries.push_back({p, PrefixEnd(p)});
        }
        sqlite3_stmt* st = stmt("SELECT rid FROM t01 WHERE c0002 >= ?1 AND c0002 < ?2");
        k.ours = [&cat](const Query& q) { return RowsOf(cat.GetTable(1)->Search("0002", q.text.c_str(), yqTable::kPrefix)); };
        k.theirs = [st](const Query& q) { BindBlob(st, 1, q.text); BindBlob(st, 2, q.text2); return Collect(st); };
        kinds.push_back(k);
    }
    {
        Kind k{"contains: TABLE01 name (scan)", true};
        for (int i = 0; i < 20; ++i)
            k.queries.push_back({std::to_string(1000 + pick(n > 9000 ? n - 1000 : 9000))});
        sqlite3_stmt* st = stmt("SELECT rid FROM t01 WHERE instr(c0002, ?1) > 0 ORDER BY rid");
        k.ours = [&cat](const Query& q) { return RowsOf(cat.GetTable(1)->Search("0002", q.text.c_str(), yqTable::kContains)); };
        k.theirs = [st](const Query& q) { BindBlob(st, 1, q.text); return Collect(st); };
        kinds.push_back(k);
    }
    {
        Kind k{"exact: TABLE05 keyword (N/3 hits)", false};
        std::set<std::string> words;
        yqTable* t05 = cat.GetTable(5);
        for (int r = 0; r < t05->GetRowCount() && words.size() < 3; ++r)
            words.insert(t05->GetRow(r)->GetFieldText("0400"));
        for (int i = 0; i < 3; ++i)
            for (const std::string& w : words)
                k.queries.push_back({w});
        sqlite3_stmt* st = stmt("SELECT rid FROM t05 WHERE c0400 = ?1");
        k.ours = [&cat](const Query& q) { return RowsOf(cat.GetTable(5)->Search("0400", q.text.c_str(), yqTable::kExact)); };
        k.theirs = [st](const Query& q) { BindBlob(st, 1, q.text); return Collect(st); };
        kinds.push_back(k);
    }
    {
        Kind k{"key pair: TABLE07 links", false};
        for (int i = 0; i < 2000; ++i) {
            int p = pick(n);
            k.queries.push_back({p % 2 == 0 ? "A100" : "B200", Number(p)});
        }
        sqlite3_stmt* st = stmt("SELECT rid FROM t07 WHERE c0000 = ?1 AND c0001 = ?2");
        k.ours = [&cat](const Query& q) {
            return RowsOf(cat.GetTable(7)->FindByKeyPair("0000", "0001", q.text.c_str(), q.text2.c_str()));
        };
        k.theirs = [st](const Query& q) { BindBlob(st, 1, q.text); BindBlob(st, 2, q.text2); return Collect(st); };
        kinds.push_back(k);
    }
    {
        Kind k{"range: TABLE16 placement (~100 hits)", false};
        std::vector<double> numbers;
        yqTable* t16 = cat.GetTable(16);
        for (int r = 0; r < t16->GetRowCount(); ++r)
            numbers.push_back(t16->GetRow(r)->GetFieldNumber("0D00"));
        std::sort(numbers.begin(), numbers.end());
        for (int i = 0; i < 1000; ++i) {
            int a = pick(int(numbers.size()));
            int b = std::min(a + 100, int(numbers.size()) - 1);
            k.queries.push_back({"", "", numbers[a], numbers[b]});
        }
        sqlite3_stmt* st = stmt(
            "SELECT rid FROM t16 WHERE c0D00 BETWEEN ?1 AND ?2 AND EXISTS (SELECT 1 FROM t16 WHERE c0D00 = ?1)"
            " AND EXISTS (SELECT 1 FROM t16 WHERE c0D00 = ?2)");
        k.ours = [&cat](const Query& q) { return RowsOf(cat.GetTable(16)->FindRange("0D00", q.low, q.high)); };
        k.theirs = [st](const Query& q) {
            sqlite3_bind_int64(st, 1, static_cast<sqlite3_int64>(q.low));
            sqlite3_bind_int64(st, 2, static_cast<sqlite3_int64>(q.high));
            return Collect(st);
        };
        kinds.push_back(k);
    }
    {
        Kind k{"\"****\" prefix: items (10 products)", false};
        for (int i = 0; i < 200; ++i) {
            std::string p = Number(pick(n)).substr(0, 5);
            k.queries.push_back({p, PrefixEnd(p)});
        }
        sqlite3_stmt* st = stmt(AllFormSql("c0001 >= ?1 AND c0001 < ?2", "c0002 >= ?1 AND c0002 < ?2",
                                           "c0400 >= ?1 AND c0400 < ?2"));
        k.ours = [&cat](const Query& q) {
            int count = 0;
            yqItem** items = cat.SearchItems("****", q.text.c_str(), -1, INT_MAX, yqTable::kPrefix, count);
            return SortedPairs(ItemsOf(items, count));
        };
        k.theirs = [st](const Query& q) {
            BindBlob(st, 1, q.text);
            BindBlob(st, 2, q.text2);
            return SortedPairs(Collect(st, 2));
        };
        kinds.push_back(k);
    }
    {
        Kind k{"\"****\" contains: items (scans)", false};
        for (int i = 0; i < 10; ++i)
            k.queries.push_back({std::to_string(1000 + pick(n > 9000 ? n - 1000 : 9000))});
        sqlite3_stmt* st = stmt(AllFormSql("instr(c0001, ?1) > 0", "instr(c0002, ?1) > 0", "instr(c0400, ?1) > 0"));
        k.ours = [&cat](const Query& q) {
            int count = 0;
            yqItem** items = cat.SearchItems("****", q.text.c_str(), -1, INT_MAX, yqTable::kContains, count);
            return SortedPairs(ItemsOf(items, count));
        };
        k.theirs = [st](const Query& q) { BindBlob(st, 1, q.text); return SortedPairs(Collect(st, 2)); };
        kinds.push_back(k);
    }
    return kinds;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

int Search(const Paths& p, int n, int repeats)
{
    yqCatalog cat;
    if (!cat.Load(catalogtest::CatalogPath(p.root).c_str()))
        Fail("load");
    sqlite3* db = OpenDb(p.db, SQLITE_OPEN_READONLY);
    // A second connection with SQLite's Bloom filters switched off: for the "****" joins its
    // planner builds one over the whole drawing-link table on every query.
    sqlite3* noBloom = OpenDb(p.db, SQLITE_OPEN_READONLY);
    sqlite3_test_control(SQLITE_TESTCTRL_OPTIMIZATIONS, noBloom, 0x00080000 /* SQLITE_BloomFilter */);
    std::vector<sqlite3_stmt*> statements;
    std::vector<Kind> kinds = MakeKinds(cat, db, n, statements);
    std::vector<Kind> kinds2 = MakeKinds(cat, noBloom, n, statements);
    for (size_t i = 0; i < kinds.size(); ++i)
        kinds[i].theirs2 = kinds2[i].theirs;

    // Same answers first.
    for (Kind& k : kinds) {
        size_t rows = 0, empty = 0;
        for (const Query& q : k.queries) {
            Result a = k.ours(q), b = k.theirs(q), c = k.theirs2(q);
            if (b != c)
                Fail(std::string(k.name) + ": the two SQLite connections differ");
            if (!k.ordered) {
                if (std::string(k.name).find("****") == std::string::npos) {
                    std::sort(a.begin(), a.end());
                    std::sort(b.begin(), b.end());
                }
            }
            if (a != b)
                Fail(std::string(k.name) + ": different results for '" + q.text + "' (" + std::to_string(a.size()) +
                     " against " + std::to_string(b.size()) + ")");
            rows += a.size();
            empty += a.empty();
        }
        // name | queries | results per query | empty answers
        std::printf("check|%s|%zu|%.1f|%zu|same\n", k.name, k.queries.size(),
                    double(rows) / double(k.queries.size()) / (std::strstr(k.name, "****") ? 2 : 1), empty);
    }
    // Then timed: each batch `repeats` times; the median per query.
    for (Kind& k : kinds) {
        std::vector<double> ours, theirs, theirs2;
        size_t sink = 0;
        for (int r = 0; r < repeats; ++r) {
            double t0 = Now();
            for (const Query& q : k.queries)
                sink += k.ours(q).size();
            double t1 = Now();
            for (const Query& q : k.queries)
                sink += k.theirs(q).size();
            double t2 = Now();
            for (const Query& q : k.queries)
                sink += k.theirs2(q).size();
            double t3 = Now();
            ours.push_back((t1 - t0) / double(k.queries.size()));
            theirs.push_back((t2 - t1) / double(k.queries.size()));
            theirs2.push_back((t3 - t2) / double(k.queries.size()));
        }
        // name | ours | SQLite | SQLite without Bloom filters, microseconds per query
        double a = Median(ours) * 1e6, b = Median(theirs) * 1e6, c = Median(theirs2) * 1e6;
        std::printf("time|%s|%.2f|%.2f|%.2f|%zu\n", k.name, a, b, c, sink % 7);
    }
    std::printf("items cached by the catalogue after the searches: %zu\n", cat.m_productItems.size());
    for (sqlite3_stmt* st : statements)
        sqlite3_finalize(st);
    sqlite3_close(db);
    sqlite3_close(noBloom);
    std::printf("peak_kb=%ld\n", PeakKb());
    std::printf("sqlite_kb=%lld\n", sqlite3_memory_highwater(0) / 1024);
    return 0;
}

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path) << text;
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path);
    std::string s((std::istreambuf_iterator<char>(in)), {});
    return s;
}

long FolderBytes(const std::string& path, long& files)
{
    long bytes = 0;
    files = 0;
    for (auto& e : fs::recursive_directory_iterator(path))
        if (e.is_regular_file()) {
            bytes += long(e.file_size());
            ++files;
        }
    return bytes;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: catalog_bench gen|load|restore|import|open|search N DIR [repeats]\n");
        return 2;
    }
    std::string mode = argv[1];
    int n = std::atoi(argv[2]);
    Paths p = MakePaths(argv[3], n);
    std::string root = catalogtest::CatalogPath(p.root);
    long baseKb = PeakKb();

    if (mode == "gen") {
        fs::remove_all(p.root);
        fs::remove(p.cache);
        fs::remove(p.db);
        catalogtest::FixtureOptions o;
        o.products = n;
        o.sets = n / 100;
        // Enough categories that each part's placements stay inside its range.
        o.topCategories = std::max(3, n / 400);
        double t0 = Now();
        catalogtest::GenerateCatalog(p.root, o);
        double t1 = Now();
        yqCatalog cat;
        if (!cat.Load(root.c_str()))
            Fail("load");
        int offset = 0, size = 0;
        if (!cat.SaveToCache(catalogtest::CatalogPath(p.cache).c_str(), offset, size))
            Fail("cache");
        WriteText(p.cacheSpot, std::to_string(offset) + " " + std::to_string(size));
        sqlite3* db = OpenDb(p.db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        Import(cat, db);
        sqlite3_close(db);
        long files = 0, bytes = FolderBytes(p.root + "/DISTRIB", files);
        long rows = 0;
        for (yqTable* t : cat.m_tables)
            rows += t->GetRowCount();
        std::printf("generated %d products in %.1f s: %ld table rows, DISTRIB %ld files %.1f MB, cache block %.2f MB,"
                    " SQLite file %.1f MB\n",
                    n, t1 - t0, rows, files, bytes / 1e6, size / 1e6, double(fs::file_size(p.db)) / 1e6);
        return 0;
    }
    if (mode == "load") {
        yqCatalog cat;
        double c0 = Cpu(), t0 = Now();
        int ok = cat.Load(root.c_str());
        double t1 = Now(), c1 = Cpu();
        if (!ok || !cat.GetTable(1) || cat.GetTable(1)->GetRowCount() != n)
            Fail("load");
        std::printf("ms=%.2f cpu_ms=%.2f peak_kb=%ld base_kb=%ld\n", (t1 - t0) * 1e3, (c1 - c0) * 1e3, PeakKb(), baseKb);
        return 0;
    }
    if (mode == "restore") {
        int offset = 0, size = 0;
        std::sscanf(ReadText(p.cacheSpot).c_str(), "%d %d", &offset, &size);
        yqCatalog cat;
        double c0 = Cpu(), t0 = Now();
        int ok = cat.LoadFromCache(root.c_str(), catalogtest::CatalogPath(p.cache).c_str(), offset, size);
        double t1 = Now(), c1 = Cpu();
        if (!ok || !cat.GetTable(1) || cat.GetTable(1)->GetRowCount() != n)
            Fail("restore");
        std::printf("ms=%.2f cpu_ms=%.2f peak_kb=%ld base_kb=%ld\n", (t1 - t0) * 1e3, (c1 - c0) * 1e3, PeakKb(), baseKb);
        return 0;
    }
    if (mode == "parse") {
        std::vector<yqTable*> tables;
        double c0 = Cpu(), t0 = Now();
        for (const char* name : kTables) {
            yqTable* table = new yqTable(name);
            table->Load((root + "/DISTRIB/" + name).c_str(), nullptr);
            tables.push_back(table);
        }
        double t1 = Now(), c1 = Cpu();
        if (tables[0]->GetRowCount() != n)
            Fail("parse");
        std::printf("ms=%.2f cpu_ms=%.2f peak_kb=%ld base_kb=%ld\n", (t1 - t0) * 1e3, (c1 - c0) * 1e3, PeakKb(), baseKb);
        for (yqTable* t : tables)
            delete t;
        return 0;
    }
    if (mode == "import") {
        // The same parsed rows (the core's reader, not timed) into a fresh database file.
        yqCatalog cat;
        if (!cat.Load(root.c_str()))
            Fail("load");
        std::string path = p.db + ".import";
        fs::remove(path);
        long loadedKb = PeakKb();
        sqlite3* db = OpenDb(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        double c0 = Cpu(), t0 = Now();
        Import(cat, db);
        sqlite3_close(db);
        double t1 = Now(), c1 = Cpu();
        fs::remove(path);
        std::printf("ms=%.2f cpu_ms=%.2f peak_kb=%ld base_kb=%ld loaded_kb=%ld sqlite_kb=%lld\n", (t1 - t0) * 1e3,
                    (c1 - c0) * 1e3, PeakKb(), baseKb, loadedKb, sqlite3_memory_highwater(0) / 1024);
        return 0;
    }
    if (mode == "open") {
        double c0 = Cpu(), t0 = Now();
        sqlite3* db = OpenDb(p.db, SQLITE_OPEN_READONLY);
        sqlite3_stmt* st = Prepare(db, "SELECT rid FROM t01 WHERE c0001 = ?1");
        BindBlob(st, 1, Number(n / 2));
        Result r = Collect(st);
        sqlite3_finalize(st);
        double t1 = Now(), c1 = Cpu();
        sqlite3_close(db);
        if (r.size() != 1)
            Fail("open");
        std::printf("ms=%.3f cpu_ms=%.3f peak_kb=%ld base_kb=%ld sqlite_kb=%lld\n", (t1 - t0) * 1e3, (c1 - c0) * 1e3,
                    PeakKb(), baseKb, sqlite3_memory_highwater(0) / 1024);
        return 0;
    }
    if (mode == "search")
        return Search(p, n, argc > 4 ? std::atoi(argv[4]) : 5);
    Fail("unknown mode " + mode);
}
