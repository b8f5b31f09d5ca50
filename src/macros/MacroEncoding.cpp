#include "macros/MacroEncoding.h"

#include "buttons/KeyNames.h"

std::uint8_t MacroKeyUsage(std::uint32_t vk) {
    if (std::uint8_t usage = UsageForVirtualKey(vk)) return usage;
    switch (vk) {
        case 0x01: return 0xF0;  // left mouse button
        case 0x02: return 0xF1;  // right mouse button
        case 0x04: return 0xF2;  // middle mouse button
        default: return 0;
    }
}

namespace {
// The largest pause each unit can hold in 16 bits.
constexpr std::uint32_t kMaxFolded = 1270;
constexpr std::uint32_t kMax20 = 65535u * 20;
constexpr std::uint32_t kMax50 = 65535u * 50;
constexpr std::uint32_t kMax100 = 65535u * 100;
}  // namespace

std::size_t EncodeMacro(const MacroRecord& record, MacroBuffer& buffer) {
    buffer.fill(0);
    std::uint32_t repeat = record.RepeatCount();
    buffer[0] = std::uint8_t(repeat >> 8);
    buffer[1] = std::uint8_t(repeat);

    std::size_t p = 1;
    auto put = [&](std::size_t entry, std::uint8_t b0, std::uint8_t b1) {
        buffer[2 * entry] = b0;
        buffer[2 * entry + 1] = b1;
    };
    std::size_t count = record.EventCount();
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t event = record.Event(i);
        std::uint32_t type = EventType(event);
        std::uint32_t value = EventValue(event);
        std::size_t remaining = kMacroBufferEntries - p;

        if (type == EV_KEY_DOWN || type == EV_KEY_UP) {
            if (remaining < 1) break;
            put(p++, type == EV_KEY_DOWN ? kStepPress : kStepRelease, MacroKeyUsage(value));
            continue;
        }
        if (type != EV_DELAY) {
            if (remaining < 1) break;
            ++p;  // left empty
            continue;
        }
        std::uint32_t units;
        std::uint8_t unit;
        if (i == 0) {
            // A leading pause always counts in 100 ms and only its low 16 bits are used.
            units = (value & 0xFFFF) / 100;
            unit = kUnit100ms;
        } else if (value <= kMaxFolded) {
            buffer[2 * (p - 1)] = std::uint8_t(buffer[2 * (p - 1)] + ((value / 10) & 0x7F));
            continue;
        } else if (value <= kMax20) {
            units = value / 20;
            unit = kUnit20ms;
        } else if (value <= kMax50) {
            units = value / 50;
            unit = kUnit50ms;
        } else if (value <= kMax100) {
            units = value / 100;
            unit = kUnit100ms;
        } else {
            if (remaining < 1) break;
            ++p;  // too long for any unit: the pause is lost
            continue;
        }
        if (remaining < 2) break;
        put(p, 0x00, unit);
        put(p + 1, std::uint8_t(units >> 8), std::uint8_t(units));
        p += 2;
    }
    return p;
}

SettingPacket MacroAnnouncePacket(unsigned slot) {
    return SettingPacket{{0x13, 0x01, std::uint8_t(slot), 0x00, 0x02, 0x00, 0x00, 0x00}};
}

std::size_t WriteMacroToDevice(CDriverLink& link, unsigned slot, const MacroRecord* record) {
    if (!record) return 0;
    MacroBuffer buffer;
    std::size_t entries = EncodeMacro(*record, buffer);
    if (slot <= kMacroSlotCount && link.HasDevice()) {
        SettingPacket announce = MacroAnnouncePacket(slot);
        if (link.SendSettingPacket(&announce)) {
            link.Pauses().Pause(10);
            link.SendDataChunks(buffer.data(), buffer.size());
        }
    }
    return entries;
}
