// The main window's rules that need no window: pages and what they enable,
// the profile selector shapes, device paths, the key filter, the duplicate
// test of auto-switch programs, Reset's effect on the current profile and the
// progress bar's shown position.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "TestText.h"
#include "app/MainWindowRules.h"

namespace {

TEST(MainWindowRules, EachPageMarksItsTabAndOnlyTheMacroPageDisablesTheProfileControls) {
    for (int page = 1; page <= 4; ++page) {
        std::optional<PagePlan> plan = PlanForPage(page);
        ASSERT_TRUE(plan) << page;
        EXPECT_EQ(plan->tab, page);
        EXPECT_EQ(plan->page, page);
        EXPECT_EQ(plan->profileControlsEnabled, page != 4) << page;
    }
    for (int page : {0, 5, -1, 100}) EXPECT_FALSE(PlanForPage(page)) << page;
}

TEST(MainWindowRules, ProfileSelectorShapes) {
    struct Case {
        int x, y;
        int selector;  // -1: none
    };
    const Case cases[] = {
        {140, 452, 0}, {89, 440, 0},   // inside profile 1, near its left edge
        {260, 452, 1}, {370, 452, 2}, {480, 452, 3}, {600, 452, 4},
        {88, 460, -1},                 // below the cut corner of profile 1
        {660, 466, -1},                // right of profile 5's lower edge
        {400, 437, -1}, {400, 470, -1},  // above and below the strip
        {10, 452, -1}, {700, 452, -1},
        {222, 465, 1},                 // right of profile 1's slanted end: profile 2
    };
    for (const Case& c : cases) EXPECT_EQ(ProfileSelectorAt(c.x, c.y), c.selector) << c.x << "," << c.y;
    EXPECT_EQ(ProfileSelectorPolygon(0).size(), 7u);
    EXPECT_EQ(ProfileSelectorPolygon(4).back().y, 437);
    EXPECT_TRUE(ProfileSelectorPolygon(5).empty());
    EXPECT_TRUE(ProfileSelectorPolygon(-1).empty());
}

TEST(MainWindowRules, MouseDevicePaths) {
    EXPECT_TRUE(IsMouseDevicePath(u"\\\\?\\USB#VID_3F1C&PID_6B02#5&1a2b&0&2#{a5dcbf10-6530-11d2-901f-00c04fb951ed}"));
    EXPECT_TRUE(IsMouseDevicePath(u"\\\\?\\usb#vid_3f1c&pid_6b02&mi_01#6&abc"));
    EXPECT_FALSE(IsMouseDevicePath(u"\\\\?\\USB#VID_3F1C&PID_6B03#5"));
    EXPECT_FALSE(IsMouseDevicePath(u"\\\\?\\USB#VID_046D&PID_C52B#5"));
    EXPECT_FALSE(IsMouseDevicePath(u""));
}

TEST(MainWindowRules, KeyFilterDropsEnterEscapeAndSpaceDownAndUp) {
    constexpr unsigned kDown = 0x100, kUp = 0x101, kChar = 0x102, kSysDown = 0x104;
    for (std::uintptr_t key : {13u, 27u, 32u}) {
        EXPECT_TRUE(IsFilteredKey(kDown, key)) << key;
        EXPECT_TRUE(IsFilteredKey(kUp, key)) << key;
        EXPECT_FALSE(IsFilteredKey(kChar, key)) << key;
        EXPECT_FALSE(IsFilteredKey(kSysDown, key)) << key;
    }
    for (std::uintptr_t key : {9u, 65u, 0x25u}) EXPECT_FALSE(IsFilteredKey(kDown, key)) << key;
}

TEST(MainWindowRules, ProgramFileNameDropsTheFolder) {
    EXPECT_EQ(ProgramFileName(u"C:\\Program Files\\Editor\\edit.exe"), u"edit.exe");
    EXPECT_EQ(ProgramFileName(u"Z:/games/run.exe"), u"run.exe");
    EXPECT_EQ(ProgramFileName(u"plain.exe"), u"plain.exe");
}

class ProgramChoiceTest : public ::testing::Test {
protected:
    void SetUp() override { std::memset(config.get(), 0, sizeof *config); }
    std::u16string Program(int i) const { return GetTextField(config->profiles[i].programName); }
    std::unique_ptr<ConfigInfo> config = std::make_unique<ConfigInfo>();
};

TEST_F(ProgramChoiceTest, TheSameProgramCannotBeBoundToTwoProfiles) {
    EXPECT_EQ(ChooseProgram(*config, 0, u"edit.exe", true), ProgramChoice::Stored);
    EXPECT_EQ(Program(0), u"edit.exe");
    EXPECT_EQ(config->profiles[0].autoSwitch.get(), 1u);

    EXPECT_EQ(ChooseProgram(*config, 1, u"edit.exe", true), ProgramChoice::Duplicate);
    EXPECT_EQ(Program(1), u"") << "profile 2 stays without program";
    EXPECT_EQ(config->profiles[1].autoSwitch.get(), 0u);

    // Names compare exactly: another letter case is another program.
    EXPECT_EQ(ChooseProgram(*config, 1, u"Edit.exe", true), ProgramChoice::Stored);
    EXPECT_EQ(Program(1), u"Edit.exe");
}

TEST_F(ProgramChoiceTest, TheProgramButtonKeepsTheAutoSwitchWord) {
    EXPECT_EQ(ChooseProgram(*config, 2, u"a.exe", false), ProgramChoice::Stored);
    EXPECT_EQ(config->profiles[2].autoSwitch.get(), 0u);
    config->profiles[2].autoSwitch = 1;
    EXPECT_EQ(ChooseProgram(*config, 2, u"b.exe", false), ProgramChoice::Stored);
    EXPECT_EQ(Program(2), u"b.exe");
    EXPECT_EQ(config->profiles[2].autoSwitch.get(), 1u);
    // Choosing the profile's own program again counts as taken.
    EXPECT_EQ(ChooseProgram(*config, 2, u"b.exe", false), ProgramChoice::Duplicate);
}

TEST_F(ProgramChoiceTest, WithoutACurrentProfileNothingIsStored) {
    for (int current : {-1, 5}) {
        EXPECT_EQ(ChooseProgram(*config, current, u"x.exe", true), ProgramChoice::NoProfile);
        ClearProgram(*config, current);  // must not touch anything
    }
    for (int i = 0; i < kProfileCount; ++i) EXPECT_EQ(Program(i), u"");
}

TEST_F(ProgramChoiceTest, UncheckingTheBoxClearsNameAndWord) {
    ChooseProgram(*config, 3, u"a.exe", true);
    ClearProgram(*config, 3);
    EXPECT_EQ(Program(3), u"");
    EXPECT_EQ(config->profiles[3].autoSwitch.get(), 0u);
}

TEST_F(ProgramChoiceTest, ResetRestoresDefaultsAndClearsMacrosAndProgramOfTheCurrentProfileOnly) {
    auto settings = std::make_unique<DeviceSettings>();
    std::memset(settings.get(), 0x5A, sizeof *settings);
    for (int i = 0; i < kProfileCount; ++i) {
        ProfileEntry& e = config->profiles[i];
        SetTextField(e.profileName, i == 1 ? u"Second" : u"Other");
        SetTextField(e.programName, i == 1 ? u"game.exe" : u"tool.exe");
        e.autoSwitch = 1;
        for (int b = 0; b < kButtonCount; ++b) e.macroIds[b] = 0x100 + b;
    }
    ResetCurrentProfile(*settings, *config, 1);

    auto defaults = std::make_unique<DeviceSettings>();
    ResetToDefaults(*defaults);
    SetTextField(defaults->profileName, u"Second");
    EXPECT_EQ(std::memcmp(settings.get(), defaults.get(), sizeof *settings), 0) << "defaults with the profile's name";
    const ProfileEntry& reset = config->profiles[1];
    for (int b = 0; b < kButtonCount; ++b) EXPECT_EQ(reset.macroIds[b].get(), 0u);
    EXPECT_EQ(Program(1), u"");
    EXPECT_EQ(reset.autoSwitch.get(), 1u) << "the auto-switch word keeps its value";
    EXPECT_EQ(Program(0), u"tool.exe");
    EXPECT_EQ(config->profiles[0].macroIds[0].get(), 0x100u) << "other profiles are untouched";

    ResetCurrentProfile(*settings, *config, -1);  // no current profile: defaults only, no entry touched
    EXPECT_EQ(GetTextField(settings->profileName), u"");
}

TEST(MainWindowRules, ProgressPositionOutsideTheRangeShowsTheMinimum) {
    struct Case {
        int requested, shown;
    };
    const Case cases[] = {{0, 0}, {10, 10}, {100, 100}, {101, 0}, {-1, 0}, {50, 50}};
    for (const Case& c : cases) EXPECT_EQ(ShownProgressPosition(c.requested, 0, 100), c.shown) << c.requested;
    EXPECT_EQ(ShownProgressPosition(3, 5, 10), 5);
}

}  // namespace
