#include "ui/filedialogfolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tessora {

QString DialogStartFolder(const QString& programFolder) {
    const QFileInfo program(programFolder);
    if (program.isDir() && program.isWritable()) return programFolder;
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty() && QFileInfo(pictures).isDir()) return pictures;
    return QDir::homePath();
}

}  // namespace tessora
