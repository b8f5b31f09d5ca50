// HookTap.dll: reports every key press and release in the system to one
// window as WM_HOOK_KEY (wParam: virtual-key code; lParam: bit 7 set for a
// release) while reporting is on. A low-level keyboard hook does the catching;
// keys still reach the program that has the focus.
#include <windows.h>

namespace {

constexpr UINT WM_HOOK_KEY = WM_USER + 10;  // 1034

HINSTANCE g_module = nullptr;
HHOOK g_hook = nullptr;
HWND g_receiver = nullptr;
volatile LONG g_reporting = 0;

LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && g_reporting && g_receiver) {
        const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        // LLKHF_UP is bit 7: set for a release, as the receivers expect.
        PostMessageW(g_receiver, WM_HOOK_KEY, key->vkCode, key->flags & LLKHF_UP);
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

}  // namespace

extern "C" {

// Installs the hook on the calling thread, whose message loop then runs it.
__declspec(dllexport) void __cdecl installhook() {
    if (!g_hook) g_hook = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, g_module, 0);
}

__declspec(dllexport) void __cdecl removehook() {
    if (g_hook) UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
}

// (1, 0) switches reporting on, (0, 0) off; the second value is not used.
__declspec(dllexport) void __cdecl SetHookStatus(int on, int) { InterlockedExchange(&g_reporting, on ? 1 : 0); }

__declspec(dllexport) void __cdecl SetReciveWindow(HWND window) { g_receiver = window; }

}  // extern "C"

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = module;
        DisableThreadLibraryCalls(module);
    }
    return TRUE;
}
