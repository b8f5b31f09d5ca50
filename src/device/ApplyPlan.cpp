#include "device/ApplyPlan.h"

#include <cstring>
#include <memory>

#include "device/ProfileStore.h"
#include "device/ProtocolTrace.h"
#include "device/WriteSequence.h"
#include "macros/MacroStore.h"
#include "platform/FakeDriverDevice.h"
#include "platform/MemoryRegistry.h"

namespace {
class CSilentView : public IProfileView {
public:
    void SetAutoSwitchBox(bool) override {}
    void ShowProgramButton(bool, const std::u16string&) override {}
    void SetProfileSelection(const bool[kProfileCount], int) override {}
    void RefreshControls() override {}
    void WriteSettingsToDevice(bool) override {}
};
}  // namespace

ApplyPlan PlanApply(const ApplyPlanInput& input) {
    ApplyPlan plan;
    auto settings = std::make_unique<DeviceSettings>();
    auto config = std::make_unique<ConfigInfo>();
    std::uint8_t trailing = 0;
    DecodeProfileFile(input.profileFile, *settings, trailing);
    if (settings->magic != kSettingsMagic) return plan;
    plan.valid = true;

    std::memset(config.get(), 0, sizeof *config);
    if (input.configInfo) {
        std::size_t n = input.configInfo->size() < sizeof *config ? input.configInfo->size() : sizeof *config;
        std::memcpy(config.get(), input.configInfo->data(), n);
    }
    for (int i = 0; i < kProfileCount; ++i) {
        const ProfileEntry& e = config->profiles[i];
        if (e.magic == kProfileEntryMagic && e.active != 0) {
            plan.profileIndex = i;
            break;
        }
    }

    CMemoryRegistry registry;
    for (const auto& [id, bytes] : input.macros) registry.PutValue(MacroKeyPath(id), u"", kRegBinary, bytes);
    CMemoryProfileFiles files;
    CRecordingMessages messages;
    CSilentView view;
    CProfileStore store(*settings, *config, registry, files, messages, view, u"C:\\");
    store.SetCurrentProfile(plan.profileIndex);

    ProtocolLog log;
    CFakeDriverDevice device(log);
    CRecordingPauses pauses(log);
    CDriverLink link(device, pauses);
    link.OpenDriverDevice();
    log.clear();  // the device is open before any Apply
    CRecordingPointerSettings pointer;
    CRecordingProgress progress(log);
    CSettingsWriter writer(link, registry, pointer, progress, store);
    plan.result = writer.WriteSettingsToDevice(true);

    for (const ProtocolStep& step : log) {
        if (step.kind == ProtocolStep::ProgressOpened || step.kind == ProtocolStep::ProgressClosed) continue;
        plan.lines.push_back(DescribeStep(step));
    }
    return plan;
}
