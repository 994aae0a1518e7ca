#pragma once
// The window's recovery file: the work as of the last autosave, in a folder of the user's local
// application data and never in the user's own project file. Each window has a file of its own,
// named by its process and start time and guarded by a lock file while the window lives, so a
// file whose lock is stale was left behind by a window that did not close.

#include <QLockFile>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "engine/project.h"

namespace tessora {

class RecoveryFile {
  public:
    explicit RecoveryFile(QString folder = defaultFolder());
    ~RecoveryFile();
    RecoveryFile(const RecoveryFile&) = delete;
    RecoveryFile& operator=(const RecoveryFile&) = delete;

    // AppLocalDataLocation + "/recovery".
    static QString defaultFolder();

    // Replaces this window's recovery file with `state`.
    ProjectError write(const ProjectState& state);
    // After a clean close or a save: the file and its lock go.
    void discard();
    QString path() const { return path_; }

    // Recovery files of windows that are gone, newest first. Each one found is locked for this
    // window, so a second window does not offer it too.
    QStringList takeOrphans();
    // Removes a recovery file found by takeOrphans, with its lock.
    static void removeOrphan(const QString& path);

  private:
    bool lockOwnFile();

    QString folder_;
    QString path_;
    std::unique_ptr<QLockFile> lock_;
    std::vector<std::unique_ptr<QLockFile>> orphanLocks_;
};

}  // namespace tessora
