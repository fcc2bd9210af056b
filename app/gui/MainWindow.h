// The main window: the toolbar strip, the icon grid, the find strip and pane and the status
// bar; the current file with the recent-files list; and the commands that work on the grid
// (open, reload, copy, icon size), help and the command line. Its other responsibilities are
// parts of their own: the commands (ActionManager), saving and exporting (SaveController),
// printing (PrintController), the separate icon window and the About box (AuxiliaryWindows),
// the language (LanguageSwitcher), the settings (WindowSettingsIo) and the find pane
// (FindPane, which sees the window through FindPaneHost). Every dialog goes through a
// DialogService.
#pragma once

#include "app/gui/DialogService.h"
#include "app/gui/FindPaneHost.h"
#include "app/gui/RecentFiles.h"
#include "app/gui/StatusPanels.h"
#include "export/ExportSettings.h"
#include "i18n/Help.h"
#include "iconview/qt/IconGridView.h"
#include "platform/qt/QtFileTypeIcons.h"
#include "settings/Settings.h"

#include <QMainWindow>
#include <QMargins>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QLabel;

namespace glyphora {

class ActionManager;
class AuxiliaryWindows;
class FindPane;
class LanguageSwitcher;
class PrintController;
class QtDialogService;
class SaveController;
class SettingsStorage;
class WindowSettingsIo;

// The window's minimum client size: its design size, which is the outer size, but never
// more than the screen has room for (at a large scale factor the design size may not fit),
// less the frame the window system draws around the client area.
QSize WindowMinimumSize(QSize design, QSize available, QMargins frame = {});

class MainWindow final : public QMainWindow, private FindPaneHost {
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

    // The one way a file becomes current: the grid loads its icons, the caption, the buttons,
    // the recent list and the status bar follow.
    void SelectFile(const std::filesystem::path& fileName) override;
    const std::filesystem::path& FileName() const { return fileName_; }

    // The grid's commands.
    void openFile();
    void refreshIcons();
    void copySelected();
    // Shows the grid at the given icon size and checks its menu item; the selected icon stays
    // selected.
    void setIconSize(IconSizing sizing);
    void showSelection(int index);
    // Files dropped onto the grid or the find pane's list: the window comes to the front, the
    // first file opens (more than one are reported), and the grid's hint is off from then on.
    void openDroppedFiles(const QStringList& files);

    // Help. showHelpContents serves the help button, F1 and the very first start; runHelp
    // shows a topic of the help file ("export"), or the contents for an empty topic.
    void showHelpContents();
    void runHelp(std::string_view topic);
    // Chooses the help file that follows a language index (Ukrainian, else English); a
    // missing file is reported when reportMissing is set (ReportMissingHelpFile says when).
    void chooseHelpFile(int language, bool reportMissing);
    // The window's help: its file and viewer (tests put a recording viewer in).
    HelpService& help() { return help_; }

    // The window's parts.
    ActionManager& commands() const { return *actions_; }
    SaveController& saves() const { return *saves_; }
    PrintController& printing() const { return *printing_; }
    AuxiliaryWindows& auxiliary() const { return *auxiliary_; }
    FindPane* findPane() const { return findPane_; }

    // The grid and the status bar, for tests and the command-line host.
    IconGridView* gridView() const { return gridView_; }
    QLabel* statusPanel(StatusPanel panel) const { return statusPanels_->label(panel); }
    // The full text of a status panel (a long one is shown elided).
    QString statusText(StatusPanel panel) const { return statusPanels_->text(panel); }

    ExportSettings& exportSettings() { return exportSettings_; }
    WindowSettings& settings() { return settings_; }
    DialogService& dialogs() { return *dialogs_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    // FindPaneHost.
    void setStatusText(const std::string& text) override;
    void runGuarded(const std::function<void()>& command) override;
    const std::filesystem::path& currentFile() const override { return fileName_; }
    void saveFiles(OutputKind outputKind, const std::vector<std::filesystem::path>& files) override;
    const FileTypeIconProvider& fileTypeIcons() const override { return fileTypeIcons_; }

    void connectCommands();
    void loadSettings();
    // Gives the window's controls the texts of the pack in use, each as it comes, also when
    // it is empty, and shows the status bar in the new wording.
    void applyLanguageTexts();
    void rebuildRecentMenu();
    void enableFileButtons();
    void fitMinimumToFrame();
    void setStatus(StatusPanel panel, const std::string& text);
    // The hint panel's own text, which a control's hint covers only while the pointer is on
    // the control.
    void setStandingHint(const std::string& text);

    IconGridView* gridView_ = nullptr;
    std::unique_ptr<StatusPanels> statusPanels_;
    ActionManager* actions_ = nullptr; // owned by the window
    FindPane* findPane_ = nullptr;     // owned through the central widget
    std::vector<std::string> arguments_;
    std::unique_ptr<QtDialogService> ownDialogs_;
    DialogService* dialogs_;
    QtFileTypeIconProvider fileTypeIcons_;
    std::unique_ptr<HelpViewer> systemHelpViewer_;
    HelpService help_;

    std::filesystem::path fileName_;
    RecentFiles recent_;
    ExportSettings exportSettings_;
    WindowSettings settings_;
    std::filesystem::path openDialogFolder_;
    bool commandLinePosted_ = false;
    bool fittedOnce_ = false;
    std::string fileTypeNote_; // the hint panel's note on a file shown with its file-type icon
    std::string standingHint_;
    bool closing_ = false;      // agreed to close: the separate window's close is then not the user's
    bool gridHintShown_ = true; // until the first drop

    std::unique_ptr<SaveController> saves_;
    std::unique_ptr<PrintController> printing_;
    std::unique_ptr<AuxiliaryWindows> auxiliary_;
    std::unique_ptr<LanguageSwitcher> languages_;
    std::unique_ptr<WindowSettingsIo> settingsIo_;
};

} // namespace glyphora
