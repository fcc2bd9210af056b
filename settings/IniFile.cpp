// INI documents on disk: a bounded read, and the atomic replacement of the whole file.
#include "settings/IniDocument.h"

#include "platform/AtomicFile.h"
#include "platform/Files.h"
#include "platform/GlyphoraError.h"

#include <cstdint>
#include <exception>
#include <system_error>

namespace glyphora {

namespace {

// Far above what twelve recent paths and the settings take; a bigger file is no settings file.
constexpr std::uintmax_t kMaximumSize = 1u << 20;

} // namespace

std::optional<IniDocument> ReadIniFile(const std::filesystem::path& file)
{
    if (file.empty()) return IniDocument{};
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(file, ec);
    if (status.type() == std::filesystem::file_type::not_found) return IniDocument{};
    if (ec || status.type() != std::filesystem::file_type::regular) return std::nullopt;
    const std::uintmax_t size = std::filesystem::file_size(file, ec);
    if (ec || size > kMaximumSize) return std::nullopt;
    try {
        const std::vector<std::uint8_t> bytes = ReadWholeFile(file);
        if (bytes.size() > kMaximumSize) return std::nullopt;
        return IniDocument::Parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

void WriteIniFile(const std::filesystem::path& file, const IniDocument& document)
{
    if (file.empty()) throw GlyphoraError("There is no folder to keep the settings in.");
    std::error_code ignored; // a folder that cannot be made shows as the write's own failure
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ignored);
    const std::string text = document.Serialize();
    WriteFileAtomically(file, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
                        Durability::Synced);
}

} // namespace glyphora
