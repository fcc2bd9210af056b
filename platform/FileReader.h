// Bounded reads of a file by offset (pread on POSIX, ReadFile at an offset on Windows): the
// file's size is taken once when it is opened, every read names its offset and length, and
// a file that shrinks under us makes a read fail instead of raising a signal. Only the bytes
// asked for are read, so a huge file costs no more memory than the parts a parser needs.
#pragma once

#include "platform/ByteSource.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace glyphora {

class FileReader final : public ByteSource {
public:
    // Opens a regular file for reading. nullptr when it is missing, unreadable or not a
    // regular file; errorText (when given) then receives the reason.
    static std::unique_ptr<FileReader> Open(const std::filesystem::path& path, std::string* errorText = nullptr);

    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;
    ~FileReader() override;

    std::uint64_t size() const override { return size_; }
    bool read(std::uint64_t offset, std::span<std::uint8_t> into) const override;

private:
    FileReader(std::intptr_t handle, std::uint64_t size) : handle_(handle), size_(size) {}

    std::intptr_t handle_; // the system's descriptor or handle
    std::uint64_t size_;
};

// The whole content of a file of at most limit bytes, read through a FileReader. nullopt when
// the file cannot be opened or read, is larger than limit or changed size while it was read;
// errorText (when given) then receives the reason.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& path, std::uint64_t limit,
                                                       std::string* errorText = nullptr);

} // namespace glyphora
