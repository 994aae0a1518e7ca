#pragma once
// Where the files that come with Tessora are found (sample motifs, bead ranges): in the installed
// share folder, or in the source tree's data/ for a program run from its build folder, so that a
// developer sees the files of the checkout and not those of an installed package.

#include <QString>

namespace tessora {

struct DataDirLayout {
    QString buildDir;          // programs in this folder or below read sourceDataDir
    QString sourceDataDir;     // data/ of the source tree
    QString relativeDataDir;   // from the program's folder to the installed one (../share/tessora)
    QString installedDataDir;  // the configured <prefix>/share/tessora
};

// The layout this program was built with.
DataDirLayout builtDataDirLayout();

// The data folder for a program in `applicationDir` (empty when unknown): the source data/ from
// the build tree; else the installed folder next to the program, so an install under any prefix
// finds its own files; else the configured one.
QString dataDirFor(const QString& applicationDir, const DataDirLayout& layout);

// The folders of the running program (a QCoreApplication need not exist).
QString dataDir();
QString motifDir();   // sample pictures, "motive"
QString rangesDir();  // bead range files, "ranges"

}  // namespace tessora
