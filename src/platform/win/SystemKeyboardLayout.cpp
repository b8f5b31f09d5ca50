#include <windows.h>

#include "platform/KeyboardLayout.h"

namespace {
class CWin32KeyboardLayout : public IKeyboardLayout {
public:
    bool CharacterForKey(std::uint8_t vk, std::uint8_t& ch) const override {
        BYTE state[256] = {};  // no key down, no lock key on
        UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
        WORD out = 0;
        int produced = ToAscii(vk, scan, state, &out, 0);
        if (produced == 0) return false;
        ch = std::uint8_t(out & 0xFF);
        return true;
    }
};
}  // namespace

const IKeyboardLayout& SystemKeyboardLayout() {
    static const CWin32KeyboardLayout layout;
    return layout;
}
