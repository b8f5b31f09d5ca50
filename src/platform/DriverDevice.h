// Driver-device port: the kernel driver's device \\.\hxkbms and the USB device
// list. The Win32 adapter wraps CreateFileW, DeviceIoControl, CloseHandle and
// SetupAPI; tests use the recording fake or the simulated mouse.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Control codes: FILE_DEVICE_UNKNOWN, METHOD_BUFFERED, FILE_ANY_ACCESS.
constexpr std::uint32_t IOCTL_READ_EVENT = 0x222408;    // function 0x902: 60-byte event in and out
constexpr std::uint32_t IOCTL_SEND_REQUEST = 0x22240C;  // function 0x903: 180-byte request in
constexpr std::uint32_t IOCTL_SET_OPTION = 0x222410;    // function 0x904: 4-byte value in

// Whether `text` contains `part`, ASCII letters compared without case: how a
// device's hardware ID is searched for the mouse's.
inline bool ContainsIgnoringCase(std::u16string_view text, std::u16string_view part) {
    auto lower = [](char16_t c) { return (c >= u'A' && c <= u'Z') ? char16_t(c - u'A' + u'a') : c; };
    for (std::size_t i = 0; i + part.size() <= text.size(); ++i) {
        std::size_t k = 0;
        while (k < part.size() && lower(text[i + k]) == lower(part[k])) ++k;
        if (k == part.size()) return true;
    }
    return false;
}

class IDriverDevice {
public:
    virtual ~IDriverDevice() = default;
    // Opens the driver's device; false when it does not exist or refuses.
    virtual bool Open() = 0;
    // True while a device handle is held. May be read from the event thread.
    virtual bool IsOpen() const = 0;
    // One DeviceIoControl on the open handle; true when it succeeded. The
    // output buffer may be null with outSize 0.
    virtual bool Control(std::uint32_t code, const void* in, std::size_t inSize, void* out,
                         std::size_t outSize) = 0;
    // Closes the handle if one is held.
    virtual void Close() = 0;
    // Whether a present USB device has a hardware ID containing `hardwareIdPart`
    // (case-insensitive).
    virtual bool IsDevicePresent(std::u16string_view hardwareIdPart) = 0;
};
