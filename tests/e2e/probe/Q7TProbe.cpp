// Q7TProbe.exe: looks at the running program from outside, for the
// whole-program scenarios. Prints one JSON object or value on stdout.
//   window TITLE            the top-level window with that title
//   class NAME              the top-level window of that class (a menu is #32768)
//   windows                 every visible top-level window with a title
//   mousespeed              the system pointer speed (SPI_GETMOUSESPEED)
//   post TITLE MSG WP LP    posts a message to the window with that title
// Exit status 0 when it found what it looked for, 1 otherwise, 2 for usage.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

std::string Utf8(const wchar_t* s) {
    int n = WideCharToMultiByte(CP_UTF8, 0, s, -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n - 1 : 0, '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, s, -1, out.data(), n, nullptr, nullptr);
    return out;
}

std::string Json(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') out += '\\';
        if (static_cast<unsigned char>(c) >= 0x20) out += c;
    }
    return out + "\"";
}

void PrintWindow(HWND w) {
    wchar_t title[256] = {};
    wchar_t cls[256] = {};
    GetWindowTextW(w, title, 256);
    GetClassNameW(w, cls, 256);
    RECT r{};
    GetWindowRect(w, &r);
    std::printf("{\"title\": %s, \"class\": %s, \"visible\": %s, \"iconic\": %s, \"x\": %ld, \"y\": %ld, "
                "\"width\": %ld, \"height\": %ld, \"exstyle\": %lu, \"foreground\": %s}\n",
                Json(Utf8(title)).c_str(), Json(Utf8(cls)).c_str(), IsWindowVisible(w) ? "true" : "false",
                IsIconic(w) ? "true" : "false", r.left, r.top, r.right - r.left, r.bottom - r.top,
                static_cast<unsigned long>(GetWindowLongW(w, GWL_EXSTYLE)),
                GetForegroundWindow() == w ? "true" : "false");
}

BOOL CALLBACK ListWindow(HWND w, LPARAM) {
    wchar_t title[256] = {};
    if (IsWindowVisible(w) && GetWindowTextW(w, title, 256) > 0) PrintWindow(w);
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && wcscmp(argv[1], L"window") == 0) {
        HWND w = FindWindowW(nullptr, argv[2]);
        if (!w) {
            std::printf("{\"found\": false}\n");
            return 1;
        }
        PrintWindow(w);
        return 0;
    }
    if (argc == 3 && wcscmp(argv[1], L"class") == 0) {
        HWND w = FindWindowW(argv[2], nullptr);
        if (!w || !IsWindowVisible(w)) {
            std::printf("{\"found\": false}\n");
            return 1;
        }
        PrintWindow(w);
        return 0;
    }
    if (argc == 2 && wcscmp(argv[1], L"windows") == 0) {
        EnumWindows(ListWindow, 0);
        return 0;
    }
    if (argc == 2 && wcscmp(argv[1], L"mousespeed") == 0) {
        int speed = 0;
        if (!SystemParametersInfoW(SPI_GETMOUSESPEED, 0, &speed, 0)) return 1;
        std::printf("%d\n", speed);
        return 0;
    }
    if (argc == 6 && wcscmp(argv[1], L"post") == 0) {
        HWND w = FindWindowW(nullptr, argv[2]);
        if (!w) return 1;
        const UINT msg = static_cast<UINT>(wcstoul(argv[3], nullptr, 0));
        const WPARAM wp = static_cast<WPARAM>(wcstoull(argv[4], nullptr, 0));
        const LPARAM lp = static_cast<LPARAM>(wcstoll(argv[5], nullptr, 0));
        return PostMessageW(w, msg, wp, lp) ? 0 : 1;
    }
    std::fputs("usage: Q7TProbe window TITLE | class NAME | windows | mousespeed | post TITLE MSG WPARAM LPARAM\n", stderr);
    return 2;
}
