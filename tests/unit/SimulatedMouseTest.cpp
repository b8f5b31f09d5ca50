#include <gtest/gtest.h>

#include "DeviceFixture.h"
#include "device/FunctionTypes.h"
#include "macros/MacroEncoding.h"
#include "macros/MacroStore.h"
#include "virtual-mouse/SimulatedMouse.h"

namespace {

class SimulatedMouseTest : public ::testing::Test {
protected:
    CSimulatedMouse mouse;
    ProtocolLog log;
    CRecordingPauses pauses{log};
    CDriverLink link{mouse, pauses};

    void SetUp() override {
        link.SetEventSemaphore(0x2A4);
        ASSERT_EQ(link.OpenDriverDevice(), 1);
    }
    bool Setting(std::initializer_list<std::uint8_t> bytes) {
        SettingPacket p{};
        std::copy(bytes.begin(), bytes.end(), p.bytes);
        return link.SendSettingPacket(&p) == 1;
    }
    bool Raw(std::uint32_t code, std::vector<std::uint8_t> in, std::size_t outSize = 0) {
        std::vector<std::uint8_t> out(outSize);
        return mouse.Control(code, in.data(), in.size(), outSize ? out.data() : nullptr, outSize);
    }
};

TEST_F(SimulatedMouseTest, OpenRegistersAndEnables) {
    EXPECT_TRUE(mouse.Registered());
    EXPECT_EQ(mouse.SemaphoreHandle(), 0x2A4u);
    EXPECT_EQ(mouse.Option(), 15u);
    EXPECT_FALSE(mouse.Enabled());
    EXPECT_EQ(link.SendEnableRequest(), 1);
    EXPECT_TRUE(mouse.Enabled());
    EXPECT_TRUE(mouse.IsDevicePresent(u"vid_3f1c&pid_6b02"));
    EXPECT_FALSE(mouse.IsDevicePresent(u"VID_046D"));
    link.CloseDriverDevice();
    EXPECT_FALSE(mouse.Registered());
    EXPECT_EQ(mouse.Refusals(), 0);
}

TEST_F(SimulatedMouseTest, UnpluggedMouseIsAbsentAndCannotBeOpened) {
    mouse.SetPlugged(false);
    EXPECT_FALSE(link.HasDevice());
    EXPECT_FALSE(mouse.IsDevicePresent(kMouseHardwareId));
    EXPECT_EQ(link.OpenDriverDevice(), 0);
    mouse.SetPlugged(true);
    EXPECT_EQ(link.OpenDriverDevice(), 1);
}

TEST_F(SimulatedMouseTest, MalformedRequestsAreRefused) {
    std::uint8_t block[32] = {};
    struct Case {
        const char* what;
        std::function<bool()> send;
    } cases[] = {
        {"data without an announcing packet", [&] { return link.SendDataBlock(block, 16) == 1; }},
        {"unknown setting", [&] { return Setting({0x77, 0x01}); }},
        {"button table with a wrong length", [&] { return Setting({0x12, 0x01, 0x00, 0x20, 0x00}); }},
        {"DPI table with a wrong level count", [&] { return Setting({0x11, 0x01, 0x02, 0x10, 0x00}); }},
        {"macro slot 8", [&] { return Setting({0x13, 0x01, 0x08, 0x00, 0x02}); }},
        {"macro slot 0", [&] { return Setting({0x13, 0x01, 0x00, 0x00, 0x02}); }},
        {"short request", [&] { return Raw(IOCTL_SEND_REQUEST, std::vector<std::uint8_t>(179)); }},
        {"request with an output buffer", [&] { return Raw(IOCTL_SEND_REQUEST, std::vector<std::uint8_t>(180), 4); }},
        {"request without identity", [&] {
             DriverRequest r = MakeDriverRequest(DRV_ENABLE);
             r.deviceIdentity = 0;
             r.enableWord = kEnableWord;
             std::vector<std::uint8_t> b(180);
             std::memcpy(b.data(), &r, 180);
             return Raw(IOCTL_SEND_REQUEST, b);
         }},
        {"setting with a wrong payload length", [&] {
             DriverRequest r = MakeDriverRequest(DRV_SETTING);
             r.payloadLength = 7;
             r.settingTag = kSettingTag;
             r.payload[0] = 0x04;
             std::vector<std::uint8_t> b(180);
             std::memcpy(b.data(), &r, 180);
             return Raw(IOCTL_SEND_REQUEST, b);
         }},
        {"unknown control code", [&] { return Raw(0x222414, std::vector<std::uint8_t>(4)); }},
        {"event read with nothing queued", [&] { return Raw(IOCTL_READ_EVENT, std::vector<std::uint8_t>(60), 60); }},
        {"event read of the wrong size", [&] {
             mouse.QueueEvent(1);
             return Raw(IOCTL_READ_EVENT, std::vector<std::uint8_t>(56), 56);
         }},
    };
    for (const Case& c : cases) {
        int before = mouse.Refusals();
        EXPECT_FALSE(c.send()) << c.what;
        EXPECT_EQ(mouse.Refusals(), before + 1) << c.what;
    }
    EXPECT_FALSE(mouse.GetState().buttonTableWritten);
}

TEST_F(SimulatedMouseTest, DataBeyondTheAnnouncedLengthIsRefusedAndNothingApplied) {
    std::uint8_t dpi[32];
    std::memset(dpi, 0x02, sizeof dpi);
    ASSERT_TRUE(Setting({0x11, 0x01, 0x03, 0x10, 0x00}));
    EXPECT_EQ(link.SendDataBlock(dpi, 32), 0);
    EXPECT_FALSE(mouse.GetState().dpiTableWritten);
    // Announced, then interrupted by another setting: the partial table is dropped.
    ASSERT_TRUE(Setting({0x12, 0x01, 0x00, 0x40, 0x00}));
    EXPECT_EQ(link.SendDataBlock(dpi, 32), 1);
    ASSERT_TRUE(Setting({0x04, 0x80}));
    EXPECT_EQ(link.SendDataBlock(dpi, 32), 0);
    EXPECT_FALSE(mouse.GetState().buttonTableWritten);
    EXPECT_EQ(mouse.GetState().liftHeight, 0x80);
}

TEST_F(SimulatedMouseTest, QueuedEventsAreReadInOrder) {
    mouse.QueueEvent(0x4000D300);
    mouse.QueueEvent(0x4000C900);
    DriverEvent e = MakeDriverEvent();
    ASSERT_TRUE(ReadDriverEvent(mouse, e));
    EXPECT_EQ(e.eventWord.get(), 0x4000D300u);
    EXPECT_EQ(e.deviceIdentity.get(), kDeviceIdentity);
    ASSERT_TRUE(ReadDriverEvent(mouse, e));
    EXPECT_EQ(e.eventWord.get(), 0x4000C900u);
    EXPECT_FALSE(ReadDriverEvent(mouse, e));
}

// The whole apply path through the recording device into the simulated mouse.
struct MouseHolder {
    CSimulatedMouse mouse_;
};
// The mouse is built before the fixture that sends into it.
class WriteThroughMouseTest : public ::testing::Test, public MouseHolder, public DeviceFixture {
protected:
    WriteThroughMouseTest() : DeviceFixture(&mouse_) {}
};

TEST_F(WriteThroughMouseTest, MouseEndsWithTheStateTheProfileDescribes) {
    UseDefaultProfile();
    OpenLink();
    settings->dpiLevels[0] = 250;
    settings->dpiLevels[1] = 1500;
    settings->dpiLevels[2] = 0;
    settings->customColorInUse = 0;
    settings->presetColor = 0x00804020;  // blue 0x80, green 0x40, red 0x20
    settings->lightingEffect = 2;
    settings->lightingSpeed = 4;
    settings->reportRate = 8;
    settings->liftHeight = 140;
    settings->bindings[3].type = FunctionType::Macro;
    config->profiles[0].macroIds[3] = 0xBEEF;
    MacroRecord macro = MacroRecord::Build(0xBEEF, u"m", 2, {MakeMacroEvent(EV_KEY_DOWN, 0x41),
                                                            MakeMacroEvent(EV_DELAY, 5000),
                                                            MakeMacroEvent(EV_KEY_UP, 0x41)});
    ASSERT_TRUE(SaveMacro(registry, macro));
    settings->bindings[6].type = FunctionType::VolumeDown;

    ASSERT_EQ(writer.WriteSettingsToDevice(true), 1);
    const CSimulatedMouse::State& m = mouse_.GetState();
    EXPECT_EQ(mouse_.Refusals(), 0) << mouse_.LastRefusal();
    const std::uint32_t table[16] = {0x00F00001, 0x00F10001, 0x00F20001, 0x00030007, MacroDeviceCode(1, 5),
                                     0x00F30001, 0, 0, 0, 0, 0, 0, 0, 0, 0x00010004, 0x00EA0003};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(m.buttonTable[std::size_t(i)], table[i]) << "slot " << i;
    EXPECT_EQ(HexBytes(m.dpiTable.data(), 16), "01068080808080800106808080808080");
    EXPECT_EQ(m.red, 0x20);
    EXPECT_EQ(m.green, 0x40);
    EXPECT_EQ(m.blue, 0x80);
    EXPECT_EQ(m.effect, (std::array<std::uint8_t, 3>{2, 4, 1}));
    EXPECT_EQ(m.reportInterval, 8);
    EXPECT_EQ(m.liftHeight, 140);
    ASSERT_TRUE(m.macroWritten[0]);
    MacroBuffer expected;
    EncodeMacro(macro, expected);
    EXPECT_EQ(HexBytes(m.macroSlots[0].data(), 512), HexBytes(expected.data(), 512));
    EXPECT_EQ(HexBytes(expected.data(), 10), "00020104000100FA8104");
    for (std::size_t slot = 1; slot < 7; ++slot) EXPECT_FALSE(m.macroWritten[slot]);
}

}  // namespace
