#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "TestText.h"
#include "device/SettingsRecords.h"
#include "localization/TextTable.h"

namespace {

std::uint32_t WordAt(const void* record, std::size_t offset) {
    return ReadLE32(static_cast<const std::uint8_t*>(record) + offset);
}

TEST(SettingsRecords, LE32StoresLittleEndianBytes) {
    LE32 v{};
    v = 0x8080BABA;
    EXPECT_EQ(v.bytes[0], 0xBA);
    EXPECT_EQ(v.bytes[1], 0xBA);
    EXPECT_EQ(v.bytes[2], 0x80);
    EXPECT_EQ(v.bytes[3], 0x80);
    EXPECT_EQ(std::uint32_t(v), 0x8080BABAu);
}

TEST(SettingsRecords, TextFieldKeeps259CharactersAndPadsWithZeros) {
    TextField field;
    std::memset(field, 0xAB, sizeof field);
    SetTextField(field, std::u16string(300, u'x'));
    EXPECT_EQ(GetTextField(field), std::u16string(259, u'x'));
    EXPECT_EQ(field[259], 0);

    SetTextField(field, u"ab");
    EXPECT_EQ(GetTextField(field), u"ab");
    for (std::size_t i = 2; i < kTextFieldChars; ++i) ASSERT_EQ(field[i], 0) << i;
}

class ResetToDefaultsTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = {str_click, str_menu, str_middle, str_pre, str_back, str_scrollup, str_scrolldw};
        str_click = u"Left click";
        str_menu = u"Right click";
        str_middle = u"Middle click";
        str_pre = u"Forward";
        str_back = u"Back";
        str_scrollup = u"Scroll up";
        str_scrolldw = u"Scroll down";
    }
    void TearDown() override {
        std::u16string* texts[] = {&str_click, &str_menu, &str_middle, &str_pre, &str_back, &str_scrollup, &str_scrolldw};
        for (std::size_t i = 0; i < saved_.size(); ++i) *texts[i] = saved_[i];
    }
    std::vector<std::u16string> saved_;
};

TEST_F(ResetToDefaultsTest, SetsExactlyTheDefaultFieldsAndZeroesTheRest) {
    std::vector<std::uint8_t> buffer(sizeof(DeviceSettings), 0xEE);
    auto& s = *reinterpret_cast<DeviceSettings*>(buffer.data());
    ResetToDefaults(s);

    // Build the expected image independently, byte by byte, from the layout.
    std::vector<std::uint8_t> expected(sizeof(DeviceSettings), 0);
    auto put = [&](std::size_t offset, std::uint32_t v) { WriteLE32(expected.data() + offset, v); };
    auto putText = [&](std::size_t offset, std::u16string_view t) {
        for (std::size_t i = 0; i < t.size(); ++i) {
            expected[offset + 2 * i] = std::uint8_t(t[i]);
            expected[offset + 2 * i + 1] = std::uint8_t(t[i] >> 8);
        }
    };
    put(0, 0x8080BABA);
    const std::uint32_t types[7] = {1, 2, 4, 8, 16, 11, 22};
    const char16_t* labels[7] = {u"Left click", u"Right click", u"Middle click", u"Forward",
                                 u"Back",       u"Scroll up",   u"Scroll down"};
    for (int i = 0; i < 7; ++i) {
        put(4 + i * 3144, types[i]);
        putText(4 + i * 3144 + 544, labels[i]);
    }
    put(22012, 500);
    put(22016, 1000);
    put(22020, 2000);
    put(22024, 1);
    put(22548, 0xFF);
    put(22552, 0xFF);
    put(22556, 1);
    put(22564, 5);
    put(22572, 10);
    put(22576, 5);
    put(22580, 3);
    put(22584, 128);

    for (std::size_t i = 0; i < buffer.size(); ++i) ASSERT_EQ(buffer[i], expected[i]) << "byte " << i;
    EXPECT_EQ(GetTextField(s.profileName), u"");
}

TEST(SettingsRecords, UnknownTypeCodesAreKeptAsStored) {
    DeviceSettings s;
    ResetToDefaults(s);
    s.bindings[2].type = 3;
    std::vector<std::uint8_t> image(sizeof s);
    std::memcpy(image.data(), &s, sizeof s);
    EXPECT_EQ(WordAt(image.data(), 4 + 2 * 3144), 3u);
}

TEST(SettingsRecords, FunctionDataOverlaysMatchBindingOffsets) {
    ButtonBinding b{};
    b.data.combination.modifiers = 0x05;
    b.data.combination.keyCode = 0x41;
    b.data.combination.combinationCode = 0x00040500;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&b);
    EXPECT_EQ(bytes[8], 0x05);
    EXPECT_EQ(bytes[9], 0x41);
    EXPECT_EQ(WordAt(&b, 12), 0x00040500u);

    ButtonBinding a{};
    a.data.action.actionCode = AdvancedActionCode(kActionOpenProgram, 3);
    SetTextField(a.data.action.targetPath, u"C:\\x.exe");
    EXPECT_EQ(WordAt(&a, 16), 0x00D30006u);
    const auto* abytes = reinterpret_cast<const std::uint8_t*>(&a);
    EXPECT_EQ(abytes[20], 'C');
    EXPECT_EQ(abytes[22], ':');
}

TEST(SettingsRecords, ProfileEntryIsActiveOnlyWithItsMagic) {
    struct Case {
        std::uint32_t magic, active;
        bool expected;
    } cases[] = {{0x0000BEBE, 1, true}, {0x0000BEBE, 0, false}, {0, 1, false}, {0x8080BABA, 1, false}};
    for (const Case& c : cases) {
        ProfileEntry e{};
        e.magic = c.magic;
        e.active = c.active;
        EXPECT_EQ(IsActiveProfile(e), c.expected) << std::hex << c.magic << " " << c.active;
    }
}

TEST(SettingsRecords, ConfigInfoEntriesAre1600BytesApart) {
    ConfigInfo info{};
    info.profiles[3].macroIds[6] = 0x12345678;
    EXPECT_EQ(WordAt(&info, 3 * 1600 + 1572 + 6 * 4), 0x12345678u);
}

}  // namespace
