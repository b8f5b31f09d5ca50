#include "device/ProfileStore.h"

#include <cstring>
#include <memory>

#include "localization/TextTable.h"

namespace {
constexpr char16_t kFirstRun[] = u"FirstRun";
constexpr char16_t kConfigInfo[] = u"ConfigInfo";
constexpr char16_t kDefaultSetting[] = u"DefaultSetting";

std::u16string ProfileName(int index) {
    const std::u16string* names[kProfileCount] = {&str_profile1, &str_profile2, &str_profile3, &str_profile4,
                                                  &str_profile5};
    return *names[index];
}
}  // namespace

void DecodeProfileFile(const std::vector<std::uint8_t>& bytes, DeviceSettings& settings, std::uint8_t& trailing) {
    std::memset(&settings, 0, sizeof settings);
    trailing = 0;
    std::size_t n = bytes.size() < sizeof settings ? bytes.size() : sizeof settings;
    if (n) std::memcpy(&settings, bytes.data(), n);
    if (bytes.size() > sizeof settings) trailing = bytes[sizeof settings];
}

std::vector<std::uint8_t> EncodeProfileFile(const DeviceSettings& settings, std::uint8_t trailing) {
    std::vector<std::uint8_t> bytes(kProfileFileSize);
    std::memcpy(bytes.data(), &settings, sizeof settings);
    bytes[sizeof settings] = trailing;
    return bytes;
}

CProfileStore::CProfileStore(DeviceSettings& settings, ConfigInfo& config, IRegistry& registry, IProfileFiles& files,
                             IUserMessages& messages, IProfileView& view, std::u16string programFolder)
    : settings_(settings), config_(config), registry_(registry), files_(files), messages_(messages), view_(view),
      programFolder_(std::move(programFolder)) {}

std::u16string CProfileStore::ProfilePath(int index) const {
    return programFolder_ + u"Profile\\Profile" + char16_t(u'1' + index) + u".cfg";
}

void CProfileStore::EnsureFirstRunValue() {
    CScopedRegKey key(registry_);
    bool created = false;
    if (registry_.OpenKey(kSettingsKey, kSettingsKeyAccess, key.Out()) != kRegOk &&
        registry_.CreateKey(kSettingsKey, kSettingsKeyAccess, key.Out(), created) != kRegOk)
        return;
    std::uint8_t buffer[4] = {1, 0, 0, 0};
    std::uint32_t size = sizeof buffer;
    if (!created) {
        std::uint32_t type = 0;
        long result = registry_.QueryValue(key.Get(), kFirstRun, type, buffer, size);
        if (result == kRegOk && type == kRegBinary) return;
        // A short value of another type is rewritten from what the query
        // left. When the query failed (missing, or too long for the buffer,
        // whose contents are then undefined) the value written is 01 00 00 00,
        // never a length beyond the buffer.
        if (result != kRegOk) {
            buffer[0] = 1, buffer[1] = buffer[2] = buffer[3] = 0;
            size = sizeof buffer;
        }
    }
    registry_.SetValue(key.Get(), kFirstRun, kRegBinary, buffer, size);
}

void CProfileStore::LoadConfigInfo() {
    std::memset(&config_, 0, sizeof config_);
    CScopedRegKey key(registry_);
    if (registry_.OpenKey(kSettingsKey, kSettingsKeyAccess, key.Out()) == kRegOk) {
        std::uint32_t type = 0;
        std::uint32_t size = sizeof config_;
        long result = registry_.QueryValue(key.Get(), kConfigInfo, type, reinterpret_cast<std::uint8_t*>(&config_), size);
        if (result != kRegOk || type != kRegBinary) {
            std::memset(&config_, 0, sizeof config_);  // nothing of a value of another type is kept
            registry_.SetValue(key.Get(), kConfigInfo, kRegBinary, reinterpret_cast<const std::uint8_t*>(&config_),
                               sizeof config_);
        }
    } else {
        bool created = false;
        if (registry_.CreateKey(kSettingsKey, kSettingsKeyAccess, key.Out(), created) == kRegOk)
            registry_.SetValue(key.Get(), kConfigInfo, kRegBinary, reinterpret_cast<const std::uint8_t*>(&config_),
                               sizeof config_);
    }

    for (int i = 0; i < kProfileCount; ++i) {
        SetTextField(config_.profiles[i].profileFile, ProfilePath(i));
        config_.profiles[i].magic = kProfileEntryMagic;
    }

    current_ = -1;
    for (int i = 0; i < kProfileCount; ++i) {
        ProfileEntry& e = config_.profiles[i];
        if (e.magic != kProfileEntryMagic || e.active == 0) continue;
        std::u16string path = GetTextField(e.profileFile);
        std::u16string name = GetTextField(e.profileName);
        if (LoadProfileFile(path, true, name) == 1) {
            current_ = i;
            break;
        }
        e.active = 0;
        CreateDefaultProfileFile(path, name);
    }

    for (int i = 0; i < kProfileCount; ++i) SetTextField(config_.profiles[i].profileName, ProfileName(i));

    if (current_ < 0) {
        ProfileEntry& first = config_.profiles[0];
        std::u16string path = GetTextField(first.profileFile);
        std::u16string name = GetTextField(first.profileName);
        if (LoadProfileFile(path, false, name) != 1) CreateDefaultProfileFile(path, name);
        first.active = 1;
        current_ = 0;
    } else {
        const ProfileEntry& e = config_.profiles[current_];
        view_.SetAutoSwitchBox(e.autoSwitch != 0);
        view_.ShowProgramButton(e.autoSwitch != 0, GetTextField(e.programName));
    }
    ShowSelection();
}

void CProfileStore::ShowSelection() {
    bool selected[kProfileCount];
    for (int i = 0; i < kProfileCount; ++i)
        selected[i] = config_.profiles[i].magic == kProfileEntryMagic && config_.profiles[i].active != 0;
    view_.SetProfileSelection(selected, current_);
}

int CProfileStore::LoadProfileFile(std::u16string_view path, bool createIfMissing, std::u16string_view name) {
    bool created = false;
    return LoadProfileFile(path, createIfMissing, name, created);
}

int CProfileStore::LoadProfileFile(std::u16string_view path, bool createIfMissing, std::u16string_view name,
                                   bool& created) {
    created = false;
    if (path.empty()) return 0;
    std::u16string file(path);

    if (profileOneInRegistry_ && file.find(u"Profile1.cfg") != std::u16string::npos) {
        CScopedRegKey key(registry_);
        if (registry_.OpenKey(kSettingsKey, kSettingsKeyAccess, key.Out()) == kRegOk) {
            auto loaded = std::make_unique<DeviceSettings>();
            std::memset(loaded.get(), 0, sizeof *loaded);
            std::uint32_t type = 0;
            std::uint32_t size = sizeof *loaded;
            if (registry_.QueryValue(key.Get(), kDefaultSetting, type, reinterpret_cast<std::uint8_t*>(loaded.get()),
                                     size) == kRegOk &&
                type == kRegBinary) {
                settings_ = *loaded;
                return 1;
            }
        }
    }

    std::vector<std::uint8_t> bytes;
    FileStatus status = files_.Read(file, kProfileFileSize, bytes);
    if (status == FileStatus::Ok) {
        // Decoded apart from the settings being edited: a file that turns out
        // invalid must not replace them, or the next Apply would save another
        // file's bytes as the current profile.
        auto loaded = std::make_unique<DeviceSettings>();
        std::uint8_t trailing = 0;
        DecodeProfileFile(bytes, *loaded, trailing);
        if (loaded->magic != kSettingsMagic) {
            messages_.ShowInfo(FormatMessageTemplate(str_msg3, file));
            return -1;
        }
        settings_ = *loaded;
        trailingByte_ = trailing;
        return 1;
    }
    if (status == FileStatus::NotFound && createIfMissing) created = CreateDefaultProfileFile(file, name) == 1;
    return 0;
}

int CProfileStore::CreateDefaultProfileFile(std::u16string_view path, std::u16string_view name) {
    files_.CreateFolder(programFolder_ + u"Profile");  // errors are ignored
    auto defaults = std::make_unique<DeviceSettings>();
    ResetToDefaults(*defaults);
    SetTextField(defaults->profileName, name);
    if (files_.WriteWhole(std::u16string(path), EncodeProfileFile(*defaults, 0)) != FileStatus::Ok) return 0;
    settings_ = *defaults;
    trailingByte_ = 0;
    return 1;
}

void CProfileStore::SaveProfileFile() {
    if (current_ < 0) return;
    const ProfileEntry& entry = config_.profiles[current_];
    std::u16string path = GetTextField(entry.profileFile);
    FileStatus status = files_.OpenExisting(path);
    if (status == FileStatus::Ok) {
        status = files_.WriteWhole(path, EncodeProfileFile(settings_, trailingByte_));
        if (status != FileStatus::AccessDenied) return;  // saved, or nothing can be done
    }
    if (status == FileStatus::NotFound) {
        messages_.ShowInfo(FormatMessageTemplate(str_msg2, path));
    } else if (status == FileStatus::AccessDenied) {
        if (GetTextField(entry.profileName) != str_profile1) return;
        CScopedRegKey key(registry_);
        if (registry_.OpenKey(kSettingsKey, kSettingsKeyAccess, key.Out()) != kRegOk) {
            messages_.ShowInfo(str_msg5);
        } else if (registry_.SetValue(key.Get(), kDefaultSetting, kRegBinary,
                                      reinterpret_cast<const std::uint8_t*>(&settings_), sizeof settings_) != kRegOk) {
            messages_.ShowInfo(str_msg5);
        } else {
            profileOneInRegistry_ = true;
        }
    }
}

void CProfileStore::SwitchProfile(int index, bool writeToDevice) {
    if (index < 0 || index >= kProfileCount) return;
    ProfileEntry& entry = config_.profiles[index];
    bool created = false;
    int result = LoadProfileFile(GetTextField(entry.profileFile), true, GetTextField(entry.profileName), created);
    // A profile used for the first time has just been created with defaults:
    // it is switched to like any other, so that the defaults never land in
    // the profile that was current before.
    if (result != 1 && !created) return;
    current_ = index;
    view_.SetAutoSwitchBox(entry.autoSwitch != 0);
    for (int i = 0; i < kProfileCount; ++i) config_.profiles[i].active = 0;
    entry.active = 1;
    ShowSelection();
    if (writeToDevice) view_.WriteSettingsToDevice(false);
    view_.RefreshControls();
}
