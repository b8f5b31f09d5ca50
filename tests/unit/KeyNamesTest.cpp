#include <gtest/gtest.h>

#include "TestText.h"
#include "buttons/KeyNames.h"
#include "localization/TextTable.h"
#include "platform/KeyboardLayout.h"

namespace {

const CUsKeyboardLayout kUs;

TEST(KeyNames, LookupKeyNameUsesTheMacroTable) {
    struct Case {
        std::uint8_t vk;
        const char16_t* name;
    } cases[] = {
        {0x41, u"A"},      {44, u""},             {42, u"Print"},     {1, u"Left Button"},
        {4, u"Middle Button"}, {112, u"F1"},      {123, u"F12"},      {192, u"~"},
        {108, u"NUM Enter"}, {110, u"NUM Del"},   {13, u"Enter"},     {20, u"Cap"},
        {0, u""},          {255, u""},            {3, u""},
    };
    for (const Case& c : cases) EXPECT_EQ(LookupKeyName(c.vk), c.name) << int(c.vk);
}

TEST(KeyNames, KeyDisplayNameNamedKeysAndLayoutCharacters) {
    struct Case {
        std::uint8_t vk;
        const char16_t* name;
    } cases[] = {
        {0, u""},         {255, u""},         {43, u"Enter"},    {13, u"Enter"},  {44, u"PrtSc SysRq"},
        {96, u"(0)"},     {105, u"(9)"},      {106, u"(*)"},     {107, u"(+)"},   {108, u"\\"},
        {109, u"(-)"},    {110, u"(.)"},      {111, u"(/)"},     {112, u"F1"},    {123, u"F12"},
        {144, u"Numlock"}, {145, u"Scroll Lock"}, {91, u"LWin"}, {93, u"App"},    {165, u"RAlt"},
        {193, u"LButton"}, {195, u"MButton"},
        // Not named: the character of the US layout, letters in upper case.
        {0x41, u"A"},     {0x5A, u"Z"},       {0x37, u"7"},      {0xBA, u";"},    {0xDE, u"'"},
        {0xDC, u"\\"},
        // The layout gives no character.
        {0x7C, u""},
    };
    for (const Case& c : cases) EXPECT_EQ(KeyDisplayName(c.vk, kUs), c.name) << int(c.vk);
}

TEST(KeyNames, CombinationTextJoinsModifiersInCtrlAltShiftWinOrder) {
    struct Case {
        std::uint8_t mods, vk;
        bool withModifiers;
        const char16_t* text;
    } cases[] = {
        {15, 0x41, true, u"Ctrl + Alt + Shift + Win + A"},
        {2, 0, true, u"Shift"},
        {0, 0, true, u""},
        {5, 0x70, false, u"F1"},
        {1, 0x6C, true, u"Ctrl + \\"},
        {6, 0x2E, true, u"Alt + Shift + Delete"},
        {8, 0, false, u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CombinationText(c.mods, c.vk, c.withModifiers, kUs), c.text) << int(c.mods) << " " << int(c.vk);
    }
}

TEST(KeyNames, FunctionNameComesFromTheTextTable) {
    const std::u16string savedDisable = str_disable, savedPL = str_PL;
    str_disable = u"Off";
    str_PL = u"Play";
    EXPECT_EQ(FunctionName(121), u"Off");
    EXPECT_EQ(FunctionName(32), u"Play");
    for (std::uint32_t code : {0u, 3u, 5u, 6u, 19u, 134u, 0xFFFFFFFFu}) {
        EXPECT_EQ(FunctionName(code), u"") << code;
    }
    EXPECT_STREQ(FunctionNameKey(133), "str_dbclick");
    EXPECT_EQ(FunctionNameKey(5), nullptr);
    str_disable = savedDisable;
    str_PL = savedPL;
}

TEST(KeyNames, UsageForVirtualKeyTable) {
    struct Case {
        std::uint32_t vk;
        std::uint8_t usage;
    } cases[] = {
        {0x41, 0x04}, {0x5A, 0x1D}, {0x31, 0x1E}, {0x39, 0x26}, {0x30, 0x27}, {0x70, 0x3A}, {0x7B, 0x45},
        {0x1B, 0x29}, {0x09, 0x2B}, {0x14, 0x39}, {0x0D, 0x28}, {0x08, 0x2A}, {0x20, 0x2C},
        {0xDB, 0x2F}, {0xDD, 0x30}, {0xDC, 0x31}, {0xBA, 0x33}, {0xDE, 0x34}, {0xBC, 0x36}, {0xBE, 0x37},
        {0xBF, 0x38}, {0xC0, 0x35}, {0xBB, 0x2E}, {0xBD, 0x2D},
        {0x2C, 0x46}, {0x91, 0x47}, {0x13, 0x48}, {0x2D, 0x49}, {0x24, 0x4A}, {0x21, 0x4B}, {0x2E, 0x4C},
        {0x23, 0x4D}, {0x22, 0x4E},
        {0x26, 0x52}, {0x28, 0x51}, {0x25, 0x50}, {0x27, 0x4F},
        {0x61, 0x59}, {0x69, 0x61}, {0x60, 0x62}, {0x6B, 0x57}, {0x6D, 0x56}, {0x6A, 0x55}, {0x6F, 0x54},
        {0x90, 0x53}, {0x6E, 0x63},
        {0xA2, 0xE0}, {0xA0, 0xE1}, {0xA4, 0xE2}, {0x5B, 0xE3}, {0xA3, 0xE4}, {0xA1, 0xE5}, {0xA5, 0xE6},
        {0x5C, 0xE7}, {0x5D, 0x65},
        // No usage.
        {0x2A, 0}, {0x6C, 0}, {0x10, 0}, {0x00, 0}, {0xFF, 0}, {0x141, 0}, {0x10D, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(UsageForVirtualKey(c.vk), c.usage) << std::hex << c.vk;
}

}  // namespace
