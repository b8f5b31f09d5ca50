// Helpers for tests that compare UTF-16 text.
#pragma once

#include <ostream>
#include <string>

// Readable UTF-16 in failure messages: ASCII as is, the rest as \uXXXX.
inline std::string Narrow(const std::u16string& s) {
    std::string out;
    for (char16_t c : s) {
        if (c >= 0x20 && c < 0x7F) {
            out += char(c);
        } else {
            static const char* hex = "0123456789ABCDEF";
            out += "\\u";
            for (int shift = 12; shift >= 0; shift -= 4) out += hex[(c >> shift) & 0xF];
        }
    }
    return out;
}
