#include "ui/recentprojects.h"

#include <QFileInfo>
#include <QSettings>

namespace tessora {
namespace {

const QString kKey = QStringLiteral("Projekte/zuletzt");

// The program's one settings file, as the print and template dialogs use it; a bare QSettings()
// would go to a folder named after no organisation, where nothing was ever found again.
QSettings programSettings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("tessora"));
}

}  // namespace

QStringList recentProjects() {
    return programSettings().value(kKey).toStringList();
}

void rememberProject(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = recentProjects();
    list.removeAll(absolute);
    list.prepend(absolute);
    while (list.size() > kRecentProjectCount)
        list.removeLast();
    programSettings().setValue(kKey, list);
}

}  // namespace tessora
