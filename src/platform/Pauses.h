// Pauses port: every sleep of the driver protocol goes through it, so tests
// record the pacing instead of waiting.
#pragma once

#include <cstdint>

class IPauses {
public:
    virtual ~IPauses() = default;
    virtual void Pause(std::uint32_t milliseconds) = 0;
};

// Really sleeps (Win32 Sleep, or the host's sleep).
IPauses& SystemPauses();
