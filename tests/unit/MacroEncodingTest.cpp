#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "device/ProtocolTrace.h"
#include "macros/MacroEncoding.h"
#include "platform/FakeDriverDevice.h"

namespace {

constexpr std::uint32_t Down(std::uint32_t vk) { return MakeMacroEvent(EV_KEY_DOWN, vk); }
constexpr std::uint32_t Up(std::uint32_t vk) { return MakeMacroEvent(EV_KEY_UP, vk); }
constexpr std::uint32_t Delay(std::uint32_t ms) { return MakeMacroEvent(EV_DELAY, ms); }

MacroRecord Record(std::uint32_t repeat, const std::vector<std::uint32_t>& events) {
    return MacroRecord::Build(0x12AB34, u"m", repeat, events);
}

// The buffer as hex, and a check that every byte after `usedBytes` is zero.
std::string Encoded(const MacroRecord& record, std::size_t& entries) {
    MacroBuffer buffer;
    buffer.fill(0xCC);  // encoding must clear what it does not write
    entries = EncodeMacro(record, buffer);
    for (std::size_t i = entries * 2; i < buffer.size(); ++i) EXPECT_EQ(buffer[i], 0) << "byte " << i;
    return HexBytes(buffer.data(), entries * 2);
}

TEST(MacroEncoding, ByteExamples) {
    struct Case {
        const char* what;
        std::uint32_t repeat;
        std::vector<std::uint32_t> events;
        const char* hex;  // the used entries, header first
    } cases[] = {
        {"press, 100 ms folded, release", 1, {Down(0x41), Delay(100), Up(0x41)}, "0001" "0B04" "8104"},
        {"single key press", 0xFFFE, {Down(0x41)}, "FFFE" "0104"},
        {"1270 ms is the largest folded pause", 1, {Down(0x41), Delay(1270)}, "0001" "8004"},
        {"1271 ms takes 20 ms units", 1, {Down(0x41), Delay(1271)}, "0001" "0104" "0001" "003F"},
        {"1310700 ms is the last in 20 ms units", 1, {Down(0x41), Delay(1310700)}, "0001" "0104" "0001" "FFFF"},
        {"1310701 ms takes 50 ms units", 1, {Down(0x41), Delay(1310701)}, "0001" "0104" "0002" "6666"},
        {"3276750 ms is the last in 50 ms units", 1, {Down(0x41), Delay(3276750)}, "0001" "0104" "0002" "FFFF"},
        {"3276751 ms takes 100 ms units", 1, {Down(0x41), Delay(3276751)}, "0001" "0104" "0003" "7FFF"},
        {"6553500 ms is the longest pause", 1, {Down(0x41), Delay(6553500)}, "0001" "0104" "0003" "FFFF"},
        {"6553501 ms is lost in an empty entry", 1, {Down(0x41), Delay(6553501), Up(0x41)}, "0001" "0104" "0000" "8104"},
        {"a leading pause counts its low 16 bits in 100 ms", 1, {Delay(70000), Down(0x41)}, "0001" "0003" "002C" "0104"},
        {"a leading short pause is not folded", 1, {Delay(500), Down(0x41)}, "0001" "0003" "0005" "0104"},
        {"folding wraps in 8 bits", 1, {Up(0x41), Delay(1270)}, "0001" "0004"},
        {"two folded pauses add up", 1, {Down(0x41), Delay(50), Delay(30)}, "0001" "0904"},
        {"side-neutral Shift has no usage", 1, {Down(0x10), Up(0x10)}, "0001" "0100" "8100"},
        {"side-specific modifiers", 1, {Down(0xA0), Down(0xA5)}, "0001" "01E1" "01E6"},
        {"mouse buttons", 1, {Down(0x01), Down(0x02), Down(0x04)}, "0001" "01F0" "01F1" "01F2"},
        {"an unknown event type leaves an empty entry", 1, {0x55000041, Down(0x41)}, "0001" "0000" "0104"},
        {"repeat count is big-endian, low 16 bits", 0x12345, {Down(0x41)}, "2345" "0104"},
        {"no events", 7, {}, "0007"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::size_t entries = 0;
        EXPECT_EQ(Encoded(Record(c.repeat, c.events), entries), c.hex);
        EXPECT_EQ(entries, std::string(c.hex).size() / 4);
    }
}

TEST(MacroEncoding, CapacityEndsEncodingAtTheFirstEventThatDoesNotFit) {
    // 254 key steps fill entries 1..254; a long pause then needs two entries
    // and only one is left, so it and everything after it is dropped.
    std::vector<std::uint32_t> events(254, Down(0x41));
    events.push_back(Delay(5000));
    events.push_back(Up(0x41));
    std::size_t entries = 0;
    std::string hex = Encoded(Record(1, events), entries);
    EXPECT_EQ(entries, 255u);
    EXPECT_EQ(hex.substr(hex.size() - 4), "0104");

    // A key step still fits in the last entry; a folded pause needs none.
    events.resize(254);
    events.push_back(Up(0x41));
    events.push_back(Delay(100));
    events.push_back(Down(0x42));
    hex = Encoded(Record(1, events), entries);
    EXPECT_EQ(entries, 256u);
    EXPECT_EQ(hex.substr(hex.size() - 4), "8B04");

    // Far more events than entries: never more than 256 entries used.
    std::vector<std::uint32_t> many(1000, Down(0x41));
    EXPECT_EQ(EncodeMacro(Record(1, many), *std::make_unique<MacroBuffer>()), 256u);
}

TEST(MacroEncoding, CountFieldBeyondTheRecordIsClipped) {
    MacroRecord r = Record(1, {Down(0x41), Up(0x41)});
    WriteLE32(&r.Bytes()[60], 5000);  // claims far more events than the value holds
    std::size_t entries = 0;
    EXPECT_EQ(Encoded(r, entries), "0001" "0104" "8104");
}

class MacroWriteTest : public ::testing::Test {
protected:
    ProtocolLog log;
    CFakeDriverDevice device{log};
    CRecordingPauses pauses{log};
    CDriverLink link{device, pauses};
    void SetUp() override {
        ASSERT_EQ(link.OpenDriverDevice(), 1);
        log.clear();
    }
};

TEST_F(MacroWriteTest, AnnouncesPausesAndSendsSixteenChunks) {
    MacroRecord r = Record(1, {Down(0x41), Delay(100), Up(0x41)});
    EXPECT_EQ(WriteMacroToDevice(link, 3, &r), 3u);
    std::vector<std::string> lines = DescribeLog(log);
    ASSERT_EQ(lines.size(), 2u + 32u);
    EXPECT_EQ(lines[0], "setting 1301030002000000");
    EXPECT_EQ(lines[1], "sleep 10");
    EXPECT_EQ(lines[2], "sleep 20");
    EXPECT_EQ(lines[3], "data 00010B04810400000000000000000000" "00000000000000000000000000000000");
    for (std::size_t i = 2; i < lines.size(); i += 2) {
        EXPECT_EQ(lines[i], "sleep 20");
        if (i > 2) {
            EXPECT_EQ(lines[i + 1], "data " + std::string(64, '0'));
        }
    }
    EXPECT_EQ(MacroDeviceCode(3, 3), 0x03030009u);
}

TEST_F(MacroWriteTest, NothingIsSentWithoutRecordBeyondSlotSevenOrWithoutDevice) {
    MacroRecord r = Record(1, {Down(0x41)});
    EXPECT_EQ(WriteMacroToDevice(link, 1, nullptr), 0u);
    EXPECT_EQ(WriteMacroToDevice(link, 8, &r), 2u);
    EXPECT_TRUE(log.empty());
    link.CloseDriverDevice();
    log.clear();
    EXPECT_EQ(WriteMacroToDevice(link, 1, &r), 2u);
    EXPECT_TRUE(log.empty());
}

TEST_F(MacroWriteTest, RefusedAnnouncementSendsNoData) {
    device.refuse = [](std::size_t, std::uint32_t, const std::uint8_t*, std::size_t) { return true; };
    MacroRecord r = Record(1, {Down(0x41)});
    EXPECT_EQ(WriteMacroToDevice(link, 1, &r), 2u);
    EXPECT_EQ(DescribeLog(log), (std::vector<std::string>{"setting 1301010002000000 (refused)"}));
}

}  // namespace
