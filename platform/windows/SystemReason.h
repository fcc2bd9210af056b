// The reason a Windows call failed, as the text a message shows after the file's name. A
// condition that POSIX knows too (a missing file, a full disk, a folder where a file was
// expected) is worded as the C library words its error number, so that "Cannot create
// 'x.png': No such file or directory" reads the same on every system the program runs on;
// any other code gets the system's own text. Include after <windows.h>.
#pragma once

#include <cerrno>
#include <string>
#include <system_error>

namespace glyphora {

// The POSIX error number of a Windows error code, or 0 when POSIX has no such condition.
inline int PosixErrorOf(DWORD code)
{
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: return ENOENT;
    case ERROR_ACCESS_DENIED: return EACCES;
    case ERROR_WRITE_PROTECT: return EROFS;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return EEXIST;
    case ERROR_FILENAME_EXCED_RANGE: return ENAMETOOLONG;
    case ERROR_INVALID_HANDLE: return EBADF;
    default: return 0;
    }
}

inline std::string SystemReason(DWORD code)
{
    if (const int posix = PosixErrorOf(code)) return std::generic_category().message(posix);
    return std::system_category().message(static_cast<int>(code));
}

// The reason for a folder found where a file is to be read or replaced (EISDIR).
inline std::string IsAFolderReason()
{
    return std::generic_category().message(EISDIR);
}

} // namespace glyphora
