#include "localization/TextTable.h"

#include "localization/XmlDocument.h"

#define Q7T_DEFINE_TEXT(key) std::u16string key;
Q7T_TEXT_KEYS(Q7T_DEFINE_TEXT)
#undef Q7T_DEFINE_TEXT

namespace {
#define Q7T_TEXT_ENTRY(key) {#key, &key},
const TextEntry kTextTable[] = {Q7T_TEXT_KEYS(Q7T_TEXT_ENTRY)};
#undef Q7T_TEXT_ENTRY
static_assert(sizeof kTextTable / sizeof kTextTable[0] == kTextKeyCount);

std::u16string Widen(const char* ascii) {
    std::u16string s;
    for (; *ascii; ++ascii) s += char16_t(*ascii);
    return s;
}
}  // namespace

std::span<const TextEntry> TextTable() { return kTextTable; }

std::u16string LookupText(CXmlDocument& doc, std::u16string_view section, std::u16string_view key) {
    doc.Rewind();
    // Each round looks one section level deeper: a key missing directly under
    // the section is also looked for in a section element nested inside it.
    while (doc.FindChildElement(section)) {
        doc.EnterElement();
        if (doc.FindChildElement(key)) return doc.GetChildText();
    }
    return {};
}

void LoadLanguage(const std::u16string& path) {
    // Nothing reads the document after loading, so it lives only for the load.
    CXmlDocument doc;
    doc.LoadFile(path);
    for (const TextEntry& entry : kTextTable) *entry.text = LookupText(doc, u"config", Widen(entry.key));
}

std::u16string FormatMessageTemplate(std::u16string_view templ, std::u16string_view argument) {
    std::u16string out;
    const std::size_t at = templ.find(u"%s");
    if (at == std::u16string_view::npos) return std::u16string(templ);
    out.reserve(templ.size() + argument.size());
    out.append(templ.substr(0, at));
    out.append(argument);
    out.append(templ.substr(at + 2));
    return out;
}
