// Folder change notification with counted watches and settled reports.
#include "scan/qt/FolderWatcher.h"

#include "platform/qt/QtPaths.h"

#include <QFileSystemWatcher>

#include <utility>

namespace glyphora {

FolderWatcher::FolderWatcher(QObject* parent) : QObject(parent), system_(new QFileSystemWatcher(this))
{
    settle_.setSingleShot(true);
    settle_.setInterval(100);
    connect(&settle_, &QTimer::timeout, this, &FolderWatcher::reportChanges);
    connect(system_, &QFileSystemWatcher::directoryChanged, this, &FolderWatcher::noteChange);
}

void FolderWatcher::watch(const std::filesystem::path& folder)
{
    const QString key = QStringFromPath(folder);
    if (counts_[key]++ == 0) system_->addPath(key); // a folder that cannot be watched is simply not reported
}

void FolderWatcher::unwatch(const std::filesystem::path& folder)
{
    const QString key = QStringFromPath(folder);
    const auto it = counts_.find(key);
    if (it == counts_.end()) return;
    if (--it.value() > 0) return;
    counts_.erase(it);
    pending_.remove(key);
    system_->removePath(key);
}

bool FolderWatcher::isWatching(const std::filesystem::path& folder) const
{
    return counts_.contains(QStringFromPath(folder));
}

void FolderWatcher::noteChange(const QString& folder)
{
    if (!counts_.contains(folder)) return;
    pending_.insert(folder);
    if (!settle_.isActive()) settle_.start(); // the first change starts the clock: a busy folder is still reported
}

void FolderWatcher::reportChanges()
{
    const QSet<QString> changed = std::exchange(pending_, {});
    for (const QString& folder : changed) {
        // A removed folder drops out of the system's watch list; keep asking for it in case
        // it comes back under the same name.
        if (counts_.contains(folder) && !system_->directories().contains(folder)) system_->addPath(folder);
        emit folderChanged(PathFromQString(folder));
    }
}

} // namespace glyphora
