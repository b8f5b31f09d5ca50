#include "platform/win/SystemDriverDevice.h"

#include "platform/win/VirtualDriverDevice.h"
#include "platform/win/Win32DriverDevice.h"

bool UseVirtualDevice() {
    wchar_t value[16] = {};
    DWORD n = ::GetEnvironmentVariableW(L"Q7T_DEVICE", value, DWORD(std::size(value)));
    return n > 0 && n < std::size(value) && ::lstrcmpiW(value, L"virtual") == 0;
}

std::unique_ptr<IDriverDevice> CreateSystemDriverDevice() {
    if (UseVirtualDevice()) return std::make_unique<CVirtualDriverDevice>();
    return std::make_unique<CWin32DriverDevice>();
}
