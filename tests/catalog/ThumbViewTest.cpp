// The thumbnail grid under Wine: cells laid out in the view, captions fitted with the real
// font, pictures painted from their files, a failed read remembered, and the sort.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "CatalogFixture.h"
#include "ImageView.h"

#include <BaseImage.h>

namespace {

// A w x h 24-bit BMP of one colour.
void WriteSolidBmp(const std::string& path, int w, int h, COLORREF colour)
{
    const int stride = (w * 3 + 3) & ~3;
    std::vector<uint8_t> bytes(54 + size_t(stride) * h, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = uint8_t(v >> (8 * i));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, uint32_t(bytes.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, uint32_t(w));
    put32(22, uint32_t(h));
    bytes[26] = 1;
    bytes[28] = 24;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &bytes[54 + size_t(y) * stride + x * 3];
            p[0] = GetBValue(colour);
            p[1] = GetGValue(colour);
            p[2] = GetRValue(colour);
        }
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

class ThumbViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = catalogtest::MakeTempFolder("thumbs");
        parent.CreateEx(0, AfxRegisterWndClass(0), "thumbs", WS_POPUP | WS_VISIBLE, CRect(0, 0, 520, 400), nullptr, 0);
        view = new CImageView;  // deleted with its window
        ASSERT_TRUE(view->Create(nullptr, "view", WS_CHILD | WS_VISIBLE, CRect(0, 0, 490, 400), &parent,
                                 AFX_IDW_PANE_FIRST, nullptr));
        view->OnInitialUpdate();
    }
    void TearDown() override
    {
        parent.DestroyWindow();
        catalogtest::RemoveFolder(folder);
    }

    CThumbImageItem* AddCell(const std::string& file, const char* caption, unsigned kind = 0)
    {
        auto* cell = new CThumbImageItem;
        cell->m_strPath = catalogtest::CatalogPath(folder + "/" + file).c_str();
        cell->m_nKind = kind;
        auto* text = new CThumbTextItem;
        text->m_strText = caption;
        text->m_pOwner = view;
        text->m_pFont = ThumbFont();
        cell->m_captions.push_back(text);
        view->m_cells.push_back(cell);
        return cell;
    }

    // The view's paint into a bitmap of its client size, handed to `read`.
    template <class Read>
    auto Painted(Read read)
    {
        CClientDC screen(view);
        CDC dc;
        dc.CreateCompatibleDC(&screen);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&screen, 490, 400);
        CBitmap* old = dc.SelectObject(&bitmap);
        view->OnPrepareDC(&dc);
        view->OnDraw(&dc);
        const auto result = read(dc.GetSafeHdc());
        dc.SelectObject(old);
        return result;
    }

    COLORREF PaintedPixel(CPoint at)
    {
        return Painted([&](HDC dc) { return ::GetPixel(dc, at.x, at.y); });
    }

    // Any pixel other than white in the rectangle.
    bool HasInk(const CRect& r)
    {
        return Painted([&](HDC dc) {
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x)
                    if (::GetPixel(dc, x, y) != RGB(255, 255, 255))
                        return true;
            return false;
        });
    }

    std::string folder;
    CWnd parent;
    CImageView* view = nullptr;
};

TEST_F(ThumbViewTest, CellsFillRowsAndCaptionsSitBelowThePicture)
{
    for (int i = 0; i < 5; ++i)
        AddCell("p" + std::to_string(i) + ".bmp", "short");
    view->m_cells[3]->m_nState = 1;
    view->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(490, 400));
    EXPECT_EQ(view->m_cells[3]->m_nState, 2);  // a resize clears the selection
    EXPECT_EQ(view->m_cells[4]->m_rect, CRect(20, 140, 120, 240));  // 4 columns of pitch 120
    EXPECT_EQ(view->GetTotalSize(), CSize(4 * 120 + 20, 2 * 120 + 20));
    const CThumbImageItem* cell = view->m_cells[0];
    const CThumbTextItem* caption = cell->GetCaption(0);
    const int line = caption->GetTextExtent().cy;
    EXPECT_GT(line, 0);
    EXPECT_EQ(cell->m_rcPicture, CRect(22, 22, 118, 118 - line));
    EXPECT_EQ(caption->m_rect, CRect(22, 118 - line, 118, 118));
    EXPECT_STREQ(caption->m_strDisplay, "short");
    EXPECT_EQ(cell->GetFileName(), "p0.bmp");
    EXPECT_EQ(view->m_cells[0]->HitTest(CPoint(119, 20)).first, 2);
    EXPECT_EQ(view->m_cells[0]->HitTest(CPoint(120, 20)).second, nullptr);

    view->DeleteAllCells();
    view->LayoutCells();  // an empty view keeps its scroll sizes
    EXPECT_EQ(view->GetTotalSize(), CSize(4 * 120 + 20, 2 * 120 + 20));
}

TEST_F(ThumbViewTest, LongCaptionsAreShortenedToTheCellWidth)
{
    AddCell("a.bmp", "価格：１２３４５６７８９０１２３４５６７８９０円");
    view->LayoutCells();
    const CThumbTextItem* caption = view->m_cells[0]->GetCaption(0);
    const CString shown = caption->m_strDisplay;
    ASSERT_GT(shown.GetLength(), 3);
    EXPECT_EQ(shown.Right(3), "...");
    EXPECT_LE(caption->GetDisplayExtent().cx, 96);
    EXPECT_EQ(std::string(caption->m_strText).find(std::string(shown.Left(shown.GetLength() - 3))), 0u);
    EXPECT_EQ((shown.GetLength() - 3) % 2, 0);  // "価格：" and the digits are double-byte
}

TEST_F(ThumbViewTest, CaptionsOfCellsOutOfViewAreFittedWhenTheyArePainted)
{
    const char* text = "価格：１２３４５６７８９０１２３４５６７８９０円";
    for (int i = 0; i < 60; ++i)
        AddCell("p" + std::to_string(i) + ".bmp", text);
    view->LayoutCells();
    CThumbImageItem* first = view->m_cells.front();
    CThumbImageItem* last = view->m_cells.back();
    EXPECT_TRUE(first->IsLaidOut());
    EXPECT_FALSE(last->IsLaidOut());
    view->SendMessage(WM_VSCROLL, SB_BOTTOM);
    view->UpdateWindow();
    ASSERT_TRUE(last->IsLaidOut());
    // The same layout as the cells laid out at once.
    EXPECT_EQ(first->GetCaption(0)->m_strDisplay, last->GetCaption(0)->m_strDisplay);
    EXPECT_EQ(first->m_rcPicture - first->m_rect.TopLeft(), last->m_rcPicture - last->m_rect.TopLeft());
    EXPECT_EQ(first->GetCaption(0)->m_rect - first->m_rect.TopLeft(), last->GetCaption(0)->m_rect - last->m_rect.TopLeft());
    // A move makes the cell lay out again.
    CRect moved = last->m_rect;
    moved.OffsetRect(0, 120);
    last->SetRect(&moved);
    EXPECT_FALSE(last->IsLaidOut());
}

TEST_F(ThumbViewTest, PicturesPaintFromTheirFilesAndAFailedReadIsNotRetried)
{
    WriteSolidBmp(folder + "/red.BMP", 4, 2, RGB(255, 0, 0));
    WriteSolidBmp(folder + "/blue.bmp", 2, 4, RGB(0, 0, 255));
    AddCell("red.BMP", "red");
    AddCell("blue.bmp", "blue");
    AddCell("missing.bmp", "gone");
    AddCell("other.gif", "gif");
    view->LayoutCells();
    const CRect red = view->m_cells[0]->m_rcPicture, blue = view->m_cells[1]->m_rcPicture;
    EXPECT_EQ(PaintedPixel(red.CenterPoint()), RGB(255, 0, 0));
    EXPECT_EQ(PaintedPixel(blue.CenterPoint()), RGB(0, 0, 255));
    EXPECT_EQ(PaintedPixel(CPoint(blue.left + 2, blue.top + 2)), RGB(255, 255, 255));  // beside the tall picture
    EXPECT_EQ(view->m_cells[2]->m_pImage, nullptr);
    EXPECT_TRUE(view->m_cells[2]->m_bLoadFailed);
    EXPECT_TRUE(view->m_cells[3]->m_bLoadFailed);

    // The selected cell's frame is grey, the others' white; the missing picture's place says so.
    view->m_cells[0]->m_nState = 1;
    const CRect cell0 = view->m_cells[0]->m_rect, cell1 = view->m_cells[1]->m_rect;
    EXPECT_EQ(PaintedPixel(CPoint(cell0.left + 1, cell0.top + 10)), RGB(100, 100, 100));
    EXPECT_EQ(PaintedPixel(CPoint(cell1.left + 1, cell1.top + 10)), RGB(255, 255, 255));
    EXPECT_TRUE(HasInk(view->m_cells[2]->m_rcPicture));
    // A short caption is centred: nothing painted at its left end.
    const CRect caption = view->m_cells[0]->GetCaption(0)->m_rect;
    EXPECT_TRUE(HasInk(caption));
    EXPECT_FALSE(HasInk(CRect(caption.left, caption.top, caption.left + 30, caption.bottom)));

    WriteSolidBmp(folder + "/missing.bmp", 2, 2, RGB(0, 255, 0));
    PaintedPixel(CPoint(0, 0));
    EXPECT_EQ(view->m_cells[2]->m_pImage, nullptr);  // remembered for the life of the view
}

TEST_F(ThumbViewTest, PictureClassByEndingAndNothingForOthers)
{
    WriteSolidBmp(folder + "/a.bmp", 2, 2, RGB(0, 0, 0));
    WriteSolidBmp(folder + "/a.gif", 2, 2, RGB(0, 0, 0));
    const std::string base = catalogtest::CatalogPath(folder + "/a");
    CBaseImage* image = view->LoadCellImage((base + ".bmp").c_str());
    ASSERT_NE(image, nullptr);
    delete image;
    EXPECT_EQ(view->LoadCellImage((base + ".gif").c_str()), nullptr);
    EXPECT_EQ(view->LoadCellImage((base + ".png").c_str()), nullptr);  // no such file
}

TEST_F(ThumbViewTest, SortKeepsFoldersFirstInBothDirections)
{
    AddCell("b", "b");
    AddCell("dir", "z", 0x202);
    AddCell("a", "a");
    AddCell("dir2", "y", 0x202);
    auto order = [&] {
        std::string s;
        for (const CThumbImageItem* cell : view->m_cells)
            s += cell->GetCaption(0)->m_strText;
        return s;
    };
    view->SortCells(3, TRUE);
    EXPECT_EQ(order(), "yzab");
    view->SortCells(3, FALSE);
    EXPECT_EQ(order(), "zyba");
}

}  // namespace
