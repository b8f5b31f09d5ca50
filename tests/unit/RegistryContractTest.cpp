#include "RegistryContract.h"

#include <algorithm>

#include "platform/MemoryRegistry.h"

namespace {

TEST_P(RegistryContractTest, QueryReportsLengthAndMoreData) {
    Put(u"Software\\VELDA\\Q7TMouse", u"ConfigInfo", kRegBinary, {1, 2, 3, 4, 5});
    CScopedRegKey key(*registry);
    ASSERT_EQ(registry->OpenKey(u"Software\\VELDA\\Q7TMouse", kSettingsKeyAccess, key.Out()), kRegOk);

    std::uint32_t type = 0, size = 0;
    EXPECT_EQ(registry->QueryValue(key.Get(), u"ConfigInfo", type, nullptr, size), kRegOk);
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(type, kRegBinary);

    std::uint8_t small[2] = {};
    size = sizeof small;
    EXPECT_EQ(registry->QueryValue(key.Get(), u"ConfigInfo", type, small, size), kRegMoreData);
    EXPECT_EQ(size, 5u);

    std::uint8_t big[8] = {};
    size = sizeof big;
    EXPECT_EQ(registry->QueryValue(key.Get(), u"ConfigInfo", type, big, size), kRegOk);
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(big[4], 5);

    size = sizeof big;
    EXPECT_EQ(registry->QueryValue(key.Get(), u"Missing", type, big, size), kRegNotFound);
}

TEST_P(RegistryContractTest, MissingKeysAndEnumeration) {
    RegKey key = kNoRegKey;
    EXPECT_EQ(registry->OpenKey(u"Software\\VELDA\\Q7TMouse\\Nowhere", kKeyRead, key), kRegNotFound);

    Put(u"Software\\VELDA\\Q7TMouse\\Macro\\00000002", u"", kRegBinary, {1});
    Put(u"Software\\VELDA\\Q7TMouse\\Macro\\00000001", u"", kRegBinary, {1});
    CScopedRegKey base(*registry);
    ASSERT_EQ(registry->OpenKey(u"Software\\VELDA\\Q7TMouse\\Macro", kMacroKeyAccess, base.Out()), kRegOk);
    std::vector<std::u16string> names;
    std::u16string name;
    for (std::uint32_t i = 0; registry->EnumKey(base.Get(), i, name) == kRegOk; ++i) names.push_back(name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::u16string>{u"00000001", u"00000002"}));
    EXPECT_EQ(registry->EnumKey(base.Get(), 2, name), kRegNoMoreItems);

    EXPECT_EQ(registry->DeleteKey(base.Get(), u"00000001"), kRegOk);
    EXPECT_NE(registry->DeleteKey(base.Get(), u"00000001"), kRegOk);
    EXPECT_EQ(registry->OpenKey(u"Software\\VELDA\\Q7TMouse\\Macro\\00000001", kKeyRead, key), kRegNotFound);
}

TEST_P(RegistryContractTest, CreateTellsNewFromExisting) {
    RegKey key = kNoRegKey;
    bool created = false;
    ASSERT_EQ(registry->CreateKey(u"Software\\VELDA\\Q7TMouse", kSettingsKeyAccess, key, created), kRegOk);
    EXPECT_TRUE(created);
    registry->CloseKey(key);
    ASSERT_EQ(registry->CreateKey(u"Software\\VELDA\\Q7TMouse", kSettingsKeyAccess, key, created), kRegOk);
    EXPECT_FALSE(created);
    registry->CloseKey(key);
}

INSTANTIATE_TEST_SUITE_P(Memory, RegistryContractTest,
                         ::testing::Values(RegistryFactory{"Memory", [] { return std::unique_ptr<IRegistry>(new CMemoryRegistry); }}),
                         RegistryName);
INSTANTIATE_TEST_SUITE_P(Memory, MacroStoreContractTest,
                         ::testing::Values(RegistryFactory{"Memory", [] { return std::unique_ptr<IRegistry>(new CMemoryRegistry); }}),
                         RegistryName);

}  // namespace
