#include "device/ProtocolTrace.h"

#include <cstdio>

#include "device/DriverTransport.h"

std::string HexBytes(const std::uint8_t* bytes, std::size_t count) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(count * 2);
    for (std::size_t i = 0; i < count; ++i) {
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 0xF];
    }
    return out;
}

namespace {
std::string DescribeRequest(const ProtocolStep& step) {
    const std::vector<std::uint8_t>& b = step.bytes;
    if (step.value == IOCTL_SET_OPTION) return b.size() == 4 ? "option " + std::to_string(ReadLE32(b.data())) : "option ?";
    if (step.value == IOCTL_READ_EVENT) return "read-event";
    if (step.value != IOCTL_SEND_REQUEST || b.size() != sizeof(DriverRequest)) {
        char text[64];
        std::snprintf(text, sizeof text, "control %06X (%zu bytes)", unsigned(step.value), b.size());
        return text;
    }
    std::uint32_t command = ReadLE32(b.data());
    std::uint32_t length = ReadLE32(b.data() + offsetof(DriverRequest, payloadLength));
    const std::uint8_t* payload = b.data() + offsetof(DriverRequest, payload);
    switch (command) {
        case DRV_REGISTER: return "register";
        case DRV_UNREGISTER: return "unregister";
        case DRV_ENABLE: return "enable";
        case DRV_SETTING: return "setting " + HexBytes(payload, 8);
        case DRV_DATA: return "data " + HexBytes(payload, length <= kMaxDataBlock ? length : kMaxDataBlock);
        default: return "request " + std::to_string(command);
    }
}
}  // namespace

std::string DescribeStep(const ProtocolStep& step) {
    switch (step.kind) {
        case ProtocolStep::Pause: return "sleep " + std::to_string(step.value);
        case ProtocolStep::Progress: return "progress " + std::to_string(step.value);
        case ProtocolStep::ProgressOpened: return "progress-open";
        case ProtocolStep::ProgressClosed: return "progress-close";
        case ProtocolStep::Request: break;
    }
    std::string text = DescribeRequest(step);
    if (!step.succeeded) text += " (refused)";
    return text;
}

std::vector<std::string> DescribeLog(const ProtocolLog& log) {
    std::vector<std::string> lines;
    lines.reserve(log.size());
    for (const ProtocolStep& s : log) lines.push_back(DescribeStep(s));
    return lines;
}
