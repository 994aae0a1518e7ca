#pragma once
// The short list of recently opened or saved projects, newest first, kept in the user's settings.

#include <QString>
#include <QStringList>

namespace tessora {

constexpr int kRecentProjectCount = 6;

QStringList recentProjects();
// Moves `path` to the front; the oldest falls off the end.
void rememberProject(const QString& path);

}  // namespace tessora
