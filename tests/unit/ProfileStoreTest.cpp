#include <gtest/gtest.h>

#include "DeviceFixture.h"
#include "TestText.h"
#include "localization/TextTable.h"

namespace {

// Texts the persistence shows or compares with, set for the test and restored after.
class ProfileStoreTest : public ::testing::Test, public DeviceFixture {
protected:
    void SetUp() override {
        std::u16string* keys[] = {&str_profile1, &str_profile2, &str_profile3, &str_profile4, &str_profile5,
                                  &str_msg2, &str_msg3, &str_msg5};
        const char16_t* texts[] = {u"Profile 1", u"Profile 2", u"Profile 3", u"Profile 4", u"Profile 5",
                                   u"Missing: %s", u"Invalid: %s", u"Cannot save"};
        for (std::size_t i = 0; i < std::size(keys); ++i) {
            saved_.push_back({keys[i], *keys[i]});
            *keys[i] = texts[i];
        }
    }
    void TearDown() override {
        for (auto& [key, text] : saved_) *key = text;
    }

    std::u16string Path(int i) const { return store.ProfilePath(i); }

    // A valid profile file whose settings carry a recognisable DPI level.
    std::vector<std::uint8_t> ProfileBytes(std::uint32_t dpi, std::u16string name, std::uint8_t trailing = 0) {
        auto s = std::make_unique<DeviceSettings>();
        ResetToDefaults(*s);
        s->dpiLevels[0] = dpi;
        SetTextField(s->profileName, name);
        return EncodeProfileFile(*s, trailing);
    }
    void StoreConfig() {
        registry.PutValue(kSettingsKey, u"ConfigInfo", kRegBinary,
                          std::vector<std::uint8_t>(reinterpret_cast<std::uint8_t*>(&*config),
                                                    reinterpret_cast<std::uint8_t*>(&*config) + sizeof *config));
        std::memset(&*config, 0, sizeof *config);
    }
    std::vector<std::uint8_t> Value(const char16_t* name) {
        std::uint32_t type = 0;
        std::vector<std::uint8_t> data;
        if (!registry.GetValue(kSettingsKey, name, type, data)) return {};
        EXPECT_EQ(type, kRegBinary);
        return data;
    }
    void StartUp() {
        store.EnsureFirstRunValue();
        store.LoadConfigInfo();
    }

private:
    std::vector<std::pair<std::u16string*, std::u16string>> saved_;
};

TEST_F(ProfileStoreTest, PathsAreBesideTheProgram) {
    EXPECT_EQ(Path(0), u"C:\\Q7T\\Profile\\Profile1.cfg");
    EXPECT_EQ(Path(4), u"C:\\Q7T\\Profile\\Profile5.cfg");
}

TEST_F(ProfileStoreTest, FirstStartCreatesProfileOneOnly) {
    StartUp();
    EXPECT_EQ(Value(u"FirstRun"), (std::vector<std::uint8_t>{1, 0, 0, 0}));
    EXPECT_EQ(Value(u"ConfigInfo"), std::vector<std::uint8_t>(8000, 0));
    ASSERT_EQ(files.files.size(), 1u);
    ASSERT_TRUE(files.files.count(Path(0)));
    EXPECT_TRUE(files.folders.count(u"C:\\Q7T\\Profile"));

    auto defaults = std::make_unique<DeviceSettings>();
    ResetToDefaults(*defaults);
    SetTextField(defaults->profileName, u"Profile 1");
    EXPECT_EQ(files.files[Path(0)], EncodeProfileFile(*defaults, 0));
    EXPECT_EQ(std::memcmp(&*settings, &*defaults, sizeof *defaults), 0);

    EXPECT_EQ(store.CurrentProfile(), 0);
    for (int i = 0; i < kProfileCount; ++i) {
        const ProfileEntry& e = config->profiles[i];
        EXPECT_EQ(e.magic.get(), kProfileEntryMagic);
        EXPECT_EQ(e.active.get(), i == 0 ? 1u : 0u);
        EXPECT_EQ(GetTextField(e.profileFile), Path(i));
        EXPECT_EQ(GetTextField(e.profileName), u"Profile " + std::u16string(1, char16_t(u'1' + i)));
    }
    EXPECT_EQ(view.selected, (std::array<bool, 5>{true, false, false, false, false}));
    EXPECT_EQ(view.selectedIndex, 0);
    EXPECT_TRUE(messages.shown.empty());
    for (const auto& a : registry.accesses) EXPECT_EQ(a.access, kSettingsKeyAccess) << Narrow(a.path);
    EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST_F(ProfileStoreTest, FirstRunValueIsWrittenOnlyWhenMissingOrNotBinary) {
    struct Case {
        const char* what;
        std::uint32_t type;
        std::vector<std::uint8_t> stored, expected;
    } cases[] = {
        {"binary value is kept", kRegBinary, {2, 0, 0, 0}, {2, 0, 0, 0}},
        {"short string is rewritten as binary", kRegSz, {'a', 0}, {'a', 0}},
        {"long string: only the 4-byte buffer is written", kRegSz, {'a', 0, 'b', 0, 'c', 0, 0, 0}, {1, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CMemoryRegistry fresh;
        fresh.PutValue(kSettingsKey, u"FirstRun", c.type, c.stored);
        CProfileStore s(*settings, *config, fresh, files, messages, view, u"C:\\Q7T\\");
        s.EnsureFirstRunValue();
        std::uint32_t type = 0;
        std::vector<std::uint8_t> data;
        ASSERT_TRUE(fresh.GetValue(kSettingsKey, u"FirstRun", type, data));
        EXPECT_EQ(type, kRegBinary);
        EXPECT_EQ(data, c.expected);
    }
    registry.deniedKeys.insert(kSettingsKey);
    store.EnsureFirstRunValue();  // neither open nor create: nothing happens
    EXPECT_FALSE(registry.HasKey(kSettingsKey));
}

TEST_F(ProfileStoreTest, StoredTableSelectsTheActiveProfileAndShowsItsProgram) {
    config->profiles[2].magic = kProfileEntryMagic;
    config->profiles[2].active = 1;
    config->profiles[2].autoSwitch = 1;
    SetTextField(config->profiles[2].programName, u"game.exe");
    SetTextField(config->profiles[2].profileFile, u"D:\\elsewhere\\old.cfg");  // recomputed at start
    StoreConfig();
    files.files[Path(2)] = ProfileBytes(1500, u"Profile 3", 0x5A);

    StartUp();
    EXPECT_EQ(store.CurrentProfile(), 2);
    EXPECT_EQ(settings->dpiLevels[0].get(), 1500u);
    EXPECT_EQ(store.TrailingByte(), 0x5A);
    EXPECT_EQ(view.autoSwitch, (std::vector<bool>{true}));
    EXPECT_TRUE(view.programButtonShown);
    EXPECT_EQ(view.programButtonText, u"game.exe");
    EXPECT_EQ(view.selected, (std::array<bool, 5>{false, false, true, false, false}));
    EXPECT_EQ(view.selectedIndex, 2);
    EXPECT_EQ(GetTextField(config->profiles[2].profileFile), Path(2));
    EXPECT_EQ(files.files.size(), 1u);  // nothing created
}

TEST_F(ProfileStoreTest, InvalidActiveProfileIsRecreatedAndTheNextActiveOneWins) {
    for (int i : {0, 1, 3}) {
        config->profiles[i].magic = kProfileEntryMagic;
        config->profiles[i].active = 1;
    }
    StoreConfig();
    files.files[Path(0)] = {};  // 0 bytes: all zero, wrong magic
    files.files[Path(1)] = ProfileBytes(250, u"Profile 2");
    files.files[Path(3)] = ProfileBytes(3000, u"Profile 4");

    StartUp();
    EXPECT_EQ(messages.shown, (std::vector<std::u16string>{u"Invalid: C:\\Q7T\\Profile\\Profile1.cfg"}));
    EXPECT_EQ(store.CurrentProfile(), 1);
    EXPECT_EQ(settings->dpiLevels[0].get(), 250u);
    EXPECT_EQ(config->profiles[0].active.get(), 0u);
    EXPECT_EQ(files.files[Path(0)].size(), kProfileFileSize);  // overwritten with defaults
    EXPECT_EQ(ReadLE32(files.files[Path(0)].data()), kSettingsMagic);
    // Every entry still marked active shows as selected until the next switch.
    EXPECT_EQ(view.selected, (std::array<bool, 5>{false, true, false, true, false}));
    EXPECT_EQ(view.selectedIndex, 1);
}

TEST_F(ProfileStoreTest, RegistryUnavailableAtStart) {
    registry.deniedKeys.insert(kSettingsKey);
    StartUp();
    EXPECT_EQ(store.CurrentProfile(), 0);
    EXPECT_EQ(config->profiles[0].active.get(), 1u);
    for (int i = 0; i < kProfileCount; ++i) {
        EXPECT_EQ(config->profiles[i].magic.get(), kProfileEntryMagic);
        EXPECT_EQ(config->profiles[i].autoSwitch.get(), 0u);
    }
    EXPECT_TRUE(files.files.count(Path(0)));
}

TEST_F(ProfileStoreTest, ConfigInfoOfAnotherTypeIsReplacedWithZeros) {
    registry.PutValue(kSettingsKey, u"ConfigInfo", kRegSz, std::vector<std::uint8_t>(100, 0x41));
    StartUp();
    EXPECT_EQ(Value(u"ConfigInfo"), std::vector<std::uint8_t>(8000, 0));
    EXPECT_EQ(config->profiles[0].autoSwitch.get(), 0u);
}

TEST_F(ProfileStoreTest, ShortFileLoadsWithTrailingZeroAndIsSavedWhole) {
    std::vector<std::uint8_t> bytes = ProfileBytes(1000, u"Profile 1", 0x77);
    bytes.resize(sizeof(DeviceSettings));
    files.files[Path(0)] = bytes;
    StartUp();
    EXPECT_EQ(store.TrailingByte(), 0);
    store.SaveProfileFile();
    ASSERT_EQ(files.files[Path(0)].size(), kProfileFileSize);
    EXPECT_EQ(files.files[Path(0)].back(), 0);
}

TEST_F(ProfileStoreTest, TrailingByteTravelsFromLoadToSave) {
    files.files[Path(0)] = ProfileBytes(1000, u"Profile 1", 0xA5);
    StartUp();
    settings->dpiLevels[0] = 2500;
    store.SaveProfileFile();
    EXPECT_EQ(files.files[Path(0)], EncodeProfileFile(*settings, 0xA5));
}

TEST_F(ProfileStoreTest, FailedSwitchLeavesTheEditedSettingsAlone) {
    files.files[Path(0)] = ProfileBytes(1000, u"Profile 1");
    std::vector<std::uint8_t> invalid = ProfileBytes(250, u"Other");
    invalid[0] ^= 0xFF;  // wrong magic
    files.files[Path(1)] = invalid;
    StartUp();
    settings->dpiLevels[0] = 3000;  // an edit not yet applied
    auto before = std::make_unique<DeviceSettings>(*settings);

    store.SwitchProfile(1, false);
    EXPECT_EQ(messages.shown, (std::vector<std::u16string>{u"Invalid: C:\\Q7T\\Profile\\Profile2.cfg"}));
    EXPECT_EQ(std::memcmp(&*settings, &*before, sizeof *before), 0);
    EXPECT_EQ(store.CurrentProfile(), 0);
    EXPECT_EQ(config->profiles[1].active.get(), 0u);
    EXPECT_EQ(view.refreshes, 0);

    // The next save writes the edited settings, not the other file's bytes.
    store.SaveProfileFile();
    EXPECT_EQ(files.files[Path(0)], EncodeProfileFile(*before, 0));
    EXPECT_EQ(files.files[Path(1)], invalid);
}

TEST_F(ProfileStoreTest, FirstSelectionOfAnUnusedProfileCreatesItAndSwitches) {
    files.files[Path(0)] = ProfileBytes(1000, u"Profile 1");
    StartUp();
    std::vector<std::uint8_t> profileOne = files.files[Path(0)];

    store.SwitchProfile(2, false);
    EXPECT_EQ(store.CurrentProfile(), 2);
    ASSERT_TRUE(files.files.count(Path(2)));
    EXPECT_EQ(GetTextField(settings->profileName), u"Profile 3");
    EXPECT_EQ(settings->dpiLevels[0].get(), 500u);
    EXPECT_EQ(config->profiles[0].active.get(), 0u);
    EXPECT_EQ(config->profiles[2].active.get(), 1u);
    EXPECT_EQ(view.selected, (std::array<bool, 5>{false, false, true, false, false}));
    EXPECT_EQ(view.refreshes, 1);

    // Applying now saves into the new profile; profile 1 keeps its own settings.
    settings->dpiLevels[0] = 250;
    store.SaveProfileFile();
    EXPECT_EQ(files.files[Path(0)], profileOne);
    EXPECT_EQ(ReadLE32(files.files[Path(2)].data() + 22012), 250u);
}

TEST_F(ProfileStoreTest, SwitchFollowsTheEntryAndWritesWhenAsked) {
    files.files[Path(0)] = ProfileBytes(1000, u"Profile 1");
    files.files[Path(3)] = ProfileBytes(2000, u"Profile 4");
    StartUp();
    config->profiles[3].autoSwitch = 1;
    view.autoSwitch.clear();
    store.SwitchProfile(3, true);
    EXPECT_EQ(store.CurrentProfile(), 3);
    EXPECT_EQ(settings->dpiLevels[0].get(), 2000u);
    EXPECT_EQ(view.autoSwitch, (std::vector<bool>{true}));
    EXPECT_EQ(view.writes, (std::vector<bool>{false}));
    EXPECT_EQ(view.refreshes, 1);
    EXPECT_EQ(view.selectedIndex, 3);

    store.SwitchProfile(0, false);
    EXPECT_EQ(view.autoSwitch, (std::vector<bool>{true, false}));
    EXPECT_EQ(view.writes.size(), 1u);
}

TEST_F(ProfileStoreTest, SaveOutcomes) {
    files.files[Path(0)] = ProfileBytes(1000, u"Profile 1");
    files.files[Path(1)] = ProfileBytes(1000, u"Profile 2");
    StartUp();
    std::vector<std::uint8_t> original = files.files[Path(0)];
    settings->dpiLevels[0] = 250;

    // A write that fails half-way (full disk, crash) leaves the old file.
    files.failWrites = true;
    store.SaveProfileFile();
    EXPECT_EQ(files.files[Path(0)], original);
    EXPECT_TRUE(messages.shown.empty());
    files.failWrites = false;

    // Missing file: message with the path, nothing created.
    files.files.erase(Path(0));
    store.SaveProfileFile();
    EXPECT_EQ(messages.shown, (std::vector<std::u16string>{u"Missing: C:\\Q7T\\Profile\\Profile1.cfg"}));
    EXPECT_FALSE(files.files.count(Path(0)));

    // Any other reason: nothing.
    messages.shown.clear();
    files.openFaults[Path(0)] = FileStatus::Failed;
    store.SaveProfileFile();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(Value(u"DefaultSetting").empty());

    // Access denied for profiles 2..5: nothing.
    store.SwitchProfile(1, false);
    files.openFaults[Path(1)] = FileStatus::AccessDenied;
    store.SaveProfileFile();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(Value(u"DefaultSetting").empty());
}

TEST_F(ProfileStoreTest, DeniedProfileOneGoesToTheRegistryForTheRestOfTheRun) {
    files.files[Path(0)] = ProfileBytes(1000, u"Profile 1");
    StartUp();
    settings->dpiLevels[0] = 1250;
    auto saved = std::make_unique<DeviceSettings>(*settings);
    files.openFaults[Path(0)] = FileStatus::AccessDenied;
    store.SaveProfileFile();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(store.ProfileOneInRegistry());
    std::vector<std::uint8_t> value = Value(u"DefaultSetting");
    ASSERT_EQ(value.size(), sizeof(DeviceSettings));
    EXPECT_EQ(std::memcmp(value.data(), &*saved, sizeof *saved), 0);

    // Profile 1 now loads from the registry; the substring test is case-sensitive.
    settings->dpiLevels[0] = 500;
    EXPECT_EQ(store.LoadProfileFile(Path(0), false, u"Profile 1"), 1);
    EXPECT_EQ(settings->dpiLevels[0].get(), 1250u);
    files.files[u"C:\\Q7T\\Profile\\profile1.cfg"] = ProfileBytes(3000, u"lower");
    EXPECT_EQ(store.LoadProfileFile(u"C:\\Q7T\\Profile\\profile1.cfg", false, u"x"), 1);
    EXPECT_EQ(settings->dpiLevels[0].get(), 3000u);
    EXPECT_EQ(store.LoadProfileFile(u"", true, u"x"), 0);
}

TEST_F(ProfileStoreTest, DeniedProfileOneWithTheRegistryFailingToo) {
    files.files[Path(0)] = ProfileBytes(1000, u"Profile 1");
    StartUp();
    files.openFaults[Path(0)] = FileStatus::AccessDenied;
    registry.denySetValue = true;
    store.SaveProfileFile();
    EXPECT_EQ(messages.shown, (std::vector<std::u16string>{u"Cannot save"}));
    EXPECT_FALSE(store.ProfileOneInRegistry());

    registry.denySetValue = false;
    registry.deniedKeys.insert(kSettingsKey);
    store.SaveProfileFile();
    EXPECT_EQ(messages.shown.size(), 2u);
}

TEST_F(ProfileStoreTest, MissingFileWithoutCreateLeavesSettings) {
    StartUp();
    settings->dpiLevels[0] = 3000;
    EXPECT_EQ(store.LoadProfileFile(Path(4), false, u"Profile 5"), 0);
    EXPECT_FALSE(files.files.count(Path(4)));
    EXPECT_EQ(settings->dpiLevels[0].get(), 3000u);
    EXPECT_EQ(store.LoadProfileFile(Path(4), true, u"Profile 5"), 0);  // created, but not loaded
    EXPECT_TRUE(files.files.count(Path(4)));
    // A file that cannot be created: 0, settings untouched.
    settings->dpiLevels[0] = 3000;
    files.openFaults[Path(3)] = FileStatus::AccessDenied;
    EXPECT_EQ(store.CreateDefaultProfileFile(Path(3), u"Profile 4"), 0);
    EXPECT_EQ(settings->dpiLevels[0].get(), 3000u);
}

}  // namespace
