// The macro store: one registry key per macro under
// HKEY_LOCAL_MACHINE\Software\VELDA\Q7TMouse\Macro\, named by the identifier in
// "%08x" form, whose default value is the binary record. No cache: every
// reader goes to the registry.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "macros/MacroRecord.h"
#include "platform/Registry.h"

constexpr char16_t kMacroBaseKey[] = u"Software\\VELDA\\Q7TMouse\\Macro\\";

// "Software\VELDA\Q7TMouse\Macro\0012ab34".
std::u16string MacroKeyPath(std::uint32_t identifier);
// "0012ab34".
std::u16string MacroKeyName(std::uint32_t identifier);

// A new copy of the stored record, or nothing (key or value missing, value of
// 0 or 1 byte, not REG_BINARY, read failure). Size, magic and count are not
// checked here; the record's accessors stay within its bytes.
std::optional<MacroRecord> LoadMacro(IRegistry& registry, std::uint32_t identifier);

// Stores the record under its identifier (creating the base key and the
// macro's key as needed). Refuses a size field below 68 or beyond the bytes
// the record holds, and a wrong magic.
bool SaveMacro(IRegistry& registry, MacroRecord record);

// Deletes the macro's key; success when the base key does not exist.
bool DeleteMacro(IRegistry& registry, std::uint32_t identifier);

struct MacroListRow {
    std::u16string name;
    std::uint32_t identifier;
};
// Appends one row per valid stored record, in registry enumeration order.
// False (and the list untouched) when the base key cannot be opened.
bool EnumerateMacros(IRegistry& registry, std::vector<MacroListRow>& list);
