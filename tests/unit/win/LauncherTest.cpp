#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

bool RunAndWait(const fs::path& exe) {
    std::wstring cmd = L"\"" + exe.wstring() + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(exe.wstring().c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    WaitForSingleObject(pi.hProcess, 20000);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code == 0;
}

bool WaitForFile(const fs::path& p, int ms) {
    for (int waited = 0; waited < ms; waited += 50) {
        if (fs::exists(p) && fs::file_size(p) > 0) return true;
        Sleep(50);
    }
    return false;
}

class LauncherTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / L"q7t launcher test" / L"Program Files";
        fs::remove_all(dir_.parent_path());
        fs::create_directories(dir_);
        fs::copy_file(L"bin/Start.exe", dir_ / L"Start.exe");
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_.parent_path(), ec);
    }
    fs::path dir_;
};

TEST_F(LauncherTest, StartsTheProgramFromItsOwnFolderEvenWithSpaces) {
    fs::copy_file(L"bin/launch_probe.exe", dir_ / L"Q7TMouse.exe");
    ASSERT_TRUE(RunAndWait(dir_ / L"Start.exe"));
    EXPECT_TRUE(WaitForFile(dir_ / L"launched.txt", 10000));
}

TEST_F(LauncherTest, EndsWithZeroWhenTheProgramIsMissing) {
    EXPECT_TRUE(RunAndWait(dir_ / L"Start.exe"));
    EXPECT_FALSE(fs::exists(dir_ / L"launched.txt"));
}

}  // namespace
