// Host adapter of the code-page port: glibc's iconv under the iconv names of
// the Windows code pages. A code page without an iconv counterpart is one the
// system cannot convert, as on a Windows without that code page.
#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/CodePages.h"

namespace {
struct CodePageName {
    std::uint32_t codePage;
    const char* iconvName;
};

// Windows code page -> iconv name. Code pages that glibc does not know (720,
// 20000, 20002, 20105-20108, 20833, 20838, 20873, 29001, 52936, 57002-57011)
// and the UTF-16 pages (1200, 1201, which MultiByteToWideChar does not take)
// are missing on purpose.
constexpr CodePageName kIconvNames[] = {
    {37, "IBM037"},       {420, "IBM420"},        {437, "IBM437"},        {708, "ASMO-708"},
    {737, "CP737"},       {775, "CP775"},         {850, "IBM850"},        {852, "IBM852"},
    {857, "IBM857"},      {861, "IBM861"},        {862, "IBM862"},        {866, "IBM866"},
    {869, "IBM869"},      {870, "IBM870"},        {874, "CP874"},         {875, "IBM875"},
    {932, "CP932"},       {936, "CP936"},         {949, "CP949"},         {950, "CP950"},
    {1026, "IBM1026"},    {1140, "IBM1140"},      {1142, "IBM1142"},      {1143, "IBM1143"},
    {1144, "IBM1144"},    {1145, "IBM1145"},      {1146, "IBM1146"},      {1147, "IBM1147"},
    {1148, "IBM1148"},    {1149, "IBM1149"},      {1250, "WINDOWS-1250"}, {1251, "WINDOWS-1251"},
    {1252, "WINDOWS-1252"}, {1253, "WINDOWS-1253"}, {1254, "WINDOWS-1254"}, {1255, "WINDOWS-1255"},
    {1256, "WINDOWS-1256"}, {1257, "WINDOWS-1257"}, {1258, "WINDOWS-1258"}, {1361, "JOHAB"},
    {10000, "MACINTOSH"}, {10007, "MAC-CYRILLIC"}, {10029, "MAC-CENTRALEUROPE"}, {10079, "MAC-IS"},
    {20127, "US-ASCII"},  {20273, "IBM273"},      {20277, "IBM277"},      {20278, "IBM278"},
    {20280, "IBM280"},    {20284, "IBM284"},      {20285, "IBM285"},      {20290, "IBM290"},
    {20423, "IBM423"},    {20424, "IBM424"},      {20866, "KOI8-R"},      {20880, "IBM880"},
    {20905, "IBM905"},    {21025, "IBM1025"},     {21866, "KOI8-U"},      {28591, "ISO-8859-1"},
    {28592, "ISO-8859-2"}, {28593, "ISO-8859-3"}, {28594, "ISO-8859-4"},  {28595, "ISO-8859-5"},
    {28596, "ISO-8859-6"}, {28597, "ISO-8859-7"}, {28598, "ISO-8859-8"},  {28599, "ISO-8859-9"},
    {28605, "ISO-8859-15"}, {38598, "ISO-8859-8"}, {50220, "ISO-2022-JP"}, {50221, "ISO-2022-JP"},
    {50222, "ISO-2022-JP"}, {50225, "ISO-2022-KR"}, {50930, "IBM930"},    {50933, "IBM933"},
    {50935, "IBM935"},    {50937, "IBM937"},      {50939, "IBM939"},      {51932, "EUC-JP"},
    {51936, "EUC-CN"},    {51949, "EUC-KR"},      {65000, "UTF-7"},       {65001, "UTF-8"},
};

const char* IconvName(std::uint32_t codePage) {
    for (const CodePageName& entry : kIconvNames) {
        if (entry.codePage == codePage) return entry.iconvName;
    }
    return nullptr;
}

class CHostCodePages : public ICodePages {
public:
    bool ToUtf16(std::uint32_t codePage, const std::uint8_t* bytes, std::size_t size, std::u16string& out) const override {
        out.clear();
        const char* name = IconvName(codePage);
        if (name == nullptr) return false;
        iconv_t cd = iconv_open("UTF-16LE", name);
        if (cd == reinterpret_cast<iconv_t>(-1)) return false;

        std::vector<char> buffer(4 * size + 16);
        char* in = const_cast<char*>(reinterpret_cast<const char*>(bytes));
        std::size_t inLeft = size;
        while (true) {
            char* outPtr = buffer.data();
            std::size_t outLeft = buffer.size();
            const std::size_t result = iconv(cd, inLeft != 0 ? &in : nullptr, &inLeft, &outPtr, &outLeft);
            const int error = errno;
            Append(out, buffer.data(), std::size_t(outPtr - buffer.data()));
            if (result != std::size_t(-1)) {
                if (inLeft == 0) break;
                continue;
            }
            if (error == E2BIG) continue;
            // An invalid or cut-off sequence: one replacement character for its
            // first byte, then go on after it (as MultiByteToWideChar does).
            out += u'\uFFFD';
            if (inLeft == 0) break;
            ++in;
            --inLeft;
            if (inLeft == 0) break;
        }
        iconv_close(cd);
        return true;
    }

    std::uint32_t AnsiCodePage() const override { return 1252; }

    std::u16string ErrorText(std::uint32_t error) const override {
        const char* text = std::strerror(int(error));
        std::u16string out;
        for (; *text; ++text) out += char16_t(static_cast<unsigned char>(*text));
        return out;
    }

private:
    static void Append(std::u16string& out, const char* utf16le, std::size_t byteCount) {
        for (std::size_t i = 0; i + 1 < byteCount; i += 2) {
            out += char16_t(static_cast<unsigned char>(utf16le[i]) | (static_cast<unsigned char>(utf16le[i + 1]) << 8));
        }
    }
};
}  // namespace

const ICodePages& SystemCodePages() {
    static const CHostCodePages codePages;
    return codePages;
}
