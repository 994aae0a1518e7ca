#include "fulldisk.h"

#include <sys/mount.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstring>

namespace tessora::test {

FullDisk::FullDisk() {
    if (::geteuid() != 0) {
        skipReason_ = QStringLiteral("mounting a small tmpfs needs root");
        return;
    }
    const QByteArray where = QFile::encodeName(dir_.path());
    if (::mount("tmpfs", where.constData(), "tmpfs", 0, "size=256k") != 0) {
        skipReason_ =
            QStringLiteral("cannot mount a tmpfs here: ") + QString::fromUtf8(std::strerror(errno));
        return;
    }
    mounted_ = true;
}

FullDisk::~FullDisk() {
    if (mounted_) ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
}

void FullDisk::put(const QString& name, const QByteArray& bytes) const {
    QFile file(path(name));
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

void FullDisk::fill() const {
    QFile file(path(QStringLiteral("fill")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return;
    const QByteArray block(4096, 'x');
    while (file.write(block) == block.size()) {
    }
    while (file.write(block.left(1)) == 1) {
    }
}

}  // namespace tessora::test
