// Tests that run against every registry adapter: the in-memory one natively
// and under Wine, the Win32 one under Wine (instantiated in win/).
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/Registry.h"

struct RegistryFactory {
    const char* name;
    std::function<std::unique_ptr<IRegistry>()> make;
};

// Test names show the adapter, not the bytes of the factory.
inline void PrintTo(const RegistryFactory& factory, std::ostream* out) { *out << factory.name; }

inline std::string RegistryName(const ::testing::TestParamInfo<RegistryFactory>& info) { return info.param.name; }

class RegistryContractTest : public ::testing::TestWithParam<RegistryFactory> {
protected:
    void SetUp() override { registry = GetParam().make(); }
    void TearDown() override { registry.reset(); }

    // Creates the key (and those above it) and sets one value.
    void Put(std::u16string_view path, std::u16string_view name, std::uint32_t type,
             const std::vector<std::uint8_t>& data) {
        RegKey key = kNoRegKey;
        bool created = false;
        ASSERT_EQ(registry->CreateKey(path, kKeyRead | kKeyWrite, key, created), kRegOk);
        ASSERT_EQ(registry->SetValue(key, name, type, data.data(), std::uint32_t(data.size())), kRegOk);
        registry->CloseKey(key);
    }

    std::unique_ptr<IRegistry> registry;
};

// The macro store over the same adapters.
class MacroStoreContractTest : public RegistryContractTest {};
