// The thumbnail grid's arithmetic and cell order, without a window.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ThumbLayout.h"
#include "yqItem.h"

namespace {

const CSize kCell(100, 100), kMargin(20, 20);

TEST(ThumbGrid, ColumnsFromTheWidthRaisedToKeepTheScrollHeightBelow65535)
{
    struct Case {
        int count, clientWidth, columns, rows;
    } cases[] = {
        {700, 150, 2, 350},  // 700 * 120 + 20 lies between 65535 and twice that
        {1, 10, 1, 1},       // narrow window: still one column
        {5, 490, 4, 2},
        {545, 120, 1, 545},
    };
    for (const Case& c : cases) {
        const ThumbGrid g = ThumbGridFor(c.count, c.clientWidth, kCell, kMargin);
        EXPECT_EQ(g.columns, c.columns) << c.count;
        EXPECT_EQ(g.rows, c.rows) << c.count;
        EXPECT_EQ(g.scroll, CSize(g.columns * 120 + 20, g.rows * 120 + 20)) << c.count;
    }
    EXPECT_EQ(ThumbGridFor(546, 120, kCell, kMargin).columns, 2);
    EXPECT_LT(ThumbGridFor(546, 120, kCell, kMargin).scroll.cy, 65535);
    EXPECT_EQ(ThumbGridFor(0, 500, kCell, kMargin).columns, 0);  // empty: the caller keeps its sizes
}

TEST(ThumbGrid, CellsFillRowsLeftToRight)
{
    EXPECT_EQ(ThumbCellRect(0, 3, kCell, kMargin), CRect(20, 20, 120, 120));
    EXPECT_EQ(ThumbCellRect(4, 3, kCell, kMargin), CRect(140, 140, 240, 240));
}

TEST(ThumbGrid, CaptionsStackBelowThePictureArea)
{
    std::vector<CRect> rects;
    const CRect area = ThumbCaptionLayout(CRect(22, 22, 118, 118), {12, 12, 14}, rects);
    EXPECT_EQ(area, CRect(22, 22, 118, 80));
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(rects[0], CRect(22, 80, 118, 92));
    EXPECT_EQ(rects[2], CRect(22, 104, 118, 118));
    EXPECT_EQ(ThumbCaptionLayout(CRect(0, 0, 10, 10), {}, rects), CRect(0, 0, 10, 10));
    EXPECT_TRUE(rects.empty());
}

TEST(ThumbCaption, ShortenedWithDotsKeepingDoubleByteCharactersWhole)
{
    // Every byte 6 px wide: a double-byte character 12 px, "..." 18 px.
    const TextMeasurer measure = [](const char*, int bytes) { return bytes * 6; };
    struct Case {
        const char* text;
        int width;
        const char* shown;
    } cases[] = {
        {"abcd", 25, "abcd"},
        {"abcd", 24, "a..."},          // exactly as wide: shortened
        {"abcdef", 36, "abc..."},
        {"価格表表", 42, "価格..."},   // 24 + 18: fits exactly
        {"価格表表", 41, "価..."},
        {"価格表", 36, "価..."},
        {"a価格", 30, "a..."},         // a価... would take 36
        {"a価格表", 36, "a価..."},
        {"", 0, ""},
        {"abc", 10, "..."},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(FitCaptionText(c.text, c.width, measure), c.shown) << c.text << " " << c.width;
}

TEST(ThumbPicture, FittedKeepingItsAspectAndCentred)
{
    struct Case {
        CSize picture, area, drawn;
    } cases[] = {
        {{50, 50}, {96, 50}, {50, 50}},
        {{96, 50}, {96, 50}, {96, 50}},     // as large as its area: unscaled
        {{0, 40}, {96, 50}, {0, 40}},       // no width: its own size
        {{400, 300}, {96, 50}, {66, 50}},
        {{20, 10}, {96, 96}, {96, 48}},     // smaller pictures are enlarged
        {{60000, 50000}, {50000, 50000}, {50000, 41666}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FitPictureSize(c.picture, c.area), c.drawn) << c.picture.cx << "x" << c.picture.cy;
    EXPECT_EQ(CentreInArea(CRect(10, 5, 106, 55), CSize(50, 50)), CPoint(33, 5));  // 23 from the left
    EXPECT_EQ(ThumbFrameRect(CRect(22, 22, 118, 80), 12, 2), CRect(20, 20, 120, 118));
}

TEST(ThumbSort, PriceDigitsSkipSeparatorsAndCurrency)
{
    EXPECT_EQ(ParsePriceDigits("価格：12,800円"), 12800);
    EXPECT_EQ(ParsePriceDigits("12,800.00"), 1280000);
    EXPECT_EQ(ParsePriceDigits("価格："), 0);
    EXPECT_EQ(ParsePriceDigits(""), 0);
}

TEST(ThumbSort, FolderCellsFirstInBothDirections)
{
    for (bool ascending : {true, false}) {
        EXPECT_EQ(CompareThumbCaptions(0x202, "z", 0, "a", ascending), -1);
        EXPECT_EQ(CompareThumbCaptions(0, "a", 0x202, "z", ascending), 1);
        EXPECT_EQ(CompareThumbCaptions(0x402, "a", 0x802, "b", ascending), -1);  // smaller kind
    }
    EXPECT_EQ(CompareThumbCaptions(0, "a", 0, "b", true), -1);
    EXPECT_EQ(CompareThumbCaptions(0, "a", 0, "b", false), 1);
}

TEST(ThumbSort, FolderAndDriveCellsSortAsAStrictWeakOrder)
{
    struct Cell {
        unsigned kind;
        const char* text;
    };
    const Cell cells[] = {{0x100, "z"}, {0x300, "m"}, {0x200, "a"}, {0x402, "b"}, {0, "c"}, {0x102, "m"}};
    for (bool ascending : {true, false})
        for (const Cell& x : cells) {
            EXPECT_EQ(CompareThumbCaptions(x.kind, x.text, x.kind, x.text, ascending), 0);
            for (const Cell& y : cells) {
                const int xy = CompareThumbCaptions(x.kind, x.text, y.kind, y.text, ascending);
                EXPECT_EQ(xy, -CompareThumbCaptions(y.kind, y.text, x.kind, x.text, ascending));
                for (const Cell& z : cells) {
                    if (xy < 0 && CompareThumbCaptions(y.kind, y.text, z.kind, z.text, ascending) < 0) {
                        EXPECT_LT(CompareThumbCaptions(x.kind, x.text, z.kind, z.text, ascending), 0);
                    }
                }
            }
        }
    EXPECT_EQ(CompareThumbCaptions(0x100, "z", 0x300, "m", true), 1);  // by text
}

TEST(ThumbSort, PricesAndSizesNumericallyWithEmptyCaptionsFirst)
{
    for (bool ascending : {true, false}) {
        const int up = ascending ? 1 : -1;
        EXPECT_EQ(CompareThumbPrices("価格：12,800円", "価格：9,800円", ascending), up);
        EXPECT_EQ(CompareThumbPrices("12,800.00", "9,800.00", ascending), up);
        EXPECT_EQ(CompareThumbPrices("", "価格：1円", ascending), -1);
        EXPECT_EQ(CompareThumbPrices("価格：1円", "", ascending), 1);
        EXPECT_EQ(CompareThumbPrices("", "", ascending), 0);
        EXPECT_EQ(CompareThumbSizes("1MB", "12KB", ascending), up);
        EXPECT_EQ(CompareThumbSizes("", "1KB", ascending), -1);
        EXPECT_EQ(CompareThumbSizes("12345", "12340", ascending), up);  // a plain number keeps its last digit
        EXPECT_EQ(CompareThumbSizes("2147483648B", "1B", ascending), up);
        EXPECT_EQ(CompareThumbSizes("12000B", "12KB", ascending), 0);
    }
}

TEST(ThumbDetail, PreviewFitsInsideItsFrameAndCentres)
{
    EXPECT_EQ(PreviewPictureRect(CSize(400, 300), CSize(200, 100)), CRect(35, 1, 165, 99));  // 130 x 98
    EXPECT_EQ(PreviewPictureRect(CSize(100, 400), CSize(200, 100)), CRect(88, 1, 112, 99));
    EXPECT_TRUE(PreviewPictureRect(CSize(0, 300), CSize(200, 100)).IsRectEmpty());
}

TEST(ThumbDetail, FurtherPictureCaptionLines)
{
    struct Case {
        const char* text;
        std::vector<CString> lines;
    } cases[] = {
        {"A\r\nB", {"A", "B"}},
        {"A\r\n", {"A", ""}},
        {"A\rB", {"A", "B"}},
        {"A\r", {"A\r"}},              // the last character stays, even a CR
        {"A\nB", {"A", "\nB"}},        // a lone LF starts the next line
        {"表\r\n示", {"表", "示"}},     // double-byte characters stay whole
        {"", {""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitPictureCaption(c.text), c.lines) << c.text;
}

TEST(ThumbDetail, ItemCaptionsByKindWithPriceOnlyWithSuffix)
{
    yqItem item;
    item.m_pszNumber = "AB-1";
    item.m_pszName = "椅子";
    item.m_pszCaption = "平面図";
    item.m_dPrice = 12800;
    item.m_pszPriceSuffix = "円";
    item.m_nKind = yqItem::kProductImage;
    EXPECT_EQ(ItemCellCaptions(item, "12,800"), (std::vector<CString>{"品番：AB-1", "品名：椅子", "価格：12,800円"}));
    item.m_nKind = yqItem::kProductDrawing;
    EXPECT_EQ(ItemCellCaptions(item, "12,800")[1], "種類：平面図");
    item.m_pszPriceSuffix = nullptr;
    EXPECT_EQ(ItemCellCaptions(item, "12,800")[2], "");
    item.m_pszPriceSuffix = "円";
    item.m_dPrice = 0;
    EXPECT_EQ(ItemCellCaptions(item, "0")[2], "");
}

}  // namespace
