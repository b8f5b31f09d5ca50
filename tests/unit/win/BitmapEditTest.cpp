#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "UiTestSupport.h"
#include "controls/win/CBitmapEdit.h"

namespace {

class BitmapEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Open());
        skin = MakeSkin(0, 400, 300);
        ASSERT_TRUE(edit.Create(rect, host.Hwnd(), 772));
        edit.minimum = 0;
        edit.maximum = 255;
        edit.SetBackground(skin, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
        Pump();
        host.received.clear();
    }
    void TearDown() override {
        edit.DestroyWindow();
        host.DestroyWindow();
        DeleteObject(skin);
    }
    void Type(const std::wstring& keys) {
        for (wchar_t c : keys) SendMessageW(edit.Hwnd(), WM_CHAR, c, 1);
    }
    std::wstring Text() {
        wchar_t buffer[400] = {};
        GetWindowTextW(edit.Hwnd(), buffer, 400);
        return buffer;
    }
    std::vector<RecordedMessage> Changes() {
        Pump();
        return host.Take(WM_EDIT_TEXT_CHANGED);
    }

    const RECT rect{10, 10, 60, 30};
    HostWindow host;
    HBITMAP skin = nullptr;
    CBitmapEdit edit;
};

TEST_F(BitmapEditTest, CreatedAsABorderlessNumberBox) {
    LONG_PTR style = GetWindowLongPtrW(edit.Hwnd(), GWL_STYLE);
    EXPECT_EQ(style & (ES_NUMBER | ES_AUTOHSCROLL | WS_CHILD | WS_VISIBLE),
              ES_NUMBER | ES_AUTOHSCROLL | WS_CHILD | WS_VISIBLE);
    EXPECT_EQ(style & (WS_BORDER | WS_TABSTOP), 0);
    EXPECT_EQ(GetDlgCtrlID(edit.Hwnd()), 772);
    EXPECT_EQ(SendMessageW(edit.Hwnd(), EM_GETLIMITTEXT, 0, 0), 256);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(edit.Hwnd(), WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTW info{};
    GetObjectW(font, sizeof info, &info);
    EXPECT_EQ(info.lfHeight, 12);
    EXPECT_EQ(info.lfWeight, 500);
}

TEST_F(BitmapEditTest, TypingAboveTheMaximumLeavesTheMaximumWithTwoNotifications) {
    Type(L"30");
    auto changes = Changes();
    EXPECT_EQ(changes.size(), 2u) << "one per keystroke";
    EXPECT_EQ(Text(), L"30");
    Type(L"0");
    changes = Changes();
    EXPECT_EQ(Text(), L"255");
    ASSERT_EQ(changes.size(), 2u) << "the correction and the change that caused it";
    for (const RecordedMessage& m : changes) {
        EXPECT_EQ(m.wParam, WPARAM(edit.Hwnd()));
        EXPECT_EQ(m.lParam, 772);
    }
}

TEST_F(BitmapEditTest, SettingTheTextIsCorrectedToo) {
    SetWindowTextW(edit.Hwnd(), L"70");
    EXPECT_EQ(Changes().size(), 1u);
    edit.maximum = 5;
    SetWindowTextW(edit.Hwnd(), L"6");
    EXPECT_EQ(Text(), L"5");
    EXPECT_EQ(Changes().size(), 2u);
    edit.minimum = 3;
    SetWindowTextW(edit.Hwnd(), L"1");
    EXPECT_EQ(Text(), L"3");
}

TEST_F(BitmapEditTest, DeletingAllDigitsLeavesAnEmptyBox) {
    SetWindowTextW(edit.Hwnd(), L"12");
    Changes();
    SendMessageW(edit.Hwnd(), EM_SETSEL, 0, -1);
    Type(L"\b");
    EXPECT_EQ(Text(), L"");
    EXPECT_EQ(Changes().size(), 1u);
}

TEST_F(BitmapEditTest, NoMoreThan256Characters) {
    edit.maximum = INT_MAX;
    Type(std::wstring(300, L'0'));
    EXPECT_EQ(Text(), std::wstring(256, L'0'));
}

TEST_F(BitmapEditTest, ColoursItselfWithTheSkinBehindTheText) {
    HDC dc = GetDC(edit.Hwnd());
    LRESULT brush = SendMessageW(host.Hwnd(), WM_CTLCOLOREDIT, WPARAM(dc), LPARAM(edit.Hwnd()));
    EXPECT_NE(brush, 0);
    EXPECT_EQ(GetTextColor(dc), kEditTextColor);
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    ReleaseDC(edit.Hwnd(), dc);

    Pixels shown = Capture(edit.Hwnd());
    int wrong = 0;
    for (int y = 0; y < shown.height; ++y)
        for (int x = 0; x < shown.width; ++x) wrong += shown.At(x, y) != SkinPixel(0, rect.left + x, rect.top + y);
    EXPECT_EQ(wrong, 0) << "an empty box shows exactly the skin under it";

    SetWindowTextW(edit.Hwnd(), L"88");
    shown = Capture(edit.Hwnd());
    int text = 0;
    for (int y = 0; y < shown.height; ++y)
        for (int x = 0; x < shown.width; ++x) text += shown.At(x, y) == kEditTextColor;
    EXPECT_GT(text, 5) << "digits in the box colour";
}

}  // namespace
