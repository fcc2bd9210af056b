// The one way every output reaches the disk: the bytes go to a private temporary file created
// exclusively in the destination folder, and only a complete file is renamed over the target.
// The bytes come through Write, or from a writer that opens its output by name itself (a
// library, the printer's PDF output), which is handed the temporary file's path.
// A failure (a full disk, a folder that is gone, an exception in the caller) removes the
// temporary file and leaves an existing target exactly as it was; no fixed or guessable name
// is ever used, so concurrent runs and planted links cannot mix their data.
#pragma once

#include "platform/GlyphoraError.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace glyphora {

// A file could not be created, written or put in place. The message names the target and
// carries the system's reason ("Cannot write 'x.png': No space left on device").
class OutputError : public GlyphoraError {
public:
    using GlyphoraError::GlyphoraError;
};

// How far Commit() goes. Normal: the complete file replaces the target in one step, which is
// all that a failure of ours or of the disk needs (the exports write hundreds of files, and a
// flush to the disk for each would cost more than the rest of the work). Synced: the file and
// then the rename are also flushed to the disk, so that even a crash of the system leaves
// the old file or the new one (the settings file).
enum class Durability { Normal, Synced };

// The free space the writes of one operation may take, as on a disk with only that much left:
// a write that needs more fails as on a full disk (ENOSPC), after the part that still fits.
// The tests' full disk, handed to the operation they run on it and shared by every file that
// operation writes through Write or WriteAt.
class FreeSpaceLimit {
public:
    explicit FreeSpaceLimit(std::uint64_t bytes);
    // How many of wanted bytes still fit; those are taken.
    std::size_t Take(std::size_t wanted);

private:
    std::atomic<std::uint64_t> free_;
};

// Selects the constructor for a writer that opens its output by name.
struct ByNameWriter {
    explicit ByNameWriter() = default;
};
inline constexpr ByNameWriter kByNameWriter{};

class AtomicFile {
public:
    // Creates the temporary file beside target; check IsOpen(). A target that exists and is
    // a device or a pipe (nothing a rename could replace) is written directly instead. A
    // symbolic link at the target is replaced by the new file, not written through. With a
    // space limit, the writes take their bytes from it.
    explicit AtomicFile(std::filesystem::path target, Durability durability = Durability::Normal,
                        FreeSpaceLimit* space = nullptr);
    // For a writer that opens its output by name: the temporary file is created as above and
    // closed again at once, the writer writes WritePath() and closes it, and Commit() renames
    // it over the target (Durability::Normal). Write and WriteAt fail.
    AtomicFile(std::filesystem::path target, ByNameWriter);
    ~AtomicFile(); // discards everything unless Commit() succeeded
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool IsOpen() const;

    // Appends the bytes, with one system call where the system takes them whole. False on
    // failure; every later call then fails too and Commit() puts nothing in place.
    bool Write(std::span<const std::uint8_t> bytes);
    bool Write(std::string_view text)
    {
        return Write(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    }
    // Overwrites bytes already written (a header filled in at the end).
    bool WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes);

    std::uint64_t Size() const { return size_; }
    // Where a by-name writer writes: the temporary file, or the target itself where that is
    // a device or a pipe.
    const std::filesystem::path& WritePath() const { return temporary_.empty() ? target_ : temporary_; }

    // Closes the file and renames it over the target. False (and nothing replaced) on failure.
    bool Commit();
    // Closes and removes the temporary file; the target is left alone.
    void Discard();

    bool Failed() const { return failed_; }
    // "Cannot create|write|replace 'target': reason"; empty while nothing failed.
    const std::string& ErrorText() const { return errorText_; }
    // The system's reason alone ("No space left on device").
    const std::string& SystemMessage() const { return systemMessage_; }
    const std::filesystem::path& Target() const { return target_; }

    // Throws OutputError with ErrorText().
    [[noreturn]] void Raise() const;

private:
    bool fail(const char* action, std::string message);
    bool put(std::optional<std::uint64_t> offset, std::span<const std::uint8_t> bytes);
    void open();

    // The operating system's part (platform/posix, platform/windows).
    bool openNative(std::string& message);
    bool writeNative(std::optional<std::uint64_t> offset, std::span<const std::uint8_t> bytes, std::string& message);
    bool flushNative(std::string& message);
    bool closeNative(std::string& message);
    bool replaceNative(std::string& message);
    void syncFolderNative() noexcept;
    void removeTemporaryNative() noexcept;

    std::filesystem::path target_;
    Durability durability_;
    FreeSpaceLimit* space_ = nullptr;
    bool byName_ = false;
    std::filesystem::path temporary_; // empty when writing the target directly
    std::intptr_t handle_ = -1;
    bool open_ = false;
    bool committed_ = false;
    bool failed_ = false;
    std::uint64_t size_ = 0;
    std::string errorText_;
    std::string systemMessage_;
};

// Writes bytes as the whole new content of target through an AtomicFile; throws OutputError.
void WriteFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                         Durability durability = Durability::Normal, FreeSpaceLimit* space = nullptr);

// A fresh name for a temporary file of target: in target's folder, hidden, unguessable, with
// ".tmp" at its end.
std::filesystem::path TemporaryPathFor(const std::filesystem::path& target);

// True for names made by TemporaryPathFor (so that tests can tell leftovers apart).
bool IsTemporaryOutputName(const std::string& fileName);

} // namespace glyphora
