// chmlib behind a small owning class.
#include "i18n/qt/ChmArchive.h"

#include "platform/Files.h"

#include <chm_lib.h>

#include <algorithm>
#include <cstring>

namespace glyphora {

namespace {

// A path chmlib can be given: starts with "/", fits its path buffer, holds no NUL.
std::optional<std::string> ObjectPath(std::string_view path)
{
    if (path.empty() || path.front() != '/' || path.size() > CHM_MAX_PATHLEN ||
        path.find('\0') != std::string_view::npos)
        return std::nullopt;
    return std::string(path);
}

bool IsOwnObject(std::string_view path)
{
    return path.size() > 1 && path.front() == '/' && path[1] != '#' && path[1] != '$' && path.back() != '/';
}

struct Listing {
    std::vector<std::string> paths;
};

int CollectObject(chmFile*, chmUnitInfo* unit, void* context)
{
    auto& listing = *static_cast<Listing*>(context);
    // chmlib fills path from the file; make sure it is terminated before reading it.
    unit->path[CHM_MAX_PATHLEN] = '\0';
    const std::string_view path(unit->path, std::strlen(unit->path));
    if (IsOwnObject(path)) listing.paths.emplace_back(path);
    return listing.paths.size() < ChmArchive::kMaxListedObjects ? CHM_ENUMERATOR_CONTINUE : CHM_ENUMERATOR_SUCCESS;
}

} // namespace

void ChmArchive::Closer::operator()(chmFile* file) const
{
    chm_close(file);
}

std::optional<ChmArchive> ChmArchive::Open(const std::filesystem::path& path)
{
    // chmlib opens anything it is given; a folder or a missing file is no help file.
    if (!FileExists(path)) return std::nullopt;
    std::unique_ptr<chmFile, Closer> file(chm_open(path.string().c_str()));
    if (!file) return std::nullopt;
    return ChmArchive(std::move(file), path);
}

ChmArchive::ChmArchive(std::unique_ptr<chmFile, Closer> file, std::filesystem::path path)
    : file_(std::move(file)), path_(std::move(path))
{
    if (const auto system = Read("/#SYSTEM", 1024 * 1024)) {
        info_ = ParseHelpSystemObject(std::span(reinterpret_cast<const std::uint8_t*>(system->data()), system->size()));
    }
}

ChmArchive::~ChmArchive() = default;

std::optional<std::string> ChmArchive::Read(std::string_view path, std::uint64_t maxBytes) const
{
    const auto objectPath = ObjectPath(path);
    if (!objectPath || !file_) return std::nullopt;
    chmUnitInfo unit{};
    if (chm_resolve_object(file_.get(), objectPath->c_str(), &unit) != CHM_RESOLVE_SUCCESS) return std::nullopt;
    if (unit.length > maxBytes) return std::nullopt;
    std::string data(static_cast<std::size_t>(unit.length), '\0');
    if (unit.length == 0) return data;
    const LONGINT64 got = chm_retrieve_object(file_.get(), &unit, reinterpret_cast<unsigned char*>(data.data()), 0,
                                              static_cast<LONGINT64>(unit.length));
    if (got != static_cast<LONGINT64>(unit.length)) return std::nullopt;
    return data;
}

bool ChmArchive::Contains(std::string_view path) const
{
    const auto objectPath = ObjectPath(path);
    chmUnitInfo unit{};
    return objectPath && file_ && chm_resolve_object(file_.get(), objectPath->c_str(), &unit) == CHM_RESOLVE_SUCCESS;
}

std::vector<std::string> ChmArchive::ListFiles() const
{
    Listing listing;
    if (file_) chm_enumerate(file_.get(), CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, CollectObject, &listing);
    return listing.paths;
}

} // namespace glyphora
