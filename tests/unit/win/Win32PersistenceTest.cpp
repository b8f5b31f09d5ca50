// Profile persistence on the real adapters: the Win32 registry (below a test
// key of its own) and profile files in a temporary program folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "DeviceFixture.h"
#include "localization/TextTable.h"
#include "platform/win/Win32Registry.h"

namespace {

class Win32PersistenceTest : public ::testing::Test {
protected:
    void SetUp() override {
        keyPath = L"Software\\Q7TMouseTests\\persist-" + std::to_wstring(::GetCurrentProcessId());
        ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root,
                                    nullptr),
                  ERROR_SUCCESS);
        registry = std::make_unique<CWin32Registry>(root);
        folder = std::filesystem::temp_directory_path() / ("q7t-persist-" + std::to_string(::GetCurrentProcessId()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        programFolder = folder.u16string() + u"\\";
        saved1 = str_profile1;
        saved2 = str_msg2;
        str_profile1 = u"Profile 1";
        str_msg2 = u"Missing %s";
        std::memset(&*settings, 0, sizeof *settings);
        std::memset(&*config, 0, sizeof *config);
        store = std::make_unique<CProfileStore>(*settings, *config, *registry, SystemProfileFiles(), messages, view,
                                                programFolder);
    }
    void TearDown() override {
        store.reset();
        registry.reset();
        ::RegCloseKey(root);
        ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, keyPath.c_str());
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
        str_profile1 = saved1;
        str_msg2 = saved2;
    }
    std::vector<std::uint8_t> Value(const wchar_t* name) {
        std::vector<std::uint8_t> data(30000);
        DWORD size = DWORD(data.size()), type = 0;
        if (::RegGetValueW(root, L"Software\\VELDA\\Q7TMouse", name, RRF_RT_ANY, &type, data.data(), &size) !=
            ERROR_SUCCESS)
            return {};
        EXPECT_EQ(type, DWORD(REG_BINARY));
        data.resize(size);
        return data;
    }
    std::vector<std::uint8_t> FileBytes(const char* name) {
        std::ifstream in(folder / "Profile" / name, std::ios::binary);
        return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
    }

    std::wstring keyPath;
    HKEY root = nullptr;
    std::unique_ptr<CWin32Registry> registry;
    std::filesystem::path folder;
    std::u16string programFolder;
    std::u16string saved1, saved2;
    std::unique_ptr<DeviceSettings> settings = std::make_unique<DeviceSettings>();
    std::unique_ptr<ConfigInfo> config = std::make_unique<ConfigInfo>();
    CRecordingMessages messages;
    CRecordingProfileView view;
    std::unique_ptr<CProfileStore> store;
};

TEST_F(Win32PersistenceTest, StartSaveAndFallbackToTheRegistry) {
    store->EnsureFirstRunValue();
    store->LoadConfigInfo();
    EXPECT_EQ(Value(L"FirstRun"), (std::vector<std::uint8_t>{1, 0, 0, 0}));
    EXPECT_EQ(Value(L"ConfigInfo"), std::vector<std::uint8_t>(8000, 0));
    EXPECT_EQ(GetTextField(config->profiles[0].profileFile), programFolder + u"Profile\\Profile1.cfg");
    EXPECT_EQ(FileBytes("Profile1.cfg").size(), kProfileFileSize);

    settings->dpiLevels[0] = 1250;
    store->SaveProfileFile();
    EXPECT_EQ(FileBytes("Profile1.cfg"), EncodeProfileFile(*settings, 0));
    EXPECT_FALSE(std::filesystem::exists(folder / "Profile" / "Profile1.cfg.tmp"));
    EXPECT_TRUE(messages.shown.empty());

    // Denied (a folder stands where the file was): profile 1 goes to "DefaultSetting".
    std::filesystem::remove(folder / "Profile" / "Profile1.cfg");
    std::filesystem::create_directory(folder / "Profile" / "Profile1.cfg");
    store->SaveProfileFile();
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_TRUE(store->ProfileOneInRegistry());
    std::vector<std::uint8_t> value = Value(L"DefaultSetting");
    ASSERT_EQ(value.size(), sizeof(DeviceSettings));
    EXPECT_EQ(std::memcmp(value.data(), &*settings, sizeof *settings), 0);
    settings->dpiLevels[0] = 500;
    EXPECT_EQ(store->LoadProfileFile(programFolder + u"Profile\\Profile1.cfg", false, u"Profile 1"), 1);
    EXPECT_EQ(settings->dpiLevels[0].get(), 1250u);

    // Missing file of another profile: the message names the path.
    store->SetCurrentProfile(1);
    store->SaveProfileFile();
    EXPECT_EQ(messages.shown, (std::vector<std::u16string>{u"Missing " + programFolder + u"Profile\\Profile2.cfg"}));
}

}  // namespace
