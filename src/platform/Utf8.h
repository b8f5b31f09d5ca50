// UTF-16 <-> UTF-8, for terminals and POSIX file names. A lone surrogate or an
// invalid or cut-off byte sequence becomes U+FFFD.
#pragma once

#include <string>

std::string ToUtf8(const std::u16string& text);
std::u16string FromUtf8(const std::string& text);
