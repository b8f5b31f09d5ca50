#include "platform/FakeDriverDevice.h"

#include <cstring>

#include "device/ByteOrder.h"

bool CFakeDriverDevice::Open() {
    ++opens;
    if (openFails) return false;
    if (backend_ && !backend_->Open()) return false;
    open_ = true;
    return true;
}

void CFakeDriverDevice::Close() {
    if (!open_) return;
    ++closes;
    open_ = false;
    if (backend_) backend_->Close();
}

bool CFakeDriverDevice::IsDevicePresent(std::u16string_view part) {
    if (backend_) return backend_->IsDevicePresent(part);
    return present && ContainsIgnoringCase(hardwareId, part);
}

bool CFakeDriverDevice::Control(std::uint32_t code, const void* in, std::size_t inSize, void* out,
                                std::size_t outSize) {
    std::size_t index = requestCount++;
    ProtocolStep step{ProtocolStep::Request, code, {}, false};
    if (in && inSize) {
        const auto* p = static_cast<const std::uint8_t*>(in);
        step.bytes.assign(p, p + inSize);
    }
    bool ok = open_;
    if (ok && refuse && refuse(index, code, step.bytes.data(), step.bytes.size())) ok = false;
    if (ok) {
        if (backend_) {
            ok = backend_->Control(code, in, inSize, out, outSize);
        } else if (code == IOCTL_READ_EVENT) {
            ok = !events.empty() && out && outSize >= 4;
            if (ok) {
                if (out != in && in) std::memmove(out, in, inSize < outSize ? inSize : outSize);
                WriteLE32(static_cast<std::uint8_t*>(out), events.front());
                events.pop_front();
            }
        }
    }
    step.succeeded = ok;
    log_.push_back(std::move(step));
    if (requestCount >= dropHandleAfter) open_ = false;
    return ok;
}
