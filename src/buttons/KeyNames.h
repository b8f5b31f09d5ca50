// Names of keys, key combinations and button functions, and the conversion of
// virtual-key codes into the HID keyboard usages that the mouse receives.
#pragma once

#include <cstdint>
#include <string>

class IKeyboardLayout;

// Name of a key in a recorded macro; empty when the key-name table has none.
std::u16string LookupKeyName(std::uint8_t virtualKey);

// Name of a key in a combination text. Keys without a name of their own are
// shown as the character the keyboard layout gives them (letters in upper case).
std::u16string KeyDisplayName(std::uint8_t virtualKey);
std::u16string KeyDisplayName(std::uint8_t virtualKey, const IKeyboardLayout& layout);

// "Ctrl + Alt + Shift + Win + A": modifiers in that order (when withModifiers),
// then the key when it is not 0.
std::u16string CombinationText(std::uint8_t modifiers, std::uint8_t virtualKey, bool withModifiers);
std::u16string CombinationText(std::uint8_t modifiers, std::uint8_t virtualKey, bool withModifiers,
                               const IKeyboardLayout& layout);

// The text-table name of a button function code; empty for codes without one.
std::u16string FunctionName(std::uint32_t functionCode);

// The language key of a function code's name (for example "str_click"), or
// nullptr for codes without one.
const char* FunctionNameKey(std::uint32_t functionCode);

// HID keyboard usage of a virtual-key code; 0 when there is none.
std::uint8_t UsageForVirtualKey(std::uint32_t virtualKey);
