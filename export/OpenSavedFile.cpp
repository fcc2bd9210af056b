// Opening a written file afterwards.
#include "export/OpenSavedFile.h"

#include "platform/AsciiText.h"
#include "platform/Files.h"
#include "platform/ShellOpen.h"

namespace glyphora {

namespace fs = std::filesystem;

void OpenSavedFile(const fs::path& fileName, const std::string& ext)
{
    fs::path target = fileName;
    if (!fs::exists(fileName) && !ext.empty() && !fileName.has_extension()) {
        fs::path withExt = fileName;
        withExt += "." + ext;
        // Saves append lower-case extensions while type words are upper case; on a
        // case-sensitive file system try the lower-case form as well.
        fs::path withLower = fileName;
        withLower += "." + AsciiLower(ext);
        if (fs::exists(withExt))
            target = withExt;
        else if (fs::exists(withLower))
            target = withLower;
    }
    OpenWithDefaultApplication(target);
}

} // namespace glyphora
