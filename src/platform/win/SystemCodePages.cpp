#include <windows.h>

#include <climits>

#include "platform/CodePages.h"

namespace {
class CWin32CodePages : public ICodePages {
public:
    bool ToUtf16(std::uint32_t codePage, const std::uint8_t* bytes, std::size_t size, std::u16string& out) const override {
        out.clear();
        if (!IsValidCodePage(codePage)) return false;
        if (size == 0) return true;
        if (size > std::size_t(INT_MAX)) return false;
        const char* in = reinterpret_cast<const char*>(bytes);
        const int needed = MultiByteToWideChar(codePage, 0, in, int(size), nullptr, 0);
        if (needed <= 0) return false;
        // Sized to the measured length plus a little, as the text grows no further.
        out.reserve(std::size_t(needed) + std::size_t(needed) / 100);
        out.resize(std::size_t(needed));
        const int written = MultiByteToWideChar(codePage, 0, in, int(size), reinterpret_cast<wchar_t*>(out.data()), needed);
        if (written <= 0) {
            out.clear();
            return false;
        }
        out.resize(std::size_t(written));
        return true;
    }

    std::uint32_t AnsiCodePage() const override { return GetACP(); }

    std::u16string ErrorText(std::uint32_t error) const override {
        wchar_t* buffer = nullptr;
        const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                            nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
        std::u16string out;
        if (length != 0 && buffer != nullptr) out.assign(reinterpret_cast<const char16_t*>(buffer), length);
        if (buffer != nullptr) LocalFree(buffer);
        return out;
    }
};
}  // namespace

const ICodePages& SystemCodePages() {
    static const CWin32CodePages codePages;
    return codePages;
}
