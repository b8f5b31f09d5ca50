// texts, xml and defaults: the text table, the XML reader and the default settings.
#include <cstdio>
#include <string>

#include "buttons/KeyNames.h"
#include "device/SettingsRecords.h"
#include "localization/TextTable.h"
#include "localization/XmlDocument.h"
#include "tools/Commands.h"

std::string ToUtf8(const std::u16string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        char32_t c = s[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (s[++i] - 0xDC00);
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;  // a lone surrogate
        }
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::u16string FromUtf8(const std::string& s) {
    std::u16string out;
    std::size_t i = 0;
    while (i < s.size()) {
        const unsigned char lead = static_cast<unsigned char>(s[i]);
        char32_t c = lead;
        std::size_t extra = 0;
        if (lead >= 0xF0 && lead < 0xF8) { c = lead & 0x07; extra = 3; }
        else if (lead >= 0xE0) { c = lead & 0x0F; extra = 2; }
        else if (lead >= 0xC0) { c = lead & 0x1F; extra = 1; }
        else if (lead >= 0x80) { c = 0xFFFD; }
        if (lead >= 0xF8 || i + extra >= s.size() + (extra ? 0 : 1)) {
            out += u'\uFFFD';  // invalid lead byte or a sequence cut off at the end
            break;
        }
        for (std::size_t k = 1; k <= extra; ++k) c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        i += extra + 1;
        if (c >= 0x10000) {
            c -= 0x10000;
            out += char16_t(0xD800 + (c >> 10));
            out += char16_t(0xDC00 + (c & 0x3FF));
        } else {
            out += char16_t(c);
        }
    }
    return out;
}

namespace {

// key=text lines: backslash, LF, CR and TAB escaped so every entry is one line.
std::string Escaped(const std::u16string& text) {
    std::u16string e;
    for (char16_t c : text) {
        switch (c) {
            case u'\\': e += u"\\\\"; break;
            case u'\n': e += u"\\n"; break;
            case u'\r': e += u"\\r"; break;
            case u'\t': e += u"\\t"; break;
            default: e += c;
        }
    }
    return ToUtf8(e);
}

const char* const kButtonNames[kButtonCount] = {"left", "right", "middle", "upper side", "lower side",
                                                "wheel up", "wheel down"};

std::string Colour(std::uint32_t c) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "0x%08X (red %u, green %u, blue %u)", c, c & 0xFF, (c >> 8) & 0xFF,
                  (c >> 16) & 0xFF);
    return buf;
}

}  // namespace

void PrintSettings(const DeviceSettings& s) {
    std::printf("magic               0x%08X\n", s.magic.get());
    for (int i = 0; i < kButtonCount; ++i) {
        const ButtonBinding& b = s.bindings[i];
        std::printf("button %d %-11s type %-3u \"%s\"\n", i, kButtonNames[i], b.type.get(),
                    ToUtf8(GetTextField(b.displayText)).c_str());
    }
    std::printf("dpi levels          %u %u %u\n", s.dpiLevels[0].get(), s.dpiLevels[1].get(), s.dpiLevels[2].get());
    std::printf("report rate code    %u\n", s.reportRate.get());
    std::printf("profile name        \"%s\"\n", ToUtf8(GetTextField(s.profileName)).c_str());
    std::printf("custom colour       %s\n", Colour(s.customColor).c_str());
    std::printf("preset colour       %s\n", Colour(s.presetColor).c_str());
    std::printf("colour in use       %s\n", s.customColorInUse == 1 ? "custom" : "preset");
    std::printf("preset index        %u\n", s.presetIndex.get());
    std::printf("lighting effect     %u\n", s.lightingEffect.get());
    std::printf("lighting brightness %u\n", s.lightingBrightness.get());
    std::printf("lighting speed      %u\n", s.lightingSpeed.get());
    std::printf("pointer precision   %s\n", s.pointerPrecision == 1 ? "on" : "off");
    std::printf("pointer speed       %u\n", s.pointerSpeed.get());
    std::printf("lift height         %u\n", s.liftHeight.get());
}

int RunTexts(CommandArgs args) {
    if (args.size() != 1) return kUsageError;
    LoadLanguage(FromUtf8(args[0]));
    for (const TextEntry& entry : TextTable()) std::printf("%s=%s\n", entry.key, Escaped(*entry.text).c_str());
    return 0;
}

int RunXml(CommandArgs args) {
    if (args.size() != 1) return kUsageError;
    CXmlDocument doc;
    const bool wellFormed = doc.LoadFile(FromUtf8(args[0]));
    std::printf("%s\n%s\n", wellFormed ? "well-formed" : "not well-formed", Escaped(doc.ResultText()).c_str());
    return 0;
}

int RunDefaults(CommandArgs args) {
    if (args.size() > 1) return kUsageError;
    // Display texts come from the language file; without one they stay empty.
    LoadLanguage(FromUtf8(args.empty() ? "data/language.xml" : args[0]));
    DeviceSettings settings;
    ResetToDefaults(settings);
    PrintSettings(settings);
    return 0;
}
