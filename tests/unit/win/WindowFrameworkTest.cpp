#include <gtest/gtest.h>

#include <algorithm>

#include "UiTestSupport.h"
#include "ui/Dialog.h"

namespace {

class Recorder : public CWindow {
public:
    std::vector<UINT> seen;
    bool acceptCommands = false;
    int reflected = 0;
    bool finalMessage = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        seen.push_back(message);
        return CWindow::WindowProc(message, wParam, lParam);
    }
    bool OnReflected(UINT message, WPARAM, LPARAM, LRESULT& result) override {
        if (message != WM_COMMAND || !acceptCommands) return false;
        ++reflected;
        result = 0;
        return true;
    }
    void OnFinalMessage() override { finalMessage = true; }
};

bool Saw(const std::vector<UINT>& seen, UINT message) {
    return std::find(seen.begin(), seen.end(), message) != seen.end();
}

TEST(WindowFramework, ObjectIsBoundForTheWindowsLife) {
    Recorder window;
    ASSERT_TRUE(window.CreateEx(0, L"w", WS_POPUP, RECT{0, 0, 50, 50}, nullptr, 0));
    HWND hwnd = window.Hwnd();
    EXPECT_EQ(CWindow::FromHandle(hwnd), &window);
    EXPECT_TRUE(Saw(window.seen, WM_NCCREATE)) << "bound before WM_NCCREATE is handled";
    EXPECT_TRUE(Saw(window.seen, WM_CREATE));
    window.DestroyWindow();
    EXPECT_EQ(window.Hwnd(), nullptr);
    EXPECT_TRUE(window.finalMessage);
    EXPECT_EQ(CWindow::FromHandle(hwnd), nullptr);
}

TEST(WindowFramework, SubclassedControlKeepsItsOwnBehaviourAndReflectsOnRequest) {
    HostWindow host;
    ASSERT_TRUE(host.Open());
    Recorder box;
    ASSERT_TRUE(box.CreateControl(L"BUTTON", L"x", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, RECT{5, 5, 80, 25},
                                  host.Hwnd(), 0));
    SendMessageW(box.Hwnd(), BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessageW(box.Hwnd(), BM_GETCHECK, 0, 0), BST_CHECKED) << "the class's procedure still runs";
    EXPECT_TRUE(Saw(box.seen, BM_SETCHECK));

    SendMessageW(host.Hwnd(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), LPARAM(box.Hwnd()));
    EXPECT_EQ(host.Take(WM_COMMAND).size(), 1u) << "declined: the parent sees it";
    box.acceptCommands = true;
    SendMessageW(host.Hwnd(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), LPARAM(box.Hwnd()));
    EXPECT_TRUE(host.Take(WM_COMMAND).empty()) << "handled by the control itself";
    EXPECT_EQ(box.reflected, 1);
    host.DestroyWindow();
    EXPECT_EQ(box.Hwnd(), nullptr) << "unbound when its parent destroys it";
}

// A dialog that discards Enter before dispatch, ends at a timer, or at once.
class TestDialog : public CDialog {
public:
    explicit TestDialog(HWND parent) : CDialog(9999, parent) {}
    bool discardEnter = false;
    INT_PTR endAtInit = -1;
    UINT_PTR timer = 0;
    int preTranslated = 0;
    bool stayHidden = false;
    bool visibleAtTimer = false;

protected:
    BOOL OnInitDialog() override {
        if (stayHidden) m_showWhenModal = false;
        if (endAtInit >= 0) EndDialog(endAtInit);
        if (timer) SetTimer(timer, 10);
        return TRUE;
    }
    bool PreTranslateMessage(MSG& message) override {
        ++preTranslated;
        return discardEnter && message.message == WM_KEYDOWN && message.wParam == VK_RETURN;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TIMER) {
            visibleAtTimer = IsWindowVisible(m_hWnd) != FALSE;
            KillTimer(wParam);
            EndDialog(INT_PTR(wParam));
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

TEST(WindowFramework, ModalLoopOffersEveryMessageToThePreTranslateHook) {
    HostWindow host;
    ASSERT_TRUE(host.Open());
    {
        TestDialog dialog(host.Hwnd());
        dialog.discardEnter = true;
        // Enter first (discarded), then Escape (cancel).
        SetTimer(host.Hwnd(), 5, 10, [](HWND hwnd, UINT, UINT_PTR id, DWORD) {
            KillTimer(hwnd, id);
            HWND d = GetActiveWindow();
            PostMessageW(d, WM_KEYDOWN, VK_RETURN, 0x001C0001);
            PostMessageW(d, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_GT(dialog.preTranslated, 2);
    }
    {
        TestDialog dialog(host.Hwnd());
        SetTimer(host.Hwnd(), 6, 10, [](HWND hwnd, UINT, UINT_PTR id, DWORD) {
            KillTimer(hwnd, id);
            PostMessageW(GetActiveWindow(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
        });
        EXPECT_EQ(dialog.DoModal(), IDOK) << "Enter is IDOK when not discarded";
    }
    host.DestroyWindow();
}

// A page inside a dialog that drops Enter meant for it.
class EnterEatingPage : public CWindow {
public:
    int eaten = 0;
    bool PreTranslateMessage(MSG& message) override {
        if (message.message != WM_KEYDOWN || message.wParam != VK_RETURN) return false;
        ++eaten;
        return true;
    }
};

class DialogWithPage : public CDialog {
public:
    DialogWithPage() : CDialog(9999, nullptr) {}
    EnterEatingPage page;

protected:
    BOOL OnInitDialog() override {
        page.CreateEx(0, L"", WS_CHILD | WS_VISIBLE, RECT{0, 0, 20, 20}, m_hWnd, 0);
        PostMessageW(page.Hwnd(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
        PostMessageW(page.Hwnd(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        return TRUE;
    }
};

TEST(WindowFramework, ChildWindowsInTheModalDialogSeeTheirMessagesFirst) {
    DialogWithPage dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL) << "Enter was discarded by the page";
    EXPECT_EQ(dialog.page.eaten, 1);
}

TEST(WindowFramework, TimersRunInsideTheModalLoop) {
    TestDialog dialog(nullptr);
    dialog.timer = 17;
    EXPECT_EQ(dialog.DoModal(), 17);
}

TEST(WindowFramework, AModalDialogMayStayHiddenUntilItShowsItself) {
    TestDialog shown(nullptr);
    shown.timer = 18;
    EXPECT_EQ(shown.DoModal(), 18);
    EXPECT_TRUE(shown.visibleAtTimer);

    TestDialog hidden(nullptr);
    hidden.timer = 18;
    hidden.stayHidden = true;
    EXPECT_EQ(hidden.DoModal(), 18);
    EXPECT_FALSE(hidden.visibleAtTimer) << "a window of the notification area is not shown by the loop";
}

TEST(WindowFramework, EndDialogDuringInitialisationReturnsAtOnce) {
    TestDialog dialog(nullptr);
    dialog.endAtInit = 42;
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_EQ(dialog.Hwnd(), nullptr);
}

TEST(WindowFramework, QuitMessageEndsTheModalLoopAndIsKeptForTheOuterLoop) {
    TestDialog dialog(nullptr);
    dialog.endAtInit = -1;
    PostQuitMessage(3);
    EXPECT_EQ(dialog.DoModal(), -1);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

}  // namespace
