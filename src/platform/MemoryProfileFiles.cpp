#include "platform/ProfileFiles.h"

namespace {
std::u16string FolderOf(const std::u16string& path) {
    std::size_t slash = path.find_last_of(u'\\');
    return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash);
}
}  // namespace

FileStatus CMemoryProfileFiles::Read(const std::u16string& path, std::size_t maxBytes,
                                     std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    if (auto f = openFaults.find(path); f != openFaults.end()) return f->second;
    auto it = files.find(path);
    if (it == files.end()) return FileStatus::NotFound;
    std::size_t n = it->second.size() < maxBytes ? it->second.size() : maxBytes;
    bytes.assign(it->second.begin(), it->second.begin() + std::ptrdiff_t(n));
    return FileStatus::Ok;
}

FileStatus CMemoryProfileFiles::OpenExisting(const std::u16string& path) {
    if (auto f = openFaults.find(path); f != openFaults.end()) return f->second;
    return files.count(path) ? FileStatus::Ok : FileStatus::NotFound;
}

FileStatus CMemoryProfileFiles::WriteWhole(const std::u16string& path, std::span<const std::uint8_t> bytes) {
    if (auto f = openFaults.find(path); f != openFaults.end()) return f->second;
    if (requireFolders && !folders.count(FolderOf(path))) return FileStatus::NotFound;
    if (failWrites) return FileStatus::Failed;
    files[path].assign(bytes.begin(), bytes.end());
    writes.push_back(path);
    return FileStatus::Ok;
}

FileStatus CMemoryProfileFiles::CreateFolder(const std::u16string& path) {
    if (auto f = openFaults.find(path); f != openFaults.end()) return f->second;
    std::u16string p = path;
    while (!p.empty() && p.back() == u'\\') p.pop_back();
    folders.insert(p);
    return FileStatus::Ok;
}
