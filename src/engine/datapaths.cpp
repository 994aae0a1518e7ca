#include "engine/datapaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tessora {
namespace {

// Symbolic links and "..": a build folder reached through a link is still the build folder.
QString canonicalOrClean(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(path) : canonical;
}

bool isInside(const QString& path, const QString& folder) {
    if (path.isEmpty() || folder.isEmpty()) return false;
    const QString inner = canonicalOrClean(path);
    const QString outer = canonicalOrClean(folder);
    return inner == outer || inner.startsWith(outer + u'/');
}

}  // namespace

DataDirLayout builtDataDirLayout() {
    return {QStringLiteral(TESSORA_BUILD_DIR), QStringLiteral(TESSORA_SOURCE_DATA_DIR),
            QStringLiteral(TESSORA_RELATIVE_DATA_DIR), QStringLiteral(TESSORA_INSTALLED_DATA_DIR)};
}

QString dataDirFor(const QString& applicationDir, const DataDirLayout& layout) {
    if (isInside(applicationDir, layout.buildDir)) return layout.sourceDataDir;
    if (!applicationDir.isEmpty()) {
        const QString nextToProgram =
            QDir::cleanPath(applicationDir + u'/' + layout.relativeDataDir);
        if (QFileInfo(nextToProgram).isDir()) return nextToProgram;
    }
    return layout.installedDataDir;
}

QString dataDir() {
    const QString applicationDir =
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    return dataDirFor(applicationDir, builtDataDirLayout());
}

QString motifDir() {
    return dataDir() + QStringLiteral("/motive");
}

QString rangesDir() {
    return dataDir() + QStringLiteral("/ranges");
}

}  // namespace tessora
