// The driver's and the mouse's side of the protocol, in memory: it accepts the
// three control codes with their exact buffers, answers register, unregister
// and enable, decodes the setting packets and the data that follows them into
// the mouse's state, refuses malformed sequences as a careful driver would,
// and hands out queued event words to event reads.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/DriverDevice.h"

class CSimulatedMouse : public IDriverDevice {
public:
    struct State {
        std::array<std::uint32_t, 16> buttonTable{};            // the sixteen slots
        std::array<std::array<std::uint8_t, 512>, 7> macroSlots{};  // slots 1..7 at index 0..6
        std::array<std::uint8_t, 16> dpiTable{};
        std::uint8_t red = 0, green = 0, blue = 0;
        std::array<std::uint8_t, 3> effect{};                   // the effect triple
        std::uint8_t reportInterval = 0;
        std::uint8_t liftHeight = 0;
        bool buttonTableWritten = false;
        bool dpiTableWritten = false;
        std::array<bool, 7> macroWritten{};
    };

    // IDriverDevice
    bool Open() override;
    bool IsOpen() const override { return open_; }
    bool Control(std::uint32_t code, const void* in, std::size_t inSize, void* out, std::size_t outSize) override;
    void Close() override;
    bool IsDevicePresent(std::u16string_view hardwareIdPart) override;

    // The mouse plugged in or not: unplugged, it is absent and cannot be opened.
    void SetPlugged(bool plugged);
    // An event word for the program to read (one per semaphore release).
    void QueueEvent(std::uint32_t word) { events_.push_back(word); }

    const State& GetState() const { return state_; }
    bool Registered() const { return registered_; }
    bool Enabled() const { return enabled_; }
    std::uint32_t SemaphoreHandle() const { return semaphore_; }
    std::uint32_t Option() const { return option_; }
    // Requests refused so far, and why the last one was.
    int Refusals() const { return refusals_; }
    const std::string& LastRefusal() const { return lastRefusal_; }

    std::u16string hardwareId = u"USB\\VID_3F1C&PID_6B02&REV_0100";

private:
    enum class Target { None, ButtonTable, Macro, DpiTable };
    bool Refuse(const char* why);
    bool Request(const std::uint8_t* r);
    bool Setting(const std::uint8_t* packet);
    bool Data(const std::uint8_t* bytes, std::size_t length);
    void Commit();

    bool plugged_ = true;
    bool open_ = false;
    bool registered_ = false;
    bool enabled_ = false;
    std::uint32_t semaphore_ = 0;
    std::uint32_t option_ = 0;
    std::deque<std::uint32_t> events_;
    State state_;

    Target target_ = Target::None;
    unsigned targetSlot_ = 0;
    std::size_t expected_ = 0;
    std::vector<std::uint8_t> received_;

    int refusals_ = 0;
    std::string lastRefusal_;
};
