#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "device/ApplyPlan.h"
#include "device/FunctionTypes.h"
#include "device/ProfileStore.h"
#include "macros/MacroRecord.h"

namespace {

std::vector<std::uint8_t> DefaultProfile(std::uint32_t macroButton = 99) {
    auto s = std::make_unique<DeviceSettings>();
    ResetToDefaults(*s);
    if (macroButton < kButtonCount) s->bindings[macroButton].type = FunctionType::Macro;
    return EncodeProfileFile(*s, 0);
}

TEST(ApplyPlan, DefaultProfileGivesTheFixedSequence) {
    ApplyPlan plan = PlanApply({DefaultProfile(), {}, std::nullopt});
    ASSERT_TRUE(plan.valid);
    EXPECT_EQ(plan.result, 1);
    ASSERT_EQ(plan.lines.size(), 45u);
    EXPECT_EQ(plan.lines.front(), "progress 0");
    EXPECT_EQ(plan.lines[19], "data 0100F0000100F1000100F20007000300" "0100F4000100F3000000000000000000");
    EXPECT_EQ(plan.lines.back(), "sleep 700");
}

TEST(ApplyPlan, MacroComesFromTheActiveEntryOfTheTable) {
    auto config = std::make_unique<ConfigInfo>();
    std::memset(config.get(), 0, sizeof *config);
    config->profiles[2].magic = kProfileEntryMagic;
    config->profiles[2].active = 1;
    config->profiles[2].macroIds[1] = 0xABC;
    config->profiles[0].macroIds[1] = 0xDEF;  // not the current profile
    std::vector<std::uint8_t> table(reinterpret_cast<std::uint8_t*>(config.get()),
                                    reinterpret_cast<std::uint8_t*>(config.get()) + sizeof *config);
    MacroRecord macro = MacroRecord::Build(0xABC, u"m", 1, {MakeMacroEvent(EV_KEY_DOWN, 0x41)});

    ApplyPlan plan = PlanApply({DefaultProfile(1), {{0xABC, macro.Bytes()}}, table});
    EXPECT_EQ(plan.profileIndex, 2);
    ASSERT_GT(plan.lines.size(), 6u);
    EXPECT_EQ(plan.lines[5], "setting 1301010002000000");
    EXPECT_EQ(plan.lines[8], "data 00010104" + std::string(56, '0'));

    // Without the table, profile 1's identifiers are all 0: no macro is found.
    ApplyPlan without = PlanApply({DefaultProfile(1), {{0xABC, macro.Bytes()}}, std::nullopt});
    EXPECT_EQ(without.profileIndex, 0);
    for (const std::string& line : without.lines) EXPECT_NE(line.rfind("setting 13", 0), 0u) << line;
}

TEST(ApplyPlan, NotAProfile) {
    std::vector<std::uint8_t> bytes = DefaultProfile();
    bytes[0] = 0;
    EXPECT_FALSE(PlanApply({bytes, {}, std::nullopt}).valid);
    EXPECT_FALSE(PlanApply({{}, {}, std::nullopt}).valid);
}

}  // namespace
