// A read-only, bounded view of a whole file (memory-mapped on POSIX). Untrusted modules are
// read through it instead of being copied into memory; the view lives as long as the object
// and is released on every path. Movable, not copyable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

namespace glyphora {

class MappedFile {
public:
    // Maps a regular, non-empty, readable file. nullopt for a missing, unreadable or empty
    // file, a folder, or anything that is not a regular file.
    static std::optional<MappedFile> Open(const std::filesystem::path& path);

    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&& other) noexcept;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile();

    std::span<const std::uint8_t> bytes() const
    {
        return {static_cast<const std::uint8_t*>(address_), size_};
    }
    std::size_t size() const { return size_; }

private:
    MappedFile(void* address, std::size_t size) : address_(address), size_(size) {}
    void release() noexcept;

    void* address_ = nullptr;
    std::size_t size_ = 0;
};

} // namespace glyphora
