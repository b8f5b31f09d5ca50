// CXmlDocument: reading and conversion notes, the element index, navigation and
// character data. Most documents are given as bytes (LoadFromMemory is LoadFile
// on a file holding those bytes); the fixtures check the file path itself.
#include "localization/XmlDocument.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <string_view>

#include "TestText.h"
#include "platform/CodePages.h"

using namespace std::literals;

namespace {

bool Load(CXmlDocument& doc, std::string_view bytes) {
    return doc.LoadFromMemory(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

bool EndsWith(const std::u16string& text, const std::u16string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool StartsWith(const std::u16string& text, const std::u16string& start) {
    return text.size() >= start.size() && text.compare(0, start.size(), start) == 0;
}

std::uint32_t Level(const ElementRecord& r) { return r.flagsLevel & 0xFFFF; }
std::uint32_t StartTagLength(const ElementRecord& r) { return r.tagLengths & 0x3FFFFF; }
std::uint32_t EndTagLength(const ElementRecord& r) { return r.tagLengths >> 22; }

// The text of the first child named `key` of the root's first child named
// `section`: the way the text table reads a language file.
std::u16string TextOf(CXmlDocument& doc, std::u16string_view section, std::u16string_view key) {
    doc.Rewind();
    if (!doc.FindChildElement(section) || !doc.EnterElement() || !doc.FindChildElement(key)) return u"<not found>";
    return doc.GetChildText();
}

// ---------------------------------------------------------------------------
// Reading: byte-order marks, declared and detected encodings, the notes.

struct ReadCase {
    const char* name;
    std::string_view bytes;
    std::u16string resultText;  // the whole of ResultText
    std::u16string text;        // the document text after conversion
    std::uint32_t flags;
    bool wellFormed;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class XmlReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(XmlReadTest, NotesTextAndFlags) {
    const ReadCase& c = GetParam();
    CXmlDocument doc;
    EXPECT_EQ(Load(doc, c.bytes), c.wellFormed);
    EXPECT_EQ(Narrow(doc.ResultText()), Narrow(c.resultText));
    EXPECT_EQ(Narrow(doc.Text()), Narrow(c.text));
    EXPECT_EQ(doc.DocumentFlags(), c.flags);
}

const std::string kPadded1000 = std::string(1000, ' ') + "<?xml version=\"1.0\" encoding=\"windows-1251\"?><a>\xCF</a>";
const std::string kPadded900 = std::string(900, ' ') + "<?xml version=\"1.0\" encoding=\"windows-1251\"?><a>\xCF</a>";

const ReadCase kReadCases[] = {
    {"BomOnly", "\xEF\xBB\xBF"sv, u"UTF-8 BOM + 0 length  Empty document", u"", kDocUtf8Bom, false},
    {"Utf8Bom", "\xEF\xBB\xBF<a>\xC3\xA9</a>"sv, u"UTF-8 BOM + length 9 to 8 wide chars ", u"<a>\u00E9</a>", kDocUtf8Bom, true},
    {"Utf16LeBom", "\xFF\xFE<\0a\0/\0>\0"sv, u"UTF-16LE BOM + length 4 ", u"<a/>", kDocUtf16LE, true},
    {"Utf16BeBom", "\xFE\xFF\0<\0a\0/\0>\x04\x1F"sv, u"UTF-16BE BOM + length 5 endian swap ", u"<a/>\u041F", kDocUtf16BE, true},
    // A null unit is removed; an odd last byte is dropped.
    {"Utf16LeNullAndOddByte", "\xFF\xFE<\0a\0\0\0/\0>\0x"sv, u"UTF-16LE BOM + length 5 (1 nulls removed) ", u"<a/>", kDocUtf16LE, true},
    // Without a mark: the zero bytes go and the rest is UTF-8 because it starts with '<'.
    {"Utf16LeWithoutMark", "<\0a\0>\0x\0<\0/\0a\0>\0"sv, u"UTF-8 length 16 (8 nulls removed) to 8 wide chars ", u"<a>x</a>", 0, true},
    {"Empty", ""sv, u"ANSI 0 length  Empty document", u"", 0, false},
    {"DetectedUtf8", " <a>\xC3\xA9</a>"sv, u"UTF-8 length 10 (used UTF-8 detection) to 9 wide chars ", u" <a>\u00E9</a>", 0, true},
    {"NullBytes", "<a>x\0</a>"sv, u"UTF-8 length 9 (1 nulls removed) to 8 wide chars ", u"<a>x</a>", 0, true},
    {"DeclaredWindows1251", "<?xml version=\"1.0\" encoding=\"windows-1251\"?><a>\xCF\xF0\xE8</a>"sv,
     u"windows-1251 length 55 to 55 wide chars ", u"<?xml version=\"1.0\" encoding=\"windows-1251\"?><a>\u041F\u0440\u0438</a>", 0, true},
    {"DeclaredLatin1SingleQuotes", "<?XML version='1.0' ENCODING='ISO-8859-1' ?><a>caf\xE9</a>"sv,
     u"ISO-8859-1 length 55 to 55 wide chars ", u"<?XML version='1.0' ENCODING='ISO-8859-1' ?><a>caf\u00E9</a>", 0, true},
    // Only the first processing instruction counts, and only before any tag.
    {"SecondInstructionIgnored", "<?pi?><?xml encoding=\"windows-1251\"?><a>\xD0\x9F</a>"sv,
     u"UTF-8 length 46 to 45 wide chars ", u"<?pi?><?xml encoding=\"windows-1251\"?><a>\u041F</a>", 0, true},
    {"InstructionAfterElementIgnored", "<a>\xD0\x9F</a><?xml encoding=\"windows-1251\"?>"sv,
     u"UTF-8 length 40 to 39 wide chars ", u"<a>\u041F</a><?xml encoding=\"windows-1251\"?>", 0, true},
    // The declaration must lie within the first 1,024 bytes.
    {"DeclarationWithinFirstRead", kPadded900, u"windows-1251 length 953 to 953 wide chars ",
     std::u16string(900, u' ') + u"<?xml version=\"1.0\" encoding=\"windows-1251\"?><a>\u041F</a>", 0, true},
    // A name the system cannot convert is taken like an unknown one: ANSI.
    {"DeclaredUtf16In8BitFile", "<?xml version=\"1.0\" encoding=\"utf-16\"?><a>x</a>"sv,
     u"utf-16 length 47 to 47 wide chars ", u"<?xml version=\"1.0\" encoding=\"utf-16\"?><a>x</a>", 0, true},
    {"UnknownName", "<?xml encoding=\"x-none\"?><a>x</a>"sv, u"x-none length 33 to 33 wide chars ",
     u"<?xml encoding=\"x-none\"?><a>x</a>", 0, true},
    // Code points that the ASCII declaration makes are no code points; the
    // zero bytes of the 32-bit units stay until the units are decoded.
    {"Utf32", "<?xml encoding=\"UTF-32\"?>   <\0\0\0a\0\0\0>\0\0\0\0\0\0\0\x00\xF6\x01\0<\0\0\0/\0\0\0a\0\0\0>\0\0\0"sv,
     u"UTF-32 length 64 (1 nulls removed) to 16 wide chars ",
     u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD<a>\U0001F600</a>", 0, true},
};

INSTANTIATE_TEST_SUITE_P(Encodings, XmlReadTest, testing::ValuesIn(kReadCases),
                         [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST(XmlReadAnsiTest, UndetectedBytesUseTheAnsiCodePage) {
    CXmlDocument doc;
    EXPECT_TRUE(Load(doc, " <a>caf\xE9</a>"sv));
    EXPECT_EQ(Narrow(doc.ResultText()), "ANSI length 12 (used UTF-8 detection) to 12 wide chars ");
    if (SystemCodePages().AnsiCodePage() == 1252) {
        EXPECT_EQ(Narrow(doc.Text()), Narrow(u" <a>caf\u00E9</a>"));
    }
}

TEST(XmlReadAnsiTest, DeclarationCutOffByFirstReadIsNotSeen) {
    CXmlDocument doc;
    EXPECT_TRUE(Load(doc, kPadded1000));
    // The declaration is cut at byte 1,024, so nothing is declared; 0xCF
    // followed by '<' is no UTF-8.
    EXPECT_EQ(Narrow(doc.ResultText()), "ANSI length 1053 (used UTF-8 detection) to 1053 wide chars ");
}

TEST(XmlReadAnsiTest, Utf8Detection) {
    struct Case {
        std::string_view bytes;  // not starting with '<', nothing declared
        bool utf8;
    };
    const Case cases[] = {
        {" <a>x</a>"sv, true},
        {" <a>\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80</a>"sv, true},
        {" <a>\xF8\x80\x80\x80</a>"sv, false},  // bit 3 set in a four-byte lead
        {" <a>\xE2\x82</a>"sv, false},          // a continuation byte without its top bit
        {" <a/>\xE2\x82"sv, false},             // cut off by the end
        {" <a/>\xC3"sv, false},
    };
    for (const Case& c : cases) {
        CXmlDocument doc;
        Load(doc, c.bytes);
        EXPECT_TRUE(StartsWith(doc.ResultText(), c.utf8 ? u"UTF-8 length " : u"ANSI length ")) << Narrow(doc.ResultText());
        EXPECT_NE(doc.ResultText().find(u" (used UTF-8 detection) "), std::u16string::npos);
    }
}

struct HtmlCase {
    const char* name;
    std::string_view bytes;
    std::u16string resultTextStart;
    std::u16string bodyText;  // html/body
};

void PrintTo(const HtmlCase& c, std::ostream* os) { *os << c.name; }

class XmlHtmlCharsetTest : public testing::TestWithParam<HtmlCase> {};

TEST_P(XmlHtmlCharsetTest, MetaContentTypeGivesTheEncoding) {
    const HtmlCase& c = GetParam();
    CXmlDocument doc;
    Load(doc, c.bytes);
    EXPECT_TRUE(StartsWith(doc.ResultText(), c.resultTextStart)) << Narrow(doc.ResultText());
    EXPECT_EQ(Narrow(TextOf(doc, u"body", u"p")), Narrow(c.bodyText));
}

const HtmlCase kHtmlCases[] = {
    {"Windows1251",
     "<html><head><title>t</title><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\"></head>"
     "<body><p>\xCF</p></body></html>"sv,
     u"windows-1251 length ", u"\u041F"},
    {"UpperCaseNames",
     "<!DOCTYPE HTML><HTML><HEAD><META HTTP-EQUIV=content-type CONTENT='text/html;CharSet = iso-8859-1'></HEAD>"
     "<body><p>\xE9</p></body></HTML>"sv,
     u"iso-8859-1 length ", u"\u00E9"},
    // Other meta elements are passed over; the head's end tag ends the search.
    {"MetaWithoutCharset",
     "<html><head><meta name=\"x\" content=\"charset=windows-1251\"></head><meta http-equiv=\"Content-Type\" "
     "content=\"text/html; charset=windows-1251\"><body><p>\xD0\x9F</p></body></html>"sv,
     u"UTF-8 length ", u"\u041F"},
    // The first element is not html: no search.
    {"NotHtml",
     "<doc><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\"/><body><p>\xD0\x9F</p></body></doc>"sv,
     u"UTF-8 length ", u"\u041F"},
};

INSTANTIATE_TEST_SUITE_P(Html, XmlHtmlCharsetTest, testing::ValuesIn(kHtmlCases),
                         [](const testing::TestParamInfo<HtmlCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Parse notes.

struct NoteCase {
    const char* name;
    std::string_view text;  // ASCII, starting with '<'
    std::u16string note;    // empty: none
    bool wellFormed;
};

void PrintTo(const NoteCase& c, std::ostream* os) { *os << c.name; }

class XmlParseNoteTest : public testing::TestWithParam<NoteCase> {};

TEST_P(XmlParseNoteTest, FirstProblemOrRootNote) {
    const NoteCase& c = GetParam();
    CXmlDocument doc;
    EXPECT_EQ(Load(doc, c.text), c.wellFormed);
    const std::string size = std::to_string(c.text.size());
    const std::u16string notes = u"UTF-8 length " + std::u16string(size.begin(), size.end()) + u" to " +
                                 std::u16string(size.begin(), size.end()) + u" wide chars ";
    EXPECT_EQ(Narrow(doc.ResultText()), Narrow(c.note.empty() ? notes : notes + u" " + c.note));
    EXPECT_EQ((doc.Element(0).flagsLevel & kDocNotWellFormed) != 0, !c.wellFormed);
}

const NoteCase kNoteCases[] = {
    {"WellFormed", "<a><b x='1'/><!-- c --><?p?><![CDATA[<]]><!DOCTYPE a [<!ELEMENT a ANY>]></a>"sv, u"", true},
    {"StrayEndTag", "<a></b></a>"sv, u"No start tag for end tag 'b' at offset 3", false},
    {"EndTagOfOuterElement", "<a><b></a>"sv, u"End tag 'a' at offset 6 does not match start tag 'b' at offset 3", false},
    {"OnlyFirstProblemKept", "<a></x><1</a>"sv, u"No start tag for end tag 'x' at offset 3", false},
    {"RootNotEnded", "<a>x"sv, u"Element 'a' at offset 0 not ended", false},
    {"BadNameCharacter", "<a>1 <2</a>"sv, u"Incorrect tag name character at offset 5", false},
    {"BadComment", "<a><!-x--></a>"sv, u"Incorrect comment tag at offset 3", false},
    {"BadSection", "<a><![X[y]]></a>"sv, u"Incorrect tag at offset 3", false},
    {"BadDeclaration", "<a><!Q></a>"sv, u"Incorrect ! tag at offset 3", false},
    {"UnterminatedStartTag", "<a><b x='>'"sv, u"Element tag at offset 3 unterminated", false},
    {"UnterminatedEndTag", "<a></a"sv, u"Element end tag at offset 3 unterminated", false},
    {"UnterminatedCData", "<a><![CDATA[x</a>"sv, u"CDATA Section at offset 3 unterminated", false},
    {"UnterminatedInstruction", "<a><?p </a>"sv, u"Processing instruction at offset 3 unterminated", false},
    {"UnterminatedComment", "<a><!-- </a>"sv, u"Comment at offset 3 unterminated", false},
    {"UnterminatedDoctype", "<a><!DOCTYPE a [<!ELEMENT a ANY>]</a>"sv, u"Doctype at offset 3 unterminated", false},
    {"UnterminatedDeclaration", "<a><!ENTITY x"sv, u"Doctype at offset 3 unterminated", false},
    {"UnterminatedLessThan", "<a><"sv, u"tag at offset 3 unterminated", false},
    {"NoElement", "<!-- only -->"sv, u"No root element", false},
    {"RootWithSibling", "<a/><b/>"sv, u"Root element has sibling", false},
    // The root-level note replaces the first problem.
    {"UnclosedRootWithChildren", "<a><b/>"sv, u"Root element has sibling", false},
};

INSTANTIATE_TEST_SUITE_P(Notes, XmlParseNoteTest, testing::ValuesIn(kNoteCases),
                         [](const testing::TestParamInfo<NoteCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// The element index.

TEST(XmlIndexTest, RecordsOfANestedDocument) {
    CXmlDocument doc;
    ASSERT_TRUE(Load(doc, "<a><b>t</b><c/></a>"sv));
    ASSERT_EQ(doc.ElementCount(), 4u);

    const ElementRecord& document = doc.Element(0);
    EXPECT_EQ(document.length, 19u);
    EXPECT_EQ(document.firstChild, 1u);

    const ElementRecord& a = doc.Element(1);
    EXPECT_EQ(a.start, 0u);
    EXPECT_EQ(a.length, 19u);
    EXPECT_EQ(a.tagLengths, 3u | (4u << 22));
    EXPECT_EQ(a.flagsLevel, kElemFirstChild | 0u);
    EXPECT_EQ(a.parent, 0u);
    EXPECT_EQ(a.firstChild, 2u);
    EXPECT_EQ(a.nextSibling, 0u);
    EXPECT_EQ(a.prevSibling, 1u);

    const ElementRecord& b = doc.Element(2);
    EXPECT_EQ(b.start, 3u);
    EXPECT_EQ(b.length, 8u);
    EXPECT_EQ(StartTagLength(b), 3u);
    EXPECT_EQ(EndTagLength(b), 4u);
    EXPECT_EQ(b.flagsLevel, kElemFirstChild | 1u);
    EXPECT_EQ(b.parent, 1u);
    EXPECT_EQ(b.nextSibling, 3u);
    EXPECT_EQ(b.prevSibling, 3u);  // the first child points to the last

    const ElementRecord& c = doc.Element(3);
    EXPECT_EQ(c.start, 11u);
    EXPECT_EQ(c.length, 4u);
    EXPECT_EQ(c.tagLengths, 4u);
    EXPECT_EQ(c.flagsLevel, kElemEmptyTag | 1u);
    EXPECT_EQ(c.nextSibling, 0u);
    EXPECT_EQ(c.prevSibling, 2u);
    EXPECT_EQ(Narrow(doc.ElementName(3)), "c");
}

struct EmptyTagCase {
    std::string_view text;
    bool empty;
};

TEST(XmlIndexTest, EmptyElementTags) {
    const EmptyTagCase cases[] = {
        {"<r><a/></r>"sv, true},
        {"<r><a x=\"1\"/></r>"sv, true},
        {"<r><a x='1'/></r>"sv, true},
        {"<r><a x=1 /></r>"sv, true},
        {"<r><a x = \"/>\"/></r>"sv, true},  // a '>' inside a quoted value
        {"<r><a x=1/></r>"sv, false},        // the slash belongs to an unquoted value
        {"<r><a></a></r>"sv, false},
    };
    for (const EmptyTagCase& c : cases) {
        CXmlDocument doc;
        Load(doc, c.text);
        ASSERT_GE(doc.ElementCount(), 3u) << c.text;
        EXPECT_EQ((doc.Element(2).flagsLevel & kElemEmptyTag) != 0, c.empty) << c.text;
        EXPECT_EQ(Narrow(doc.ElementName(2)), "a") << c.text;
    }
}

TEST(XmlIndexTest, QuoteNotAfterEqualsOpensNoValue) {
    CXmlDocument doc;
    EXPECT_TRUE(Load(doc, "<r a\"b>x</r>"sv));
    EXPECT_EQ(StartTagLength(doc.Element(1)), 7u);
}

TEST(XmlIndexTest, TwoTopLevelElements) {
    CXmlDocument doc;
    EXPECT_FALSE(Load(doc, "<a><k>1</k></a><b><k>2</k></b>"sv));
    EXPECT_TRUE(EndsWith(doc.ResultText(), u" Root element has sibling"));
    ASSERT_EQ(doc.ElementCount(), 5u);
    EXPECT_EQ(doc.Element(1).nextSibling, 3u);
    EXPECT_EQ(Narrow(doc.ElementName(3)), "b");
    // Navigation starts at the first.
    doc.Rewind();
    ASSERT_TRUE(doc.FindChildElement(u"k"));
    EXPECT_EQ(Narrow(doc.GetChildText()), "1");
}

TEST(XmlIndexTest, GrandparentEndTagEndsTheElementBetween) {
    CXmlDocument doc;
    EXPECT_FALSE(Load(doc, "<r><a><b><c/></b><d/></r>"sv));
    EXPECT_TRUE(EndsWith(doc.ResultText(), u" End tag 'r' at offset 21 does not match start tag 'a' at offset 3"));
    ASSERT_EQ(doc.ElementCount(), 6u);
    // a ends at its start tag; its children b and d now follow it inside r.
    const ElementRecord& a = doc.Element(2);
    EXPECT_EQ(a.length, 3u);
    EXPECT_NE(a.flagsLevel & kElemNotEnded, 0u);
    EXPECT_EQ(a.firstChild, 0u);
    EXPECT_EQ(a.nextSibling, 3u);
    const ElementRecord& b = doc.Element(3);
    EXPECT_EQ(b.parent, 1u);
    EXPECT_EQ(Level(b), 1u);
    EXPECT_EQ(b.flagsLevel & kElemFirstChild, 0u);
    EXPECT_EQ(b.nextSibling, 5u);
    EXPECT_EQ(b.firstChild, 4u);
    EXPECT_EQ(Level(doc.Element(4)), 2u);  // c stays inside b, one level up
    const ElementRecord& d = doc.Element(5);
    EXPECT_EQ(d.parent, 1u);
    EXPECT_EQ(d.nextSibling, 0u);
    EXPECT_EQ(d.prevSibling, 3u);
    EXPECT_EQ(doc.Element(2).prevSibling, 5u);  // r's first child points to its new last
    const ElementRecord& r = doc.Element(1);
    EXPECT_EQ(r.length, 25u);
    EXPECT_EQ(r.flagsLevel & kElemNotEnded, 0u);
}

TEST(XmlIndexTest, UnclosedRootEndsAtItsStartTag) {
    CXmlDocument doc;
    EXPECT_FALSE(Load(doc, "<r><config><k>x</k></config><s/>"sv));
    EXPECT_TRUE(EndsWith(doc.ResultText(), u" Root element has sibling"));
    const ElementRecord& r = doc.Element(1);
    EXPECT_EQ(r.length, 3u);
    EXPECT_EQ(r.firstChild, 0u);
    EXPECT_NE(r.flagsLevel & kElemNotEnded, 0u);
    // Its former children are top-level elements after it, in order.
    EXPECT_EQ(r.nextSibling, 2u);
    EXPECT_EQ(doc.Element(2).nextSibling, 4u);
    EXPECT_EQ(doc.Element(2).parent, 0u);
    EXPECT_EQ(Level(doc.Element(2)), 0u);
    EXPECT_EQ(Level(doc.Element(3)), 1u);
    EXPECT_EQ(doc.Element(4).parent, 0u);
    EXPECT_EQ(doc.Element(1).prevSibling, 4u);
    // So the section is not found under the root.
    EXPECT_EQ(Narrow(TextOf(doc, u"config", u"k")), "<not found>");
}

TEST(XmlIndexTest, StrayEndTagAndMalformedNodeMarkTheElement) {
    CXmlDocument doc;
    EXPECT_FALSE(Load(doc, "<r><a></x></a><b><1</b><c/></r>"sv));
    EXPECT_NE(doc.Element(2).flagsLevel & kElemIllFormedContent, 0u);
    EXPECT_NE(doc.Element(3).flagsLevel & kElemIllFormedContent, 0u);
    EXPECT_EQ(doc.Element(4).flagsLevel & kElemIllFormedContent, 0u);
    EXPECT_EQ(doc.Element(1).flagsLevel & kElemIllFormedContent, 0u);
}

TEST(XmlIndexTest, IndexGrowsAcrossSegments) {
    // More records than one segment holds, and more than the first room.
    constexpr std::uint32_t kCount = 70000;
    std::string text = "<r>";
    for (std::uint32_t i = 0; i < kCount; ++i) text += "<e/>";
    text += "<last>z</last></r>";
    CXmlDocument doc;
    ASSERT_TRUE(Load(doc, text));
    ASSERT_EQ(doc.ElementCount(), kCount + 3);
    for (std::uint32_t i = 2; i < kCount + 2; i += 997) {
        EXPECT_EQ(doc.Element(i).start, 3 + 4 * (i - 2)) << i;
        EXPECT_EQ(doc.Element(i).nextSibling, i + 1) << i;
    }
    EXPECT_EQ(doc.Element(65536).start, 3u + 4u * 65534u);
    EXPECT_EQ(doc.Element(65537).prevSibling, 65536u);
    EXPECT_EQ(doc.Element(2).prevSibling, kCount + 2);
    doc.Rewind();
    ASSERT_TRUE(doc.FindChildElement(u"last"));
    EXPECT_EQ(Narrow(doc.GetChildText()), "z");
}

TEST(XmlIndexTest, DeepNestingUnclosed) {
    std::string text;
    for (int i = 0; i < 3000; ++i) text += "<a>";
    CXmlDocument doc;
    EXPECT_FALSE(Load(doc, text));
    EXPECT_TRUE(EndsWith(doc.ResultText(), u" Root element has sibling"));
    ASSERT_EQ(doc.ElementCount(), 3001u);
    for (std::uint32_t i = 1; i <= 3000; ++i) {
        ASSERT_EQ(doc.Element(i).parent, 0u);
        ASSERT_EQ(Level(doc.Element(i)), 0u);
        ASSERT_EQ(doc.Element(i).nextSibling, i == 3000 ? 0u : i + 1);
    }
}

// ---------------------------------------------------------------------------
// Navigation.

TEST(XmlNavigationTest, NameMatching) {
    struct Case {
        std::u16string_view name;
        bool found;
    };
    const Case cases[] = {
        {u"str_ok", true},  {u"str_ok x", true}, {u"str_ok=1", true}, {u"str_ok/", true}, {u"str_ok[0]", true},
        {u"str_ok]", true}, {u"str", false},     {u"str_okay", false}, {u"STR_OK", false}, {u"str_ok.x", false},
        {u"", true},
    };
    for (const Case& c : cases) {
        CXmlDocument doc;
        ASSERT_TRUE(Load(doc, "<r><str_ok a='1'>t</str_ok></r>"sv));
        EXPECT_EQ(doc.FindChildElement(c.name), c.found) << Narrow(std::u16string(c.name));
    }
}

TEST(XmlNavigationTest, ElementNameEndsAtDelimiters) {
    CXmlDocument doc;
    ASSERT_TRUE(Load(doc, "<r><k;x>1</k;x><m\tx='y'>2</m></r>"sv));
    EXPECT_EQ(Narrow(doc.ElementName(2)), "k");
    EXPECT_EQ(Narrow(doc.ElementName(3)), "m");
    doc.Rewind();
    EXPECT_TRUE(doc.FindChildElement(u"m"));
    EXPECT_EQ(Narrow(doc.GetChildText()), "2");
}

TEST(XmlNavigationTest, SearchGoesOnAfterTheCurrentChild) {
    CXmlDocument doc;
    ASSERT_TRUE(Load(doc, "<r><k>1</k><x/><k>2</k></r>"sv));
    EXPECT_EQ(Narrow(doc.GetChildText()), "");  // no current child
    EXPECT_FALSE(doc.EnterElement());          // no current element
    doc.Rewind();
    ASSERT_TRUE(doc.FindChildElement(u"k"));
    EXPECT_EQ(Narrow(doc.GetChildText()), "1");
    ASSERT_TRUE(doc.FindChildElement(u"k"));
    EXPECT_EQ(Narrow(doc.GetChildText()), "2");
    // A failed search leaves the position.
    EXPECT_FALSE(doc.FindChildElement(u"k"));
    EXPECT_EQ(Narrow(doc.GetChildText()), "2");
    doc.Rewind();
    EXPECT_TRUE(doc.FindChildElement(u"k"));
    EXPECT_EQ(Narrow(doc.GetChildText()), "1");
}

TEST(XmlNavigationTest, EnterElementAndNestedSections) {
    CXmlDocument doc;
    ASSERT_TRUE(Load(doc, "<r><config><a>1</a><config><b>2</b></config></config></r>"sv));
    doc.Rewind();
    ASSERT_TRUE(doc.FindChildElement(u"config"));
    ASSERT_TRUE(doc.EnterElement());
    EXPECT_EQ(Narrow(doc.GetChildText()), "");
    EXPECT_FALSE(doc.FindChildElement(u"b"));
    // The search for the section now runs inside the section entered.
    ASSERT_TRUE(doc.FindChildElement(u"config"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindChildElement(u"b"));
    EXPECT_EQ(Narrow(doc.GetChildText()), "2");
}

TEST(XmlNavigationTest, EmptyDocumentFindsNothing) {
    CXmlDocument doc;
    EXPECT_EQ(Narrow(doc.ResultText()), "Empty document");
    EXPECT_EQ(doc.ElementCount(), 1u);
    doc.Rewind();
    EXPECT_FALSE(doc.FindChildElement(u""));
    EXPECT_FALSE(doc.EnterElement());
    EXPECT_EQ(Narrow(doc.GetChildText()), "");
}

// ---------------------------------------------------------------------------
// Character data and references.

struct TextCase {
    const char* name;
    std::string_view content;  // inside <r><k>...</k></r>, UTF-8
    std::u16string text;
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

class XmlChildTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(XmlChildTextTest, GetChildText) {
    const TextCase& c = GetParam();
    CXmlDocument doc;
    Load(doc, "<r><k>" + std::string(c.content) + "</k></r>");
    doc.Rewind();
    ASSERT_TRUE(doc.FindChildElement(u"k"));
    EXPECT_EQ(Narrow(doc.GetChildText()), Narrow(c.text));
}

const TextCase kTextCases[] = {
    {"Plain", "a b"sv, u"a b"},
    {"WhiteSpaceKept", "  a\r\n b  "sv, u"  a\r\n b  "},
    {"OnlyWhiteSpace", " \t "sv, u" \t "},
    {"Empty", ""sv, u""},
    {"TextCommentText", "ab<!-- c -->cd"sv, u"abcd"},
    {"WhiteSpaceBetweenMarkupDropped", " <!--c--> x <?p?> "sv, u" x "},
    {"CDataVerbatim", "a<![CDATA[<&amp; ]]>b"sv, u"a<&amp; b"},
    {"ChildElement", "a<b/>c"sv, u""},
    {"Amp", "a &amp; b"sv, u"a & b"},
    {"DecimalHexHex", "&#65;&#x41;&#X41;"sv, u"AAA"},
    {"DigitsAsFarAsTheyGo", "&#65x;&#x4g;"sv, u"A\u0004"},
    {"ZeroAndEmpty", "&#0;&#;&#x;&;"sv, u"&#0;&#;&#x;&;"},
    {"UnknownName", "&bogus;"sv, u"&bogus;"},
    {"NameOfNine", "&abcdefghi;"sv, u"&abcdefghi;"},
    {"NameOfTen", "&abcdefghij;&amp;"sv, u"&abcdefghij;&"},
    {"NoSemicolon", "&amp x"sv, u"&amp x"},
    {"NonAsciiInName", "&am\u00E9;"sv, u"&am\u00E9;"},
    {"AnyCase", "&AMP;&Lt;&apos;"sv, u"&<'"},
    {"CapitalisedWins", "&agrave;&Agrave;&uarr;&dagger;&prime;&oelig;&scaron;&yuml;"sv,
     u"\u00C0\u00C0\u21D1\u2021\u2033\u0152\u0160\u0178"},
    {"Entities", "&nbsp;&euro;&hearts;&thetasym;&sigmaf;"sv, u"\u00A0\u20AC\u2665\u03D1\u03C2"},
    {"SurrogatePair", "&#x1F600;&#128512;"sv, u"\U0001F600\U0001F600"},
    {"BeyondUnicode", "&#x110000;&#99999999;"sv, u"&#x110000;&#99999999;"},
    {"ReferenceInTextNode", "&lt;<!--x-->&gt;"sv, u"<>"},
    {"AmpersandAtEnd", "a&"sv, u"a&"},
};

INSTANTIATE_TEST_SUITE_P(Content, XmlChildTextTest, testing::ValuesIn(kTextCases),
                         [](const testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

TEST(XmlChildTextTest, EmptyAndUnendedElementsHaveNoText) {
    CXmlDocument doc;
    Load(doc, "<r><k/><m>x<n>y</r>"sv);
    doc.Rewind();
    ASSERT_TRUE(doc.FindChildElement(u"k"));
    EXPECT_EQ(Narrow(doc.GetChildText()), "");
    ASSERT_TRUE(doc.FindChildElement(u"m"));
    EXPECT_EQ(Narrow(doc.GetChildText()), "");
    ASSERT_TRUE(doc.FindChildElement(u"n"));  // moved up beside m
    EXPECT_EQ(Narrow(doc.GetChildText()), "");
}

TEST(XmlChildTextTest, LongEndTag) {
    // Longer than the packed end-tag length holds.
    CXmlDocument doc;
    ASSERT_TRUE(Load(doc, "<r><k>text</k" + std::string(2000, ' ') + "></r>"));
    doc.Rewind();
    ASSERT_TRUE(doc.FindChildElement(u"k"));
    EXPECT_EQ(Narrow(doc.GetChildText()), "text");
}

// ---------------------------------------------------------------------------
// Files.

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::u16string ToU16(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

struct FixtureCase {
    const char* file;
    std::u16string resultTextStart;
    std::u16string key;  // text of config/<key>
    std::u16string text;
};

TEST(XmlFileTest, FixturesLoadAsTheirBytes) {
    const FixtureCase cases[] = {
        {"windows-1251.xml", u"windows-1251 length ", u"str_ok", u"\u041F\u0440\u0438\u043D\u044F\u0442\u044C"},
        {"iso-8859-1.xml", u"iso-8859-1 length ", u"str_ok", u"R\u00E9sum\u00E9 & co"},
        {"utf16le-bom.xml", u"UTF-16LE BOM + length ", u"str_ok", u"\u00C9t\u00E9 \u20AC"},
        {"utf16be-bom.xml", u"UTF-16BE BOM + length ", u"str_ok", u"\u00C9t\u00E9 \u20AC"},
        {"shift_jis.xml", u"shift_jis length ", u"str_ok", u"\u3053\u3093\u306B\u3061\u306F"},
        {"html-meta.html", u"windows-1250 length ", u"p", u"\u0141\u00F3d\u017A"},
    };
    for (const FixtureCase& c : cases) {
        const std::string path = std::string("fixtures/xml/") + c.file;
        CXmlDocument fromFile;
        const bool fileResult = fromFile.LoadFile(ToU16(path));
        EXPECT_TRUE(StartsWith(fromFile.ResultText(), c.resultTextStart)) << c.file << ": " << Narrow(fromFile.ResultText());
        EXPECT_EQ(fromFile.DocumentFlags() & kDocReading, 0u);
        const std::u16string section = c.key == u"p" ? u"body" : u"config";
        EXPECT_EQ(Narrow(TextOf(fromFile, section, c.key)), Narrow(c.text)) << c.file;

        CXmlDocument fromMemory;
        const std::string bytes = ReadBytes(path);
        ASSERT_FALSE(bytes.empty()) << c.file;
        EXPECT_EQ(Load(fromMemory, bytes), fileResult) << c.file;
        EXPECT_EQ(fromMemory.ResultText(), fromFile.ResultText()) << c.file;
        EXPECT_EQ(fromMemory.Text(), fromFile.Text()) << c.file;
        EXPECT_EQ(fromMemory.DocumentFlags(), fromFile.DocumentFlags()) << c.file;
        EXPECT_EQ(fromMemory.ElementCount(), fromFile.ElementCount()) << c.file;
    }
}

TEST(XmlFileTest, UnreadablePathGivesTheSystemMessage) {
    const std::filesystem::path temp = std::filesystem::temp_directory_path();
    const std::filesystem::path folder = temp / "q7t-xml-folder";
    std::filesystem::create_directories(folder);
    const std::filesystem::path paths[] = {temp / "q7t-xml-missing" / "language.xml", folder};
    for (const std::filesystem::path& path : paths) {
        CXmlDocument doc;
        ASSERT_TRUE(Load(doc, "<a>x</a>"sv));
        EXPECT_FALSE(doc.LoadFile(path.u16string()));
        // The system's own words, first line only.
        EXPECT_FALSE(doc.ResultText().empty()) << path;
        EXPECT_EQ(doc.ResultText().find_first_of(u"\r\n"), std::u16string::npos) << path;
        EXPECT_EQ(doc.ResultText().find(u"length"), std::u16string::npos) << path;
        EXPECT_EQ(doc.Text(), u"") << path;
        EXPECT_EQ(doc.ElementCount(), 1u) << path;
        EXPECT_EQ(doc.DocumentFlags(), 0u) << path;
        doc.Rewind();
        EXPECT_FALSE(doc.FindChildElement(u"")) << path;
    }
    std::filesystem::remove_all(folder);
}

TEST(XmlFileTest, PathWithNonAsciiCharacters) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "q7t-xml-path";
    std::filesystem::create_directories(dir);
    const std::filesystem::path file = dir / std::filesystem::path(u"spr\u00E5k \u0444.xml");
    {
        std::ofstream out(file, std::ios::binary);
        out << "<r><config><str_ok>OK</str_ok></config></r>";
    }
    CXmlDocument doc;
    EXPECT_TRUE(doc.LoadFile(file.u16string())) << Narrow(doc.ResultText());
    EXPECT_EQ(Narrow(TextOf(doc, u"config", u"str_ok")), "OK");
    std::filesystem::remove_all(dir);
}

}  // namespace
