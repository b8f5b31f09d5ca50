// Stands in for a program that another program starts: writes "launched.txt"
// beside itself, holding its own command line, and ends.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring marker = self;
    marker = marker.substr(0, marker.find_last_of(L'\\') + 1) + L"launched.txt";
    HANDLE f = CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return 1;
    const wchar_t* line = GetCommandLineW();
    DWORD written = 0;
    WriteFile(f, line, DWORD(wcslen(line) * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(f);
    return 0;
}
