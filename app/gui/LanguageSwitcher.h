// The window's language: what choosing a language item does. It loads the language's pack
// (with the English fallback of the first load at window creation), reports what went wrong,
// keeps the check mark on the language in use, and after a successful switch has the window
// apply the pack's texts (Qt's own texts follow through Qt's catalogue), warns of an old pack and chooses the help file of the language.
#pragma once

#include "app/gui/QtTranslations.h"

#include <filesystem>
#include <functional>
#include <optional>

namespace glyphora {

class ActionManager;
class DialogService;
struct WindowSettings;

class LanguageSwitcher {
public:
    // What a switch asks of the window.
    struct Window {
        // Puts the pack's texts on the controls and shows the status bar in the new wording.
        std::function<void()> applyTexts;
        // Chooses the help file of a language; reportMissing: say so when it is not there.
        std::function<void(int language, bool reportMissing)> chooseHelpFile;
    };

    // quiet: the program was started with arguments (the command line must not stop for a
    // message). packFolder: where the packs are.
    LanguageSwitcher(ActionManager& actions, DialogService& dialogs, WindowSettings& settings, bool quiet,
                     std::filesystem::path packFolder, Window window);

    // A language item was chosen, or, without a choice, the pack of the language setting is
    // loaded as at window creation.
    void switchTo(std::optional<int> chosen);

private:
    ActionManager& actions_;
    DialogService& dialogs_;
    WindowSettings& settings_;
    bool quiet_;
    std::filesystem::path packFolder_;
    Window window_;
    QtTranslations qtTranslations_;
};

} // namespace glyphora
