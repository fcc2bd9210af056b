// The portable part of the bounded file reader: reading a whole (small) file.
#include "platform/FileReader.h"

namespace glyphora {

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& path, std::uint64_t limit,
                                                       std::string* errorText)
{
    auto reader = FileReader::Open(path, errorText);
    if (!reader) return std::nullopt;
    if (reader->size() > limit) {
        if (errorText) *errorText = "the file is too large (" + std::to_string(reader->size()) + " bytes)";
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(reader->size()));
    if (!reader->read(0, bytes)) {
        if (errorText) *errorText = "the file changed while it was read";
        return std::nullopt;
    }
    return bytes;
}

} // namespace glyphora
