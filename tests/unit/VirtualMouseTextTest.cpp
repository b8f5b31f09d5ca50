// The virtual mouse process's command line, request log lines, state JSON and
// the event words of control presses.
#include <gtest/gtest.h>

#include <cstring>

#include "device/DriverTransport.h"
#include "device/ProtocolTrace.h"
#include "platform/ProtocolLog.h"
#include "virtual-mouse/VirtualMouseText.h"

namespace {

TEST(VirtualMouseCommandLine, CommandsAndErrors) {
    using K = VirtualMouseCommand::Kind;
    struct Case {
        std::vector<std::string> args;
        K kind;
        bool unplugged;
        unsigned control;
    } cases[] = {
        {{}, K::Run, false, 0},
        {{"--unplugged"}, K::Run, true, 0},
        {{"plug"}, K::Plug, false, 0},
        {{"unplug"}, K::Unplug, false, 0},
        {{"state"}, K::State, false, 0},
        {{"quit"}, K::Quit, false, 0},
        {{"press", "0"}, K::Press, false, 0},
        {{"press", "6"}, K::Press, false, 6},
        {{"press", "7"}, K::Invalid, false, 0},
        {{"press", "-1"}, K::Invalid, false, 0},
        {{"press", "03"}, K::Invalid, false, 0},
        {{"press"}, K::Invalid, false, 0},
        {{"press", "1", "2"}, K::Invalid, false, 0},
        {{"state", "x"}, K::Invalid, false, 0},
        {{"--plugged"}, K::Invalid, false, 0},
        {{"Plug"}, K::Invalid, false, 0},
    };
    for (const Case& c : cases) {
        std::string what = c.args.empty() ? "(none)" : c.args[0] + (c.args.size() > 1 ? " " + c.args[1] : "");
        VirtualMouseCommand cmd = ParseVirtualMouseCommand(c.args);
        EXPECT_EQ(cmd.kind, c.kind) << what;
        EXPECT_EQ(cmd.startUnplugged, c.unplugged) << what;
        EXPECT_EQ(cmd.control, c.control) << what;
        EXPECT_EQ(cmd.error.empty(), c.kind != K::Invalid) << what;
    }
}

std::vector<std::uint8_t> Bytes(const DriverRequest& r) {
    std::vector<std::uint8_t> b(sizeof r);
    std::memcpy(b.data(), &r, sizeof r);
    return b;
}

TEST(VirtualMouseLog, OneLinePerRequestWithItsPayload) {
    DriverRequest reg = MakeDriverRequest(DRV_REGISTER);
    reg.semaphoreHandle = 0x2A4;
    DriverRequest setting = MakeDriverRequest(DRV_SETTING);
    setting.payloadLength = 8;
    setting.settingTag = kSettingTag;
    const std::uint8_t colour[8] = {0x0C, 0x01, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00};
    std::memcpy(setting.payload, colour, 8);
    DriverRequest data = MakeDriverRequest(DRV_DATA);
    data.payloadLength = 3;
    data.payload[0] = 0x02;
    data.payload[1] = 0x04;
    data.payload[2] = 0x08;
    data.payload[3] = 0x99;  // beyond the length: not logged
    DriverRequest longData = data;
    longData.payloadLength = 4000;  // as far as the payload field goes
    DriverRequest odd = MakeDriverRequest(77);
    const std::uint8_t option[4] = {0x0F, 0, 0, 0};
    std::vector<std::uint8_t> event(sizeof(DriverEvent));

    struct Case {
        std::uint64_t ms;
        std::uint32_t code;
        std::vector<std::uint8_t> in;
        std::string line;
    } cases[] = {
        {0, IOCTL_SET_OPTION, {option, option + 4}, "0 0x222410 option 0F000000"},
        {3, IOCTL_SEND_REQUEST, Bytes(reg), "3 0x22240C register"},
        {4, IOCTL_SEND_REQUEST, Bytes(MakeDriverRequest(DRV_ENABLE)), "4 0x22240C enable"},
        {5, IOCTL_SEND_REQUEST, Bytes(MakeDriverRequest(DRV_UNREGISTER)), "5 0x22240C unregister"},
        {1520, IOCTL_SEND_REQUEST, Bytes(setting), "1520 0x22240C setting 0C0100FF00000000"},
        {86400000, IOCTL_SEND_REQUEST, Bytes(data), "86400000 0x22240C data 020408"},
        {7, IOCTL_SEND_REQUEST, Bytes(longData), "7 0x22240C data 0204089900000000000000000000000000000000000000000000000000000000"},
        {8, IOCTL_SEND_REQUEST, Bytes(odd), "8 0x22240C command-77"},
        {9, IOCTL_SEND_REQUEST, std::vector<std::uint8_t>(179), "9 0x22240C unknown"},
        {10, IOCTL_READ_EVENT, event, "10 0x222408 read-event"},
        {11, 0x222414, {}, "11 0x222414 unknown"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatRequestLogLine(c.ms, c.code, c.in.empty() ? nullptr : c.in.data(), c.in.size()), c.line);
}

TEST(VirtualMouseState, JsonOfAFreshAndAWrittenMouse) {
    CSimulatedMouse mouse;
    EXPECT_EQ(RenderStateJson(mouse, false),
              "{\n"
              "  \"plugged\": false,\n"
              "  \"registered\": false,\n"
              "  \"enabled\": false,\n"
              "  \"buttons\": [\"00000000\", \"00000000\", \"00000000\", \"00000000\", \"00000000\", \"00000000\", "
              "\"00000000\", \"00000000\", \"00000000\", \"00000000\", \"00000000\", \"00000000\", \"00000000\", "
              "\"00000000\", \"00000000\", \"00000000\"],\n"
              "  \"macros\": [null, null, null, null, null, null, null],\n"
              "  \"dpi\": \"00000000000000000000000000000000\",\n"
              "  \"color\": [0, 0, 0],\n"
              "  \"effect\": [0, 0, 0],\n"
              "  \"interval\": 0,\n"
              "  \"lift\": 0\n"
              "}\n");

    ProtocolLog log;
    CRecordingPauses pauses(log);
    CDriverLink link(mouse, pauses);
    ASSERT_EQ(link.OpenDriverDevice(), 1);
    ASSERT_EQ(link.SendEnableRequest(), 1);
    auto send = [&](std::initializer_list<std::uint8_t> bytes) {
        SettingPacket p{};
        std::copy(bytes.begin(), bytes.end(), p.bytes);
        return link.SendSettingPacket(&p);
    };
    ASSERT_EQ(send({0x0C, 0x01, 0x40, 0x20, 0x80}), 1);
    ASSERT_EQ(send({0x0D, 0x01, 0x04, 0x00, 0x00}), 1);
    ASSERT_EQ(send({0x01, 0x08}), 1);
    ASSERT_EQ(send({0x04, 0x80}), 1);
    std::uint8_t table[64] = {};
    WriteLE32(table, 0x00F00001);
    WriteLE32(table + 4 * 15, 0x00D30006);
    ASSERT_EQ(send({0x12, 0x01, 0x00, 0x40, 0x00}), 1);
    ASSERT_EQ(link.SendDataChunks(table, 64), 1);
    std::uint8_t macro[512] = {};
    macro[0] = 0xAB;
    macro[511] = 0xCD;
    ASSERT_EQ(send({0x13, 0x01, 0x02, 0x00, 0x02}), 1);
    ASSERT_EQ(link.SendDataChunks(macro, 512), 1);
    const std::uint8_t dpi[16] = {2, 4, 8, 0x80, 0x80, 0x80, 0x80, 0x80, 2, 4, 8, 0x80, 0x80, 0x80, 0x80, 0x80};
    ASSERT_EQ(send({0x11, 0x01, 0x03, 0x10, 0x00}), 1);
    ASSERT_EQ(link.SendDataBlock(dpi, 16), 1);

    std::string json = RenderStateJson(mouse, true);
    std::string macroHex = "AB" + std::string(1020, '0') + "CD";
    for (const std::string& part : {
             std::string("\"plugged\": true,\n  \"registered\": true,\n  \"enabled\": true,\n"),
             std::string("\"buttons\": [\"00F00001\", \"00000000\""),
             std::string("\"00000000\", \"00D30006\"],\n"),
             "\"macros\": [null, \"" + macroHex + "\", null, null, null, null, null],\n",
             std::string("\"dpi\": \"02040880808080800204088080808080\",\n"),
             std::string("\"color\": [32, 64, 128],\n"),
             std::string("\"effect\": [4, 0, 0],\n"),
             std::string("\"interval\": 8,\n  \"lift\": 128\n}\n"),
         })
        EXPECT_NE(json.find(part), std::string::npos) << part.substr(0, 80);
}

TEST(VirtualMousePress, OnlyProgramActionCodesBecomeEvents) {
    struct Case {
        std::uint32_t code;
        std::optional<std::uint32_t> word;
    } cases[] = {
        {0x00D30006, 0x4000D300u},  // open a program from button 3
        {0x00C00006, 0x4000C000u},  // play a sound from button 0
        {0x00F60006, 0x4000F600u},
        {0x01C90006, 0x4000C900u},  // desktop screenshot
        {0x01CB0006, 0x4000CB00u},
        {0x00F00001, std::nullopt},  // left click
        {0x00010004, std::nullopt},  // wheel up
        {0x00CD0003, std::nullopt},  // play/pause
        {0x00060100, std::nullopt},  // Ctrl+C
        {0x05010009, std::nullopt},  // macro
        {0x00000000, std::nullopt},  // empty slot
    };
    for (const Case& c : cases) EXPECT_EQ(PressEventWord(c.code), c.word) << std::hex << c.code;
    const unsigned slots[7] = {0, 1, 2, 4, 5, 14, 15};
    for (unsigned i = 0; i < 7; ++i) EXPECT_EQ(ControlSlot(i), slots[i]) << i;
}

}  // namespace
