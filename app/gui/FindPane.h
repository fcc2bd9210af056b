// The find pane below the icon grid: the folder tree, the list of files that hold at least
// the minimum number of icons (each with its small icon), the save-all button for every
// listed file, and the find strip's controls that go with it (the button that shows and hides
// the pane, the minimum-count box and its label, and the button that moves the tree to the
// open file's folder). A splitter above the pane and one between tree and list keep the
// upper area and each side of the pane at their minimum sizes. The pane talks to the window
// only through FindPaneHost.
//
// Every change of the folder, the minimum or the subfolder option, and showing the pane,
// scans again. The scan runs on a worker thread (ScanRunner) and the list fills in walk order
// while the window stays disabled (it keeps painting; the focus returns to the control that
// had it when the scan ends); Escape (the window's stop command, enabled while a scan
// runs) stops it after the file being listed. A change that arrives during a scan (a branch of
// the tree read again) stops that scan and starts the new one.
#pragma once

#include "export/OutputKind.h"
#include "scan/FolderScan.h"
#include "settings/Settings.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <filesystem>
#include <vector>

class QCheckBox;
class QLabel;
class QMenu;
class QAction;
class QVBoxLayout;

namespace glyphora {

class ActionManager;
class FolderTree;
class FindPaneHost;
class MinimumCountBox;
class PaneSplitter;
class PopupButton;
class PushButton;
class ScanRunner;
class SearchListBox;
class SoftButton;

// The pane's sizes and limits, as the settings keep them.
inline constexpr int kFindPaneMinHeight = FindPaneSettings::kMinimumHeight; // also the least height above it
inline constexpr int kFilePanelMinWidth =
    FindPaneSettings::kMinimumFileWidth; // also the least width of the tree's side
inline constexpr int kSplitterThickness = FindPaneSettings::kSplitterThickness;

class FindPane final : public QWidget {
    Q_OBJECT
public:
    // host: the window the pane sits in; actions: the window's commands, whose find-pane
    // buttons the pane makes and whose handlers it sets; findStrip: the strip below the grid,
    // which the pane fills with its folder button, the minimum-count box with its label and
    // the button that shows and hides the pane.
    FindPane(FindPaneHost& host, ActionManager& actions, QWidget* findStrip);
    ~FindPane() override;

    // The window's client area: upperArea (toolbar, grid, find strip), the splitter and the
    // pane, one below the other. The window makes the result its central widget.
    QWidget* withUpperArea(QWidget* upperArea);

    // Shows or hides the pane, as the find button does (showing it scans again).
    void toggle();

    // Stored state (the settings keep these). The setters apply the limits a stored value
    // meets when it is loaded: a height below the minimum becomes the minimum, a larger one
    // leaves the minimum to the upper area; a width likewise leaves the minimum to the tree.
    bool isPaneVisible() const { return shown_; }
    void setPaneVisible(bool visible);
    int paneHeight() const;
    void setPaneHeight(int height);
    int filePanelWidth() const;
    void setFilePanelWidth(int width);

    // Captions from the language pack, or the built-in ones where it has none.
    void applyTexts();
    // After a language switch: the pack's texts as they come, also when empty.
    void applyPackTexts();

    // Scans the tree's folder again (what every trigger leads to); a hidden pane does not
    // scan until it is shown.
    void rescan();
    bool isScanning() const { return scanning_; }
    // Escape was pressed during the running scan, which ends with the file being listed.
    bool isStopRequested() const;
    // The texts of the listed files, in list order, and their full paths.
    std::vector<std::string> listedEntries() const;
    std::vector<std::filesystem::path> listedFiles() const;

    // The pane's controls, for tests and the settings.
    FolderTree* tree() const { return tree_; }
    SearchListBox* fileList() const { return fileList_; }
    QCheckBox* subfoldersCheck() const { return subfoldersCheck_; }
    MinimumCountBox* minimumBox() const { return minimumBox_; }
    QLabel* minimumLabel() const { return minimumLabel_; }
    QLabel* countLabel() const { return countLabel_; }
    QLabel* stoppedLabel() const { return stoppedLabel_; }
    QLabel* folderLabel() const { return folderLabel_; }
    QLabel* filesLabel() const { return filesLabel_; }
    QLabel* braceImage() const { return braceImage_; }
    PopupButton* saveAllButton() const { return saveAllButton_; }
    SoftButton* copyDirButton() const { return copyDirButton_; }
    PushButton* searchButton() const { return searchButton_; }
    PaneSplitter* paneSplitter() const { return paneSplitter_; }
    PaneSplitter* listSplitter() const { return listSplitter_; }
    QWidget* dirPanel() const { return dirPanel_; }
    QWidget* filePanel() const { return filePanel_; }

signals:
    // A scan ended on its own or was stopped with Escape (not when a new scan replaced it).
    void scanFinished(glyphora::ScanOutcome outcome);
    // Files from another program were dropped onto the list; the window opens them as it
    // does those dropped onto the grid.
    void filesDropped(const QStringList& files);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildStrip(QWidget* findStrip);
    void buildPane();
    void openChosenFile(int row);
    void goToFileFolder();
    // Escape: the scan ends after the file being listed.
    void stopScan();
    void saveAllListed(OutputKind outputKind);
    void fileListed(const QString& entry, int count);
    void scanEnded(ScanOutcome outcome);
    // Puts everything back as it was before the scan (also for a scan replaced by another).
    void endScan(ScanOutcome outcome);
    void setSearchControlsEnabled(bool enabled);
    // The pane's share of the window's resize: the limits, then the layout of both sides.
    void fitToWindow();
    void layoutSides();
    void layoutFilesLabel();
    std::filesystem::path fullPath(const QString& entry) const;

    FindPaneHost& host_;
    ActionManager& actions_;
    QWidget* frame_ = nullptr; // the client area holding upper area, splitter and pane
    QWidget* upperArea_ = nullptr;
    PushButton* searchButton_ = nullptr;
    SoftButton* copyDirButton_ = nullptr;
    QLabel* minimumLabel_ = nullptr;
    MinimumCountBox* minimumBox_ = nullptr;
    PaneSplitter* paneSplitter_ = nullptr;
    PaneSplitter* listSplitter_ = nullptr;
    QWidget* dirPanel_ = nullptr;
    QLabel* folderLabel_ = nullptr;
    FolderTree* tree_ = nullptr;
    QWidget* filePanel_ = nullptr;
    QLabel* filesLabel_ = nullptr;
    QLabel* countLabel_ = nullptr;
    QLabel* stoppedLabel_ = nullptr;
    PopupButton* saveAllButton_ = nullptr;
    QLabel* braceImage_ = nullptr;
    SearchListBox* fileList_ = nullptr;
    QCheckBox* subfoldersCheck_ = nullptr;
    ScanRunner* runner_ = nullptr;
    QPointer<QWidget> focusBeforeScan_; // the control that had the focus when the scan began
    bool shown_ = false;
    int noteColumn_ = 0; // the width left of the brace: the count, the save-all button and the stop note
    bool scanning_ = false;
    unsigned scanNumber_ = 0; // counts the scans started, so a handler can tell that another one began
};

} // namespace glyphora
