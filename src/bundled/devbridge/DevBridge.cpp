// DevBridge.dll: opens the mouse's vendor HID interface for the configuration
// program. One export, OpenHidDevice, called with eight 32-bit arguments and
// cleaned up by the caller:
//   usagePage, usage   the top-level collection wanted (0xFF01, 1: the vendor
//                      interface); a usage page of 0 takes any collection
//   four reserved words (0)
//   readWrite          non-zero: open for reading and writing, else for reading
//   flags              CreateFileW flags (0x40000000 = FILE_FLAG_OVERLAPPED)
// It returns the opened handle, or null when no present HID interface of the
// mouse (hardware ID VID_3F1C&PID_6B02) has that collection.
#include <windows.h>

// The mingw-w64 HID headers declare no C linkage of their own.
extern "C" {
#include <hidsdi.h>
#include <hidpi.h>
}
#include <setupapi.h>
#include <shlwapi.h>

#include <cstdint>
#include <vector>

namespace {

constexpr wchar_t kMouseHardwareId[] = L"VID_3F1C&PID_6B02";

bool HasCollection(HANDLE device, DWORD usagePage, DWORD usage) {
    if (usagePage == 0) return true;
    PHIDP_PREPARSED_DATA data = nullptr;
    if (!::HidD_GetPreparsedData(device, &data)) return false;
    HIDP_CAPS caps{};
    bool match = ::HidP_GetCaps(data, &caps) == HIDP_STATUS_SUCCESS && caps.UsagePage == usagePage &&
                 caps.Usage == usage;
    ::HidD_FreePreparsedData(data);
    return match;
}

}  // namespace

extern "C" __declspec(dllexport) HANDLE __cdecl OpenHidDevice(DWORD usagePage, DWORD usage, DWORD, DWORD, DWORD,
                                                              DWORD, DWORD readWrite, DWORD flags) {
    GUID hidClass;
    ::HidD_GetHidGuid(&hidClass);
    HDEVINFO set = ::SetupDiGetClassDevsW(&hidClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE) return nullptr;
    HANDLE found = nullptr;
    for (DWORD index = 0; !found; ++index) {
        SP_DEVICE_INTERFACE_DATA item{};
        item.cbSize = sizeof item;
        if (!::SetupDiEnumDeviceInterfaces(set, nullptr, &hidClass, index, &item)) break;
        DWORD needed = 0;
        ::SetupDiGetDeviceInterfaceDetailW(set, &item, nullptr, 0, &needed, nullptr);
        if (needed < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) continue;
        std::vector<std::uint8_t> buffer(needed);
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
        if (!::SetupDiGetDeviceInterfaceDetailW(set, &item, detail, needed, nullptr, nullptr)) continue;
        // An interface path names the device's hardware ID: \\?\hid#vid_3f1c&pid_6b02&mi_01#...
        if (!::StrStrIW(detail->DevicePath, kMouseHardwareId)) continue;
        DWORD access = readWrite ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
        HANDLE h = ::CreateFileW(detail->DevicePath, access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                 flags, nullptr);
        if (h == INVALID_HANDLE_VALUE) continue;
        if (HasCollection(h, usagePage, usage)) {
            found = h;
        } else {
            ::CloseHandle(h);
        }
    }
    ::SetupDiDestroyDeviceInfoList(set);
    return found;
}
