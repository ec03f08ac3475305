// The editing view in a page standing in for the wizard's, read back by pixels.
#include <gtest/gtest.h>

#include "WizardTestSupport.h"

#include "DibFunctions.h"
#include "ViewZoom.h"

#include <memory>

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kGrey = RGB(214, 214, 214);
const COLORREF kRed = RGB(255, 0, 0);

COLORREF Gradient(int x, int y)
{
    return RGB((x * 5) & 0xFF, (y * 7) & 0xFF, 40 + ((x + y) & 0x7F));
}

class EditDIBViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pView = new CEditDIBView;
        ASSERT_TRUE(m_pView->Create());
        ASSERT_TRUE(m_page.CreatePage(kClientWidth, kClientHeight));
        m_page.Attach(m_pView);
    }
    void TearDown() override
    {
        m_page.Detach();
        m_pView->DetachImage();
        m_pView->DestroyWindow(); // deletes the view
        m_page.DestroyWindow();
    }
    // Attaches a new picture and lets the first paint choose the zoom.
    void Show(CImage* image)
    {
        m_image.reset(image);
        m_pView->SetImage(image);
        m_pView->UpdateWindow();
        PumpPending();
    }
    COLORREF Pixel(int x, int y) { return ReadPixel(m_pView->m_hWnd, x, y); }

    static constexpr int kClientWidth = 300, kClientHeight = 200;
    CEditDIBView* m_pView = NULL;
    CRecordingPage m_page;
    std::unique_ptr<CImage> m_image;
};

TEST_F(EditDIBViewTest, CheckerboardWithoutPicture)
{
    CRect client;
    m_pView->GetClientRect(&client);
    EXPECT_EQ(kClientWidth, client.Width());
    EXPECT_EQ(kWhite, Pixel(0, 0));
    EXPECT_EQ(kWhite, Pixel(15, 15));
    EXPECT_EQ(kGrey, Pixel(16, 0));
    EXPECT_EQ(kGrey, Pixel(0, 16));
    EXPECT_EQ(kWhite, Pixel(16, 16));
    EXPECT_EQ(kGrey, Pixel(290, 180)); // column 18, row 11
}

TEST_F(EditDIBViewTest, FirstPaintChoosesZoomAndTellsThePage)
{
    Show(MakeImage(100, 100, Gradient));
    // 200 x 200 fits the client, 400 x 400 does not.
    EXPECT_EQ(MakeZoom(2, 1), m_pView->m_nZoom);
    EXPECT_EQ(std::vector<UINT>{WZM_ZOOMCHANGED}, m_page.Messages());
    EXPECT_EQ(Gradient(10, 20), Pixel(21, 41));
    EXPECT_EQ(Gradient(99, 99), Pixel(199, 199));
    EXPECT_EQ(kGrey, Pixel(210, 0)); // checkerboard right of the picture: column 13
    EXPECT_EQ(kWhite, Pixel(230, 0));
}

TEST_F(EditDIBViewTest, ZoomedPictureHasNoSeamsAfterAScrollStep)
{
    Show(MakeImage(100, 100, Gradient));
    m_pView->SetZoom(MakeZoom(4, 1));
    m_pView->UpdateWindow();
    m_pView->SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    m_pView->SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(CPoint(32, 32), m_pView->GetScrollPos());
    CRect client;
    m_pView->GetClientRect(&client);
    ::UpdateWindow(m_pView->m_hWnd);
    HDC hDC = ::GetDC(m_pView->m_hWnd);
    int wrong = 0;
    for (int y = 0; y < client.Height(); y += 3)
        for (int x = 0; x < client.Width(); ++x)
            wrong += ::GetPixel(hDC, x, y) != Gradient((x + 32) / 4, (y + 32) / 4);
    ::ReleaseDC(m_pView->m_hWnd, hDC);
    EXPECT_EQ(0, wrong);
}

TEST_F(EditDIBViewTest, ScrollToTheEndsStaysInRange)
{
    Show(MakeImage(100, 100, Gradient));
    m_pView->SetZoom(MakeZoom(4, 1)); // 400 x 400 in the client
    CRect client;
    m_pView->GetClientRect(&client);
    m_pView->SendMessage(WM_HSCROLL, SB_RIGHT, 0);
    m_pView->SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(CPoint(400 - client.Width(), 400 - client.Height()), m_pView->GetScrollPos());
    m_pView->SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_EQ(400 - client.Width(), m_pView->GetScrollPos().x);
    m_pView->SendMessage(WM_HSCROLL, SB_LEFT, 0);
    m_pView->SendMessage(WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(CPoint(0, 0), m_pView->GetScrollPos());
    EXPECT_EQ(Gradient(0, 0), Pixel(0, 0));
}

TEST_F(EditDIBViewTest, FitToWindow)
{
    Show(MakeImage(600, 200, Gradient));
    CRect client;
    m_pView->GetClientRect(&client);
    m_pView->SetFitToWindow(TRUE);
    EXPECT_EQ(MakeZoom(client.Width(), 600), m_pView->m_nFitZoom);
    EXPECT_EQ(client.Width(), m_pView->GetZoomedWidth());
    EXPECT_EQ((200 * client.Width() + 300) / 600, m_pView->GetZoomedHeight());
    EXPECT_EQ(CPoint(600, 200), m_pView->ClientToImage(CPoint(client.Width(), m_pView->GetZoomedHeight())));
    // Shrunk about 2:1, the corner shows one of the picture's first two pixels.
    const COLORREF corner = Pixel(0, 0);
    EXPECT_TRUE(corner == Gradient(0, 0) || corner == Gradient(1, 0) || corner == Gradient(0, 1)
                || corner == Gradient(1, 1)) << std::hex << corner;
    EXPECT_EQ(kGrey, Pixel(16, 195)); // the checkerboard below the picture (column 1, row 12)
    EXPECT_EQ(kWhite, Pixel(32, 195));
}

TEST_F(EditDIBViewTest, TilingRepeatsTheRangeBox)
{
    Show(MakeImage(60, 60, Gradient));
    m_pView->SetCropBox(0, 0, 0, 0, FALSE);
    m_pView->m_rcRange = RECT{10, 10, 30, 30};
    m_pView->ShowRangeBox(TRUE, FALSE, -1, 0);
    m_pView->SetTilingPreview(TRUE);
    m_pView->SetZoom(MakeZoom(3, 1)); // 20 x 20 at 3:1, three tiles of 20 a side
    int wrong = 0;
    HDC hDC = ::GetDC(m_pView->m_hWnd);
    ::UpdateWindow(m_pView->m_hWnd);
    for (int y = 0; y < 60; y += 2)
        for (int x = 0; x < 60; x += 2)
            wrong += ::GetPixel(hDC, x, y) != Gradient(10 + x % 20, 10 + y % 20);
    ::ReleaseDC(m_pView->m_hWnd, hDC);
    EXPECT_EQ(0, wrong);
}

TEST_F(EditDIBViewTest, BoxesWhereTheConversionsPutThem)
{
    Show(MakeImage(200, 150, [](int, int) { return kWhite; }));
    ASSERT_EQ(MakeZoom(1, 1), m_pView->m_nZoom);
    m_pView->SetCropBox(40, 40, 80, 80, FALSE);
    m_pView->ShowRangeBox(TRUE, FALSE, -1, 0);
    EXPECT_EQ(CRect(10, 10, 190, 140), CRect(m_pView->m_rcRange));
    const RecordedMessage* sized = m_page.Last(WZM_SIZECHANGED);
    ASSERT_NE(nullptr, sized);
    EXPECT_EQ(MAKELONG(180, 130), (LONG)sized->wParam);
    EXPECT_EQ(MAKELONG(40, 40), (LONG)sized->lParam);

    // Handles: 5 x 5 squares inverted around the corners.
    EXPECT_EQ(RGB(0, 0, 0), Pixel(8, 8));
    EXPECT_EQ(RGB(0, 0, 0), Pixel(8, 139));
    EXPECT_EQ(RGB(0, 0, 0), Pixel(188, 138));
    EXPECT_EQ(kWhite, Pixel(6, 6));
    // The dotted outline along the top edge: black and white dots.
    int black = 0;
    for (int x = 20; x < 60; ++x)
        black += Pixel(x, 10) == RGB(0, 0, 0);
    EXPECT_GT(black, 10);
    EXPECT_LT(black, 30);
    // The red crop box: its right and bottom edges are drawn one pixel inside.
    EXPECT_EQ(kRed, Pixel(40, 60));
    EXPECT_EQ(kRed, Pixel(79, 60));
    EXPECT_EQ(kRed, Pixel(60, 79));
    EXPECT_EQ(kWhite, Pixel(80, 60));

    m_pView->SetZoom(MakeZoom(2, 1));
    EXPECT_EQ(kRed, Pixel(80, 120));
    EXPECT_EQ(kRed, Pixel(159, 120));
    EXPECT_EQ(kWhite, Pixel(81, 120));
    EXPECT_EQ(CPoint(40, 60), m_pView->ClientToImage(CPoint(80, 120)));
}

TEST_F(EditDIBViewTest, DraggingXorsTheBoxAwayAndBack)
{
    Show(MakeImage(200, 150, Gradient));
    m_pView->SetCropBox(40, 40, 80, 80, FALSE);
    m_pView->ShowRangeBox(TRUE, FALSE, -1, 2); // range box hidden: only the crop box
    ASSERT_EQ(kRed, Pixel(40, 60));
    m_pView->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 60));
    PumpPending();
    ASSERT_TRUE(m_pView->m_bDragging);
    m_pView->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(80, 70));
    EXPECT_EQ(CRect(60, 50, 100, 90), CRect(m_pView->m_rcCrop));
    // The old outline is gone, the picture back where it was.
    EXPECT_EQ(Gradient(40, 60), Pixel(40, 60));
    EXPECT_EQ(Gradient(50, 40), Pixel(50, 40));
    EXPECT_NE(Gradient(60, 70), Pixel(60, 70));
    m_pView->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(80, 70));
    EXPECT_FALSE(m_pView->m_bDragging);
    PumpPending();
    EXPECT_EQ(kRed, Pixel(60, 70));
}

TEST_F(EditDIBViewTest, MessagesOfTheOperations)
{
    CImage* image = MakeImage(40, 30, Gradient);
    // An image that comes back with an undo layer tells the page at once.
    BITMAPINFOHEADER* undoInfo = DibNewHeader24(image->GetInfo(0), 40, 30);
    BYTE* undoBits = static_cast<BYTE*>(calloc(1, DibBytes24(40, 30)));
    image->SetLayer(undoInfo, undoBits, 2);
    Show(image);
    EXPECT_EQ((std::vector<UINT>{WZM_UNDOSET, WZM_ZOOMCHANGED}), m_page.Messages());

    m_page.m_messages.clear();
    m_pView->RotateQuarter(1);
    EXPECT_EQ((std::vector<UINT>{WZM_UNDOSET, WZM_SIZECHANGED}), m_page.Messages());
    EXPECT_EQ(MAKELONG(30, 40), (LONG)m_page.Last(WZM_SIZECHANGED)->wParam);
    EXPECT_EQ(30, m_pView->m_nImageWidth);

    m_page.m_messages.clear();
    m_pView->Revert();
    EXPECT_EQ((std::vector<UINT>{WZM_SIZECHANGED, WZM_REVERTED}), m_page.Messages());
    EXPECT_EQ(40, m_pView->m_nImageWidth);
    PumpPending();
    EXPECT_EQ(Gradient(3, 4), Pixel(ZoomValue(3, m_pView->m_nZoom), ZoomValue(4, m_pView->m_nZoom)));
}

TEST_F(EditDIBViewTest, RangeDragOnTheSizePageResamplesAndReverts)
{
    Show(MakeImage(200, 150, Gradient));
    ASSERT_EQ(MakeZoom(1, 1), m_pView->m_nZoom);
    m_pView->ShowRangeBox(TRUE, FALSE, 1, 0);
    ASSERT_EQ(CRect(10, 10, 190, 140), CRect(m_pView->m_rcRange));
    m_page.m_messages.clear();
    m_pView->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(188, 138));
    ASSERT_TRUE(m_pView->m_bDragging);
    m_pView->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(108, 100));
    // Width 100 and the picture's proportions.
    EXPECT_EQ(CRect(10, 10, 110, 85), CRect(m_pView->m_rcRange));
    m_pView->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(108, 100));
    EXPECT_EQ(CRect(10, 10, 190, 140), CRect(m_pView->m_rcUndoRange));
    EXPECT_TRUE(m_pView->m_bHasUndo);
    EXPECT_EQ(100, m_pView->GetWorkingInfo()->biWidth);
    EXPECT_EQ(75, m_pView->GetWorkingInfo()->biHeight);
    EXPECT_EQ(Gradient(100, 100), WorkingPixel(*m_pView, 50, 50));

    m_pView->Revert();
    EXPECT_EQ(CRect(10, 10, 190, 140), CRect(m_pView->m_rcRange));
    EXPECT_EQ(200, m_pView->GetWorkingInfo()->biWidth);
    EXPECT_EQ(Gradient(123, 45), WorkingPixel(*m_pView, 123, 45));
}

TEST_F(EditDIBViewTest, DragHeldRightOfTheClientScrollsLineByLine)
{
    Show(MakeImage(800, 150, Gradient));
    m_pView->SetZoom(MakeZoom(1, 1));
    m_pView->m_rcRange = RECT{20, 20, 120, 100};
    m_pView->ShowRangeBox(TRUE, FALSE, -1, 0);
    // The real pointer rests inside the view, so each posted move scrolls once more only
    // while it stays outside.
    POINT inside = {100, 50};
    m_pView->ClientToScreen(&inside);
    ::SetCursorPos(inside.x, inside.y);
    m_pView->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 50));
    ASSERT_TRUE(m_pView->m_bDragging);
    CRect client;
    m_pView->GetClientRect(&client);
    m_pView->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.Width() + 20, 50));
    EXPECT_EQ(8, m_pView->GetScrollPos().x);
    m_pView->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.Width() + 20, 50));
    EXPECT_EQ(16, m_pView->GetScrollPos().x);
    // The box followed the pointer plus the scrolled distance.
    EXPECT_EQ(20 + client.Width() + 20 - 60 + 16, m_pView->m_rcRange.left);
    m_pView->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(100, 50));
}

TEST_F(EditDIBViewTest, TinyPictureGetsABoxInsideIt)
{
    Show(MakeImage(10, 10, Gradient));
    m_pView->ShowRangeBox(TRUE, FALSE, 1, 0);
    EXPECT_EQ(CRect(0, 0, 10, 10), CRect(m_pView->m_rcRange));
}

TEST_F(EditDIBViewTest, BrushThenApplyBlackensExactlyTheStroke)
{
    Show(MakeImage(50, 40, Gradient));
    m_pView->SetZoom(MakeZoom(1, 1));
    m_pView->SelectBrushTool(1); // 5 pixels
    ASSERT_TRUE(m_pView->HasMask());
    m_pView->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    m_pView->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    // Shown black while the tool is in use, the picture itself untouched.
    EXPECT_EQ(RGB(0, 0, 0), Pixel(18, 22));
    EXPECT_EQ(Gradient(17, 22), Pixel(17, 22));
    EXPECT_EQ(Gradient(18, 22), WorkingPixel(*m_pView, 18, 22));

    // A right click ends the tool and applies the mask.
    m_pView->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    EXPECT_FALSE(m_pView->HasMask());
    int wrong = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 50; ++x) {
            const bool stroke = x >= 18 && x < 23 && y >= 18 && y < 23;
            wrong += WorkingPixel(*m_pView, x, y) != (stroke ? RGB(0, 0, 0) : Gradient(x, y));
        }
    EXPECT_EQ(0, wrong);
}

TEST_F(EditDIBViewTest, RevertRestoresTheMask)
{
    Show(MakeImage(50, 40, Gradient));
    m_pView->SetZoom(MakeZoom(1, 1));
    m_pView->SelectBrushTool(0);
    m_pView->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    m_pView->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(25, 5));
    m_pView->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(25, 5));
    EXPECT_EQ(CFillMask::BLACK, m_pView->GetMask().Get(15, 5));
    EXPECT_EQ(RGB(0, 0, 0), Pixel(15, 5));
    m_pView->Revert();
    EXPECT_EQ(CFillMask::WHITE, m_pView->GetMask().Get(15, 5));
    EXPECT_EQ(Gradient(15, 5), Pixel(15, 5));

    // The flood fill from a pixel with tolerance 255 blackens the whole picture.
    m_pView->SelectFloodFillTool(255);
    m_pView->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 30));
    m_pView->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(30, 30));
    EXPECT_EQ(RGB(0, 0, 0), Pixel(1, 1));
    m_pView->EndTool(FALSE);
    EXPECT_EQ(RGB(0, 0, 0), WorkingPixel(*m_pView, 49, 39));
}

TEST_F(EditDIBViewTest, PolygonKeepsItsInside)
{
    Show(MakeImage(50, 40, Gradient));
    m_pView->SetZoom(MakeZoom(1, 1));
    m_pView->SelectPolygonTool();
    const POINT points[] = {{10, 10}, {30, 10}, {30, 30}, {10, 30}, {11, 11}};
    for (const POINT& p : points) {
        m_pView->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        m_pView->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    }
    EXPECT_EQ(CFillMask::WHITE, m_pView->GetMask().Get(20, 20));
    EXPECT_EQ(CFillMask::BLACK, m_pView->GetMask().Get(5, 20));
    EXPECT_EQ(CFillMask::BLACK, m_pView->GetMask().Get(35, 20));
    m_pView->EndTool(FALSE);
    EXPECT_EQ(Gradient(20, 20), WorkingPixel(*m_pView, 20, 20));
    EXPECT_EQ(RGB(0, 0, 0), WorkingPixel(*m_pView, 40, 35));
}

} // namespace
