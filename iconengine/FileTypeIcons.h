// The desktop's file-type registry as the icon engine sees it: the icon a file manager shows
// for a file without icons of its own, and the "DefaultIcon" registration of an extension
// (a module path with an optional ",index"). The lookup behind it is injectable: the window
// installs a provider backed by the desktop's MIME database and icon theme; without one (the
// console front end, tests) the program's own built-in generic icon serves, so every file
// still has an icon.
#pragma once

#include "raster/IconHandle.h"

#include <filesystem>
#include <memory>
#include <string>

namespace glyphora {

class FileTypeIconProvider {
public:
    virtual ~FileTypeIconProvider() = default;
    // The icon shown for this file at size x size, or a null handle.
    virtual IconHandle IconForFile(const std::filesystem::path& path, int size) const = 0;
    // The raw DefaultIcon registration of an extension (lower case, with its dot), or "".
    virtual std::string DefaultIconRegistration(const std::string& extension) const = 0;
};

// The provider in use; never null.
const FileTypeIconProvider& CurrentFileTypeIconProvider();

// Installs a provider (nullptr restores the built-in one). The caller keeps it alive.
void SetFileTypeIconProvider(const FileTypeIconProvider* provider);

// The built-in generic document icon, drawn by our own code at any size.
IconHandle BuiltInGenericFileIcon(int size);

} // namespace glyphora
