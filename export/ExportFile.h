// A file being written by an export (documents and their memo files), through AtomicFile:
// the bytes collect in a temporary file beside the target, every write is checked, a failure
// is raised as OutputError naming the file, and only Close() puts the complete file in place.
// An ExportFile that goes without Close() (an exception on the way) leaves nothing behind and
// an existing file of that name untouched.
#pragma once

#include "platform/AtomicFile.h"

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <span>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

namespace glyphora {

class ExportFile {
public:
    // Throws OutputError when the temporary file cannot be created. With a space limit (the
    // tests' full disk) the writes take their bytes from it.
    explicit ExportFile(const std::filesystem::path& path, FreeSpaceLimit* space = nullptr);
    ExportFile(const ExportFile&) = delete;
    ExportFile& operator=(const ExportFile&) = delete;

    void Write(std::span<const std::uint8_t> bytes);
    void Write(std::string_view text);
    // Overwrites bytes at an absolute offset (inside what was written), then returns to the end.
    void WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes);
    std::uint64_t Size();
    // A buffered stream onto the file, for writers that take one.
    std::ostream& Stream() { return stream_; }
    // Raises when the file has failed (after writes made through Stream()).
    void Check();
    // Hands everything buffered to the system; raises on failure.
    void Flush();
    // Flushes and puts the complete file in place; raises on failure.
    void Close();

    const std::filesystem::path& Path() const { return file_.Target(); }

private:
    // Collects stream output and hands it to the file in large pieces.
    class Buffer final : public std::streambuf {
    public:
        explicit Buffer(AtomicFile& file);
        bool Drain(); // false when the file refused the bytes

    protected:
        int_type overflow(int_type c) override;
        int sync() override;

    private:
        AtomicFile& file_;
        std::vector<char> space_;
    };

    [[noreturn]] void Fail();

    AtomicFile file_;
    Buffer buffer_;
    std::ostream stream_;
};

} // namespace glyphora
