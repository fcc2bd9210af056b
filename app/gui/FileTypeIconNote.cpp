// The note on a file shown with its file-type icon.
#include "app/gui/FileTypeIconNote.h"

#include "formats/ModuleResources.h"
#include "i18n/BuiltInTexts.h"
#include "i18n/TextIds.h"
#include "iconengine/IconSources.h"
#include "platform/FileReader.h"

#include <array>
#include <cstdint>

namespace glyphora {

namespace {

// A file that claims to be a module: named as one, or starting with the "MZ" signature
// every Windows module starts with.
bool ClaimsToBeAModule(const std::filesystem::path& fileName, const FileReader& file)
{
    if (IsModuleExtension(LowerExtension(fileName))) return true;
    std::array<std::uint8_t, 2> signature{};
    return file.size() >= signature.size() && file.read(0, signature) && signature[0] == 'M' && signature[1] == 'Z';
}

} // namespace

std::string FileTypeIconNote(const std::filesystem::path& fileName)
{
    const std::unique_ptr<FileReader> file = FileReader::Open(fileName);
    // A module whose resources do not parse is damaged; a valid module without icons is
    // simply a file without icons of its own.
    const bool unreadable = !file || (ClaimsToBeAModule(fileName, *file) && !ModuleResources::Open(fileName));
    return InterfaceText(unreadable ? kTextUnreadableFile : kTextNoOwnIcons);
}

} // namespace glyphora
