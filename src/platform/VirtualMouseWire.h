// The messages between the virtual mouse process (VirtualMouse.exe) and its
// clients: the program's virtual driver device and the script commands. One
// request message and one reply message per transaction on a message-mode
// named pipe. A request is a 32-bit operation followed by its arguments; a
// reply is a 32-bit status (1 answered yes / succeeded, 0 no / failed)
// followed by the operation's result bytes. All integers little-endian.
#pragma once

#include <cstddef>
#include <cstdint>

enum VirtualMouseOp : std::uint32_t {
    VM_OP_OPEN = 1,      // the driver's device is opened by this connection
    VM_OP_CLOSE = 2,     // and closed again
    VM_OP_CONTROL = 3,   // u32 code, u32 flags, u32 in size, u32 out size, in bytes -> out bytes
    VM_OP_PRESENT = 4,   // UTF-16 search text -> whether a plugged mouse's hardware ID contains it
    VM_OP_PLUG = 16,     // -> UTF-8 text for the script
    VM_OP_UNPLUG = 17,
    VM_OP_PRESS = 18,    // u32 control index 0..6
    VM_OP_STATE = 19,    // -> the state as JSON
    VM_OP_QUIT = 20,
};

// VM_OP_CONTROL flags: which of the caller's buffers were non-null.
constexpr std::uint32_t VM_CONTROL_HAS_IN = 1;
constexpr std::uint32_t VM_CONTROL_HAS_OUT = 2;

// The largest message either side sends (a control request is 16 + 180 bytes,
// the state JSON about 8 KB).
constexpr std::size_t kVirtualMouseMaxMessage = 64 * 1024;

// The pipe is \\.\pipe\ followed by this name, unless Q7T_VIRTUAL_MOUSE_PIPE
// names another one.
constexpr wchar_t kVirtualMousePipeName[] = L"Q7TVirtualMouse";
