// Reading the packed bucket strings shared by EntityTable.cpp and
// CodePageTable.cpp (see NameTables.h for the layout).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "localization/NameTables.h"

namespace packed_tables {
// Sum of the name's UTF-16 units, the bucket hash of the packed tables.
template <typename Char>
std::size_t NameSum(std::basic_string_view<Char> name) {
    std::size_t sum = 0;
    for (Char c : name) sum += static_cast<std::uint16_t>(c);
    return sum;
}

// One entry of a bucket string: the name's length (LENGTH_DIGITS decimal
// digits), the value (VALUE_DIGITS decimal digits), then the name itself.
struct PackedEntry {
    std::string_view name;
    std::uint32_t value;
};

template <std::size_t LengthDigits, std::size_t ValueDigits>
bool NextEntry(std::string_view& bucket, PackedEntry& entry) {
    if (bucket.size() < LengthDigits + ValueDigits) return false;
    std::size_t length = 0;
    for (std::size_t i = 0; i < LengthDigits; ++i) length = length * 10 + std::size_t(bucket[i] - '0');
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < ValueDigits; ++i) value = value * 10 + std::uint32_t(bucket[LengthDigits + i] - '0');
    const std::size_t head = LengthDigits + ValueDigits;
    if (bucket.size() < head + length) return false;
    entry.name = bucket.substr(head, length);
    entry.value = value;
    bucket.remove_prefix(head + length);
    return true;
}

template <std::size_t LengthDigits, std::size_t ValueDigits, std::size_t BucketCount>
std::uint32_t Lookup(const char* const (&buckets)[BucketCount], std::u16string_view name) {
    std::string_view bucket = buckets[NameSum(name) % BucketCount];
    PackedEntry entry;
    while (NextEntry<LengthDigits, ValueDigits>(bucket, entry)) {
        if (entry.name.size() != name.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < name.size() && same; ++i) same = char16_t(static_cast<unsigned char>(entry.name[i])) == name[i];
        if (same) return entry.value;
    }
    return 0;
}

template <std::size_t LengthDigits, std::size_t ValueDigits, std::size_t BucketCount>
std::vector<NamedValue> Entries(const char* const (&buckets)[BucketCount]) {
    std::vector<NamedValue> all;
    for (const char* b : buckets) {
        std::string_view bucket = b;
        PackedEntry entry;
        while (NextEntry<LengthDigits, ValueDigits>(bucket, entry)) all.push_back({std::string(entry.name), entry.value});
    }
    return all;
}
}  // namespace packed_tables
