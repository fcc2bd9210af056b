// Replacing a file as a whole: the new contents go to a private temporary file in the target's
// own folder, are flushed to the disk and only then renamed over the target. A crash, a full
// disk or a refused write therefore leaves either the old file or the new one, never a mix.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace glyphora {

// Writes bytes to target (created or replaced) in the way described above. On any failure
// throws GlyphoraError with the system's message; target is then left as it was and the
// temporary file is gone. On POSIX systems a replaced file keeps its permission bits.
void WriteFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes);

} // namespace glyphora
