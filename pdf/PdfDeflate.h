// Deflate in zlib format at the default level: the Flate filter of PDF streams.
#pragma once

#include <string>
#include <string_view>

namespace glyphora {

std::string PdfDeflate(std::string_view data);

} // namespace glyphora
