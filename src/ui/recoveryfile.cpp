#include "ui/recoveryfile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <utility>

namespace tessora {
namespace {

QString lockPathOf(const QString& path) {
    return path + QStringLiteral(".lock");
}

}  // namespace

RecoveryFile::RecoveryFile(QString folder) : folder_(std::move(folder)) {
    // The start time keeps a later process that gets the same number apart from a dead one.
    path_ = folder_ + QStringLiteral("/sitzung-%1-%2.tessora")
                          .arg(QCoreApplication::applicationPid())
                          .arg(QDateTime::currentMSecsSinceEpoch());
}

RecoveryFile::~RecoveryFile() = default;

QString RecoveryFile::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QStringLiteral("/recovery");
}

bool RecoveryFile::lockOwnFile() {
    if (lock_) return true;
    if (!QDir().mkpath(folder_)) return false;
    auto lock = std::make_unique<QLockFile>(lockPathOf(path_));
    // Never stale by age: only a dead owner makes it stale.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) return false;
    lock_ = std::move(lock);
    return true;
}

ProjectError RecoveryFile::write(const ProjectState& state) {
    if (!lockOwnFile()) return ProjectError::FolderNotWritable;
    return saveProject(state, path_);
}

void RecoveryFile::discard() {
    QFile::remove(path_);
    lock_.reset();  // unlocking removes the lock file
}

QStringList RecoveryFile::takeOrphans() {
    QDir folder(folder_);
    QStringList found;
    const QFileInfoList files =
        folder.entryInfoList({QStringLiteral("*.tessora")}, QDir::Files, QDir::Time);
    for (const QFileInfo& file : files) {
        const QString path = file.absoluteFilePath();
        if (path == QFileInfo(path_).absoluteFilePath()) continue;
        auto lock = std::make_unique<QLockFile>(lockPathOf(path));
        lock->setStaleLockTime(0);
        // Succeeds when there is no lock or its owner is gone; a living window keeps its own.
        if (!lock->tryLock(0)) continue;
        orphanLocks_.push_back(std::move(lock));
        found << path;
    }
    return found;
}

void RecoveryFile::removeOrphan(const QString& path) {
    QFile::remove(path);
    QFile::remove(lockPathOf(path));
}

}  // namespace tessora
