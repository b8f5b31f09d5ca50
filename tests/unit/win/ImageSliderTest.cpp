#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "controls/win/CPngHProgressBar.h"
#include "controls/win/CPngHSliderBar.h"

namespace {

constexpr int kThumbWidth = 11, kThumbHeight = 15;
constexpr DWORD kThumbColor = 0xFF3080C0;  // opaque
constexpr COLORREF kThumbColorRef = RGB(0x30, 0x80, 0xC0);

// The thumb's visible pixels: a rectangle with its four corners cut off.
bool ThumbOpaque(int x, int y) {
    const bool edgeX = x == 0 || x == kThumbWidth - 1, edgeY = y == 0 || y == kThumbHeight - 1;
    return !(edgeX && edgeY) && !(x == 0 && y < 3);
}

class ImageSliderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Open(700, 300));
        skin = MakeSkin(0, 700, 300);
        thumbPath = temp.Path(L"Slider.png");
        ASSERT_TRUE(WritePng(thumbPath, kThumbWidth, kThumbHeight,
                             [](int x, int y) { return ThumbOpaque(x, y) ? kThumbColor : 0x00FFFFFFu; }));
    }
    void TearDown() override {
        if (GetCapture()) ReleaseCapture();
        host.DestroyWindow();
        DeleteObject(skin);
    }
    // A bar as the lighting page makes one: (500, 59, 656, 74), track 507..650, 0..255.
    void MakeBar(CPngHSliderBar& bar, UINT id = 3) {
        const RECT rect{500, 59, 656, 74};
        ASSERT_TRUE(bar.Create(thumbPath, host.Hwnd(), id, rect));
        bar.SetTrack(507, 650);
        bar.SetRange(0, 255);
        bar.Thumb().SetRange(0, 255);
        bar.Thumb().SetLimits(0, 255);
        bar.SetBackground(ImageFromBitmapRect(skin, rect));
        Pump();
        host.received.clear();
    }
    std::vector<RecordedMessage> Values() {
        Pump();
        return host.Take(WM_SLIDER_VALUE);
    }

    HostWindow host;
    HBITMAP skin = nullptr;
    TempFolder temp;
    std::wstring thumbPath;
};

TEST_F(ImageSliderTest, BarCreatesItsThumbAtTheMinimum) {
    CPngHSliderBar bar;
    MakeBar(bar);
    HWND thumb = bar.Thumb().Hwnd();
    ASSERT_NE(thumb, nullptr);
    EXPECT_EQ(GetParent(thumb), bar.Hwnd());
    EXPECT_EQ(GetDlgCtrlID(bar.Hwnd()), 3);
    RECT r;
    GetWindowRect(thumb, &r);
    MapWindowPoints(nullptr, bar.Hwnd(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, kThumbWidth);
    EXPECT_EQ(r.bottom, kThumbHeight);
    EXPECT_EQ(GetWindowLongPtrW(thumb, GWL_STYLE) & WS_TABSTOP, WS_TABSTOP);
}

TEST_F(ImageSliderTest, ClickOnTheBarJumpsAndNotifies) {
    CPngHSliderBar bar;
    MakeBar(bar, 7);
    struct Case {
        int x;  // bar client
        int value;
    };
    // Owner x = 500 + x; track 507..650.
    for (Case c : {Case{2, 0}, Case{155, 255}, Case{78, 126}, Case{7, 0}}) {
        SendMessageW(bar.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.x, 5));
        SendMessageW(bar.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(c.x, 5));
        auto values = Values();
        ASSERT_EQ(values.size(), 1u) << c.x;
        EXPECT_EQ(values[0].wParam, WPARAM(c.value)) << c.x;
        EXPECT_EQ(values[0].lParam, 7);
        EXPECT_EQ(bar.Thumb().GetPos(), c.value);
        EXPECT_EQ(bar.Thumb().Left(), ThumbLeftForValue(c.value, {0, 255}, 0, 156, kThumbWidth));
    }
}

TEST_F(ImageSliderTest, DraggingStopsAtTheBoundsAndReportsTheEndValues) {
    CPngHSliderBar bar;
    MakeBar(bar, 5);
    HWND thumb = bar.Thumb().Hwnd();
    SendMessageW(thumb, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 7));
    EXPECT_TRUE(bar.Thumb().Dragging());
    EXPECT_EQ(GetCapture(), thumb);

    SendMessageW(thumb, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(4 + 1000, 7));
    auto values = Values();
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].wParam, 255u);
    EXPECT_EQ(values[0].lParam, 5) << "relayed with the bar's identifier";
    EXPECT_EQ(bar.Thumb().GetPos(), 255);
    EXPECT_EQ(bar.Thumb().Left(), 156 - kThumbWidth);

    // Halfway back: the grab point moves with the thumb.
    SendMessageW(thumb, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(short(4 - 72), 7));
    values = Values();
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].wParam, WPARAM(ValueForThumbLeft(145 - 72, {0, 255}, 0, 156, kThumbWidth)));

    SendMessageW(thumb, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(short(-1000), 7));
    values = Values();
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].wParam, 0u);
    EXPECT_EQ(bar.Thumb().Left(), 0);

    SendMessageW(thumb, WM_LBUTTONUP, 0, MAKELPARAM(0, 7));
    EXPECT_FALSE(bar.Thumb().Dragging());
    EXPECT_NE(GetCapture(), thumb);
    SendMessageW(thumb, WM_MOUSEMOVE, 0, MAKELPARAM(50, 7));
    EXPECT_TRUE(Values().empty()) << "no drag after the release";
}

TEST_F(ImageSliderTest, LimitsHoldTheShownValueButNotTheReportedOne) {
    CPngHSliderBar bar;
    MakeBar(bar);
    bar.Thumb().SetLimits(10, 200);
    HWND thumb = bar.Thumb().Hwnd();
    SendMessageW(thumb, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 7));
    SendMessageW(thumb, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(1000, 7));
    auto values = Values();
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].wParam, 255u);
    EXPECT_EQ(bar.Thumb().GetPos(), 200);
    SendMessageW(thumb, WM_LBUTTONUP, 0, 0);
}

TEST_F(ImageSliderTest, SetPosOutsideTheRangeShowsTheMinimum) {
    CPngHSliderBar bar;
    MakeBar(bar);
    bar.SetPos(128);
    EXPECT_EQ(bar.Thumb().Left(), 72);
    bar.SetPos(300);
    EXPECT_EQ(bar.Thumb().GetPos(), 0);
    EXPECT_EQ(bar.Thumb().Left(), 0);
    bar.SetPos(255);
    EXPECT_EQ(bar.Thumb().Left(), 145);
}

TEST_F(ImageSliderTest, ThumbHasExactlyTheShapeOfTheVisiblePixels) {
    CPngHSliderBar bar;
    MakeBar(bar);
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(bar.Thumb().Hwnd(), shape), ERROR);
    int wrong = 0;
    for (int y = -1; y <= kThumbHeight; ++y)
        for (int x = -1; x <= kThumbWidth; ++x) {
            const bool inside = x >= 0 && y >= 0 && x < kThumbWidth && y < kThumbHeight && ThumbOpaque(x, y);
            wrong += (PtInRegion(shape, x, y) != FALSE) != inside;
        }
    EXPECT_EQ(wrong, 0);
    DeleteObject(shape);
}

TEST_F(ImageSliderTest, BarShowsItsBackgroundWithTheThumbOnTop) {
    CPngHSliderBar bar;
    MakeBar(bar);
    bar.SetPos(255);
    Pixels shown = Capture(bar.Hwnd());
    ASSERT_EQ(shown.width, 156);
    ASSERT_EQ(shown.height, 15);
    EXPECT_EQ(shown.At(20, 7), SkinPixel(0, 520, 66)) << "background 1:1 from its top-left corner";
    EXPECT_EQ(shown.At(0, 0), SkinPixel(0, 500, 59));
    EXPECT_EQ(shown.At(150, 7), kThumbColorRef) << "thumb";
    EXPECT_EQ(shown.At(145, 0), SkinPixel(0, 645, 59)) << "transparent corner shows the bar";
}

class ProgressBarTest : public ImageSliderTest {
protected:
    void MakeProgress(CPngHProgressBar& bar) {
        ASSERT_TRUE(bar.Create(rect, host.Hwnd()));
        background = ImageFromBitmapRect(skin, RECT{0, 0, 700, 300});
        HBITMAP fillSkin = MakeSkin(2, 700, 300);
        fill = ImageFromBitmapRect(fillSkin, RECT{0, 0, 700, 300});
        DeleteObject(fillSkin);
        bar.SetImages(rect.left, rect.top, 300, 15, background.get(), fill.get());
        bar.minimum = 0;
        bar.maximum = 100;
        Pump();
        host.received.clear();
    }
    // Columns of the rendered bar that show the fill image.
    int FilledColumns(CPngHProgressBar& bar) {
        Pixels p = Render(300, 15, [&](HDC dc) { bar.Draw(dc); });
        int filled = 0;
        for (int x = 0; x < 300; ++x) {
            bool isFill = p.At(x, 7) == SkinPixel(2, rect.left + x, rect.top + 7);
            bool isBack = p.At(x, 7) == SkinPixel(0, rect.left + x, rect.top + 7);
            EXPECT_TRUE(isFill || isBack) << x;
            filled += isFill;
        }
        return filled;
    }
    const RECT rect{20, 200, 320, 215};
    std::unique_ptr<Gdiplus::Bitmap> background, fill;
};

TEST_F(ProgressBarTest, FillWidthAtMinimumMiddleAndMaximum) {
    CPngHProgressBar bar;
    MakeProgress(bar);
    EXPECT_EQ(GetDlgCtrlID(bar.Hwnd()), 769);
    struct Case {
        int position, columns;
    };
    for (Case c : {Case{0, 0}, Case{50, 150}, Case{33, 99}, Case{100, 300}}) {
        bar.position = c.position;
        EXPECT_EQ(bar.FillWidth(), c.columns);
        EXPECT_EQ(FilledColumns(bar), c.columns) << c.position;
    }
    bar.position = 50;
    Pixels shown = Capture(bar.Hwnd());
    EXPECT_EQ(shown.At(10, 3), SkinPixel(2, 30, 203));
    EXPECT_EQ(shown.At(200, 3), SkinPixel(0, 220, 203));
}

TEST_F(ProgressBarTest, ReleaseOverTheBarSetsAndNotifiesWithoutAPress) {
    CPngHProgressBar bar;
    MakeProgress(bar);
    SendMessageW(bar.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(150, 5));
    Pump();
    auto notes = host.Take(WM_PROGRESS_POSITION);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].wParam, 50u);
    EXPECT_EQ(notes[0].lParam, 769);
    EXPECT_EQ(bar.position, 50);
}

TEST_F(ProgressBarTest, DraggingMovesWithoutNotifyingUntilTheRelease) {
    CPngHProgressBar bar;
    MakeProgress(bar);
    SendMessageW(bar.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 5));
    EXPECT_TRUE(bar.Dragging());
    EXPECT_EQ(GetCapture(), bar.Hwnd());
    SendMessageW(bar.Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(short(-50), 5));
    EXPECT_EQ(bar.position, 0) << "raised to the left edge";
    SendMessageW(bar.Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(900, 5));
    EXPECT_EQ(bar.position, 100) << "held within the range";
    Pump();
    EXPECT_TRUE(host.Take(WM_PROGRESS_POSITION).empty());
    SendMessageW(bar.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(900, 5));
    Pump();
    auto notes = host.Take(WM_PROGRESS_POSITION);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].wParam, 100u);
    EXPECT_FALSE(bar.Dragging());
    EXPECT_NE(GetCapture(), bar.Hwnd());

    // Losing the focus ends a drag.
    SetFocus(bar.Hwnd());
    SendMessageW(bar.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 5));
    SetFocus(host.Hwnd());
    EXPECT_FALSE(bar.Dragging());
}

TEST_F(ProgressBarTest, DisabledBarIgnoresTheMouse) {
    CPngHProgressBar bar;
    MakeProgress(bar);
    bar.disabled = true;
    bar.position = 40;
    SendMessageW(bar.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 5));
    EXPECT_FALSE(bar.Dragging());
    SendMessageW(bar.Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(250, 5));
    SendMessageW(bar.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(250, 5));
    Pump();
    EXPECT_EQ(bar.position, 40);
    EXPECT_TRUE(host.Take(WM_PROGRESS_POSITION).empty());
}

}  // namespace
