// Fuzz target for language files: any bytes are loaded as a document, then
// walked the way the text table and its callers walk it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "localization/TextTable.h"
#include "localization/XmlDocument.h"

namespace {
std::u16string Widen(const char* ascii) {
    std::u16string s;
    for (; *ascii; ++ascii) s += char16_t(*ascii);
    return s;
}

// Walks the tree by position alone: every child of every element, depth first
// down the first children, taking each child's text.
void Walk(CXmlDocument& doc) {
    doc.Rewind();
    for (int depth = 0; depth < 64; ++depth) {
        int children = 0;
        while (doc.FindChildElement(u"") && children < 256) {
            (void)doc.GetChildText();
            ++children;
        }
        if (children == 0) break;
        doc.Rewind();
        for (int d = 0; d <= depth; ++d) {
            if (!doc.FindChildElement(u"") || !doc.EnterElement()) return;
        }
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CXmlDocument doc;
    doc.LoadFromMemory(data, size);
    (void)doc.ResultText();

    for (std::uint32_t i = 0; i < doc.ElementCount(); ++i) (void)doc.ElementName(i);
    Walk(doc);

    doc.Rewind();
    if (doc.FindChildElement(u"config")) {
        doc.EnterElement();
        while (doc.FindChildElement(u"str_ok")) (void)doc.GetChildText();
    }
    (void)doc.EnterElement();
    (void)doc.GetChildText();

    for (const TextEntry& entry : TextTable()) (void)LookupText(doc, u"config", Widen(entry.key));
    return 0;
}
