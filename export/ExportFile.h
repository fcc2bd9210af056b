// A file being written by an export (documents and their memo files): created (replacing an existing one) on construction,
// every write checked, and a failure raised as GlyphoraError naming the file. The file is
// closed when the object goes, on every path; what was written before a failure stays.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <string_view>

namespace glyphora {

class ExportFile {
public:
    explicit ExportFile(const std::filesystem::path& path);
    ExportFile(const ExportFile&) = delete;
    ExportFile& operator=(const ExportFile&) = delete;

    void Write(std::span<const std::uint8_t> bytes);
    void Write(std::string_view text);
    // Overwrites bytes at an absolute offset, then returns to the end of the file.
    void WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes);
    std::uint64_t Size();
    std::ostream& Stream() { return stream_; }
    // Raises when the stream has failed (after writes made through Stream()).
    void Check();
    void Close();

    const std::filesystem::path& Path() const { return path_; }

private:
    [[noreturn]] void Fail(const char* what);

    std::filesystem::path path_;
    std::ofstream stream_;
};

} // namespace glyphora
