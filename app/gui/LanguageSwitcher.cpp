// Switching the language: the pack, its messages, the check mark and the help file.
#include "app/gui/LanguageSwitcher.h"

#include "app/gui/ActionManager.h"
#include "app/gui/DialogService.h"
#include "i18n/Help.h"
#include "i18n/LanguageSwitch.h"
#include "settings/Settings.h"

#include <QAction>

namespace glyphora {

LanguageSwitcher::LanguageSwitcher(ActionManager& actions, DialogService& dialogs, WindowSettings& settings, bool quiet,
                                   std::filesystem::path packFolder, Window window)
    : actions_(actions),
      dialogs_(dialogs),
      settings_(settings),
      quiet_(quiet),
      packFolder_(std::move(packFolder)),
      window_(std::move(window))
{}

void LanguageSwitcher::switchTo(std::optional<int> chosen)
{
    const LanguageSwitchResult result = SwitchLanguage({settings_.language, chosen, quiet_, packFolder_});
    for (const LanguageMessage& message : result.loadMessages)
        dialogs_.Show(message.text, message.icon, MessageButtons::Ok);
    settings_.language = result.language;
    // After a failed switch the mark goes back to the language still in use.
    actions_.action(Command::Language, CheckedLanguageItem(settings_.language))->setChecked(true);
    if (!result.loaded) return;

    // Qt's own texts (its dialogs' labels, the standard buttons) follow before the window's.
    qtTranslations_.follow(settings_.language);
    window_.applyTexts();
    if (result.versionWarning)
        dialogs_.Show(result.versionWarning->text, result.versionWarning->icon, MessageButtons::Ok);
    // The help follows the language. A missing help file is reported for a menu choice; at
    // start-up only on the very first start.
    const bool firstStart = settings_.run == 1;
    window_.chooseHelpFile(settings_.language,
                           ReportMissingHelpFile(chosen.has_value(), firstStart, settings_.language));
}

} // namespace glyphora
