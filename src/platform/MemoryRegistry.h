// An in-memory registry for tests and dry runs. Key names compare without
// regard to case, subkeys enumerate in name order, and faults can be injected.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Registry.h"

class CMemoryRegistry : public IRegistry {
public:
    long OpenKey(std::u16string_view path, std::uint32_t access, RegKey& key) override;
    long CreateKey(std::u16string_view path, std::uint32_t access, RegKey& key, bool& created) override;
    long QueryValue(RegKey key, std::u16string_view name, std::uint32_t& type, std::uint8_t* data,
                    std::uint32_t& size) override;
    long SetValue(RegKey key, std::u16string_view name, std::uint32_t type, const std::uint8_t* data,
                  std::uint32_t size) override;
    long EnumKey(RegKey key, std::uint32_t index, std::u16string& name) override;
    long DeleteKey(RegKey key, std::u16string_view subkey) override;
    void CloseKey(RegKey key) override;

    // Direct access for tests, without handles.
    bool HasKey(std::u16string_view path) const;
    bool GetValue(std::u16string_view path, std::u16string_view name, std::uint32_t& type,
                  std::vector<std::uint8_t>& data) const;
    void PutValue(std::u16string_view path, std::u16string_view name, std::uint32_t type,
                  const std::vector<std::uint8_t>& data);
    std::size_t OpenHandleCount() const { return handles_.size(); }

    // Faults: opening or creating these keys (and anything below them) is
    // denied; every write (set, create of a new key, delete) is denied.
    std::set<std::u16string> deniedKeys;
    bool denyWrites = false;
    bool denySetValue = false;  // only setting values is denied
    // Every open and create, with its access mask, in order.
    struct Access {
        std::u16string path;
        std::uint32_t access;
    };
    std::vector<Access> accesses;

private:
    struct Value {
        std::uint32_t type;
        std::vector<std::uint8_t> data;
    };
    struct Key {
        std::u16string name;                       // as created
        std::map<std::u16string, Value> values;    // by lower-case name
    };
    static std::u16string Normalize(std::u16string_view path);
    bool Denied(const std::u16string& normalized) const;
    const std::u16string* PathOf(RegKey key) const;

    std::map<std::u16string, Key> keys_;           // by lower-case full path
    std::map<RegKey, std::u16string> handles_;
    RegKey nextHandle_ = 0x100;
};
