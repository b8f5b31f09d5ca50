#include "virtual-mouse/SimulatedMouse.h"

#include <cstring>

#include "device/ByteOrder.h"
#include "device/DriverTransport.h"

bool CSimulatedMouse::Open() {
    if (!plugged_) return false;
    open_ = true;
    return true;
}

void CSimulatedMouse::Close() {
    open_ = false;
    registered_ = false;
    enabled_ = false;
    target_ = Target::None;
}

void CSimulatedMouse::SetPlugged(bool plugged) {
    plugged_ = plugged;
    if (!plugged) Close();
}

bool CSimulatedMouse::IsDevicePresent(std::u16string_view part) {
    return plugged_ && ContainsIgnoringCase(hardwareId, part);
}

bool CSimulatedMouse::Refuse(const char* why) {
    ++refusals_;
    lastRefusal_ = why;
    return false;
}

bool CSimulatedMouse::Control(std::uint32_t code, const void* in, std::size_t inSize, void* out,
                              std::size_t outSize) {
    if (!open_) return Refuse("device not open");
    const auto* bytes = static_cast<const std::uint8_t*>(in);
    switch (code) {
        case IOCTL_SET_OPTION:
            if (!in || inSize != 4 || out || outSize) return Refuse("option: wrong buffers");
            option_ = ReadLE32(bytes);
            return true;
        case IOCTL_READ_EVENT: {
            if (!in || !out || inSize != sizeof(DriverEvent) || outSize != sizeof(DriverEvent))
                return Refuse("event read: wrong buffers");
            if (!registered_) return Refuse("event read: not registered");
            if (events_.empty()) return Refuse("event read: nothing queued");
            // The driver fills the caller's buffer in place: only the event word changes.
            if (out != in) std::memmove(out, in, sizeof(DriverEvent));
            WriteLE32(static_cast<std::uint8_t*>(out), events_.front());
            events_.pop_front();
            return true;
        }
        case IOCTL_SEND_REQUEST:
            if (!in || inSize != sizeof(DriverRequest) || out || outSize) return Refuse("request: wrong buffers");
            return Request(bytes);
        default:
            return Refuse("unknown control code");
    }
}

bool CSimulatedMouse::Request(const std::uint8_t* r) {
    if (ReadLE32(r + offsetof(DriverRequest, deviceIdentity)) != kDeviceIdentity) return Refuse("wrong device identity");
    std::uint32_t command = ReadLE32(r);
    std::uint32_t length = ReadLE32(r + offsetof(DriverRequest, payloadLength));
    const std::uint8_t* payload = r + offsetof(DriverRequest, payload);
    switch (command) {
        case DRV_REGISTER:
            registered_ = true;
            semaphore_ = ReadLE32(r + offsetof(DriverRequest, semaphoreHandle));
            return true;
        case DRV_UNREGISTER:
            registered_ = false;
            enabled_ = false;
            return true;
        case DRV_ENABLE:
            if (!registered_) return Refuse("enable: not registered");
            if (ReadLE32(r + offsetof(DriverRequest, enableWord)) != kEnableWord) return Refuse("enable: wrong word");
            enabled_ = true;
            return true;
        case DRV_SETTING:
            if (!registered_) return Refuse("setting: not registered");
            if (length != 8) return Refuse("setting: length is not 8");
            if (ReadLE32(r + offsetof(DriverRequest, settingTag)) != kSettingTag) return Refuse("setting: wrong tag");
            return Setting(payload);
        case DRV_DATA:
            if (!registered_) return Refuse("data: not registered");
            if (length == 0 || length > kMaxDataBlock) return Refuse("data: wrong length");
            return Data(payload, length);
        default:
            return Refuse("unknown command");
    }
}

bool CSimulatedMouse::Setting(const std::uint8_t* p) {
    // A new setting ends any transfer still waiting for data; what it had
    // received is dropped, not applied.
    target_ = Target::None;
    received_.clear();
    std::uint32_t announced = std::uint32_t(p[3]) | std::uint32_t(p[4]) << 8;
    switch (p[0]) {
        case 0x12:
            if (p[1] != 1 || p[2] != 0 || announced != 64) return Refuse("button table: malformed header");
            target_ = Target::ButtonTable;
            expected_ = 64;
            return true;
        case 0x13:
            if (p[1] != 1 || p[2] < 1 || p[2] > 7 || announced != 512) return Refuse("macro: malformed header");
            target_ = Target::Macro;
            targetSlot_ = p[2];
            expected_ = 512;
            return true;
        case 0x11:
            if (p[1] != 1 || p[2] != 3 || announced != 16) return Refuse("DPI table: malformed header");
            target_ = Target::DpiTable;
            expected_ = 16;
            return true;
        case 0x0C:
            if (p[1] != 1) return Refuse("colour: malformed");
            state_.green = p[2];
            state_.red = p[3];
            state_.blue = p[4];
            return true;
        case 0x0D:
            if (p[1] != 1) return Refuse("effect: malformed");
            state_.effect = {p[2], p[3], p[4]};
            return true;
        case 0x01:
            state_.reportInterval = p[1];
            return true;
        case 0x04:
            state_.liftHeight = p[1];
            return true;
        default:
            return Refuse("unknown setting");
    }
}

bool CSimulatedMouse::Data(const std::uint8_t* bytes, std::size_t length) {
    if (target_ == Target::None) return Refuse("data without an announcing packet");
    if (received_.size() + length > expected_) {
        target_ = Target::None;
        received_.clear();
        return Refuse("data longer than announced");
    }
    received_.insert(received_.end(), bytes, bytes + length);
    if (received_.size() == expected_) Commit();
    return true;
}

void CSimulatedMouse::Commit() {
    switch (target_) {
        case Target::ButtonTable:
            for (std::size_t i = 0; i < 16; ++i) state_.buttonTable[i] = ReadLE32(&received_[4 * i]);
            state_.buttonTableWritten = true;
            break;
        case Target::Macro:
            std::memcpy(state_.macroSlots[targetSlot_ - 1].data(), received_.data(), 512);
            state_.macroWritten[targetSlot_ - 1] = true;
            break;
        case Target::DpiTable:
            std::memcpy(state_.dpiTable.data(), received_.data(), 16);
            state_.dpiTableWritten = true;
            break;
        case Target::None:
            break;
    }
    target_ = Target::None;
    received_.clear();
}
