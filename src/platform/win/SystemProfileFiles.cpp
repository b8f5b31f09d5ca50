// Profile files through the Win32 file API. A save goes to "<file>.tmp" in the
// same folder, is flushed, and then replaces the file in one step, so a crash
// or a full disk never leaves a torn profile.
#include <windows.h>

#include "platform/ProfileFiles.h"

namespace {

std::wstring Wide(const std::u16string& s) { return std::wstring(s.begin(), s.end()); }

FileStatus StatusOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
            return FileStatus::NotFound;
        case ERROR_ACCESS_DENIED:
            return FileStatus::AccessDenied;
        default:
            return FileStatus::Failed;
    }
}

class CWin32ProfileFiles : public IProfileFiles {
public:
    FileStatus Read(const std::u16string& path, std::size_t maxBytes, std::vector<std::uint8_t>& bytes) override {
        bytes.clear();
        HANDLE file = ::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return StatusOf(::GetLastError());
        bytes.resize(maxBytes);
        std::size_t got = 0;
        while (got < maxBytes) {
            DWORD n = 0;
            if (!::ReadFile(file, bytes.data() + got, DWORD(maxBytes - got), &n, nullptr) || n == 0) break;
            got += n;
        }
        bytes.resize(got);
        ::CloseHandle(file);
        return FileStatus::Ok;
    }

    FileStatus OpenExisting(const std::u16string& path) override {
        HANDLE file = ::CreateFileW(Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return StatusOf(::GetLastError());
        ::CloseHandle(file);
        return FileStatus::Ok;
    }

    FileStatus WriteWhole(const std::u16string& path, std::span<const std::uint8_t> bytes) override {
        std::wstring target = Wide(path);
        std::wstring temp = target + L".tmp";
        HANDLE file = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                    nullptr);
        if (file == INVALID_HANDLE_VALUE) return StatusOf(::GetLastError());
        std::size_t done = 0;
        while (done < bytes.size()) {
            DWORD n = 0;
            if (!::WriteFile(file, bytes.data() + done, DWORD(bytes.size() - done), &n, nullptr) || n == 0) break;
            done += n;
        }
        bool ok = done == bytes.size() && ::FlushFileBuffers(file);
        ok = ::CloseHandle(file) && ok;
        if (!ok) {
            ::DeleteFileW(temp.c_str());
            return FileStatus::Failed;
        }
        if (!::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            FileStatus status = StatusOf(::GetLastError());
            ::DeleteFileW(temp.c_str());
            return status;
        }
        return FileStatus::Ok;
    }

    FileStatus CreateFolder(const std::u16string& path) override {
        if (::CreateDirectoryW(Wide(path).c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS)
            return FileStatus::Ok;
        return StatusOf(::GetLastError());
    }
};

}  // namespace

IProfileFiles& SystemProfileFiles() {
    static CWin32ProfileFiles files;
    return files;
}
