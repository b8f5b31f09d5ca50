// The apply path: the current settings become the fixed series of driver
// requests that programs the mouse (button functions with their macros,
// lighting, DPI, report interval, lift height), then the Windows pointer
// options, the profile table in the registry and the current profile's file.
// The order, the packets, the pauses and the progress values are what the
// mouse expects and must not change.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "device/DriverTransport.h"
#include "device/ProfileStore.h"
#include "device/SettingsRecords.h"
#include "platform/PointerSettings.h"
#include "platform/ProtocolLog.h"
#include "platform/Registry.h"

constexpr std::size_t kButtonTableSize = 64;
constexpr std::size_t kDpiTableSize = 16;
constexpr std::uint32_t kSlot3Code = 0x00030007;
// Button index to button-table slot.
constexpr int kButtonSlot[kButtonCount] = {0, 1, 2, 4, 5, 14, 15};

using ButtonTable = std::array<std::uint8_t, kButtonTableSize>;
using DpiTable = std::array<std::uint8_t, kDpiTableSize>;

// The progress dialog as the write sequence drives it.
class IWriteProgress {
public:
    virtual ~IWriteProgress() = default;
    virtual void Open() = 0;              // create and show it
    virtual void SetPosition(int position) = 0;
    virtual void Close() = 0;             // destroy it
};

// Records the progress dialog's life and positions in a protocol log.
class CRecordingProgress : public IWriteProgress {
public:
    explicit CRecordingProgress(ProtocolLog& log) : log_(log) {}
    void Open() override { log_.push_back({ProtocolStep::ProgressOpened, 0, {}, true}); }
    void SetPosition(int position) override {
        log_.push_back({ProtocolStep::Progress, std::uint32_t(position), {}, true});
    }
    void Close() override { log_.push_back({ProtocolStep::ProgressClosed, 0, {}, true}); }

private:
    ProtocolLog& log_;
};

// The device code of a binding's function, or nothing for a type without one
// (the slot then stays 0). Macros (type 6) get theirs from the macro write.
std::optional<std::uint32_t> DeviceCodeForBinding(const ButtonBinding& binding);
std::uint8_t DpiLevelCode(std::uint32_t dpi);
DpiTable BuildDpiTable(const DeviceSettings& settings);
// The colour in use: the custom colour when its flag is set, else the preset colour.
SettingPacket LightingColourPacket(const DeviceSettings& settings);
SettingPacket LightingEffectPacket(const DeviceSettings& settings);
SettingPacket ButtonTablePacket();
SettingPacket DpiTablePacket();
SettingPacket ReportIntervalPacket(const DeviceSettings& settings);
SettingPacket LiftHeightPacket(const DeviceSettings& settings);
std::uint32_t ButtonTableSlot(const ButtonTable& table, int slot);

// Windows pointer precision and speed from the settings.
void ApplyPointerOptions(IPointerSettings& pointer, const DeviceSettings& settings);

class CSettingsWriter {
public:
    CSettingsWriter(CDriverLink& link, IRegistry& registry, IPointerSettings& pointer, IWriteProgress& progress,
                    CProfileStore& profiles)
        : link_(link), registry_(registry), pointer_(pointer), progress_(progress), profiles_(profiles) {}

    // 1 when the settings reached the mouse, 0 when the mouse is absent or a
    // required request (button table, lift height) failed; after a failure
    // the profile table and the profile file are not stored.
    int WriteSettingsToDevice(bool showProgress);

    // The button table of the last write (for tests and the dry run).
    const ButtonTable& LastButtonTable() const { return table_; }

private:
    int Fail(bool showProgress);
    void Step(bool showProgress, int position);

    CDriverLink& link_;
    IRegistry& registry_;
    IPointerSettings& pointer_;
    IWriteProgress& progress_;
    CProfileStore& profiles_;
    ButtonTable table_{};
};
