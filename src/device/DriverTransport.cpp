#include "device/DriverTransport.h"

#include <cstring>

DriverRequest MakeDriverRequest(std::uint32_t command) {
    DriverRequest r;
    std::memset(&r, 0, sizeof r);
    r.command = command;
    r.deviceIdentity = kDeviceIdentity;
    return r;
}

DriverEvent MakeDriverEvent() {
    DriverEvent e;
    std::memset(&e, 0, sizeof e);
    e.deviceIdentity = kDeviceIdentity;
    return e;
}

bool ReadDriverEvent(IDriverDevice& device, DriverEvent& buffer) {
    if (!device.IsOpen()) return false;
    return device.Control(IOCTL_READ_EVENT, &buffer, sizeof buffer, &buffer, sizeof buffer);
}

DeviceEventAction DecodeDeviceEvent(std::uint32_t word) {
    DeviceEventAction a{};
    a.isAction = (word & 0x4000C000u) == 0x4000C000u;
    a.button = (word >> 8) & 0x0F;
    a.kind = (word >> 8) & 0xF0;
    return a;
}

bool CDriverLink::Send(const DriverRequest& request) {
    return device_.Control(IOCTL_SEND_REQUEST, &request, sizeof request, nullptr, 0);
}

int CDriverLink::OpenDriverDevice() {
    // A handle still open from before is replaced, as the driver expects one
    // registration per open; the port closes the old one first.
    if (!device_.Open()) return 0;
    std::uint8_t option[4];
    WriteLE32(option, kSetOptionValue);
    device_.Control(IOCTL_SET_OPTION, option, sizeof option, nullptr, 0);  // result ignored
    DriverRequest r = MakeDriverRequest(DRV_REGISTER);
    r.semaphoreHandle = semaphore_;
    if (!Send(r)) {
        device_.Close();
        return 0;
    }
    return 1;
}

int CDriverLink::CloseDriverDevice() {
    if (device_.IsOpen()) {
        Send(MakeDriverRequest(DRV_UNREGISTER));  // result ignored
        device_.Close();
    }
    return 1;
}

int CDriverLink::SendEnableRequest() {
    DriverRequest r = MakeDriverRequest(DRV_ENABLE);
    r.enableWord = kEnableWord;
    r.enableArgument = 0;
    return Send(r) ? 1 : 0;
}

int CDriverLink::SendSettingPacket(const SettingPacket* packet) {
    if (!packet) return 0;
    DriverRequest r = MakeDriverRequest(DRV_SETTING);
    r.payloadLength = sizeof packet->bytes;
    r.settingTag = kSettingTag;
    std::memcpy(r.payload, packet->bytes, sizeof packet->bytes);
    return Send(r) ? 1 : 0;
}

int CDriverLink::SendDataBlock(const std::uint8_t* data, std::size_t length) {
    if (!data || length > kMaxDataBlock) return 0;
    DriverRequest r = MakeDriverRequest(DRV_DATA);
    r.payloadLength = std::uint32_t(length);
    if (length) std::memcpy(r.payload, data, length);
    return Send(r) ? 1 : 0;
}

int CDriverLink::SendDataChunks(const std::uint8_t* data, std::size_t length) {
    if (!data || length % kMaxDataBlock != 0) return 0;
    for (std::size_t offset = 0; offset < length; offset += kMaxDataBlock) {
        pauses_.Pause(kChunkPauseMs);
        if (!device_.IsOpen()) return 0;
        if (!SendDataBlock(data + offset, kMaxDataBlock)) return 0;
    }
    return 1;
}
