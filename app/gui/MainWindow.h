// The main window: toolbar, icon grid, find strip and status bar; the current file
// with the recent-files list; the toolbar, menu and keyboard commands; and the save and
// export commands (SaveCommands.cpp). Every dialog goes through a DialogService.
#pragma once

#include "app/gui/DialogService.h"
#include "app/gui/ActionManager.h"
#include "app/gui/RecentFiles.h"
#include "app/gui/StatusPanels.h"
#include "export/ExportSettings.h"
#include "i18n/Help.h"
#include "iconview/qt/IconGridView.h"
#include "platform/qt/QtFileTypeIcons.h"
#include "settings/Settings.h"
#include "widgets/PopupButton.h"
#include "widgets/PushButton.h"

#include <QMainWindow>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QSpinBox;

namespace glyphora {

class IconWindow;
class FindPane;
class MinimumCountBox;
class QtDialogService;
class SettingsStorage;

// The window's minimum size: its design size, but never more than the screen has room for
// (at a large scale factor the design size may not fit).
QSize WindowMinimumSize(QSize design, QSize available);

class MainWindow final : public QMainWindow {
public:
    // arguments: the program's arguments (without the program). Without any, the window
    // opens the program's own file. dialogs: null for the real Qt dialogs. settingsStorage:
    // the stores the settings are read from at creation and written to at closing; null
    // keeps them in memory only. packFolder: where the language packs are; empty for the
    // program's own pack folder.
    explicit MainWindow(std::vector<std::string> arguments, DialogService* dialogs = nullptr,
                        SettingsStorage* settingsStorage = nullptr, std::filesystem::path packFolder = {});
    ~MainWindow() override;

    // Runs the command-line driver once over the arguments (after the window is shown).
    void runCommandLine();
    // Schedules runCommandLine on the event loop, once.
    void postRunCommandLine();

    void SelectFile(const std::filesystem::path& fileName);
    const std::filesystem::path& FileName() const { return fileName_; }

    // Commands.
    void openFile();
    void refreshIcons();
    void copySelected();
    void saveSelected();
    void saveAll(int outputKind);
    void saveAllAsOneImage();
    // Every image of the selected icon's group as a transparent PNG into a folder, flat or as
    // an icon theme (the window's counterpart of -iconset and -icontheme).
    void saveIconSet();
    void exportHtml();
    void exportDbase();
    void exportPdf();
    void exportXlsx();
    // Shows the grid at the given icon size and checks its menu item.
    void setIconSize(IconSizing sizing);
    void showSelection(int index);
    void openDroppedFiles(const QStringList& files);
    // Runs a keyboard command (what its action's shortcut triggers).
    void runCommand(WindowCommand command);
    // A language item was chosen (or, without a choice, the pack of settings().language is
    // loaded as at window creation): loads its pack, checks its item and applies its texts.
    void switchLanguage(std::optional<int> chosen);
    // Gives the window's controls the texts of the pack in use, each as it comes, also when
    // it is empty.
    void applyLanguageTexts();

    // Printing, the separate icon window and the About box (MainWindowPrinting.cpp,
    // MainWindowAuxiliary.cpp).
    // Asks what to print, then prints it (or, without a printer, offers a PDF file).
    void print();
    void showAbout();
    // The options menu's check item: turns the separate icon window on or off and brings it
    // up to date for the grid's selection.
    void setShowSeparateWindow(bool on);
    // Brings the separate icon window up to date for a grid index (-1: no icon).
    void updateIconWindow(int index);
    IconWindow* iconWindow() const { return iconWindow_; }
    // Help. showHelpContents serves the help button, F1 and the very first start; runHelp
    // shows a topic of the help file ("export"), or the contents for an empty topic.
    void showHelpContents();
    void runHelp(std::string_view topic);
    // Chooses the help file that follows a language index (Ukrainian, else English); a
    // missing file is reported when reportMissing is set (ReportMissingHelpFile says when).
    void chooseHelpFile(int language, bool reportMissing);
    // The window's help: its file and viewer (tests put a recording viewer in).
    HelpService& help() { return help_; }

    // The state of Shift and Ctrl as the export commands read it (replaceable for tests).
    void setModifiersQuery(std::function<Qt::KeyboardModifiers()> query) { modifiersQuery_ = std::move(query); }

    // The window's controls and actions, for tests and the command-line host.
    IconGridView* gridView() const { return gridView_; }
    PopupButton* openButton() const { return openButton_; }
    PopupButton* saveButton() const { return saveButton_; }
    SoftButton* copyButton() const { return copyButton_; }
    SoftButton* printButton() const { return printButton_; }
    SoftButton* refreshButton() const { return refreshButton_; }
    PopupButton* optionsButton() const { return optionsButton_; }
    SoftButton* helpButton() const { return helpButton_; }
    SoftButton* aboutButton() const { return aboutButton_; }
    PushButton* findButton() const { return findButton_; }
    QMenu* recentFilesMenu() const { return recentFilesMenu_; }
    QAction* recentEmptyAction() const { return recentEmptyAction_; }
    QMenu* saveMenu() const { return saveMenu_; }
    QAction* saveSelectedAction() const { return saveSelectedAction_; }
    QAction* saveAllAsOneImageAction() const { return saveAllAsOneImageAction_; }
    QAction* saveIconSetAction() const { return saveIconSetAction_; }
    QMenu* saveAllMenu() const { return saveAllMenu_; }
    const std::vector<QAction*>& saveAllActions() const { return saveAllActions_; }
    QAction* exportHtmlAction() const { return exportHtmlAction_; }
    QAction* exportDbaseAction() const { return exportDbaseAction_; }
    QAction* exportPdfAction() const { return exportPdfAction_; }
    QAction* exportXlsxAction() const { return exportXlsxAction_; }
    QMenu* optionsMenu() const { return optionsMenu_; }
    QAction* largeIconsAction() const { return largeIconsAction_; }
    QAction* smallIconsAction() const { return smallIconsAction_; }
    QMenu* iconSizeMenu() const { return iconSizeMenu_; }
    QAction* showIconWindowAction() const { return showIconWindowAction_; }
    QAction* saveToRegistryAction() const { return saveToRegistryAction_; }
    QMenu* languageMenu() const { return languageMenu_; }
    // The language items, by language index (the menu shows them in its own order).
    const std::vector<QAction*>& languageActions() const { return languageActions_; }
    QLabel* minimumCountLabel() const { return minimumCountLabel_; }
    MinimumCountBox* minimumCountBox() const { return minimumCountBox_; }
    QAction* commandAction(WindowCommand command) const { return actions_->action(command); }
    const std::vector<QLabel*>& statusPanels() const { return statusPanels_->labels(); }
    // The full text of a status panel (a long one is shown elided).
    QString statusText(int panel) const { return statusPanels_->text(panel); }

    // The find pane below the grid (FindPane.h), and the save-all command it shares: every
    // icon of each source file into one folder, with one overwrite answer for all of them
    // (no sources: the current file).
    FindPane* findPane() const { return findPane_; }
    void saveAllFiles(int outputKind, const std::vector<std::filesystem::path>& sources);

    ExportSettings& exportSettings() { return exportSettings_; }
    WindowSettings& settings() { return settings_; }
    const RecentFiles& recentFiles() const { return recent_; }
    std::filesystem::path& saveDialogFolder() { return saveDialogFolder_; }
    DialogService& dialogs() { return *dialogs_; }

    // --- Settings (WindowSettingsIo.cpp) ---
    // Everything the stores keep, as the window holds it now.
    StoredSettings collectSettings() const;
    // Writes the settings to their stores once; a store that cannot be written is passed by.
    void saveSettings();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void buildToolbar(QWidget* toolbarStrip);
    void buildMenus();
    void buildLanguageMenu();
    void nameControls();
    void buildKeyboardCommands();
    void rebuildRecentMenu();
    void enableFileButtons();
    void setStatus(int panel, const std::string& text);
    bool checkSelection();
    bool skipOptionsDialog() const;
    void exportDocument(ExportKind kind);
    // Runs a command; a failure it raises is shown in the window's error box.
    void runGuarded(const std::function<void()>& command);

    IconGridView* gridView_ = nullptr;
    PopupButton* openButton_ = nullptr;
    PopupButton* saveButton_ = nullptr;
    SoftButton* copyButton_ = nullptr;
    SoftButton* printButton_ = nullptr;
    SoftButton* refreshButton_ = nullptr;
    PopupButton* optionsButton_ = nullptr;
    SoftButton* helpButton_ = nullptr;
    SoftButton* aboutButton_ = nullptr;
    PushButton* findButton_ = nullptr;
    QMenu* recentFilesMenu_ = nullptr;
    QAction* recentEmptyAction_ = nullptr;
    QMenu* saveMenu_ = nullptr;
    QAction* saveSelectedAction_ = nullptr;
    QAction* saveAllAsOneImageAction_ = nullptr;
    QAction* saveIconSetAction_ = nullptr;
    QMenu* saveAllMenu_ = nullptr;
    std::vector<QAction*> saveAllActions_;
    QAction* exportHtmlAction_ = nullptr;
    QAction* exportDbaseAction_ = nullptr;
    QAction* exportPdfAction_ = nullptr;
    QAction* exportXlsxAction_ = nullptr;
    QMenu* optionsMenu_ = nullptr;
    QAction* largeIconsAction_ = nullptr;
    QAction* smallIconsAction_ = nullptr;
    QMenu* iconSizeMenu_ = nullptr;
    QAction* showIconWindowAction_ = nullptr;
    QAction* saveToRegistryAction_ = nullptr;
    QMenu* languageMenu_ = nullptr;
    std::vector<QAction*> languageActions_;
    QLabel* minimumCountLabel_ = nullptr;
    MinimumCountBox* minimumCountBox_ = nullptr;
    std::unique_ptr<StatusPanels> statusPanels_;
    ActionManager* actions_ = nullptr;
    std::vector<std::string> arguments_;
    std::filesystem::path packFolder_;
    std::unique_ptr<QtDialogService> ownDialogs_;
    DialogService* dialogs_;
    QtFileTypeIconProvider fileTypeIcons_;
    std::function<Qt::KeyboardModifiers()> modifiersQuery_;
    std::unique_ptr<HelpViewer> systemHelpViewer_;
    HelpService help_;

    std::filesystem::path fileName_;
    RecentFiles recent_;
    ExportSettings exportSettings_;
    WindowSettings settings_;
    std::filesystem::path openDialogFolder_;
    std::filesystem::path saveDialogFolder_;
    std::filesystem::path folderDialogFolder_;
    int saveFilterIndex_ = 1;
    bool commandLinePosted_ = false;

    // --- Settings (WindowSettingsIo.cpp) ---
    // Reads the settings in the stores' order and applies them: menus, icon size, recent
    // list, export options, placement, the find pane's stored size.
    void loadSettings();
    void applySettings(const StoredSettings& stored);
    SettingsStorage* settingsStorage_ = nullptr;
    bool settingsSaved_ = false;

    // The separate icon window, created on first need and owned as a child window.
    IconWindow* iconWindow_ = nullptr;

    // --- The find pane (FindPane.cpp), owned through the central widget. It shows the scan's
    // status and runs its commands as the window's own. ---
    friend class FindPane;
    FindPane* findPane_ = nullptr;
};

} // namespace glyphora
