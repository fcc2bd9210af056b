// The dBase IV table with memo file of a save-all run: one record per icon, a single binary
// memo field that holds the icon as an icon file or as a picture file.
#pragma once

#include "export/SaveAllDocument.h"

#include <ctime>

namespace glyphora {

std::unique_ptr<SaveAllDocument> CreateDbaseDocument(const SaveAllContext& context);

// The table's path: the document folder, the chosen name, its extension when it has none.
std::filesystem::path DbaseTablePath(const SaveAllRequest& request, const std::string& documentExt);

// The 32-byte table header and the 32-byte field descriptor followed by 0x0D (65 bytes).
std::vector<std::uint8_t> DbaseTableHeader(const std::tm& date, const std::string& fieldName);

// The 1024-byte header block of the memo file for a table file name.
std::vector<std::uint8_t> DbaseMemoHeader(const std::filesystem::path& tablePath);

// The field name as written: "ICON" for an empty one, at most 10 bytes (whole characters).
std::string DbaseFieldName(const std::string& requested);

} // namespace glyphora
