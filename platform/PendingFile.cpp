// A private file beside its target, renamed over it when complete.
#include "platform/PendingFile.h"

#include "platform/GlyphoraError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <system_error>

namespace glyphora {

namespace fs = std::filesystem;

PendingFile::PendingFile(const fs::path& target) : target_(target)
{
    std::random_device random;
    int error = 0;
    for (int attempt = 0; attempt < 64; ++attempt) {
        char suffix[24];
        std::snprintf(suffix, sizeof suffix, ".%08x.part", static_cast<unsigned>(random()));
        fs::path candidate = target;
        candidate += suffix;
        errno = 0;
        // "x": created exclusively, never a file that is already there.
        if (std::FILE* file = std::fopen(candidate.string().c_str(), "wbx")) {
            std::fclose(file);
            temp_ = candidate;
            return;
        }
        error = errno;
        if (error != EEXIST) break;
    }
    throw GlyphoraError("Cannot create '" + target.string() + "'" +
                        (error ? std::string(": ") + std::strerror(error) : std::string(".")));
}

PendingFile::~PendingFile()
{
    if (temp_.empty()) return;
    std::error_code ignored;
    fs::remove(temp_, ignored);
}

void PendingFile::Commit()
{
    std::error_code ec;
    fs::rename(temp_, target_, ec);
    if (ec) throw GlyphoraError("Cannot write '" + target_.string() + "': " + ec.message());
    temp_.clear();
}

} // namespace glyphora
