#include "virtual-mouse/VirtualMouseText.h"

#include <cstdio>

#include "device/ByteOrder.h"
#include "device/DriverTransport.h"
#include "device/ProtocolTrace.h"
#include "device/WriteSequence.h"

const char kVirtualMouseUsage[] =
    "usage: VirtualMouse.exe [--unplugged]   runs the virtual mouse (plugged in unless --unplugged)\n"
    "       VirtualMouse.exe plug | unplug | press N | state | quit\n"
    "                                         commands to the running virtual mouse (N = 0..6)\n";

VirtualMouseCommand ParseVirtualMouseCommand(const std::vector<std::string>& args) {
    VirtualMouseCommand c;
    auto invalid = [&](std::string why) {
        c.kind = VirtualMouseCommand::Invalid;
        c.error = std::move(why);
        return c;
    };
    if (args.empty()) {
        c.kind = VirtualMouseCommand::Run;
        return c;
    }
    const std::string& verb = args[0];
    if (verb == "press") {
        if (args.size() != 2) return invalid("press takes one control number 0..6");
        const std::string& n = args[1];
        if (n.size() != 1 || n[0] < '0' || n[0] > '6') return invalid("no control " + n + ": controls are 0..6");
        c.kind = VirtualMouseCommand::Press;
        c.control = unsigned(n[0] - '0');
        return c;
    }
    if (args.size() != 1) return invalid("too many arguments for " + verb);
    if (verb == "--unplugged") {
        c.kind = VirtualMouseCommand::Run;
        c.startUnplugged = true;
    } else if (verb == "plug") {
        c.kind = VirtualMouseCommand::Plug;
    } else if (verb == "unplug") {
        c.kind = VirtualMouseCommand::Unplug;
    } else if (verb == "state") {
        c.kind = VirtualMouseCommand::State;
    } else if (verb == "quit") {
        c.kind = VirtualMouseCommand::Quit;
    } else {
        return invalid("unknown command " + verb);
    }
    return c;
}

std::string RequestName(std::uint32_t code, const std::uint8_t* in, std::size_t inSize) {
    switch (code) {
        case IOCTL_SET_OPTION: return "option";
        case IOCTL_READ_EVENT: return "read-event";
        case IOCTL_SEND_REQUEST: break;
        default: return "unknown";
    }
    if (!in || inSize != sizeof(DriverRequest)) return "unknown";
    std::uint32_t command = ReadLE32(in);
    switch (command) {
        case DRV_REGISTER: return "register";
        case DRV_UNREGISTER: return "unregister";
        case DRV_ENABLE: return "enable";
        case DRV_SETTING: return "setting";
        case DRV_DATA: return "data";
        default: return "command-" + std::to_string(command);
    }
}

std::string FormatRequestLogLine(std::uint64_t milliseconds, std::uint32_t code, const std::uint8_t* in,
                                 std::size_t inSize) {
    char head[48];
    std::snprintf(head, sizeof head, "%llu 0x%06X ", static_cast<unsigned long long>(milliseconds), unsigned(code));
    std::string line = head + RequestName(code, in, inSize);
    std::string payload;
    if (code == IOCTL_SET_OPTION) {
        if (in) payload = HexBytes(in, inSize < 4 ? inSize : 4);
    } else if (code == IOCTL_SEND_REQUEST && in && inSize == sizeof(DriverRequest)) {
        const std::uint8_t* p = in + offsetof(DriverRequest, payload);
        switch (ReadLE32(in)) {
            case DRV_SETTING: payload = HexBytes(p, sizeof(SettingPacket)); break;
            case DRV_DATA: {
                // A length beyond the payload field is logged as far as the field goes.
                std::uint32_t length = ReadLE32(in + offsetof(DriverRequest, payloadLength));
                payload = HexBytes(p, length < kMaxDataBlock ? length : kMaxDataBlock);
                break;
            }
            default: break;
        }
    }
    if (!payload.empty()) line += " " + payload;
    return line;
}

namespace {
const char* Bool(bool b) { return b ? "true" : "false"; }
std::string Hex32(std::uint32_t v) {
    char text[12];
    std::snprintf(text, sizeof text, "\"%08X\"", unsigned(v));
    return text;
}
}  // namespace

std::string RenderStateJson(const CSimulatedMouse& mouse, bool plugged) {
    const CSimulatedMouse::State& s = mouse.GetState();
    std::string j = "{\n";
    j += std::string("  \"plugged\": ") + Bool(plugged) + ",\n";
    j += std::string("  \"registered\": ") + Bool(mouse.Registered()) + ",\n";
    j += std::string("  \"enabled\": ") + Bool(mouse.Enabled()) + ",\n";
    j += "  \"buttons\": [";
    for (std::size_t i = 0; i < s.buttonTable.size(); ++i) {
        if (i) j += ", ";
        j += Hex32(s.buttonTable[i]);
    }
    j += "],\n  \"macros\": [";
    for (std::size_t i = 0; i < s.macroSlots.size(); ++i) {
        if (i) j += ", ";
        if (s.macroWritten[i]) {
            j += '"';
            j += HexBytes(s.macroSlots[i].data(), s.macroSlots[i].size());
            j += '"';
        } else {
            j += "null";
        }
    }
    j += "],\n  \"dpi\": \"" + HexBytes(s.dpiTable.data(), s.dpiTable.size()) + "\",\n";
    j += "  \"color\": [" + std::to_string(s.red) + ", " + std::to_string(s.green) + ", " + std::to_string(s.blue) +
         "],\n";
    j += "  \"effect\": [" + std::to_string(s.effect[0]) + ", " + std::to_string(s.effect[1]) + ", " +
         std::to_string(s.effect[2]) + "],\n";
    j += "  \"interval\": " + std::to_string(s.reportInterval) + ",\n";
    j += "  \"lift\": " + std::to_string(s.liftHeight) + "\n}\n";
    return j;
}

unsigned ControlSlot(unsigned control) {
    return control < unsigned(kButtonCount) ? unsigned(kButtonSlot[control]) : 0;
}

std::optional<std::uint32_t> PressEventWord(std::uint32_t deviceCode) {
    if ((deviceCode & 0xFF) != 0x06) return std::nullopt;
    return 0x40000000u | (((deviceCode >> 16) & 0xFF) << 8);
}
