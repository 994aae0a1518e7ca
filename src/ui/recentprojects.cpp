#include "ui/recentprojects.h"

#include <QFileInfo>
#include <QSettings>

namespace tessora {
namespace {

const QString kKey = QStringLiteral("Projekte/zuletzt");

}  // namespace

QStringList recentProjects() {
    return QSettings().value(kKey).toStringList();
}

void rememberProject(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = recentProjects();
    list.removeAll(absolute);
    list.prepend(absolute);
    while (list.size() > kRecentProjectCount)
        list.removeLast();
    QSettings().setValue(kKey, list);
}

}  // namespace tessora
