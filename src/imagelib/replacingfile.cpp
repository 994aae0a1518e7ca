#include "imagelib/replacingfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "imagelib/nativefilename.h"

namespace tessora {
namespace {

// A symbolic link keeps pointing where it did: the file it names is the one replaced.
QByteArray resolvedTarget(const QByteArray& target) {
    struct stat link {};
    if (::lstat(target.constData(), &link) != 0 || !S_ISLNK(link.st_mode)) return target;
    char resolved[PATH_MAX];
    return ::realpath(target.constData(), resolved) != nullptr ? QByteArray(resolved) : target;
}

// The mode a new file gets, or the old file's mode when it is replaced.
mode_t modeFor(const QByteArray& target) {
    struct stat old {};
    if (::stat(target.constData(), &old) == 0) return old.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool closeChecked(int fd) {
    return ::close(fd) == 0 || errno == EINTR;
}

}  // namespace

ReplacingFile::ReplacingFile(const QString& target)
    : target_(target.isEmpty() ? QByteArray() : resolvedTarget(nativeFileName(target))) {}

ReplacingFile::~ReplacingFile() {
    file_.close();
    if (fd_ >= 0) ::close(fd_);
    if (!temporary_.isEmpty()) ::unlink(temporary_.constData());
}

ReplaceError ReplacingFile::open() {
    if (target_.isEmpty()) return ReplaceError::CannotCreate;
    struct stat existing {};
    if (::stat(target_.constData(), &existing) == 0 && !S_ISREG(existing.st_mode))
        return ReplaceError::NotRegularTarget;
    QByteArray pattern = target_ + ".XXXXXX";
    fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0) return ReplaceError::CannotCreate;
    temporary_ = pattern;
    if (::fchmod(fd_, modeFor(target_)) != 0 ||
        !file_.open(fd_, QIODevice::WriteOnly, QFileDevice::DontCloseHandle)) {
        return ReplaceError::CannotCreate;
    }
    return ReplaceError::None;
}

QString ReplacingFile::temporaryFileName() const {
    const QString name = fileNameFromNative(temporary_);
    if (fd_ < 0 || QFile::encodeName(name) == temporary_) return name;
    // Qt spells a name in UTF-8 and would open another file than ours; the descriptor's entry
    // names our file in plain ASCII, whatever bytes its folder and name have.
    return QStringLiteral("/proc/self/fd/%1").arg(fd_);
}

ReplaceError ReplacingFile::commit() {
    if (fd_ < 0) return ReplaceError::CannotWrite;
    const bool written = file_.flush() && file_.error() == QFileDevice::NoError;
    file_.close();
    const bool synced = ::fsync(fd_) == 0;
    const bool closed = closeChecked(fd_);
    fd_ = -1;
    if (!written || !synced || !closed) return ReplaceError::CannotWrite;
    if (::rename(temporary_.constData(), target_.constData()) != 0)
        return ReplaceError::CannotWrite;
    temporary_.clear();
    return ReplaceError::None;
}

}  // namespace tessora
