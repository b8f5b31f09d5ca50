// Little-endian fixed-width fields for records that are file and wire formats.
// The fields are byte arrays, so a record has no padding and the same layout on
// every compiler; reading and writing go through get/set.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Text fields are UTF-16LE stored as char16_t; we only build for little-endian hosts.
static_assert(std::endian::native == std::endian::little, "records hold UTF-16LE text as char16_t");

struct LE32 {
    std::uint8_t bytes[4];

    constexpr std::uint32_t get() const {
        return std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 | std::uint32_t(bytes[2]) << 16 |
               std::uint32_t(bytes[3]) << 24;
    }
    constexpr void set(std::uint32_t v) {
        bytes[0] = std::uint8_t(v);
        bytes[1] = std::uint8_t(v >> 8);
        bytes[2] = std::uint8_t(v >> 16);
        bytes[3] = std::uint8_t(v >> 24);
    }
    constexpr operator std::uint32_t() const { return get(); }
    constexpr LE32& operator=(std::uint32_t v) {
        set(v);
        return *this;
    }
};
static_assert(sizeof(LE32) == 4 && alignof(LE32) == 1);

inline std::uint32_t ReadLE32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}
inline void WriteLE32(std::uint8_t* p, std::uint32_t v) {
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
    p[2] = std::uint8_t(v >> 16);
    p[3] = std::uint8_t(v >> 24);
}

// Fixed text fields: 260 UTF-16 units, NUL-terminated, zero-padded.
constexpr std::size_t kTextFieldChars = 260;
using TextField = char16_t[kTextFieldChars];

// Stores at most 259 characters and clears the rest of the field.
inline void SetTextField(TextField& field, std::u16string_view text) {
    std::size_t n = text.size() < kTextFieldChars - 1 ? text.size() : kTextFieldChars - 1;
    std::size_t i = 0;
    for (; i < n; ++i) field[i] = text[i];
    for (; i < kTextFieldChars; ++i) field[i] = 0;
}

// The text up to the first NUL; a field without one yields all 260 units.
inline std::u16string GetTextField(const TextField& field) {
    std::size_t n = 0;
    while (n < kTextFieldChars && field[n] != 0) ++n;
    return std::u16string(field, n);
}
