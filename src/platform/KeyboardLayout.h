// Keyboard-layout port: the character that the current layout produces for a
// virtual key with no modifier or lock key down.
#pragma once

#include <cstdint>

class IKeyboardLayout {
public:
    virtual ~IKeyboardLayout() = default;
    // The low byte of the character the layout produces for `virtualKey`
    // (upper or lower case as the layout gives it); false when it gives none.
    virtual bool CharacterForKey(std::uint8_t virtualKey, std::uint8_t& character) const = 0;
};

// A US keyboard layout, independent of the system: for tests and for hosts
// that have no keyboard layout of their own.
class CUsKeyboardLayout : public IKeyboardLayout {
public:
    bool CharacterForKey(std::uint8_t virtualKey, std::uint8_t& character) const override;
};

// The layout of the calling thread (Win32: MapVirtualKeyW and ToAscii; host: US).
const IKeyboardLayout& SystemKeyboardLayout();
