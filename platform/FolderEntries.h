// Listing a folder for the folder scan and the folder tree: each entry's kind after following
// symbolic links, whether it is hidden, and an identity per folder so that a walk can tell a
// folder it has already entered (through a link or a mount) from a new one.
#pragma once

#include <compare>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace glyphora {

enum class EntryKind {
    File,   // a regular file (possibly reached through a link)
    Folder, // a folder (possibly reached through a link)
    Other,  // devices, pipes, sockets, dangling links: never opened
};

struct FolderEntry {
    std::filesystem::path name; // the entry's own name, without folder
    EntryKind kind = EntryKind::Other;
    bool hidden = false; // hidden or system (POSIX: the name starts with a dot)
    bool link = false;   // the entry itself is a symbolic link or reparse point
};

// Which folder a path leads to, whatever way it is reached (device and file number).
struct FolderIdentity {
    std::uint64_t device = 0;
    std::uint64_t node = 0;
    auto operator<=>(const FolderIdentity&) const = default;
};

// The entries of a folder without "." and "..", ordered by name (byte order of the native
// name, so a walk is the same on every run). nullopt when the folder cannot be read.
std::optional<std::vector<FolderEntry>> ListFolder(const std::filesystem::path& folder);

// The identity of the folder a path leads to (links followed); nullopt when it cannot be
// reached or is not a folder.
std::optional<FolderIdentity> IdentifyFolder(const std::filesystem::path& folder);

// False only when the folder certainly holds no subfolder. Cheap: it never lists the folder
// (on POSIX it reads the folder's link count, which counts its subfolders on most file
// systems), so it may answer true for a folder without subfolders.
bool FolderMayHaveSubfolders(const std::filesystem::path& folder);

} // namespace glyphora
