// Loading the pack of a language with its fallback and messages, and the version check.
#include "i18n/LanguageSwitch.h"

#include "i18n/LanguagePack.h"
#include "i18n/Languages.h"
#include "i18n/TextFormat.h"
#include "i18n/TextIds.h"
#include "platform/Files.h"

namespace glyphora {

namespace {

constexpr char kLineBreak = '\n';

// The pack text of id, or fallback when the pack in use has none.
std::string PackTextOr(int id, std::string_view fallback)
{
    std::string text = LangString(id);
    return text.empty() ? std::string(fallback) : text;
}

// The message of a pack file that does not exist, worded by the pack still in use if it can.
std::string PackMissingText(const std::filesystem::path& path)
{
    const std::string shown = path.string();
    const std::string missing = LangString(kTextPackFileMissing);
    if (!missing.empty()) return FormatText(missing, shown) + kLineBreak + LangString(kTextFindOnWebPage);
    return std::string(kBuiltInPackMissing) + kLineBreak + shown + kLineBreak + std::string(kBuiltInFindOnWebPage);
}

// The warning for a pack made for an older program or carrying no version; none when the
// pack is current.
std::optional<LanguageMessage> VersionWarning()
{
    const std::string version = LangString(kTextLanguagePackVersion);
    if (version.empty()) return LanguageMessage{std::string(kBuiltInPackObsolete), MessageIcon::Warning};
    if (CompareVersions(std::string(kPackTargetVersion), version) != 1) return std::nullopt;
    return LanguageMessage{LangString(kTextPackObsolete) + kLineBreak + LangString(kTextPackObsoleteAdvice),
                           MessageIcon::Warning};
}

} // namespace

LanguageSwitchResult SwitchLanguage(const LanguageSwitchRequest& request)
{
    LanguageSwitchResult result;
    result.language = request.currentLanguage;
    const bool quiet = request.startedWithArguments;
    int language = request.chosen.value_or(request.currentLanguage);
    std::filesystem::path path = request.packFolder / LanguageFileName(language);

    if (!FileExists(path)) {
        if (!quiet) result.loadMessages.push_back({PackMissingText(path), MessageIcon::Error});
        // Only the first load at window creation falls back to English; a choice from the
        // menu that cannot be met leaves everything as it was.
        const std::filesystem::path english = request.packFolder / LanguageFileName(0);
        if (language == 0 || LanguagePackLoaded() || request.chosen || !FileExists(english)) return result;
        language = 0;
        path = english;
    }

    // A pack with some bad lines loads and serves with its good ones, without a message.
    if (!LoadLanguagePack(path) && !quiet) {
        // The failed load has released the previous pack, so the built-in text usually speaks.
        result.loadMessages.push_back(
            {PackTextOr(kTextPackCannotBeLoaded, kBuiltInPackNotLoaded) + kLineBreak + path.string(),
             MessageIcon::Error});
        return result;
    }
    result.loaded = true;
    result.language = language;
    if (!quiet || request.chosen) result.versionWarning = VersionWarning();
    return result;
}

int CheckedLanguageItem(int language)
{
    return language >= 1 && language < kLanguageCount ? language : 0;
}

} // namespace glyphora
