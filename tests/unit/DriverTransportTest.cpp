#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "device/DriverTransport.h"
#include "device/ProtocolTrace.h"
#include "platform/FakeDriverDevice.h"

namespace {

std::uint32_t WordAt(const std::vector<std::uint8_t>& b, std::size_t offset) { return ReadLE32(b.data() + offset); }

// Every byte that no field claims must be zero.
void ExpectZeroOutside(const std::vector<std::uint8_t>& b, std::initializer_list<std::pair<std::size_t, std::size_t>> fields) {
    ASSERT_EQ(b.size(), sizeof(DriverRequest));
    for (std::size_t i = 0; i < b.size(); ++i) {
        bool claimed = false;
        for (auto [at, size] : fields) claimed = claimed || (i >= at && i < at + size);
        if (!claimed) {
            EXPECT_EQ(b[i], 0) << "byte " << i;
        }
    }
}

class DriverLinkTest : public ::testing::Test {
protected:
    ProtocolLog log;
    CFakeDriverDevice device{log};
    CRecordingPauses pauses{log};
    CDriverLink link{device, pauses};

    void OpenQuietly() {
        link.SetEventSemaphore(0x1234ABCD);
        ASSERT_EQ(link.OpenDriverDevice(), 1);
        log.clear();
    }
};

TEST_F(DriverLinkTest, OpenSetsTheOptionAndRegistersTheSemaphore) {
    link.SetEventSemaphore(0x1234ABCD);
    EXPECT_EQ(link.OpenDriverDevice(), 1);
    EXPECT_TRUE(link.HasDevice());
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].value, IOCTL_SET_OPTION);
    EXPECT_EQ(log[0].bytes, (std::vector<std::uint8_t>{0x0F, 0, 0, 0}));
    EXPECT_EQ(log[1].value, IOCTL_SEND_REQUEST);
    const auto& r = log[1].bytes;
    EXPECT_EQ(WordAt(r, 0), DRV_REGISTER);
    EXPECT_EQ(WordAt(r, 116), 0x6B023F1Cu);
    EXPECT_EQ(WordAt(r, 172), 0x1234ABCDu);
    ExpectZeroOutside(r, {{0, 4}, {116, 4}, {172, 4}});
}

TEST_F(DriverLinkTest, OpenFailsQuietlyWhenTheDeviceIsMissing) {
    device.openFails = true;
    EXPECT_EQ(link.OpenDriverDevice(), 0);
    EXPECT_FALSE(link.HasDevice());
    EXPECT_TRUE(log.empty());
}

TEST_F(DriverLinkTest, RefusedRegistrationClosesTheHandleAgain) {
    device.refuse = [](std::size_t, std::uint32_t code, const std::uint8_t* in, std::size_t) {
        return code == IOCTL_SEND_REQUEST && ReadLE32(in) == DRV_REGISTER;
    };
    EXPECT_EQ(link.OpenDriverDevice(), 0);
    EXPECT_FALSE(link.HasDevice());
    EXPECT_EQ(device.closes, 1);
}

TEST_F(DriverLinkTest, CloseUnregistersOnlyAnOpenDevice) {
    EXPECT_EQ(link.CloseDriverDevice(), 1);
    EXPECT_TRUE(log.empty());

    OpenQuietly();
    EXPECT_EQ(link.CloseDriverDevice(), 1);
    EXPECT_FALSE(link.HasDevice());
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(WordAt(log[0].bytes, 0), DRV_UNREGISTER);
    EXPECT_EQ(WordAt(log[0].bytes, 116), kDeviceIdentity);
    ExpectZeroOutside(log[0].bytes, {{0, 4}, {116, 4}});
}

TEST_F(DriverLinkTest, EnableRequestLayout) {
    OpenQuietly();
    EXPECT_EQ(link.SendEnableRequest(), 1);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(WordAt(log[0].bytes, 0), DRV_ENABLE);
    EXPECT_EQ(WordAt(log[0].bytes, 12), 0x00010004u);
    EXPECT_EQ(WordAt(log[0].bytes, 116), kDeviceIdentity);
    ExpectZeroOutside(log[0].bytes, {{0, 4}, {12, 4}, {116, 4}});
}

TEST_F(DriverLinkTest, SettingPacketLayout) {
    OpenQuietly();
    EXPECT_EQ(link.SendSettingPacket(nullptr), 0);
    EXPECT_TRUE(log.empty());
    SettingPacket p{{0x12, 0x01, 0x00, 0x40, 0x00, 0x00, 0x00, 0x00}};
    EXPECT_EQ(link.SendSettingPacket(&p), 1);
    ASSERT_EQ(log.size(), 1u);
    const auto& r = log[0].bytes;
    EXPECT_EQ(WordAt(r, 0), DRV_SETTING);
    EXPECT_EQ(WordAt(r, 24), 8u);
    EXPECT_EQ(WordAt(r, 28), 0x00020300u);
    EXPECT_EQ(HexBytes(&r[32], 8), "1201004000000000");
    ExpectZeroOutside(r, {{0, 4}, {24, 4}, {28, 4}, {32, 8}, {116, 4}});
}

TEST_F(DriverLinkTest, DataBlockChecksItsArguments) {
    OpenQuietly();
    std::uint8_t data[33];
    for (int i = 0; i < 33; ++i) data[i] = std::uint8_t(0xA0 + i);
    EXPECT_EQ(link.SendDataBlock(data, 33), 0);
    EXPECT_EQ(link.SendDataBlock(nullptr, 16), 0);
    EXPECT_TRUE(log.empty());

    EXPECT_EQ(link.SendDataBlock(data, 16), 1);
    ASSERT_EQ(log.size(), 1u);
    const auto& r = log[0].bytes;
    EXPECT_EQ(WordAt(r, 0), DRV_DATA);
    EXPECT_EQ(WordAt(r, 24), 16u);
    EXPECT_EQ(std::memcmp(&r[32], data, 16), 0);
    ExpectZeroOutside(r, {{0, 4}, {24, 4}, {32, 16}, {116, 4}});  // bytes 48..63 stay zero
}

TEST_F(DriverLinkTest, DataChunksArePacedAndCut) {
    OpenQuietly();
    std::vector<std::uint8_t> data(64);
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = std::uint8_t(i);
    EXPECT_EQ(link.SendDataChunks(data.data(), 48), 0);
    EXPECT_EQ(link.SendDataChunks(nullptr, 64), 0);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(link.SendDataChunks(data.data(), 0), 1);
    EXPECT_TRUE(log.empty());

    EXPECT_EQ(link.SendDataChunks(data.data(), 64), 1);
    EXPECT_EQ(DescribeLog(log), (std::vector<std::string>{
                                    "sleep 20", "data " + HexBytes(&data[0], 32),
                                    "sleep 20", "data " + HexBytes(&data[32], 32)}));
}

TEST_F(DriverLinkTest, DataChunksStopWhenTheHandleGoesOrARequestFails) {
    OpenQuietly();
    std::vector<std::uint8_t> data(96, 0x55);
    device.dropHandleAfter = device.requestCount + 1;
    EXPECT_EQ(link.SendDataChunks(data.data(), 96), 0);
    EXPECT_EQ(DescribeLog(log), (std::vector<std::string>{"sleep 20", "data " + HexBytes(data.data(), 32), "sleep 20"}));

    log.clear();
    device.dropHandleAfter = SIZE_MAX;
    ASSERT_EQ(link.OpenDriverDevice(), 1);
    log.clear();
    std::size_t first = device.requestCount;
    device.refuse = [first](std::size_t index, std::uint32_t, const std::uint8_t*, std::size_t) {
        return index == first + 1;
    };
    EXPECT_EQ(link.SendDataChunks(data.data(), 96), 0);
    EXPECT_EQ(log.size(), 4u);  // two pauses, one good and one refused request, no third chunk
}

TEST_F(DriverLinkTest, EventReadsReuseTheReturnedBuffer) {
    OpenQuietly();
    device.events = {0x4000D300, 0x4000C900};
    DriverEvent buffer = MakeDriverEvent();
    EXPECT_EQ(buffer.deviceIdentity.get(), kDeviceIdentity);
    ASSERT_TRUE(ReadDriverEvent(device, buffer));
    EXPECT_EQ(buffer.eventWord.get(), 0x4000D300u);
    ASSERT_TRUE(ReadDriverEvent(device, buffer));
    EXPECT_EQ(buffer.eventWord.get(), 0x4000C900u);
    ASSERT_EQ(log.size(), 2u);
    // The second read carries what the first one returned.
    EXPECT_EQ(WordAt(log[1].bytes, 0), 0x4000D300u);
    EXPECT_EQ(WordAt(log[1].bytes, 4), kDeviceIdentity);
    EXPECT_EQ(log[1].bytes.size(), 60u);
    EXPECT_FALSE(ReadDriverEvent(device, buffer));  // nothing queued: the read fails
}

TEST(DeviceEventDecoding, ActionBitsButtonAndKind) {
    struct Case {
        std::uint32_t word;
        bool isAction;
        unsigned button, kind;
    } cases[] = {
        {0x4000D300, true, 3, 0xD0},
        {0x4000C900, true, 9, 0xC0},
        {0x0000D300, false, 3, 0xD0},   // bit 30 clear
        {0x40009300, false, 3, 0x90},   // bit 14 clear
        {0x4000F600, true, 6, 0xF0},
        {0x4000C700, true, 7, 0xC0},
    };
    for (const Case& c : cases) {
        DeviceEventAction a = DecodeDeviceEvent(c.word);
        EXPECT_EQ(a.isAction, c.isAction) << std::hex << c.word;
        EXPECT_EQ(a.button, c.button) << std::hex << c.word;
        EXPECT_EQ(a.kind, c.kind) << std::hex << c.word;
    }
}

}  // namespace
