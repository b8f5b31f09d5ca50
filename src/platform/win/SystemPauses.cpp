#include <windows.h>

#include "platform/Pauses.h"

namespace {
class CWin32Pauses : public IPauses {
public:
    void Pause(std::uint32_t ms) override { ::Sleep(ms); }
};
}  // namespace

IPauses& SystemPauses() {
    static CWin32Pauses pauses;
    return pauses;
}
