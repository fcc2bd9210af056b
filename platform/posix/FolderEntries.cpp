// Folder listing on POSIX systems: readdir with the entry type it reports, and fstatat only
// where that type does not say enough (links and file systems that report no type).
#include "platform/FolderEntries.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>

namespace glyphora {

namespace {

// Closes a directory stream on every path out of ListFolder.
class DirectoryStream {
public:
    explicit DirectoryStream(DIR* dir) : dir_(dir) {}
    DirectoryStream(const DirectoryStream&) = delete;
    DirectoryStream& operator=(const DirectoryStream&) = delete;
    ~DirectoryStream()
    {
        if (dir_ != nullptr) ::closedir(dir_);
    }
    DIR* get() const { return dir_; }

private:
    DIR* dir_;
};

EntryKind KindOfMode(mode_t mode)
{
    if (S_ISREG(mode)) return EntryKind::File;
    if (S_ISDIR(mode)) return EntryKind::Folder;
    return EntryKind::Other;
}

} // namespace

std::optional<std::vector<FolderEntry>> ListFolder(const std::filesystem::path& folder)
{
    DirectoryStream dir(::opendir(folder.c_str()));
    if (dir.get() == nullptr) return std::nullopt;
    const int dirFd = ::dirfd(dir.get());

    std::vector<FolderEntry> entries;
    while (const dirent* raw = ::readdir(dir.get())) {
        const char* name = raw->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
        FolderEntry entry;
        entry.name = name;
        entry.hidden = name[0] == '.';
        switch (raw->d_type) {
        case DT_REG: entry.kind = EntryKind::File; break;
        case DT_DIR: entry.kind = EntryKind::Folder; break;
        case DT_LNK:
        case DT_UNKNOWN: {
            struct stat info {};
            entry.link = raw->d_type == DT_LNK;
            if (raw->d_type == DT_UNKNOWN && ::fstatat(dirFd, name, &info, AT_SYMLINK_NOFOLLOW) == 0)
                entry.link = S_ISLNK(info.st_mode);
            // A link that leads nowhere (or away while we look) is neither file nor folder.
            entry.kind = ::fstatat(dirFd, name, &info, 0) == 0 ? KindOfMode(info.st_mode) : EntryKind::Other;
            break;
        }
        default: entry.kind = EntryKind::Other; break;
        }
        entries.push_back(std::move(entry));
    }
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name.native() < b.name.native(); });
    return entries;
}

std::optional<FolderIdentity> IdentifyFolder(const std::filesystem::path& folder)
{
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return std::nullopt;
    return FolderIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

bool FolderMayHaveSubfolders(const std::filesystem::path& folder)
{
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
    // "." and the entry in the parent make 2; each subfolder's ".." adds one. File systems
    // that do not keep the count report 1, which says nothing.
    return info.st_nlink != 2;
}

} // namespace glyphora
