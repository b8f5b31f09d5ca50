#include "platform/KeyboardLayout.h"

bool CUsKeyboardLayout::CharacterForKey(std::uint8_t vk, std::uint8_t& ch) const {
    if (vk >= 'A' && vk <= 'Z') {  // unshifted letters come out in lower case
        ch = std::uint8_t(vk - 'A' + 'a');
        return true;
    }
    if (vk >= '0' && vk <= '9') {
        ch = vk;
        return true;
    }
    struct Pair {
        std::uint8_t vk;
        char ch;
    };
    static constexpr Pair kOem[] = {
        {0xBA, ';'}, {0xBB, '='}, {0xBC, ','}, {0xBD, '-'}, {0xBE, '.'}, {0xBF, '/'}, {0xC0, '`'},
        {0xDB, '['}, {0xDC, '\\'}, {0xDD, ']'}, {0xDE, '\''}, {0xE2, '\\'},
    };
    for (const Pair& p : kOem) {
        if (p.vk == vk) {
            ch = std::uint8_t(p.ch);
            return true;
        }
    }
    return false;
}
