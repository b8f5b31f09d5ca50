// A stand-in DevBridge.dll for the main-window tests: the export the driver
// link looks for, answering that no HID interface is there.
#include <windows.h>

extern "C" __declspec(dllexport) HANDLE __cdecl OpenHidDevice(DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD,
                                                              DWORD) {
    return nullptr;
}
