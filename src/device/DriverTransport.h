// The link to the mouse through its kernel driver: the 180-byte request and
// the 60-byte event that the driver exchanges with DeviceIoControl, and the
// send operations that build them. What the payloads mean is the write
// sequence's business; the event thread and the hidden window live in win/.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "device/ByteOrder.h"
#include "platform/DriverDevice.h"
#include "platform/Pauses.h"

// Request commands.
constexpr std::uint32_t DRV_REGISTER = 1;
constexpr std::uint32_t DRV_UNREGISTER = 2;
constexpr std::uint32_t DRV_SETTING = 8;
constexpr std::uint32_t DRV_ENABLE = 32;
constexpr std::uint32_t DRV_DATA = 256;

// USB product ID 0x6B02 in the high half, vendor ID 0x3F1C in the low half.
constexpr std::uint32_t kDeviceIdentity = 0x6B023F1C;
constexpr std::uint32_t kEnableWord = 0x00010004;
constexpr std::uint32_t kSettingTag = 0x00020300;
constexpr std::uint32_t kSetOptionValue = 15;
constexpr std::size_t kMaxDataBlock = 32;
// The pause before each 32-byte chunk of a long payload.
constexpr std::uint32_t kChunkPauseMs = 20;
// What the mouse's hardware ID contains.
constexpr char16_t kMouseHardwareId[] = u"VID_3F1C&PID_6B02";

// Window message posted to the notify window for each driver event.
constexpr unsigned kWmDeviceEvent = 2027;  // WM_DEVICE_EVENT

// An 8-byte setting message; byte 0 names the setting.
struct SettingPacket {
    std::uint8_t bytes[8];
};
static_assert(sizeof(SettingPacket) == 8);

struct DriverRequest {
    LE32 command;                  // 0
    std::uint8_t reserved1[8];     // 4
    LE32 enableWord;               // 12: DRV_ENABLE only
    LE32 enableArgument;           // 16: DRV_ENABLE only
    std::uint8_t reserved2[4];     // 20
    LE32 payloadLength;            // 24: DRV_SETTING 8, DRV_DATA 1..32
    LE32 settingTag;               // 28: DRV_SETTING only
    std::uint8_t payload[32];      // 32
    std::uint8_t reserved3[52];    // 64
    LE32 deviceIdentity;           // 116: always kDeviceIdentity
    std::uint8_t reserved4[52];    // 120
    LE32 semaphoreHandle;          // 172: DRV_REGISTER only
    std::uint8_t reserved5[4];     // 176
};
static_assert(sizeof(DriverRequest) == 180);
static_assert(offsetof(DriverRequest, command) == 0);
static_assert(offsetof(DriverRequest, enableWord) == 12);
static_assert(offsetof(DriverRequest, enableArgument) == 16);
static_assert(offsetof(DriverRequest, payloadLength) == 24);
static_assert(offsetof(DriverRequest, settingTag) == 28);
static_assert(offsetof(DriverRequest, payload) == 32);
static_assert(offsetof(DriverRequest, deviceIdentity) == 116);
static_assert(offsetof(DriverRequest, semaphoreHandle) == 172);

struct DriverEvent {
    LE32 eventWord;                // 0: the only field the program reads back
    LE32 deviceIdentity;           // 4: set once before the first read
    std::uint8_t rest[52];         // 8: whatever the driver returned last
};
static_assert(sizeof(DriverEvent) == 60);
static_assert(offsetof(DriverEvent, eventWord) == 0);
static_assert(offsetof(DriverEvent, deviceIdentity) == 4);

// A zero-filled request with the command and the device identity.
DriverRequest MakeDriverRequest(std::uint32_t command);
// A zero-filled event buffer with the device identity, ready for the first read.
DriverEvent MakeDriverEvent();
// One event read into `buffer`, which keeps what the driver returned for the
// next read. False when the device is not open or the read fails.
bool ReadDriverEvent(IDriverDevice& device, DriverEvent& buffer);

// Whether the mouse is plugged in: a present USB device whose hardware ID
// contains the search text (always kMouseHardwareId).
inline bool IsMousePresent(IDriverDevice& device, std::u16string_view searchText = kMouseHardwareId) {
    return device.IsDevicePresent(searchText);
}

// A program-action event from the mouse: all three of bits 30, 15 and 14 set.
struct DeviceEventAction {
    bool isAction;       // false: the event word is ignored
    unsigned button;     // bits 8..11: 0..6 binding index, 9/10/11 screenshot
    unsigned kind;       // (word >> 8) & 0xF0: 0xC0 sound, 0xD0 program, 0xE0 file, 0xF0 folder
};
DeviceEventAction DecodeDeviceEvent(std::uint32_t word);

// The driver link: the device handle (inside the device port) and the send
// operations. All of them run on the UI thread and return 1 on success, 0 on
// failure.
class CDriverLink {
public:
    CDriverLink(IDriverDevice& device, IPauses& pauses) : device_(device), pauses_(pauses) {}

    // The handle value of the event semaphore, given to the driver on register.
    void SetEventSemaphore(std::uint32_t handleValue) { semaphore_ = handleValue; }

    bool HasDevice() const { return device_.IsOpen(); }
    IDriverDevice& Device() { return device_; }
    IPauses& Pauses() { return pauses_; }

    int OpenDriverDevice();
    int CloseDriverDevice();
    int SendEnableRequest();
    int SendSettingPacket(const SettingPacket* packet);
    int SendDataBlock(const std::uint8_t* data, std::size_t length);
    int SendDataChunks(const std::uint8_t* data, std::size_t length);

private:
    bool Send(const DriverRequest& request);

    IDriverDevice& device_;
    IPauses& pauses_;
    std::uint32_t semaphore_ = 0;
};
