// The window's language: the radio items of the language menu, switching the pack at run
// time, and handing the pack's texts to the controls.
#include "app/gui/MainWindow.h"

#include "app/gui/FindPane.h"
#include "app/gui/MinimumCountBox.h"

#include "app/gui/UiText.h"
#include "i18n/LanguagePack.h"
#include "i18n/LanguageSwitch.h"
#include "i18n/Languages.h"
#include "i18n/TextIds.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <QSpinBox>

#include <array>
#include <utility>

namespace glyphora {

namespace {

struct LanguageItem {
    int language; // index of the language table, the value stored in the settings
    int textId;   // caption text
    const char* design;
};

// In the order of their caption texts.
constexpr std::array<LanguageItem, kLanguageCount> kLanguageItems = {{
    {0, kTextMenuEnglish, "English"},
    {2, kTextMenuGreek, "Greek"},
    {1, kTextMenuUkrainian, "Ukrainian"},
    {3, kTextMenuRomanian, "Romanian"},
    {4, kTextMenuItalian, "Italian"},
    {5, kTextMenuPolish, "Polish"},
}};

// The languages in the order the menu shows them.
constexpr std::array<int, kLanguageCount> kMenuOrder = {0, 4, 2, 1, 3, 5};

const LanguageItem& ItemOf(int language)
{
    for (const LanguageItem& item : kLanguageItems)
        if (item.language == language) return item;
    return kLanguageItems[0];
}

QString PackText(int id)
{
    return QString::fromStdString(LangString(id));
}

// A hint that is both the tooltip and the status-bar text.
void SetHint(QWidget* widget, const QString& hint)
{
    widget->setToolTip(hint);
    widget->setStatusTip(hint);
}

} // namespace

void MainWindow::buildLanguageMenu()
{
    languageMenu_ = optionsMenu_->addMenu(UiText(kTextMenuLanguage, "Language"));
    auto* group = new QActionGroup(languageMenu_); // one radio group; owned by the menu
    group->setExclusive(true);
    languageActions_.assign(kLanguageCount, nullptr);
    for (const int language : kMenuOrder) {
        const LanguageItem& item = ItemOf(language);
        QAction* action = languageMenu_->addAction(UiText(item.textId, item.design));
        action->setCheckable(true);
        action->setActionGroup(group);
        action->setObjectName(QStringLiteral("languageAction%1").arg(language));
        connect(action, &QAction::triggered, this,
                [this, language] { runGuarded([this, language] { switchLanguage(language); }); });
        languageActions_[static_cast<std::size_t>(language)] = action;
    }
    languageActions_[0]->setChecked(true);
}

void MainWindow::switchLanguage(std::optional<int> chosen)
{
    const LanguageSwitchResult result = SwitchLanguage({settings_.language, chosen, !arguments_.empty(), packFolder_});
    for (const LanguageMessage& message : result.loadMessages)
        dialogs_->Show(message.text, message.icon, MessageButtons::Ok);
    settings_.language = result.language;
    // After a failed switch the mark goes back to the language still in use.
    languageActions_.at(static_cast<std::size_t>(CheckedLanguageItem(settings_.language)))->setChecked(true);
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

    // A button's tooltip also names the key of its command; the status bar shows the text alone.
    const struct {
        SoftButton* button;
        int id;
        WindowCommand command;
    } buttonHints[] = {
        {openButton_, kTextHintOpen, WindowCommand::Open},
        {saveButton_, kTextHintSave, WindowCommand::SaveSelected},
        {copyButton_, kTextHintCopy, WindowCommand::Copy},
        {printButton_, kTextHintPrint, WindowCommand::Print},
        {refreshButton_, kTextHintRefresh, WindowCommand::Refresh},
        {optionsButton_, kTextHintOptions, WindowCommand::None},
        {helpButton_, kTextHintHelp, WindowCommand::Help},
        {aboutButton_, kTextHintAbout, WindowCommand::None},
    };
    for (const auto& [button, id, command] : buttonHints) {
        const QString hint = PackText(id);
        button->setToolTip(hint.isEmpty() ? hint : WithShortcutHint(hint, command));
        button->setStatusTip(hint);
    }

    saveSelectedAction_->setText(PackText(kTextMenuSaveSelected));
    saveAllAsOneImageAction_->setText(PackText(kTextMenuSaveAllAsOneImage));
    saveIconSetAction_->setText(PackText(kTextMenuSaveIconSet));
    saveAllMenu_->setTitle(PackText(kTextMenuSaveAll));
    const int saveAllTexts[] = {kTextMenuAsIcons,     kTextMenuAsBitmaps, kTextMenuAsJpeg,
                                kTextMenuAsMetafiles, kTextMenuAsGif,     kTextMenuAsPng};
    for (std::size_t kind = 0; kind < saveAllActions_.size(); ++kind)
        saveAllActions_[kind]->setText(PackText(saveAllTexts[kind]));
    exportHtmlAction_->setText(PackText(kTextMenuToHtml));
    exportDbaseAction_->setText(PackText(kTextMenuToDbf));
    exportPdfAction_->setText(PackText(kTextMenuToPdf));

    SetHint(minimumCountLabel_, PackText(kTextHintMinimumIconCount));
    SetHint(minimumCountBox_, PackText(kTextHintMinimumIconCount));

    languageMenu_->setTitle(PackText(kTextMenuLanguage));
    for (const LanguageItem& item : kLanguageItems)
        languageActions_[static_cast<std::size_t>(item.language)]->setText(PackText(item.textId));
    showIconWindowAction_->setText(PackText(kTextMenuShowIconWindow));
    iconSizeMenu_->setTitle(PackText(kTextMenuIconSize));
    largeIconsAction_->setText(PackText(kTextMenuSize32));
    smallIconsAction_->setText(PackText(kTextMenuSize16));
    saveToRegistryAction_->setText(PackText(kTextMenuSaveToRegistry));

    // The find pane's own controls, and the find button's caption, which offers to open or to
    // close the pane.
    findPane_->applyTexts();
}

} // namespace glyphora
