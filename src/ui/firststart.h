#pragma once
// Where the file browser on "Motiv laden" opens. On the very first start that is the sample
// motifs, so a new user can double-click one and calculate at once; on every later start it is
// the usual folder.

#include <QString>

class QSettings;

namespace tessora {

// `motifFolder` the first time this is asked with these `settings` (and the motifs are there),
// `usualFolder` ever after. The first call marks the start as done in `settings`.
QString LoadPageStartFolder(QSettings& settings, const QString& usualFolder,
                            const QString& motifFolder);

}  // namespace tessora
