// The built-in texts: the compiled-in English pack, parsed on first use.
#include "i18n/BuiltInTexts.h"

#include "i18n/LanguagePack.h"

#include <string_view>
#include <vector>

namespace glyphora {

// The bytes of english.lng, written into a source file by the build (cmake/BuiltInTexts.cmake).
std::string_view BuiltInPackText();

namespace {

const LanguagePack& BuiltInPack()
{
    static const LanguagePack pack = [] {
        std::vector<PackProblem> problems; // the pack tests keep the shipped pack free of them
        return LanguagePack::Parse(BuiltInPackText(), problems);
    }();
    return pack;
}

} // namespace

std::string BuiltInText(int id)
{
    if (id < 0 || id > 0xFFFF) return {};
    return BuiltInPack().Text(static_cast<std::uint16_t>(id));
}

std::string InterfaceText(int id)
{
    std::string text = LangString(id);
    return text.empty() ? BuiltInText(id) : text;
}

} // namespace glyphora
