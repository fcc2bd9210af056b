// Texts of the save problems.
#include "export/SaveProblems.h"

#include "i18n/BuiltInTexts.h"
#include "i18n/TextIds.h"

namespace glyphora {

std::string NothingToSaveText(const std::filesystem::path& source)
{
    return InterfaceText(kTextNoIconsInFile) + "\n" + source.string();
}

std::string SourceChangedText(const std::filesystem::path& source)
{
    return "'" + source.string() + "' changed while its icons were read; nothing more was saved from it.";
}

} // namespace glyphora
