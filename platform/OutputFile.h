// A file opened for writing in which every write is one unbuffered call whose transfer can be
// checked on its own (our counterpart of CreateFile + WriteFile + CloseHandle), with the
// operating system's message for the last failure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <span>
#include <string>

namespace glyphora {

class OutputFile {
public:
    // Creates path for writing, replacing an existing file. Check IsOpen() afterwards.
    explicit OutputFile(const std::filesystem::path& path);

    bool IsOpen() const { return file_ != nullptr; }

    // Writes the bytes with one call and returns how many were transferred. When fewer than
    // asked arrive, Failed() tells whether the system reported an error.
    std::size_t Write(std::span<const std::uint8_t> bytes);

    // True once the system has reported an error for this file.
    bool Failed() const { return failed_; }

    // The system's message for the last reported error (empty when none).
    const std::string& ErrorText() const { return errorText_; }

    // Closes the file; false when closing itself reports an error. The destructor closes too.
    bool Close();

private:
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
    bool failed_ = false;
    std::string errorText_;

    void RecordError();
};

} // namespace glyphora
