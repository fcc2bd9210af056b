// The top of the folder tree as the desktop presents it. On Linux: the home folder, the file
// system root and the mounted volumes a file dialog lists (removable media and mounts under
// /media, /run/media and /mnt). On Windows: the desktop, holding the computer with its
// drives. Only this adapter knows which; the tree takes the description as it comes.
#pragma once

#include <QString>

#include <filesystem>
#include <vector>

namespace glyphora {

enum class FolderRootKind {
    Home,     // the user's home folder (Linux) or desktop (Windows): the first root, expanded at start
    Computer, // a node without a file-system path that holds the drives
    Drive,    // the root of a file system or volume
};

struct FolderRoot {
    FolderRootKind kind = FolderRootKind::Drive;
    QString text;
    std::filesystem::path path;    // empty for the computer node
    std::vector<FolderRoot> fixed; // shown before the folder's own subfolders, in this order
};

// The roots' words that are the program's to give (in its language); these are the defaults.
struct FolderRootTexts {
    QString fileSystem = QStringLiteral("File System"); // the root of the whole file system ("/")
};

// Safe to call from any thread.
std::vector<FolderRoot> FolderTreeRoots(const FolderRootTexts& texts);

} // namespace glyphora
