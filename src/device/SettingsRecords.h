// The settings records. Both are raw memory images written byte for byte to
// profile files and the registry, so every field offset is part of a stored
// format and is checked below.
#pragma once

#include <cstddef>
#include <cstdint>

#include "device/ByteOrder.h"

constexpr std::uint32_t kSettingsMagic = 0x8080BABA;
constexpr std::uint32_t kProfileEntryMagic = 0x0000BEBE;
constexpr int kButtonCount = 7;  // 0 left, 1 right, 2 middle, 3 upper side, 4 lower side, 5 wheel up, 6 wheel down
constexpr int kProfileCount = 5;
constexpr int kDpiLevelCount = 3;

// Modifier mask bits, the left-hand bits of the HID keyboard modifier byte.
constexpr std::uint8_t kModCtrl = 1;
constexpr std::uint8_t kModShift = 2;
constexpr std::uint8_t kModAlt = 4;
constexpr std::uint8_t kModWin = 8;

// A key combination as the combination-key dialog builds it.
struct KeyCombination {
    std::uint8_t modifiers;        // 0: modifier mask
    std::uint8_t keyCode;          // 1: virtual-key code of the non-modifier key, 0 when none
    std::uint8_t reserved1[2];     // 2
    LE32 combinationCode;          // 4: b0 class 0x00, b1 HID modifier bits, b2 HID usage, b3 0
    std::uint8_t reserved2[528];   // 8
};
static_assert(sizeof(KeyCombination) == 536);
static_assert(offsetof(KeyCombination, modifiers) == 0);
static_assert(offsetof(KeyCombination, keyCode) == 1);
static_assert(offsetof(KeyCombination, combinationCode) == 4);
static_assert(offsetof(KeyCombination, reserved2) == 8);

// Function data of an advanced action (type 19).
struct AdvancedAction {
    std::uint8_t reserved1[8];     // 0 (binding offset 8)
    LE32 actionCode;               // 8 (binding offset 16): 0x00000006 | ((kind * 16 + button) << 16)
    TextField targetPath;          // 12 (binding offset 20): sound file, program, file or folder
    std::uint8_t reserved2[4];     // 532
};
static_assert(sizeof(AdvancedAction) == 536);
static_assert(offsetof(AdvancedAction, actionCode) == 8);
static_assert(offsetof(AdvancedAction, targetPath) == 12);

union FunctionData {
    std::uint8_t bytes[536];
    KeyCombination combination;    // type 5
    AdvancedAction action;         // type 19
};
static_assert(sizeof(FunctionData) == 536);

struct ButtonBinding {
    LE32 type;                     // 0: function type code
    LE32 macroPosition;            // 4: type 6: one-based position in the macro list; else 0
    FunctionData data;             // 8
    TextField displayText;         // 544
    std::uint8_t reserved[2080];   // 1064
};
static_assert(sizeof(ButtonBinding) == 3144);
static_assert(offsetof(ButtonBinding, type) == 0);
static_assert(offsetof(ButtonBinding, macroPosition) == 4);
static_assert(offsetof(ButtonBinding, data) == 8);
static_assert(offsetof(ButtonBinding, displayText) == 544);
static_assert(offsetof(ButtonBinding, reserved) == 1064);

struct DeviceSettings {
    LE32 magic;                                  // 0
    ButtonBinding bindings[kButtonCount];        // 4
    LE32 dpiLevels[kDpiLevelCount];              // 22012: ascending, unused levels 0
    LE32 reportRate;                             // 22024: 1, 2 or 8
    TextField profileName;                       // 22028
    LE32 customColor;                            // 22548: 0x00BBGGRR
    LE32 presetColor;                            // 22552: 0x00BBGGRR
    LE32 customColorInUse;                       // 22556: 1 custom colour, 0 preset colour
    LE32 presetIndex;                            // 22560
    LE32 lightingEffect;                         // 22564: 1..5
    LE32 pointerPrecision;                       // 22568
    LE32 pointerSpeed;                           // 22572: 1..20
    LE32 lightingBrightness;                     // 22576: 0..10
    LE32 lightingSpeed;                          // 22580: 1..5
    LE32 liftHeight;                             // 22584: 116..143
};
static_assert(sizeof(DeviceSettings) == 22588);
static_assert(offsetof(DeviceSettings, magic) == 0);
static_assert(offsetof(DeviceSettings, bindings) == 4);
static_assert(offsetof(DeviceSettings, dpiLevels) == 22012);
static_assert(offsetof(DeviceSettings, reportRate) == 22024);
static_assert(offsetof(DeviceSettings, profileName) == 22028);
static_assert(offsetof(DeviceSettings, customColor) == 22548);
static_assert(offsetof(DeviceSettings, presetColor) == 22552);
static_assert(offsetof(DeviceSettings, customColorInUse) == 22556);
static_assert(offsetof(DeviceSettings, presetIndex) == 22560);
static_assert(offsetof(DeviceSettings, lightingEffect) == 22564);
static_assert(offsetof(DeviceSettings, pointerPrecision) == 22568);
static_assert(offsetof(DeviceSettings, pointerSpeed) == 22572);
static_assert(offsetof(DeviceSettings, lightingBrightness) == 22576);
static_assert(offsetof(DeviceSettings, lightingSpeed) == 22580);
static_assert(offsetof(DeviceSettings, liftHeight) == 22584);

struct ProfileEntry {
    LE32 magic;                    // 0: 0x0000BEBE once initialised
    LE32 active;                   // 4
    LE32 autoSwitch;               // 8
    TextField profileName;         // 12
    TextField profileFile;         // 532
    TextField programName;         // 1052: file name only; empty when none
    LE32 macroIds[kButtonCount];   // 1572: 0 when none
};
static_assert(sizeof(ProfileEntry) == 1600);
static_assert(offsetof(ProfileEntry, magic) == 0);
static_assert(offsetof(ProfileEntry, active) == 4);
static_assert(offsetof(ProfileEntry, autoSwitch) == 8);
static_assert(offsetof(ProfileEntry, profileName) == 12);
static_assert(offsetof(ProfileEntry, profileFile) == 532);
static_assert(offsetof(ProfileEntry, programName) == 1052);
static_assert(offsetof(ProfileEntry, macroIds) == 1572);

struct ConfigInfo {
    ProfileEntry profiles[kProfileCount];
};
static_assert(sizeof(ConfigInfo) == 8000);

// An entry counts as the active profile only when it is initialised.
inline bool IsActiveProfile(const ProfileEntry& entry) {
    return entry.magic == kProfileEntryMagic && entry.active == 1;
}

// Lighting effects.
constexpr std::uint32_t kEffectBreathingAlways = 1;  // uses brightness
constexpr std::uint32_t kEffectNormalBreathing = 2;  // uses speed
constexpr std::uint32_t kEffectApmBreathing = 3;
constexpr std::uint32_t kEffectColourCycle = 4;
constexpr std::uint32_t kEffectSpectrum = 5;

// Action kinds of an advanced action (type 19).
constexpr std::uint32_t kActionPlaySound = 0xC;
constexpr std::uint32_t kActionOpenProgram = 0xD;
constexpr std::uint32_t kActionOpenFile = 0xE;
constexpr std::uint32_t kActionOpenFolder = 0xF;

constexpr std::uint32_t AdvancedActionCode(std::uint32_t kind, int button) {
    return 0x00000006u | ((kind * 16u + std::uint32_t(button)) << 16);
}
static_assert(AdvancedActionCode(kActionOpenProgram, 3) == 0x00D30006);

// Every byte zero, then the defaults: magic, the default function of each
// button with its name as display text, DPI 500/1000/2000 and the rest. The
// profile name stays empty; callers set it.
void ResetToDefaults(DeviceSettings& settings);
