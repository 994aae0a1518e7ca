#pragma once
// Writing a file so that a failed write never costs the old one: everything goes into a
// temporary file in the target's folder, and only a file whose every write, flush, sync and
// close succeeded is renamed over the target. A target that exists and is not a regular file
// (a device node, a FIFO, a folder) is refused rather than replaced by a regular file.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace tessora {

enum class ReplaceError {
    None,
    NotRegularTarget,
    CannotCreate,  // the temporary file could not be made (folder missing or not writable)
    CannotWrite,   // a write, the flush, the sync, the close or the rename failed
};

class ReplacingFile {
  public:
    explicit ReplacingFile(const QString& target);
    ~ReplacingFile();  // removes the temporary file unless it was committed
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Creates the temporary file and opens `device()` on it for writing.
    ReplaceError open();
    QFile& device() { return file_; }
    // The temporary file's name, for writers that open files by name themselves: one that
    // QFile opens as this very file even where the target's name is not UTF-8.
    QString temporaryFileName() const;
    // Puts the temporary file in place of the target when everything was written.
    ReplaceError commit();

  private:
    QByteArray target_;     // native name of the file finally replaced
    QByteArray temporary_;  // native name of the temporary file, empty when there is none
    int fd_ = -1;
    QFile file_;
};

}  // namespace tessora
