#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "TestText.h"
#include "localization/TextTable.h"
#include "localization/XmlDocument.h"

namespace {

namespace fs = std::filesystem;

// LoadLanguage fills process-wide texts: each test restores them.
class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const TextEntry& e : TextTable()) saved_.push_back(*e.text);
        dir_ = fs::temp_directory_path() / ("q7t-language-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::size_t i = 0;
        for (const TextEntry& e : TextTable()) *e.text = saved_[i++];
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    std::u16string Write(const std::string& name, const std::string& bytes) {
        const fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p.u16string();
    }
    static int NonEmptyCount() {
        int n = 0;
        for (const TextEntry& e : TextTable()) n += !e.text->empty();
        return n;
    }

    std::vector<std::u16string> saved_;
    fs::path dir_;
};

TEST_F(LanguageTest, ShippedFileHasEveryTextAndSafeTemplates) {
    LoadLanguage(u"data/language.xml");
    for (const TextEntry& e : TextTable()) EXPECT_FALSE(e.text->empty()) << e.key;
    for (const std::u16string* t : {&str_msg2, &str_msg3}) {
        const auto at = t->find(u"%s");
        ASSERT_NE(at, std::u16string::npos) << Narrow(*t);
        std::u16string rest = t->substr(0, at) + t->substr(at + 2);
        EXPECT_EQ(rest.find(u'%'), std::u16string::npos) << Narrow(*t);
    }
}

TEST_F(LanguageTest, TableHoldsTheKeysInLoadOrder) {
    ASSERT_EQ(TextTable().size(), kTextKeyCount);
    EXPECT_STREQ(TextTable().front().key, "str_program_title");
    EXPECT_STREQ(TextTable()[18].key, "str_ok");
    EXPECT_STREQ(TextTable()[56].key, "str_PL");
    EXPECT_STREQ(TextTable().back().key, "str_led_spectrum");
    EXPECT_EQ(TextTable()[18].text, &str_ok);
}

TEST_F(LanguageTest, MissingOrEmptyFileLeavesEveryTextEmpty) {
    str_ok = u"stale";
    LoadLanguage((dir_ / "absent.xml").u16string());
    EXPECT_EQ(NonEmptyCount(), 0);
    LoadLanguage(Write("empty.xml", ""));
    EXPECT_EQ(NonEmptyCount(), 0);
}

TEST_F(LanguageTest, DocumentShapesThatGiveNoTexts) {
    const char* cases[] = {
        // The root's own name is not examined: config must be a child of it.
        "<config><str_ok>OK</str_ok></config>",
        // An unclosed root ends at its start tag; config moves up beside it.
        "<lang><config><str_ok>OK</str_ok></config>",
        // Keys outside config.
        "<lang><str_ok>OK</str_ok><other><str_ok>OK</str_ok></other></lang>",
    };
    for (const char* xml : cases) {
        LoadLanguage(Write("shape.xml", xml));
        EXPECT_EQ(NonEmptyCount(), 0) << xml;
    }
}

TEST_F(LanguageTest, KeyTexts) {
    struct Case {
        const char* body;  // the content of <config>
        const char16_t* ok;
    } cases[] = {
        {"<str_ok>First</str_ok><str_ok>Second</str_ok>", u"First"},
        {"<str_ok>Fish &amp; chips</str_ok>", u"Fish & chips"},
        {"<str_ok>&#79;&#x4b;&#X21;</str_ok>", u"OK!"},
        {"<str_ok>a<b>child</b></str_ok>", u""},
        {"<str_ok>  padded  </str_ok>", u"  padded  "},
        {"<str_ok>two\r\nlines</str_ok>", u"two\r\nlines"},
        {"<str_ok>be<!-- note -->fore</str_ok>", u"before"},
        {"<str_ok><![CDATA[<raw> & ]]></str_ok>", u"<raw> & "},
        {"<str_ok attr=\"x\">With attribute</str_ok>", u"With attribute"},
        {"<STR_OK>wrong case</STR_OK>", u""},
        {"<str_ok/>", u""},
        // A key missing directly under config is looked for in a config nested in it.
        {"<str_cancel>C</str_cancel><config><str_ok>Nested</str_ok></config>", u"Nested"},
        {"<x><str_ok>inside another element</str_ok></x>", u""},
    };
    for (const Case& c : cases) {
        LoadLanguage(Write("key.xml", std::string("<?xml version=\"1.0\"?><lang><config>") + c.body + "</config></lang>"));
        EXPECT_EQ(str_ok, c.ok) << c.body;
    }
}

TEST_F(LanguageTest, EncodingsOfTheFile) {
    // "Größe" in UTF-16LE with a mark, and in ISO-8859-1 declared.
    std::string utf16 = "\xFF\xFE";
    for (char16_t c : std::u16string(u"<l><config><str_ok>Größe</str_ok></config></l>")) {
        utf16 += char(c & 0xFF);
        utf16 += char(c >> 8);
    }
    LoadLanguage(Write("utf16.xml", utf16));
    EXPECT_EQ(str_ok, u"Größe");

    LoadLanguage(Write("latin1.xml", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><l><config><str_ok>Gr\xF6\xDF" "e</str_ok></config></l>"));
    EXPECT_EQ(str_ok, u"Größe");
}

TEST(LookupText, SectionAndKeyAreFoundBelowTheRoot) {
    CXmlDocument doc;
    const std::string xml = "<r><menu><str_ok>M</str_ok></menu><config><str_ok>C</str_ok></config></r>";
    doc.LoadFromMemory(reinterpret_cast<const std::uint8_t*>(xml.data()), xml.size());
    EXPECT_EQ(LookupText(doc, u"config", u"str_ok"), u"C");
    EXPECT_EQ(LookupText(doc, u"menu", u"str_ok"), u"M");
    EXPECT_EQ(LookupText(doc, u"absent", u"str_ok"), u"");
    EXPECT_EQ(LookupText(doc, u"config", u"str_cancel"), u"");
}

}  // namespace
