// Code-page port: turning bytes in a Windows code page into UTF-16, the
// system's ANSI code page, and the system's wording of a file error.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class ICodePages {
public:
    virtual ~ICodePages() = default;
    // Converts `size` bytes in `codePage` to UTF-16 into `out` (replacing its
    // contents). False when the system cannot convert that code page; bytes
    // that are invalid in it become replacement characters.
    virtual bool ToUtf16(std::uint32_t codePage, const std::uint8_t* bytes, std::size_t size, std::u16string& out) const = 0;
    // The system default (ANSI) code page.
    virtual std::uint32_t AnsiCodePage() const = 0;
    // The system's message text for an error code of a failed file open or
    // read (CBinaryFile::LastError), as the system words it (may hold line ends).
    virtual std::u16string ErrorText(std::uint32_t error) const = 0;
};

// The system's adapter (Win32: MultiByteToWideChar, GetACP, FormatMessageW;
// host: iconv, code page 1252, strerror).
const ICodePages& SystemCodePages();
