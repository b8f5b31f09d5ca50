// A profile file of any content: loading it, showing what an Apply of it
// would send, and saving it back must neither crash nor read outside it.
#include <cstdint>
#include <vector>

#include "device/ApplyPlan.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ApplyPlanInput input;
    input.profileFile.assign(data, data + size);
    // The same bytes also serve as a profile table and as a macro, so damaged
    // tables and records reach the write sequence too.
    input.configInfo = input.profileFile;
    for (std::uint32_t id = 0; id < 2; ++id) input.macros[id] = input.profileFile;
    PlanApply(input);
    return 0;
}
