// CQ3MouseApp: starts the configuration program. It finds the program
// folder, loads the language, refuses to run without the mouse, lets only one
// instance run (a second start brings the first one's window forward),
// loads the keyboard-hook library and runs the main window modally; the
// whole run happens inside InitInstance.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "ui/Graphics.h"
#include "ui/Window.h"

// The entry points of HookTap.dll (plain C calls), null when missing. The
// combination-key dialog and the macro editor use the last two.
struct HookTapEntries {
    using NoArguments = void(__cdecl*)();
    using SetHookStatusEntry = void(__cdecl*)(int, int);
    using SetReciveWindowEntry = void(__cdecl*)(HWND);
    NoArguments installhook = nullptr;
    NoArguments removehook = nullptr;
    SetHookStatusEntry SetHookStatus = nullptr;
    SetReciveWindowEntry SetReciveWindow = nullptr;
};
// The process's entries, as LoadHookTap found them.
HookTapEntries& HookTap();

class CQ3MouseApp {
public:
    CQ3MouseApp() = default;
    virtual ~CQ3MouseApp();

    // Always FALSE: the process ends when it returns.
    BOOL InitInstance();
    // Shuts GDI+ down.
    int ExitInstance();

    // 1 when the library loaded (its exports may still be missing), else 0.
    int LoadHookTap(const wchar_t* library = L"HookTap.dll");

    // Posts the double click on the notification icon to the running
    // instance's main window; false when there is no such window.
    static bool HandOverToRunningInstance();

    const std::u16string& ProgramFolder() const { return m_programFolder; }

protected:
    // The "Load HookTap.dll failed" warning box.
    virtual void ShowHookTapWarning();

private:
    std::u16string m_programFolder;
    std::unique_ptr<GraphicsSession> m_graphics;
    HMODULE m_hookTap = nullptr;
    CWindow m_hiddenWindow;
    HANDLE m_mutex = nullptr;
};
