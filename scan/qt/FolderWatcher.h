// Change notification for the folders whose subfolders the folder tree shows: the system's
// own notification through QFileSystemWatcher (inotify on Linux, change notifications on
// Windows) instead of a polling thread per folder. Each folder is watched once however many
// tree nodes show it; the changes of a short moment (100 ms after the first one) are reported
// together, once per folder. Stopping a watch only tells the system; nothing waits.
#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

#include <filesystem>

class QFileSystemWatcher;

namespace glyphora {

class FolderWatcher final : public QObject {
    Q_OBJECT
public:
    explicit FolderWatcher(QObject* parent = nullptr);

    // Counted: a folder watched twice needs two unwatch calls.
    void watch(const std::filesystem::path& folder);
    void unwatch(const std::filesystem::path& folder);
    bool isWatching(const std::filesystem::path& folder) const;

    // How long changes are gathered before they are reported (default 100 ms).
    void setSettleTime(int milliseconds) { settle_.setInterval(milliseconds); }

signals:
    // Something in the folder changed: an entry was added, removed or renamed, or the folder
    // itself went away. Whether its subfolders changed is for the receiver to find out.
    void folderChanged(const std::filesystem::path& folder);

private:
    void noteChange(const QString& folder);
    void reportChanges();

    QFileSystemWatcher* system_;
    QHash<QString, int> counts_;
    QSet<QString> pending_;
    QTimer settle_;
};

} // namespace glyphora
