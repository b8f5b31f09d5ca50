// A macro's stored record: a 64-byte header and the event words, kept in the
// registry as the default value of the macro's key. The record is variable
// length, so it is held as bytes; every read of a field stays within them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "device/ByteOrder.h"

constexpr std::uint32_t kMacroMagic = 0xE8E80010;   // readers test only the high 16 bits
constexpr std::uint32_t kMacroMagicHigh = 0xE8E8;
constexpr std::size_t kMacroHeaderSize = 64;
constexpr std::uint32_t kMinMacroRecordSize = 68;   // the header and at least one event
constexpr std::size_t kMacroNameUnits = 20;         // 19 characters and the NUL
constexpr std::uint32_t kSingleKeyRepeat = 0xFFFE;  // a macro of exactly one key press
constexpr std::uint32_t kMaxRepeatCount = 65533;

// Event word: type in bits 24..31, value in bits 0..23.
constexpr std::uint32_t EV_KEY_DOWN = 0xC0;  // value: virtual-key code (1, 2, 4: mouse buttons)
constexpr std::uint32_t EV_KEY_UP = 0xE0;    // value: virtual-key code
constexpr std::uint32_t EV_DELAY = 0xA0;     // value: milliseconds

constexpr std::uint32_t MakeMacroEvent(std::uint32_t type, std::uint32_t value) {
    return (type << 24) | (value & 0xFFFFFF);
}
constexpr std::uint32_t EventType(std::uint32_t event) { return event >> 24; }
constexpr std::uint32_t EventValue(std::uint32_t event) { return event & 0xFFFFFF; }

struct MacroRecordHeader {
    LE32 size;                     // 0: 64 + 4 x rows of the event list
    LE32 magic;                    // 4
    LE32 identifier;               // 8
    LE32 reserved;                 // 12
    LE32 repeatCount;              // 16: 1..65533 or 0xFFFE; the low 16 bits reach the mouse
    char16_t name[kMacroNameUnits];  // 20: NUL-terminated
    LE32 count;                    // 60: event words that follow
};
static_assert(sizeof(MacroRecordHeader) == kMacroHeaderSize);
static_assert(offsetof(MacroRecordHeader, size) == 0);
static_assert(offsetof(MacroRecordHeader, magic) == 4);
static_assert(offsetof(MacroRecordHeader, identifier) == 8);
static_assert(offsetof(MacroRecordHeader, repeatCount) == 16);
static_assert(offsetof(MacroRecordHeader, name) == 20);
static_assert(offsetof(MacroRecordHeader, count) == 60);

class MacroRecord {
public:
    MacroRecord() = default;
    explicit MacroRecord(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    // A record as the macro page writes it: size 64 + 4 x `rows` (at least the
    // events stored), magic, name cut to 19 characters.
    static MacroRecord Build(std::uint32_t identifier, std::u16string_view name, std::uint32_t repeatCount,
                             const std::vector<std::uint32_t>& events, std::uint32_t rows = 0);

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    std::vector<std::uint8_t>& Bytes() { return bytes_; }

    // Header fields; 0 when the record is too short to hold them.
    std::uint32_t SizeField() const { return Word(0); }
    std::uint32_t Magic() const { return Word(4); }
    std::uint32_t Identifier() const { return Word(8); }
    std::uint32_t RepeatCount() const { return Word(16); }
    std::uint32_t CountField() const { return Word(60); }
    bool HasValidHeader() const {
        return bytes_.size() >= kMacroHeaderSize && SizeField() >= kMinMacroRecordSize &&
               (Magic() >> 16) == kMacroMagicHigh;
    }

    // The events, clipped to what the bytes hold: a count field that claims
    // more than the value holds yields only the events that are there.
    std::size_t EventCount() const;
    std::uint32_t Event(std::size_t i) const { return Word(kMacroHeaderSize + 4 * i); }
    std::vector<std::uint32_t> Events() const;
    // The name up to its NUL, at most 20 units, within the bytes held.
    std::u16string Name() const;

private:
    std::uint32_t Word(std::size_t offset) const {
        return offset + 4 <= bytes_.size() ? ReadLE32(bytes_.data() + offset) : 0;
    }
    std::vector<std::uint8_t> bytes_;
};
