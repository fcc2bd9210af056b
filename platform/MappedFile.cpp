// The portable part of the file view: moving and releasing; opening and unmapping are the
// operating system's (platform/posix, platform/windows).
#include "platform/MappedFile.h"

#include <utility>

namespace glyphora {

MappedFile::MappedFile(MappedFile&& other) noexcept
    : address_(std::exchange(other.address_, nullptr)), size_(std::exchange(other.size_, 0))
{
}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept
{
    if (this != &other) {
        release();
        address_ = std::exchange(other.address_, nullptr);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

MappedFile::~MappedFile() { release(); }

} // namespace glyphora
