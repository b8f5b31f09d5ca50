// The driver-device port over the virtual mouse process (VirtualMouse.exe on
// the same machine), used when the environment says Q7T_DEVICE=virtual. It
// takes the place of \\.\hxkbms and SetupAPI: the open device is a pipe
// connection, every control code travels with its exact buffers, and the
// presence check asks the virtual mouse whether it is plugged in. The UI
// thread's requests and the event thread's reads share the connection one
// transaction at a time.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

#include "platform/DriverDevice.h"

class CVirtualDriverDevice : public IDriverDevice {
public:
    // The pipe of VirtualMousePipePath() unless another is given.
    CVirtualDriverDevice();
    explicit CVirtualDriverDevice(std::wstring pipePath);
    ~CVirtualDriverDevice() override;
    CVirtualDriverDevice(const CVirtualDriverDevice&) = delete;
    CVirtualDriverDevice& operator=(const CVirtualDriverDevice&) = delete;

    // Fails when no virtual mouse runs or it is unplugged.
    bool Open() override;
    bool IsOpen() const override { return pipe_.load() != nullptr; }
    bool Control(std::uint32_t code, const void* in, std::size_t inSize, void* out, std::size_t outSize) override;
    void Close() override;
    bool IsDevicePresent(std::u16string_view hardwareIdPart) override;

private:
    std::wstring pipePath_;
    std::atomic<HANDLE> pipe_{nullptr};
    SRWLOCK lock_ = SRWLOCK_INIT;  // one transaction at a time on pipe_
};
