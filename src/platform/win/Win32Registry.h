// The registry port over the Win32 registry. Paths are below the root key
// given (HKEY_LOCAL_MACHINE for the program; tests give a key of their own).
#pragma once

#include <windows.h>

#include "platform/Registry.h"

class CWin32Registry : public IRegistry {
public:
    explicit CWin32Registry(HKEY root = HKEY_LOCAL_MACHINE) : root_(root) {}

    long OpenKey(std::u16string_view path, std::uint32_t access, RegKey& key) override;
    long CreateKey(std::u16string_view path, std::uint32_t access, RegKey& key, bool& created) override;
    long QueryValue(RegKey key, std::u16string_view name, std::uint32_t& type, std::uint8_t* data,
                    std::uint32_t& size) override;
    long SetValue(RegKey key, std::u16string_view name, std::uint32_t type, const std::uint8_t* data,
                  std::uint32_t size) override;
    long EnumKey(RegKey key, std::uint32_t index, std::u16string& name) override;
    long DeleteKey(RegKey key, std::u16string_view subkey) override;
    void CloseKey(RegKey key) override;

private:
    HKEY root_;
};
