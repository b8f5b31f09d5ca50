#include "platform/win/Win32DriverDevice.h"

#include <setupapi.h>
#include <shlwapi.h>

#include <string>

bool CWin32DriverDevice::Open() {
    // A handle still held from an earlier open is closed rather than leaked.
    Close();
    HANDLE h = ::CreateFileW(L"\\\\.\\hxkbms", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             0, nullptr);
    if (h == INVALID_HANDLE_VALUE || h == nullptr) return false;
    handle_.store(h);
    return true;
}

bool CWin32DriverDevice::Control(std::uint32_t code, const void* in, std::size_t inSize, void* out,
                                 std::size_t outSize) {
    HANDLE h = handle_.load();
    if (!h) return false;
    DWORD returned = 0;
    return ::DeviceIoControl(h, code, const_cast<void*>(in), DWORD(inSize), out, DWORD(outSize), &returned,
                             nullptr) != 0;
}

void CWin32DriverDevice::Close() {
    HANDLE h = handle_.exchange(nullptr);
    if (h) ::CloseHandle(h);
}

bool CWin32DriverDevice::IsDevicePresent(std::u16string_view part) {
    std::wstring search(part.begin(), part.end());
    HDEVINFO set = ::SetupDiGetClassDevsW(nullptr, L"USB", nullptr, DIGCF_PRESENT | DIGCF_ALLCLASSES);
    if (set == INVALID_HANDLE_VALUE) return false;
    wchar_t hardwareId[130] = {};  // a failed read keeps the previous device's text
    bool found = false;
    for (DWORD index = 0;; ++index) {
        SP_DEVINFO_DATA info{};
        info.cbSize = sizeof info;
        if (!::SetupDiEnumDeviceInfo(set, index, &info)) break;
        ::SetupDiGetDeviceRegistryPropertyW(set, &info, SPDRP_HARDWAREID, nullptr,
                                            reinterpret_cast<BYTE*>(hardwareId), sizeof hardwareId - sizeof(wchar_t),
                                            nullptr);
        if (::StrStrIW(hardwareId, search.c_str())) {
            found = true;
            break;
        }
    }
    ::SetupDiDestroyDeviceInfoList(set);
    return found;
}
