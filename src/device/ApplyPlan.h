// The dry run of an Apply: what writing a profile into the mouse would send,
// step by step, computed on the recording fakes without any device.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct ApplyPlanInput {
    std::vector<std::uint8_t> profileFile;            // the profile file's bytes
    std::map<std::uint32_t, std::vector<std::uint8_t>> macros;  // stored macro records by identifier
    std::optional<std::vector<std::uint8_t>> configInfo;        // the profile table, when known
};

struct ApplyPlan {
    bool valid = false;            // false: the file is not a profile (wrong magic)
    int result = 0;                // what the write returned
    int profileIndex = 0;          // the profile table entry whose macro identifiers were used
    std::vector<std::string> lines;  // "progress N", "sleep MS", "setting HEX16", "data HEX"
};

// The entry of the profile table that is current: the first one marked
// active, else profile 1.
ApplyPlan PlanApply(const ApplyPlanInput& input);
