// Atomic file replacement on Windows: CreateFileW(CREATE_NEW) for a temporary name of our own,
// WriteFile, FlushFileBuffers, then MoveFileExW with MOVEFILE_REPLACE_EXISTING and
// MOVEFILE_WRITE_THROUGH.
#include "platform/AtomicWrite.h"

#include "platform/GlyphoraError.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <random>
#include <string>
#include <system_error>

namespace glyphora {

namespace {

[[noreturn]] void Fail(const std::filesystem::path& target, const std::string& what, DWORD code)
{
    throw GlyphoraError("Cannot write '" + target.string() + "': " + what + ": " +
                        std::system_category().message(static_cast<int>(code)));
}

class TemporaryFile {
public:
    explicit TemporaryFile(const std::filesystem::path& target)
    {
        std::random_device random;
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::filesystem::path candidate = target;
            candidate.replace_filename(L"~" + target.filename().wstring() + L"." + std::to_wstring(random()) + L".tmp");
            HANDLE h = ::CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (h != INVALID_HANDLE_VALUE) {
                handle_ = h;
                path_ = std::move(candidate);
                return;
            }
            const DWORD code = ::GetLastError();
            if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) Fail(target, "cannot create a temporary file", code);
        }
        Fail(target, "cannot create a temporary file", ERROR_FILE_EXISTS);
    }
    ~TemporaryFile()
    {
        if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
        if (!path_.empty()) ::DeleteFileW(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    HANDLE Handle() const { return handle_; }
    const std::filesystem::path& Path() const { return path_; }
    bool Close()
    {
        HANDLE h = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return ::CloseHandle(h) != 0;
    }
    void Release() { path_.clear(); }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    std::filesystem::path path_;
};

} // namespace

void WriteFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes)
{
    if (target.filename().empty()) throw GlyphoraError("Cannot write '" + target.string() + "': no file name.");
    TemporaryFile temp(target);
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(temp.Handle(), bytes.data(), chunk, &written, nullptr) || written == 0)
            Fail(target, "write failed", ::GetLastError());
        bytes = bytes.subspan(written);
    }
    if (!::FlushFileBuffers(temp.Handle())) Fail(target, "flush failed", ::GetLastError());
    if (!temp.Close()) Fail(target, "close failed", ::GetLastError());
    if (!::MoveFileExW(temp.Path().c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        Fail(target, "cannot replace the file", ::GetLastError());
    temp.Release();
}

} // namespace glyphora
