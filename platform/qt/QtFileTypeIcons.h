// The desktop's file-type icons through Qt: the MIME type of a file, its icon in the icon
// theme (the specific icon, then the generic one), then Qt's own file icon provider, and
// finally the program's built-in generic icon, so that every file shows an icon.
#pragma once

#include "iconengine/FileTypeIcons.h"

namespace glyphora {

class QtFileTypeIconProvider final : public FileTypeIconProvider {
public:
    IconHandle IconForFile(const std::filesystem::path& path, int size) const override;
};

} // namespace glyphora
