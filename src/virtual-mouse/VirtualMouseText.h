// The text side of the virtual mouse process: its command line, the line it
// appends to the request log for every control-code request, the state it
// prints as JSON, and what the mouse reports when one of its controls is
// pressed. Portable, so that all of it is tested natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "virtual-mouse/SimulatedMouse.h"

struct VirtualMouseCommand {
    enum Kind { Run, Plug, Unplug, Press, State, Quit, Invalid } kind = Invalid;
    bool startUnplugged = false;  // Run only
    unsigned control = 0;         // Press only: 0..6
    std::string error;            // Invalid only: what is wrong, for stderr
};

// The arguments after the program name: none or "--unplugged" runs the
// device; "plug", "unplug", "press N" (N = 0..6), "state", "quit" are
// commands to the running device.
VirtualMouseCommand ParseVirtualMouseCommand(const std::vector<std::string>& args);
// The usage text printed with an invalid command line.
extern const char kVirtualMouseUsage[];

// The name of a request in the log: register, unregister, enable, setting,
// data, option, read-event; "command-N" for a request with an unknown command
// and "unknown" for an unknown control code or a request of the wrong size.
std::string RequestName(std::uint32_t code, const std::uint8_t* in, std::size_t inSize);

// One log line (without the line end): milliseconds since the device started,
// the control code in hex, the request's name and, where it has one, its
// payload in hex: the 8 packet bytes of a setting, the payload of a data
// request (at most 32 bytes), the 4-byte value of an option. For example
// "1520 0x22240C setting 0C0100FF00000000".
std::string FormatRequestLogLine(std::uint64_t milliseconds, std::uint32_t code, const std::uint8_t* in,
                                 std::size_t inSize);

// The mouse's state as a JSON object: plugged, registered, enabled, buttons
// (16 slots as 8-digit hex strings), macros (7 slots, each the 512-byte image
// in hex or null when never written), dpi (16 bytes in hex), color [r, g, b],
// effect [a, b, c], interval, lift.
std::string RenderStateJson(const CSimulatedMouse& mouse, bool plugged);

// The button-table slot that holds the device code of control 0..6.
unsigned ControlSlot(unsigned control);
// The event word the driver reports for a press of a control whose slot holds
// `deviceCode`: only program-action codes (code class 0x06 in the low byte)
// are reported, with bit 30 set and byte 2 of the code in bits 8..15
// (0x00D30006 -> 0x4000D300). Every other code is ordinary mouse or keyboard
// input, carried out by the mouse itself: no event.
std::optional<std::uint32_t> PressEventWord(std::uint32_t deviceCode);
