// File port: a file opened for binary reading. After a failed open, Length or
// Read, LastError() holds the system's error code, taken at once, before any
// other call can overwrite it; SystemCodePages().ErrorText() words it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class CBinaryFile {
public:
    explicit CBinaryFile(const std::u16string& path);  // opens for reading
    ~CBinaryFile();
    CBinaryFile(const CBinaryFile&) = delete;
    CBinaryFile& operator=(const CBinaryFile&) = delete;

    bool IsOpen() const { return m_handle != kClosed; }
    bool Length(std::uint64_t& length);
    // Reads exactly `count` bytes from `offset`.
    bool Read(std::uint64_t offset, std::uint8_t* into, std::size_t count);
    std::uint32_t LastError() const { return m_error; }

private:
    static constexpr std::intptr_t kClosed = -1;
    std::intptr_t m_handle = kClosed;  // a HANDLE or a file descriptor
    std::uint32_t m_error = 0;         // GetLastError() or errno
    bool Fail();                       // records the error; returns false
};
