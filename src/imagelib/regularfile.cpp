#include "imagelib/regularfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "imagelib/nativefilename.h"

namespace tessora {
namespace {

FileOpenError openErrorFor(int error) {
    return error == ENOENT || error == ENOTDIR ? FileOpenError::NotFound
                                               : FileOpenError::CannotOpen;
}

}  // namespace

FileOpenError openRegularFile(const QString& fileName, QFile& file) {
    if (fileName.isEmpty()) return FileOpenError::NotFound;
    const QByteArray native = nativeFileName(fileName);
    // O_NONBLOCK: opening a FIFO for reading must not wait for a writer.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return openErrorFor(errno);
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return FileOpenError::NotRegular;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0 ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return FileOpenError::CannotOpen;
    }
    return FileOpenError::None;
}

std::int64_t readAt(QFile& file, std::uint64_t offset, void* to, std::size_t count) {
    auto* bytes = static_cast<char*>(to);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n =
            ::pread(file.handle(), bytes + done, count - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    return static_cast<std::int64_t>(done);
}

}  // namespace tessora
