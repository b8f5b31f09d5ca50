// A record of what a driver exchange did, in order: the requests that reached
// the driver device, the pauses between them and the progress shown. Filled by
// the recording fakes, read by tests and by the dry run of q7tctl.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Pauses.h"

struct ProtocolStep {
    enum Kind { Request, Pause, Progress, ProgressOpened, ProgressClosed } kind;
    std::uint32_t value = 0;              // Request: control code; Pause: ms; Progress: position
    std::vector<std::uint8_t> bytes;      // Request: the input buffer
    bool succeeded = true;                // Request: what the device answered
};

using ProtocolLog = std::vector<ProtocolStep>;

// Records each pause in the log instead of sleeping.
class CRecordingPauses : public IPauses {
public:
    explicit CRecordingPauses(ProtocolLog& log) : log_(log) {}
    void Pause(std::uint32_t ms) override { log_.push_back({ProtocolStep::Pause, ms, {}, true}); }

private:
    ProtocolLog& log_;
};

