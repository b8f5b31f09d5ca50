#include <gtest/gtest.h>

#include "DeviceFixture.h"
#include "device/FunctionTypes.h"
#include "macros/MacroEncoding.h"
#include "macros/MacroStore.h"

namespace {

constexpr std::uint32_t Down(std::uint32_t vk) { return MakeMacroEvent(EV_KEY_DOWN, vk); }
constexpr std::uint32_t Up(std::uint32_t vk) { return MakeMacroEvent(EV_KEY_UP, vk); }
constexpr std::uint32_t Delay(std::uint32_t ms) { return MakeMacroEvent(EV_DELAY, ms); }

const std::vector<std::string> kButtonPassWithProgress = {
    "progress-open", "progress 0",  "progress 10", "progress 0",  "sleep 3", "progress 4",  "sleep 3",
    "progress 8",    "sleep 3",     "progress 12", "sleep 3",     "progress 16", "sleep 3", "progress 20",
    "sleep 3",       "progress 24", "sleep 3",
};
const std::string kDefaultTableFirst = "data 0100F0000100F1000100F20007000300" "0100F4000100F3000000000000000000";
const std::string kDefaultTableSecond = "data 00000000000000000000000000000000" "00000000000000000400010004000200";

std::vector<std::string> Concat(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class WriteSequenceTest : public ::testing::Test, public DeviceFixture {
protected:
    void SetUp() override {
        UseDefaultProfile();
        OpenLink();
        RegKey key;
        bool created;
        registry.CreateKey(kSettingsKey, kSettingsKeyAccess, key, created);
        registry.CloseKey(key);
    }
    bool ConfigInfoStored() {
        std::uint32_t type;
        std::vector<std::uint8_t> data;
        return registry.GetValue(kSettingsKey, u"ConfigInfo", type, data);
    }
};

TEST_F(WriteSequenceTest, FullDefaultWriteRequestByRequestAndPauseByPause) {
    ASSERT_EQ(writer.WriteSettingsToDevice(true), 1);
    std::vector<std::string> expected = Concat(kButtonPassWithProgress, {
        "setting 1201004000000000", "sleep 10",
        "sleep 20", kDefaultTableFirst, "sleep 20", kDefaultTableSecond,
        "progress 40", "sleep 10",
        "setting 0C0100FF00000000", "progress 50", "sleep 10",
        "setting 0D01040000000000", "progress 60", "sleep 10",
        "setting 1101031000000000", "sleep 10", "data 02040880808080800204088080808080",
        "progress 70", "sleep 10",
        "setting 0101000000000000", "progress 80", "sleep 10",
        "setting 0480000000000000", "progress 90", "sleep 10",
        "progress 95", "sleep 10",
        "progress 100", "sleep 700", "progress-close",
    });
    EXPECT_EQ(Lines(), expected);
    for (const ProtocolStep& step : log) {
        if (step.kind != ProtocolStep::Request) continue;
        ASSERT_EQ(step.value, IOCTL_SEND_REQUEST);
        ASSERT_EQ(step.bytes.size(), sizeof(DriverRequest));
        EXPECT_EQ(ReadLE32(&step.bytes[116]), kDeviceIdentity);
    }

    EXPECT_EQ(pointer.mouse, (std::vector<std::array<int, 3>>{{0, 0, 0}}));
    EXPECT_EQ(pointer.speeds, (std::vector<int>{10}));

    std::uint32_t type = 0;
    std::vector<std::uint8_t> stored;
    ASSERT_TRUE(registry.GetValue(kSettingsKey, u"ConfigInfo", type, stored));
    EXPECT_EQ(type, kRegBinary);
    ASSERT_EQ(stored.size(), 8000u);
    EXPECT_EQ(std::memcmp(stored.data(), &*config, 8000), 0);

    EXPECT_EQ(files.files[store.ProfilePath(0)], EncodeProfileFile(*settings, 0));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(WriteSequenceTest, DefaultButtonTableSlots) {
    ASSERT_EQ(writer.WriteSettingsToDevice(false), 1);
    const ButtonTable& t = writer.LastButtonTable();
    const std::uint32_t expected[16] = {0x00F00001, 0x00F10001, 0x00F20001, 0x00030007, 0x00F40001, 0x00F30001,
                                        0, 0, 0, 0, 0, 0, 0, 0, 0x00010004, 0x00020004};
    for (int slot = 0; slot < 16; ++slot) EXPECT_EQ(ButtonTableSlot(t, slot), expected[slot]) << "slot " << slot;
}

TEST_F(WriteSequenceTest, WithoutProgressThereIsNoDialogAndNoFinalPause) {
    ASSERT_EQ(writer.WriteSettingsToDevice(false), 1);
    for (const std::string& line : Lines()) {
        EXPECT_EQ(line.rfind("progress", 0), std::string::npos) << line;
        EXPECT_NE(line, "sleep 700");
    }
    EXPECT_EQ(Lines().front(), "sleep 3");
}

TEST_F(WriteSequenceTest, AbsentMouseSendsNothing) {
    device.present = false;
    EXPECT_EQ(writer.WriteSettingsToDevice(true), 0);
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(ConfigInfoStored());
    EXPECT_TRUE(files.writes.empty());
}

TEST_F(WriteSequenceTest, NullHandleAtTheButtonTableAbortsBeforeAnyRequest) {
    device.Close();
    EXPECT_EQ(writer.WriteSettingsToDevice(true), 0);
    EXPECT_EQ(Lines(), Concat(kButtonPassWithProgress, {"progress-close"}));
    EXPECT_FALSE(ConfigInfoStored());
    EXPECT_TRUE(files.writes.empty());
    EXPECT_TRUE(pointer.speeds.empty());
}

TEST_F(WriteSequenceTest, RequiredRequestsAbortTheWrite) {
    struct Case {
        const char* what;
        std::string refused;                 // the line of the refused request
        std::vector<std::string> tail;       // what comes after the button pass
    } cases[] = {
        {"button table header", "setting 1201004000000000",
         {"setting 1201004000000000 (refused)", "progress-close"}},
        {"second chunk of the button table", kDefaultTableSecond,
         {"setting 1201004000000000", "sleep 10", "sleep 20", kDefaultTableFirst, "sleep 20",
          kDefaultTableSecond + " (refused)", "progress-close"}},
        {"lift height", "setting 0480000000000000",
         {"setting 1201004000000000", "sleep 10", "sleep 20", kDefaultTableFirst, "sleep 20", kDefaultTableSecond,
          "progress 40", "sleep 10", "setting 0C0100FF00000000", "progress 50", "sleep 10",
          "setting 0D01040000000000", "progress 60", "sleep 10", "setting 1101031000000000", "sleep 10",
          "data 02040880808080800204088080808080", "progress 70", "sleep 10", "setting 0101000000000000",
          "progress 80", "sleep 10", "setting 0480000000000000 (refused)", "progress-close"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        log.clear();
        files.writes.clear();
        std::string refused = c.refused;
        device.refuse = [refused](std::size_t, std::uint32_t code, const std::uint8_t* in, std::size_t size) {
            ProtocolStep step{ProtocolStep::Request, code, std::vector<std::uint8_t>(in, in + size), true};
            return DescribeStep(step) == refused;
        };
        EXPECT_EQ(writer.WriteSettingsToDevice(true), 0);
        EXPECT_EQ(Lines(), Concat(kButtonPassWithProgress, c.tail));
        EXPECT_FALSE(ConfigInfoStored());
        EXPECT_TRUE(files.writes.empty());
        EXPECT_TRUE(pointer.speeds.empty());
    }
}

TEST_F(WriteSequenceTest, BestEffortRequestsDoNotAbort) {
    // Colour, effect, DPI header and report interval refused: the write goes on.
    device.refuse = [](std::size_t, std::uint32_t, const std::uint8_t* in, std::size_t size) {
        if (size != sizeof(DriverRequest) || ReadLE32(in) != DRV_SETTING) return false;
        std::uint8_t id = in[32];
        return id == 0x0C || id == 0x0D || id == 0x11 || id == 0x01;
    };
    EXPECT_EQ(writer.WriteSettingsToDevice(false), 1);
    std::vector<std::string> lines = Lines();
    std::vector<std::string> afterTable(lines.begin() + 7 + 6, lines.end());
    EXPECT_EQ(afterTable, (std::vector<std::string>{
                              "setting 0C0100FF00000000 (refused)", "setting 0D01040000000000 (refused)",
                              "setting 1101031000000000 (refused)",  // no pause, no DPI data
                              "setting 0101000000000000 (refused)", "setting 0480000000000000"}));
    EXPECT_TRUE(ConfigInfoStored());
    EXPECT_EQ(files.writes.size(), 1u);
}

TEST_F(WriteSequenceTest, RegistryAndFileProblemsDoNotFailTheWrite) {
    registry.deniedKeys.insert(kSettingsKey);
    files.openFaults[store.ProfilePath(0)] = FileStatus::Failed;
    EXPECT_EQ(writer.WriteSettingsToDevice(false), 1);
    EXPECT_FALSE(ConfigInfoStored());
    EXPECT_TRUE(files.writes.empty());
    ASSERT_FALSE(registry.accesses.empty());
    EXPECT_EQ(registry.accesses.back().access, 0x2001Fu);
}

TEST(DeviceCodes, EveryTypeWithACodeAndThoseWithout) {
    struct Case {
        std::uint32_t type;
        std::uint32_t code;  // 0: none
    } cases[] = {
        {1, 0x00F00001},  {2, 0x00F10001},  {4, 0x00F20001},  {8, 0x00F40001},  {16, 0x00F30001},
        {11, 0x00010004}, {22, 0x00020004}, {32, 0x00CD0003}, {33, 0x00B70003}, {34, 0x00B60003},
        {35, 0x00B50003}, {37, 0x00E90003}, {38, 0x00EA0003}, {39, 0x00E20003}, {64, 0x001B0100},
        {65, 0x00060100}, {66, 0x00190100}, {67, 0x001D0100}, {68, 0x00040100}, {69, 0x00090100},
        {70, 0x00110100}, {71, 0x00130100}, {72, 0x00160100}, {81, 0x003D0400}, {82, 0x000F0800},
        {84, 0x00150800}, {85, 0x00070800}, {116, 0x01C90006}, {117, 0x01CA0006}, {118, 0x01CB0006},
        {122, 0x00000800}, {123, 0x00100800}, {124, 0x002B0400}, {125, 0x00140800}, {126, 0x00570800},
        {127, 0x00560800}, {3, 0}, {12, 0}, {86, 0}, {87, 0}, {121, 0}, {133, 0}, {0, 0}, {9999, 0},
    };
    ButtonBinding b;
    std::memset(&b, 0, sizeof b);
    for (const Case& c : cases) {
        b.type = c.type;
        std::optional<std::uint32_t> code = DeviceCodeForBinding(b);
        if (c.code == 0) {
            EXPECT_FALSE(code) << c.type;
        } else {
            ASSERT_TRUE(code) << c.type;
            EXPECT_EQ(*code, c.code) << c.type;
        }
    }
    b.type = FunctionType::Combination;
    b.data.combination.combinationCode = 0x00040500;
    EXPECT_EQ(DeviceCodeForBinding(b), 0x00040500u);
    b.type = FunctionType::AdvancedAction;
    b.data.action.actionCode = AdvancedActionCode(kActionOpenProgram, 3);
    EXPECT_EQ(DeviceCodeForBinding(b), 0x00D30006u);
}

TEST(SettingPackets, DpiTables) {
    struct Case {
        std::uint32_t levels[3];
        const char* hex;
    } cases[] = {
        {{500, 1000, 2000}, "02040880808080800204088080808080"},
        {{250, 0, 0}, "01808080808080800180808080808080"},
        {{1250, 1500, 2500}, "05062580808080800506258080808080"},
        {{3000, 750, 0}, "26808080808080802680808080808080"},
    };
    auto s = std::make_unique<DeviceSettings>();
    ResetToDefaults(*s);
    for (const Case& c : cases) {
        for (int i = 0; i < 3; ++i) s->dpiLevels[i] = c.levels[i];
        DpiTable t = BuildDpiTable(*s);
        EXPECT_EQ(HexBytes(t.data(), t.size()), c.hex);
    }
}

TEST(SettingPackets, Lighting) {
    struct Case {
        const char* what;
        std::uint32_t effect, brightness, speed, customInUse, custom, preset;
        const char* colour;
        const char* effectPacket;
    } cases[] = {
        {"defaults", 5, 5, 3, 1, 0x000000FF, 0x000000FF, "0C0100FF00000000", "0D01040000000000"},
        {"steady, brightness 0", 1, 0, 3, 1, 0x00FF0000, 0, "0C010000FF000000", "0D01000000000000"},
        {"steady, brightness 7", 1, 7, 3, 1, 0x00332211, 0, "0C01221133000000", "0D01010701000000"},
        {"breathing, speed 4, preset colour", 2, 5, 4, 0, 0x000000FF, 0x00332211, "0C01221133000000",
         "0D01020401000000"},
        {"APM breathing", 3, 5, 3, 1, 0x0000FF00, 0, "0C01FF0000000000", "0D01030203000000"},
        {"colour cycle", 4, 5, 3, 1, 0, 0, "0C01000000000000", "0D01020A02000000"},
        {"unknown effect", 9, 5, 3, 1, 0, 0, "0C01000000000000", "0D01000000000000"},
    };
    auto s = std::make_unique<DeviceSettings>();
    ResetToDefaults(*s);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        s->lightingEffect = c.effect;
        s->lightingBrightness = c.brightness;
        s->lightingSpeed = c.speed;
        s->customColorInUse = c.customInUse;
        s->customColor = c.custom;
        s->presetColor = c.preset;
        EXPECT_EQ(HexBytes(LightingColourPacket(*s).bytes, 8), c.colour);
        EXPECT_EQ(HexBytes(LightingEffectPacket(*s).bytes, 8), c.effectPacket);
    }
    s->reportRate = 8;
    s->liftHeight = 143;
    EXPECT_EQ(HexBytes(ReportIntervalPacket(*s).bytes, 8), "0108000000000000");
    EXPECT_EQ(HexBytes(LiftHeightPacket(*s).bytes, 8), "048F000000000000");
}

TEST(PointerOptions, PrecisionAndSpeed) {
    auto s = std::make_unique<DeviceSettings>();
    ResetToDefaults(*s);
    CRecordingPointerSettings pointer;
    s->pointerPrecision = 1;
    s->pointerSpeed = 17;
    ApplyPointerOptions(pointer, *s);
    s->pointerPrecision = 2;  // only 1 turns it on
    ApplyPointerOptions(pointer, *s);
    EXPECT_EQ(pointer.mouse, (std::vector<std::array<int, 3>>{{6, 10, 1}, {0, 0, 0}}));
    EXPECT_EQ(pointer.speeds, (std::vector<int>{17, 17}));
}

TEST_F(WriteSequenceTest, MacrosTakeSlotsInButtonOrder) {
    settings->bindings[1].type = FunctionType::Macro;
    settings->bindings[2].type = FunctionType::Disable;
    settings->bindings[4].type = FunctionType::Macro;
    settings->bindings[5].type = FunctionType::Macro;  // its macro is missing
    config->profiles[0].macroIds[1] = 0x111;
    config->profiles[0].macroIds[4] = 0x222;
    config->profiles[0].macroIds[5] = 0x333;
    ASSERT_TRUE(SaveMacro(registry, MacroRecord::Build(0x111, u"a", 1, {Down(0x41), Delay(100), Up(0x41)})));
    ASSERT_TRUE(SaveMacro(registry, MacroRecord::Build(0x222, u"b", 0xFFFE, {Down(0x42)})));

    ASSERT_EQ(writer.WriteSettingsToDevice(false), 1);
    const ButtonTable& t = writer.LastButtonTable();
    EXPECT_EQ(ButtonTableSlot(t, 1), 0x03010009u);  // slot 1, three entries
    EXPECT_EQ(ButtonTableSlot(t, 2), 0u);           // disabled
    EXPECT_EQ(ButtonTableSlot(t, 5), 0x02020009u);  // slot 2, two entries
    EXPECT_EQ(ButtonTableSlot(t, 14), 0u);          // macro not found: no code, no slot used

    std::vector<std::string> lines = Lines();
    // Button 0, then button 1's macro into slot 1 and its two 3 ms pauses.
    ASSERT_GE(lines.size(), 77u);
    EXPECT_EQ(lines[0], "sleep 3");
    EXPECT_EQ(lines[1], "setting 1301010002000000");
    EXPECT_EQ(lines[2], "sleep 10");
    EXPECT_EQ(lines[3], "sleep 20");
    EXPECT_EQ(lines[4], "data 00010B04810400000000000000000000" "00000000000000000000000000000000");
    EXPECT_EQ(lines[35], "sleep 3");
    EXPECT_EQ(lines[36], "sleep 3");
    // Button 2 (disabled) costs no pause; button 3 has its code.
    EXPECT_EQ(lines[37], "sleep 3");
    EXPECT_EQ(lines[38], "setting 1301020002000000");
    // Button 5's macro is missing: nothing is sent, its slot stays 0, and
    // only the button's own 3 ms pause remains.
    EXPECT_EQ(lines[72], "sleep 3");
    EXPECT_EQ(lines[73], "sleep 3");
    EXPECT_EQ(lines[74], "sleep 3");
    EXPECT_EQ(lines[75], "sleep 3");
    EXPECT_EQ(lines[76], "setting 1201004000000000");
    std::size_t macroWrites = 0;
    for (const std::string& l : lines) macroWrites += l.rfind("setting 13", 0) == 0;
    EXPECT_EQ(macroWrites, 2u);
}

}  // namespace
