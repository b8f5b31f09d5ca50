// VirtualMouse.exe and the program's side of it (the virtual driver device):
// the script commands and their exit codes, requests through the adapter into
// the state and the log, unplugging, the event semaphore released per press,
// and WM_DEVICECHANGE reaching the main window. Each test runs its own virtual
// mouse on a pipe of its own.
#include <windows.h>

#include <dbt.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "device/DriverTransport.h"
#include "device/win/CUSBDriver.h"
#include "platform/ProtocolLog.h"
#include "platform/win/SystemDriverDevice.h"
#include "platform/win/VirtualDriverDevice.h"
#include "platform/win/VirtualMousePipe.h"
#include "platform/win/Win32DriverDevice.h"

namespace {

namespace fs = std::filesystem;

std::string NarrowW(const std::wstring& w) {
    std::string s;
    for (wchar_t c : w) s += c < 0x80 ? char(c) : '?';
    return s;
}

struct CommandResult {
    DWORD exitCode = 0xFFFFFFFF;
    std::string out;
    std::string err;
};

HANDLE InheritableFile(const fs::path& p) {
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    return ::CreateFileW(p.wstring().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string ReadText(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// Starts bin/VirtualMouse.exe with `args`, its output going to files.
HANDLE StartVirtualMouse(const std::wstring& args, const fs::path& out, const fs::path& err) {
    std::wstring exe = fs::absolute(L"bin/VirtualMouse.exe").wstring();
    std::wstring cmd = L"\"" + exe + L"\" " + args;
    HANDLE o = InheritableFile(out), e = InheritableFile(err);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = nullptr;
    si.hStdOutput = o;
    si.hStdError = e;
    PROCESS_INFORMATION pi{};
    BOOL ok = ::CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si,
                               &pi);
    ::CloseHandle(o);
    ::CloseHandle(e);
    if (!ok) return nullptr;
    ::CloseHandle(pi.hThread);
    return pi.hProcess;
}

// Waits for a process, answering messages sent to this thread's windows
// meanwhile (a device notification); posted ones stay queued for the test.
DWORD WaitPumping(HANDLE process, DWORD timeoutMs) {
    DWORD start = ::GetTickCount();
    for (;;) {
        DWORD left = timeoutMs - (::GetTickCount() - start);
        if (::GetTickCount() - start >= timeoutMs) return WAIT_TIMEOUT;
        DWORD r = ::MsgWaitForMultipleObjects(1, &process, FALSE, left, QS_SENDMESSAGE);
        if (r != WAIT_OBJECT_0 + 1) return r;
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

class VirtualMouseTest : public ::testing::Test {
protected:
    void SetUp() override {
        static std::atomic<int> counter{0};
        std::wstring name = L"Q7TVirtualMouseTest-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                            std::to_wstring(++counter);
        dir_ = fs::temp_directory_path() / name;
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        logPath_ = dir_ / L"requests.log";
        ::SetEnvironmentVariableW(L"Q7T_VIRTUAL_MOUSE_PIPE", name.c_str());
        ::SetEnvironmentVariableW(L"Q7T_VIRTUAL_MOUSE_LOG", logPath_.wstring().c_str());
        // No settling after a plug unless a test asks for it.
        ::SetEnvironmentVariableW(L"Q7T_VIRTUAL_MOUSE_SETTLE_MS", L"0");
        pipePath_ = VirtualMousePipePath();
    }
    void TearDown() override {
        if (server_) {
            if (::WaitForSingleObject(server_, 0) == WAIT_TIMEOUT) {
                Command(L"quit");
                if (::WaitForSingleObject(server_, 5000) == WAIT_TIMEOUT) ::TerminateProcess(server_, 9);
            }
            ::CloseHandle(server_);
        }
        ::SetEnvironmentVariableW(L"Q7T_VIRTUAL_MOUSE_PIPE", nullptr);
        ::SetEnvironmentVariableW(L"Q7T_VIRTUAL_MOUSE_LOG", nullptr);
        ::SetEnvironmentVariableW(L"Q7T_VIRTUAL_MOUSE_SETTLE_MS", nullptr);
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    // Runs the device and waits until it serves its pipe.
    bool StartServer(const std::wstring& args = L"") {
        server_ = StartVirtualMouse(args, dir_ / L"server.out", dir_ / L"server.err");
        if (!server_) return false;
        for (int waited = 0; waited < 15000; waited += 50) {
            if (HANDLE h = ConnectVirtualMouse(pipePath_, 0)) {
                ::CloseHandle(h);
                return true;
            }
            if (::WaitForSingleObject(server_, 50) != WAIT_TIMEOUT) return false;
        }
        return false;
    }

    CommandResult Command(const std::wstring& args) {
        CommandResult r;
        static std::atomic<int> n{0};
        fs::path out = dir_ / (L"cmd" + std::to_wstring(++n) + L".out"), err = out;
        err.replace_extension(L".err");
        HANDLE p = StartVirtualMouse(args, out, err);
        if (!p) return r;
        if (WaitPumping(p, 20000) == WAIT_OBJECT_0) ::GetExitCodeProcess(p, &r.exitCode);
        else ::TerminateProcess(p, 9);
        ::CloseHandle(p);
        r.out = ReadText(out);
        r.err = ReadText(err);
        return r;
    }

    // The log's lines without their leading milliseconds, which must be
    // whole numbers that never go back.
    std::vector<std::string> LogLines() {
        std::vector<std::string> lines;
        std::istringstream in(ReadText(logPath_));
        std::string line;
        unsigned long long last = 0;
        while (std::getline(in, line)) {
            std::size_t space = line.find(' ');
            EXPECT_NE(space, std::string::npos) << line;
            if (space == std::string::npos) continue;
            unsigned long long ms = std::stoull(line.substr(0, space));
            EXPECT_GE(ms, last) << line;
            last = ms;
            lines.push_back(line.substr(space + 1));
        }
        return lines;
    }

    fs::path dir_, logPath_;
    std::wstring pipePath_;
    HANDLE server_ = nullptr;
    ProtocolLog pauseLog_;
    CRecordingPauses pauses_{pauseLog_};
};

SettingPacket Packet(std::initializer_list<std::uint8_t> bytes) {
    SettingPacket p{};
    std::copy(bytes.begin(), bytes.end(), p.bytes);
    return p;
}

TEST_F(VirtualMouseTest, CommandsAndTheirExitCodes) {
    // No device running: every command fails with a message.
    for (const wchar_t* c : {L"plug", L"unplug", L"press 2", L"state", L"quit"}) {
        CommandResult r = Command(c);
        EXPECT_EQ(r.exitCode, 1u) << NarrowW(c);
        EXPECT_NE(r.err.find("no virtual mouse runs"), std::string::npos) << r.err;
    }
    // A wrong command line is a usage error whether or not a device runs.
    for (const wchar_t* c : {L"press 7", L"press", L"jump", L"state now"}) {
        CommandResult r = Command(c);
        EXPECT_EQ(r.exitCode, 2u) << NarrowW(c);
        EXPECT_NE(r.err.find("usage:"), std::string::npos) << r.err;
    }

    ASSERT_TRUE(StartServer(L"--unplugged"));
    // A second device on the same pipe refuses to start.
    CommandResult second;
    HANDLE other = StartVirtualMouse(L"", dir_ / L"second.out", dir_ / L"second.err");
    ASSERT_NE(other, nullptr);
    if (::WaitForSingleObject(other, 10000) == WAIT_OBJECT_0) ::GetExitCodeProcess(other, &second.exitCode);
    else ::TerminateProcess(other, 9);
    ::CloseHandle(other);
    EXPECT_EQ(second.exitCode, 1u);

    CommandResult state = Command(L"state");
    EXPECT_EQ(state.exitCode, 0u);
    EXPECT_NE(state.out.find("\"plugged\": false,"), std::string::npos) << state.out;
    EXPECT_EQ(Command(L"plug").exitCode, 0u);
    EXPECT_NE(Command(L"state").out.find("\"plugged\": true,"), std::string::npos);
    EXPECT_EQ(Command(L"plug").out, "already plugged in\n");
    CommandResult press = Command(L"press 0");
    EXPECT_EQ(press.exitCode, 0u);
    EXPECT_NE(press.out.find("no event"), std::string::npos) << press.out;
    EXPECT_EQ(Command(L"unplug").exitCode, 0u);
    EXPECT_EQ(Command(L"quit").exitCode, 0u);
    ASSERT_EQ(::WaitForSingleObject(server_, 5000), WAIT_OBJECT_0);
    DWORD code = 9;
    ::GetExitCodeProcess(server_, &code);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(Command(L"state").exitCode, 1u);
}

TEST_F(VirtualMouseTest, RequestsThroughTheAdapterReachTheStateAndTheLog) {
    ASSERT_TRUE(StartServer());
    CVirtualDriverDevice device;
    CDriverLink link(device, pauses_);
    link.SetEventSemaphore(0x1234);  // no such handle: only events need it
    ASSERT_TRUE(IsMousePresent(device));
    ASSERT_EQ(link.OpenDriverDevice(), 1);
    ASSERT_EQ(link.SendEnableRequest(), 1);
    SettingPacket colour = Packet({0x0C, 0x01, 0x00, 0xFF, 0x00});
    SettingPacket dpiHeader = Packet({0x11, 0x01, 0x03, 0x10, 0x00});
    SettingPacket lift = Packet({0x04, 0x80});
    const std::uint8_t dpi[16] = {2, 4, 8, 0x80, 0x80, 0x80, 0x80, 0x80, 2, 4, 8, 0x80, 0x80, 0x80, 0x80, 0x80};
    EXPECT_EQ(link.SendSettingPacket(&colour), 1);
    EXPECT_EQ(link.SendSettingPacket(&dpiHeader), 1);
    EXPECT_EQ(link.SendDataBlock(dpi, 16), 1);
    EXPECT_EQ(link.SendSettingPacket(&lift), 1);
    // A request the mouse refuses fails on the program's side too.
    EXPECT_EQ(link.SendDataBlock(dpi, 16), 0);
    // An event read with nothing queued fails and leaves the buffer as it was.
    DriverEvent event = MakeDriverEvent();
    EXPECT_FALSE(ReadDriverEvent(device, event));
    EXPECT_EQ(event.deviceIdentity.get(), kDeviceIdentity);

    CommandResult state = Command(L"state");
    ASSERT_EQ(state.exitCode, 0u);
    for (const char* part : {"\"plugged\": true,\n  \"registered\": true,\n  \"enabled\": true,",
                             "\"dpi\": \"02040880808080800204088080808080\"", "\"color\": [255, 0, 0]",
                             "\"lift\": 128", "\"macros\": [null, null, null, null, null, null, null]"})
        EXPECT_NE(state.out.find(part), std::string::npos) << part << "\n" << state.out;

    EXPECT_EQ(link.CloseDriverDevice(), 1);
    EXPECT_FALSE(device.IsOpen());
    EXPECT_NE(Command(L"state").out.find("\"registered\": false,"), std::string::npos);

    std::vector<std::string> expected = {
        "0x222410 option 0F000000",
        "0x22240C register",
        "0x22240C enable",
        "0x22240C setting 0C0100FF00000000",
        "0x22240C setting 1101031000000000",
        "0x22240C data 02040880808080800204088080808080",
        "0x22240C setting 0480000000000000",
        "0x22240C data 02040880808080800204088080808080",
        "0x222408 read-event",
        "0x22240C unregister",
    };
    EXPECT_EQ(LogLines(), expected);
}

TEST_F(VirtualMouseTest, UnpluggedMouseIsAbsentAndCannotBeOpened) {
    CVirtualDriverDevice device;
    CDriverLink link(device, pauses_);
    // No virtual mouse at all: absent, and the open fails without a request.
    EXPECT_FALSE(IsMousePresent(device));
    EXPECT_EQ(link.OpenDriverDevice(), 0);

    ASSERT_TRUE(StartServer());
    EXPECT_TRUE(IsMousePresent(device));
    EXPECT_FALSE(device.IsDevicePresent(u"VID_046D&PID_C077"));
    ASSERT_EQ(link.OpenDriverDevice(), 1);
    ASSERT_EQ(Command(L"unplug").exitCode, 0u);
    EXPECT_FALSE(IsMousePresent(device));
    // The handle is still held, but the removed device answers nothing.
    EXPECT_TRUE(link.HasDevice());
    EXPECT_EQ(link.SendEnableRequest(), 0);
    EXPECT_EQ(link.OpenDriverDevice(), 0);
    EXPECT_FALSE(link.HasDevice());

    ASSERT_EQ(Command(L"plug").exitCode, 0u);
    EXPECT_TRUE(IsMousePresent(device));
    ASSERT_EQ(link.OpenDriverDevice(), 1);
    EXPECT_EQ(link.SendEnableRequest(), 1);
    std::string state = Command(L"state").out;
    EXPECT_NE(state.find("\"registered\": true,\n  \"enabled\": true,"), std::string::npos) << state;
}

TEST_F(VirtualMouseTest, AJustPluggedMouseOpensOnlyAfterSettling) {
    ::SetEnvironmentVariableW(L"Q7T_VIRTUAL_MOUSE_SETTLE_MS", L"600");
    ASSERT_TRUE(StartServer());
    CVirtualDriverDevice device;
    CDriverLink link(device, pauses_);
    ASSERT_EQ(Command(L"unplug").exitCode, 0u);
    ASSERT_EQ(Command(L"plug").exitCode, 0u);
    EXPECT_TRUE(IsMousePresent(device)) << "present at once";
    EXPECT_EQ(link.OpenDriverDevice(), 0) << "but the driver is not ready yet";
    ::Sleep(700);
    EXPECT_EQ(link.OpenDriverDevice(), 1);
}

HWND MakeMessageWindow() {
    static ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"Q7TVirtualMouseTestNotify";
        return ::RegisterClassW(&wc);
    }();
    (void)atom;
    return ::CreateWindowExW(0, L"Q7TVirtualMouseTestNotify", L"notify", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
}

bool NextDeviceEvent(HWND window, WPARAM& word, DWORD timeoutMs) {
    DWORD start = ::GetTickCount();
    MSG msg;
    while (::GetTickCount() - start < timeoutMs) {
        if (::PeekMessageW(&msg, window, kWmDeviceEvent, kWmDeviceEvent, PM_REMOVE)) {
            word = msg.wParam;
            return true;
        }
        ::Sleep(5);
    }
    return false;
}

TEST_F(VirtualMouseTest, PressOnAProgramActionSlotReleasesTheSemaphoreOnce) {
    ASSERT_TRUE(StartServer());
    CVirtualDriverDevice device;
    HANDLE semaphore = ::CreateSemaphoreW(nullptr, 0, 8000, nullptr);
    ASSERT_NE(semaphore, nullptr);
    CDriverLink link(device, pauses_);
    link.SetEventSemaphore(std::uint32_t(reinterpret_cast<std::uintptr_t>(semaphore)));
    ASSERT_EQ(link.OpenDriverDevice(), 1);

    // Before any button table, control 3's slot is empty: no event.
    EXPECT_NE(Command(L"press 3").out.find("no event"), std::string::npos);
    EXPECT_EQ(::WaitForSingleObject(semaphore, 200), WAIT_TIMEOUT);

    // Control 3 (slot 4) opens a program, control 0 (slot 0) clicks, control 6
    // (slot 15) takes a region screenshot.
    std::uint8_t table[64] = {};
    WriteLE32(table, 0x00F00001);
    WriteLE32(table + 4 * 4, 0x00D30006);
    WriteLE32(table + 4 * 15, 0x01CB0006);
    SettingPacket header = Packet({0x12, 0x01, 0x00, 0x40, 0x00});
    ASSERT_EQ(link.SendSettingPacket(&header), 1);
    ASSERT_EQ(link.SendDataChunks(table, 64), 1);

    CommandResult press = Command(L"press 3");
    ASSERT_EQ(press.exitCode, 0u);
    EXPECT_NE(press.out.find("event 4000D300"), std::string::npos) << press.out;
    ASSERT_EQ(::WaitForSingleObject(semaphore, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(::WaitForSingleObject(semaphore, 200), WAIT_TIMEOUT);  // once, not twice
    DriverEvent event = MakeDriverEvent();
    ASSERT_TRUE(ReadDriverEvent(device, event));
    EXPECT_EQ(event.eventWord.get(), 0x4000D300u);
    EXPECT_EQ(event.deviceIdentity.get(), kDeviceIdentity);

    EXPECT_NE(Command(L"press 0").out.find("no event"), std::string::npos);
    EXPECT_EQ(::WaitForSingleObject(semaphore, 200), WAIT_TIMEOUT);

    // Unregistered, the press is dropped.
    link.CloseDriverDevice();
    EXPECT_NE(Command(L"press 3").out.find("dropped"), std::string::npos);
    EXPECT_EQ(::WaitForSingleObject(semaphore, 200), WAIT_TIMEOUT);
    ::CloseHandle(semaphore);
}

TEST_F(VirtualMouseTest, TheProgramsEventThreadPostsThePressedEvent) {
    ASSERT_TRUE(StartServer());
    HWND notify = MakeMessageWindow();
    ASSERT_NE(notify, nullptr);
    {
        CVirtualDriverDevice device;
        CUSBDriver driver(device, pauses_);
        driver.Initialize(notify);
        ASSERT_EQ(driver.Link().OpenDriverDevice(), 1);
        std::uint8_t table[64] = {};
        WriteLE32(table + 4 * 15, 0x01CB0006);
        SettingPacket header = Packet({0x12, 0x01, 0x00, 0x40, 0x00});
        ASSERT_EQ(driver.Link().SendSettingPacket(&header), 1);
        ASSERT_EQ(driver.Link().SendDataChunks(table, 64), 1);
        CommandResult press = Command(L"press 6");
        ASSERT_EQ(press.exitCode, 0u);
        EXPECT_NE(press.out.find("event 4000CB00"), std::string::npos) << press.out;
        WPARAM word = 0;
        ASSERT_TRUE(NextDeviceEvent(notify, word, 5000));
        EXPECT_EQ(word, 0x4000CB00u);
        driver.Link().CloseDriverDevice();
    }
    ::DestroyWindow(notify);
    std::vector<std::string> lines = LogLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "0x222408 read-event"), 1);
}

// The main window stand-in: records each device-interface notification.
struct Notification {
    WPARAM kind;
    DWORD size, deviceType;
    GUID classGuid;
    std::wstring name;
};
std::vector<Notification>* g_notifications = nullptr;

LRESULT CALLBACK MainWindowProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_DEVICECHANGE && g_notifications) {
        const auto* hdr = reinterpret_cast<const DEV_BROADCAST_HDR*>(lp);
        Notification n{wp, 0, 0, {}, {}};
        if (hdr) {
            n.size = hdr->dbch_size;
            n.deviceType = hdr->dbch_devicetype;
            if (hdr->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE) {
                const auto* d = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(lp);
                n.classGuid = d->dbcc_classguid;
                n.name = d->dbcc_name;
            }
        }
        g_notifications->push_back(n);
        return TRUE;
    }
    return ::DefWindowProcW(w, m, wp, lp);
}

TEST_F(VirtualMouseTest, PlugAndUnplugReachTheMainWindow) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"Q7TVirtualMouseTestMain";
    ::RegisterClassW(&wc);
    HWND main = ::CreateWindowExW(0, wc.lpszClassName, L"Velda Q7T Mouse Driver Program", WS_POPUP, 0, 0, 10, 10,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    if (!main) GTEST_SKIP() << "no display for top-level windows";
    std::vector<Notification> seen;
    g_notifications = &seen;

    ASSERT_TRUE(StartServer(L"--unplugged"));
    CommandResult plug = Command(L"plug");
    EXPECT_EQ(plug.out, "plugged in, 1 window(s) told\n");
    EXPECT_EQ(Command(L"unplug").exitCode, 0u);
    g_notifications = nullptr;
    ::DestroyWindow(main);

    ASSERT_EQ(seen.size(), 2u);
    const GUID usb = {0xA5DCBF10, 0x6530, 0x11D2, {0x90, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x51, 0xED}};
    const WPARAM kinds[2] = {DBT_DEVICEARRIVAL, DBT_DEVICEREMOVECOMPLETE};
    for (int i = 0; i < 2; ++i) {
        const Notification& n = seen[std::size_t(i)];
        EXPECT_EQ(n.kind, kinds[i]);
        EXPECT_EQ(n.deviceType, DWORD(DBT_DEVTYP_DEVICEINTERFACE));
        EXPECT_TRUE(::IsEqualGUID(n.classGuid, usb));
        EXPECT_NE(n.name.find(L"VID_3F1C&PID_6B02"), std::wstring::npos) << NarrowW(n.name);
        EXPECT_EQ(n.name.rfind(L"\\\\?\\USB#", 0), 0u) << NarrowW(n.name);
        EXPECT_EQ(n.size, offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + (n.name.size() + 1) * sizeof(wchar_t));
    }
}

TEST(SystemDriverDevice, VirtualOnlyWhenTheEnvironmentSaysSo) {
    struct Case {
        const wchar_t* value;
        bool isVirtual;
    } cases[] = {{nullptr, false}, {L"virtual", true}, {L"VIRTUAL", true}, {L"kernel", false}, {L"", false}};
    for (const Case& c : cases) {
        ::SetEnvironmentVariableW(L"Q7T_DEVICE", c.value);
        std::unique_ptr<IDriverDevice> device = CreateSystemDriverDevice();
        EXPECT_EQ(dynamic_cast<CVirtualDriverDevice*>(device.get()) != nullptr, c.isVirtual)
            << (c.value ? NarrowW(c.value) : "(unset)");
        EXPECT_EQ(dynamic_cast<CWin32DriverDevice*>(device.get()) != nullptr, !c.isVirtual);
    }
    ::SetEnvironmentVariableW(L"Q7T_DEVICE", nullptr);
}

TEST(DevBridge, OpenHidDeviceFindsNoMouseHere) {
    HMODULE dll = ::LoadLibraryW(L"bin/DevBridge.dll");
    ASSERT_NE(dll, nullptr);
    using Entry = HANDLE(__cdecl*)(DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD);
    auto open = reinterpret_cast<Entry>(reinterpret_cast<void*>(::GetProcAddress(dll, "OpenHidDevice")));
    ASSERT_NE(open, nullptr);
    // The program's call; no HID interface of the mouse exists under Wine.
    EXPECT_EQ(open(0xFF01, 1, 0, 0, 0, 0, 1, 0x40000000), nullptr);
    ::FreeLibrary(dll);
}

}  // namespace
