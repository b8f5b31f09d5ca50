// A macro record as the registry may hold it, damaged in any way: reading it,
// listing it and encoding it for the mouse must stay within its bytes.
#include <cstdint>
#include <vector>

#include "macros/MacroEncoding.h"
#include "macros/MacroStore.h"
#include "platform/MemoryRegistry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> bytes(data, data + size);
    CMemoryRegistry registry;
    registry.PutValue(MacroKeyPath(7), u"", kRegBinary, bytes);
    std::vector<MacroListRow> rows;
    EnumerateMacros(registry, rows);
    if (std::optional<MacroRecord> record = LoadMacro(registry, 7)) {
        record->Name();
        MacroBuffer buffer;
        std::size_t entries = EncodeMacro(*record, buffer);
        if (entries < 1 || entries > kMacroBufferEntries) __builtin_trap();
        SaveMacro(registry, *record);
    }
    return 0;
}
