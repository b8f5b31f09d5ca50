// Start.exe: run at log-on; starts Q7TMouse.exe from its own folder and ends.
// The configuration program decides for itself whether to stay (mouse present,
// first instance) or to end. No window, no message loop, exit code 0 always.
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);

    // Drive and directory of the launcher, with the trailing backslash.
    wchar_t drive[_MAX_DRIVE] = {};
    wchar_t dir[_MAX_DIR] = {};
    _wsplitpath_s(self, drive, _MAX_DRIVE, dir, _MAX_DIR, nullptr, 0, nullptr, 0);
    const std::wstring target = std::wstring(drive) + dir + L"Q7TMouse.exe";

    // The path goes as the file argument, not through a command line, so a
    // folder with spaces needs no quoting. A missing program is not reported.
    ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return 0;
}
