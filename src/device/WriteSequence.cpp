#include "device/WriteSequence.h"

#include <cstring>

#include "device/FunctionTypes.h"
#include "macros/MacroEncoding.h"
#include "macros/MacroStore.h"

namespace {

struct TypeCode {
    std::uint32_t type;
    std::uint32_t code;
};

// b0 is the code class: 0x01 mouse button, 0x04 wheel, 0x03 consumer control
// (usage in b2..b3), 0x00 keyboard (HID modifier bits in b1, usage in b2),
// 0x06 program action.
constexpr TypeCode kDeviceCodes[] = {
    {FunctionType::Click, 0x00F00001},       {FunctionType::Menu, 0x00F10001},
    {FunctionType::Middle, 0x00F20001},      {FunctionType::Forward, 0x00F40001},
    {FunctionType::Back, 0x00F30001},        {FunctionType::ScrollUp, 0x00010004},
    {FunctionType::ScrollDown, 0x00020004},  {FunctionType::MediaPlayPause, 0x00CD0003},
    {FunctionType::MediaStop, 0x00B70003},   {FunctionType::MediaPrevious, 0x00B60003},
    {FunctionType::MediaNext, 0x00B50003},   {FunctionType::VolumeUp, 0x00E90003},
    {FunctionType::VolumeDown, 0x00EA0003},  {FunctionType::Mute, 0x00E20003},
    {FunctionType::Cut, 0x001B0100},         {FunctionType::Copy, 0x00060100},
    {FunctionType::Paste, 0x00190100},       {FunctionType::Undo, 0x001D0100},
    {FunctionType::SelectAll, 0x00040100},   {FunctionType::Find, 0x00090100},
    {FunctionType::New, 0x00110100},         {FunctionType::Print, 0x00130100},
    {FunctionType::Save, 0x00160100},        {FunctionType::CloseWindow, 0x003D0400},
    {FunctionType::LockScreen, 0x000F0800},  {FunctionType::Run, 0x00150800},
    {FunctionType::ShowDesktop, 0x00070800}, {FunctionType::ScreenshotScreen, 0x01C90006},
    {FunctionType::ScreenshotWindow, 0x01CA0006}, {FunctionType::ScreenshotArea, 0x01CB0006},
    {FunctionType::StartKey, 0x00000800},    {FunctionType::Minimize, 0x00100800},
    {FunctionType::SwitchWindow, 0x002B0400}, {FunctionType::Search, 0x00140800},
    {FunctionType::MagnifierIn, 0x00570800}, {FunctionType::MagnifierOut, 0x00560800},
};

SettingPacket Packet(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2 = 0, std::uint8_t b3 = 0, std::uint8_t b4 = 0) {
    return SettingPacket{{b0, b1, b2, b3, b4, 0, 0, 0}};
}

}  // namespace

std::optional<std::uint32_t> DeviceCodeForBinding(const ButtonBinding& b) {
    std::uint32_t type = b.type;
    if (type == FunctionType::Combination) return b.data.combination.combinationCode.get();
    if (type == FunctionType::AdvancedAction) return b.data.action.actionCode.get();
    for (const TypeCode& t : kDeviceCodes)
        if (t.type == type) return t.code;
    return std::nullopt;
}

std::uint8_t DpiLevelCode(std::uint32_t dpi) {
    switch (dpi) {
        case 250: return 0x01;
        case 500: return 0x02;
        case 1000: return 0x04;
        case 1250: return 0x05;
        case 1500: return 0x06;
        case 2000: return 0x08;
        case 2500: return 0x25;
        case 3000: return 0x26;
        default: return 0x80;
    }
}

DpiTable BuildDpiTable(const DeviceSettings& s) {
    DpiTable t;
    t.fill(0x80);
    for (int i = 0; i < kDpiLevelCount; ++i) t[std::size_t(i)] = DpiLevelCode(s.dpiLevels[i]);
    for (std::size_t i = 0; i < 8; ++i) t[8 + i] = t[i];
    return t;
}

SettingPacket LightingColourPacket(const DeviceSettings& s) {
    std::uint32_t colour = s.customColorInUse != 0 ? s.customColor.get() : s.presetColor.get();
    std::uint8_t red = std::uint8_t(colour), green = std::uint8_t(colour >> 8), blue = std::uint8_t(colour >> 16);
    return Packet(0x0C, 0x01, green, red, blue);
}

SettingPacket LightingEffectPacket(const DeviceSettings& s) {
    std::uint8_t a = 0, b = 0, c = 0;
    switch (s.lightingEffect.get()) {
        case kEffectBreathingAlways:
            if (s.lightingBrightness != 0) a = 1, b = std::uint8_t(s.lightingBrightness), c = 1;
            break;
        case kEffectNormalBreathing: a = 2, b = std::uint8_t(s.lightingSpeed), c = 1; break;
        case kEffectApmBreathing: a = 3, b = 2, c = 3; break;
        case kEffectColourCycle: a = 2, b = 10, c = 2; break;
        case kEffectSpectrum: a = 4, b = 0, c = 0; break;
        default: break;
    }
    return Packet(0x0D, 0x01, a, b, c);
}

SettingPacket ButtonTablePacket() { return Packet(0x12, 0x01, 0x00, 0x40, 0x00); }
SettingPacket DpiTablePacket() { return Packet(0x11, 0x01, 0x03, 0x10, 0x00); }
SettingPacket ReportIntervalPacket(const DeviceSettings& s) { return Packet(0x01, std::uint8_t(s.reportRate)); }
SettingPacket LiftHeightPacket(const DeviceSettings& s) { return Packet(0x04, std::uint8_t(s.liftHeight)); }

std::uint32_t ButtonTableSlot(const ButtonTable& table, int slot) { return ReadLE32(&table[std::size_t(slot) * 4]); }

void ApplyPointerOptions(IPointerSettings& pointer, const DeviceSettings& s) {
    pointer.SetMouse(s.pointerPrecision == 1 ? std::array<int, 3>{6, 10, 1} : std::array<int, 3>{0, 0, 0});
    pointer.SetMouseSpeed(int(s.pointerSpeed));
}

void CSettingsWriter::Step(bool showProgress, int position) {
    if (!showProgress) return;
    progress_.SetPosition(position);
    link_.Pauses().Pause(10);
}

int CSettingsWriter::Fail(bool showProgress) {
    if (showProgress) progress_.Close();
    return 0;
}

int CSettingsWriter::WriteSettingsToDevice(bool showProgress) {
    if (!IsMousePresent(link_.Device())) return 0;
    IPauses& pauses = link_.Pauses();
    const DeviceSettings& s = profiles_.Settings();
    const ConfigInfo& config = profiles_.Config();
    int current = profiles_.CurrentProfile();

    if (showProgress) {
        progress_.Open();
        progress_.SetPosition(0);
        progress_.SetPosition(10);
    }

    table_.fill(0);
    unsigned slot = 1;
    for (int i = 0; i < kButtonCount; ++i) {
        if (showProgress) progress_.SetPosition(4 * i);
        const ButtonBinding& binding = s.bindings[i];
        std::uint32_t code = 0;
        if (binding.type == FunctionType::Macro) {
            std::uint32_t id = current >= 0 ? config.profiles[current].macroIds[i].get() : 0;
            std::optional<MacroRecord> macro = LoadMacro(registry_, id);
            // A macro that cannot be loaded leaves the slot 0, like a type
            // without a device code, and uses no macro slot.
            if (macro) {
                std::size_t entries = WriteMacroToDevice(link_, slot, &*macro);
                pauses.Pause(3);
                code = MacroDeviceCode(slot, entries);
                ++slot;
            }
        } else if (std::optional<std::uint32_t> c = DeviceCodeForBinding(binding)) {
            code = *c;
        } else {
            continue;
        }
        WriteLE32(&table_[std::size_t(kButtonSlot[i]) * 4], code);
        pauses.Pause(3);
    }
    WriteLE32(&table_[3 * 4], kSlot3Code);

    if (!link_.HasDevice()) return Fail(showProgress);
    SettingPacket header = ButtonTablePacket();
    if (!link_.SendSettingPacket(&header)) return Fail(showProgress);
    pauses.Pause(10);
    if (!link_.SendDataChunks(table_.data(), table_.size())) return Fail(showProgress);
    Step(showProgress, 40);

    SettingPacket colour = LightingColourPacket(s);
    if (link_.HasDevice()) link_.SendSettingPacket(&colour);
    Step(showProgress, 50);

    SettingPacket effect = LightingEffectPacket(s);
    if (link_.HasDevice()) link_.SendSettingPacket(&effect);
    Step(showProgress, 60);

    DpiTable dpi = BuildDpiTable(s);
    SettingPacket dpiHeader = DpiTablePacket();
    if (link_.HasDevice() && link_.SendSettingPacket(&dpiHeader)) {
        pauses.Pause(10);
        if (link_.HasDevice()) link_.SendDataBlock(dpi.data(), dpi.size());
    }
    Step(showProgress, 70);

    SettingPacket interval = ReportIntervalPacket(s);
    if (link_.HasDevice()) link_.SendSettingPacket(&interval);
    Step(showProgress, 80);

    if (!link_.HasDevice()) return Fail(showProgress);
    SettingPacket lift = LiftHeightPacket(s);
    if (!link_.SendSettingPacket(&lift)) return Fail(showProgress);
    Step(showProgress, 90);

    ApplyPointerOptions(pointer_, s);
    Step(showProgress, 95);

    {
        CScopedRegKey key(registry_);
        if (registry_.OpenKey(kSettingsKey, kSettingsKeyAccess, key.Out()) == kRegOk)
            registry_.SetValue(key.Get(), u"ConfigInfo", kRegBinary, reinterpret_cast<const std::uint8_t*>(&config),
                               sizeof config);
    }
    profiles_.SaveProfileFile();

    if (showProgress) {
        progress_.SetPosition(100);
        pauses.Pause(700);
        progress_.Close();
    }
    return 1;
}
