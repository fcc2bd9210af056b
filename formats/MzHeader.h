// The DOS (MZ) header that every Windows module starts with: where its new header lies
// (e_lfanew) and which kind of module that header introduces. Modules are told apart by this
// signature alone, never by the file's extension.
#pragma once

#include "formats/SourceReader.h"

#include <cstdint>
#include <optional>

namespace glyphora {

// The file offset of the new header (e_lfanew), or nullopt when the file does not start with
// a whole DOS header carrying the "MZ" signature.
std::optional<std::uint64_t> NewHeaderOffset(const SourceReader& file);

enum class ModuleFormat {
    Unknown, // no module we read: no MZ header, or a new header of another kind (LE, LX, ...)
    Pe,      // "PE\0\0": a 32- or 64-bit module
    Ne,      // "NE": a 16-bit module (Windows 3.x programs, libraries and .icl icon libraries)
};

ModuleFormat DetectModuleFormat(const SourceReader& file);

} // namespace glyphora
