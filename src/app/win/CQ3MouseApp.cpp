#include "app/win/CQ3MouseApp.h"

#include <commctrl.h>

#include "app/MainWindowRules.h"
#include "app/win/CQ3MouseDlg.h"
#include "controls/win/CInfoDlg.h"
#include "device/DriverTransport.h"
#include "localization/TextTable.h"
#include "platform/Pauses.h"
#include "platform/ProfileFiles.h"
#include "platform/win/SystemDriverDevice.h"
#include "platform/win/Win32Registry.h"

namespace {

std::wstring W(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

HookTapEntries& HookTap() {
    static HookTapEntries entries;
    return entries;
}

CQ3MouseApp::~CQ3MouseApp() = default;

BOOL CQ3MouseApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = 8;
    controls.dwICC = 0xFF;
    InitCommonControlsEx(&controls);

    // Position and size CW_USEDEFAULT (a pop-up then gets 0, 0 and no size);
    // the rectangle carries them as left/top with a width and height of 0.
    if (!m_hiddenWindow.Hwnd() &&
        !m_hiddenWindow.CreateEx(0, L"", WS_POPUP,
                                 RECT{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT}, nullptr, 0))
        return FALSE;

    m_graphics = std::make_unique<GraphicsSession>();

    wchar_t path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return FALSE;
    std::u16string executable(path, path + length);
    std::size_t cut = executable.find_last_of(u'\\');
    m_programFolder = cut == std::u16string::npos ? std::u16string() : executable.substr(0, cut + 1);

    LoadLanguage(m_programFolder + u"language.xml");

    std::unique_ptr<IDriverDevice> device = CreateSystemDriverDevice();
    if (!IsMousePresent(*device)) {
        ShowInfoMessage(str_msg6, 0);
        return FALSE;
    }

    m_mutex = CreateMutexW(nullptr, FALSE, W(kInstanceMutexName).c_str());
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        HandOverToRunningInstance();
        return FALSE;
    }

    // The class library's registry key name ("Local AppWizard-Generated
    // Applications") has no counterpart here: the program stores nothing there.

    LoadHookTap();

    // The records the window and its pages edit, for the life of the process.
    static DeviceSettings settings{};
    static ConfigInfo config{};
    CWin32Registry registry;
    MainWindowPorts ports{*device, SystemPauses(), registry, SystemProfileFiles(), settings, config,
                          m_programFolder};
    {
        auto window = std::make_unique<CQ3MouseDlg>(ports);
        window->DoModal();
        if (m_hiddenWindow.Hwnd()) m_hiddenWindow.DestroyWindow();
    }
    return FALSE;
}

int CQ3MouseApp::ExitInstance() {
    m_graphics.reset();
    return 0;
}

bool CQ3MouseApp::HandOverToRunningInstance() {
    HWND running = FindWindowW(nullptr, W(kMainWindowTitle).c_str());
    if (!running) return false;
    return PostMessageW(running, kWmTrayNotify, 0, WM_LBUTTONDBLCLK) != FALSE;
}

void CQ3MouseApp::ShowHookTapWarning() { MessageBoxW(nullptr, L"Load HookTap.dll failed", L"Warning", MB_OK); }

int CQ3MouseApp::LoadHookTap(const wchar_t* library) {
    HookTapEntries& hook = HookTap();
    m_hookTap = LoadLibraryW(library);
    if (!m_hookTap) {
        ShowHookTapWarning();
        hook.installhook = nullptr;
        hook.removehook = nullptr;
        hook.SetHookStatus = nullptr;
        return 0;
    }
    auto find = [this](const char* name) { return reinterpret_cast<void*>(GetProcAddress(m_hookTap, name)); };
    hook.installhook = reinterpret_cast<HookTapEntries::NoArguments>(find("installhook"));
    hook.removehook = reinterpret_cast<HookTapEntries::NoArguments>(find("removehook"));
    hook.SetHookStatus = reinterpret_cast<HookTapEntries::SetHookStatusEntry>(find("SetHookStatus"));
    hook.SetReciveWindow = reinterpret_cast<HookTapEntries::SetReciveWindowEntry>(find("SetReciveWindow"));
    if (!hook.installhook || !hook.removehook || !hook.SetHookStatus || !hook.SetReciveWindow) ShowHookTapWarning();
    if (hook.installhook) hook.installhook();
    return 1;
}
