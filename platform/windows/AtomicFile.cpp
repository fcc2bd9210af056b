// Windows side of the atomic output file: the temporary file is created with CREATE_NEW (an
// existing name is never opened) and MoveFileExW replaces the target in one step; a synced
// commit adds FlushFileBuffers and MOVEFILE_WRITE_THROUGH. A target that another program
// holds open, or that is read-only, is not replaced: the commit fails and the file stays.
#include "platform/AtomicFile.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/windows/SystemReason.h"

#include <algorithm>

namespace glyphora {

namespace {

constexpr int kCreateAttempts = 16;

std::string ReasonFor(DWORD code)
{
    return SystemReason(code);
}

HANDLE AsHandle(std::intptr_t h)
{
    return reinterpret_cast<HANDLE>(h);
}

} // namespace

bool AtomicFile::openNative(std::string& message)
{
    const DWORD attributes = ::GetFileAttributesW(target_.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        message = IsAFolderReason();
        return false;
    }
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        const std::filesystem::path candidate = TemporaryPathFor(target_);
        HANDLE file =
            ::CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_FILE_EXISTS) continue;
        if (file == INVALID_HANDLE_VALUE) {
            message = ReasonFor(::GetLastError());
            return false;
        }
        handle_ = reinterpret_cast<std::intptr_t>(file);
        temporary_ = candidate;
        return true;
    }
    message = ReasonFor(ERROR_FILE_EXISTS);
    return false;
}

bool AtomicFile::writeNative(std::optional<std::uint64_t> offset, std::span<const std::uint8_t> bytes,
                             std::string& message)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        OVERLAPPED position{};
        const std::uint64_t at = offset ? *offset + done : size_ + done;
        position.Offset = static_cast<DWORD>(at);
        position.OffsetHigh = static_cast<DWORD>(at >> 32);
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(AsHandle(handle_), bytes.data() + done, chunk, &written, &position)) {
            message = ReasonFor(::GetLastError());
            return false;
        }
        if (written == 0) {
            message = ReasonFor(ERROR_DISK_FULL);
            return false;
        }
        done += written;
    }
    return true;
}

bool AtomicFile::flushNative(std::string& message)
{
    if (!::FlushFileBuffers(AsHandle(handle_))) {
        message = ReasonFor(::GetLastError());
        return false;
    }
    return true;
}

bool AtomicFile::closeNative(std::string& message)
{
    const std::intptr_t h = handle_;
    handle_ = -1;
    if (h == -1) return true;
    if (!::CloseHandle(AsHandle(h))) {
        message = ReasonFor(::GetLastError());
        return false;
    }
    return true;
}

bool AtomicFile::replaceNative(std::string& message)
{
    // A read-only file is one the user asked Windows to keep: it is not replaced (some
    // MoveFileExW implementations would replace it all the same).
    const DWORD existing = ::GetFileAttributesW(target_.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY)) {
        message = ReasonFor(ERROR_ACCESS_DENIED);
        return false;
    }
    const DWORD flags = MOVEFILE_REPLACE_EXISTING | (durability_ == Durability::Synced ? MOVEFILE_WRITE_THROUGH : 0);
    if (!::MoveFileExW(temporary_.c_str(), target_.c_str(), flags)) {
        message = ReasonFor(::GetLastError());
        return false;
    }
    temporary_.clear();
    return true;
}

// MOVEFILE_WRITE_THROUGH has already made a synced rename durable.
void AtomicFile::syncFolderNative() noexcept {}

void AtomicFile::removeTemporaryNative() noexcept
{
    if (temporary_.empty()) return;
    ::DeleteFileW(temporary_.c_str());
    temporary_.clear();
}

} // namespace glyphora
