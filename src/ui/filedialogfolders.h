#pragma once
// Where the file browser and the file dialogs start. An installed program lives in a folder the
// user cannot write to (/usr/bin), full of programs: there the user's pictures are the better
// start.

#include <QString>

namespace tessora {

// `programFolder` when the user may write there, else the Pictures folder, else home.
QString DialogStartFolder(const QString& programFolder);

}  // namespace tessora
