// A file for writers that open their output by name themselves (libraries, the printer's PDF
// output): they write a private file beside the target, which replaces the target only on
// Commit, through WriteFileAtomically. A failed write leaves an existing file as it was and
// nothing half-written behind.
#pragma once

#include <filesystem>

namespace glyphora {

class PendingFile {
public:
    // Creates the private file exclusively in the target's folder; throws GlyphoraError with
    // the system's message when that is impossible.
    explicit PendingFile(const std::filesystem::path& target);
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;
    // Removes the private file unless it was committed.
    ~PendingFile();

    // Where the writer writes.
    const std::filesystem::path& Path() const { return temp_; }
    const std::filesystem::path& Target() const { return target_; }

    // The finished file replaces the target (flushed to the disk, the target's permission bits
    // kept); throws GlyphoraError when it cannot.
    void Commit();

private:
    std::filesystem::path target_;
    std::filesystem::path temp_;
};

} // namespace glyphora
