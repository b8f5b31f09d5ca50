#include "macros/MacroRecord.h"

#include <algorithm>

MacroRecord MacroRecord::Build(std::uint32_t identifier, std::u16string_view name, std::uint32_t repeatCount,
                               const std::vector<std::uint32_t>& events, std::uint32_t rows) {
    std::uint32_t stored = std::uint32_t(events.size());
    std::uint32_t size = std::uint32_t(kMacroHeaderSize) + 4 * std::max(rows, stored);
    std::vector<std::uint8_t> bytes(size, 0);
    WriteLE32(&bytes[0], size);
    WriteLE32(&bytes[4], kMacroMagic);
    WriteLE32(&bytes[8], identifier);
    WriteLE32(&bytes[16], repeatCount);
    std::size_t n = std::min(name.size(), kMacroNameUnits - 1);
    for (std::size_t i = 0; i < n; ++i) {
        bytes[20 + 2 * i] = std::uint8_t(name[i]);
        bytes[21 + 2 * i] = std::uint8_t(name[i] >> 8);
    }
    WriteLE32(&bytes[60], stored);
    for (std::size_t i = 0; i < events.size(); ++i) WriteLE32(&bytes[kMacroHeaderSize + 4 * i], events[i]);
    return MacroRecord(std::move(bytes));
}

std::size_t MacroRecord::EventCount() const {
    if (bytes_.size() < kMacroHeaderSize) return 0;
    std::size_t room = (bytes_.size() - kMacroHeaderSize) / 4;
    return std::min<std::size_t>(CountField(), room);
}

std::vector<std::uint32_t> MacroRecord::Events() const {
    std::vector<std::uint32_t> out(EventCount());
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = Event(i);
    return out;
}

std::u16string MacroRecord::Name() const {
    std::u16string out;
    for (std::size_t i = 0; i < kMacroNameUnits; ++i) {
        std::size_t at = 20 + 2 * i;
        if (at + 2 > bytes_.size()) break;
        char16_t c = char16_t(bytes_[at] | (bytes_[at + 1] << 8));
        if (c == 0) break;
        out += c;
    }
    return out;
}
