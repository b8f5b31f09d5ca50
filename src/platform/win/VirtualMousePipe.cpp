#include "platform/win/VirtualMousePipe.h"

#include <cstring>

#include "device/ByteOrder.h"
#include "platform/VirtualMouseWire.h"

std::wstring VirtualMousePipePath() {
    wchar_t name[200] = {};
    DWORD n = ::GetEnvironmentVariableW(L"Q7T_VIRTUAL_MOUSE_PIPE", name, DWORD(std::size(name)));
    std::wstring path = L"\\\\.\\pipe\\";
    path += (n > 0 && n < std::size(name)) ? name : kVirtualMousePipeName;
    return path;
}

HANDLE ConnectVirtualMouse(const std::wstring& pipePath, DWORD waitMs) {
    DWORD start = ::GetTickCount();
    for (;;) {
        HANDLE h = ::CreateFileW(pipePath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            DWORD mode = PIPE_READMODE_MESSAGE;
            if (::SetNamedPipeHandleState(h, &mode, nullptr, nullptr)) return h;
            ::CloseHandle(h);
            return nullptr;
        }
        // Every instance busy: the process makes the next one as soon as it
        // has taken the last connection.
        if (::GetLastError() != ERROR_PIPE_BUSY) return nullptr;
        DWORD waited = ::GetTickCount() - start;
        if (waited >= waitMs) return nullptr;
        if (!::WaitNamedPipeW(pipePath.c_str(), waitMs - waited)) ::Sleep(10);
    }
}

bool VirtualMouseTransact(HANDLE pipe, const std::vector<std::uint8_t>& request, std::vector<std::uint8_t>& reply) {
    reply.clear();
    DWORD written = 0;
    if (!::WriteFile(pipe, request.data(), DWORD(request.size()), &written, nullptr) || written != request.size())
        return false;
    std::uint8_t chunk[4096];
    for (;;) {
        DWORD got = 0;
        BOOL ok = ::ReadFile(pipe, chunk, sizeof chunk, &got, nullptr);
        reply.insert(reply.end(), chunk, chunk + got);
        if (ok) break;
        if (::GetLastError() != ERROR_MORE_DATA || reply.size() > kVirtualMouseMaxMessage) return false;
    }
    return reply.size() >= 4;
}

std::vector<std::uint8_t> VirtualMouseRequest(std::uint32_t op, std::initializer_list<std::uint32_t> words,
                                              const void* bytes, std::size_t size) {
    std::vector<std::uint8_t> r(4 * (1 + words.size()) + size);
    WriteLE32(r.data(), op);
    std::size_t at = 4;
    for (std::uint32_t w : words) {
        WriteLE32(r.data() + at, w);
        at += 4;
    }
    if (size) std::memcpy(r.data() + at, bytes, size);
    return r;
}
