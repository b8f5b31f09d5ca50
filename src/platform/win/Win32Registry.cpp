#include "platform/win/Win32Registry.h"

#include <string>

namespace {
std::wstring Wide(std::u16string_view s) {
    std::wstring w(s.begin(), s.end());
    while (!w.empty() && w.back() == L'\\') w.pop_back();
    return w;
}
HKEY Key(RegKey key) { return reinterpret_cast<HKEY>(key); }
}  // namespace

long CWin32Registry::OpenKey(std::u16string_view path, std::uint32_t access, RegKey& key) {
    HKEY out = nullptr;
    LONG result = ::RegOpenKeyExW(root_, Wide(path).c_str(), 0, access, &out);
    key = result == ERROR_SUCCESS ? reinterpret_cast<RegKey>(out) : kNoRegKey;
    return result;
}

long CWin32Registry::CreateKey(std::u16string_view path, std::uint32_t access, RegKey& key, bool& created) {
    HKEY out = nullptr;
    DWORD disposition = 0;
    LONG result = ::RegCreateKeyExW(root_, Wide(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                                    &out, &disposition);
    key = result == ERROR_SUCCESS ? reinterpret_cast<RegKey>(out) : kNoRegKey;
    created = result == ERROR_SUCCESS && disposition == REG_CREATED_NEW_KEY;
    return result;
}

long CWin32Registry::QueryValue(RegKey key, std::u16string_view name, std::uint32_t& type, std::uint8_t* data,
                                std::uint32_t& size) {
    std::wstring n(name.begin(), name.end());
    DWORD t = 0;
    DWORD s = size;
    LONG result = ::RegQueryValueExW(Key(key), n.empty() ? nullptr : n.c_str(), nullptr, &t, data, &s);
    type = t;
    size = s;
    return result;
}

long CWin32Registry::SetValue(RegKey key, std::u16string_view name, std::uint32_t type, const std::uint8_t* data,
                              std::uint32_t size) {
    std::wstring n(name.begin(), name.end());
    return ::RegSetValueExW(Key(key), n.empty() ? nullptr : n.c_str(), 0, type, data, size);
}

long CWin32Registry::EnumKey(RegKey key, std::uint32_t index, std::u16string& name) {
    wchar_t buffer[261];
    DWORD length = 261;
    LONG result = ::RegEnumKeyExW(Key(key), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_SUCCESS) name.assign(buffer, buffer + length);
    return result;
}

long CWin32Registry::DeleteKey(RegKey key, std::u16string_view subkey) {
    return ::RegDeleteKeyW(Key(key), Wide(subkey).c_str());
}

void CWin32Registry::CloseKey(RegKey key) {
    if (key != kNoRegKey) ::RegCloseKey(Key(key));
}
