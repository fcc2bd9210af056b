// The language menu of an open window on the offscreen platform: switching through all six
// packs puts each pack's texts on the controls and refreshes the status bar; a missing,
// damaged or old pack gives its message and the check mark stays where the language is;
// dialogs made later speak the current language; a quiet start with arguments.
#include "app/gui/ExportOptionsDialog.h"
#include "app/gui/ActionManager.h"
#include "app/gui/MainWindow.h"
#include "app/gui/FindPane.h"
#include "app/gui/AuxiliaryWindows.h"
#include "app/gui/IconWindow.h"
#include "app/gui/PrintController.h"
#include "app/gui/PrintDialog.h"
#include "app/gui/QtDialogService.h"
#include "app/gui/SaveController.h"
#include "widgets/PopupButton.h"
#include "widgets/PushButton.h"
#include "app/gui/MinimumCountBox.h"
#include "i18n/LanguagePack.h"
#include "i18n/Languages.h"
#include "i18n/TextFormat.h"
#include "i18n/TextIds.h"
#include "tests/support/TempFolder.h"
#include "tests/support/qt/GuiTestSupport.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

namespace glyphora {
namespace {

const std::filesystem::path kShippedPacks = GLYPHORA_SOURCE_DIR "/i18n/packs";

LanguagePack ShippedPack(int language)
{
    LanguagePackFile file = LoadLanguagePackFile(kShippedPacks / LanguageFileName(language));
    EXPECT_TRUE(file.pack.has_value()) << file.error;
    return file.pack ? std::move(*file.pack) : LanguagePack();
}

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

int CheckedLanguageCount(const MainWindow& window)
{
    int checked = 0;
    for (QAction* action : window.commands().members(Command::Language))
        checked += action->isChecked();
    return checked;
}

class LanguageMenuTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        window.reset();
        // Other tests read the English texts of the pack the test program starts with.
        LoadLanguagePack(GLYPHORA_BUILD_DIR "/english.lng");
    }

    void Open(std::vector<std::string> arguments, const std::filesystem::path& packFolder = {})
    {
        window = std::make_unique<MainWindow>(std::move(arguments), &dialogs, nullptr, packFolder);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    std::string Panel(StatusPanel panel) const { return window->statusText(panel).toStdString(); }

    test::ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;
};

TEST_F(LanguageMenuTest, SwitchesThroughAllSixLanguagesInAnOpenWindow)
{
    Open({});
    window->SelectFile(test::SampleModule());
    ASSERT_EQ(window->gridView()->grid()->ItemIndex(), 0);

    // Every text the window takes from the pack, with the control that shows it.
    using Read = std::function<std::string()>;
    const auto text = [](auto* control) { return [control] { return control->text().toStdString(); }; };
    const auto title = [](QMenu* menu) { return [menu] { return menu->title().toStdString(); }; };
    const auto tip = [](QWidget* w) { return [w] { return w->toolTip().toStdString(); }; };
    const auto statusTip = [](QWidget* w) { return [w] { return w->statusTip().toStdString(); }; };
    MainWindow& w = *window;
    const IconGrid* grid = w.gridView()->grid();
    const std::vector<std::pair<int, Read>> controls = {
        {kTextMinimumIconCount, text(w.findPane()->minimumLabel())},
        {kTextEmptyGridHint, statusTip(w.gridView())},
        {kTextEmptyGridHint, [grid] { return grid->Text(); }},
        {kTextNoIconsInFile, [grid] { return grid->UnableToLoadOrFindIconsMsg(); }},
        {kTextHintOpen, statusTip(w.commands().popupButton(Command::Open))},
        {kTextHintSave, statusTip(w.commands().popupButton(Command::Save))},
        {kTextHintCopy, statusTip(w.commands().softButton(Command::Copy))},
        {kTextHintPrint, statusTip(w.commands().softButton(Command::Print))},
        {kTextHintRefresh, statusTip(w.commands().softButton(Command::Refresh))},
        {kTextHintOptions, statusTip(w.commands().popupButton(Command::Options))},
        {kTextHintHelp, statusTip(w.commands().softButton(Command::Help))},
        {kTextHintAbout, statusTip(w.commands().softButton(Command::About))},
        {kTextHintOptions, tip(w.commands().popupButton(Command::Options))},
        {kTextHintAbout, tip(w.commands().softButton(Command::About))},
        {kTextMenuSaveSelected, text(w.commands().action(Command::SaveSelected))},
        {kTextMenuSaveAllAsOneImage, text(w.commands().action(Command::SaveAllAsOneImage))},
        {kTextMenuSaveAll, title(w.commands().menu(Menu::SaveAll))},
        {kTextMenuAsIcons, text(w.commands().members(Command::SaveAllAs)[0])},
        {kTextMenuAsBitmaps, text(w.commands().members(Command::SaveAllAs)[1])},
        {kTextMenuAsJpeg, text(w.commands().members(Command::SaveAllAs)[2])},
        {kTextMenuAsMetafiles, text(w.commands().members(Command::SaveAllAs)[3])},
        {kTextMenuAsGif, text(w.commands().members(Command::SaveAllAs)[4])},
        {kTextMenuAsPng, text(w.commands().members(Command::SaveAllAs)[5])},
        {kTextMenuToHtml, text(w.commands().action(Command::ExportHtml))},
        {kTextMenuToDbf, text(w.commands().action(Command::ExportDbase))},
        {kTextMenuToPdf, text(w.commands().action(Command::ExportPdf))},
        {kTextMenuToXlsx, text(w.commands().action(Command::ExportXlsx))},
        {kTextHintMinimumIconCount, tip(w.findPane()->minimumLabel())},
        {kTextHintMinimumIconCount, tip(w.findPane()->minimumBox())},
        {kTextHintMinimumIconCount, statusTip(w.findPane()->minimumBox())},
        {kTextMenuLanguage, title(w.commands().menu(Menu::Language))},
        {kTextMenuEnglish, text(w.commands().members(Command::Language)[0])},
        {kTextMenuGreek, text(w.commands().members(Command::Language)[2])},
        {kTextMenuUkrainian, text(w.commands().members(Command::Language)[1])},
        {kTextMenuRomanian, text(w.commands().members(Command::Language)[3])},
        {kTextMenuItalian, text(w.commands().members(Command::Language)[4])},
        {kTextMenuPolish, text(w.commands().members(Command::Language)[5])},
        {kTextMenuShowIconWindow, text(w.commands().action(Command::ShowIconWindow))},
        {kTextMenuIconSize, title(w.commands().menu(Menu::IconSize))},
        {kTextMenuSize32, text(w.commands().action(Command::LargeIcons))},
        {kTextMenuSize16, text(w.commands().action(Command::SmallIcons))},
        {kTextMenuSaveToRegistry, text(w.commands().action(Command::SaveToRegistry))},
        {kTextShowFindPane, text(w.commands().pushButton(Command::ToggleFindPane))},
    };

    for (int language : {1, 2, 3, 4, 5, 0}) {
        SCOPED_TRACE(LanguageFileName(language));
        w.commands().members(Command::Language)[static_cast<std::size_t>(language)]->trigger();
        EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages.front().text;
        EXPECT_EQ(w.settings().language, language);
        EXPECT_TRUE(w.commands().members(Command::Language)[static_cast<std::size_t>(language)]->isChecked());
        EXPECT_EQ(CheckedLanguageCount(w), 1);

        const LanguagePack pack = ShippedPack(language);
        for (const auto& [id, read] : controls)
            EXPECT_EQ(read(), pack.Text(static_cast<std::uint16_t>(id))) << "text " << id;
        EXPECT_EQ(w.gridView()->toolTip().toStdString(), "") << "the grid's hint has only a long part";
        // A tooltip names the key of the button's command after the text.
        const std::pair<QAbstractButton*, std::pair<int, const char*>> keyed[] = {
            {w.commands().popupButton(Command::Open), {kTextHintOpen, "Ctrl+O"}},
            {w.commands().popupButton(Command::Save), {kTextHintSave, "Ctrl+S"}},
            {w.commands().softButton(Command::Copy), {kTextHintCopy, "Ctrl+C"}},
            {w.commands().softButton(Command::Print), {kTextHintPrint, "Ctrl+P"}},
            {w.commands().softButton(Command::Refresh), {kTextHintRefresh, "Ctrl+R"}},
            {w.commands().softButton(Command::Help), {kTextHintHelp, "F1"}},
        };
        for (const auto& [button, expected] : keyed)
            EXPECT_EQ(button->toolTip().toStdString(),
                      pack.Text(static_cast<std::uint16_t>(expected.first)) + " (" + expected.second + ")");
        // The status bar is written again in the new language.
        EXPECT_EQ(Panel(StatusPanel::Position), "1 / 6");
        EXPECT_EQ(Panel(StatusPanel::Images), FormatText(pack.Text(kTextStatusImageCount), "9"));
        EXPECT_EQ(Panel(StatusPanel::ColorDepth), FormatText(pack.Text(kTextStatusColorDepth), "32"));
        for (StatusPanel panel : {StatusPanel::Images, StatusPanel::ColorDepth}) {
            const QLabel* label = w.statusPanel(panel);
            EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()))
                << "panel " << static_cast<int>(panel);
        }
    }
    EXPECT_EQ(w.commands().action(Command::SaveSelected)->text().toStdString(), "Save &Selected");
}

TEST_F(LanguageMenuTest, MenuShowsTheLanguagesAsOneRadioGroupInItsOrder)
{
    Open({});
    std::vector<std::string> shown;
    for (QAction* action : window->commands().menu(Menu::Language)->actions()) {
        EXPECT_TRUE(action->isCheckable());
        ASSERT_NE(action->actionGroup(), nullptr);
        EXPECT_TRUE(action->actionGroup()->isExclusive());
        shown.push_back(action->text().toStdString());
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"English", "Italian", "Greek", "Ukrainian", "Romanian", "Polish"}));
    EXPECT_TRUE(window->commands().members(Command::Language)[0]->isChecked());
    EXPECT_EQ(window->commands().menu(Menu::Options)->actions().front(),
              window->commands().menu(Menu::Language)->menuAction());
}

TEST_F(LanguageMenuTest, MissingPackChosenFromTheMenuChangesNothing)
{
    const testing::TempFolder folder;
    std::filesystem::copy_file(kShippedPacks / "english.lng", folder.path() / "english.lng");
    Open({}, folder.path());
    ASSERT_TRUE(dialogs.messages.empty());

    window->commands().members(Command::Language)[5]->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const std::string path = (folder.path() / "polish.lng").string();
    EXPECT_EQ(dialogs.messages[0].text,
              "File does not exist:\n" + path + "\nIt can be found on the Glyphora web page.");
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(window->settings().language, 0);
    EXPECT_TRUE(window->commands().members(Command::Language)[0]->isChecked());
    EXPECT_FALSE(window->commands().members(Command::Language)[5]->isChecked());
    EXPECT_EQ(window->commands().action(Command::SaveSelected)->text().toStdString(), "Save &Selected");
    EXPECT_EQ(LangString(kTextMenuLanguage), "Language") << "the English pack stays in use";
}

TEST_F(LanguageMenuTest, DamagedPackLeavesTheTextsAndNoPack)
{
    const testing::TempFolder folder;
    std::filesystem::copy_file(kShippedPacks / "english.lng", folder.path() / "english.lng");
    WriteText(folder.path() / "romanian.lng", "MZ but no module\n");
    Open({}, folder.path());

    window->commands().members(Command::Language)[3]->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Unable to load the file:\n" + (folder.path() / "romanian.lng").string());
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(window->settings().language, 0);
    EXPECT_TRUE(window->commands().members(Command::Language)[0]->isChecked());
    EXPECT_EQ(window->findPane()->minimumLabel()->text().toStdString(), "Minimum number of icons");
    EXPECT_FALSE(LanguagePackLoaded());
}

TEST_F(LanguageMenuTest, OldPackIsUsedAfterAWarning)
{
    const testing::TempFolder folder;
    std::filesystem::copy_file(kShippedPacks / "english.lng", folder.path() / "english.lng");
    std::string italian = ReadText(kShippedPacks / "italian.lng");
    const std::size_t version = italian.find("50000 = 5.1.0.2");
    ASSERT_NE(version, std::string::npos);
    italian.replace(version, 15, "50000 = 5.1.0.1");
    WriteText(folder.path() / "italian.lng", italian);
    Open({}, folder.path());

    window->commands().members(Command::Language)[4]->trigger();
    const LanguagePack pack = ShippedPack(4);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, pack.Text(kTextPackObsolete) + "\n" + pack.Text(kTextPackObsoleteAdvice));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(window->settings().language, 4);
    EXPECT_TRUE(window->commands().members(Command::Language)[4]->isChecked());
    EXPECT_EQ(window->commands().action(Command::SaveSelected)->text().toStdString(), pack.Text(kTextMenuSaveSelected));
}

TEST_F(LanguageMenuTest, StartWithoutAnyPackKeepsTheBuiltInTexts)
{
    const testing::TempFolder folder;
    Open({}, folder.path());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "File does not exist:\n" + (folder.path() / "english.lng").string() +
                                            "\nIt can be found on Glyphora web page.");
    EXPECT_FALSE(LanguagePackLoaded());
    EXPECT_EQ(window->commands().action(Command::SaveSelected)->text().toStdString(), "Save &Selected");
    EXPECT_EQ(window->commands().menu(Menu::Language)->title().toStdString(), "Language");
    EXPECT_TRUE(window->commands().members(Command::Language)[0]->isChecked());
}

TEST_F(LanguageMenuTest, StartWithAnOldPackWarnsOnceTheTextsAreApplied)
{
    const testing::TempFolder folder;
    std::string english = ReadText(kShippedPacks / "english.lng");
    english.replace(english.find("50000 = 5.1.0.2"), 15, "50000 = 4.9");
    WriteText(folder.path() / "english.lng", english);
    dialogs.whileOpen = [this] {
        // The texts are in place when the warning shows.
        EXPECT_EQ(LangString(kTextMenuSaveSelected), "Save &Selected");
    };
    Open({}, folder.path());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "This language pack was made for an older version of Glyphora.\n"
                                        "Please download its newer version from the Glyphora web page.");
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Warning);
}

TEST_F(LanguageMenuTest, StartWithArgumentsShowsNoMessage)
{
    const testing::TempFolder folder;
    std::string english = ReadText(kShippedPacks / "english.lng");
    english.replace(english.find("50000 = 5.1.0.2"), 15, "50000 = 4.9");
    WriteText(folder.path() / "english.lng", english);
    Open({test::SampleModule().string()}, folder.path());
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(LangString(kTextMenuLanguage), "Language");

    const testing::TempFolder empty;
    window.reset();
    Open({test::SampleModule().string()}, empty.path());
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_FALSE(LanguagePackLoaded());
}

TEST_F(LanguageMenuTest, DialogsMadeLaterSpeakTheCurrentLanguage)
{
    Open({});
    window->SelectFile(test::SampleModule());
    window->commands().members(Command::Language)[1]->trigger();
    const LanguagePack ukrainian = ShippedPack(1);

    ExportOptionsDialog options(window.get());
    options.prepare(ExportKind::Html, window->exportSettings());
    EXPECT_EQ(options.windowTitle().toStdString(), ukrainian.Text(kTextHtmlOptionsTitle));
    EXPECT_EQ(options.cancelButton()->text().toStdString(), ukrainian.Text(kTextCancel));
    EXPECT_EQ(options.columnCountLabel()->text().toStdString(), ukrainian.Text(kTextColumnCount));

    window->saves().saveSelected(); // the scripted save dialog is cancelled
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(dialogs.saveRequests[0].title, ukrainian.Text(kTextSaveDialogTitle));
    window->openFile();
    ASSERT_EQ(dialogs.openRequests.size(), 1u);
    EXPECT_EQ(dialogs.openRequests[0].title, ukrainian.Text(kTextOpenDialogTitle));
    // The pack's "all supported files" first, then its list with its icon files before "any file".
    const std::string kinds = ukrainian.Text(kTextOpenFilter);
    const std::size_t anyFile = kinds.rfind('|', kinds.rfind('|') - 1);
    EXPECT_EQ(dialogs.openRequests[0].filter, ukrainian.Text(kTextAllSupportedFilter) + "|" + kinds.substr(0, anyFile) +
                                                  "|" + ukrainian.Text(kTextIconFilter) + kinds.substr(anyFile));
    EXPECT_EQ(kinds.substr(anyFile), "|Усі файли (*.*)|*.*");
}

// Printing speaks the pack's language too: the print dialog's preview button, the question
// without a printer, the PDF file's save dialog, and the preview window.
TEST_F(LanguageMenuTest, PrintingSpeaksTheCurrentLanguage)
{
    Open({});
    window->SelectFile(test::SampleModule());
    window->commands().members(Command::Language)[5]->trigger();
    const LanguagePack polish = ShippedPack(5);

    PrintDialog choices(window.get());
    EXPECT_EQ(choices.previewButton()->text().toStdString(), polish.Text(kTextPrintPreviewButton));

    dialogs.printerInstalled = false;
    dialogs.printChoiceAnswers.push_back(PrintChoices{true, PrintSizing::ActualSize, false});
    dialogs.messageAnswers.push_back(DialogAnswer::Yes);
    window->printing().print(); // the save dialog is cancelled
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, polish.Text(kTextNoPrinterQuestion));
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(dialogs.saveRequests[0].title, polish.Text(kTextPrintToPdfTitle));
    EXPECT_EQ(dialogs.saveRequests[0].filter, polish.Text(kTextPdfFilter));

    // The preview window of the real dialogs, read and closed as soon as it shows.
    QtDialogService realDialogs(window.get());
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    std::string title;
    QStringList buttons;
    QTimer::singleShot(0, [&] {
        QWidget* preview = QApplication::activeModalWidget();
        ASSERT_NE(preview, nullptr);
        title = preview->windowTitle().toStdString();
        for (const QPushButton* button : preview->findChildren<QPushButton*>())
            buttons << button->text();
        static_cast<QDialog*>(preview)->reject();
    });
    EXPECT_FALSE(realDialogs.PreviewPrint(printer, [](QPaintDevice&) {}));
    EXPECT_EQ(title, polish.Text(kTextPrintPreviewTitle));
    EXPECT_TRUE(buttons.contains(QString::fromStdString(polish.Text(kTextPrintPreviewPrint))))
        << buttons.join('|').toStdString();
}

// A window that is open when the language changes takes the new texts, also back to English:
// the separate icon window's title and the labels of its images.
TEST_F(LanguageMenuTest, TheSeparateWindowFollowsEverySwitch)
{
    Open({});
    window->SelectFile(test::SampleModule());
    window->commands().action(Command::ShowIconWindow)->setChecked(true);
    window->showSelection(0);
    const IconWindow* icons = window->auxiliary().iconWindow();
    ASSERT_NE(icons, nullptr);
    ASSERT_FALSE(icons->imageLabels().empty());
    for (int language : {5, 0, 2}) {
        SCOPED_TRACE(LanguageFileName(language));
        window->commands().members(Command::Language)[static_cast<std::size_t>(language)]->trigger();
        const LanguagePack pack = ShippedPack(language);
        EXPECT_EQ(icons->windowTitle().toStdString(), pack.Text(kTextIconWindowCaption));
        const std::string depth = icons->imageLabels().front()->text().toStdString();
        const std::string packDepth = pack.Text(kTextImageBitDepth);
        const std::string unit = packDepth.substr(packDepth.find("%d") + 2);
        EXPECT_NE(depth.find(unit), std::string::npos) << depth << " lacks " << unit;
    }
}

// Qt's own texts (the file dialog's labels, the standard buttons) follow the language where Qt
// has a translation for it (Debian's qt6-translations-l10n), and are Qt's English again after
// a switch to a language it has none for and after a switch back to English.
TEST_F(LanguageMenuTest, QtsOwnTextsFollowTheLanguage)
{
    const auto lookIn = [] { return QCoreApplication::translate("QFileDialog", "Look in:"); };
    const auto cancel = [] { return QCoreApplication::translate("QPlatformTheme", "Cancel"); };
    Open({});
    ASSERT_EQ(lookIn(), "Look in:");
    const std::pair<int, const char*> translated[] = {{5, "pl"}, {4, "it"}, {1, "uk"}};
    for (const auto& [language, code] : translated) {
        SCOPED_TRACE(code);
        QTranslator catalog;
        ASSERT_TRUE(catalog.load(QStringLiteral("qtbase_") + QLatin1String(code),
                                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
        window->commands().members(Command::Language)[static_cast<std::size_t>(language)]->trigger();
        EXPECT_EQ(lookIn(), catalog.translate("QFileDialog", "Look in:"));
        EXPECT_EQ(cancel(), catalog.translate("QPlatformTheme", "Cancel"));
        EXPECT_NE(lookIn(), "Look in:");
    }
    window->commands().members(Command::Language)[2]->trigger(); // Greek: Qt has no catalog
    EXPECT_EQ(lookIn(), "Look in:");
    window->commands().members(Command::Language)[4]->trigger();
    window->commands().members(Command::Language)[0]->trigger();
    EXPECT_EQ(lookIn(), "Look in:");
    EXPECT_EQ(cancel(), "Cancel");
}

TEST_F(LanguageMenuTest, LongHintsGoToTheFirstStatusPanel)
{
    Open({});
    window->SelectFile(test::SampleModule()); // a file with icons: the panel has nothing of its own to say
    QStatusTipEvent hint(QStringLiteral("Open a file"));
    QApplication::sendEvent(window.get(), &hint);
    EXPECT_EQ(Panel(StatusPanel::Hint), "Open a file");
    QStatusTipEvent twoLines(QStringLiteral("first\nsecond"));
    QApplication::sendEvent(window.get(), &twoLines);
    EXPECT_EQ(Panel(StatusPanel::Hint), "Open a file") << "a hint with a line break is not for the status bar";
    QStatusTipEvent none{QString()};
    QApplication::sendEvent(window.get(), &none);
    EXPECT_EQ(Panel(StatusPanel::Hint), "");
}

} // namespace
} // namespace glyphora

namespace glyphora {
namespace {

// The hint panel's note on a file shown with its file-type icon speaks the language chosen.
TEST_F(LanguageMenuTest, TheFileTypeIconNoteFollowsTheLanguage)
{
    Open({});
    testing::TempFolder folder;
    std::ofstream(folder.path() / "notes.txt") << "no icons";
    window->SelectFile(folder.path() / "notes.txt");
    for (const int language : {5, 2, 0}) {
        window->commands().members(Command::Language)[static_cast<std::size_t>(language)]->trigger();
        EXPECT_EQ(Panel(StatusPanel::Hint), ShippedPack(language).Text(kTextNoOwnIcons)) << language;
    }
    EXPECT_EQ(Panel(StatusPanel::Hint),
              "This file holds no icons of its own; the icon shown is that of its file type.");
}

} // namespace
} // namespace glyphora
