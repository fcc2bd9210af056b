// The headers of a PE32 or PE32+ file read as data: DOS header, PE signature, COFF header,
// optional header and section table, and the mapping of relative virtual addresses (RVAs)
// to file offsets through the sections. Only the bytes that a section backs in the file
// are reachable; the zero-filled tail of a section whose raw size is smaller than its
// virtual size is not. The headers are copied out of the file through a SourceReader, which
// the image keeps pointing at for later reads of the resource tree.
#pragma once

#include "formats/SourceReader.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace glyphora {

class PeImage {
public:
    // Parses the headers of a file; nullopt when it is not a PE module we can read. The
    // reader must outlive the image.
    static std::optional<PeImage> Parse(const SourceReader& file);

    const SourceReader& file() const { return *file_; }
    bool isPe32Plus() const { return pe32Plus_; }

    // RVA of the resource directory, or 0 when the module has none.
    std::uint32_t resourceRva() const { return resourceRva_; }

    // How many bytes starting at rva lie, contiguously, in one section's file-backed data.
    // 0 when rva is in no section.
    std::uint64_t backedBytesAt(std::uint64_t rva) const;

    // File offset of [rva, rva + length) when all of it is backed by one section.
    std::optional<std::uint64_t> fileOffset(std::uint64_t rva, std::uint64_t length) const;

private:
    struct Section {
        std::uint64_t virtualAddress = 0;
        std::uint64_t backedSize = 0; // the part of the section present in the file
        std::uint64_t rawOffset = 0;
    };

    const SourceReader* file_ = nullptr;
    bool pe32Plus_ = false;
    std::uint32_t resourceRva_ = 0;
    std::vector<Section> sections_;
};

} // namespace glyphora
