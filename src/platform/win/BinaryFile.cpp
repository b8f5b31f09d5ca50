#include <windows.h>

#include "platform/BinaryFile.h"

CBinaryFile::CBinaryFile(const std::u16string& path) {
    const HANDLE file = CreateFileW(reinterpret_cast<const wchar_t*>(path.c_str()), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) m_handle = reinterpret_cast<std::intptr_t>(file);
    else Fail();
}

bool CBinaryFile::Fail() {
    m_error = GetLastError();
    return false;
}

CBinaryFile::~CBinaryFile() {
    if (IsOpen()) CloseHandle(reinterpret_cast<HANDLE>(m_handle));
}

bool CBinaryFile::Length(std::uint64_t& length) {
    LARGE_INTEGER size;
    if (!IsOpen()) return false;
    if (!GetFileSizeEx(reinterpret_cast<HANDLE>(m_handle), &size)) return Fail();
    length = std::uint64_t(size.QuadPart);
    return true;
}

bool CBinaryFile::Read(std::uint64_t offset, std::uint8_t* into, std::size_t count) {
    if (!IsOpen()) return false;
    const HANDLE file = reinterpret_cast<HANDLE>(m_handle);
    LARGE_INTEGER position;
    position.QuadPart = LONGLONG(offset);
    if (!SetFilePointerEx(file, position, nullptr, FILE_BEGIN)) return Fail();
    while (count != 0) {
        const DWORD chunk = count > 0x40000000 ? 0x40000000 : DWORD(count);
        DWORD got = 0;
        if (!ReadFile(file, into, chunk, &got, nullptr)) return Fail();
        if (got == 0) {
            m_error = ERROR_HANDLE_EOF;  // the file got shorter
            return false;
        }
        into += got;
        count -= got;
    }
    return true;
}
