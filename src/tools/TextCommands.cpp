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

}  // namespace

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
