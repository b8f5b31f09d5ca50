// Tests that every disk adapter of the profile-files port passes, each in a
// fresh temporary folder. Instantiated in host/ and win/ with the system adapter.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/ProfileFiles.h"

class ProfileFilesContractTest : public ::testing::Test {
protected:
    void SetUp() override {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = std::filesystem::temp_directory_path() /
                 (std::string("q7t-files-") + info->name() + "-" +
                  std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::permissions(folder, std::filesystem::perms::all, ignored);
        std::filesystem::remove_all(folder, ignored);
    }
    // The path in the program's form: folder, backslash, name.
    std::u16string PathOf(const std::string& name) const {
        std::u16string p = folder.u16string();
        if (!p.empty() && p.back() != u'\\' && p.back() != u'/') p += u'\\';
        for (char c : name) p += c == '/' ? u'\\' : char16_t(c);
        return p;
    }
    std::filesystem::path NativeOf(const std::string& name) const { return folder / name; }
    std::vector<std::uint8_t> Contents(const std::string& name) const {
        std::ifstream in(NativeOf(name), std::ios::binary);
        return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
    }

    IProfileFiles& files = SystemProfileFiles();
    std::filesystem::path folder;
};

TEST_F(ProfileFilesContractTest, MissingFilesAndFolders) {
    std::vector<std::uint8_t> bytes{1};
    EXPECT_EQ(files.Read(PathOf("Profile1.cfg"), 10, bytes), FileStatus::NotFound);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(files.Read(PathOf("Profile/Profile1.cfg"), 10, bytes), FileStatus::NotFound);
    EXPECT_EQ(files.OpenExisting(PathOf("Profile1.cfg")), FileStatus::NotFound);
    EXPECT_EQ(files.OpenExisting(PathOf("Profile/Profile1.cfg")), FileStatus::NotFound);
    EXPECT_NE(files.WriteWhole(PathOf("Profile/Profile1.cfg"), bytes), FileStatus::Ok);
}

TEST_F(ProfileFilesContractTest, CreateReadAndReplace) {
    EXPECT_EQ(files.CreateFolder(PathOf("Profile")), FileStatus::Ok);
    EXPECT_EQ(files.CreateFolder(PathOf("Profile")), FileStatus::Ok);  // exists already: fine
    std::vector<std::uint8_t> first(22589, 0xAB), second(22589, 0x5C);
    ASSERT_EQ(files.WriteWhole(PathOf("Profile/Profile1.cfg"), first), FileStatus::Ok);
    EXPECT_EQ(files.OpenExisting(PathOf("Profile/Profile1.cfg")), FileStatus::Ok);
    std::vector<std::uint8_t> read;
    ASSERT_EQ(files.Read(PathOf("Profile/Profile1.cfg"), 22589, read), FileStatus::Ok);
    EXPECT_EQ(read, first);
    ASSERT_EQ(files.Read(PathOf("Profile/Profile1.cfg"), 100, read), FileStatus::Ok);
    EXPECT_EQ(read.size(), 100u);

    ASSERT_EQ(files.WriteWhole(PathOf("Profile/Profile1.cfg"), second), FileStatus::Ok);
    EXPECT_EQ(Contents("Profile/Profile1.cfg"), second);
    // Nothing but the profile is left in the folder.
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(NativeOf("Profile")))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, (std::vector<std::string>{"Profile1.cfg"}));
}

TEST_F(ProfileFilesContractTest, FailedSaveLeavesTheOriginalWhole) {
    std::vector<std::uint8_t> original(22589, 0x11), update(22589, 0x22);
    ASSERT_EQ(files.WriteWhole(PathOf("Profile1.cfg"), original), FileStatus::Ok);
    // The temporary file cannot be made: something else sits where it goes.
    std::filesystem::create_directory(NativeOf("Profile1.cfg.tmp"));
    EXPECT_NE(files.WriteWhole(PathOf("Profile1.cfg"), update), FileStatus::Ok);
    EXPECT_EQ(Contents("Profile1.cfg"), original);
}
