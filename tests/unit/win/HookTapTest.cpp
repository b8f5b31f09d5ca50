#include <gtest/gtest.h>
#include <windows.h>

#include <utility>
#include <vector>

namespace {

constexpr UINT WM_HOOK_KEY = 1034;

using VoidFn = void(__cdecl*)();
using StatusFn = void(__cdecl*)(int, int);
using WindowFn = void(__cdecl*)(HWND);

template <typename Fn>
Fn Export(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

struct HookTap {
    HMODULE module = LoadLibraryW(L"bin\\HookTap.dll");
    VoidFn install = Export<VoidFn>(module, "installhook");
    VoidFn remove = Export<VoidFn>(module, "removehook");
    StatusFn status = Export<StatusFn>(module, "SetHookStatus");
    WindowFn receiver = Export<WindowFn>(module, "SetReciveWindow");
};

void Key(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}

// Pumps messages for a while and returns the WM_HOOK_KEY reports that came.
std::vector<std::pair<WPARAM, LPARAM>> Pump(HWND w, int ms) {
    std::vector<std::pair<WPARAM, LPARAM>> reports;
    const DWORD end = GetTickCount() + ms;
    while (GetTickCount() < end) {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.hwnd == w && m.message == WM_HOOK_KEY) reports.emplace_back(m.wParam, m.lParam);
            DispatchMessageW(&m);
        }
        Sleep(10);
    }
    return reports;
}

TEST(HookTap, ExportsTheFourEntryPoints) {
    HookTap tap;
    ASSERT_NE(tap.module, nullptr);
    EXPECT_NE(tap.install, nullptr);
    EXPECT_NE(tap.remove, nullptr);
    EXPECT_NE(tap.status, nullptr);
    EXPECT_NE(tap.receiver, nullptr);
}

TEST(HookTap, ReportsPressAndReleaseOnlyWhileSwitchedOn) {
    HookTap tap;
    ASSERT_NE(tap.status, nullptr);
    HWND w = CreateWindowExW(0, L"STATIC", L"receiver", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(w, nullptr);
    tap.install();
    tap.receiver(w);

    tap.status(1, 0);
    tap.status(1, 0);  // already on: no change
    Key(VK_F9, false);
    Key(VK_F9, true);
    auto on = Pump(w, 500);
    ASSERT_EQ(on.size(), 2u);
    EXPECT_EQ(on[0].first, WPARAM(VK_F9));
    EXPECT_EQ(on[0].second & 0x80, 0);
    EXPECT_EQ(on[1].first, WPARAM(VK_F9));
    EXPECT_EQ(on[1].second & 0x80, 0x80);

    tap.status(0, 0);
    Key(VK_F9, false);
    Key(VK_F9, true);
    EXPECT_TRUE(Pump(w, 300).empty());

    tap.remove();
    DestroyWindow(w);
}

}  // namespace
