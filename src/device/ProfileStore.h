// The five profiles: each one's settings in Profile\Profile1.cfg ..
// Profile5.cfg beside the program, the profile table in the registry value
// "ConfigInfo" under HKEY_LOCAL_MACHINE\Software\VELDA\Q7TMouse, and the
// fallback that keeps profile 1 in "DefaultSetting" when its file cannot be
// written. The main window owns one store and shows what it reports.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "device/SettingsRecords.h"
#include "platform/ProfileFiles.h"
#include "platform/Registry.h"
#include "platform/UserMessages.h"

constexpr char16_t kSettingsKey[] = u"Software\\VELDA\\Q7TMouse";
constexpr std::size_t kProfileFileSize = sizeof(DeviceSettings) + 1;  // the record and the trailing byte
static_assert(kProfileFileSize == 22589);

// What the main window shows of the profiles.
class IProfileView {
public:
    virtual ~IProfileView() = default;
    virtual void SetAutoSwitchBox(bool checked) = 0;
    // The program button: shown only for an auto-switching profile, with its program name.
    virtual void ShowProgramButton(bool shown, const std::u16string& programName) = 0;
    // The profile selector buttons: which are marked selected, and the index remembered as selected.
    virtual void SetProfileSelection(const bool selected[kProfileCount], int selectedIndex) = 0;
    virtual void RefreshControls() = 0;
    virtual void WriteSettingsToDevice(bool showProgress) = 0;
};

class CProfileStore {
public:
    // `programFolder` ends with a backslash.
    CProfileStore(DeviceSettings& settings, ConfigInfo& config, IRegistry& registry, IProfileFiles& files,
                  IUserMessages& messages, IProfileView& view, std::u16string programFolder);

    void EnsureFirstRunValue();
    void LoadConfigInfo();
    // 1 loaded, 0 not loaded, -1 present but invalid. The settings being
    // edited change only when it returns 1 (or when a missing file was
    // created with defaults). An empty path counts as none.
    int LoadProfileFile(std::u16string_view path, bool createIfMissing, std::u16string_view name);
    int CreateDefaultProfileFile(std::u16string_view path, std::u16string_view name);
    void SaveProfileFile();
    void SwitchProfile(int entryIndex, bool writeToDevice);

    // Program folder, "Profile\", "Profile<n>.cfg".
    std::u16string ProfilePath(int entryIndex) const;

    DeviceSettings& Settings() { return settings_; }
    ConfigInfo& Config() { return config_; }
    // Index of the current profile's entry, -1 before one was selected.
    int CurrentProfile() const { return current_; }
    void SetCurrentProfile(int index) { current_ = index; }
    std::uint8_t TrailingByte() const { return trailingByte_; }
    bool ProfileOneInRegistry() const { return profileOneInRegistry_; }

private:
    int LoadProfileFile(std::u16string_view path, bool createIfMissing, std::u16string_view name, bool& created);
    void ShowSelection();

    DeviceSettings& settings_;
    ConfigInfo& config_;
    IRegistry& registry_;
    IProfileFiles& files_;
    IUserMessages& messages_;
    IProfileView& view_;
    std::u16string programFolder_;
    int current_ = -1;
    std::uint8_t trailingByte_ = 0;
    bool profileOneInRegistry_ = false;
};

// Decodes a profile file's bytes (a short file leaves the rest zero).
void DecodeProfileFile(const std::vector<std::uint8_t>& bytes, DeviceSettings& settings, std::uint8_t& trailingByte);
std::vector<std::uint8_t> EncodeProfileFile(const DeviceSettings& settings, std::uint8_t trailingByte);
