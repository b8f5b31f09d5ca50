#include <gtest/gtest.h>

#include "RegistryContract.h"
#include "TestText.h"
#include "macros/MacroStore.h"
#include "platform/MemoryRegistry.h"

namespace {

constexpr std::uint32_t Down(std::uint32_t vk) { return MakeMacroEvent(EV_KEY_DOWN, vk); }
constexpr std::uint32_t Up(std::uint32_t vk) { return MakeMacroEvent(EV_KEY_UP, vk); }

std::vector<std::uint8_t> RawRecord(std::uint32_t size, std::uint32_t magic, std::uint32_t id, std::u16string name,
                                    std::size_t bytes) {
    MacroRecord r = MacroRecord::Build(id, name, 1, {Down(0x41)});
    std::vector<std::uint8_t> b = r.Bytes();
    b.resize(bytes, 0);
    WriteLE32(&b[0], size);
    WriteLE32(&b[4], magic);
    return b;
}

TEST(MacroKeys, IdentifierFormsTheSubkeyName) {
    EXPECT_EQ(MacroKeyName(0x00ABCDEF), u"00abcdef");
    EXPECT_EQ(MacroKeyName(5), u"00000005");
    EXPECT_EQ(MacroKeyPath(0x12AB34), u"Software\\VELDA\\Q7TMouse\\Macro\\0012ab34");
}

TEST(MacroRecordLayout, BuildCountsRowsNotStoredAndCutsTheName) {
    // Rows: delay 500, press A, release A; the leading delay is not stored.
    MacroRecord r = MacroRecord::Build(0x77, u"a name of more than nineteen characters", 3, {Down(0x41), Up(0x41)}, 3);
    EXPECT_EQ(r.SizeField(), 76u);
    EXPECT_EQ(r.CountField(), 2u);
    EXPECT_EQ(r.Bytes().size(), 76u);
    EXPECT_EQ(r.Magic(), kMacroMagic);
    EXPECT_EQ(r.Identifier(), 0x77u);
    EXPECT_EQ(r.RepeatCount(), 3u);
    EXPECT_EQ(r.Name(), u"a name of more than");
    EXPECT_EQ(r.Events(), (std::vector<std::uint32_t>{0xC0000041, 0xE0000041}));
}

TEST(MacroRecordLayout, DamagedRecordsAreReadWithinTheirBytes) {
    // A count that claims more events than the value holds, and a name that
    // fills all 20 units without a NUL.
    std::vector<std::uint8_t> b = RawRecord(72, kMacroMagic, 9, u"", 72);
    WriteLE32(&b[60], 1000000);
    for (int i = 0; i < 20; ++i) b[20 + 2 * i] = 'x', b[21 + 2 * i] = 0;
    MacroRecord r(b);
    EXPECT_EQ(r.EventCount(), 2u);
    EXPECT_EQ(r.Name(), std::u16string(20, u'x'));
    // A value cut inside the name.
    MacroRecord cut(std::vector<std::uint8_t>(b.begin(), b.begin() + 26));
    EXPECT_EQ(cut.Name(), u"xxx");
    EXPECT_EQ(cut.EventCount(), 0u);
    EXPECT_EQ(cut.CountField(), 0u);
}

TEST_P(MacroStoreContractTest, SaveLoadEnumerateDelete) {
    EXPECT_TRUE(SaveMacro(*registry, MacroRecord::Build(0x00ABCDEF, u"first", 2, {Down(0x41), Up(0x41)})));
    EXPECT_TRUE(SaveMacro(*registry, MacroRecord::Build(5, u"second", 0xFFFE, {Down(0x42)})));

    std::optional<MacroRecord> loaded = LoadMacro(*registry, 0x00ABCDEF);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->Bytes(), MacroRecord::Build(0x00ABCDEF, u"first", 2, {Down(0x41), Up(0x41)}).Bytes());
    EXPECT_FALSE(LoadMacro(*registry, 6));

    // A later save rewrites the value.
    EXPECT_TRUE(SaveMacro(*registry, MacroRecord::Build(5, u"renamed", 1, {Down(0x42), Up(0x42)})));
    EXPECT_EQ(LoadMacro(*registry, 5)->Name(), u"renamed");

    std::vector<MacroListRow> rows{{u"kept", 99}};
    ASSERT_TRUE(EnumerateMacros(*registry, rows));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].identifier, 99u);
    std::vector<std::pair<std::u16string, std::uint32_t>> found;
    for (std::size_t i = 1; i < rows.size(); ++i) found.push_back({rows[i].name, rows[i].identifier});
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::pair<std::u16string, std::uint32_t>>{{u"first", 0x00ABCDEF}, {u"renamed", 5}}));

    EXPECT_TRUE(DeleteMacro(*registry, 5));
    EXPECT_FALSE(LoadMacro(*registry, 5));
    EXPECT_FALSE(DeleteMacro(*registry, 5));  // nothing left to delete under an existing base key
}

TEST_P(MacroStoreContractTest, MissingBaseKey) {
    std::vector<MacroListRow> rows{{u"kept", 1}};
    EXPECT_FALSE(EnumerateMacros(*registry, rows));
    EXPECT_EQ(rows.size(), 1u);
    EXPECT_FALSE(LoadMacro(*registry, 1));
    EXPECT_TRUE(DeleteMacro(*registry, 1));
}

TEST_P(MacroStoreContractTest, EnumerationAcceptsOnlyValidRecords) {
    std::u16string base = u"Software\\VELDA\\Q7TMouse\\Macro\\";
    Put(base + u"00000001", u"", kRegBinary, RawRecord(68, 0xE8E8FFFF, 1, u"smallest", 68));
    Put(base + u"00000002", u"", kRegBinary, RawRecord(67, kMacroMagic, 2, u"short size", 68));
    Put(base + u"00000003", u"", kRegBinary, RawRecord(68, 0xE7E80010, 3, u"bad magic", 68));
    std::vector<std::uint8_t> text = {'a', 0, 'b', 0, 0, 0};
    Put(base + u"00000004", u"", kRegSz, text);
    // Longer than the first 1024-byte read.
    std::vector<std::uint32_t> many(400, Down(0x41));
    Put(base + u"00000005", u"", kRegBinary, MacroRecord::Build(5, u"long", 1, many).Bytes());
    // Named differently from its identifier: the record's identifier counts.
    Put(base + u"whatever", u"", kRegBinary, RawRecord(68, kMacroMagic, 0x42, u"odd key", 68));

    std::vector<MacroListRow> rows;
    ASSERT_TRUE(EnumerateMacros(*registry, rows));
    std::vector<std::pair<std::u16string, std::uint32_t>> found;
    for (const MacroListRow& r : rows) found.push_back({r.name, r.identifier});
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::pair<std::u16string, std::uint32_t>>{
                         {u"long", 5}, {u"odd key", 0x42}, {u"smallest", 1}}));

    EXPECT_FALSE(LoadMacro(*registry, 4));  // REG_SZ
    std::optional<MacroRecord> big = LoadMacro(*registry, 5);
    ASSERT_TRUE(big);
    EXPECT_EQ(big->EventCount(), 400u);
}

TEST_P(MacroStoreContractTest, TinyValuesLoadAsNothing) {
    std::u16string base = u"Software\\VELDA\\Q7TMouse\\Macro\\";
    Put(base + u"00000001", u"", kRegBinary, {});
    Put(base + u"00000002", u"", kRegBinary, {7});
    Put(base + u"00000003", u"", kRegBinary, {7, 8});
    EXPECT_FALSE(LoadMacro(*registry, 1));
    EXPECT_FALSE(LoadMacro(*registry, 2));
    std::optional<MacroRecord> two = LoadMacro(*registry, 3);
    ASSERT_TRUE(two);  // no check of size or magic on load
    EXPECT_EQ(two->Bytes().size(), 2u);
    EXPECT_EQ(two->EventCount(), 0u);
}

TEST_P(MacroStoreContractTest, SaveRefusesInvalidRecords) {
    MacroRecord small = MacroRecord::Build(1, u"x", 1, {});  // size 64
    EXPECT_EQ(small.SizeField(), 64u);
    EXPECT_FALSE(SaveMacro(*registry, small));
    MacroRecord wrongMagic = MacroRecord::Build(2, u"x", 1, {Down(0x41)});
    WriteLE32(&wrongMagic.Bytes()[4], 0xE7E80010);
    EXPECT_FALSE(SaveMacro(*registry, wrongMagic));
    EXPECT_FALSE(SaveMacro(*registry, MacroRecord()));
    EXPECT_FALSE(LoadMacro(*registry, 1));
    EXPECT_FALSE(LoadMacro(*registry, 2));
}

TEST(MacroStoreFaults, SaveWritesSizeFieldBytesAndUsesTheMacroAccess) {
    CMemoryRegistry registry;
    // A record that holds fewer bytes than its size field counts is refused.
    MacroRecord cut = MacroRecord::Build(0x10, u"cut", 1, {Down(0x41), Up(0x41)}, 3);
    cut.Bytes().resize(70);
    EXPECT_FALSE(SaveMacro(registry, cut));
    EXPECT_FALSE(registry.HasKey(MacroKeyPath(0x10)));

    // Rows not stored (a leading delay) are counted and written as spare bytes.
    MacroRecord r = MacroRecord::Build(0x10, u"pad", 1, {Down(0x41), Up(0x41)}, 3);
    r.Bytes().push_back(0xEE);  // bytes beyond the size field are not written
    ASSERT_TRUE(SaveMacro(registry, r));
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    ASSERT_TRUE(registry.GetValue(MacroKeyPath(0x10), u"", type, data));
    EXPECT_EQ(type, kRegBinary);
    EXPECT_EQ(data.size(), 76u);
    EXPECT_EQ(data[75], 0);
    for (const auto& a : registry.accesses) EXPECT_EQ(a.access, 0x2001Fu) << Narrow(a.path);
    EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST(MacroStoreFaults, SaveReportsFailureWhenTheValueCannotBeWritten) {
    CMemoryRegistry registry;
    registry.deniedKeys.insert(u"Software\\VELDA\\Q7TMouse\\Macro");
    EXPECT_FALSE(SaveMacro(registry, MacroRecord::Build(1, u"x", 1, {Down(0x41)})));

    // The key can be created but its value not set: not a success.
    CMemoryRegistry partial;
    partial.denySetValue = true;
    EXPECT_FALSE(SaveMacro(partial, MacroRecord::Build(1, u"x", 1, {Down(0x41)})));
    EXPECT_TRUE(partial.HasKey(MacroKeyPath(1)));
    EXPECT_EQ(partial.OpenHandleCount(), 0u);
}

TEST(MacroStoreFaults, UnreadableSubkeysAreSkipped) {
    CMemoryRegistry registry;
    ASSERT_TRUE(SaveMacro(registry, MacroRecord::Build(1, u"one", 1, {Down(0x41)})));
    ASSERT_TRUE(SaveMacro(registry, MacroRecord::Build(2, u"two", 1, {Down(0x41)})));
    registry.deniedKeys.insert(MacroKeyPath(1));
    std::vector<MacroListRow> rows;
    ASSERT_TRUE(EnumerateMacros(registry, rows));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].name, u"two");
    EXPECT_FALSE(DeleteMacro(registry, 1));
}

}  // namespace
