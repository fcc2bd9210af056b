// FolderTree: a read-only tree of folders for choosing the folder to scan. Its top comes from
// the desktop (see QtFolderRoots.h); every other node is a folder whose subfolders are read
// when it is first expanded or selected, or when a path lookup passes through it. Hidden
// folders (on Linux those whose names start with a dot) are listed with the others; "Show
// Hidden Folders" in the context menu leaves them out for those who keep to the desktop's
// convention, and then a path lookup that leads into one still reveals it. Folders on a
// pseudo file system (proc, sysfs, devtmpfs and the like) are never shown. Every branch that
// has been read is watched: when a subfolder appears, disappears or is renamed there, the
// branch follows: new subfolders are added in their place, those that went are removed (a
// selection inside one moves to the branch's node), the others stay as they were, open or
// closed and selected or not. File changes alone leave the tree alone. The mounted volumes are
// looked at again every few seconds, so a volume mounted or unmounted comes and goes.
//
// Right opens a folder and enters an open one, Left closes and goes up; where there is nowhere
// to go they do nothing (Qt's tree would scroll sideways). The folder setFolder() selects stays
// in view while the tree settles around it, until the user scrolls, clicks or presses a key.
//
// folder() is the selected node's path (empty for nothing selected and for nodes without a
// path, such as the computer node). setFolder() selects the deepest node on the way to a path
// once the event loop runs, reading the branches it passes. folderChanged() reports every
// change of the selection, by the user, by setFolder or by a branch being read again.
#pragma once

#include "platform/qt/QtFolderRoots.h"
#include "scan/qt/FolderWatcher.h"

#include <QFileIconProvider>
#include <QMultiHash>
#include <QSet>
#include <QTimer>
#include <QTreeWidget>

#include <filesystem>
#include <functional>
#include <system_error>
#include <vector>

class QAction;
class QMenu;

namespace glyphora {

enum class FolderNodeType { None, Folder, Home, Computer, Drive };

class FolderTree : public QTreeWidget {
    Q_OBJECT
public:
    using RootsProvider = std::function<std::vector<FolderRoot>()>;

    // roots: the top of the tree (tests give their own; none: the desktop's, with the default
    // texts); the tree is built once the event loop runs, after the creating code has finished.
    explicit FolderTree(QWidget* parent = nullptr, RootsProvider roots = {});
    ~FolderTree() override;

    std::filesystem::path folder() const;
    void setFolder(const std::filesystem::path& folder);

    // A node's file-system path; empty for no node and for the computer node. A path shorter
    // than three characters gets a trailing separator (a drive "C:" is "C:\").
    std::filesystem::path pathOf(const QTreeWidgetItem* node) const;
    FolderNodeType nodeType(const QTreeWidgetItem* node) const;
    // The deepest node on the way to path (reading branches on the way), or null when the
    // tree is not built yet or no root leads towards the path.
    QTreeWidgetItem* findFolderNode(const std::filesystem::path& path);

    bool isBuilt() const { return built_; }
    bool isRead(const QTreeWidgetItem* node) const;
    bool isWatched(const QTreeWidgetItem* node) const;
    // Brings a read branch up to date with its folder now (what a change notification leads to).
    void refreshBranch(QTreeWidgetItem* node);
    // Adds the volumes that appeared and removes those that went since the last look (the
    // tree also looks by itself every few seconds, off its own thread).
    void refreshDrives();
    // Takes another provider of the top of the tree, one that words the roots in another
    // language: the roots shown take its texts at once, and every later look uses it.
    void setRootsProvider(RootsProvider roots);

    FolderWatcher& watcher() { return *watcher_; }

    // Whether hidden folders are listed (on by default). Changing it brings every branch read
    // so far up to date and keeps the selection on its folder.
    bool showsHiddenFolders() const { return showHidden_; }
    void setShowHiddenFolders(bool show);
    // The checkable item of the context menu that switches it; its text is the caller's.
    QAction* showHiddenFoldersAction() const { return showHiddenAction_; }
    QMenu* contextMenu() const { return contextMenu_; }

    // Makes a subfolder of node's folder named baseName, or "baseName (2)", "(3)", ... when
    // that is taken, and returns the node that shows it (node's branch read and opened);
    // null, with error set, when none can be made.
    QTreeWidgetItem* makeSubfolder(QTreeWidgetItem* node, const QString& baseName, std::error_code& error);
    // While held, changes on disk are gathered instead of shown, and shown when released: an
    // item view ends the editing of a name when rows around it come and go.
    void setChangesHeld(bool held);
    // Gives node's folder a new name on disk and returns the node that shows it then (the
    // branch is read again, so node itself is gone); null, with error set, when name is no
    // plain name, is taken, or the system refuses.
    QTreeWidgetItem* renameFolder(QTreeWidgetItem* node, const QString& name, std::error_code& error);

signals:
    void folderChanged();
    void rootsBuilt();
    void showHiddenFoldersChanged(bool shown);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void updateGeometries() override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void buildRootNodes();
    QTreeWidgetItem* addRootNode(QTreeWidgetItem* parent, const FolderRoot& root);
    // Inserts a node at index among the parent's children (-1: last).
    QTreeWidgetItem* addFolderNode(QTreeWidgetItem* parent, const QString& text, const std::filesystem::path& path,
                                   int index = -1);
    bool fillFolderNode(QTreeWidgetItem* node);
    // Refreshes node's branch and every branch below it that has been read.
    void refreshTree(QTreeWidgetItem* node);
    void deleteFolderNode(QTreeWidgetItem* node);
    void deleteFolderChildren(QTreeWidgetItem* node);
    void startWatching(QTreeWidgetItem* node);
    void expandNode(QTreeWidgetItem* node);
    void folderChangedOnDisk(const std::filesystem::path& folder);
    void selectPendingFolder();
    QTreeWidgetItem* childShowing(QTreeWidgetItem* node, const std::filesystem::path& path) const;
    void pollDrives();
    void applyDrives(const std::vector<FolderRoot>& roots);
    // Gives the fixed nodes below parent (null: the top) the texts of the roots they show.
    void retitleRoots(QTreeWidgetItem* parent, const std::vector<FolderRoot>& roots);
    std::vector<QTreeWidgetItem*> driveNodes() const;
    QTreeWidgetItem* computerNode() const; // the node holding the drives, at the top or below the first root
    QIcon iconFor(FolderNodeType type) const;

    RootsProvider roots_;
    FolderWatcher* watcher_;
    QMultiHash<QString, QTreeWidgetItem*> watchedNodes_; // watched path -> the nodes showing it
    QFileIconProvider icons_;
    QTimer drivePoll_;
    QMenu* contextMenu_;
    QAction* showHiddenAction_;
    std::filesystem::path pendingFolder_;
    bool showHidden_ = true;
    bool keepSelectionInView_ = false; // after setFolder, until the user moves
    bool changesHeld_ = false;
    QSet<QString> heldChanges_; // watched folders that changed while changes were held
    bool built_ = false;
    bool drivePollRunning_ = false;
};

} // namespace glyphora
