#include <gtest/gtest.h>

#include "PageLayout.h"
#include "WizardSettings.h"

#include <cstdint>
#include <cstring>

namespace {

TEST(PageLayout, AnchorsFollowTheWindow)
{
    const RECT saved = {10, 20, 110, 70};
    struct Case {
        int flags;
        RECT moved;
    } cases[] = {
        {0, {10, 20, 110, 70}},
        {ANCHOR_MOVE_X, {40, 20, 140, 70}},
        {ANCHOR_MOVE_Y, {10, 60, 110, 110}},
        {ANCHOR_MOVE_X | ANCHOR_MOVE_Y, {40, 60, 140, 110}},
        {ANCHOR_SIZE_X, {10, 20, 140, 70}},
        {ANCHOR_SIZE_Y, {10, 20, 110, 110}},
        {ANCHOR_SIZE_X | ANCHOR_SIZE_Y, {10, 20, 140, 110}},
    };
    for (const Case& c : cases) {
        const RECT r = AnchoredRect(saved, c.flags, 30, 40);
        EXPECT_EQ(r.left, c.moved.left) << c.flags;
        EXPECT_EQ(r.top, c.moved.top) << c.flags;
        EXPECT_EQ(r.right, c.moved.right) << c.flags;
        EXPECT_EQ(r.bottom, c.moved.bottom) << c.flags;
    }
}

TEST(PageLayout, StepCaptionUsesFullWidthDigits)
{
    // "画像加工ウィザード ステップ%1" with step 3 gives "… ステップ３".
    EXPECT_STREQ((const char*)StepCaption("Step%1", 3), "Step\x82\x52");
    EXPECT_STREQ((const char*)StepCaption("%1/%1", 0), "\x82\x4F/\x82\x4F");
    EXPECT_STREQ((const char*)StepCaption("%1", 12), "\x82\x58");
}

TEST(PageLayout, NextPageRect)
{
    const RECT remembered = {100, 100, 700, 500};
    const RECT shown = {0, 0, 300, 200};
    // Not moved: what was remembered stays.
    RECT r = NextPageRect(remembered, shown, shown, true);
    EXPECT_EQ(r.right, 700);
    // A moved resizable page passes on its whole rectangle.
    r = NextPageRect(remembered, RECT{50, 60, 450, 360}, shown, true);
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.right, 450);
    // A moved fixed page passes on only its position.
    r = NextPageRect(remembered, RECT{50, 60, 350, 260}, shown, false);
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.top, 60);
    EXPECT_EQ(r.right, 650);
    EXPECT_EQ(r.bottom, 460);
    // With nothing remembered its own size becomes the remembered one.
    r = NextPageRect(RECT{}, RECT{50, 60, 350, 260}, shown, false);
    EXPECT_EQ(r.right, 350);
}

TEST(WizardSettings, ResetRules)
{
    CWizardSettings s;
    EXPECT_TRUE(s.LastPageMaximized);
    EXPECT_EQ(s.InputMethod, 1);
    EXPECT_TRUE(s.SaveAs256Colors);
    s.RotateLeft = s.UsePartOfImage = s.TilingCheck = TRUE;
    s.OnInputPageConstructed();
    EXPECT_FALSE(s.RotateLeft || s.UsePartOfImage || s.TilingCheck);
    s.OnAnglePageConstructed();
    EXPECT_TRUE(s.CropBoxFixed && s.KeepAspect);
    s.CropBox = RECT{1, 2, 3, 4};
    s.OnAnglePageNext(320, 240);
    EXPECT_EQ(s.TargetSize.right, 320);
    EXPECT_EQ(s.TargetSize.bottom, 240);
    EXPECT_EQ(s.CropBox.right, 0);
    EXPECT_TRUE(s.AdjustImageSize);
    s.OnSizeAdjustmentOn();
    EXPECT_FALSE(s.CropBoxFixed);
    s.ColorAdjust[2] = 40;
    s.OnColorPageConstructed();
    EXPECT_EQ(s.ColorAdjust[2], 0);
    s.OnColorPageOpened();
    EXPECT_FALSE(s.SaveAs256Colors);
}

TEST(WizardSettings, PasteMethodDefaultsOnce)
{
    CWizardSettings s;
    s.OnPageConstructed();
    const BYTE* b = s.TextureInfo.m_PasteMethod;
    int32_t ints[6];
    memcpy(ints, b, sizeof(ints));
    EXPECT_EQ(ints[0], 1);
    EXPECT_EQ(ints[1], 0xFFFF);
    EXPECT_EQ(ints[2], 3);
    EXPECT_EQ(ints[3], 3);
    EXPECT_EQ(ints[4], 0);
    EXPECT_EQ(ints[5], 0);
    double scale[2];
    memcpy(scale, b + 24, sizeof(scale));
    EXPECT_EQ(scale[0], 1.0);
    EXPECT_EQ(scale[1], 1.0);
    for (int i = 40; i < 56; ++i)
        EXPECT_EQ(b[i], 0);
    int32_t tail[3];
    memcpy(tail, b + 56, sizeof(tail));
    EXPECT_EQ(tail[0], 1);
    EXPECT_EQ(tail[1], 0);
    EXPECT_EQ(tail[2], 0);
    // A later page leaves what a texture file put there.
    s.TextureInfo.m_PasteMethod[0] = 7;
    s.OnPageConstructed();
    EXPECT_EQ(s.TextureInfo.m_PasteMethod[0], 7);
}

} // namespace
