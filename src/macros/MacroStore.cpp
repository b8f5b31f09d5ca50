#include "macros/MacroStore.h"

#include <cstring>

namespace {

constexpr char16_t kHex[] = u"0123456789abcdef";

// The base key without its trailing backslash, for opening it by itself.
std::u16string BaseKey() {
    std::u16string base(kMacroBaseKey);
    base.pop_back();
    return base;
}

// Reads the default value of an open key: first into a local buffer of
// `firstSize` bytes, then, when the value is longer, into one of its length.
bool ReadDefaultValue(IRegistry& registry, RegKey key, std::size_t firstSize, std::uint32_t& type,
                      std::vector<std::uint8_t>& bytes) {
    bytes.assign(firstSize, 0);
    std::uint32_t size = std::uint32_t(firstSize);
    long result = registry.QueryValue(key, u"", type, bytes.data(), size);
    if (result == kRegMoreData) {
        bytes.assign(size, 0);
        result = registry.QueryValue(key, u"", type, bytes.data(), size);
    }
    if (result != kRegOk) return false;
    bytes.resize(size);
    return true;
}

}  // namespace

std::u16string MacroKeyName(std::uint32_t identifier) {
    std::u16string name(8, u'0');
    for (int i = 7; i >= 0; --i, identifier >>= 4) name[std::size_t(i)] = kHex[identifier & 0xF];
    return name;
}

std::u16string MacroKeyPath(std::uint32_t identifier) { return kMacroBaseKey + MacroKeyName(identifier); }

std::optional<MacroRecord> LoadMacro(IRegistry& registry, std::uint32_t identifier) {
    CScopedRegKey key(registry);
    if (registry.OpenKey(MacroKeyPath(identifier), kMacroKeyAccess, key.Out()) != kRegOk) return std::nullopt;
    // A first read into one byte: ERROR_MORE_DATA carries the length.
    std::uint8_t probe = 0;
    std::uint32_t type = 0;
    std::uint32_t size = 1;
    if (registry.QueryValue(key.Get(), u"", type, &probe, size) != kRegMoreData || size < 2) return std::nullopt;
    std::vector<std::uint8_t> bytes(size, 0);
    std::uint32_t read = size;
    if (registry.QueryValue(key.Get(), u"", type, bytes.data(), read) != kRegOk) return std::nullopt;
    if (type != kRegBinary) return std::nullopt;
    bytes.resize(read);
    return MacroRecord(std::move(bytes));
}

bool SaveMacro(IRegistry& registry, MacroRecord record) {
    if (!record.HasValidHeader()) return false;
    // The value is the size field's length. A record that holds fewer bytes
    // than its size field counts is refused rather than written from beyond
    // its end.
    const std::vector<std::uint8_t>& bytes = record.Bytes();
    std::uint32_t size = record.SizeField();
    if (bytes.size() < size) return false;
    std::u16string path = MacroKeyPath(record.Identifier());

    CScopedRegKey key(registry);
    if (registry.OpenKey(path, kMacroKeyAccess, key.Out()) == kRegOk)
        return registry.SetValue(key.Get(), u"", kRegBinary, bytes.data(), size) == kRegOk;

    CScopedRegKey base(registry);
    bool created = false;
    if (registry.OpenKey(BaseKey(), kMacroKeyAccess, base.Out()) != kRegOk &&
        registry.CreateKey(BaseKey(), kMacroKeyAccess, base.Out(), created) != kRegOk)
        return false;
    if (registry.CreateKey(path, kMacroKeyAccess, key.Out(), created) != kRegOk) return false;
    // Success only when the record actually reached the registry.
    return registry.SetValue(key.Get(), u"", kRegBinary, bytes.data(), size) == kRegOk;
}

bool DeleteMacro(IRegistry& registry, std::uint32_t identifier) {
    CScopedRegKey base(registry);
    if (registry.OpenKey(BaseKey(), kMacroKeyAccess, base.Out()) != kRegOk) return true;
    return registry.DeleteKey(base.Get(), MacroKeyName(identifier)) == kRegOk;
}

bool EnumerateMacros(IRegistry& registry, std::vector<MacroListRow>& list) {
    CScopedRegKey base(registry);
    if (registry.OpenKey(BaseKey(), kMacroKeyAccess, base.Out()) != kRegOk) return false;
    for (std::uint32_t index = 0;; ++index) {
        std::u16string name;
        long result = registry.EnumKey(base.Get(), index, name);
        if (result == kRegMoreData) continue;  // a name longer than 260 characters
        if (result != kRegOk) break;
        if (name.size() > 260) continue;
        CScopedRegKey key(registry);
        if (registry.OpenKey(kMacroBaseKey + name, kMacroKeyAccess, key.Out()) != kRegOk) continue;
        std::uint32_t type = 0;
        std::vector<std::uint8_t> bytes;
        if (!ReadDefaultValue(registry, key.Get(), 1024, type, bytes) || type != kRegBinary) continue;
        MacroRecord record(std::move(bytes));
        if (record.SizeField() < kMinMacroRecordSize || (record.Magic() >> 16) != kMacroMagicHigh) continue;
        list.push_back({record.Name(), record.Identifier()});
    }
    return true;
}
