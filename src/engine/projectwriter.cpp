// Writing a project: the whole database is built in memory and written with one QSaveFile, so
// the target is replaced only by a complete file.

#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <iterator>
#include <vector>

#include "engine/project.h"
#include "engine/projectschema.h"
#include "engine/sqlitedb.h"
#include "engine/storedalpha.h"
#include "engine/storedimage.h"

namespace tessora {
namespace {

namespace schema = projectschema;

// SQLite's usual page: a small project stays a handful of pages (the fuzzer's inputs too), and
// larger pages measured no faster for a big picture.
constexpr char kPageSize[] = "PRAGMA page_size = 4096";

bool hasPictureAndGrid(const ProjectState& state) {
    return state.picture.poi != nullptr && state.grid.poi != nullptr && DibBits(state.grid) == 8 &&
           state.range.size() >= 1 && state.range.size() <= kMaxRangeColors;
}

bool writeHeader(SqliteDatabase& db) {
    const std::string pragmas = "PRAGMA journal_mode = OFF; PRAGMA application_id = " +
                                std::to_string(schema::kApplicationId) +
                                "; PRAGMA user_version = " + std::to_string(kProjectFormatVersion) +
                                ";";
    return db.execute(kPageSize) && db.execute(pragmas.c_str());
}

bool createTables(SqliteDatabase& db) {
    for (const char* sql : schema::kCreateTables) {
        if (!db.execute(sql)) return false;
    }
    return true;
}

std::int64_t distanceCode(ColourDistance distance) {
    return std::find(std::begin(schema::kColourDistances), std::end(schema::kColourDistances),
                     distance) -
           std::begin(schema::kColourDistances);
}

bool writeSettings(SqliteDatabase& db, const ProjectState& state) {
    auto insert = db.prepare(schema::kInsertSetting);
    if (!insert) return false;
    const std::pair<const char*, std::int64_t> settings[] = {
        {schema::kBeadsWide, state.beadsWide},
        {schema::kBeadsHigh, state.beadsHigh},
        {schema::kAspectLock, state.aspectLock},
        {schema::kMethod, state.rolmod == 1},
        {schema::kNotFoundIs, state.notfoundis},
        {schema::kColorNr, state.colornr},
        {schema::kZoom, state.zoom},
        {schema::kPage, state.page},
        {schema::kMaxColors, state.maxColors},
        {schema::kColourDistance, distanceCode(state.distance)},
        {schema::kKeepTransparentEmpty, state.keepTransparentEmpty},
        {schema::kRemoveBackground, state.removeBackground.value_or(schema::kBackgroundKept)},
    };
    for (const auto& [key, value] : settings) {
        if (!insert->bind(1, std::string(key)) || !insert->bind(2, value) || !insert->run())
            return false;
    }
    return true;
}

bool writeColours(SqliteDatabase& db, const ProjectState& state) {
    auto insert = db.prepare(schema::kInsertColour);
    if (!insert) return false;
    for (int i = 0; i < state.range.size(); ++i) {
        const PalEntry& entry = state.pal.rgb0[i];
        if (!insert->bind(1, i) || !insert->bind(2, entry.peRed) ||
            !insert->bind(3, entry.peGreen) || !insert->bind(4, entry.peBlue) ||
            !insert->bind(5, state.ticks[static_cast<std::size_t>(i)] ? 1 : 0) || !insert->run()) {
            return false;
        }
    }
    return true;
}

bool writeRange(SqliteDatabase& db, const BeadRange& range) {
    auto name = db.prepare(schema::kInsertRangeName);
    if (!name || !name->bind(1, range.name) || !name->run()) return false;
    auto insert = db.prepare(schema::kInsertRangeColour);
    if (!insert) return false;
    for (int i = 0; i < range.size(); ++i) {
        const BeadColor& colour = range.colors[static_cast<std::size_t>(i)];
        if (!insert->bind(1, i) || !insert->bind(2, colour.number) ||
            !insert->bind(3, colour.name) || !insert->bind(4, colour.rgb.red) ||
            !insert->bind(5, colour.rgb.green) || !insert->bind(6, colour.rgb.blue) ||
            !insert->run()) {
            return false;
        }
    }
    return true;
}

bool insertImageRow(SqliteDatabase& db, const char* role, const StoredImageView& stored) {
    auto insert = db.prepare(schema::kInsertImage);
    if (!insert) return false;
    const StoredImageFields& f = stored.fields;
    return insert->bind(1, std::string(role)) && insert->bind(2, f.width) &&
           insert->bind(3, f.height) && insert->bind(4, f.bits) &&
           insert->bind(5, f.xPelsPerMeter) && insert->bind(6, f.yPelsPerMeter) &&
           insert->bind(7, f.coloursUsed) && insert->bind(8, f.coloursImportant) &&
           insert->bind(9, stored.colourTable) && insert->bind(10, stored.palette) &&
           insert->bind(11, std::string(schema::kPixelEncoding)) &&
           insert->bind(12, stored.pixels) && insert->run();
}

bool writeImage(SqliteDatabase& db, const char* role, const dib& image) {
    const std::vector<std::uint8_t> pixels = compressImagePixels(image);
    return !pixels.empty() && insertImageRow(db, role, storedImageOf(image, pixels));
}

// A plane that does not fit the picture would never be used, so it is not kept.
bool writeAlpha(SqliteDatabase& db, const ProjectState& state) {
    if (!alphaFits(state.alpha, DibWidth(state.picture), DibHeight(state.picture))) return true;
    const std::vector<std::uint8_t> bytes = compressBytes(state.alpha.alpha);
    return !bytes.empty() &&
           insertImageRow(db, schema::kAlphaRole, storedAlphaOf(state.alpha, bytes));
}

bool fillDatabase(SqliteDatabase& db, const ProjectState& state) {
    return writeHeader(db) && db.execute("BEGIN") && createTables(db) && writeSettings(db, state) &&
           writeColours(db, state) && writeRange(db, state.range) &&
           writeImage(db, schema::kPictureRole, state.picture) &&
           writeImage(db, schema::kGridRole, state.grid) && writeAlpha(db, state) &&
           db.execute("COMMIT");
}

// Builds the database and hands its bytes to `sink`.
template <typename Sink>
ProjectError withProjectBytes(const ProjectState& state, Sink&& sink) {
    if (!hasPictureAndGrid(state)) return ProjectError::NoPicture;
    auto db = SqliteDatabase::createInMemory();
    if (!db || !fillDatabase(*db, state)) return ProjectError::OutOfMemory;
    const auto bytes = db->bytes();
    if (bytes.empty()) return ProjectError::OutOfMemory;
    return sink(bytes);
}

ProjectError openFailure(const QString& fileName) {
    // A folder in the way of the file is not the folder's fault.
    return QFileInfo(fileName).isDir() ? ProjectError::CannotWrite
                                       : ProjectError::FolderNotWritable;
}

ProjectError writeFailure(const QSaveFile& file) {
    return file.error() == QFileDevice::ResourceError ? ProjectError::DiskFull
                                                      : ProjectError::CannotWrite;
}

ProjectError writeFile(const QString& fileName, std::span<const std::uint8_t> bytes) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) return openFailure(fileName);
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(reinterpret_cast<const char*>(bytes.data()), size) != size) {
        const ProjectError error = writeFailure(file);
        file.cancelWriting();
        return error;
    }
    if (!file.commit()) return writeFailure(file);
    return ProjectError::None;
}

}  // namespace

ProjectError projectFileBytes(const ProjectState& state, QByteArray& bytes) {
    return withProjectBytes(state, [&bytes](std::span<const std::uint8_t> data) {
        bytes = QByteArray(reinterpret_cast<const char*>(data.data()),
                           static_cast<qsizetype>(data.size()));
        return ProjectError::None;
    });
}

ProjectError saveProject(const ProjectState& state, const QString& fileName) {
    return withProjectBytes(state, [&fileName](std::span<const std::uint8_t> data) {
        return writeFile(fileName, data);
    });
}

}  // namespace tessora
