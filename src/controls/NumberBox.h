// The number rule of the image edit box: the text is read as a decimal number
// and a number outside the box's range is replaced by the nearer bound.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Reads the text the way the C library's wide atoi does: leading white space,
// an optional sign, then digits up to the first non-digit; no digits read as
// 0. Numbers too large for 32 bits saturate at the nearest 32-bit bound
// instead of being undefined.
int ReadDecimal(std::u16string_view text);

// The text that must replace `text` in a box with range minimum..maximum, or
// nothing when it may stay. The comparison is made on the unsigned values, as
// the box has always done (the ranges of the program start at 0, so a
// negative number counts as very large and becomes the maximum).
std::optional<std::u16string> CorrectedNumberText(std::u16string_view text, int minimum, int maximum);
