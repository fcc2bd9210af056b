// Flate compression of PDF stream data through zlib, in one pass over data held in memory.
#include "pdf/PdfDeflate.h"

#include "platform/GlyphoraError.h"

#include <zlib.h>

#include <limits>

namespace glyphora {

std::string PdfDeflate(std::string_view data)
{
    if (data.size() > std::numeric_limits<uLong>::max() / 2) {
        throw GlyphoraError("A PDF stream is too large to be compressed.");
    }
    uLongf outLen = compressBound(static_cast<uLong>(data.size()));
    std::string out(outLen, '\0');
    const int rc = compress2(reinterpret_cast<Bytef*>(out.data()), &outLen, reinterpret_cast<const Bytef*>(data.data()),
                             static_cast<uLong>(data.size()), Z_DEFAULT_COMPRESSION);
    if (rc != Z_OK) {
        throw GlyphoraError("A PDF stream could not be compressed (zlib error " + std::to_string(rc) + ").");
    }
    out.resize(outLen);
    return out;
}

} // namespace glyphora
