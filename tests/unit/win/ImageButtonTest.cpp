#include <gtest/gtest.h>

#include "UiTestSupport.h"

#include <commctrl.h>
#include "controls/win/CColorBtn.h"
#include "controls/win/CGDIBitmapBtn.h"
#include "controls/win/CIrrButton.h"

namespace {

constexpr int kNormal = 0, kOver = 1, kPressed = 2, kDisabled = 3;

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

class ImageButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Open());
        for (int look = 0; look < 4; ++look) skins[look] = MakeSkin(look, 400, 300);
    }
    void TearDown() override {
        if (GetCapture()) ReleaseCapture();
        host.DestroyWindow();
        for (HBITMAP s : skins) DeleteObject(s);
    }
    // A skinned button at `rect`, as owners make them.
    void MakeButton(CGDIBitmapBtn& button, const RECT& rect) {
        ASSERT_TRUE(button.Create(rect, host.Hwnd()));
        button.SetSkin(skins[kNormal], skins[kOver], skins[kPressed], skins[kDisabled], rect);
        Pump();
        host.received.clear();
    }
    Pixels Look(CGDIBitmapBtn& button, ButtonLook look) {
        RECT r;
        GetClientRect(button.Hwnd(), &r);
        return Render(r.right, r.bottom, [&](HDC dc) { button.Draw(dc, look); });
    }

    HostWindow host;
    HBITMAP skins[4] = {};
};

// Every pixel of `pixels` is the skin `look` at the button's place.
void ExpectSkinCut(const Pixels& pixels, int look, int left, int top) {
    int wrong = 0;
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x) wrong += pixels.At(x, y) != SkinPixel(look, left + x, top + y);
    EXPECT_EQ(wrong, 0) << "look " << look;
}

TEST_F(ImageButtonTest, EachLookIsTheSkinsRectangle) {
    CGDIBitmapBtn button;
    const RECT rect{20, 30, 100, 60};
    MakeButton(button, rect);
    ExpectSkinCut(Look(button, ButtonLook::Normal), kNormal, 20, 30);
    ExpectSkinCut(Look(button, ButtonLook::Over), kOver, 20, 30);
    ExpectSkinCut(Look(button, ButtonLook::Pressed), kPressed, 20, 30);
    ExpectSkinCut(Look(button, ButtonLook::Disabled), kDisabled, 20, 30);
    // What the window itself paints.
    ExpectSkinCut(Capture(button.Hwnd()), kNormal, 20, 30);
    EXPECT_EQ(GetWindowLongPtrW(button.Hwnd(), GWL_STYLE) & (WS_BORDER | WS_TABSTOP), 0);
    EXPECT_EQ(GetDlgCtrlID(button.Hwnd()), 0);
}

TEST_F(ImageButtonTest, MissingSkinLeavesTheLookUnchanged) {
    CGDIBitmapBtn button;
    const RECT rect{20, 30, 100, 60};
    MakeButton(button, rect);
    button.SetSkin(skins[kOver], nullptr, nullptr, nullptr, rect);
    ExpectSkinCut(Look(button, ButtonLook::Normal), kOver, 20, 30);
    ExpectSkinCut(Look(button, ButtonLook::Pressed), kPressed, 20, 30);
}

TEST_F(ImageButtonTest, ClickSendsCommandWithTheButtonWindow) {
    CGDIBitmapBtn button;
    MakeButton(button, {20, 30, 100, 60});
    SendMessageW(button.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    EXPECT_EQ(button.CurrentLook(), ButtonLook::Pressed);
    EXPECT_TRUE(host.Take(WM_COMMAND).empty()) << "no click before the release";
    SendMessageW(button.Hwnd(), WM_LBUTTONUP, 0, At(5, 5));
    auto commands = host.Take(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, 0u);
    EXPECT_EQ(commands[0].lParam, LPARAM(button.Hwnd()));
    EXPECT_TRUE(host.Take(0x70D).empty()) << "notify flag is off";
}

TEST_F(ImageButtonTest, NotifyFlagPostsPressAndRelease) {
    CGDIBitmapBtn button;
    MakeButton(button, {20, 30, 100, 60});
    button.notify = true;
    SendMessageW(button.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    SendMessageW(button.Hwnd(), WM_LBUTTONUP, 0, At(5, 5));
    Pump();
    auto notes = host.Take(0x70D);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].wParam, 0x201u);
    EXPECT_EQ(notes[1].wParam, 0x202u);
    EXPECT_EQ(notes[0].lParam, LPARAM(button.Hwnd()));
    EXPECT_EQ(notes[1].lParam, LPARAM(button.Hwnd()));
}

TEST_F(ImageButtonTest, ToggleChangesTheLookAtThePress) {
    CGDIBitmapBtn button;
    MakeButton(button, {20, 30, 100, 60});
    button.checkable = true;
    button.toggle = true;
    SendMessageW(button.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    EXPECT_TRUE(button.GetCheck());
    EXPECT_EQ(button.CurrentLook(), ButtonLook::Pressed);
    SendMessageW(button.Hwnd(), WM_LBUTTONUP, 0, At(5, 5));
    EXPECT_TRUE(button.GetCheck());
    SendMessageW(button.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    EXPECT_FALSE(button.GetCheck());
    EXPECT_EQ(button.CurrentLook(), ButtonLook::Normal) << "unchecked: the physical press does not show";
    SendMessageW(button.Hwnd(), WM_LBUTTONUP, 0, At(5, 5));
    EXPECT_FALSE(button.GetCheck());
}

TEST_F(ImageButtonTest, CheckedLookWithoutToggle) {
    CGDIBitmapBtn button;
    MakeButton(button, {20, 30, 100, 60});
    button.checkable = true;
    button.SetCheck(true);
    EXPECT_EQ(button.CurrentLook(), ButtonLook::Pressed) << "checked shows pressed with the mouse elsewhere";
    ExpectSkinCut(Capture(button.Hwnd()), kPressed, 20, 30);
    SendMessageW(button.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    EXPECT_TRUE(button.GetCheck());
    EXPECT_EQ(button.CurrentLook(), ButtonLook::Pressed);
    SendMessageW(button.Hwnd(), WM_LBUTTONUP, 0, At(5, 5));
    EXPECT_TRUE(button.GetCheck()) << "a press does not change a button without the toggle flag";
}

TEST_F(ImageButtonTest, HoverTakesTheCaptureAndRelaysMovesToTheParent) {
    CGDIBitmapBtn button;
    MakeButton(button, {20, 30, 100, 60});
    SendMessageW(button.Hwnd(), WM_MOUSEMOVE, 0, At(5, 6));
    EXPECT_TRUE(button.Hovering());
    EXPECT_EQ(GetCapture(), button.Hwnd());
    EXPECT_EQ(button.CurrentLook(), ButtonLook::Over);
    Pump();
    auto moves = host.Take(WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].wParam, 0u);
    EXPECT_EQ(moves[0].lParam, At(25, 36)) << "parent coordinates";

    // Leaving: the window under the pointer is the host.
    SendMessageW(button.Hwnd(), WM_MOUSEMOVE, 0, At(150, 150));
    EXPECT_FALSE(button.Hovering());
    EXPECT_NE(GetCapture(), button.Hwnd());
    EXPECT_EQ(button.CurrentLook(), ButtonLook::Normal);
}

TEST_F(ImageButtonTest, TabWithoutOverLookNeverShowsTheOverImage) {
    CGDIBitmapBtn button;
    MakeButton(button, {20, 30, 100, 60});
    button.overLook = false;
    SendMessageW(button.Hwnd(), WM_MOUSEMOVE, 0, At(5, 6));
    EXPECT_TRUE(button.Hovering());
    EXPECT_EQ(button.CurrentLook(), ButtonLook::Normal);
    ExpectSkinCut(Capture(button.Hwnd()), kNormal, 20, 30);
}

TEST_F(ImageButtonTest, LeftButtonHeldFromOutsideNeitherHoversNorReachesTheParent) {
    CGDIBitmapBtn button;
    MakeButton(button, {20, 30, 100, 60});
    SendMessageW(button.Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, At(5, 6));
    Pump();
    EXPECT_FALSE(button.Hovering());
    EXPECT_NE(GetCapture(), button.Hwnd());
    EXPECT_TRUE(host.Take(WM_MOUSEMOVE).empty());
    EXPECT_EQ(button.CurrentLook(), ButtonLook::Normal);
}

TEST_F(ImageButtonTest, LeavingWithTheLeftButtonHeldKeepsTheCapture) {
    CGDIBitmapBtn button;
    MakeButton(button, {20, 30, 100, 60});
    SendMessageW(button.Hwnd(), WM_MOUSEMOVE, 0, At(5, 6));
    SendMessageW(button.Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, At(150, 150));
    EXPECT_FALSE(button.Hovering());
    EXPECT_EQ(GetCapture(), button.Hwnd());
}

TEST_F(ImageButtonTest, FocusLossEndsHovering) {
    CGDIBitmapBtn button;
    MakeButton(button, {20, 30, 100, 60});
    SetFocus(button.Hwnd());
    SendMessageW(button.Hwnd(), WM_MOUSEMOVE, 0, At(5, 6));
    ASSERT_TRUE(button.Hovering());
    SetFocus(host.Hwnd());
    EXPECT_FALSE(button.Hovering());
    EXPECT_EQ(button.CurrentLook(), ButtonLook::Normal);
}

TEST_F(ImageButtonTest, CaptionColoursFollowTheLook) {
    CGDIBitmapBtn button;
    MakeButton(button, {20, 30, 140, 62});
    button.textNormal = 0x676153;
    button.textOver = 0xFFFFFF;
    button.textPressed = 0xFFFFFF;
    button.SetText(L"WWWW");
    EXPECT_EQ(button.TextColor(ButtonLook::Disabled), COLORREF(0x272A26));

    EnableWindow(button.Hwnd(), FALSE);
    EXPECT_EQ(button.CurrentLook(), ButtonLook::Disabled);
    Pixels disabled = Look(button, ButtonLook::Disabled);
    EXPECT_GT(disabled.Count(0x272A26), 10) << "disabled caption colour";
    EXPECT_EQ(disabled.Count(0x676153), 0);
    Pixels normal = Look(button, ButtonLook::Normal);
    EXPECT_GT(normal.Count(0x676153), 10);
    EXPECT_EQ(normal.Count(0x272A26), 0);
    // The caption is centred: as much margin left as right of the text.
    int left = normal.width, right = -1;
    for (int y = 0; y < normal.height; ++y)
        for (int x = 0; x < normal.width; ++x)
            if (normal.At(x, y) == 0x676153) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    // Text rectangle 8 .. width − 5, so the centre lies at (8 + 115) / 2.
    EXPECT_NEAR((left + right) / 2.0, (8 + 115) / 2.0, 2.0);
    // The image around the caption is still the skin.
    EXPECT_EQ(normal.At(1, 1), SkinPixel(kNormal, 21, 31));
}

TEST_F(ImageButtonTest, TooltipHasOneToolOverTheClientArea) {
    CGDIBitmapBtn button;
    MakeButton(button, {20, 30, 100, 60});
    EXPECT_EQ(button.Tooltip(), nullptr);
    button.SetTooltip(L"Profile 1");
    button.SetTooltip(L"Gaming");
    ASSERT_NE(button.Tooltip(), nullptr);
    EXPECT_EQ(SendMessageW(button.Tooltip(), TTM_GETTOOLCOUNT, 0, 0), 1);
    wchar_t text[64] = {};
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = button.Hwnd();
    info.uId = 1;
    info.lpszText = text;
    SendMessageW(button.Tooltip(), TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(text, L"Gaming");
}

class IrrButtonTest : public ImageButtonTest {};

TEST_F(IrrButtonTest, ShapeGivesWindowRectangleRegionAndAnchor) {
    CIrrButton button;
    HRGN shape = CreateEllipticRgn(50, 40, 150, 100);
    ASSERT_TRUE(button.Create(L"P1", shape, host.Hwnd(), skins[kNormal], skins[kPressed], skins[kOver],
                              skins[kNormal]));
    DeleteObject(shape);
    RECT r;
    GetWindowRect(button.Hwnd(), &r);
    MapWindowPoints(nullptr, host.Hwnd(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, button.Bounds().left);
    EXPECT_EQ(r.top, button.Bounds().top);
    EXPECT_EQ(r.right, button.Bounds().right);
    EXPECT_EQ(r.bottom, button.Bounds().bottom);
    EXPECT_EQ(button.Anchor().x, (button.Bounds().left + button.Bounds().right) / 2);
    EXPECT_EQ(button.Anchor().y, (button.Bounds().top + button.Bounds().bottom) / 2);
    EXPECT_TRUE(button.HitTest({50, 30}));
    EXPECT_FALSE(button.HitTest({1, 1})) << "corner of the box, outside the ellipse";
    EXPECT_FALSE(button.HitTest({500, 30}));
    HRGN windowRegion = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(button.Hwnd(), windowRegion), ERROR);
    EXPECT_TRUE(PtInRegion(windowRegion, 50, 30));
    EXPECT_FALSE(PtInRegion(windowRegion, 1, 1));
    DeleteObject(windowRegion);

    // Drawing: inside the shape the skin at the owner's coordinates, outside untouched.
    const int width = r.right - r.left, height = r.bottom - r.top;
    Pixels pixels = Render(width, height, [&](HDC dc) { button.Draw(dc, ButtonLook::Over); }, 0x00FF00FF);
    EXPECT_EQ(pixels.At(1, 1), COLORREF(0x00FF00FF));
    EXPECT_EQ(pixels.At(10, height / 2), SkinPixel(kOver, button.Bounds().left + 10, button.Bounds().top + height / 2));
}

TEST_F(IrrButtonTest, NotifiesAtThePressAndTwiceForADoubleClick) {
    CIrrButton button;
    HRGN shape = CreateRectRgn(50, 40, 150, 100);
    ASSERT_TRUE(button.Create(L"", shape, host.Hwnd(), skins[0], skins[2], skins[1], skins[0]));
    DeleteObject(shape);
    Pump();
    host.received.clear();
    SendMessageW(button.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    Pump();
    auto commands = host.Take(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u) << "notified as soon as the button goes down";
    EXPECT_EQ(commands[0].wParam, 0u);
    EXPECT_EQ(commands[0].lParam, LPARAM(button.Hwnd()));
    EXPECT_TRUE(button.Pressed());
    EXPECT_EQ(button.CurrentLook(), ButtonLook::Pressed);
    SendMessageW(button.Hwnd(), WM_LBUTTONUP, 0, At(10, 10));
    Pump();
    EXPECT_TRUE(host.Take(WM_COMMAND).empty()) << "the release adds no second notification";
    EXPECT_FALSE(button.Pressed());
    EXPECT_TRUE(button.Hovering()) << "released inside: hover test";

    SendMessageW(button.Hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(10, 10));
    SendMessageW(button.Hwnd(), WM_LBUTTONUP, 0, At(10, 10));
    Pump();
    commands = host.Take(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u) << "double click: the second press notifies again";
    EXPECT_EQ(commands[0].wParam, 0u) << "as a press, not as the platform's double-click code";
    EXPECT_EQ(commands[0].lParam, LPARAM(button.Hwnd()));
}

TEST_F(IrrButtonTest, HoverFollowsTheShape) {
    CIrrButton button;
    HRGN shape = CreateEllipticRgn(50, 40, 150, 100);
    ASSERT_TRUE(button.Create(L"", shape, host.Hwnd(), skins[0], skins[2], skins[1], skins[0]));
    DeleteObject(shape);
    SendMessageW(button.Hwnd(), WM_MOUSEMOVE, 0, At(50, 30));
    EXPECT_TRUE(button.Hovering());
    EXPECT_EQ(GetCapture(), button.Hwnd());
    EXPECT_EQ(button.CurrentLook(), ButtonLook::Over);
    SendMessageW(button.Hwnd(), WM_MOUSEMOVE, 0, At(1, 1));  // in the box, outside the ellipse
    EXPECT_FALSE(button.Hovering());
    EXPECT_NE(GetCapture(), button.Hwnd());

    button.checkable = true;
    button.SetCheck(true);
    EXPECT_EQ(button.CurrentLook(), ButtonLook::Pressed);
    EnableWindow(button.Hwnd(), FALSE);
    EXPECT_EQ(button.CurrentLook(), ButtonLook::Pressed) << "checkable: the check decides";
    button.checkable = false;
    EXPECT_EQ(button.CurrentLook(), ButtonLook::Disabled);
}

TEST_F(IrrButtonTest, EmptyRegionGivesAZeroSizeButton) {
    CIrrButton button;
    HRGN empty = CreateRectRgn(0, 0, 0, 0);
    ASSERT_TRUE(button.Create(L"x", empty, host.Hwnd(), skins[0], skins[2], skins[1], skins[0]));
    DeleteObject(empty);
    RECT r;
    GetClientRect(button.Hwnd(), &r);
    EXPECT_EQ(r.right, 0);
    EXPECT_EQ(r.bottom, 0);
    EXPECT_FALSE(button.HitTest({0, 0}));
}

// The leftmost column holding caption pixels, in owner coordinates.
int CaptionLeft(CIrrButton& button) {
    const RECT& b = button.Bounds();
    Pixels pixels = Render(b.right - b.left, b.bottom - b.top, [&](HDC dc) { button.Draw(dc, ButtonLook::Normal); });
    for (int x = 0; x < pixels.width; ++x)
        for (int y = 0; y < pixels.height; ++y)
            if (GetGValue(pixels.At(x, y)) > 80) return b.left + x;
    return -1;
}

TEST_F(IrrButtonTest, CaptionStartsLeftOfTheAnchorByItsLength) {
    HBITMAP dark = MakeBitmap(400, 300, [](int, int) { return RGB(10, 10, 10); });
    struct Case {
        const wchar_t* caption;
        int left;  // pixels left of the anchor
    };
    for (Case c : {Case{L"HHHHHH", 13}, Case{L"HHHHH", 25}}) {
        CIrrButton button;
        HRGN shape = CreateRectRgn(100, 50, 300, 90);
        ASSERT_TRUE(button.Create(c.caption, shape, host.Hwnd(), dark, dark, dark, dark));
        DeleteObject(shape);
        button.textNormal = RGB(0, 255, 0);
        int left = CaptionLeft(button);
        // "H" has a side bearing of a pixel or two in the skin font.
        EXPECT_GE(left, button.Anchor().x - c.left) << c.caption;
        EXPECT_LE(left, button.Anchor().x - c.left + 3) << c.caption;
    }
    DeleteObject(dark);
}

TEST_F(ImageButtonTest, ColorButtonShowsItsColourAndClicks) {
    CColorBtn swatch;
    ASSERT_TRUE(swatch.Create({10, 10, 40, 30}, host.Hwnd()));
    EXPECT_EQ(swatch.Color(), COLORREF(0xFFFFFF)) << "white by default";
    EXPECT_EQ(GetWindowLongPtrW(swatch.Hwnd(), GWL_STYLE) & WS_TABSTOP, 0);
    swatch.SetColor(0x123456);
    swatch.Invalidate();
    Pixels shown = Capture(swatch.Hwnd());
    EXPECT_EQ(shown.Count(0x123456), 30 * 20);

    Pump();
    host.received.clear();
    SendMessageW(swatch.Hwnd(), WM_MOUSEMOVE, 0, At(3, 4));
    EXPECT_TRUE(swatch.Hovering());
    SendMessageW(swatch.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(3, 4));
    SendMessageW(swatch.Hwnd(), WM_LBUTTONUP, 0, At(3, 4));
    Pump();
    auto commands = host.Take(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].lParam, LPARAM(swatch.Hwnd()));
    auto moves = host.Take(WM_MOUSEMOVE);
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves[0].lParam, At(13, 14));
    EXPECT_EQ(Capture(swatch.Hwnd()).Count(0x123456), 30 * 20) << "the look never changes";
}

}  // namespace
