#include "platform/win/VirtualDriverDevice.h"

#include <cstring>
#include <vector>

#include "device/ByteOrder.h"
#include "platform/VirtualMouseWire.h"
#include "platform/win/VirtualMousePipe.h"

namespace {
class Locked {
public:
    explicit Locked(SRWLOCK& lock) : lock_(lock) { ::AcquireSRWLockExclusive(&lock_); }
    ~Locked() { ::ReleaseSRWLockExclusive(&lock_); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    SRWLOCK& lock_;
};

bool Answered(const std::vector<std::uint8_t>& reply) { return reply.size() >= 4 && ReadLE32(reply.data()) == 1; }
}  // namespace

CVirtualDriverDevice::CVirtualDriverDevice() : pipePath_(VirtualMousePipePath()) {}
CVirtualDriverDevice::CVirtualDriverDevice(std::wstring pipePath) : pipePath_(std::move(pipePath)) {}
CVirtualDriverDevice::~CVirtualDriverDevice() { Close(); }

bool CVirtualDriverDevice::Open() {
    // A connection still held from an earlier open is closed rather than leaked.
    Close();
    HANDLE h = ConnectVirtualMouse(pipePath_);
    if (!h) return false;
    std::vector<std::uint8_t> reply;
    if (!VirtualMouseTransact(h, VirtualMouseRequest(VM_OP_OPEN), reply) || !Answered(reply)) {
        ::CloseHandle(h);
        return false;
    }
    Locked hold(lock_);
    pipe_.store(h);
    return true;
}

bool CVirtualDriverDevice::Control(std::uint32_t code, const void* in, std::size_t inSize, void* out,
                                   std::size_t outSize) {
    if (inSize > kVirtualMouseMaxMessage / 2 || outSize > kVirtualMouseMaxMessage / 2) return false;
    std::uint32_t flags = (in ? VM_CONTROL_HAS_IN : 0) | (out ? VM_CONTROL_HAS_OUT : 0);
    std::vector<std::uint8_t> request = VirtualMouseRequest(
        VM_OP_CONTROL, {code, flags, std::uint32_t(in ? inSize : 0), std::uint32_t(outSize)}, in, in ? inSize : 0);
    std::vector<std::uint8_t> reply;
    {
        Locked hold(lock_);
        HANDLE h = pipe_.load();
        if (!h || !VirtualMouseTransact(h, request, reply)) return false;
    }
    if (!Answered(reply)) return false;
    // The driver writes the output buffer it was given, as METHOD_BUFFERED does.
    if (out && outSize) {
        if (reply.size() != 4 + outSize) return false;
        std::memcpy(out, reply.data() + 4, outSize);
    }
    return true;
}

void CVirtualDriverDevice::Close() {
    Locked hold(lock_);
    HANDLE h = pipe_.exchange(nullptr);
    if (!h) return;
    std::vector<std::uint8_t> reply;
    VirtualMouseTransact(h, VirtualMouseRequest(VM_OP_CLOSE), reply);  // the handle goes either way
    ::CloseHandle(h);
}

bool CVirtualDriverDevice::IsDevicePresent(std::u16string_view part) {
    // Asked on a connection of its own, so that it works with no device open.
    HANDLE h = ConnectVirtualMouse(pipePath_);
    if (!h) return false;
    std::vector<std::uint8_t> reply;
    bool present = VirtualMouseTransact(h, VirtualMouseRequest(VM_OP_PRESENT, {}, part.data(), part.size() * 2), reply) &&
                   Answered(reply);
    ::CloseHandle(h);
    return present;
}
