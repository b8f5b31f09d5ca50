// The rules of the main window that do not need a window: the messages and
// timers it answers, what each page tab shows and enables, the shapes of the
// five profile selector buttons, which device notifications concern the
// mouse, the key filter, the duplicate test of auto-switch programs and what
// Reset does to the current profile's entry.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "device/SettingsRecords.h"

// Window messages the main window accepts, also from other processes.
constexpr unsigned kWmTrayNotify = 1132;   // WM_TRAY_NOTIFY: lParam is the mouse message
constexpr unsigned kWmHideConfig = 1798;   // WM_HIDE_CONFIG
constexpr unsigned kWmShowConfig = 1799;   // WM_SHOW_CONFIG
// Commands of the notification menu.
constexpr unsigned kCommandShow = 24576;
constexpr unsigned kCommandExit = 24577;
// Icons of the notification menu's items (item values).
constexpr unsigned kShowItemIcon = 153;
constexpr unsigned kExitItemIcon = 152;

// Timers of the main window.
constexpr unsigned kForegroundTimer = 18;
constexpr unsigned kForegroundPeriodMs = 1300;
constexpr unsigned kReconnectTimer = 200;
constexpr unsigned kReconnectPeriodMs = 2000;

constexpr char16_t kMainWindowTitle[] = u"Velda Q7T Mouse Driver Program";
constexpr char16_t kInstanceMutexName[] = u"Q7TConfig";
constexpr char16_t kProgressDialogTitle[] = u"VeldaQ7TProcessDlg";
// The windows that are closed when the mouse goes away or the program exits.
constexpr std::u16string_view kToolDialogTitles[] = {u"VeldaQ7TComboDlg", u"VeldaQ7TMacro", u"VeldaQ7TInfoDlg",
                                                     u"VeldaQ7TProcessDlg"};

constexpr int kPageCount = 4;

// What ShowPage(n) does: the tab that is marked (1..4), the page that is
// shown (the other pages are hidden, the other tabs unmarked), and whether the
// profile controls (selector, name box, Apply, Reset, auto-switch) are enabled.
struct PagePlan {
    int tab;
    int page;
    bool profileControlsEnabled;
};
// Nothing for a page number outside 1..4.
std::optional<PagePlan> PlanForPage(int page);

struct PolygonPoint {
    int x, y;
};
// The outline of profile selector k (0..4) in client coordinates, closed
// back to its first point.
std::span<const PolygonPoint> ProfileSelectorPolygon(int index);
// Whether (x, y) lies inside the polygon, with the alternate (even-odd) rule
// that the window region built from it uses. Points on the left or top edge
// count as inside, on the right or bottom edge as outside, as for regions.
bool PointInPolygon(std::span<const PolygonPoint> polygon, double x, double y);
// The selector whose shape holds the centre of pixel (x, y), lowest index
// first where two overlap; -1 for none.
int ProfileSelectorAt(int x, int y);

// Whether a device-interface path from a device notification is the mouse's
// (it contains the hardware ID, letters compared without case).
bool IsMouseDevicePath(std::u16string_view devicePath);

// Keyboard messages that the main window and its pages discard before
// translation: key down and key up of Enter, Escape and Space.
bool IsFilteredKey(unsigned message, std::uintptr_t key);

// The file name of a chosen program without its folder.
std::u16string ProgramFileName(std::u16string_view path);
// Whether one of the five profiles already has exactly this program name.
bool IsProgramNameTaken(const ConfigInfo& config, std::u16string_view name);

// The result of choosing a program for the current profile.
enum class ProgramChoice {
    Stored,     // stored as the profile's program name
    Duplicate,  // another profile (or this one) already has it: str_msg7, nothing stored
    NoProfile,  // no current profile: nothing stored
};
// Stores `name` as the program of profile `current` unless it is taken. With
// `enableAutoSwitch` the profile's auto-switch word becomes 1.
ProgramChoice ChooseProgram(ConfigInfo& config, int current, std::u16string_view name, bool enableAutoSwitch);
// Unchecking the auto-switch box: the program name is emptied and the
// auto-switch word cleared.
void ClearProgram(ConfigInfo& config, int current);

// What Reset does to the records after the user confirmed: defaults, no
// macros, no program (the auto-switch word is kept), the profile's own name.
void ResetCurrentProfile(DeviceSettings& settings, ConfigInfo& config, int current);

// The position the progress bar shows for a requested one: the request when
// it lies in the range, otherwise the minimum.
int ShownProgressPosition(int requested, int minimum, int maximum);
