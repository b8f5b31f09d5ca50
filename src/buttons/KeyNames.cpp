#include "buttons/KeyNames.h"

#include <iterator>

#include "device/SettingsRecords.h"
#include "localization/TextTable.h"
#include "platform/KeyboardLayout.h"

namespace {

struct KeyName {
    std::uint8_t vk;
    const char16_t* name;
};

// Names of keys in recorded macros, searched from the first row.
constexpr KeyName kMacroKeyNames[] = {
    {81, u"Q"}, {87, u"W"}, {69, u"E"}, {82, u"R"}, {84, u"T"}, {89, u"Y"}, {85, u"U"}, {73, u"I"},
    {79, u"O"}, {80, u"P"}, {65, u"A"}, {83, u"S"}, {68, u"D"}, {70, u"F"}, {71, u"G"}, {72, u"H"},
    {74, u"J"}, {75, u"K"}, {76, u"L"}, {90, u"Z"}, {88, u"X"}, {67, u"C"}, {86, u"V"}, {66, u"B"},
    {78, u"N"}, {77, u"M"}, {192, u"~"}, {49, u"1"}, {50, u"2"}, {51, u"3"}, {52, u"4"}, {53, u"5"},
    {54, u"6"}, {55, u"7"}, {56, u"8"}, {57, u"9"}, {48, u"0"}, {189, u"-"}, {187, u"="},
    {8, u"Backspace"}, {220, u"|"}, {219, u"["}, {221, u"]"}, {186, u";"}, {222, u"'"}, {13, u"Enter"},
    {188, u"<"}, {190, u">"}, {191, u"?"}, {9, u"Tab"}, {20, u"Cap"}, {160, u"L_Shift"},
    {162, u"L_Ctrl"}, {164, u"L_Alt"}, {91, u"L_Win"}, {161, u"R_Shift"}, {163, u"R_Ctrl"},
    {165, u"R_Alt"}, {92, u"R_Win"}, {32, u"Space"}, {27, u"ESC"},
    {112, u"F1"}, {113, u"F2"}, {114, u"F3"}, {115, u"F4"}, {116, u"F5"}, {117, u"F6"},
    {118, u"F7"}, {119, u"F8"}, {120, u"F9"}, {121, u"F10"}, {122, u"F11"}, {123, u"F12"},
    {97, u"NUM 1"}, {98, u"NUM 2"}, {99, u"NUM 3"}, {100, u"NUM 4"}, {101, u"NUM 5"}, {102, u"NUM 6"},
    {103, u"NUM 7"}, {104, u"NUM 8"}, {105, u"NUM 9"}, {96, u"NUM 0"}, {109, u"NUM -"}, {107, u"NUM +"},
    {106, u"NUM *"}, {111, u"NUM /"}, {108, u"NUM Enter"}, {110, u"NUM Del"}, {144, u"NUM Lock"},
    {42, u"Print"}, {145, u"Scroll"}, {19, u"Pause"}, {45, u"Insert"}, {36, u"Home"}, {46, u"Delete"},
    {35, u"End"}, {33, u"Page Up"}, {34, u"Page Down"}, {38, u"UP"}, {40, u"DOWN"}, {37, u"LEFT"},
    {39, u"RIGHT"}, {1, u"Left Button"}, {2, u"Right Button"}, {4, u"Middle Button"},
};

// Names of keys in combination texts. Codes 96..123 are named by rule below.
constexpr KeyName kDisplayNames[] = {
    {0, u""}, {255, u""},
    {8, u"Backspace"}, {9, u"Tab"}, {12, u"Clr"}, {13, u"Enter"}, {16, u"Shift"}, {17, u"Ctrl"},
    {18, u"Alt"}, {19, u"Pause"}, {20, u"CapsLock"}, {27, u"Esc"}, {32, u"Space"}, {33, u"PageUp"},
    {34, u"PageDown"}, {35, u"End"}, {36, u"Home"}, {37, u"Left"}, {38, u"Up"}, {39, u"Right"},
    {40, u"Down"}, {41, u"Select"}, {42, u"Print"}, {43, u"Enter"}, {44, u"PrtSc SysRq"},
    {45, u"Insert"}, {46, u"Delete"}, {47, u"Help"},
    {91, u"LWin"}, {92, u"RWin"}, {93, u"App"},
    {96, u"(0)"}, {97, u"(1)"}, {98, u"(2)"}, {99, u"(3)"}, {100, u"(4)"}, {101, u"(5)"},
    {102, u"(6)"}, {103, u"(7)"}, {104, u"(8)"}, {105, u"(9)"},
    {106, u"(*)"}, {107, u"(+)"}, {108, u"\\"}, {109, u"(-)"}, {110, u"(.)"}, {111, u"(/)"},
    {112, u"F1"}, {113, u"F2"}, {114, u"F3"}, {115, u"F4"}, {116, u"F5"}, {117, u"F6"},
    {118, u"F7"}, {119, u"F8"}, {120, u"F9"}, {121, u"F10"}, {122, u"F11"}, {123, u"F12"},
    {144, u"Numlock"}, {145, u"Scroll Lock"},
    {160, u"LShift"}, {161, u"RShift"}, {162, u"LCtrl"}, {163, u"RCtrl"}, {164, u"LAlt"}, {165, u"RAlt"},
    {193, u"LButton"}, {194, u"RButton"}, {195, u"MButton"},
};

const char16_t* FindName(const KeyName* begin, const KeyName* end, std::uint8_t vk) {
    for (const KeyName* p = begin; p != end; ++p) {
        if (p->vk == vk) return p->name;
    }
    return nullptr;
}

struct FunctionText {
    std::uint32_t code;
    const char* key;
    const std::u16string* text;
};

#define Q7T_FN(code, key) {code, #key, &key}
const FunctionText kFunctionNames[] = {
    Q7T_FN(1, str_click),        Q7T_FN(2, str_menu),           Q7T_FN(4, str_middle),
    Q7T_FN(8, str_pre),          Q7T_FN(11, str_scrollup),      Q7T_FN(12, str_onekeystart),
    Q7T_FN(16, str_back),        Q7T_FN(22, str_scrolldw),      Q7T_FN(32, str_PL),
    Q7T_FN(33, str_stop),        Q7T_FN(34, str_pre_media),     Q7T_FN(35, str_next_media),
    Q7T_FN(37, str_vol_up),      Q7T_FN(38, str_vol_dw),        Q7T_FN(39, str_mute),
    Q7T_FN(64, str_cut),         Q7T_FN(65, str_copy),          Q7T_FN(66, str_past),
    Q7T_FN(67, str_undo),        Q7T_FN(68, str_all),           Q7T_FN(69, str_find),
    Q7T_FN(70, str_new),         Q7T_FN(71, str_print),         Q7T_FN(72, str_save),
    Q7T_FN(81, str_close),       Q7T_FN(82, str_lock),          Q7T_FN(84, str_run),
    Q7T_FN(85, str_show),        Q7T_FN(86, str_zoomin),        Q7T_FN(87, str_zoomout),
    Q7T_FN(116, str_screenshot_screen), Q7T_FN(117, str_screenshot_win), Q7T_FN(118, str_screenshot_area),
    Q7T_FN(121, str_disable),    Q7T_FN(122, str_win8_start),   Q7T_FN(123, str_win8_classic),
    Q7T_FN(124, str_win8_switch), Q7T_FN(125, str_win8_find),   Q7T_FN(126, str_win8_winp),
    Q7T_FN(127, str_win8_winm),  Q7T_FN(133, str_dbclick),
};
#undef Q7T_FN

const FunctionText* FindFunction(std::uint32_t code) {
    for (const FunctionText& f : kFunctionNames) {
        if (f.code == code) return &f;
    }
    return nullptr;
}

struct UsageRange {
    std::uint8_t firstVk;
    std::uint8_t lastVk;
    std::uint8_t firstUsage;
};

// Virtual key -> HID keyboard usage, searched from the first row.
constexpr UsageRange kUsages[] = {
    {0x41, 0x5A, 0x04},  // letters
    {0x31, 0x39, 0x1E}, {0x30, 0x30, 0x27},  // digits
    {0x70, 0x7B, 0x3A},  // F1..F12
    {0x1B, 0x1B, 0x29}, {0x09, 0x09, 0x2B}, {0x14, 0x14, 0x39}, {0x0D, 0x0D, 0x28}, {0x08, 0x08, 0x2A},
    {0x20, 0x20, 0x2C},
    // Punctuation at its US-layout position.
    {0xDB, 0xDB, 0x2F}, {0xDD, 0xDD, 0x30}, {0xDC, 0xDC, 0x31}, {0xBA, 0xBA, 0x33}, {0xDE, 0xDE, 0x34},
    {0xBC, 0xBC, 0x36}, {0xBE, 0xBE, 0x37}, {0xBF, 0xBF, 0x38}, {0xC0, 0xC0, 0x35}, {0xBB, 0xBB, 0x2E},
    {0xBD, 0xBD, 0x2D},
    {0x2C, 0x2C, 0x46}, {0x91, 0x91, 0x47}, {0x13, 0x13, 0x48}, {0x2D, 0x2D, 0x49}, {0x24, 0x24, 0x4A},
    {0x21, 0x21, 0x4B}, {0x2E, 0x2E, 0x4C}, {0x23, 0x23, 0x4D}, {0x22, 0x22, 0x4E},
    // Arrows.
    {0x26, 0x26, 0x52}, {0x28, 0x28, 0x51}, {0x25, 0x25, 0x50}, {0x27, 0x27, 0x4F},
    // Keypad; its Enter has no virtual key of its own, so usage 0x58 never appears.
    {0x61, 0x69, 0x59}, {0x60, 0x60, 0x62}, {0x6B, 0x6B, 0x57}, {0x6D, 0x6D, 0x56}, {0x6A, 0x6A, 0x55},
    {0x6F, 0x6F, 0x54}, {0x90, 0x90, 0x53}, {0x6E, 0x6E, 0x63},
    // Modifiers and the menu key.
    {0xA2, 0xA2, 0xE0}, {0xA0, 0xA0, 0xE1}, {0xA4, 0xA4, 0xE2}, {0x5B, 0x5B, 0xE3}, {0xA3, 0xA3, 0xE4},
    {0xA1, 0xA1, 0xE5}, {0xA5, 0xA5, 0xE6}, {0x5C, 0x5C, 0xE7}, {0x5D, 0x5D, 0x65},
};

}  // namespace

std::u16string LookupKeyName(std::uint8_t vk) {
    const char16_t* name = FindName(std::begin(kMacroKeyNames), std::end(kMacroKeyNames), vk);
    return name ? std::u16string(name) : std::u16string();
}

std::u16string KeyDisplayName(std::uint8_t vk, const IKeyboardLayout& layout) {
    if (const char16_t* name = FindName(std::begin(kDisplayNames), std::end(kDisplayNames), vk)) return name;
    std::uint8_t ch = 0;
    if (!layout.CharacterForKey(vk, ch) || ch == 0) return {};
    if (ch >= 'a' && ch <= 'z') ch = std::uint8_t(ch - 'a' + 'A');
    return std::u16string(1, char16_t(ch));
}

std::u16string KeyDisplayName(std::uint8_t vk) { return KeyDisplayName(vk, SystemKeyboardLayout()); }

std::u16string CombinationText(std::uint8_t modifiers, std::uint8_t vk, bool withModifiers,
                               const IKeyboardLayout& layout) {
    std::u16string text;
    auto append = [&text](std::u16string_view part) {
        if (!text.empty()) text += u" + ";
        text += part;
    };
    if (withModifiers) {
        // Shown in this order, which is not the order of the bits.
        if (modifiers & kModCtrl) append(u"Ctrl");
        if (modifiers & kModAlt) append(u"Alt");
        if (modifiers & kModShift) append(u"Shift");
        if (modifiers & kModWin) append(u"Win");
    }
    if (vk != 0) append(KeyDisplayName(vk, layout));
    return text;
}

std::u16string CombinationText(std::uint8_t modifiers, std::uint8_t vk, bool withModifiers) {
    return CombinationText(modifiers, vk, withModifiers, SystemKeyboardLayout());
}

std::u16string FunctionName(std::uint32_t code) {
    const FunctionText* f = FindFunction(code);
    return f ? *f->text : std::u16string();
}

const char* FunctionNameKey(std::uint32_t code) {
    const FunctionText* f = FindFunction(code);
    return f ? f->key : nullptr;
}

std::uint8_t UsageForVirtualKey(std::uint32_t vk) {
    for (const UsageRange& r : kUsages) {
        if (vk >= r.firstVk && vk <= r.lastVk) return std::uint8_t(r.firstUsage + (vk - r.firstVk));
    }
    return 0;
}
