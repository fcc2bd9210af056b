// Which kind of file system a folder lies on, told by the file system's own type and never by
// the folder's name. The folder scan and the folder tree keep out of the pseudo file systems
// a kernel makes up (process tables, device and driver trees, control groups): they hold no
// files anyone keeps, their entries come and go by the second, and their links lead back into
// the real folders, so a walk through them would list the same files again.
#pragma once

#include <filesystem>
#include <functional>

namespace glyphora {

enum class FileSystemKind {
    Ordinary, // disks, network shares, memory file systems that hold files people put there
    Pseudo,   // proc, sysfs, devtmpfs, cgroup, debugfs and the like
};

// The kind of the file system that holds folder (links followed). A folder that cannot be
// looked at is Ordinary: whoever asked finds out for themselves that it cannot be read. On
// Windows every folder is Ordinary.
FileSystemKind FileSystemKindOf(const std::filesystem::path& folder);

// What the scan and the tree ask; tests put their own answer in its place.
using FileSystemKindLookup = std::function<FileSystemKind(const std::filesystem::path& folder)>;

} // namespace glyphora
