// profile, plan and macro: profile files, the dry run of an Apply, and the
// device form of a macro record.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "buttons/KeyNames.h"
#include "device/ApplyPlan.h"
#include "device/FunctionTypes.h"
#include "device/ProfileStore.h"
#include "device/ProtocolTrace.h"
#include "device/WriteSequence.h"
#include "localization/TextTable.h"
#include "macros/MacroEncoding.h"
#include "tools/Commands.h"

namespace {

constexpr const char* kButtonNames[kButtonCount] = {"left", "right", "middle", "upper side", "lower side",
                                                    "wheel up", "wheel down"};

bool ReadBytes(const std::string& path, std::vector<std::uint8_t>& bytes, std::size_t limit = SIZE_MAX) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.clear();
    char buffer[4096];
    while (bytes.size() < limit && in) {
        in.read(buffer, std::streamsize(std::min<std::size_t>(sizeof buffer, limit - bytes.size())));
        bytes.insert(bytes.end(), buffer, buffer + in.gcount());
    }
    return true;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "q7tctl: %s\n", message.c_str());
    return 1;
}

std::string Quoted(const std::u16string& text) { return "\"" + ToUtf8(text) + "\""; }

void ShowBinding(int index, const ButtonBinding& b) {
    std::uint32_t type = b.type;
    const char* key = FunctionNameKey(type);
    std::printf("button %d (%s): type %u", index, kButtonNames[index], unsigned(type));
    if (key) std::printf(" %s", key);
    if (type == FunctionType::Macro) {
        std::printf(", macro position %u, code from the macro write", unsigned(b.macroPosition));
    } else if (std::optional<std::uint32_t> code = DeviceCodeForBinding(b)) {
        std::printf(", device code %08X", unsigned(*code));
    } else {
        std::printf(", no device code");
    }
    std::printf(", text %s\n", Quoted(GetTextField(b.displayText)).c_str());
    if (type == FunctionType::Combination) {
        const KeyCombination& k = b.data.combination;
        std::printf("  combination: modifiers %02X, key %02X (%s)\n", k.modifiers, k.keyCode,
                    ToUtf8(CombinationText(k.modifiers, k.keyCode, true)).c_str());
    } else if (type == FunctionType::AdvancedAction) {
        const AdvancedAction& a = b.data.action;
        std::printf("  action %08X, target %s\n", unsigned(a.actionCode.get()), Quoted(GetTextField(a.targetPath)).c_str());
    }
}

int ShowProfile(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (!ReadBytes(path, bytes)) return Fail("cannot read " + path);
    auto s = std::make_unique<DeviceSettings>();
    std::uint8_t trailing = 0;
    DecodeProfileFile(bytes, *s, trailing);
    bool valid = s->magic == kSettingsMagic;
    std::printf("file: %zu bytes%s\n", bytes.size(),
                bytes.size() == kProfileFileSize ? "" : bytes.size() < kProfileFileSize ? " (short: the rest reads as zero)"
                                                                                         : " (longer than a profile)");
    std::printf("magic: %08X (%s)\n", unsigned(s->magic.get()), valid ? "valid" : "not a profile");
    PrintSettings(*s);
    std::printf("trailing byte: %02X\n", trailing);
    return valid ? 0 : 1;
}

int NewProfile(CommandArgs args) {
    if (args.size() != 2 && !(args.size() == 4 && std::strcmp(args[2], "--language") == 0)) return kUsageError;
    if (args.size() == 4) LoadLanguage(FromUtf8(std::filesystem::absolute(args[3]).string()));
    auto s = std::make_unique<DeviceSettings>();
    ResetToDefaults(*s);
    SetTextField(s->profileName, FromUtf8(args[0]));
    std::vector<std::uint8_t> bytes = EncodeProfileFile(*s, 0);
    std::ofstream out(args[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    if (!out) return Fail(std::string("cannot write ") + args[1]);
    return 0;
}

bool IsMacroFileName(const std::string& name, std::uint32_t& id) {
    if (name.size() != 12 || name.compare(8, 4, ".bin") != 0) return false;
    id = 0;
    for (int i = 0; i < 8; ++i) {
        char c = name[std::size_t(i)];
        int v = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (v < 0) return false;
        id = id << 4 | std::uint32_t(v);
    }
    return true;
}

}  // namespace

void PrintSettings(const DeviceSettings& settings) {
    const DeviceSettings* s = &settings;
    std::printf("name: %s\n", Quoted(GetTextField(s->profileName)).c_str());
    for (int i = 0; i < kButtonCount; ++i) ShowBinding(i, s->bindings[i]);
    std::printf("dpi levels: %u %u %u (table %s)\n", unsigned(s->dpiLevels[0]), unsigned(s->dpiLevels[1]),
                unsigned(s->dpiLevels[2]), [&] {
                    DpiTable t = BuildDpiTable(*s);
                    return HexBytes(t.data(), t.size());
                }().c_str());
    std::printf("report rate code: %u\n", unsigned(s->reportRate));
    std::printf("colour: custom %08X, preset %08X (swatch %u), in use: %s\n", unsigned(s->customColor),
                unsigned(s->presetColor), unsigned(s->presetIndex), s->customColorInUse != 0 ? "custom" : "preset");
    std::printf("lighting effect: %u, brightness %u, speed %u\n", unsigned(s->lightingEffect),
                unsigned(s->lightingBrightness), unsigned(s->lightingSpeed));
    std::printf("pointer: precision %u, speed %u\n", unsigned(s->pointerPrecision), unsigned(s->pointerSpeed));
    std::printf("lift height: %u\n", unsigned(s->liftHeight));
}

int RunProfile(CommandArgs args) {
    if (args.empty()) return kUsageError;
    if (std::strcmp(args[0], "show") == 0 && args.size() == 2) return ShowProfile(args[1]);
    if (std::strcmp(args[0], "new") == 0) return NewProfile(args.subspan(1));
    return kUsageError;
}

int RunPlan(CommandArgs args) {
    if (args.size() != 1 && !(args.size() == 3 && std::strcmp(args[1], "--macros") == 0)) return kUsageError;
    ApplyPlanInput input;
    if (!ReadBytes(args[0], input.profileFile, kProfileFileSize)) return Fail(std::string("cannot read ") + args[0]);
    if (args.size() == 3) {
        std::filesystem::path dir(args[2]);
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
            std::uint32_t id = 0;
            std::string name = entry.path().filename().string();
            std::vector<std::uint8_t> bytes;
            if (IsMacroFileName(name, id) && ReadBytes(entry.path().string(), bytes)) input.macros[id] = std::move(bytes);
        }
        if (error) return Fail("cannot read the folder " + dir.string());
        std::vector<std::uint8_t> config;
        if (ReadBytes((dir / "config.bin").string(), config, sizeof(ConfigInfo))) input.configInfo = std::move(config);
    }
    ApplyPlan plan = PlanApply(input);
    if (!plan.valid) return Fail(std::string(args[0]) + " is not a profile file (wrong magic)");
    for (const std::string& line : plan.lines) std::printf("%s\n", line.c_str());
    return plan.result == 1 ? 0 : 1;
}

int RunMacro(CommandArgs args) {
    if (args.size() != 2 || std::strcmp(args[0], "encode") != 0) return kUsageError;
    std::vector<std::uint8_t> bytes;
    if (!ReadBytes(args[1], bytes)) return Fail(std::string("cannot read ") + args[1]);
    MacroRecord record(std::move(bytes));
    if (!record.HasValidHeader()) std::fprintf(stderr, "q7tctl: warning: %s has no valid macro header\n", args[1]);
    MacroBuffer buffer;
    std::size_t entries = EncodeMacro(record, buffer);
    std::printf("entries %zu\n", entries);
    for (std::size_t line = 0; line < buffer.size(); line += 32) std::printf("%s\n", HexBytes(&buffer[line], 32).c_str());
    return 0;
}
