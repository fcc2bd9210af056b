// The window's language: switching the pack at run time when a language item is chosen, and
// handing the pack's texts to the controls.
#include "app/gui/MainWindow.h"

#include "app/gui/FindPane.h"
#include "app/gui/MinimumCountBox.h"

#include "app/gui/UiText.h"
#include "i18n/LanguagePack.h"
#include "i18n/LanguageSwitch.h"
#include "i18n/Languages.h"
#include "i18n/TextIds.h"

#include <QAction>
#include <QLabel>

namespace glyphora {

namespace {

// A hint that is both the tooltip and the status-bar text.
void SetHint(QWidget* widget, const QString& hint)
{
    widget->setToolTip(hint);
    widget->setStatusTip(hint);
}

} // namespace

void MainWindow::switchLanguage(std::optional<int> chosen)
{
    const LanguageSwitchResult result = SwitchLanguage({settings_.language, chosen, !arguments_.empty(), packFolder_});
    for (const LanguageMessage& message : result.loadMessages)
        dialogs_->Show(message.text, message.icon, MessageButtons::Ok);
    settings_.language = result.language;
    // After a failed switch the mark goes back to the language still in use.
    actions_->action(Command::Language, CheckedLanguageItem(settings_.language))->setChecked(true);
    if (!result.loaded) return;

    applyLanguageTexts();
    // The report panels are as wide as their texts need in the new wording.
    statusPanels_->fitToWidth(width());
    IconGrid* grid = gridView_->grid();
    showSelection(grid->ItemIndex());
    grid->update();
    if (result.versionWarning)
        dialogs_->Show(result.versionWarning->text, result.versionWarning->icon, MessageButtons::Ok);
    // The help follows the language. A missing help file is reported for a menu choice; at
    // start-up only on the very first start.
    const bool firstStart = settings_.run == 1;
    chooseHelpFile(settings_.language, ReportMissingHelpFile(chosen.has_value(), firstStart, settings_.language));
}

// The order is that of the pack's identifier table for the main window. The find pane sets
// the texts of its own controls (FindPane::applyTexts). The open and folder dialogs
// (708, 802, 707) are made when they are shown and read their title and filter then.
void MainWindow::applyLanguageTexts()
{
    minimumCountLabel_->setText(PackText(kTextMinimumIconCount));

    // The grid's hint has no short part: nothing pops up over the icons, the status bar
    // shows the text.
    gridView_->setToolTip(QString());
    gridView_->setStatusTip(PackText(kTextEmptyGridHint));
    IconGrid* grid = gridView_->grid();
    grid->SetText(LangString(kTextEmptyGridHint));
    grid->SetUnableToLoadOrFindIconsMsg(LangString(kTextNoIconsInFile));

    // The commands' captions and hints, the menus' titles.
    actions_->applyPackTexts();

    SetHint(minimumCountLabel_, PackText(kTextHintMinimumIconCount));
    SetHint(minimumCountBox_, PackText(kTextHintMinimumIconCount));

    // The find pane's own controls.
    findPane_->applyTexts();
}

} // namespace glyphora
