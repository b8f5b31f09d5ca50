#include "controls/NumberBox.h"

#include <climits>
#include <cstdint>

int ReadDecimal(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i] - u'0');
        if (value > std::int64_t(INT_MAX) + 1) break;  // saturated either way
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

namespace {

std::u16string DecimalText(int value) {
    std::string narrow = std::to_string(value);
    return std::u16string(narrow.begin(), narrow.end());
}

}  // namespace

std::optional<std::u16string> CorrectedNumberText(std::u16string_view text, int minimum, int maximum) {
    auto value = static_cast<unsigned>(ReadDecimal(text));
    if (value < static_cast<unsigned>(minimum)) return DecimalText(minimum);
    if (value > static_cast<unsigned>(maximum)) return DecimalText(maximum);
    return std::nullopt;
}
