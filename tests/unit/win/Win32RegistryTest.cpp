// The registry contract and the macro store against the real registry (Wine
// has a real HKEY_LOCAL_MACHINE). Each test works below a key of its own.
#include <windows.h>

#include "RegistryContract.h"
#include "platform/win/Win32Registry.h"

namespace {

class CTestRegistry : public CWin32Registry {
public:
    CTestRegistry(HKEY root, std::wstring path) : CWin32Registry(root), root_(root), path_(std::move(path)) {}
    ~CTestRegistry() override {
        ::RegCloseKey(root_);
        ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, path_.c_str());
    }

private:
    HKEY root_;
    std::wstring path_;
};

std::unique_ptr<IRegistry> MakeTestRegistry() {
    static int counter = 0;
    std::wstring path = L"Software\\Q7TMouseTests\\" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                        std::to_wstring(++counter);
    HKEY root = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root,
                          nullptr) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<CTestRegistry>(root, path);
}

INSTANTIATE_TEST_SUITE_P(Win32, RegistryContractTest, ::testing::Values(RegistryFactory{"Win32", MakeTestRegistry}),
                         RegistryName);
INSTANTIATE_TEST_SUITE_P(Win32, MacroStoreContractTest, ::testing::Values(RegistryFactory{"Win32", MakeTestRegistry}),
                         RegistryName);

TEST(Win32Registry, TestRootIsAvailable) { ASSERT_NE(MakeTestRegistry(), nullptr); }

}  // namespace
