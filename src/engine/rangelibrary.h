#pragma once
// The bead ranges the program offers: the built-in standard range first, then the range files
// that come with the program, then any further .gpl files in the range folders. A name already
// offered hides a later range of the same name.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "engine/beadrange.h"

namespace tessora {

// Where range files are looked for: "ranges" beside the program (`progpath`, ending in a
// separator; a build tree), ../share/tessora/ranges from it (an installed program) and
// /usr/share/tessora/ranges.
QStringList rangeFolders(const QString& progpath);

// Every offered range, in order. Files that cannot be read are left out.
std::vector<BeadRange> availableRanges(const QString& progpath);

// The offered range of that name (case does not matter), if any.
std::optional<BeadRange> findRange(const QString& name, const QString& progpath);

}  // namespace tessora
