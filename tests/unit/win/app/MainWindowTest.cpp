// The main window against the simulated mouse (behind the recording driver
// device), an in-memory registry and a temporary program folder with real
// profile files: start-up, pages, Apply, Reset, profiles, auto-switch,
// notifications, the exit guards and the key filter. The window runs
// modeless here; the information dialogs it opens are answered by a timer.
#include <windows.h>

#include <dbt.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "TestText.h"
#include "UiTestSupport.h"
#include "app/MainWindowRules.h"
#include "app/win/CQ3MouseApp.h"
#include "app/win/CQ3MouseDlg.h"
#include "controls/win/CInfoDlg.h"
#include "controls/win/CXPMenu.h"
#include "localization/TextTable.h"
#include "platform/FakeDriverDevice.h"
#include "platform/MemoryRegistry.h"
#include "virtual-mouse/SimulatedMouse.h"

namespace {

// Answers the next information dialog: with OK (Enter) or Cancel (Escape),
// after running `during` while it is open.
struct InfoAnswer {
    bool ok = false;
    std::function<void()> during;
    int shown = 0;
    std::u16string text;
};
InfoAnswer* g_answer = nullptr;

void CALLBACK AnswerInfoDialog(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = FindWindowW(nullptr, L"VeldaQ7TInfoDlg");
    if (!dialog || !g_answer) return;
    KillTimer(nullptr, id);
    ++g_answer->shown;
    if (auto* info = dynamic_cast<CInfoDlg*>(CWindow::FromHandle(dialog))) g_answer->text = info->text;
    if (g_answer->during) g_answer->during();
    PostMessageW(dialog, WM_KEYDOWN, g_answer->ok ? VK_RETURN : VK_ESCAPE, 0);
}

void ArmAnswer(InfoAnswer& answer) {
    g_answer = &answer;
    SetTimer(nullptr, 0, 20, AnswerInfoDialog);
}

class TestMainDlg : public CQ3MouseDlg {
public:
    using CQ3MouseDlg::CQ3MouseDlg;
    // What the file dialog answers: a path, or nothing for Cancel; `during`
    // runs while it is "open".
    std::optional<std::u16string> chosenFile;
    std::function<void()> duringFileDialog;
    int fileDialogs = 0;

protected:
    bool ChooseProgramFile(std::u16string& path) override {
        ++fileDialogs;
        if (duringFileDialog) duringFileDialog();
        if (!chosenFile) return false;
        path = *chosenFile;
        return true;
    }
};

void Click(HWND owner, HWND button) { SendMessageW(owner, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), LPARAM(button)); }

RECT RectIn(HWND child, HWND parent) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::vector<std::uint8_t> ReadFile(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::u16string* keys[] = {&str_profile1, &str_profile2, &str_profile3, &str_profile4, &str_profile5,
                                  &str_apply,    &str_reset,    &str_resetinfo, &str_msg7,    &str_program_title,
                                  &str_autopath, &str_proname,  &str_soft_version, &str_tips, &str_ok,
                                  &str_cancel};
        const char16_t* texts[] = {u"Profile 1", u"Profile 2", u"Profile 3", u"Profile 4", u"Profile 5",
                                   u"Apply",     u"Reset",     u"Reset all settings?", u"Program already bound",
                                   u"Q7T Mouse", u"Auto switch", u"Profile name:", u"Version 1.0", u"Tips", u"OK",
                                   u"Cancel"};
        for (std::size_t i = 0; i < std::size(keys); ++i) {
            saved.push_back({keys[i], *keys[i]});
            *keys[i] = texts[i];
        }
        std::memset(settings.get(), 0, sizeof *settings);
        std::memset(config.get(), 0, sizeof *config);
        std::wstring f = folder.Path(L"");
        programFolder = std::u16string(f.begin(), f.end());
        if (programFolder.back() != u'\\') programFolder += u'\\';
        SetCursorPos(1270, 1010);
    }
    void TearDown() override {
        window.reset();
        for (auto& [key, text] : saved) *key = text;
        g_answer = nullptr;
    }

    TestMainDlg& Start() {
        MainWindowPorts ports{device, pauses, registry, SystemProfileFiles(), *settings, *config, programFolder,
                              &messages, &pointer};
        window = std::make_unique<TestMainDlg>(ports);
        EXPECT_TRUE(window->Create());
        Pump();
        return *window;
    }
    HWND Hwnd() const { return window->Hwnd(); }
    std::wstring ProfileFile(int n) const {
        return std::wstring(programFolder.begin(), programFolder.end()) + L"Profile\\Profile" + std::to_wstring(n) +
               L".cfg";
    }
    std::size_t Requests() const {
        return std::size_t(std::count_if(log.begin(), log.end(),
                                         [](const ProtocolStep& s) { return s.kind == ProtocolStep::Request; }));
    }
    // Commands (first payload word) of the 180-byte requests so far.
    std::vector<std::uint32_t> Commands() const {
        std::vector<std::uint32_t> out;
        for (const ProtocolStep& s : log)
            if (s.kind == ProtocolStep::Request && s.value == IOCTL_SEND_REQUEST && s.bytes.size() >= 4)
                out.push_back(ReadLE32(s.bytes.data()));
        return out;
    }
    void SendDeviceChange(WPARAM event, const std::wstring& path) {
        std::vector<std::uint8_t> buffer(offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) +
                                         (path.size() + 1) * sizeof(wchar_t));
        auto* d = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(buffer.data());
        d->dbcc_size = DWORD(buffer.size());
        d->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
        std::memcpy(d->dbcc_name, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
        EXPECT_EQ(SendMessageW(Hwnd(), WM_DEVICECHANGE, event, LPARAM(buffer.data())), TRUE);
    }

    std::vector<std::pair<std::u16string*, std::u16string>> saved;
    TempFolder folder;
    std::u16string programFolder;
    CSimulatedMouse mouse;
    ProtocolLog log;
    CFakeDriverDevice device{log, &mouse};
    CRecordingPauses pauses{log};
    CMemoryRegistry registry;
    CRecordingMessages messages;
    CRecordingPointerSettings pointer;
    std::unique_ptr<DeviceSettings> settings = std::make_unique<DeviceSettings>();
    std::unique_ptr<ConfigInfo> config = std::make_unique<ConfigInfo>();
    std::unique_ptr<TestMainDlg> window;
};

const wchar_t kMousePath[] = L"\\\\?\\USB#VID_3F1C&PID_6B02#5&2c1e&0&1#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";

TEST_F(MainWindowTest, StartsCentredAndShownWithTabOneAndTheButtonPage) {
    TestMainDlg& w = Start();
    ASSERT_TRUE(w.Initialized());
    wchar_t title[64] = {};
    GetWindowTextW(Hwnd(), title, 64);
    EXPECT_STREQ(title, L"Velda Q7T Mouse Driver Program");
    RECT r{};
    GetWindowRect(Hwnd(), &r);
    EXPECT_EQ(r.right - r.left, 822);
    EXPECT_EQ(r.bottom - r.top, 544);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXFULLSCREEN) - 822) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYFULLSCREEN) - 544) / 2);
    EXPECT_TRUE(IsWindowVisible(Hwnd()));
    LONG_PTR ex = GetWindowLongPtrW(Hwnd(), GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_APPWINDOW);
    EXPECT_FALSE(ex & WS_EX_TOOLWINDOW);

    EXPECT_EQ(w.CurrentPage(), 1);
    for (int tab = 1; tab <= 4; ++tab) EXPECT_EQ(w.Tab(tab).GetCheck(), tab == 1) << tab;
    EXPECT_TRUE(IsWindowVisible(w.ButtonPage()->Hwnd()));
    EXPECT_FALSE(IsWindowVisible(w.PerformancePage()->Hwnd()));
    EXPECT_FALSE(IsWindowVisible(w.LightingPage()->Hwnd()));
    EXPECT_FALSE(IsWindowVisible(w.MacroPage()->Hwnd()));
    EXPECT_EQ(w.MacroPage()->StoreLocation(), u"Software\\VELDA\\Q7TMouse\\Macro\\");

    // Driver: registered and enabled; persistence: first-run value, table, profile 1 file.
    EXPECT_TRUE(mouse.Registered());
    EXPECT_TRUE(mouse.Enabled());
    std::uint32_t type = 0;
    std::vector<std::uint8_t> value;
    EXPECT_TRUE(registry.GetValue(kSettingsKey, u"FirstRun", type, value));
    EXPECT_TRUE(registry.GetValue(kSettingsKey, u"ConfigInfo", type, value));
    EXPECT_EQ(ReadFile(ProfileFile(1)).size(), 22589u);
    EXPECT_EQ(w.SelectedProfile(), 0);
    EXPECT_TRUE(w.ProfileSelector(0).GetCheck());

    // The notification icon and its balloon.
    const NOTIFYICONDATAW& tray = w.TrayIconData();
    EXPECT_EQ(tray.hWnd, Hwnd());
    EXPECT_EQ(tray.uCallbackMessage, 1132u);
    EXPECT_EQ(tray.uFlags, UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO));
    EXPECT_STREQ(tray.szInfoTitle, L"Running");
    EXPECT_STREQ(tray.szTip, L"Q7T Mouse");
    EXPECT_STREQ(tray.szInfo, L"Q7T Mouse");
    EXPECT_EQ(tray.uTimeout, 5000u);
    EXPECT_EQ(tray.dwInfoFlags, DWORD(NIIF_INFO));
    EXPECT_NE(tray.hIcon, nullptr);
}

TEST_F(MainWindowTest, ControlsSitAtTheirRectangles) {
    TestMainDlg& w = Start();
    struct Case {
        const char* what;
        HWND control;
        RECT rect;
    };
    const Case cases[] = {
        {"minimise", w.MinimiseButton().Hwnd(), {759, 2, 790, 30}},
        {"close", w.CloseButton().Hwnd(), {791, 2, 821, 30}},
        {"auto-switch", w.AutoSwitchBox().Hwnd(), {372, 479, 390, 499}},
        {"program", w.ProgramButton().Hwnd(), {394, 500, 544, 519}},
        {"apply", w.ApplyButton().Hwnd(), {722, 507, 799, 542}},
        {"reset", w.ResetButton().Hwnd(), {644, 507, 722, 542}},
        {"tab 1", w.Tab(1).Hwnd(), {46, 56, 78, 86}},
        {"tab 4", w.Tab(4).Hwnd(), {193, 56, 226, 86}},
        {"name box", w.NameBox(), {107, 502, 246, 515}},
        {"button page", w.ButtonPage()->Hwnd(), {0, 96, 820, 459}},
        {"macro page", w.MacroPage()->Hwnd(), {0, 93, 820, 543}},
        {"profile 1", w.ProfileSelector(0).Hwnd(), {88, 438, 214, 467}},
        {"profile 3", w.ProfileSelector(2).Hwnd(), {304, 438, 437, 468}},
    };
    for (const Case& c : cases) {
        ASSERT_NE(c.control, nullptr) << c.what;
        RECT r = RectIn(c.control, Hwnd());
        EXPECT_EQ(r.left, c.rect.left) << c.what;
        EXPECT_EQ(r.top, c.rect.top) << c.what;
        EXPECT_EQ(r.right, c.rect.right) << c.what;
        EXPECT_EQ(r.bottom, c.rect.bottom) << c.what;
    }
    EXPECT_EQ(GetDlgCtrlID(w.NameBox()), 1000);
    EXPECT_EQ(w.ApplyButton().Text(), L"Apply");
    EXPECT_EQ(w.ApplyButton().textNormal, COLORREF(0x676153));
    EXPECT_EQ(w.ApplyButton().textOver, COLORREF(0xFFFFFF));
    EXPECT_TRUE(w.Tab(2).checkable);
    EXPECT_FALSE(w.Tab(2).overLook);
    EXPECT_FALSE(IsWindowVisible(w.ProgramButton().Hwnd())) << "no auto-switch program yet";

    // The selector's shape is its polygon: the window region agrees with the rule.
    for (int k = 0; k < kProfileCount; ++k) {
        const RECT& b = w.ProfileSelector(k).Bounds();
        for (POINT p : {POINT{b.left + 30, 452}, POINT{b.left + 1, 466}, POINT{b.right - 2, 439}}) {
            bool inside = w.ProfileSelector(k).HitTest(POINT{p.x - b.left, p.y - b.top});
            EXPECT_EQ(inside, PointInPolygon(ProfileSelectorPolygon(k), p.x + 0.5, p.y + 0.5))
                << "profile " << k + 1 << " at " << p.x << "," << p.y;
        }
    }
}

TEST_F(MainWindowTest, TabsShowTheirPageAndTheMacroPageDisablesTheProfileControls) {
    TestMainDlg& w = Start();
    CSkinPage* pages[] = {w.ButtonPage(), w.PerformancePage(), w.LightingPage(), w.MacroPage()};
    for (int page : {2, 3, 4, 1, 4, 2}) {
        Click(Hwnd(), w.Tab(page).Hwnd());
        EXPECT_EQ(w.CurrentPage(), page);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(w.Tab(i + 1).GetCheck(), i + 1 == page) << "tab " << i + 1 << " on page " << page;
            EXPECT_EQ(IsWindowVisible(pages[i]->Hwnd()) != FALSE, i + 1 == page) << "page " << i + 1;
        }
        bool enabled = page != 4;
        for (HWND control : {w.ApplyButton().Hwnd(), w.ResetButton().Hwnd(), w.NameBox(), w.AutoSwitchBox().Hwnd(),
                             w.ProgramButton().Hwnd(), w.ProfileSelector(0).Hwnd(), w.ProfileSelector(4).Hwnd()})
            EXPECT_EQ(IsWindowEnabled(control) != FALSE, enabled) << "page " << page;
    }
    w.ShowPage(7);  // nothing happens
    EXPECT_EQ(w.CurrentPage(), 2);
    EXPECT_TRUE(w.Tab(2).GetCheck());
}

TEST_F(MainWindowTest, ApplyWritesTheMouseTheProfileFileAndTheRegistry) {
    TestMainDlg& w = Start();
    SetWindowTextW(w.NameBox(), L"Work");
    log.clear();
    Click(Hwnd(), w.ApplyButton().Hwnd());

    EXPECT_TRUE(mouse.GetState().buttonTableWritten);
    EXPECT_TRUE(mouse.GetState().dpiTableWritten);
    EXPECT_EQ(mouse.GetState().liftHeight, 128);
    EXPECT_EQ(pointer.speeds, std::vector<int>{10});
    EXPECT_EQ(w.ProgressDialog(), nullptr) << "the progress dialog is gone after the write";
    EXPECT_TRUE(std::any_of(log.begin(), log.end(),
                            [](const ProtocolStep& s) { return s.kind == ProtocolStep::Pause && s.value == 700; }))
        << "the progress dialog's last pause";

    std::vector<std::uint8_t> file = ReadFile(ProfileFile(1));
    ASSERT_EQ(file.size(), 22589u);
    DeviceSettings stored{};
    std::memcpy(&stored, file.data(), sizeof stored);
    EXPECT_EQ(GetTextField(stored.profileName), u"Work");
    std::uint32_t type = 0;
    std::vector<std::uint8_t> value;
    ASSERT_TRUE(registry.GetValue(kSettingsKey, u"ConfigInfo", type, value));
    EXPECT_EQ(value.size(), sizeof(ConfigInfo));
    EXPECT_EQ(std::memcmp(value.data(), config.get(), sizeof(ConfigInfo)), 0);
}

TEST_F(MainWindowTest, ApplyWithoutTheMouseSendsNothing) {
    TestMainDlg& w = Start();
    mouse.SetPlugged(false);
    std::size_t before = Requests();
    Click(Hwnd(), w.ApplyButton().Hwnd());
    EXPECT_EQ(Requests(), before);
}

TEST_F(MainWindowTest, ResetCancelledSendsNothingAndConfirmedWritesTheDefaults) {
    TestMainDlg& w = Start();
    config->profiles[0].macroIds[2] = 0x1234;
    settings->liftHeight = 140;
    SetTextField(settings->profileName, u"Edited");
    std::size_t before = Requests();

    InfoAnswer cancel;
    bool flagWhileOpen = false;
    cancel.during = [&] { flagWhileOpen = w.ModalDialogOpen(); };
    ArmAnswer(cancel);
    Click(Hwnd(), w.ResetButton().Hwnd());
    EXPECT_EQ(cancel.shown, 1);
    EXPECT_EQ(Narrow(cancel.text), "Reset all settings?");
    EXPECT_TRUE(flagWhileOpen);
    EXPECT_FALSE(w.ModalDialogOpen());
    EXPECT_EQ(Requests(), before) << "cancelled: nothing sent";
    EXPECT_EQ(settings->liftHeight.get(), 140u);

    InfoAnswer confirm;
    confirm.ok = true;
    ArmAnswer(confirm);
    Click(Hwnd(), w.ResetButton().Hwnd());
    EXPECT_EQ(confirm.shown, 1);
    EXPECT_GT(Requests(), before);
    EXPECT_EQ(mouse.GetState().liftHeight, 128);
    EXPECT_EQ(config->profiles[0].macroIds[2].get(), 0u);
    EXPECT_EQ(GetTextField(settings->profileName), u"Profile 1");
    wchar_t name[64] = {};
    GetWindowTextW(w.NameBox(), name, 64);
    EXPECT_STREQ(name, L"Profile 1");
}

TEST_F(MainWindowTest, SelectingAProfileLoadsItWithoutWritingTheMouse) {
    TestMainDlg& w = Start();
    std::size_t before = Requests();
    Click(Hwnd(), w.ProfileSelector(2).Hwnd());
    EXPECT_EQ(w.SelectedProfile(), 2);
    EXPECT_EQ(w.Profiles().CurrentProfile(), 2);
    for (int k = 0; k < kProfileCount; ++k) EXPECT_EQ(w.ProfileSelector(k).GetCheck(), k == 2) << k;
    EXPECT_EQ(ReadFile(ProfileFile(3)).size(), 22589u) << "created with defaults on first use";
    EXPECT_EQ(Requests(), before);
    wchar_t name[64] = {};
    GetWindowTextW(w.NameBox(), name, 64);
    EXPECT_STREQ(name, L"Profile 3");

    // Apply now stores profile 3 and leaves profile 1's file as it was.
    std::vector<std::uint8_t> first = ReadFile(ProfileFile(1));
    SetWindowTextW(w.NameBox(), L"Games");
    Click(Hwnd(), w.ApplyButton().Hwnd());
    EXPECT_EQ(ReadFile(ProfileFile(1)), first);
    std::vector<std::uint8_t> third = ReadFile(ProfileFile(3));
    ASSERT_EQ(third.size(), 22589u);
    DeviceSettings stored{};
    std::memcpy(&stored, third.data(), sizeof stored);
    EXPECT_EQ(GetTextField(stored.profileName), u"Games");
}

TEST_F(MainWindowTest, AutoSwitchBindsAProgramOnceAcrossProfiles) {
    TestMainDlg& w = Start();
    w.chosenFile = u"C:\\Tools\\edit.exe";
    Click(Hwnd(), w.AutoSwitchBox().Hwnd());
    EXPECT_TRUE(w.AutoSwitchBox().GetCheck());
    EXPECT_TRUE(IsWindowVisible(w.ProgramButton().Hwnd()));
    EXPECT_EQ(w.ProgramButton().Text(), L"edit.exe");
    EXPECT_EQ(GetTextField(config->profiles[0].programName), u"edit.exe");
    EXPECT_EQ(config->profiles[0].autoSwitch.get(), 1u);

    // Profile 2 cannot have the same program.
    Click(Hwnd(), w.ProfileSelector(1).Hwnd());
    EXPECT_FALSE(w.AutoSwitchBox().GetCheck());
    InfoAnswer duplicate;
    duplicate.ok = true;
    ArmAnswer(duplicate);
    Click(Hwnd(), w.AutoSwitchBox().Hwnd());
    EXPECT_EQ(duplicate.shown, 1);
    EXPECT_EQ(Narrow(duplicate.text), "Program already bound");
    EXPECT_FALSE(w.AutoSwitchBox().GetCheck());
    EXPECT_EQ(GetTextField(config->profiles[1].programName), u"");

    // A cancelled file dialog leaves the box unchecked.
    w.chosenFile.reset();
    Click(Hwnd(), w.AutoSwitchBox().Hwnd());
    EXPECT_FALSE(w.AutoSwitchBox().GetCheck());

    // Back on profile 1: the program button changes the program, not the word.
    Click(Hwnd(), w.ProfileSelector(0).Hwnd());
    EXPECT_TRUE(w.AutoSwitchBox().GetCheck());
    w.chosenFile = u"D:\\other.exe";
    Click(Hwnd(), w.ProgramButton().Hwnd());
    EXPECT_EQ(w.ProgramButton().Text(), L"other.exe");
    EXPECT_EQ(GetTextField(config->profiles[0].programName), u"other.exe");
    EXPECT_EQ(config->profiles[0].autoSwitch.get(), 1u);

    // Unchecking clears the binding.
    Click(Hwnd(), w.AutoSwitchBox().Hwnd());
    EXPECT_FALSE(w.AutoSwitchBox().GetCheck());
    EXPECT_FALSE(IsWindowVisible(w.ProgramButton().Hwnd()));
    EXPECT_EQ(GetTextField(config->profiles[0].programName), u"");
    EXPECT_EQ(config->profiles[0].autoSwitch.get(), 0u);
}

TEST_F(MainWindowTest, ExitIsRefusedWhileAModalDialogIsOpen) {
    TestMainDlg& w = Start();
    // During the Reset question.
    InfoAnswer cancel;
    cancel.during = [&] { SendMessageW(Hwnd(), WM_CLOSE, 0, 0); };
    ArmAnswer(cancel);
    Click(Hwnd(), w.ResetButton().Hwnd());
    EXPECT_EQ(cancel.shown, 1);
    EXPECT_FALSE(w.Ended());

    // During the auto-switch file dialog.
    w.duringFileDialog = [&] { SendMessageW(Hwnd(), WM_COMMAND, kCommandExit, 0); };
    Click(Hwnd(), w.AutoSwitchBox().Hwnd());
    EXPECT_EQ(w.fileDialogs, 1);
    EXPECT_FALSE(w.Ended());

    // Otherwise Exit ends the window: driver unregistered, pages and icon gone.
    w.duringFileDialog = nullptr;
    SendMessageW(Hwnd(), WM_COMMAND, kCommandExit, 0);
    EXPECT_TRUE(w.Ended());
    EXPECT_FALSE(mouse.Registered());
    EXPECT_EQ(Commands().back(), DRV_UNREGISTER);
    EXPECT_EQ(w.ButtonPage(), nullptr);
    EXPECT_EQ(w.MacroPage(), nullptr);
    EXPECT_FALSE(w.TrayIconAdded());
    EXPECT_EQ(w.Hwnd(), nullptr) << "a modeless run ends by destroying the window";
}

TEST_F(MainWindowTest, ExitDuringTheProgramButtonsFileDialogStoresNothingAfterwards) {
    TestMainDlg& w = Start();
    w.chosenFile = u"C:\\a.exe";
    Click(Hwnd(), w.AutoSwitchBox().Hwnd());
    ASSERT_EQ(GetTextField(config->profiles[0].programName), u"a.exe");
    // This file dialog holds off nothing: the window ends while it is open.
    w.chosenFile = u"C:\\b.exe";
    w.duringFileDialog = [&] { SendMessageW(w.Hwnd(), WM_CLOSE, 0, 0); };
    Click(Hwnd(), w.ProgramButton().Hwnd());
    EXPECT_TRUE(w.Ended());
    EXPECT_EQ(GetTextField(config->profiles[0].programName), u"a.exe");
}

TEST_F(MainWindowTest, KeyFilterDiscardsEnterEscapeAndSpaceForTheWindowAndItsChildren) {
    TestMainDlg& w = Start();
    struct Case {
        HWND target;
        UINT message;
        WPARAM key;
        bool discarded;
    };
    const Case cases[] = {
        {w.NameBox(), WM_KEYDOWN, VK_RETURN, true},        {w.NameBox(), WM_KEYUP, VK_ESCAPE, true},
        {w.ApplyButton().Hwnd(), WM_KEYDOWN, VK_SPACE, true}, {Hwnd(), WM_KEYDOWN, VK_ESCAPE, true},
        {w.ButtonPage()->Hwnd(), WM_KEYDOWN, VK_RETURN, true}, {w.NameBox(), WM_KEYDOWN, 'A', false},
        {w.NameBox(), WM_CHAR, VK_RETURN, false},
    };
    for (const Case& c : cases) {
        MSG msg{c.target, c.message, c.key, 0, 0, {}};
        EXPECT_EQ(w.PreTranslateMessage(msg), c.discarded) << c.message << " " << c.key;
    }
    HostWindow other;
    ASSERT_TRUE(other.Open(50, 50));
    MSG foreign{other.Hwnd(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_FALSE(w.PreTranslateMessage(foreign)) << "other windows of the thread keep their keys";
    other.DestroyWindow();

    // Escape sent straight to the window does not end it either.
    SendMessageW(Hwnd(), WM_COMMAND, IDCANCEL, 0);
    SendMessageW(Hwnd(), WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(w.Ended());
    EXPECT_TRUE(IsWindow(Hwnd()));
}

TEST_F(MainWindowTest, PluggingAndUnplugging) {
    Start();
    ASSERT_TRUE(IsWindowVisible(Hwnd()));

    SendDeviceChange(DBT_DEVICEREMOVECOMPLETE, L"\\\\?\\USB#VID_046D&PID_C52B#1#{a5dcbf10-6530-11d2-901f-00c04fb951ed}");
    EXPECT_TRUE(IsWindowVisible(Hwnd())) << "another device";
    EXPECT_EQ(SendMessageW(Hwnd(), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0), TRUE) << "no data: nothing read";

    // Removal: tool dialogs closed, window hidden, handle kept.
    HostWindow tool;
    ASSERT_TRUE(tool.Open(40, 40));
    SetWindowTextW(tool.Hwnd(), L"VeldaQ7TComboDlg");
    tool.watched = {WM_CLOSE};
    SendDeviceChange(DBT_DEVICEREMOVECOMPLETE, kMousePath);
    Pump();
    EXPECT_FALSE(IsWindowVisible(Hwnd()));
    EXPECT_EQ(tool.Take(WM_CLOSE).size(), 1u) << "the combination-key dialog is told to close";
    EXPECT_TRUE(device.IsOpen());
    tool.DestroyWindow();

    // Arrival while the driver refuses: the reconnect timer is started, the window stays hidden.
    mouse.SetPlugged(false);
    device.openFails = true;
    SendDeviceChange(DBT_DEVICEARRIVAL, L"\\\\?\\usb#vid_3f1c&pid_6b02#7#{a5dcbf10-6530-11d2-901f-00c04fb951ed}");
    EXPECT_FALSE(IsWindowVisible(Hwnd()));
    SendMessageW(Hwnd(), WM_TIMER, kReconnectTimer, 0);  // still refused
    mouse.SetPlugged(true);
    device.openFails = false;
    log.clear();
    SendMessageW(Hwnd(), WM_TIMER, kReconnectTimer, 0);
    std::vector<std::uint32_t> sent = Commands();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0], DRV_REGISTER);
    EXPECT_EQ(sent[1], DRV_ENABLE);
    EXPECT_FALSE(KillTimer(Hwnd(), kReconnectTimer)) << "the timer stopped itself";

    // Show from the tray brings the window back.
    SendMessageW(Hwnd(), kWmTrayNotify, 0, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(IsWindowVisible(Hwnd()));
}

TEST_F(MainWindowTest, ArrivalOfAReadyMouseEnablesItAtOnce) {
    Start();
    SendDeviceChange(DBT_DEVICEREMOVECOMPLETE, kMousePath);
    log.clear();
    SendDeviceChange(DBT_DEVICEARRIVAL, kMousePath);
    std::vector<std::uint32_t> sent = Commands();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0], DRV_REGISTER);
    EXPECT_EQ(sent[1], DRV_ENABLE);
    EXPECT_FALSE(KillTimer(Hwnd(), kReconnectTimer)) << "no reconnect timer when both requests were taken";
}

TEST_F(MainWindowTest, ShowHideAndTheRunningInstanceHandOver) {
    TestMainDlg& w = Start();
    SendMessageW(Hwnd(), kWmHideConfig, 0, 0);
    EXPECT_FALSE(IsWindowVisible(Hwnd()));
    SendMessageW(Hwnd(), kWmShowConfig, 0, 0);
    EXPECT_TRUE(IsWindowVisible(Hwnd()));

    Click(Hwnd(), w.CloseButton().Hwnd());
    EXPECT_FALSE(IsWindowVisible(Hwnd())) << "the close button only hides";
    EXPECT_FALSE(w.Ended());

    // A second start posts the double click to this window, which shows itself.
    EXPECT_TRUE(CQ3MouseApp::HandOverToRunningInstance());
    Pump();
    EXPECT_TRUE(IsWindowVisible(Hwnd()));

    // Without the mouse, Show does nothing.
    SendMessageW(Hwnd(), kWmHideConfig, 0, 0);
    mouse.SetPlugged(false);
    SendMessageW(Hwnd(), WM_COMMAND, kCommandShow, 0);
    SendMessageW(Hwnd(), kWmShowConfig, 0, 0);
    EXPECT_FALSE(IsWindowVisible(Hwnd()));

    window.reset();
    EXPECT_FALSE(CQ3MouseApp::HandOverToRunningInstance()) << "no running window";
}

TEST_F(MainWindowTest, StartWithoutTheMouseStaysHiddenInTheNotificationArea) {
    mouse.SetPlugged(false);
    TestMainDlg& w = Start();
    EXPECT_TRUE(w.Initialized());
    EXPECT_FALSE(IsWindowVisible(Hwnd()));
    LONG_PTR ex = GetWindowLongPtrW(Hwnd(), GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(ex & WS_EX_APPWINDOW);
    EXPECT_EQ(w.TrayIconData().hWnd, Hwnd()) << "the notification icon is there";
}

TEST_F(MainWindowTest, PaintsItsSkinAndTexts) {
    TestMainDlg& w = Start();
    Pixels shown = Capture(Hwnd());
    ASSERT_EQ(shown.width, 822);
    HBITMAP skin = LoadBitmapResource(IDB_MAIN_SKIN_NORMAL);
    Pixels expected = ReadBitmap(skin);
    DeleteObject(skin);
    ASSERT_EQ(expected.width, 822);
    // Background where no control and no text lies.
    for (POINT p : {POINT{400, 20}, POINT{700, 480}, POINT{5, 300}})
        EXPECT_EQ(shown.At(p.x, p.y), expected.At(p.x, p.y)) << p.x << "," << p.y;
    int text = 0;
    for (int y = 482; y < 497; ++y)
        for (int x = 30; x < 153; ++x) text += shown.At(x, y) == COLORREF(0x646153);
    EXPECT_GT(text, 10) << "the right-aligned profile name label";

    // What the screen shows of the window, children included, for people to
    // look at: each page in turn.
    std::filesystem::create_directories("screenshots");
    const wchar_t* files[] = {L"screenshots\\main-window.png", L"screenshots\\performance-page.png",
                              L"screenshots\\lighting-page.png", L"screenshots\\macro-page.png"};
    for (int page = 1; page <= 4; ++page) {
        Click(Hwnd(), w.Tab(page).Hwnd());
        RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Pump();
        RECT r{};
        GetWindowRect(Hwnd(), &r);
        HDC screen = GetDC(nullptr);
        Pixels onScreen =
            Render(822, 544, [&](HDC dc) { BitBlt(dc, 0, 0, 822, 544, screen, r.left, r.top, SRCCOPY); });
        ReleaseDC(nullptr, screen);
        HBITMAP shot = MakeBitmap(822, 544, [&](int x, int y) { return onScreen.At(x, y); });
        EXPECT_TRUE(SaveBitmapPng(shot, files[page - 1]));
        DeleteObject(shot);
    }
    EXPECT_TRUE(w.Initialized());
}

TEST(CQ3MouseAppTest, LoadHookTapWarnsOnceWhenTheLibraryIsMissing) {
    struct App : CQ3MouseApp {
        int warnings = 0;
        void ShowHookTapWarning() override { ++warnings; }
    };
    App missing;
    EXPECT_EQ(missing.LoadHookTap(L"bin\\NoSuchHook.dll"), 0);
    EXPECT_EQ(missing.warnings, 1);
    EXPECT_EQ(HookTap().installhook, nullptr);
    EXPECT_EQ(HookTap().SetHookStatus, nullptr);

    App present;
    EXPECT_EQ(present.LoadHookTap(L"bin\\HookTap.dll"), 1);
    EXPECT_EQ(present.warnings, 0);
    EXPECT_NE(HookTap().installhook, nullptr);
    EXPECT_NE(HookTap().removehook, nullptr);
    EXPECT_NE(HookTap().SetHookStatus, nullptr);
    EXPECT_NE(HookTap().SetReciveWindow, nullptr);
    HookTap().removehook();  // this test process keeps no hook
}

}  // namespace

namespace {

class ProgressDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved = str_probar_msg1;
        str_probar_msg1 = u"Writing the settings into the mouse...";
    }
    void TearDown() override { str_probar_msg1 = saved; }
    GraphicsSession graphics;
    std::u16string saved;
};

TEST_F(ProgressDialogTest, SizedByItsPictureCentredWithTheBarAtItsPlace) {
    auto picture = LoadImageFile(L"skins\\Progress_Bar\\Progress_Normal.png");
    ASSERT_TRUE(picture) << "the skin image beside the test program";
    const int width = int(picture->GetWidth()), height = int(picture->GetHeight());

    CProgressDlg dialog;
    ASSERT_TRUE(dialog.Open());
    wchar_t title[64] = {};
    GetWindowTextW(dialog.Hwnd(), title, 64);
    EXPECT_STREQ(title, L"VeldaQ7TProcessDlg");
    EXPECT_EQ(GetWindow(dialog.Hwnd(), GW_OWNER), nullptr) << "made without an owner";
    EXPECT_TRUE(IsWindowVisible(dialog.Hwnd()));
    RECT r{};
    GetWindowRect(dialog.Hwnd(), &r);
    EXPECT_EQ(r.right - r.left, width);
    EXPECT_EQ(r.bottom - r.top, height);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXFULLSCREEN) - width) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYFULLSCREEN) - height) / 2);
    RECT bar = RectIn(dialog.Bar().Hwnd(), dialog.Hwnd());
    EXPECT_EQ(bar.left, 35);
    EXPECT_EQ(bar.top, 47);
    EXPECT_EQ(bar.right, 295);
    EXPECT_EQ(bar.bottom, 56);
    EXPECT_EQ(dialog.Bar().maximum, 100);

    struct Case {
        int requested, shown;
    };
    for (Case c : {Case{10, 10}, Case{0, 0}, Case{101, 0}, Case{-1, 0}, Case{100, 100}}) {
        dialog.SetProgress(c.requested);
        EXPECT_EQ(dialog.RequestedPosition(), c.requested);
        EXPECT_EQ(dialog.Bar().position, c.shown) << c.requested;
    }
    dialog.SetProgress(60);
    EXPECT_EQ(dialog.Bar().FillWidth(), 260 * 60 / 100);

    // The face: the picture, and the message in grey in its rectangle.
    Pixels face = Render(width, height, [&](HDC dc) { dialog.Draw(dc); });
    int grey = 0;
    for (int y = 20; y < 47; ++y)
        for (int x = 35; x < width; ++x) {
            COLORREF c = face.At(x, y);
            grey += GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c) && GetRValue(c) > 0x60 &&
                    GetRValue(c) < 0xA0;
        }
    EXPECT_GT(grey, 10) << "str_probar_msg1";

    std::filesystem::create_directories("screenshots");
    HBITMAP shot = MakeBitmap(width, height, [&](int x, int y) { return face.At(x, y); });
    EXPECT_TRUE(SaveBitmapPng(shot, L"screenshots\\progress-dialog.png"));
    DeleteObject(shot);
}

TEST_F(ProgressDialogTest, ClosedByTheMainWindowItEndsAndLaterPositionsAreHarmless) {
    CProgressDlg dialog;
    ASSERT_TRUE(dialog.Open());
    HWND window = dialog.Hwnd();
    PostMessageW(window, WM_CLOSE, 0, 0);
    Pump();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(dialog.Hwnd(), nullptr);
    dialog.SetProgress(70);  // the write goes on after the mouse was removed
    EXPECT_EQ(dialog.RequestedPosition(), 70);
}

TEST_F(MainWindowTest, TheNotificationMenuOffersShowAndExitWithTheirIcons) {
    TestMainDlg& w = Start();
    struct Seen {
        int items = -1;
        UINT ids[2] = {};
        DWORD icons[2] = {};
        std::wstring texts[2];
    };
    static Seen seen;
    seen = Seen{};
    SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
        HWND popup = FindWindowW(L"#32768", nullptr);
        if (!popup) return;
        KillTimer(nullptr, id);
        HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
        seen.items = GetMenuItemCount(menu);
        for (int i = 0; i < 2 && i < seen.items; ++i) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_ID | MIIM_DATA | MIIM_FTYPE;
            GetMenuItemInfoW(menu, UINT(i), TRUE, &info);
            seen.ids[i] = info.wID;
            if (auto* item = reinterpret_cast<const XPMenuItem*>(info.dwItemData)) {
                seen.icons[i] = item->normalIcon | (item->highlightIcon << 16);
                seen.texts[i] = item->text;
            }
        }
        PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
        EndMenu();
    });
    str_config = u"Configure";
    str_exit = u"Exit";
    SendMessageW(Hwnd(), kWmTrayNotify, 0, WM_RBUTTONUP);
    Pump();
    ASSERT_EQ(seen.items, 2);
    EXPECT_EQ(seen.ids[0], kCommandShow);
    EXPECT_EQ(seen.ids[1], kCommandExit);
    EXPECT_EQ(seen.icons[0], DWORD(153 | 153 << 16));
    EXPECT_EQ(seen.icons[1], DWORD(152 | 152 << 16));
    EXPECT_EQ(seen.texts[0], L"Configure");
    EXPECT_EQ(seen.texts[1], L"Exit");
    EXPECT_FALSE(w.Ended()) << "cancelled: nothing chosen";
    str_config.clear();
    str_exit.clear();
}

TEST_F(MainWindowTest, MinimiseAndIconicPainting) {
    TestMainDlg& w = Start();
    Click(Hwnd(), w.MinimiseButton().Hwnd());
    EXPECT_TRUE(IsIconic(Hwnd()));
    EXPECT_EQ(SendMessageW(Hwnd(), WM_QUERYDRAGICON, 0, 0), LRESULT(w.TrayIconData().hIcon));
    SendMessageW(Hwnd(), WM_COMMAND, kCommandShow, 0);
    EXPECT_FALSE(IsIconic(Hwnd()));
    EXPECT_TRUE(IsWindowVisible(Hwnd()));
}

}  // namespace
