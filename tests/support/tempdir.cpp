#include "tempdir.h"

#include <QFile>

namespace tessora::test {

QString TempDir::write(const QString& name, const QByteArray& bytes) const {
    const QString file = path(name);
    QFile out(file);
    if (out.open(QIODevice::WriteOnly)) out.write(bytes);
    return file;
}

}  // namespace tessora::test
