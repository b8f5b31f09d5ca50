#include <gtest/gtest.h>

#include <functional>

#include "UiTestSupport.h"
#include "controls/win/CInfoDlg.h"
#include "localization/TextTable.h"

namespace {

constexpr UINT WM_RUN_SCRIPT = WM_APP + 7;
constexpr COLORREF kLooks[3] = {RGB(200, 40, 40), RGB(40, 200, 40), RGB(40, 40, 200)};

// An information dialog that runs a test script from inside its modal loop.
class ScriptedInfoDlg : public CInfoDlg {
public:
    using CInfoDlg::CInfoDlg;
    std::function<void(ScriptedInfoDlg&)> script;
    HWND Window() const { return m_hWnd; }

protected:
    BOOL OnInitDialog() override {
        BOOL result = CInfoDlg::OnInitDialog();
        PostMessageW(m_hWnd, WM_RUN_SCRIPT, 0, 0);
        return result;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_RUN_SCRIPT) {
            if (script) script(*this);
            return 0;
        }
        return CInfoDlg::WindowProc(message, wParam, lParam);
    }
};

void Click(HWND button) {
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

RECT RectIn(HWND child, HWND parent) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class InfoDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Open());
        savedTips = str_tips;
        savedOk = str_ok;
        savedCancel = str_cancel;
        str_tips = u"Tips";
        str_ok = u"OK";
        str_cancel = u"Cancel";
    }
    void TearDown() override {
        str_tips = savedTips;
        str_ok = savedOk;
        str_cancel = savedCancel;
        host.DestroyWindow();
    }
    void GiveSkins(CInfoDlg& dialog) {
        auto solid = [](COLORREF c) { return MakeBitmap(330, 160, [c](int, int) { return c; }); };
        dialog.SetSkins(solid(kLooks[0]), solid(kLooks[1]), solid(kLooks[2]));
    }
    HostWindow host;
    std::u16string savedTips, savedOk, savedCancel;
};

TEST_F(InfoDialogTest, ModeZeroHasOneButtonAndOkGivesOne) {
    ScriptedInfoDlg dialog(host.Hwnd());
    GiveSkins(dialog);
    dialog.text = u"The mouse is not connected.";
    bool ran = false;
    dialog.script = [&](ScriptedInfoDlg& d) {
        ran = true;
        wchar_t title[64] = {};
        GetWindowTextW(d.Window(), title, 64);
        EXPECT_STREQ(title, L"VeldaQ7TInfoDlg");
        RECT r{};
        GetWindowRect(d.Window(), &r);
        EXPECT_EQ(r.right - r.left, 330);
        EXPECT_EQ(r.bottom - r.top, 160);
        EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXFULLSCREEN) - 330) / 2);
        EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYFULLSCREEN) - 160) / 2);
        EXPECT_FALSE(IsWindowEnabled(host.Hwnd())) << "modal: the owner is disabled";

        RECT ok = RectIn(d.OkButton().Hwnd(), d.Window());
        EXPECT_EQ(ok.left, 240);
        EXPECT_EQ(ok.top, 127);
        EXPECT_EQ(ok.right, 306);
        EXPECT_EQ(ok.bottom, 159);
        EXPECT_EQ(d.CancelButton().Hwnd(), nullptr) << "one button in mode 0";
        RECT close = RectIn(d.CloseButton().Hwnd(), d.Window());
        EXPECT_EQ(close.left, 300);
        EXPECT_EQ(close.top, 0);
        EXPECT_EQ(close.right, 329);
        EXPECT_EQ(close.bottom, 29);
        EXPECT_EQ(d.OkButton().Text(), L"OK");
        EXPECT_EQ(d.OkButton().textNormal, COLORREF(0x676153));
        EXPECT_TRUE(d.CloseButton().Text().empty());
        Click(d.OkButton().Hwnd());
    };
    EXPECT_EQ(dialog.DoModal(), 1);
    EXPECT_TRUE(ran);
    EXPECT_TRUE(IsWindowEnabled(host.Hwnd())) << "the owner is enabled again";
    EXPECT_EQ(dialog.Window(), nullptr) << "destroyed after the run";
}

TEST_F(InfoDialogTest, CloseButtonCancelsInBothModes) {
    for (int mode : {0, 1}) {
        ScriptedInfoDlg dialog(host.Hwnd());
        GiveSkins(dialog);
        dialog.mode = mode;
        dialog.script = [](ScriptedInfoDlg& d) { Click(d.CloseButton().Hwnd()); };
        EXPECT_EQ(dialog.DoModal(), 2) << "mode " << mode;
    }
}

TEST_F(InfoDialogTest, ModeOneHasOkAndCancel) {
    struct Case {
        const char* what;
        std::function<void(ScriptedInfoDlg&)> act;
        INT_PTR result;
    };
    const Case cases[] = {
        {"OK", [](ScriptedInfoDlg& d) { Click(d.OkButton().Hwnd()); }, 1},
        {"Cancel", [](ScriptedInfoDlg& d) { Click(d.CancelButton().Hwnd()); }, 2},
        {"Enter", [](ScriptedInfoDlg& d) { PostMessageW(d.Window(), WM_KEYDOWN, VK_RETURN, 0x001C0001); }, 1},
        {"Escape", [](ScriptedInfoDlg& d) { PostMessageW(d.Window(), WM_KEYDOWN, VK_ESCAPE, 0x00010001); }, 2},
        // How the main window closes open information dialogs.
        {"WM_CLOSE", [](ScriptedInfoDlg& d) { PostMessageW(d.Window(), WM_CLOSE, 0, 0); }, 2},
    };
    for (const Case& c : cases) {
        ScriptedInfoDlg dialog(host.Hwnd());
        GiveSkins(dialog);
        dialog.mode = 1;
        dialog.text = u"Reset all settings?";
        dialog.script = [&](ScriptedInfoDlg& d) {
            RECT ok = RectIn(d.OkButton().Hwnd(), d.Window());
            RECT cancel = RectIn(d.CancelButton().Hwnd(), d.Window());
            EXPECT_EQ(ok.left, 178);
            EXPECT_EQ(ok.right, 244);
            EXPECT_EQ(cancel.left, 245);
            EXPECT_EQ(cancel.right, 311);
            EXPECT_EQ(cancel.top, 127);
            EXPECT_EQ(cancel.bottom, 159);
            EXPECT_EQ(d.CancelButton().Text(), L"Cancel");
            c.act(d);
        };
        EXPECT_EQ(dialog.DoModal(), c.result) << c.what;
    }
}

TEST_F(InfoDialogTest, FaceShowsSkinTextAndTitle) {
    ScriptedInfoDlg dialog(host.Hwnd());
    GiveSkins(dialog);
    dialog.text = u"A message long enough to need more than one line inside the text rectangle of this dialog.";
    Pixels face;
    dialog.script = [&](ScriptedInfoDlg& d) {
        face = Render(330, 160, [&](HDC dc) { d.Draw(dc); });
        Click(d.OkButton().Hwnd());
    };
    dialog.DoModal();
    ASSERT_EQ(face.width, 330);
    EXPECT_EQ(face.At(5, 150), kLooks[0]) << "normal image at (0, 0)";
    int title = 0, inRect = 0, below = 0, outsideColumns = 0;
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 330; ++x) {
            if (face.At(x, y) != 0x676153) continue;
            if (x >= 10 && x < 100 && y >= 9 && y < 23) ++title;
            else if (y >= 73 && y < 91) ++inRect;
            else if (y >= 91) ++below;
            if (x < 90 || x >= 305) ++outsideColumns;
        }
    EXPECT_GT(title, 5) << "title str_tips";
    EXPECT_GT(inRect, 5);
    EXPECT_GT(below, 5) << "a long text wraps and runs on below its rectangle";
    EXPECT_EQ(outsideColumns - title, 0) << "the text wraps at the rectangle's width";
}

TEST_F(InfoDialogTest, EmptyTextAndMissingLanguageStillWork) {
    str_tips.clear();
    str_ok.clear();
    ScriptedInfoDlg dialog(host.Hwnd());
    GiveSkins(dialog);
    Pixels face;
    dialog.script = [&](ScriptedInfoDlg& d) {
        face = Render(330, 160, [&](HDC dc) { d.Draw(dc); });
        EXPECT_TRUE(d.OkButton().Text().empty());
        Click(d.OkButton().Hwnd());
    };
    EXPECT_EQ(dialog.DoModal(), 1);
    EXPECT_EQ(face.Count(kLooks[0]), 330 * 160) << "no text, only the skin";
}

TEST_F(InfoDialogTest, WithoutSkinImagesTheDialogKeepsItsSize) {
    // The test program has no bitmap resources: the dialog still has a usable size.
    ScriptedInfoDlg dialog(host.Hwnd());
    dialog.script = [](ScriptedInfoDlg& d) {
        RECT r{};
        GetWindowRect(d.Window(), &r);
        EXPECT_EQ(r.right - r.left, 330);
        EXPECT_EQ(r.bottom - r.top, 160);
        Click(d.CloseButton().Hwnd());
    };
    EXPECT_EQ(dialog.DoModal(), 2);
}

bool g_sawFlag = false;
int g_timerRuns = 0;
void CALLBACK CloseInfoDialog(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = FindWindowW(nullptr, L"VeldaQ7TInfoDlg");
    if (!dialog && ++g_timerRuns < 200) return;
    KillTimer(nullptr, id);
    g_sawFlag = InfoMessageShowing();
    if (dialog) PostMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
}

TEST_F(InfoDialogTest, ShowInfoMessageSetsTheFlagWhileItRuns) {
    EXPECT_FALSE(InfoMessageShowing());
    g_sawFlag = false;
    g_timerRuns = 0;
    SetTimer(nullptr, 0, 10, CloseInfoDialog);
    EXPECT_EQ(ShowInfoMessage(u"Macro in use", 0, host.Hwnd()), 2) << "Escape cancels, even in mode 0";
    EXPECT_TRUE(g_sawFlag);
    EXPECT_FALSE(InfoMessageShowing());
    EXPECT_EQ(FindWindowW(nullptr, L"VeldaQ7TInfoDlg"), nullptr);
}

TEST(EmptyDialogTemplate, IsAPopupWithoutControls) {
    std::vector<DWORD> bytes = EmptyDialogTemplate(WS_POPUP);
    ASSERT_EQ(bytes.size(), 6u);
    const auto* t = reinterpret_cast<const DLGTEMPLATE*>(bytes.data());
    EXPECT_EQ(t->style, DWORD(WS_POPUP));
    EXPECT_EQ(t->cdit, 0);
    const auto* words = reinterpret_cast<const WORD*>(bytes.data());
    EXPECT_EQ(words[9], 0) << "no menu";
    EXPECT_EQ(words[10], 0) << "no class";
    EXPECT_EQ(words[11], 0) << "no title";
}

}  // namespace
