// Profile files on a POSIX host. Paths arrive in Windows form; backslashes are
// taken as slashes and the text is passed on as UTF-8.
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/ProfileFiles.h"
#include "platform/Utf8.h"

namespace {

std::string HostPath(std::u16string path) {
    for (char16_t& c : path) {
        if (c == u'\\') c = u'/';
    }
    return ToUtf8(path);
}

FileStatus StatusOf(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR: return FileStatus::NotFound;
        case EACCES:
        case EPERM:
        case EROFS: return FileStatus::AccessDenied;
        default: return FileStatus::Failed;
    }
}

class CHostProfileFiles : public IProfileFiles {
public:
    FileStatus Read(const std::u16string& path, std::size_t maxBytes, std::vector<std::uint8_t>& bytes) override {
        bytes.clear();
        int fd = ::open(HostPath(path).c_str(), O_RDONLY);
        if (fd < 0) return StatusOf(errno);
        bytes.resize(maxBytes);
        std::size_t got = 0;
        while (got < maxBytes) {
            ssize_t n = ::read(fd, bytes.data() + got, maxBytes - got);
            if (n <= 0) break;
            got += std::size_t(n);
        }
        bytes.resize(got);
        ::close(fd);
        return FileStatus::Ok;
    }

    FileStatus OpenExisting(const std::u16string& path) override {
        int fd = ::open(HostPath(path).c_str(), O_RDWR);
        if (fd < 0) return StatusOf(errno);
        ::close(fd);
        return FileStatus::Ok;
    }

    FileStatus WriteWhole(const std::u16string& path, std::span<const std::uint8_t> bytes) override {
        std::string target = HostPath(path);
        std::string temp = target + ".tmp";
        int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0) return StatusOf(errno);
        std::size_t done = 0;
        while (done < bytes.size()) {
            ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (n <= 0) break;
            done += std::size_t(n);
        }
        bool ok = done == bytes.size() && ::fsync(fd) == 0;
        ok = ::close(fd) == 0 && ok;
        if (!ok) {
            ::unlink(temp.c_str());
            return FileStatus::Failed;
        }
        if (::rename(temp.c_str(), target.c_str()) != 0) {
            FileStatus status = StatusOf(errno);
            ::unlink(temp.c_str());
            return status;
        }
        return FileStatus::Ok;
    }

    FileStatus CreateFolder(const std::u16string& path) override {
        if (::mkdir(HostPath(path).c_str(), 0755) == 0 || errno == EEXIST) return FileStatus::Ok;
        return StatusOf(errno);
    }
};

}  // namespace

IProfileFiles& SystemProfileFiles() {
    static CHostProfileFiles files;
    return files;
}
