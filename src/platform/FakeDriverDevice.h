// A driver device for tests that records every request (control code and the
// exact input bytes) in a protocol log. It answers by itself (every request
// succeeds, event reads return the queued words) or passes the requests on to
// another device, such as the simulated mouse; either way it can refuse chosen
// requests, fail the open, drop the handle, or report the mouse absent.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>

#include "platform/DriverDevice.h"
#include "platform/ProtocolLog.h"

class CFakeDriverDevice : public IDriverDevice {
public:
    explicit CFakeDriverDevice(ProtocolLog& log, IDriverDevice* backend = nullptr) : log_(log), backend_(backend) {}

    bool Open() override;
    bool IsOpen() const override { return open_; }
    bool Control(std::uint32_t code, const void* in, std::size_t inSize, void* out, std::size_t outSize) override;
    void Close() override;
    bool IsDevicePresent(std::u16string_view hardwareIdPart) override;

    // Faults and answers.
    bool openFails = false;
    bool present = true;                      // without a backend
    std::u16string hardwareId = u"USB\\VID_3F1C&PID_6B02&REV_0100";
    // Refuses a request when it returns true: (index of the request among all
    // requests so far, control code, input bytes).
    std::function<bool(std::size_t, std::uint32_t, const std::uint8_t*, std::size_t)> refuse;
    // The handle is dropped (as if closed elsewhere) once this many requests were made.
    std::size_t dropHandleAfter = SIZE_MAX;
    std::deque<std::uint32_t> events;         // event words to answer reads with (without a backend)

    std::size_t requestCount = 0;
    int opens = 0;
    int closes = 0;

private:
    ProtocolLog& log_;
    IDriverDevice* backend_;
    bool open_ = false;
};
