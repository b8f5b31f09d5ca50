// The Windows side of the driver link: the event semaphore, the event thread
// that turns each release into one WM_DEVICE_EVENT, the hidden window and the
// DevBridge.dll lookup.
#include <windows.h>

#include <gtest/gtest.h>

#include "device/ProtocolTrace.h"
#include "device/win/CUSBDriver.h"
#include "platform/FakeDriverDevice.h"
#include "platform/win/Win32DriverDevice.h"
#include "virtual-mouse/SimulatedMouse.h"

namespace {

HWND MakeNotifyWindow() {
    static ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"Q7TTestNotify";
        return ::RegisterClassW(&wc);
    }();
    (void)atom;
    // Message-only: it needs no display, so the test also runs under Wine without X.
    return ::CreateWindowExW(0, L"Q7TTestNotify", L"notify", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
}

// Whether top-level windows can be made here (Wine without a display cannot).
bool HaveDisplay() {
    HWND probe = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    if (probe) ::DestroyWindow(probe);
    return probe != nullptr;
}

// Waits for the next WM_DEVICE_EVENT posted to `window`.
bool NextDeviceEvent(HWND window, WPARAM& word, DWORD timeoutMs = 5000) {
    DWORD start = ::GetTickCount();
    MSG msg;
    while (::GetTickCount() - start < timeoutMs) {
        if (::PeekMessageW(&msg, window, kWmDeviceEvent, kWmDeviceEvent, PM_REMOVE)) {
            EXPECT_EQ(msg.lParam, 0);
            word = msg.wParam;
            return true;
        }
        ::Sleep(5);
    }
    return false;
}

class USBDriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        notify = MakeNotifyWindow();
        ASSERT_NE(notify, nullptr);
    }
    void TearDown() override { ::DestroyWindow(notify); }

    HWND notify = nullptr;
    CSimulatedMouse mouse;
    ProtocolLog log;
    CFakeDriverDevice device{log, &mouse};
    CRecordingPauses pauses{log};
};

TEST_F(USBDriverTest, WithoutDevBridgeInitializeFailsButTheLinkExists) {
    CUSBDriver driver(device, pauses);
    EXPECT_EQ(driver.Initialize(notify), 0);
    EXPECT_NE(driver.EventSemaphore(), nullptr);
    EXPECT_EQ(driver.NotifyWindow(), notify);
    driver.OpenHidDevice();  // no entry: nothing happens
    EXPECT_EQ(driver.HidHandle(), nullptr);
}

TEST_F(USBDriverTest, HiddenWindow) {
    if (!HaveDisplay()) GTEST_SKIP() << "no display for top-level windows";
    CUSBDriver driver(device, pauses);
    driver.Initialize(notify);
    ASSERT_NE(driver.Window(), nullptr);
    wchar_t title[64] = {};
    ::GetWindowTextW(driver.Window(), title, 64);
    EXPECT_STREQ(title, L"VeldaQ3Drivers");
    EXPECT_FALSE(::IsWindowVisible(driver.Window()));
    RECT r{};
    ::GetWindowRect(driver.Window(), &r);
    EXPECT_EQ(r.left, 1);
    EXPECT_EQ(r.right - r.left, 1);
}

TEST_F(USBDriverTest, EachReleaseYieldsOneEventMessage) {
    CUSBDriver driver(device, pauses);
    driver.Initialize(notify);
    ASSERT_EQ(driver.Link().OpenDriverDevice(), 1);
    // The driver learns the semaphore's handle value on register.
    EXPECT_EQ(mouse.SemaphoreHandle(), std::uint32_t(reinterpret_cast<std::uintptr_t>(driver.EventSemaphore())));

    mouse.QueueEvent(0x4000D300);
    mouse.QueueEvent(0x4000C900);
    ASSERT_TRUE(::ReleaseSemaphore(driver.EventSemaphore(), 1, nullptr));
    WPARAM word = 0;
    ASSERT_TRUE(NextDeviceEvent(notify, word));
    EXPECT_EQ(word, 0x4000D300u);
    ASSERT_TRUE(::ReleaseSemaphore(driver.EventSemaphore(), 1, nullptr));
    ASSERT_TRUE(NextDeviceEvent(notify, word));
    EXPECT_EQ(word, 0x4000C900u);

    // A release with nothing to read loses that one event and posts nothing.
    ASSERT_TRUE(::ReleaseSemaphore(driver.EventSemaphore(), 1, nullptr));
    EXPECT_FALSE(NextDeviceEvent(notify, word, 300));
}

TEST_F(USBDriverTest, NoReadWhileTheDeviceIsClosed) {
    CUSBDriver driver(device, pauses);
    driver.Initialize(notify);
    mouse.QueueEvent(0x4000D300);
    ASSERT_TRUE(::ReleaseSemaphore(driver.EventSemaphore(), 1, nullptr));
    WPARAM word = 0;
    EXPECT_FALSE(NextDeviceEvent(notify, word, 300));
    EXPECT_TRUE(log.empty());
}

TEST(Win32DriverDevice, MissingDriverOpensNothing) {
    CWin32DriverDevice device;
    ProtocolLog log;
    CRecordingPauses pauses(log);
    CDriverLink link(device, pauses);
    EXPECT_EQ(link.OpenDriverDevice(), 0);
    EXPECT_FALSE(link.HasDevice());
    EXPECT_EQ(link.CloseDriverDevice(), 1);
    EXPECT_TRUE(log.empty());
    // No such USB device under Wine.
    EXPECT_FALSE(device.IsDevicePresent(kMouseHardwareId));
}

}  // namespace
