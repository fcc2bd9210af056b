// File-system services of the platform layer: the operations the system names
// (CopyFile, existence tests, one-level folder creation, the temporary path, the program's
// own path) with the operating system's message for a failure.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace glyphora {

class FreeSpaceLimit;

bool FileExists(const std::filesystem::path& path); // a file (not a folder)
bool DirectoryExists(const std::filesystem::path& path);

// Copies source to dest, replacing dest only once the copy is complete (an existing dest
// stays as it was on failure). Returns an empty string on success, else the reason.
std::string CopyFileReplace(const std::filesystem::path& source, const std::filesystem::path& dest);

// Creates one folder level (no parents). True when the folder exists afterwards.
bool CreateFolder(const std::filesystem::path& path);

// The system's temporary path, or empty.
std::filesystem::path SystemTempPath();

// The running program's own file.
std::filesystem::path ProgramFilePath();

// Reads a whole file, throwing GlyphoraError when it cannot be read.
std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path);

// Writes bytes as the new content of path (see AtomicFile: an existing file is replaced only
// by a complete one), throwing OutputError on any failure; with a space limit (the tests' full
// disk) the bytes are taken from it.
void WriteWholeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes,
                    FreeSpaceLimit* space = nullptr);

} // namespace glyphora
