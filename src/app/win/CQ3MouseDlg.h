// CQ3MouseDlg: the program's only top-level window. A borderless, skinned
// dialog (template 102) that hosts the four pages, the profile selector, the
// profile name box, Apply and Reset and the automatic-switching controls; it
// owns the notification icon, the driver link and the reaction to the mouse
// being plugged in or out. It lives hidden in the notification area and is
// shown only while the mouse is connected.
//
// Everything it touches outside the window comes in through its ports, so
// that tests can run it against a fake driver device, an in-memory registry
// and a temporary program folder.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <memory>
#include <string>

#include "app/win/CADVDlg.h"
#include "app/win/CButtonDlg.h"
#include "app/win/CLedSetDlg.h"
#include "app/win/CMacroDlg.h"
#include "app/win/CProgressDlg.h"
#include "controls/win/CGDIBitmapBtn.h"
#include "controls/win/CIrrButton.h"
#include "device/ProfileStore.h"
#include "device/WriteSequence.h"
#include "device/win/CUSBDriver.h"
#include "platform/win/Win32PointerSettings.h"
#include "platform/win/Win32UserMessages.h"
#include "ui/Dialog.h"

constexpr UINT IDD_MAIN_WINDOW = 102;
constexpr UINT IDI_MAIN_ICON = 128;
constexpr UINT kProfileNameBoxId = 1000;

struct MainWindowPorts {
    IDriverDevice& device;
    IPauses& pauses;
    IRegistry& registry;
    IProfileFiles& files;
    // The process-wide records the window and its pages edit.
    DeviceSettings& settings;
    ConfigInfo& config;
    // Program folder with its trailing backslash.
    std::u16string programFolder;
    // Null: "Info" boxes owned by the window.
    IUserMessages* messages = nullptr;
    // Null: the Windows pointer options, announced to the window.
    IPointerSettings* pointer = nullptr;
};

class CQ3MouseDlg : public CDialog, public IProfileView, private IWriteProgress {
public:
    explicit CQ3MouseDlg(const MainWindowPorts& ports, HWND parent = nullptr);
    ~CQ3MouseDlg() override;

    void ShowPage(int page);
    void RefreshControls() override;
    void EnableProfileControls(bool enable);
    void RefreshMacroNames();
    void CloseToolDialogs();
    void Show(bool bringToTop = true);
    // Ends the program unless a modal dialog of the window is open.
    void Exit();
    void WriteSettingsToDevice(bool showProgress) override;

    // IProfileView
    void SetAutoSwitchBox(bool checked) override;
    void ShowProgramButton(bool shown, const std::u16string& programName) override;
    void SetProfileSelection(const bool selected[kProfileCount], int selectedIndex) override;

    // What tests and the window's own handlers look at.
    CUSBDriver& Driver() { return m_driver; }
    CProfileStore& Profiles() { return m_profiles; }
    int SelectedProfile() const { return m_selectedProfile; }
    int CurrentPage() const { return m_page; }
    bool Initialized() const { return m_initialized; }
    bool Ended() const { return m_ended; }
    bool ModalDialogOpen() const { return m_modalDialogOpen; }
    bool TrayIconAdded() const { return m_trayAdded; }
    const NOTIFYICONDATAW& TrayIconData() const { return m_tray; }
    CProgressDlg* ProgressDialog() const { return m_progress.get(); }

    CGDIBitmapBtn& MinimiseButton() { return m_minimise; }
    CGDIBitmapBtn& CloseButton() { return m_close; }
    CGDIBitmapBtn& Tab(int page) { return m_tabs[page - 1]; }
    CGDIBitmapBtn& ApplyButton() { return m_apply; }
    CGDIBitmapBtn& ResetButton() { return m_reset; }
    CGDIBitmapBtn& AutoSwitchBox() { return m_autoSwitch; }
    CGDIBitmapBtn& ProgramButton() { return m_program; }
    CIrrButton& ProfileSelector(int index) { return m_selectors[index]; }
    HWND NameBox() const { return m_nameBox; }
    CButtonDlg* ButtonPage() const { return m_buttonPage.get(); }
    CADVDlg* PerformancePage() const { return m_performancePage.get(); }
    CLedSetDlg* LightingPage() const { return m_lightingPage.get(); }
    CMacroDlg* MacroPage() const { return m_macroPage.get(); }

    bool PreTranslateMessage(MSG& message) override;

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The window is ended only by Exit; Enter and Escape never get this far.
    void OnOK() override {}
    void OnCancel() override {}

    // The file-open dialog for a program to bind ("*.exe"); true with the
    // chosen path when confirmed.
    virtual bool ChooseProgramFile(std::u16string& path);
    // Timer 18: switching profiles by the foreground program.
    virtual void OnForegroundTimer() {}
    // WM_DEVICE_EVENT: the actions of a program-action event from the mouse.
    virtual void OnDeviceEvent(WPARAM eventWord) { (void)eventWord; }

private:
    // IWriteProgress: the progress dialog of one write.
    void Open() override;
    void SetPosition(int position) override;
    void Close() override;

    void CreateControls();
    void CreateButton(CGDIBitmapBtn& button, const RECT& rect, HBITMAP normal, HBITMAP over, HBITMAP pressed,
                      HBITMAP disabled);
    void CreatePages();
    void AddTrayIcon();
    void RemoveTrayIcon();
    void Paint();
    void OnCommand(WPARAM wParam, LPARAM lParam);
    void OnButton(HWND button);
    void OnTrayNotify(LPARAM mouseMessage);
    void ShowTrayMenu();
    void OnDeviceChange(WPARAM event, LPARAM data);
    // Opens the driver device and enables the mouse; true when both were taken.
    bool ReconnectDevice();
    void OnReconnectTimer();
    void SelectProfile(int index);
    void Apply();
    void Reset();
    void OnAutoSwitchBox();
    void OnProgramButton();
    void CloseSkinnedMenu();
    bool IsMousePresent();
    bool IsOwnWindow(HWND hwnd) const;

    IDriverDevice& m_device;
    IRegistry& m_registry;
    DeviceSettings& m_settings;
    ConfigInfo& m_config;
    std::u16string m_programFolder;
    CWin32UserMessages m_ownMessages;
    CWin32PointerSettings m_ownPointer;
    IUserMessages& m_messages;
    IPointerSettings& m_pointer;
    CUSBDriver m_driver;
    CProfileStore m_profiles;
    CSettingsWriter m_writer;

    HICON m_icon = nullptr;
    HBITMAP m_normal = nullptr, m_over = nullptr, m_pressed = nullptr;  // bitmaps 130, 131, 129
    HFONT m_textFont = nullptr;
    HBRUSH m_nameBoxBrush = nullptr;

    CGDIBitmapBtn m_minimise, m_close;
    CGDIBitmapBtn m_tabs[4];
    CGDIBitmapBtn m_apply, m_reset, m_autoSwitch, m_program;
    CIrrButton m_selectors[kProfileCount];
    HWND m_nameBox = nullptr;

    std::unique_ptr<CButtonDlg> m_buttonPage;
    std::unique_ptr<CADVDlg> m_performancePage;
    std::unique_ptr<CLedSetDlg> m_lightingPage;
    std::unique_ptr<CMacroDlg> m_macroPage;
    std::unique_ptr<CProgressDlg> m_progress;

    NOTIFYICONDATAW m_tray{};
    bool m_trayAdded = false;
    HDEVNOTIFY m_deviceNotify = nullptr;
    WINDOWPLACEMENT m_placement{};
    int m_selectedProfile = 0;
    int m_page = 0;
    bool m_initialized = false;
    bool m_ended = false;
    // The first modal-dialog flag: set around the Reset question and the
    // auto-switch file dialog. (The second is InfoMessageShowing().)
    bool m_modalDialogOpen = false;
};
