// A main window's worth of device state on the fakes: the driver link over a
// recording device, an in-memory registry and profile files, the profile
// store and the settings writer. Everything the link does lands in `log`.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "device/ProfileStore.h"
#include "device/ProtocolTrace.h"
#include "device/WriteSequence.h"
#include "platform/FakeDriverDevice.h"
#include "platform/MemoryRegistry.h"

// What the main window would show; recorded.
class CRecordingProfileView : public IProfileView {
public:
    void SetAutoSwitchBox(bool checked) override { autoSwitch.push_back(checked); }
    void ShowProgramButton(bool shown, const std::u16string& name) override {
        programButtonShown = shown;
        programButtonText = name;
    }
    void SetProfileSelection(const bool selected[kProfileCount], int index) override {
        for (int i = 0; i < kProfileCount; ++i) this->selected[std::size_t(i)] = selected[i];
        selectedIndex = index;
        ++selections;
    }
    void RefreshControls() override { ++refreshes; }
    void WriteSettingsToDevice(bool showProgress) override { writes.push_back(showProgress); }

    std::vector<bool> autoSwitch;
    bool programButtonShown = false;
    std::u16string programButtonText;
    std::array<bool, kProfileCount> selected{};
    int selectedIndex = -2;
    int selections = 0;
    int refreshes = 0;
    std::vector<bool> writes;
};

struct DeviceFixture {
    explicit DeviceFixture(IDriverDevice* backend = nullptr) : device(log, backend) {
        std::memset(&*settings, 0, sizeof *settings);
        std::memset(&*config, 0, sizeof *config);
    }

    // Default settings as profile 1, current, with its file present.
    void UseDefaultProfile() {
        ResetToDefaults(*settings);
        for (int i = 0; i < kProfileCount; ++i) {
            config->profiles[i].magic = kProfileEntryMagic;
            SetTextField(config->profiles[i].profileFile, store.ProfilePath(i));
        }
        config->profiles[0].active = 1;
        store.SetCurrentProfile(0);
        files.files[store.ProfilePath(0)] = std::vector<std::uint8_t>(kProfileFileSize, 0);
    }
    void OpenLink() {
        ASSERT_EQ(link.OpenDriverDevice(), 1);
        log.clear();
    }
    std::vector<std::string> Lines() const { return DescribeLog(log); }

    ProtocolLog log;
    CFakeDriverDevice device;
    CRecordingPauses pauses{log};
    CDriverLink link{device, pauses};
    CMemoryRegistry registry;
    CMemoryProfileFiles files;
    CRecordingMessages messages;
    CRecordingProfileView view;
    std::unique_ptr<DeviceSettings> settings = std::make_unique<DeviceSettings>();
    std::unique_ptr<ConfigInfo> config = std::make_unique<ConfigInfo>();
    CProfileStore store{*settings, *config, registry, files, messages, view, u"C:\\Q7T\\"};
    CRecordingPointerSettings pointer;
    CRecordingProgress progress{log};
    CSettingsWriter writer{link, registry, pointer, progress, store};
};
