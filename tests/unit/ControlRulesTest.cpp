#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "TestText.h"
#include "controls/ButtonLooks.h"
#include "controls/NumberBox.h"
#include "controls/SliderMath.h"
#include "controls/ThumbShape.h"

namespace {

TEST(ButtonLooks, BitmapButtonLookTable) {
    struct Case {
        ButtonState state;
        ButtonLook look;
    };
    const Case cases[] = {
        {{}, ButtonLook::Normal},
        {{.pushed = true}, ButtonLook::Pressed},
        {{.hovering = true}, ButtonLook::Over},
        {{.hovering = true, .overLook = false}, ButtonLook::Normal},
        {{.disabled = true}, ButtonLook::Disabled},
        {{.hovering = true, .disabled = true}, ButtonLook::Over},
        // Checkable: the check decides, the physical press does not.
        {{.checkable = true, .checked = true}, ButtonLook::Pressed},
        {{.checkable = true, .checked = false, .pushed = true}, ButtonLook::Normal},
        {{.checkable = true, .checked = false, .pushed = true, .hovering = true}, ButtonLook::Over},
        {{.checkable = true, .checked = true, .hovering = true, .disabled = true}, ButtonLook::Pressed},
        // Not checkable: a stale checked flag means nothing.
        {{.checked = true}, ButtonLook::Normal},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(ChooseBitmapButtonLook(cases[i].state), cases[i].look) << "case " << i;
}

TEST(ButtonLooks, IrrButtonLookTable) {
    struct Case {
        ButtonState state;
        ButtonLook look;
    };
    const Case cases[] = {
        {{}, ButtonLook::Normal},
        {{.pushed = true}, ButtonLook::Pressed},
        {{.hovering = true}, ButtonLook::Over},
        {{.hovering = true, .overLook = false}, ButtonLook::Over},
        {{.pushed = true, .disabled = true}, ButtonLook::Disabled},
        {{.checkable = true, .checked = true}, ButtonLook::Pressed},
        {{.checkable = true, .pushed = true}, ButtonLook::Normal},
        {{.checkable = true, .pushed = true, .hovering = true}, ButtonLook::Over},
        {{.checkable = true, .hovering = true, .disabled = true}, ButtonLook::Over},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(ChooseIrrButtonLook(cases[i].state), cases[i].look) << "case " << i;
}

TEST(ButtonLooks, IrrCaptionStartsLeftOfTheAnchor) {
    EXPECT_EQ(IrrCaptionOffset(6).dx, -13);
    EXPECT_EQ(IrrCaptionOffset(5).dx, -25);
    EXPECT_EQ(IrrCaptionOffset(0).dx, 5);
    EXPECT_EQ(IrrCaptionOffset(9).dx, -22);
    EXPECT_EQ(IrrCaptionOffset(6).dy, -6);
}

TEST(SliderMath, ClickOnTrack) {
    const ValueRange range{0, 255};
    struct Case {
        int x;
        int value;
    };
    // The lighting page's track: 507..650.
    const Case cases[] = {{400, 0}, {506, 0}, {507, 0}, {508, 1}, {578, 126}, {649, 253}, {650, 255}, {700, 255}};
    for (const Case& c : cases) EXPECT_EQ(ValueAtTrackPoint(c.x, 507, 650, range), c.value) << c.x;
    EXPECT_EQ(ValueAtTrackPoint(600, 492, 683, {116, 143}), 131);
    EXPECT_EQ(ValueAtTrackPoint(600, 500, 500, range), 0) << "zero-width track";
}

TEST(SliderMath, ThumbPlacementAndItsValueAgree) {
    const ValueRange range{0, 255};
    // Bar 156 wide, thumb 11 wide: travel 145 pixels.
    EXPECT_EQ(ThumbLeftForValue(0, range, 0, 156, 11), 0);
    EXPECT_EQ(ThumbLeftForValue(255, range, 0, 156, 11), 145);
    EXPECT_EQ(ThumbLeftForValue(128, range, 0, 156, 11), 72);
    EXPECT_EQ(ThumbLeftForValue(300, range, 0, 156, 11), 0) << "out of range shows the minimum";
    EXPECT_EQ(ThumbLeftForValue(-1, range, 0, 156, 11), 0);
    EXPECT_EQ(ValueForThumbLeft(0, range, 0, 156, 11), 0);
    EXPECT_EQ(ValueForThumbLeft(145, range, 0, 156, 11), 255);
    EXPECT_EQ(ValueForThumbLeft(72, range, 0, 156, 11), 126);
    EXPECT_EQ(ValueForThumbLeft(200, range, 0, 156, 11), 255);
    EXPECT_EQ(ValueForThumbLeft(5, range, 0, 11, 11), 0) << "no travel";
}

TEST(SliderMath, DragOffsetStopsAtTheBounds) {
    EXPECT_EQ(HoldDragOffset(-50, 10, 21, 0, 156), -10);
    EXPECT_EQ(HoldDragOffset(500, 10, 21, 0, 156), 135);
    EXPECT_EQ(HoldDragOffset(7, 10, 21, 0, 156), 7);
}

TEST(SliderMath, ProgressFill) {
    const ValueRange range{0, 100};
    EXPECT_EQ(ProgressFillWidth(0, range, 300), 0);
    EXPECT_EQ(ProgressFillWidth(100, range, 300), 300);
    EXPECT_EQ(ProgressFillWidth(33, range, 300), 99);
    EXPECT_EQ(ProgressFillWidth(150, range, 300), 300);
    EXPECT_EQ(ProgressFillWidth(-5, range, 300), 0);
    EXPECT_EQ(ProgressFillWidth(5, {5, 10}, 300), 0);
    EXPECT_EQ(ProgressPositionAt(5, 10, 110, range), 0);
    EXPECT_EQ(ProgressPositionAt(60, 10, 110, range), 50);
    EXPECT_EQ(ProgressPositionAt(500, 10, 110, range), 100);
}

TEST(NumberBox, ReadDecimalLikeAtoi) {
    struct Case {
        std::u16string text;
        int value;
    };
    const Case cases[] = {{u"", 0},         {u"42", 42},       {u"  7x", 7},  {u"-12", -12},
                          {u"+3", 3},       {u"abc", 0},       {u"007", 7},   {u"2147483647", INT_MAX},
                          {u"99999999999999999999", INT_MAX},   {u"-99999999999", INT_MIN}};
    for (const Case& c : cases) EXPECT_EQ(ReadDecimal(c.text), c.value) << Narrow(c.text);
}

TEST(NumberBox, Corrections) {
    struct Case {
        std::u16string text;
        int minimum, maximum;
        std::optional<std::u16string> corrected;
    };
    const Case cases[] = {
        {u"300", 0, 255, u"255"}, {u"255", 0, 255, std::nullopt}, {u"", 0, 255, std::nullopt},
        {u"0", 0, 5, std::nullopt}, {u"6", 0, 5, u"5"},           {u"", 1, 20, u"1"},
        {u"-1", 0, 255, u"255"},  // unsigned comparison
        {u"0", 116, 143, u"116"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CorrectedNumberText(c.text, c.minimum, c.maximum), c.corrected) << Narrow(c.text);
}

TEST(ThumbShape, ComposeOverBlack) {
    EXPECT_EQ(ComposeOverBlack(0xFF123456), 0x123456u);
    EXPECT_EQ(ComposeOverBlack(0x00FFFFFF), 0u);
    EXPECT_EQ(ComposeOverBlack(0x80FF0000), 0x800000u);
}

TEST(ThumbShape, TransparentCornerCutsTheOutline) {
    const std::uint32_t T = 0x00FFFFFF, O = 0xFF00A0FF, K = 0xFF000000;
    // 4×3: transparent corners, one opaque-black pixel (the key once composed).
    const std::vector<std::uint32_t> pixels = {
        T, O, O, T,  //
        O, O, K, O,  //
        T, O, O, T,
    };
    const std::vector<PixelRun> expected = {{0, 1, 3}, {1, 0, 2}, {1, 3, 4}, {2, 1, 3}};
    EXPECT_EQ(ThumbRuns(pixels, 4, 3), expected);
    EXPECT_TRUE(ThumbRuns(pixels, 0, 0).empty());
    EXPECT_TRUE(ThumbRuns(std::vector<std::uint32_t>(3, O), 4, 3).empty()) << "short buffer";
}

}  // namespace
