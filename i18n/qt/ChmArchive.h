// A compiled help (.chm) file opened through chmlib: its objects by path, the list of its
// pages, and what its #SYSTEM object says. The file is untrusted: every read is capped,
// paths are checked before they reach chmlib, and the listing stops at a fixed count.
// This class needs no Qt; it lives beside the help window because only that window (the
// help viewer of systems without the HTML Help control) reads .chm files.
#pragma once

#include "i18n/HelpFileInfo.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct chmFile;

namespace glyphora {

class ChmArchive {
public:
    // The largest object read (a page, a picture, the contents file).
    static constexpr std::uint64_t kMaxObjectBytes = 16 * 1024 * 1024;
    // The most objects listed.
    static constexpr std::size_t kMaxListedObjects = 65536;

    // Opens path; nothing when it cannot be opened as a compiled help file.
    static std::optional<ChmArchive> Open(const std::filesystem::path& path);

    ChmArchive(ChmArchive&&) noexcept = default;
    ChmArchive& operator=(ChmArchive&&) noexcept = default;
    ~ChmArchive();

    // The object at path (such as "/export.htm", without fragment; letter case is not
    // significant); nothing when there is none, it is larger than maxBytes, or it cannot be
    // read whole.
    std::optional<std::string> Read(std::string_view path, std::uint64_t maxBytes = kMaxObjectBytes) const;
    bool Contains(std::string_view path) const;

    // The paths of the file's own objects (pages, pictures, contents and index), in the order
    // chmlib lists them; the compiler's internal objects ("/#...", "/$...", "::...") are left out.
    std::vector<std::string> ListFiles() const;

    const HelpFileInfo& Info() const { return info_; }
    const std::filesystem::path& Path() const { return path_; }

private:
    struct Closer {
        void operator()(chmFile* file) const;
    };

    ChmArchive(std::unique_ptr<chmFile, Closer> file, std::filesystem::path path);

    std::unique_ptr<chmFile, Closer> file_;
    std::filesystem::path path_;
    HelpFileInfo info_;
};

} // namespace glyphora
