// Packed name tables of the XML reader: the HTML character entities and the
// encoding names of Windows code pages. Each table is an array of buckets, the
// bucket chosen by the sum of the name's UTF-16 units modulo the bucket count;
// a bucket is one string of entries (length, fixed-width decimal value, name),
// so a lookup compares lengths first and touches only a few bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct NamedValue {
    std::string name;
    std::uint32_t value;
};

// The code point of a character entity, by its name in lower case (A-Z only);
// 0 when the name is unknown. Where two HTML 4.01 names differ only in case,
// the capitalised one is found ("agrave" gives U+00C0).
std::uint32_t LookupEntity(std::u16string_view lowerName);
// Every entry of the entity table, bucket by bucket.
std::vector<NamedValue> EntityTableEntries();

// The Windows code page of an encoding name in lower case (A-Z only); 0 when
// the name is unknown.
std::uint32_t LookupCodePageName(std::u16string_view lowerName);
// Every entry of the code-page table, bucket by bucket.
std::vector<NamedValue> CodePageTableEntries();

