// The client end of the virtual mouse process's pipe, shared by the virtual
// driver device and VirtualMouse.exe's own script commands.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// \\.\pipe\ and the name from Q7T_VIRTUAL_MOUSE_PIPE, or the default name.
std::wstring VirtualMousePipePath();

// A connection in message mode, or null when no virtual mouse runs. A busy
// pipe is waited for up to `waitMs`.
HANDLE ConnectVirtualMouse(const std::wstring& pipePath, DWORD waitMs = 2000);

// One request message out, one reply message back. False when the pipe broke
// or the reply is shorter than its status word.
bool VirtualMouseTransact(HANDLE pipe, const std::vector<std::uint8_t>& request, std::vector<std::uint8_t>& reply);

// A request: the operation and its 32-bit arguments, then raw bytes.
std::vector<std::uint8_t> VirtualMouseRequest(std::uint32_t op, std::initializer_list<std::uint32_t> words = {},
                                              const void* bytes = nullptr, std::size_t size = 0);
