// The packed entity and code-page tables: their contents as a whole, and that
// every entry sits in the bucket its name hashes to (or lookups miss it).
#include "localization/NameTables.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace {

std::u16string Wide(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

TEST(EntityTableTest, Html401EntitiesAndApos) {
    const std::vector<NamedValue> entries = EntityTableEntries();
    // 252 names of HTML 4.01 plus apos; names that differ only in case are
    // stored twice, in lower case.
    EXPECT_EQ(entries.size(), 253u);
    std::multiset<std::string> names;
    std::set<std::uint32_t> values;
    for (const NamedValue& e : entries) {
        names.insert(e.name);
        values.insert(e.value);
        for (char c : e.name) EXPECT_FALSE(c >= 'A' && c <= 'Z') << e.name;
        EXPECT_NE(LookupEntity(Wide(e.name)), 0u) << e.name;
    }
    EXPECT_EQ(values.size(), 253u);  // each code point once
    EXPECT_EQ(names.count("apos"), 1u);
    // The lower-case pairs of HTML 4.01: 24 Greek letters, 30 Latin letters
    // with their capitals, five arrows, dagger, prime, oelig, scaron, yuml.
    std::size_t twice = 0;
    for (auto it = names.begin(); it != names.end(); it = names.upper_bound(*it)) {
        if (names.count(*it) == 2) ++twice;
    }
    EXPECT_EQ(twice, 64u);
}

TEST(EntityTableTest, Lookups) {
    const std::map<std::string, std::uint32_t> expected = {
        {"quot", 34},      {"amp", 38},        {"lt", 60},       {"gt", 62},        {"apos", 39},
        {"nbsp", 160},     {"yuml", 376},      {"agrave", 192},  {"szlig", 223},    {"thorn", 222},
        {"eth", 208},      {"aelig", 198},     {"fnof", 402},    {"alpha", 913},    {"omega", 937},
        {"sigmaf", 962},   {"thetasym", 977},  {"upsih", 978},   {"piv", 982},      {"bull", 8226},
        {"hellip", 8230},  {"prime", 8243},    {"oline", 8254},  {"weierp", 8472},  {"image", 8465},
        {"alefsym", 8501}, {"uarr", 8657},     {"crarr", 8629},  {"forall", 8704},  {"there4", 8756},
        {"sdot", 8901},    {"lang", 9001},     {"rang", 9002},   {"loz", 9674},     {"diams", 9830},
        {"oelig", 338},    {"scaron", 352},    {"circ", 710},    {"tilde", 732},    {"zwnj", 8204},
        {"rlm", 8207},     {"sbquo", 8218},    {"dagger", 8225}, {"permil", 8240},  {"euro", 8364},
        {"frac34", 190},   {"iquest", 191},    {"divide", 247},  {"times", 215},    {"shy", 173},
    };
    for (const auto& [name, value] : expected) EXPECT_EQ(LookupEntity(Wide(name)), value) << name;
    for (const char* unknown : {"", "Amp", "ampx", "am", "apostrophe", "hArr", "x"}) {
        EXPECT_EQ(LookupEntity(Wide(unknown)), 0u) << unknown;
    }
}

TEST(CodePageTableTest, NamesAndCodePages) {
    const std::vector<NamedValue> entries = CodePageTableEntries();
    EXPECT_EQ(entries.size(), 254u);
    std::set<std::string> names;
    std::set<std::uint32_t> codePages;
    for (const NamedValue& e : entries) {
        names.insert(e.name);
        codePages.insert(e.value);
        EXPECT_EQ(LookupCodePageName(Wide(e.name)), e.value) << e.name;
    }
    EXPECT_EQ(names.size(), 254u);
    EXPECT_EQ(codePages.size(), 116u);
}

TEST(CodePageTableTest, Lookups) {
    const std::map<std::string, std::uint32_t> expected = {
        {"utf-8", 65001},        {"windows-1251", 1251},  {"iso-8859-1", 28591},     {"latin1", 28591},
        {"shift_jis", 932},      {"gb2312", 936},         {"big5", 950},             {"euc-kr", 949},
        {"koi8-r", 20866},       {"us-ascii", 20127},     {"utf-16", 1200},          {"unicodefffe", 1201},
        {"cp500", 775},          {"us", 1252},            {"iso-ir-6", 1252},        {"x-ebcdic-france", 1143},
        {"csiso", 28593},        {"iso_8859-15", 28605},  {"_iso-2022-jp$sio", 50222}, {"ebcdic-cp-us", 37},
        {"extended_unix_code_packed_format_for_japanese", 51932}, {"x-iscii-pa", 57011}, {"utf-7", 65000},
    };
    for (const auto& [name, value] : expected) EXPECT_EQ(LookupCodePageName(Wide(name)), value) << name;
    for (const char* unknown : {"", "UTF-8", "utf8", "windows-125", "iso-8859-16", "utf-32"}) {
        EXPECT_EQ(LookupCodePageName(Wide(unknown)), 0u) << unknown;
    }
}

}  // namespace
