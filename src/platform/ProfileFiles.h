// Profile-files port: whole binary files addressed by full Windows paths
// ("C:\...\Profile\Profile1.cfg"). A failed open reports why, because the
// persistence treats a missing file, a denied access and anything else apart.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <span>
#include <string>
#include <vector>

enum class FileStatus {
    Ok,
    NotFound,      // the file or its folder does not exist
    AccessDenied,
    Failed,        // any other reason
};

class IProfileFiles {
public:
    virtual ~IProfileFiles() = default;
    // Opens the file for reading and reads at most `maxBytes` bytes.
    virtual FileStatus Read(const std::u16string& path, std::size_t maxBytes, std::vector<std::uint8_t>& bytes) = 0;
    // Opens an existing file for reading and writing, without creating or
    // truncating it, and closes it again: tells whether it could be updated.
    virtual FileStatus OpenExisting(const std::u16string& path) = 0;
    // Creates the file or replaces its contents in one step: the bytes go to a
    // temporary file in the same folder, are flushed, and the temporary file
    // then replaces the original. On any failure the original is untouched.
    virtual FileStatus WriteWhole(const std::u16string& path, std::span<const std::uint8_t> bytes) = 0;
    // Creates a folder; an existing folder is fine.
    virtual FileStatus CreateFolder(const std::u16string& path) = 0;
};

// Files on the disk (Win32 adapter on Windows, POSIX adapter on other hosts,
// where backslashes in paths are taken as slashes).
IProfileFiles& SystemProfileFiles();

// Files in memory, with faults to inject. Paths compare exactly.
class CMemoryProfileFiles : public IProfileFiles {
public:
    FileStatus Read(const std::u16string& path, std::size_t maxBytes, std::vector<std::uint8_t>& bytes) override;
    FileStatus OpenExisting(const std::u16string& path) override;
    FileStatus WriteWhole(const std::u16string& path, std::span<const std::uint8_t> bytes) override;
    FileStatus CreateFolder(const std::u16string& path) override;

    std::map<std::u16string, std::vector<std::uint8_t>> files;
    std::set<std::u16string> folders;
    // Opening these paths fails with the given reason (reads and writes).
    std::map<std::u16string, FileStatus> openFaults;
    // Writing fails after the temporary file was partly written (a full disk
    // or a crash): the original must stay as it was.
    bool failWrites = false;
    // Folders must exist before a file is written into them.
    bool requireFolders = false;
    std::vector<std::u16string> writes;  // every successful WriteWhole, in order
};
