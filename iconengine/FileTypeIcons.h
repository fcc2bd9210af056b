// The desktop's file-type icons as the icon engine sees them: the icon a file manager shows
// for a file without icons of its own. (The "DefaultIcon" registration of an extension, which
// leads a save to the module behind such an icon, is the platform's FileAssociations
// adapter.) The lookup is passed to the code that needs it:
// the window hands on a provider backed by the desktop's MIME database and icon theme; the
// console front end and tests use the built-in one, whose generic icon still gives every file
// an icon.
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
};

// The built-in provider: the generic icon for every file. It keeps no state.
const FileTypeIconProvider& BuiltInFileTypeIcons();

// The built-in generic document icon, drawn by our own code at any size.
IconHandle BuiltInGenericFileIcon(int size);

} // namespace glyphora
