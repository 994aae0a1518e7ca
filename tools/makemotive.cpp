// tessora-motive FOLDER: writes the sample motifs into FOLDER (data/motive of the checkout).

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include "motive.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: tessora-motive FOLDER\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (const tessora::motive::Motif& motif : tessora::motive::allMotifs()) {
        const QString file = folder.filePath(motif.fileName);
        if (motif.picture.isNull() || !motif.picture.save(file, "PNG")) {
            err << "tessora-motive: cannot make " << file << '\n';
            return 1;
        }
    }
    return 0;
}
