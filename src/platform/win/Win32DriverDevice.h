// The driver-device port over \\.\hxkbms and SetupAPI. The handle is read by
// the driver event thread while the UI thread opens and closes it, so it is
// kept in an atomic.
#pragma once

#include <windows.h>

#include <atomic>

#include "platform/DriverDevice.h"

class CWin32DriverDevice : public IDriverDevice {
public:
    ~CWin32DriverDevice() override { Close(); }
    bool Open() override;
    bool IsOpen() const override { return handle_.load() != nullptr; }
    bool Control(std::uint32_t code, const void* in, std::size_t inSize, void* out, std::size_t outSize) override;
    void Close() override;
    bool IsDevicePresent(std::u16string_view hardwareIdPart) override;

private:
    std::atomic<HANDLE> handle_{nullptr};
};
