#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/BinaryFile.h"

CBinaryFile::CBinaryFile(const std::u16string& path) {
    const int fd = ::open(std::filesystem::path(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        Fail();
        return;
    }
    struct stat info;
    if (::fstat(fd, &info) != 0) {
        Fail();
        ::close(fd);
        return;
    }
    if (S_ISDIR(info.st_mode)) {
        // A folder opens here, but is no file to read (Windows refuses it too).
        m_error = EISDIR;
        ::close(fd);
        return;
    }
    m_handle = fd;
}

bool CBinaryFile::Fail() {
    m_error = std::uint32_t(errno);
    return false;
}

CBinaryFile::~CBinaryFile() {
    if (IsOpen()) ::close(int(m_handle));
}

bool CBinaryFile::Length(std::uint64_t& length) {
    struct stat info;
    if (!IsOpen()) return false;
    if (::fstat(int(m_handle), &info) != 0) return Fail();
    length = std::uint64_t(info.st_size);
    return true;
}

bool CBinaryFile::Read(std::uint64_t offset, std::uint8_t* into, std::size_t count) {
    if (!IsOpen()) return false;
    while (count != 0) {
        const ssize_t got = ::pread(int(m_handle), into, count, off_t(offset));
        if (got < 0) {
            if (errno == EINTR) continue;
            return Fail();
        }
        if (got == 0) {
            m_error = EIO;  // the file got shorter
            return false;
        }
        into += got;
        count -= std::size_t(got);
        offset += std::uint64_t(got);
    }
    return true;
}
