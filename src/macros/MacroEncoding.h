// The mouse's own form of a macro: a 512-byte image of 256 two-byte entries,
// entry 0 the repeat count (big-endian), then two bytes per step, with short
// pauses folded into the step before them and longer ones in 20, 50 or 100 ms
// units. The mouse holds seven such images in numbered slots.
#pragma once

#include <array>
#include <cstdint>

#include "device/DriverTransport.h"
#include "macros/MacroRecord.h"

constexpr std::size_t kMacroBufferSize = 512;
constexpr std::size_t kMacroBufferEntries = 256;
constexpr unsigned kMacroSlotCount = 7;
using MacroBuffer = std::array<std::uint8_t, kMacroBufferSize>;

constexpr std::uint8_t kStepPress = 0x01;
constexpr std::uint8_t kStepRelease = 0x81;
constexpr std::uint8_t kUnit20ms = 0x01;
constexpr std::uint8_t kUnit50ms = 0x02;
constexpr std::uint8_t kUnit100ms = 0x03;

// The usage a key event sends: the keyboard usage of the virtual key, or
// 0xF0/0xF1/0xF2 for the left, right and middle mouse buttons; 0 for anything else.
std::uint8_t MacroKeyUsage(std::uint32_t virtualKey);

// Builds the image of a record; returns the number of entries used, the
// header included (1..256).
std::size_t EncodeMacro(const MacroRecord& record, MacroBuffer& buffer);

// 13 01 k 00 02 00 00 00: the macro for slot k follows (512 bytes).
SettingPacket MacroAnnouncePacket(unsigned slot);

// Encodes the record and, for slots 1..7 and an open device, sends it: the
// announcing packet, 10 ms, then the 512 bytes as 16 chunks. Returns the entry
// count whatever the sends did; 0 (and nothing sent) without a record.
std::size_t WriteMacroToDevice(CDriverLink& link, unsigned slot, const MacroRecord* record);

// The button's device code for a macro in slot k with n entries.
constexpr std::uint32_t MacroDeviceCode(unsigned slot, std::size_t entries) {
    return 0x00000009u | (std::uint32_t(slot) << 16) | ((std::uint32_t(entries) & 0xFF) << 24);
}
