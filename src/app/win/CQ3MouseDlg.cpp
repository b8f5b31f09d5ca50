#include "app/win/CQ3MouseDlg.h"

#include <commdlg.h>
#include <dbt.h>
#include <shellapi.h>
#include <windowsx.h>

#include <cstring>

#include "app/MainWindowRules.h"
#include "controls/win/CInfoDlg.h"
#include "controls/win/CXPMenu.h"
#include "localization/TextTable.h"
#include "macros/MacroStore.h"
#include "ui/Graphics.h"

namespace {

// The USB device interface class.
constexpr GUID kUsbDeviceInterface = {0xA5DCBF10, 0x6530, 0x11D2, {0x90, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x51, 0xED}};

constexpr COLORREF kCaptionNormal = 0x676153;
constexpr COLORREF kCaptionLit = 0xFFFFFF;
constexpr COLORREF kPaintedText = 0x646153;
constexpr COLORREF kNameBoxText = 0x676153;
constexpr COLORREF kNameBoxBackground = 0x060606;

constexpr RECT kMinimiseRect{759, 2, 790, 30};
constexpr RECT kCloseRect{791, 2, 821, 30};
constexpr RECT kAutoSwitchRect{372, 479, 390, 499};
constexpr RECT kProgramRect{394, 500, 544, 519};
constexpr RECT kApplyRect{722, 507, 799, 542};
constexpr RECT kResetRect{644, 507, 722, 542};
constexpr RECT kTabRects[4] = {{46, 56, 78, 86}, {93, 56, 130, 86}, {145, 56, 178, 86}, {193, 56, 226, 86}};
constexpr RECT kNameBoxRect{107, 502, 246, 515};
constexpr RECT kPageRect{0, 96, 820, 459};
constexpr RECT kMacroPageRect{0, 93, 820, 543};

constexpr RECT kVersionTextRect{10, 516, 220, 542};
constexpr RECT kAutoPathTextRect{393, 482, 552, 497};
constexpr RECT kProfileNameTextRect{30, 482, 153, 497};
constexpr UINT kTextFlags = 0x8134;       // single line, vertically centred, word break, no clip, end ellipsis
constexpr UINT kRightTextFlags = 0x8136;  // the same, right-aligned

std::wstring W(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }
std::u16string U(const wchar_t* text) {
    std::u16string out;
    for (; text && *text; ++text) out.push_back(char16_t(*text));
    return out;
}

void CopyText(wchar_t* target, std::size_t capacity, const std::u16string& text) {
    std::size_t n = text.size() < capacity - 1 ? text.size() : capacity - 1;
    for (std::size_t i = 0; i < n; ++i) target[i] = wchar_t(text[i]);
    target[n] = 0;
}

HRGN SelectorRegion(HDC reference, int index) {
    std::span<const PolygonPoint> polygon = ProfileSelectorPolygon(index);
    HDC dc = CreateCompatibleDC(reference);
    BeginPath(dc);
    MoveToEx(dc, polygon[0].x, polygon[0].y, nullptr);
    for (std::size_t i = 1; i < polygon.size(); ++i) LineTo(dc, polygon[i].x, polygon[i].y);
    CloseFigure(dc);
    EndPath(dc);
    HRGN region = PathToRegion(dc);
    DeleteDC(dc);
    return region;
}

using DestroySkinPopEntry = void(__cdecl*)();

}  // namespace

CQ3MouseDlg::CQ3MouseDlg(const MainWindowPorts& ports, HWND parent)
    : CDialog(IDD_MAIN_WINDOW, parent),
      m_device(ports.device),
      m_registry(ports.registry),
      m_settings(ports.settings),
      m_config(ports.config),
      m_programFolder(ports.programFolder),
      m_messages(ports.messages ? *ports.messages : m_ownMessages),
      m_pointer(ports.pointer ? *ports.pointer : m_ownPointer),
      m_driver(ports.device, ports.pauses),
      m_profiles(ports.settings, ports.config, ports.registry, ports.files, m_messages, *this, ports.programFolder),
      m_writer(m_driver.Link(), ports.registry, m_pointer, *this, m_profiles) {}

CQ3MouseDlg::~CQ3MouseDlg() {
    m_progress.reset();
    m_buttonPage.reset();
    m_performancePage.reset();
    m_lightingPage.reset();
    m_macroPage.reset();
    RemoveTrayIcon();
    if (m_deviceNotify) UnregisterDeviceNotification(m_deviceNotify);
    DestroyWindow();
    for (HBITMAP bitmap : {m_normal, m_over, m_pressed})
        if (bitmap) DeleteObject(bitmap);
    if (m_textFont) DeleteObject(m_textFont);
    if (m_nameBoxBrush) DeleteObject(m_nameBoxBrush);
    if (m_icon) DestroyIcon(m_icon);
}

BOOL CQ3MouseDlg::OnInitDialog() {
    m_icon = static_cast<HICON>(LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(IDI_MAIN_ICON), IMAGE_ICON, 0, 0,
                                           LR_DEFAULTSIZE));
    SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, LPARAM(m_icon));
    SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, LPARAM(m_icon));
    SetWindowTextW(m_hWnd, W(kMainWindowTitle).c_str());
    m_ownMessages.SetOwner(m_hWnd);
    m_ownPointer.SetNotifyWindow(m_hWnd);

    // Without the HID library the window stays empty.
    if (!m_driver.Initialize(m_hWnd)) return TRUE;
    m_driver.OpenHidDevice();
    m_driver.Link().OpenDriverDevice();
    if (m_driver.Link().HasDevice()) m_driver.Link().SendEnableRequest();

    CreateControls();
    m_profiles.EnsureFirstRunValue();
    m_profiles.LoadConfigInfo();
    AddTrayIcon();
    RefreshControls();
    SetTimer(kForegroundTimer, kForegroundPeriodMs);

    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = 32;  // the filter without a device name
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = kUsbDeviceInterface;
    m_deviceNotify = RegisterDeviceNotificationW(m_hWnd, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);

    // The window lives hidden in the notification area; it is not a task-bar
    // window until it is shown.
    m_placement.length = sizeof m_placement;
    GetWindowPlacement(m_hWnd, &m_placement);
    WINDOWPLACEMENT hidden = m_placement;
    hidden.showCmd = SW_HIDE;
    SetWindowPlacement(m_hWnd, &hidden);
    SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE,
                      (GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_APPWINDOW)) | WS_EX_TOOLWINDOW);
    m_showWhenModal = false;

    int current = m_profiles.CurrentProfile();
    if (current >= 0) {
        for (int i = 0; i < kProfileCount; ++i) m_selectors[i].SetCheck(i == current);
        m_selectedProfile = current;
    }
    m_initialized = true;

    if (IsMousePresent()) Show(true);
    return TRUE;
}

void CQ3MouseDlg::CreateButton(CGDIBitmapBtn& button, const RECT& rect, HBITMAP normal, HBITMAP over,
                               HBITMAP pressed, HBITMAP disabled) {
    button.Create(rect, m_hWnd);
    button.SetSkin(normal, over, pressed, disabled, rect);
}

void CQ3MouseDlg::CreateControls() {
    m_normal = LoadBitmapResource(IDB_MAIN_SKIN_NORMAL);
    m_over = LoadBitmapResource(IDB_MAIN_SKIN_OVER);
    m_pressed = LoadBitmapResource(IDB_MAIN_SKIN_PRESSED);

    SIZE size = BitmapSize(m_normal);
    SetWindowPos(m_hWnd, nullptr, (GetSystemMetrics(SM_CXFULLSCREEN) - size.cx) / 2,
                 (GetSystemMetrics(SM_CYFULLSCREEN) - size.cy) / 2, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);

    auto captionColours = [](CGDIBitmapBtn& b) {
        b.textNormal = kCaptionNormal;
        b.textOver = kCaptionLit;
        b.textPressed = kCaptionLit;
    };

    CreateButton(m_minimise, kMinimiseRect, m_normal, m_over, m_pressed, m_normal);
    CreateButton(m_close, kCloseRect, m_normal, m_over, m_pressed, m_normal);

    CreateButton(m_autoSwitch, kAutoSwitchRect, m_normal, m_over, m_pressed, m_normal);
    m_autoSwitch.checkable = true;
    m_autoSwitch.overLook = false;
    m_autoSwitch.SetCheck(false);
    m_autoSwitch.SetTooltip(W(str_autopath));

    CreateButton(m_program, kProgramRect, m_pressed, m_over, m_pressed, m_pressed);
    captionColours(m_program);

    CreateButton(m_apply, kApplyRect, m_normal, m_over, m_pressed, m_normal);
    captionColours(m_apply);
    m_apply.SetText(W(str_apply));
    m_apply.SetTooltip(W(str_apply));

    CreateButton(m_reset, kResetRect, m_normal, m_over, m_pressed, m_normal);
    captionColours(m_reset);
    m_reset.SetText(W(str_reset));
    m_reset.SetTooltip(W(str_reset));

    const std::u16string* tabTips[4] = {&str_mouse_page, &str_performance_page, &str_led_page, &str_macro_page};
    for (int i = 0; i < 4; ++i) {
        CreateButton(m_tabs[i], kTabRects[i], m_normal, m_over, m_pressed, m_normal);
        m_tabs[i].checkable = true;
        m_tabs[i].overLook = false;
        m_tabs[i].SetTooltip(W(*tabTips[i]));
    }

    const std::u16string* names[kProfileCount] = {&str_profile1, &str_profile2, &str_profile3, &str_profile4,
                                                   &str_profile5};
    HDC screen = GetDC(m_hWnd);
    for (int i = 0; i < kProfileCount; ++i) {
        HRGN region = SelectorRegion(screen, i);
        CIrrButton& selector = m_selectors[i];
        selector.checkable = true;
        selector.textNormal = kCaptionNormal;
        selector.textOver = kCaptionLit;
        selector.textPressed = kCaptionLit;
        selector.Create(W(*names[i]), region, m_hWnd, m_normal, m_pressed, m_over, m_normal);
        selector.SetTooltip(W(*names[i]));
        if (region) DeleteObject(region);
    }
    ReleaseDC(m_hWnd, screen);

    m_nameBox = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOHSCROLL,
                                kNameBoxRect.left, kNameBoxRect.top, kNameBoxRect.right - kNameBoxRect.left,
                                kNameBoxRect.bottom - kNameBoxRect.top, m_hWnd,
                                reinterpret_cast<HMENU>(UINT_PTR(kProfileNameBoxId)), ModuleInstance(), nullptr);
    if (m_nameBox) {
        SendMessageW(m_nameBox, EM_LIMITTEXT, 50, 0);
        SendMessageW(m_nameBox, WM_SETFONT, SendMessageW(m_hWnd, WM_GETFONT, 0, 0), FALSE);
    }
    m_nameBoxBrush = CreateSolidBrush(kNameBoxBackground);
    m_textFont = CreateSkinFont(14, 300);

    CreatePages();
    ShowPage(1);
}

void CQ3MouseDlg::CreatePages() {
    m_buttonPage = std::make_unique<CButtonDlg>(m_hWnd, m_settings);
    m_buttonPage->CreatePage(kPageRect);
    m_performancePage = std::make_unique<CADVDlg>(m_hWnd, m_settings);
    m_performancePage->CreatePage(kPageRect);
    m_lightingPage = std::make_unique<CLedSetDlg>(m_hWnd, m_settings);
    m_lightingPage->CreatePage(kPageRect);
    m_macroPage = std::make_unique<CMacroDlg>(m_hWnd);
    m_macroPage->SetStoreLocation(kMacroBaseKey);
    m_macroPage->CreatePage(kMacroPageRect);
}

void CQ3MouseDlg::ShowPage(int page) {
    if (m_macroPage) m_macroPage->StopAndSave();
    std::optional<PagePlan> plan = PlanForPage(page);
    if (!plan) return;
    for (int i = 0; i < 4; ++i) m_tabs[i].SetCheck(i + 1 == plan->tab);
    CSkinPage* pages[4] = {m_buttonPage.get(), m_performancePage.get(), m_lightingPage.get(), m_macroPage.get()};
    // Hide first, then show: the macro page overlaps the others.
    for (int i = 0; i < 4; ++i)
        if (pages[i] && pages[i]->Hwnd() && i + 1 != plan->page) ShowWindow(pages[i]->Hwnd(), SW_HIDE);
    if (CSkinPage* shown = pages[plan->page - 1]; shown && shown->Hwnd()) ShowWindow(shown->Hwnd(), SW_SHOW);
    EnableProfileControls(plan->profileControlsEnabled);
    m_page = page;
}

void CQ3MouseDlg::EnableProfileControls(bool enable) {
    HWND controls[] = {m_program.Hwnd(), m_autoSwitch.Hwnd(), m_apply.Hwnd(), m_reset.Hwnd(), m_nameBox};
    for (HWND control : controls)
        if (control) EnableWindow(control, enable);
    for (CIrrButton& selector : m_selectors)
        if (selector.Hwnd()) EnableWindow(selector.Hwnd(), enable);
}

void CQ3MouseDlg::RefreshControls() {
    if (m_nameBox) SetWindowTextW(m_nameBox, W(GetTextField(m_settings.profileName)).c_str());
    int current = m_profiles.CurrentProfile();
    if (current >= 0) m_program.SetText(W(GetTextField(m_config.profiles[current].programName)));
    if (m_program.Hwnd()) ShowWindow(m_program.Hwnd(), m_autoSwitch.GetCheck() ? SW_SHOW : SW_HIDE);
    if (m_buttonPage) m_buttonPage->RefreshLabels();
    if (m_performancePage) m_performancePage->ReloadFromSettings();
    if (m_lightingPage) m_lightingPage->ReloadFromSettings();
}

void CQ3MouseDlg::RefreshMacroNames() {
    int current = m_profiles.CurrentProfile();
    if (current >= 0) {
        const ProfileEntry& entry = m_config.profiles[current];
        for (int i = 0; i < kButtonCount; ++i) {
            std::optional<MacroRecord> macro = LoadMacro(m_registry, entry.macroIds[i].get());
            if (macro) SetTextField(m_settings.bindings[i].displayText, macro->Name());
        }
    }
    if (m_buttonPage) m_buttonPage->RefreshLabels();
}

void CQ3MouseDlg::CloseToolDialogs() {
    for (std::u16string_view title : kToolDialogTitles) {
        std::wstring w(title.begin(), title.end());
        if (HWND window = FindWindowW(nullptr, w.c_str())) PostMessageW(window, WM_CLOSE, 0, 0);
    }
}

bool CQ3MouseDlg::IsMousePresent() { return ::IsMousePresent(m_device); }

void CQ3MouseDlg::Show(bool bringToTop) {
    if (!IsMousePresent()) return;
    RefreshControls();
    if (!bringToTop && m_macroPage) m_macroPage->StopAndSave();
    SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE,
                      (GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_TOOLWINDOW)) | WS_EX_APPWINDOW);
    ShowWindow(m_hWnd, SW_HIDE);
    Sleep(1);
    if (m_placement.length) SetWindowPlacement(m_hWnd, &m_placement);
    ShowWindow(m_hWnd, SW_SHOW);
    if (bringToTop) BringWindowToTop(m_hWnd);
}

void CQ3MouseDlg::Exit() {
    if (m_modalDialogOpen || InfoMessageShowing() || (m_buttonPage && m_buttonPage->DialogOpen())) return;
    CloseToolDialogs();
    m_driver.Link().CloseDriverDevice();
    m_buttonPage.reset();
    m_performancePage.reset();
    m_lightingPage.reset();
    m_macroPage.reset();
    RemoveTrayIcon();
    m_ended = true;
    EndDialog(IDCANCEL);
}

void CQ3MouseDlg::WriteSettingsToDevice(bool showProgress) { m_writer.WriteSettingsToDevice(showProgress); }

void CQ3MouseDlg::SetAutoSwitchBox(bool checked) { m_autoSwitch.SetCheck(checked); }

void CQ3MouseDlg::ShowProgramButton(bool shown, const std::u16string& programName) {
    m_program.SetText(W(programName));
    if (m_program.Hwnd()) ShowWindow(m_program.Hwnd(), shown ? SW_SHOW : SW_HIDE);
}

void CQ3MouseDlg::SetProfileSelection(const bool selected[kProfileCount], int selectedIndex) {
    for (int i = 0; i < kProfileCount; ++i) m_selectors[i].SetCheck(selected[i]);
    m_selectedProfile = selectedIndex;
}

void CQ3MouseDlg::Open() {
    m_progress = std::make_unique<CProgressDlg>(this);
    if (!m_progress->Open()) m_progress.reset();
}

void CQ3MouseDlg::SetPosition(int position) {
    if (m_progress) m_progress->SetProgress(position);
}

void CQ3MouseDlg::Close() { m_progress.reset(); }

void CQ3MouseDlg::AddTrayIcon() {
    m_tray = NOTIFYICONDATAW{};
    m_tray.cbSize = NOTIFYICONDATAW_V3_SIZE;
    m_tray.hWnd = m_hWnd;
    m_tray.uID = 0;
    m_tray.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO;
    m_tray.uCallbackMessage = kWmTrayNotify;
    m_tray.hIcon = m_icon;
    CopyText(m_tray.szTip, std::size(m_tray.szTip), str_program_title);
    CopyText(m_tray.szInfo, std::size(m_tray.szInfo), str_program_title);
    CopyText(m_tray.szInfoTitle, std::size(m_tray.szInfoTitle), u"Running");
    m_tray.uTimeout = 5000;
    m_tray.dwInfoFlags = NIIF_INFO;
    m_trayAdded = Shell_NotifyIconW(NIM_ADD, &m_tray) != FALSE;
}

void CQ3MouseDlg::RemoveTrayIcon() {
    if (!m_tray.hWnd) return;
    Shell_NotifyIconW(NIM_DELETE, &m_tray);
    m_tray.hWnd = nullptr;
    m_trayAdded = false;
}

void CQ3MouseDlg::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hWnd, &ps);
    RECT client{};
    GetClientRect(m_hWnd, &client);
    if (IsIconic(m_hWnd)) {
        int cx = GetSystemMetrics(SM_CXICON), cy = GetSystemMetrics(SM_CYICON);
        DrawIcon(dc, (client.right - cx + 1) / 2, (client.bottom - cy + 1) / 2, m_icon);
    } else {
        OffscreenSurface surface(dc, client.right, client.bottom);
        HDC d = surface.Get();
        if (m_normal) {
            MemoryDC source(dc, m_normal);
            BitBlt(d, 0, 0, client.right, client.bottom, source.Get(), 0, 0, SRCCOPY);
        }
        HGDIOBJ oldFont = SelectObject(d, m_textFont ? m_textFont : GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(d, TRANSPARENT);
        SetTextColor(d, kPaintedText);
        struct Painted {
            const std::u16string* text;
            RECT rect;
            UINT flags;
        };
        const Painted texts[] = {{&str_soft_version, kVersionTextRect, kTextFlags},
                                 {&str_autopath, kAutoPathTextRect, kTextFlags},
                                 {&str_proname, kProfileNameTextRect, kRightTextFlags}};
        for (const Painted& t : texts) {
            std::wstring w = W(*t.text);
            RECT r = t.rect;
            DrawTextW(d, w.c_str(), int(w.size()), &r, t.flags);
        }
        SelectObject(d, oldFont);
        surface.CopyTo(dc);
    }
    EndPaint(m_hWnd, &ps);
}

bool CQ3MouseDlg::IsOwnWindow(HWND hwnd) const { return hwnd && (hwnd == m_hWnd || IsChild(m_hWnd, hwnd)); }

bool CQ3MouseDlg::PreTranslateMessage(MSG& message) {
    // No key ends the window or presses a focused button.
    if (IsOwnWindow(message.hwnd) && IsFilteredKey(message.message, message.wParam)) return true;
    return CDialog::PreTranslateMessage(message);
}

void CQ3MouseDlg::CloseSkinnedMenu() {
    // The button page loads the menu library; until it has, there is no menu to close.
    HMODULE library = GetModuleHandleW(L"SkinPop.dll");
    if (!library) return;
    auto destroy = reinterpret_cast<DestroySkinPopEntry>(
        reinterpret_cast<void*>(GetProcAddress(library, "DestroySkinPop")));
    if (destroy) destroy();
}

void CQ3MouseDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    HWND control = reinterpret_cast<HWND>(lParam);
    if (!control) {
        if (LOWORD(wParam) == kCommandShow) Show(true);
        else if (LOWORD(wParam) == kCommandExit) Exit();
        return;
    }
    if (control == m_nameBox) return;
    OnButton(control);
}

void CQ3MouseDlg::OnButton(HWND button) {
    CloseSkinnedMenu();
    if (button == m_close.Hwnd()) {
        ShowWindow(m_hWnd, SW_HIDE);
        if (m_macroPage) m_macroPage->StopAndSave();
    } else if (button == m_minimise.Hwnd()) {
        ShowWindow(m_hWnd, SW_MINIMIZE);
        if (m_macroPage) m_macroPage->StopAndSave();
    } else if (button == m_tabs[0].Hwnd()) {
        m_tabs[0].SetCheck(true);
        RefreshMacroNames();
        ShowPage(1);
    } else if (button == m_tabs[1].Hwnd()) {
        ShowPage(2);
    } else if (button == m_tabs[2].Hwnd()) {
        ShowPage(3);
    } else if (button == m_tabs[3].Hwnd()) {
        ShowPage(4);
    } else if (button == m_apply.Hwnd()) {
        Apply();
    } else if (button == m_reset.Hwnd()) {
        Reset();
    } else if (button == m_autoSwitch.Hwnd()) {
        OnAutoSwitchBox();
    } else if (button == m_program.Hwnd()) {
        OnProgramButton();
    } else {
        for (int i = 0; i < kProfileCount; ++i)
            if (button == m_selectors[i].Hwnd()) SelectProfile(i);
    }
}

void CQ3MouseDlg::SelectProfile(int index) {
    for (int i = 0; i < kProfileCount; ++i) m_selectors[i].SetCheck(i == index);
    m_selectedProfile = index;
    m_profiles.SwitchProfile(index, false);
}

void CQ3MouseDlg::Apply() {
    wchar_t name[kTextFieldChars] = {};
    if (m_nameBox) GetWindowTextW(m_nameBox, name, int(kTextFieldChars));
    SetTextField(m_settings.profileName, U(name));
    WriteSettingsToDevice(true);
}

void CQ3MouseDlg::Reset() {
    m_modalDialogOpen = true;
    INT_PTR answer = ShowInfoMessage(str_resetinfo, 1, m_hWnd);
    m_modalDialogOpen = false;
    if (answer != IDOK || m_ended || !IsMousePresent()) return;
    ResetCurrentProfile(m_settings, m_config, m_profiles.CurrentProfile());
    m_autoSwitch.SetCheck(false);
    RefreshControls();
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    WriteSettingsToDevice(true);
}

void CQ3MouseDlg::OnAutoSwitchBox() {
    int current = m_profiles.CurrentProfile();
    if (m_autoSwitch.GetCheck()) {
        ClearProgram(m_config, current);
        if (m_program.Hwnd()) ShowWindow(m_program.Hwnd(), SW_HIDE);
        m_autoSwitch.SetCheck(false);
        return;
    }
    m_autoSwitch.SetCheck(true);
    m_modalDialogOpen = true;
    std::u16string path;
    bool chosen = ChooseProgramFile(path);
    m_modalDialogOpen = false;
    if (m_ended) return;
    if (!chosen) {
        m_autoSwitch.SetCheck(false);
        return;
    }
    std::u16string name = ProgramFileName(path);
    switch (ChooseProgram(m_config, current, name, true)) {
    case ProgramChoice::Stored:
        m_program.SetText(W(name));
        if (m_program.Hwnd()) ShowWindow(m_program.Hwnd(), SW_SHOW);
        break;
    case ProgramChoice::Duplicate:
        ShowInfoMessage(str_msg7, 0, m_hWnd);
        m_autoSwitch.SetCheck(false);
        break;
    case ProgramChoice::NoProfile:
        m_autoSwitch.SetCheck(false);
        break;
    }
}

void CQ3MouseDlg::OnProgramButton() {
    std::u16string path;
    if (!ChooseProgramFile(path) || m_ended) return;
    std::u16string name = ProgramFileName(path);
    switch (ChooseProgram(m_config, m_profiles.CurrentProfile(), name, false)) {
    case ProgramChoice::Stored:
        m_program.SetText(W(name));
        break;
    case ProgramChoice::Duplicate:
        ShowInfoMessage(str_msg7, 0, m_hWnd);
        break;
    case ProgramChoice::NoProfile:
        break;
    }
}

bool CQ3MouseDlg::ChooseProgramFile(std::u16string& path) {
    wchar_t file[MAX_PATH] = L"*.exe";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_hWnd;
    ofn.lpstrFilter = L"exe(*.exe)\0*.exe\0\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrDefExt = L"exe";
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_EXPLORER;
    if (!GetOpenFileNameW(&ofn)) return false;
    path = U(file);
    return true;
}

void CQ3MouseDlg::OnTrayNotify(LPARAM mouseMessage) {
    if (UINT(mouseMessage) == WM_LBUTTONDBLCLK) Show(true);
    else if (UINT(mouseMessage) == WM_RBUTTONUP) ShowTrayMenu();
}

void CQ3MouseDlg::ShowTrayMenu() {
    XPMenuItem show{kShowItemIcon, kShowItemIcon, W(str_config)};
    XPMenuItem exit{kExitItemIcon, kExitItemIcon, W(str_exit)};
    CXPMenu menu;
    if (!menu.CreatePopupMenu()) return;
    menu.AppendMenu(MF_OWNERDRAW, kCommandShow, &show);
    menu.AppendMenu(MF_OWNERDRAW, kCommandExit, &exit);
    SetForegroundWindow(m_hWnd);
    POINT at{};
    GetCursorPos(&at);
    menu.TrackPopupMenu(TPM_RIGHTBUTTON, at.x, at.y, m_hWnd);
    // Lets the menu close when the user clicks elsewhere afterwards.
    PostMessageW(m_hWnd, WM_NULL, 0, 0);
}

void CQ3MouseDlg::OnDeviceChange(WPARAM event, LPARAM data) {
    if (event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE) return;
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    if (!header || header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE) return;
    const auto* device = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(data);
    // The name runs to the end of the structure as the system gave its size.
    std::size_t offset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
    if (header->dbch_size <= offset) return;
    std::size_t capacity = (header->dbch_size - offset) / sizeof(wchar_t);
    std::u16string path;
    for (std::size_t i = 0; i < capacity && device->dbcc_name[i]; ++i) path.push_back(char16_t(device->dbcc_name[i]));
    if (!IsMouseDevicePath(path)) return;

    if (event == DBT_DEVICEARRIVAL) {
        // A mouse that was plugged in again must be enabled as at start-up, or
        // it reports none of its events; until the driver takes both requests
        // the reconnect timer keeps trying.
        if (!ReconnectDevice()) SetTimer(kReconnectTimer, kReconnectPeriodMs);
    } else {
        CloseToolDialogs();
        ShowWindow(m_hWnd, SW_HIDE);
    }
}

bool CQ3MouseDlg::ReconnectDevice() {
    CDriverLink& link = m_driver.Link();
    return link.OpenDriverDevice() && link.HasDevice() && link.SendEnableRequest();
}

void CQ3MouseDlg::OnReconnectTimer() {
    if (ReconnectDevice()) KillTimer(kReconnectTimer);
}

LRESULT CQ3MouseDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(m_icon);
    case WM_LBUTTONDOWN: {
        CloseSkinnedMenu();
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(m_hWnd, &at);
        PostMessageW(m_hWnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
        return 0;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        if (m_nameBox && reinterpret_cast<HWND>(lParam) == m_nameBox) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, kNameBoxText);
            SetBkColor(dc, kNameBoxBackground);
            return reinterpret_cast<LRESULT>(m_nameBoxBrush);
        }
        break;
    case WM_CLOSE:
        Exit();
        return 0;
    case WM_COMMAND:
        OnCommand(wParam, lParam);
        return 0;
    case WM_TIMER:
        if (wParam == kForegroundTimer) OnForegroundTimer();
        else if (wParam == kReconnectTimer) OnReconnectTimer();
        break;
    case kWmTrayNotify:
        OnTrayNotify(lParam);
        return 0;
    case kWmDeviceEvent:
        OnDeviceEvent(wParam);
        return 1;
    case WM_DEVICECHANGE:
        OnDeviceChange(wParam, lParam);
        return TRUE;
    case kWmHideConfig:
        ShowWindow(m_hWnd, SW_HIDE);
        return 0;
    case kWmShowConfig:
        Show(false);
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}
