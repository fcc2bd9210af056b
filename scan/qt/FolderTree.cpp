// The folder tree: lazily read branches, path lookup, watched branches read again on change.
#include "scan/qt/FolderTree.h"

#include "platform/FileSystemKind.h"
#include "platform/FolderEntries.h"
#include "platform/qt/QtPaths.h"

#include <QApplication>
#include <QAction>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <QPointer>
#include <QThreadPool>

#include <algorithm>
#include <optional>
#include <system_error>
#include <utility>

namespace glyphora {

namespace fs = std::filesystem;

namespace {

constexpr int kPathRole = Qt::UserRole;      // QString: the node's own path (empty: none)
constexpr int kTypeRole = Qt::UserRole + 1;  // int: FolderNodeType
constexpr int kReadRole = Qt::UserRole + 2;  // bool: the branch has been read
constexpr int kFixedRole = Qt::UserRole + 3; // bool: part of the tree's top, never removed by a re-read
constexpr int kWatchedRole = Qt::UserRole + 4;
constexpr int kRevealedRole = Qt::UserRole + 5; // bool: a hidden folder shown because a path lookup led into it
constexpr int kDrivePollMilliseconds = 3000;

// The hourglass for the application while a branch is read.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// A path without "." or ".." parts and without a trailing separator (a root keeps its own).
fs::path Normalized(const fs::path& path)
{
    fs::path normal = path.lexically_normal();
    if (!normal.has_filename() && normal.has_relative_path()) normal = normal.parent_path();
    return normal;
}

bool SameName(const fs::path& a, const fs::path& b)
{
#ifdef _WIN32
    return QString::compare(QStringFromPath(a), QStringFromPath(b), Qt::CaseInsensitive) == 0;
#else
    return a == b;
#endif
}

// Whether prefix is path or one of its ancestors, comparing whole components.
bool IsPathPrefix(const fs::path& prefix, const fs::path& path)
{
    auto p = prefix.begin();
    auto q = path.begin();
    for (; p != prefix.end(); ++p, ++q)
        if (q == path.end() || !SameName(*p, *q)) return false;
    return true;
}

FolderNodeType TypeOfRoot(FolderRootKind kind)
{
    switch (kind) {
    case FolderRootKind::Home: return FolderNodeType::Home;
    case FolderRootKind::Computer: return FolderNodeType::Computer;
    case FolderRootKind::Drive: break;
    }
    return FolderNodeType::Drive;
}

fs::path RawPath(const QTreeWidgetItem* node)
{
    return PathFromQString(node->data(0, kPathRole).toString());
}
bool IsFixed(const QTreeWidgetItem* node)
{
    return node->data(0, kFixedRole).toBool();
}

bool IsRevealed(const QTreeWidgetItem* node)
{
    return node->data(0, kRevealedRole).toBool();
}

bool OnPseudoFileSystem(const fs::path& folder)
{
    return FileSystemKindOf(folder) == FileSystemKind::Pseudo;
}

// The subfolders of a folder as the tree lists them, by name ignoring case: those on a pseudo
// file system (the process table, the device tree) left out, and hidden ones unless asked for.
std::optional<std::vector<fs::path>> Subfolders(const fs::path& folder, bool withHidden)
{
    auto entries = ListFolder(folder);
    if (!entries) return std::nullopt;
    std::vector<fs::path> names;
    for (const FolderEntry& entry : *entries)
        if (entry.kind == EntryKind::Folder && (withHidden || !entry.hidden) &&
            !OnPseudoFileSystem(folder / entry.name))
            names.push_back(entry.name);
    std::stable_sort(names.begin(), names.end(), [](const fs::path& a, const fs::path& b) {
        return QString::compare(QStringFromPath(a), QStringFromPath(b), Qt::CaseInsensitive) < 0;
    });
    return names;
}

} // namespace

FolderTree::FolderTree(QWidget* parent, RootsProvider roots)
    : QTreeWidget(parent),
      roots_(std::move(roots)),
      watcher_(new FolderWatcher(this)),
      contextMenu_(new QMenu(this)),
      showHiddenAction_(contextMenu_->addAction(QStringLiteral("Show Hidden Folders")))
{
    if (!roots_) roots_ = [] { return FolderTreeRoots(FolderRootTexts{}); };
    showHiddenAction_->setObjectName(QStringLiteral("showHiddenFoldersAction"));
    showHiddenAction_->setCheckable(true);
    showHiddenAction_->setChecked(showHidden_);
    connect(showHiddenAction_, &QAction::toggled, this, &FolderTree::setShowHiddenFolders);

    setHeaderHidden(true);
    setColumnCount(1);
    setIndentation(19);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformRowHeights(true);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);

    connect(this, &QTreeWidget::itemExpanded, this, &FolderTree::expandNode);
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        // The selected folder's branch is read (and so watched) even while it is closed: a
        // subfolder made in it by another program then shows, with the expand button.
        if (current != nullptr && !isRead(current) && !RawPath(current).empty()) fillFolderNode(current);
        emit folderChanged();
    });
    connect(watcher_, &FolderWatcher::folderChanged, this, &FolderTree::folderChangedOnDisk);
    connect(&drivePoll_, &QTimer::timeout, this, &FolderTree::pollDrives);
    for (QScrollBar* bar : {verticalScrollBar(), horizontalScrollBar()})
        connect(bar, &QAbstractSlider::actionTriggered, this, [this] { keepSelectionInView_ = false; });

    // Built once the creating code has finished, so that it can still place and configure
    // the control first.
    QMetaObject::invokeMethod(this, &FolderTree::buildRootNodes, Qt::QueuedConnection);
}

FolderTree::~FolderTree()
{
    // Removing the nodes ends their watches; nothing waits for the system to confirm.
    blockSignals(true);
    while (topLevelItemCount() > 0)
        deleteFolderNode(topLevelItem(0));
}

std::filesystem::path FolderTree::folder() const
{
    return pathOf(currentItem());
}

void FolderTree::setFolder(const std::filesystem::path& folder)
{
    if (folder == this->folder()) return;
    pendingFolder_ = folder;
    QMetaObject::invokeMethod(this, &FolderTree::selectPendingFolder, Qt::QueuedConnection);
}

void FolderTree::setShowHiddenFolders(bool show)
{
    if (show == showHidden_) return;
    showHidden_ = show;
    showHiddenAction_->setChecked(show);
    // Every branch read so far follows; the selection stays on its folder, revealed as a path
    // into a hidden folder reveals it when hidden folders are left out.
    const fs::path selected = folder();
    {
        const QSignalBlocker quiet(this);
        for (int i = 0; i < topLevelItemCount(); ++i)
            refreshTree(topLevelItem(i));
        if (!selected.empty()) setCurrentItem(findFolderNode(selected));
    }
    if (folder() != selected) emit folderChanged();
    emit showHiddenFoldersChanged(show);
}

void FolderTree::refreshTree(QTreeWidgetItem* node)
{
    refreshBranch(node);
    // The children left after the refresh: those it removed are not visited.
    for (int i = 0; i < node->childCount(); ++i)
        if (isRead(node->child(i)) || IsFixed(node->child(i))) refreshTree(node->child(i));
}

void FolderTree::contextMenuEvent(QContextMenuEvent* event)
{
    contextMenu_->popup(event->globalPos());
    event->accept();
}

void FolderTree::selectPendingFolder()
{
    QTreeWidgetItem* node = findFolderNode(pendingFolder_);
    setCurrentItem(node);
    if (node != nullptr) scrollToItem(node);
    keepSelectionInView_ = node != nullptr;
}

// A branch read on the way to the selection widens the tree's contents, and the horizontal
// scroll bar that then appears would cover the row scrolled to; until the user moves, the
// selected row is brought back into view whenever the room for the rows changes.
void FolderTree::updateGeometries()
{
    QTreeWidget::updateGeometries();
    if (keepSelectionInView_ && currentItem() != nullptr) scrollToItem(currentItem());
}

void FolderTree::resizeEvent(QResizeEvent* event)
{
    QTreeWidget::resizeEvent(event);
    if (keepSelectionInView_ && currentItem() != nullptr) scrollToItem(currentItem());
}

void FolderTree::mousePressEvent(QMouseEvent* event)
{
    keepSelectionInView_ = false;
    QTreeWidget::mousePressEvent(event);
}

void FolderTree::wheelEvent(QWheelEvent* event)
{
    keepSelectionInView_ = false;
    QTreeWidget::wheelEvent(event);
}

// Right opens a closed folder and enters an open one, Left closes an open folder and goes up
// from a closed one, as in a file dialog; where there is nowhere to go (a folder without
// subfolders, a top folder) they do nothing, instead of scrolling sideways as Qt's tree does.
QModelIndex FolderTree::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    keepSelectionInView_ = false;
    QTreeWidgetItem* node = currentItem();
    if (node == nullptr || (action != MoveRight && action != MoveLeft))
        return QTreeWidget::moveCursor(action, modifiers);
    if (action == MoveRight) {
        if (!node->isExpanded()) {
            node->setExpanded(true); // reads the branch; a folder without subfolders stays closed
            return currentIndex();
        }
        return node->childCount() > 0 ? indexFromItem(node->child(0)) : currentIndex();
    }
    if (node->isExpanded()) {
        node->setExpanded(false);
        return currentIndex();
    }
    return node->parent() != nullptr ? indexFromItem(node->parent()) : currentIndex();
}

std::filesystem::path FolderTree::pathOf(const QTreeWidgetItem* node) const
{
    if (node == nullptr || nodeType(node) == FolderNodeType::Computer) return {};
    fs::path path = RawPath(node);
    if (!path.empty() && path.native().size() < 3 && !path.has_root_directory()) path += fs::path::preferred_separator;
    return path;
}

FolderNodeType FolderTree::nodeType(const QTreeWidgetItem* node) const
{
    return node == nullptr ? FolderNodeType::None : static_cast<FolderNodeType>(node->data(0, kTypeRole).toInt());
}

bool FolderTree::isRead(const QTreeWidgetItem* node) const
{
    return node != nullptr && node->data(0, kReadRole).toBool();
}

bool FolderTree::isWatched(const QTreeWidgetItem* node) const
{
    return node != nullptr && node->data(0, kWatchedRole).toBool();
}

QIcon FolderTree::iconFor(FolderNodeType type) const
{
    switch (type) {
    case FolderNodeType::Home:
        return QIcon::fromTheme(QStringLiteral("user-home"), icons_.icon(QFileIconProvider::Folder));
    case FolderNodeType::Computer: return icons_.icon(QFileIconProvider::Computer);
    case FolderNodeType::Drive: return icons_.icon(QFileIconProvider::Drive);
    case FolderNodeType::Folder:
    case FolderNodeType::None: break;
    }
    return icons_.icon(QFileIconProvider::Folder);
}

void FolderTree::buildRootNodes()
{
    if (built_) return;
    QTreeWidgetItem* first = nullptr;
    for (const FolderRoot& root : roots_()) {
        QTreeWidgetItem* node = addRootNode(nullptr, root);
        if (first == nullptr) first = node;
    }
    built_ = true;
    drivePoll_.start(kDrivePollMilliseconds);
    if (first != nullptr) {
        fillFolderNode(first);
        first->setExpanded(true);
    }
    emit rootsBuilt();
}

QTreeWidgetItem* FolderTree::addRootNode(QTreeWidgetItem* parent, const FolderRoot& root)
{
    QTreeWidgetItem* node = addFolderNode(parent, root.text, root.path);
    const FolderNodeType type = TypeOfRoot(root.kind);
    node->setData(0, kTypeRole, static_cast<int>(type));
    node->setData(0, kFixedRole, true);
    node->setIcon(0, iconFor(type));
    for (const FolderRoot& child : root.fixed)
        addRootNode(node, child);
    if (type == FolderNodeType::Computer)
        node->setChildIndicatorPolicy(root.fixed.empty() ? QTreeWidgetItem::DontShowIndicator
                                                         : QTreeWidgetItem::ShowIndicator);
    return node;
}

QTreeWidgetItem* FolderTree::addFolderNode(QTreeWidgetItem* parent, const QString& text, const fs::path& path,
                                           int index)
{
    auto* node = new QTreeWidgetItem;
    if (parent == nullptr)
        insertTopLevelItem(index < 0 ? topLevelItemCount() : index, node); // owned by the tree from here on
    else
        parent->insertChild(index < 0 ? parent->childCount() : index, node);
    node->setText(0, text);
    node->setData(0, kPathRole, QStringFromPath(path));
    node->setData(0, kTypeRole, static_cast<int>(FolderNodeType::Folder));
    node->setIcon(0, iconFor(FolderNodeType::Folder));
    node->setChildIndicatorPolicy(!path.empty() && FolderMayHaveSubfolders(path) ? QTreeWidgetItem::ShowIndicator
                                                                                 : QTreeWidgetItem::DontShowIndicator);
    return node;
}

bool FolderTree::fillFolderNode(QTreeWidgetItem* node)
{
    const fs::path path = RawPath(node);
    if (path.empty()) return node->childCount() > 0; // the computer node holds only its fixed drives
    BusyCursor busy;
    const auto subfolders = Subfolders(path, showHidden_);
    if (!subfolders) return false; // unreadable: the expand button stays, expanding again retries
    for (const fs::path& name : *subfolders)
        addFolderNode(node, QStringFromPath(name), path / name);
    node->setData(0, kReadRole, true);
    const bool any = node->childCount() > 0;
    node->setChildIndicatorPolicy(any ? QTreeWidgetItem::ShowIndicator : QTreeWidgetItem::DontShowIndicator);
    startWatching(node);
    return any;
}

void FolderTree::startWatching(QTreeWidgetItem* node)
{
    if (isWatched(node)) return;
    const fs::path path = RawPath(node);
    watcher_->watch(path);
    watchedNodes_.insert(QStringFromPath(path), node);
    node->setData(0, kWatchedRole, true);
}

void FolderTree::deleteFolderNode(QTreeWidgetItem* node)
{
    while (node->childCount() > 0)
        deleteFolderNode(node->child(0));
    if (isWatched(node)) {
        const fs::path path = RawPath(node);
        watchedNodes_.remove(QStringFromPath(path), node);
        watcher_->unwatch(path);
    }
    delete node;
}

void FolderTree::deleteFolderChildren(QTreeWidgetItem* node)
{
    for (int i = node->childCount() - 1; i >= 0; --i)
        if (!IsFixed(node->child(i))) deleteFolderNode(node->child(i));
}

// A node without children is read first and opens only when it has any.
void FolderTree::expandNode(QTreeWidgetItem* node)
{
    if (isRead(node) ? node->childCount() == 0 : !fillFolderNode(node)) node->setExpanded(false);
}

QTreeWidgetItem* FolderTree::findFolderNode(const std::filesystem::path& path)
{
    if (!built_ || path.empty()) return nullptr;
    const fs::path target = Normalized(path.is_absolute() ? path : fs::absolute(path));

    // Start at the root (or fixed node) that leads furthest towards the path.
    QTreeWidgetItem* start = nullptr;
    std::size_t startLength = 0;
    std::vector<QTreeWidgetItem*> fixed;
    for (int i = 0; i < topLevelItemCount(); ++i)
        fixed.push_back(topLevelItem(i));
    while (!fixed.empty()) {
        QTreeWidgetItem* node = fixed.back();
        fixed.pop_back();
        for (int i = 0; i < node->childCount(); ++i)
            if (IsFixed(node->child(i))) fixed.push_back(node->child(i));
        const fs::path own = Normalized(RawPath(node));
        if (own.empty() || !IsPathPrefix(own, target)) continue;
        const std::size_t length = std::distance(own.begin(), own.end());
        if (start == nullptr || length > startLength) {
            start = node;
            startLength = length;
        }
    }
    if (start == nullptr) return nullptr;

    QTreeWidgetItem* node = start;
    fs::path running = Normalized(RawPath(start));
    auto component = target.begin();
    std::advance(component, static_cast<std::ptrdiff_t>(startLength));
    for (; component != target.end(); ++component) {
        if (!isRead(node)) fillFolderNode(node);
        running /= *component;
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < node->childCount() && next == nullptr; ++i)
            if (!IsFixed(node->child(i)) && SameName(Normalized(RawPath(node->child(i))), running))
                next = node->child(i);
        if (next == nullptr && isRead(node) && IdentifyFolder(running) && !OnPseudoFileSystem(running)) {
            // A hidden folder is not listed, but a path that leads into one still gets there.
            next = addFolderNode(node, QStringFromPath(*component), running);
            next->setData(0, kRevealedRole, true);
        }
        if (next == nullptr) break;
        node = next;
    }
    return node;
}

QTreeWidgetItem* FolderTree::childShowing(QTreeWidgetItem* node, const fs::path& path) const
{
    for (int i = 0; i < node->childCount(); ++i)
        if (!IsFixed(node->child(i)) && SameName(RawPath(node->child(i)), path)) return node->child(i);
    return nullptr;
}

QTreeWidgetItem* FolderTree::makeSubfolder(QTreeWidgetItem* node, const QString& baseName, std::error_code& error)
{
    error.clear();
    const fs::path parent = node == nullptr ? fs::path() : RawPath(node);
    if (parent.empty() || baseName.trimmed().isEmpty()) {
        error = std::make_error_code(std::errc::invalid_argument);
        return nullptr;
    }
    fs::path made;
    for (int n = 1; n <= 999 && made.empty(); ++n) {
        const QString name = n == 1 ? baseName.trimmed() : QStringLiteral("%1 (%2)").arg(baseName.trimmed()).arg(n);
        const fs::path candidate = parent / PathFromQString(name);
        if (fs::create_directory(candidate, error)) made = candidate;
        if (error == std::errc::file_exists) error.clear(); // a file of that name: try the next one
        if (error) return nullptr;
    }
    if (made.empty()) {
        error = std::make_error_code(std::errc::file_exists);
        return nullptr;
    }
    if (isRead(node))
        refreshBranch(node);
    else
        fillFolderNode(node);
    node->setExpanded(true);
    return childShowing(node, made);
}

QTreeWidgetItem* FolderTree::renameFolder(QTreeWidgetItem* node, const QString& name, std::error_code& error)
{
    error.clear();
    QTreeWidgetItem* parent = node == nullptr ? nullptr : node->parent();
    if (parent == nullptr || IsFixed(node)) {
        error = std::make_error_code(std::errc::operation_not_permitted);
        return nullptr;
    }
    const fs::path from = RawPath(node);
    const fs::path newName = PathFromQString(name.trimmed());
    // A name, not a path: no separator, and none of the names that mean a folder already there.
    if (newName.empty() || newName.has_parent_path() || !newName.has_filename() || newName == "." || newName == "..") {
        error = std::make_error_code(std::errc::invalid_argument);
        return nullptr;
    }
    const fs::path to = from.parent_path() / newName;
    if (to == from) return node;
    std::error_code probe;
    // rename() would replace an empty folder of that name without a word.
    if (fs::exists(fs::symlink_status(to, probe)) && !fs::equivalent(from, to, probe)) {
        error = std::make_error_code(std::errc::file_exists);
        return nullptr;
    }
    fs::rename(from, to, error);
    if (error) return nullptr;
    refreshBranch(parent);
    return childShowing(parent, to);
}

void FolderTree::setChangesHeld(bool held)
{
    if (held == changesHeld_) return;
    changesHeld_ = held;
    if (held) return;
    const QSet<QString> folders = std::exchange(heldChanges_, {});
    for (const QString& folder : folders)
        folderChangedOnDisk(PathFromQString(folder));
}

void FolderTree::folderChangedOnDisk(const std::filesystem::path& folder)
{
    // A node may have gone between the notification and now; only the nodes still listed count.
    const QString key = QStringFromPath(folder);
    if (changesHeld_) {
        heldChanges_.insert(key);
        return;
    }
    const QList<QTreeWidgetItem*> nodes = watchedNodes_.values(key);
    for (QTreeWidgetItem* node : nodes)
        if (watchedNodes_.contains(key, node)) refreshBranch(node);
}

// Reading a branch again keeps the nodes of subfolders that are still there, with their own
// branches, watches and selection; subfolders that went are removed (a selection inside one
// moves to the branch's node), new ones are added in their place in the order. File changes
// find nothing to do.
void FolderTree::refreshBranch(QTreeWidgetItem* node)
{
    if (!isRead(node)) return; // nothing shown below it yet: the next expansion reads it
    const fs::path path = RawPath(node);
    const auto now = Subfolders(path, showHidden_);
    const std::vector<fs::path> listed = now ? *now : std::vector<fs::path>{};

    const auto selectionInside = [this](QTreeWidgetItem* branch) {
        for (QTreeWidgetItem* at = currentItem(); at != nullptr; at = at->parent())
            if (at == branch) return true;
        return false;
    };
    for (int i = node->childCount() - 1; i >= 0; --i) {
        QTreeWidgetItem* child = node->child(i);
        if (IsFixed(child)) continue;
        const fs::path name = RawPath(child).filename();
        // A folder a path revealed while hidden folders were left out keeps its node while it
        // is there; once the listing shows it, a node in its place in the order takes over.
        const bool listedNow = std::find(listed.begin(), listed.end(), name) != listed.end();
        const bool stays = IsRevealed(child) ? !listedNow && now && IdentifyFolder(RawPath(child)) : listedNow;
        if (stays) continue;
        if (selectionInside(child)) setCurrentItem(node);
        deleteFolderNode(child);
    }
    int at = 0;
    while (at < node->childCount() && IsFixed(node->child(at)))
        ++at;
    for (const fs::path& name : listed) {
        // Children are in the listing's order, so each name is either the next child or new.
        while (at < node->childCount() && IsRevealed(node->child(at)))
            ++at;
        if (at < node->childCount() && RawPath(node->child(at)).filename() == name) {
            ++at;
            continue;
        }
        addFolderNode(node, QStringFromPath(name), path / name, at++);
    }
    if (!now) node->setData(0, kReadRole, false); // gone or unreadable: expanding again retries
    node->setChildIndicatorPolicy(node->childCount() > 0 || !now ? QTreeWidgetItem::ShowIndicator
                                                                 : QTreeWidgetItem::DontShowIndicator);
}

std::vector<QTreeWidgetItem*> FolderTree::driveNodes() const
{
    std::vector<QTreeWidgetItem*> drives;
    const auto collect = [&](QTreeWidgetItem* node) {
        if (nodeType(node) == FolderNodeType::Drive && IsFixed(node)) drives.push_back(node);
    };
    for (int i = 0; i < topLevelItemCount(); ++i)
        collect(topLevelItem(i));
    if (QTreeWidgetItem* computer = computerNode())
        for (int i = 0; i < computer->childCount(); ++i)
            collect(computer->child(i));
    return drives;
}

QTreeWidgetItem* FolderTree::computerNode() const
{
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* top = topLevelItem(i);
        if (nodeType(top) == FolderNodeType::Computer) return top;
        for (int j = 0; j < top->childCount(); ++j)
            if (nodeType(top->child(j)) == FolderNodeType::Computer) return top->child(j);
    }
    return nullptr;
}

void FolderTree::refreshDrives()
{
    applyDrives(roots_());
}

void FolderTree::setRootsProvider(RootsProvider roots)
{
    roots_ = std::move(roots);
    if (built_) retitleRoots(nullptr, roots_());
}

void FolderTree::retitleRoots(QTreeWidgetItem* parent, const std::vector<FolderRoot>& roots)
{
    const int count = parent != nullptr ? parent->childCount() : topLevelItemCount();
    for (const FolderRoot& root : roots)
        for (int i = 0; i < count; ++i) {
            QTreeWidgetItem* node = parent != nullptr ? parent->child(i) : topLevelItem(i);
            if (!IsFixed(node) || nodeType(node) != TypeOfRoot(root.kind) ||
                !SameName(Normalized(root.path), Normalized(RawPath(node))))
                continue;
            node->setText(0, root.text);
            retitleRoots(node, root.fixed);
            break;
        }
}

// Asking the system for its volumes can wait on a volume that does not answer (a network
// share gone away), so the regular look happens on a pool thread and its answer comes back
// to the tree's thread; one look at a time.
void FolderTree::pollDrives()
{
    if (drivePollRunning_) return;
    drivePollRunning_ = true;
    QThreadPool::globalInstance()->start([roots = roots_, tree = QPointer<FolderTree>(this)] {
        std::vector<FolderRoot> found = roots();
        QMetaObject::invokeMethod(
            qApp,
            [tree, found = std::move(found)] {
                if (!tree) return;
                tree->drivePollRunning_ = false;
                tree->applyDrives(found);
            },
            Qt::QueuedConnection);
    });
}

void FolderTree::applyDrives(const std::vector<FolderRoot>& roots)
{
    if (!built_ || changesHeld_) return; // the next look, a few seconds on, brings them
    // The drives as the desktop lists them now, each with the computer node that holds it
    // (null: the drives are roots of their own).
    struct Listed {
        const FolderRoot* root;
        bool underComputer;
    };
    std::vector<Listed> listed;
    const auto listComputer = [&](const FolderRoot& computer) {
        for (const FolderRoot& drive : computer.fixed)
            if (drive.kind == FolderRootKind::Drive) listed.push_back({&drive, true});
    };
    for (const FolderRoot& root : roots) {
        if (root.kind == FolderRootKind::Drive) listed.push_back({&root, false});
        if (root.kind == FolderRootKind::Computer) listComputer(root);
        for (const FolderRoot& child : root.fixed)
            if (child.kind == FolderRootKind::Computer) listComputer(child);
    }

    const std::vector<QTreeWidgetItem*> shown = driveNodes();
    for (QTreeWidgetItem* node : shown) {
        const bool stays = std::any_of(listed.begin(), listed.end(), [&](const Listed& l) {
            return SameName(Normalized(l.root->path), Normalized(RawPath(node)));
        });
        if (stays) continue;
        for (QTreeWidgetItem* at = currentItem(); at != nullptr; at = at->parent())
            if (at == node) {
                setCurrentItem(nullptr);
                break;
            }
        deleteFolderNode(node);
    }
    for (const Listed& l : listed) {
        const std::vector<QTreeWidgetItem*> now = driveNodes();
        const bool known = std::any_of(now.begin(), now.end(), [&](QTreeWidgetItem* node) {
            return SameName(Normalized(l.root->path), Normalized(RawPath(node)));
        });
        if (known) continue;
        QTreeWidgetItem* computer = l.underComputer ? computerNode() : nullptr;
        if (l.underComputer && computer == nullptr) continue;
        addRootNode(computer, *l.root);
    }
}

} // namespace glyphora
