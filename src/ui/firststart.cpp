#include "ui/firststart.h"

#include <QFileInfo>
#include <QSettings>

namespace tessora {
namespace {

const QString kMotifsShownKey = QStringLiteral("Start/beispielmotiveGezeigt");

}  // namespace

QString LoadPageStartFolder(QSettings& settings, const QString& usualFolder,
                            const QString& motifFolder) {
    if (settings.value(kMotifsShownKey, false).toBool()) return usualFolder;
    settings.setValue(kMotifsShownKey, true);
    return QFileInfo(motifFolder).isDir() ? motifFolder : usualFolder;
}

}  // namespace tessora
