// Registry port over HKEY_LOCAL_MACHINE. The calls and their results follow the
// Win32 registry functions (the results are Win32 error codes), so the core
// keeps the exact query, ERROR_MORE_DATA and enumeration behaviour it relies on.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

using RegKey = std::uintptr_t;  // 0: no key
constexpr RegKey kNoRegKey = 0;

// Results (Win32 error codes).
constexpr long kRegOk = 0;                // ERROR_SUCCESS
constexpr long kRegNotFound = 2;          // ERROR_FILE_NOT_FOUND
constexpr long kRegAccessDenied = 5;      // ERROR_ACCESS_DENIED
constexpr long kRegMoreData = 234;        // ERROR_MORE_DATA
constexpr long kRegNoMoreItems = 259;     // ERROR_NO_MORE_ITEMS

// Value types.
constexpr std::uint32_t kRegSz = 1;       // REG_SZ
constexpr std::uint32_t kRegBinary = 3;   // REG_BINARY
constexpr std::uint32_t kRegDword = 4;    // REG_DWORD

// Access masks.
constexpr std::uint32_t kKeyRead = 0x20019;         // KEY_READ
constexpr std::uint32_t kKeyWrite = 0x20006;        // KEY_WRITE
constexpr std::uint32_t kKeySetValue = 0x0002;      // KEY_SET_VALUE
constexpr std::uint32_t kKeyCreateSubKey = 0x0004;  // KEY_CREATE_SUB_KEY
// The program's settings key is always opened with this mask.
constexpr std::uint32_t kSettingsKeyAccess = kKeyRead | kKeySetValue | kKeyCreateSubKey;
// Macro keys are opened and created with read and write together.
constexpr std::uint32_t kMacroKeyAccess = kKeyRead | kKeyWrite;
static_assert(kSettingsKeyAccess == 0x2001F && kMacroKeyAccess == 0x2001F);

class IRegistry {
public:
    virtual ~IRegistry() = default;
    // RegOpenKeyExW on a path below HKEY_LOCAL_MACHINE.
    virtual long OpenKey(std::u16string_view path, std::uint32_t access, RegKey& key) = 0;
    // RegCreateKeyExW (non-volatile, no class); `created` tells a new key from an existing one.
    virtual long CreateKey(std::u16string_view path, std::uint32_t access, RegKey& key, bool& created) = 0;
    // RegQueryValueExW: `size` holds the buffer size on entry and the value's
    // length on return; a buffer too small gives kRegMoreData with the length
    // set; `data` may be null to ask for the length only. An empty name is the
    // default value.
    virtual long QueryValue(RegKey key, std::u16string_view name, std::uint32_t& type, std::uint8_t* data,
                            std::uint32_t& size) = 0;
    // RegSetValueExW.
    virtual long SetValue(RegKey key, std::u16string_view name, std::uint32_t type, const std::uint8_t* data,
                          std::uint32_t size) = 0;
    // RegEnumKeyExW: the name of subkey `index`, or kRegNoMoreItems.
    virtual long EnumKey(RegKey key, std::uint32_t index, std::u16string& name) = 0;
    // RegDeleteKeyW of a subkey without subkeys of its own.
    virtual long DeleteKey(RegKey key, std::u16string_view subkey) = 0;
    virtual void CloseKey(RegKey key) = 0;
};

// Closes a key when it goes out of scope.
class CScopedRegKey {
public:
    explicit CScopedRegKey(IRegistry& registry) : registry_(registry) {}
    ~CScopedRegKey() { Reset(); }
    CScopedRegKey(const CScopedRegKey&) = delete;
    CScopedRegKey& operator=(const CScopedRegKey&) = delete;
    RegKey& Out() { Reset(); return key_; }
    RegKey Get() const { return key_; }
    void Reset() {
        if (key_ != kNoRegKey) registry_.CloseKey(key_);
        key_ = kNoRegKey;
    }

private:
    IRegistry& registry_;
    RegKey key_ = kNoRegKey;
};
