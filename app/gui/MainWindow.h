// TForm1, the main window: toolbar, icon grid, find strip and status bar; the current file
// with the recent-files list; the toolbar, menu and keyboard commands; and the save and
// export commands (SaveCommands.cpp). Every dialog goes through a DialogService.
#pragma once

#include "app/gui/DialogService.h"
#include "app/gui/KeyCommands.h"
#include "app/gui/RecentFiles.h"
#include "export/ExportSettings.h"
#include "iconview/qt/IconGridView.h"
#include "platform/qt/QtFileTypeIcons.h"

#include <QMainWindow>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QSpinBox;
class QToolButton;

namespace glyphora {

class QtDialogService;

// The general settings the window's commands read (kept in memory with their defaults).
struct WindowSettings {
    bool OpenAfterSave = true;
    bool SmallIcons = false;
};

class TForm1 final : public QMainWindow {
public:
    // arguments: the program's arguments (without the program). Without any, the window
    // opens the program's own file. dialogs: null for the real Qt dialogs.
    explicit TForm1(std::vector<std::string> arguments, DialogService* dialogs = nullptr);
    ~TForm1() override;

    // Runs the command-line driver once over the arguments (after the window is shown).
    void WMRunCommandLine();
    // Schedules WMRunCommandLine on the event loop, once.
    void PostRunCommandLine();

    void SelectFile(const std::filesystem::path& fileName);
    const std::filesystem::path& FileName() const { return fileName_; }

    // Commands.
    void OpenBtnClick();
    void RefreshBtnClick();
    void CopyBtnClick();
    void SaveSelClick();
    void SaveAllClick(int outputKind);
    void SaveAllAsOneClick();
    void NHTMClick();
    void NDBFClick();
    void NPDFClick();
    void NXlsxClick();
    void NSize32Click(QAction* sender);
    void ScrollBoxSelectItem(int index);
    void ScrollBoxDropFiles(const QStringList& files);
    // FormKeyDown: the window's command for a key; the key is never consumed.
    void FormKeyDown(int key, Qt::KeyboardModifiers modifiers);

    // The state of Shift and Ctrl as the export commands read it (replaceable for tests).
    void SetModifiersQuery(std::function<Qt::KeyboardModifiers()> query) { modifiersQuery_ = std::move(query); }

    TQZScrollBox* ScrollBox;
    QToolButton* OpenBtn;
    QToolButton* SaveBtn;
    QToolButton* CopyBtn;
    QToolButton* PrintBtn;
    QToolButton* RefreshBtn;
    QToolButton* OptionsBtn;
    QToolButton* HelpBtn;
    QToolButton* AboutBtn;
    QToolButton* SearchBtn;
    QMenu* MRUPopup;
    QAction* NEmpty;
    QMenu* PopupSave;
    QAction* NSaveSel;
    QAction* NSaveAllasOneImage;
    QMenu* NSaveAll;
    std::vector<QAction*> SaveAllItems; // the six kinds, OutputKind 0 to 5
    QAction* NHTM;
    QAction* NDBF;
    QAction* NPDF;
    QAction* NXlsx;
    QMenu* PopupOptions;
    QAction* NSize32;
    QAction* NSize16;
    std::vector<QLabel*> StatusPanels;

    ExportSettings& Export() { return exportSettings_; }
    WindowSettings& Settings() { return settings_; }
    const RecentFiles& Recent() const { return recent_; }
    std::filesystem::path& SaveDlgInitialDir() { return saveDlgInitialDir_; }
    DialogService& Dialogs() { return *dialogs_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildToolbar(QWidget* bevel);
    void BuildMenus();
    void RebuildRecentMenu();
    void EnableFileButtons();
    void SetStatus(int panel, const std::string& text);
    bool CheckSelection();
    bool SkipOptionsDialog() const;
    void ExportDocument(ExportKind kind);
    // Runs a command; a failure it raises is shown in the window's error box.
    void Guarded(const std::function<void()>& command);

    std::vector<std::string> arguments_;
    std::unique_ptr<QtDialogService> ownDialogs_;
    DialogService* dialogs_;
    QtFileTypeIconProvider fileTypeIcons_;
    std::function<Qt::KeyboardModifiers()> modifiersQuery_;

    std::filesystem::path fileName_;
    RecentFiles recent_;
    ExportSettings exportSettings_;
    WindowSettings settings_;
    std::filesystem::path openDlgInitialDir_;
    std::filesystem::path saveDlgInitialDir_;
    std::filesystem::path dirDlgDirectory_;
    int saveFilterIndex_ = 1;
    bool commandLinePosted_ = false;
};

} // namespace glyphora
