#include "platform/MemoryRegistry.h"

#include <algorithm>
#include <cstring>

std::u16string CMemoryRegistry::Normalize(std::u16string_view path) {
    std::u16string out;
    for (char16_t c : path) out += (c >= u'A' && c <= u'Z') ? char16_t(c - u'A' + u'a') : c;
    while (!out.empty() && out.back() == u'\\') out.pop_back();
    return out;
}

bool CMemoryRegistry::Denied(const std::u16string& normalized) const {
    for (const std::u16string& d : deniedKeys) {
        std::u16string n = Normalize(d);
        if (normalized == n || (normalized.size() > n.size() && normalized.compare(0, n.size(), n) == 0 &&
                                normalized[n.size()] == u'\\'))
            return true;
    }
    return false;
}

const std::u16string* CMemoryRegistry::PathOf(RegKey key) const {
    auto it = handles_.find(key);
    return it == handles_.end() ? nullptr : &it->second;
}

long CMemoryRegistry::OpenKey(std::u16string_view path, std::uint32_t access, RegKey& key) {
    key = kNoRegKey;
    accesses.push_back({std::u16string(path), access});
    std::u16string n = Normalize(path);
    if (Denied(n)) return kRegAccessDenied;
    if (!keys_.count(n)) return kRegNotFound;
    key = nextHandle_++;
    handles_[key] = n;
    return kRegOk;
}

long CMemoryRegistry::CreateKey(std::u16string_view path, std::uint32_t access, RegKey& key, bool& created) {
    key = kNoRegKey;
    created = false;
    accesses.push_back({std::u16string(path), access});
    std::u16string n = Normalize(path);
    if (Denied(n)) return kRegAccessDenied;
    if (!keys_.count(n)) {
        if (denyWrites) return kRegAccessDenied;
        // Like RegCreateKeyExW, every missing key on the way is created.
        std::u16string original(path);
        while (!original.empty() && original.back() == u'\\') original.pop_back();
        for (std::size_t pos = 0;;) {
            std::size_t next = n.find(u'\\', pos);
            std::u16string prefix = n.substr(0, next);
            if (!keys_.count(prefix)) keys_[prefix].name = original.substr(0, prefix.size());
            if (next == std::u16string::npos) break;
            pos = next + 1;
        }
        created = true;
    }
    key = nextHandle_++;
    handles_[key] = n;
    return kRegOk;
}

long CMemoryRegistry::QueryValue(RegKey key, std::u16string_view name, std::uint32_t& type, std::uint8_t* data,
                                 std::uint32_t& size) {
    const std::u16string* path = PathOf(key);
    if (!path) return 6;  // ERROR_INVALID_HANDLE
    auto k = keys_.find(*path);
    if (k == keys_.end()) return 1018;  // ERROR_KEY_DELETED
    auto v = k->second.values.find(Normalize(name));
    if (v == k->second.values.end()) return kRegNotFound;
    type = v->second.type;
    std::uint32_t length = std::uint32_t(v->second.data.size());
    if (data == nullptr) {
        size = length;
        return kRegOk;
    }
    if (size < length) {
        size = length;
        return kRegMoreData;
    }
    if (length) std::memcpy(data, v->second.data.data(), length);
    size = length;
    return kRegOk;
}

long CMemoryRegistry::SetValue(RegKey key, std::u16string_view name, std::uint32_t type, const std::uint8_t* data,
                               std::uint32_t size) {
    const std::u16string* path = PathOf(key);
    if (!path) return 6;
    auto k = keys_.find(*path);
    if (k == keys_.end()) return 1018;
    if (denyWrites || denySetValue) return kRegAccessDenied;
    Value& v = k->second.values[Normalize(name)];
    v.type = type;
    v.data.assign(data, data + size);
    return kRegOk;
}

long CMemoryRegistry::EnumKey(RegKey key, std::uint32_t index, std::u16string& name) {
    const std::u16string* path = PathOf(key);
    if (!path) return 6;
    std::u16string prefix = *path + u'\\';
    std::uint32_t i = 0;
    for (const auto& [p, k] : keys_) {
        if (p.size() <= prefix.size() || p.compare(0, prefix.size(), prefix) != 0) continue;
        if (p.find(u'\\', prefix.size()) != std::u16string::npos) continue;  // deeper
        if (i++ == index) {
            name = k.name.substr(prefix.size());
            return kRegOk;
        }
    }
    return kRegNoMoreItems;
}

long CMemoryRegistry::DeleteKey(RegKey key, std::u16string_view subkey) {
    const std::u16string* path = PathOf(key);
    if (!path) return 6;
    std::u16string target = *path + u'\\' + Normalize(subkey);
    if (!keys_.count(target)) return kRegNotFound;
    if (denyWrites || Denied(target)) return kRegAccessDenied;
    std::u16string prefix = target + u'\\';
    for (const auto& [p, k] : keys_)
        if (p.compare(0, prefix.size(), prefix) == 0) return kRegAccessDenied;  // has subkeys
    keys_.erase(target);
    return kRegOk;
}

void CMemoryRegistry::CloseKey(RegKey key) { handles_.erase(key); }

bool CMemoryRegistry::HasKey(std::u16string_view path) const { return keys_.count(Normalize(path)) != 0; }

bool CMemoryRegistry::GetValue(std::u16string_view path, std::u16string_view name, std::uint32_t& type,
                               std::vector<std::uint8_t>& data) const {
    auto k = keys_.find(Normalize(path));
    if (k == keys_.end()) return false;
    auto v = k->second.values.find(Normalize(name));
    if (v == k->second.values.end()) return false;
    type = v->second.type;
    data = v->second.data;
    return true;
}

void CMemoryRegistry::PutValue(std::u16string_view path, std::u16string_view name, std::uint32_t type,
                               const std::vector<std::uint8_t>& data) {
    RegKey key;
    bool created;
    bool savedDeny = denyWrites, savedDenySet = denySetValue;
    denyWrites = denySetValue = false;
    std::set<std::u16string> savedDenied;
    savedDenied.swap(deniedKeys);
    CreateKey(path, kKeyWrite, key, created);
    SetValue(key, name, type, data.data(), std::uint32_t(data.size()));
    CloseKey(key);
    accesses.pop_back();
    deniedKeys.swap(savedDenied);
    denyWrites = savedDeny;
    denySetValue = savedDenySet;
}
