// The folder tree's roots from Qt's standard locations and mounted volumes.
#include "platform/qt/QtFolderRoots.h"

#include "platform/qt/QtPaths.h"

#include <QDir>
#include <QObject>
#include <QStandardPaths>
#include <QStorageInfo>

namespace glyphora {

namespace {

#ifndef Q_OS_WIN
// Mount points a Linux file dialog offers besides the root: media mounted for the user and
// the places administrators mount volumes by hand, or anything mounted inside the home.
bool IsUserVolume(const QString& root, const QString& home)
{
    static const QString kPlaces[] = {QStringLiteral("/media/"), QStringLiteral("/run/media/"),
                                      QStringLiteral("/mnt/")};
    for (const QString& place : kPlaces)
        if (root.startsWith(place)) return true;
    return root.startsWith(home + QLatin1Char('/'));
}
#endif

} // namespace

std::vector<FolderRoot> FolderTreeRoots([[maybe_unused]] const FolderRootTexts& texts)
{
    std::vector<FolderRoot> roots;
#ifdef Q_OS_WIN
    FolderRoot desktop{FolderRootKind::Home,
                       QObject::tr("Desktop"),
                       PathFromQString(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation)),
                       {}};
    FolderRoot computer{FolderRootKind::Computer, QObject::tr("Computer"), {}, {}};
    for (const QFileInfo& drive : QDir::drives()) {
        const QString root = QDir::toNativeSeparators(drive.absoluteFilePath());
        const QStorageInfo volume(root);
        const QString name = volume.isValid() && volume.isReady() ? volume.name() : QString();
        const QString letter = root.left(2);
        computer.fixed.push_back(
            {FolderRootKind::Drive, name.isEmpty() ? letter : name + " (" + letter + ")", PathFromQString(root), {}});
    }
    desktop.fixed.push_back(std::move(computer));
    roots.push_back(std::move(desktop));
#else
    const QString home = QDir::homePath();
    roots.push_back({FolderRootKind::Home, QObject::tr("Home"), PathFromQString(home), {}});
    roots.push_back({FolderRootKind::Drive, texts.fileSystem, std::filesystem::path("/"), {}});
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (!volume.isValid() || !volume.isReady() || root == QLatin1String("/") || !IsUserVolume(root, home)) continue;
        const QString name = volume.name().isEmpty() ? QDir(root).dirName() : volume.name();
        roots.push_back({FolderRootKind::Drive, name, PathFromQString(root), {}});
    }
#endif
    return roots;
}

} // namespace glyphora
