#include <chrono>
#include <thread>

#include "platform/Pauses.h"

namespace {
class CHostPauses : public IPauses {
public:
    void Pause(std::uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};
}  // namespace

IPauses& SystemPauses() {
    static CHostPauses pauses;
    return pauses;
}
