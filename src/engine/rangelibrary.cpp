#include "engine/rangelibrary.h"

#include <QDir>
#include <algorithm>

#include "engine/gplpalette.h"

namespace tessora {
namespace {

// The range files of the program are compiled in, so every front end and every test has them
// wherever it runs from.
const QString kBuiltInFolder = QStringLiteral(":/ranges");

void addFolder(std::vector<BeadRange>& ranges, const QString& folder) {
    const QDir dir(folder);
    const QStringList files =
        dir.entryList({QStringLiteral("*.gpl")}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QString& file : files) {
        PaletteRead read = readGimpPalette(dir.filePath(file));
        if (!read.range) continue;
        const QString name = QString::fromStdString(read.range->name);
        const bool known = std::any_of(ranges.begin(), ranges.end(), [&](const BeadRange& r) {
            return QString::fromStdString(r.name).compare(name, Qt::CaseInsensitive) == 0;
        });
        if (!known) ranges.push_back(std::move(*read.range));
    }
}

}  // namespace

QStringList rangeFolders(const QString& progpath) {
    QStringList folders;
    if (!progpath.isEmpty()) {
        folders << QDir::cleanPath(progpath + QStringLiteral("ranges"))
                << QDir::cleanPath(progpath + QStringLiteral("../share/tessora/ranges"));
    }
    folders << QStringLiteral("/usr/share/tessora/ranges");
    folders.removeDuplicates();
    return folders;
}

std::vector<BeadRange> availableRanges(const QString& progpath) {
    std::vector<BeadRange> ranges{standardRange()};
    addFolder(ranges, kBuiltInFolder);
    for (const QString& folder : rangeFolders(progpath))
        addFolder(ranges, folder);
    return ranges;
}

std::optional<BeadRange> findRange(const QString& name, const QString& progpath) {
    for (BeadRange& range : availableRanges(progpath)) {
        if (QString::fromStdString(range.name).compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            return std::move(range);
    }
    return std::nullopt;
}

}  // namespace tessora
