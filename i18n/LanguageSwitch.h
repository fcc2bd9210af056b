// Switching the interface language, apart from the window: the pack of the requested
// language is loaded as the program-wide pack with the English fallback at start-up, the
// messages of a missing or unreadable pack are worded, and a pack made for an older program
// version is found out. The window then applies the texts and shows the messages.
#pragma once

#include "platform/MessageDialogs.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace glyphora {

// The language switch's own texts for a pack that is missing, cannot be loaded or carries no
// version: they stand in when the pack itself is the problem, so they are fixed wordings of
// their own, not the English pack's texts of the same ids. Lines of a message are joined with
// "\n", which every message box of the platform layer shows as a line break.
inline constexpr std::string_view kBuiltInPackMissing = "File does not exist:";
inline constexpr std::string_view kBuiltInFindOnWebPage = "It can be found on Glyphora web page.";
inline constexpr std::string_view kBuiltInPackNotLoaded = "Unable to load the file:";
inline constexpr std::string_view kBuiltInPackObsolete =
    "Language pack is obsolete.\nPlease download its newer version from Glyphora web page.";

struct LanguageMessage {
    std::string text;
    MessageIcon icon = MessageIcon::Error;

    bool operator==(const LanguageMessage&) const = default;
};

struct LanguageSwitchRequest {
    int currentLanguage = 0;           // the language in use (the stored setting at start-up)
    std::optional<int> chosen;         // the language item the user chose; none at window creation
    bool startedWithArguments = false; // a command line runs: no message may stop it
    std::filesystem::path packFolder;
};

struct LanguageSwitchResult {
    // The pack was loaded and its texts are to be applied. Started with arguments, a pack file
    // that exists counts as loaded even when it could not be read (its texts are then empty).
    bool loaded = false;
    int language = 0;                              // the language afterwards: the one loaded, else the current one
    std::vector<LanguageMessage> loadMessages;     // error boxes, shown at once, in order
    std::optional<LanguageMessage> versionWarning; // shown after the texts are applied
};

// Loads the pack of request.chosen (or of the current language without a choice). Messages
// are only worded when the program was started without arguments; the version is checked
// when started without arguments or when the user chose the language.
LanguageSwitchResult SwitchLanguage(const LanguageSwitchRequest& request);

// The language item that carries the check mark for a language value: the item of 1 to 5
// itself, English for 0 and for any value outside the table.
int CheckedLanguageItem(int language);

} // namespace glyphora
