#pragma once
// The file name rule of the save command.

#include <QString>

namespace tessora {

// A name whose last path component has no dot gets the default extension of the chosen file
// type (position 1 to 12); a name with any extension, or ending in a dot, stays as typed.
QString CompleteSaveName(const QString& name, int position);

// The dialog's filter entries, "description (patterns)", from a filter text of
// description|patterns pairs.
QStringList DialogNameFilters(const QString& filterText);

}  // namespace tessora
