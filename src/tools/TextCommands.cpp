// texts, xml and defaults: the text table, the XML reader and the default settings.
#include <cstdio>
#include <string>

#include "buttons/KeyNames.h"
#include "device/SettingsRecords.h"
#include "localization/TextTable.h"
#include "localization/XmlDocument.h"
#include "platform/Utf8.h"
#include "tools/Commands.h"

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
