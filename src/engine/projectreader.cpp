// Reading a project: the file is mapped and read by SQLite in place, read-only, with every
// query bounded; each value is checked before it is used, and images only after their size has
// passed the pixel budget.

#include <QFile>
#include <QFileInfo>
#include <cstring>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/project.h"
#include "engine/projectschema.h"
#include "engine/sizecoupling.h"
#include "engine/sqlitedb.h"
#include "engine/storedalpha.h"
#include "engine/storedimage.h"
#include "imagelib/imagesize.h"

namespace tessora {
namespace {

namespace schema = projectschema;

constexpr char kSqliteMagic[] = "SQLite format 3";  // with its NUL, the first 16 bytes
constexpr std::size_t kSqliteHeaderSize = 100;
constexpr int kMaxSettings = 10000;  // far more than any version writes

// The largest value a project of this budget needs: a 32-bit picture that zstd could not
// compress at all.
std::int64_t maxValueBytes() {
    const auto bytes = CheckedMul(PixelBudget(), 4);
    const std::uint64_t limit = bytes ? *bytes + *bytes / 64 + 4096 : 0;
    return limit == 0 || limit > 1000000000 ? 1000000000 : static_cast<std::int64_t>(limit);
}

bool looksLikeSqlite(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= kSqliteHeaderSize &&
           std::memcmp(bytes.data(), kSqliteMagic, sizeof kSqliteMagic) == 0;
}

std::uint32_t bigEndian(std::span<const std::uint8_t> bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i)
        value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
    return value;
}

// Our writer always records the page count in the header, so a file of another length was cut
// short or added to. SQLite itself would read missing pages as zeros.
bool lengthMatchesHeader(std::span<const std::uint8_t> bytes) {
    const std::uint32_t pageSizeField = bigEndian(bytes, 16, 2);
    const std::uint64_t pageSize = pageSizeField == 1 ? 65536 : pageSizeField;
    const std::uint64_t pageCount = bigEndian(bytes, 28, 4);
    return pageSize * pageCount == bytes.size();
}

// The application id and the format version, as the pragmas of those names would read them.
ProjectError checkIdentity(std::span<const std::uint8_t> bytes) {
    if (bigEndian(bytes, 68, 4) != schema::kApplicationId) return ProjectError::NotAProject;
    // SQLite keeps the version as a signed number.
    const auto version = static_cast<std::int32_t>(bigEndian(bytes, 60, 4));
    if (version > kProjectFormatVersion) return ProjectError::NewerVersion;
    if (version < 1) return ProjectError::Damaged;
    if (!lengthMatchesHeader(bytes)) return ProjectError::Damaged;
    return ProjectError::None;
}

// Everything that can be found wrong ends the reading with its error.
struct ReadFailure {
    ProjectError error;
};

[[noreturn]] void fail(ProjectError error) {
    throw ReadFailure{error};
}

void require(bool condition) {
    if (!condition) fail(ProjectError::Damaged);
}

SqliteStatement prepareOrFail(SqliteDatabase& db, const char* sql) {
    auto statement = db.prepare(sql);
    if (!statement) fail(db.outOfMemory() ? ProjectError::OutOfMemory : ProjectError::Damaged);
    return std::move(*statement);
}

using Settings = std::map<std::string, std::int64_t>;

Settings readSettings(SqliteDatabase& db) {
    SqliteStatement select = prepareOrFail(db, schema::kSelectSettings);
    Settings settings;
    int rows = 0;
    while (select.nextRow()) {
        require(++rows <= kMaxSettings);
        // Values of later versions may be texts; format 1 reads integers only.
        if (select.columnType(1) == SQLITE_INTEGER) settings[select.text(0)] = select.integer(1);
    }
    require(!select.failed());
    return settings;
}

std::int64_t setting(const Settings& settings, const char* key, std::int64_t low,
                     std::int64_t high) {
    const auto found = settings.find(key);
    require(found != settings.end() && found->second >= low && found->second <= high);
    return found->second;
}

// A setting that older programs did not write: `absent` stands in for it.
std::int64_t optionalSetting(const Settings& settings, const char* key, std::int64_t low,
                             std::int64_t high, std::int64_t absent) {
    return settings.contains(key) ? setting(settings, key, low, high) : absent;
}

void applyMatchingSettings(const Settings& settings, ProjectState& state) {
    constexpr auto kLastDistance =
        static_cast<std::int64_t>(std::size(schema::kColourDistances)) - 1;
    state.distance = schema::kColourDistances[optionalSetting(settings, schema::kColourDistance, 0,
                                                              kLastDistance, 0)];
    state.keepTransparentEmpty =
        optionalSetting(settings, schema::kKeepTransparentEmpty, 0, 1, 1) == 1;
    const std::int64_t tolerance = optionalSetting(
        settings, schema::kRemoveBackground, schema::kBackgroundKept, 100, schema::kBackgroundKept);
    state.removeBackground.reset();
    if (tolerance != schema::kBackgroundKept) state.removeBackground = static_cast<int>(tolerance);
}

void applySettings(const Settings& settings, ProjectState& state) {
    const int lastColour = state.range.size() - 1;
    state.beadsWide = static_cast<int>(setting(settings, schema::kBeadsWide, kMinBeads, kMaxBeads));
    state.beadsHigh = static_cast<int>(setting(settings, schema::kBeadsHigh, kMinBeads, kMaxBeads));
    state.aspectLock = setting(settings, schema::kAspectLock, 0, 1) == 1;
    state.rolmod = static_cast<int>(setting(settings, schema::kMethod, 0, 1));
    state.notfoundis =
        static_cast<std::int32_t>(setting(settings, schema::kNotFoundIs, 0, lastColour));
    state.colornr = static_cast<std::int32_t>(setting(settings, schema::kColorNr, 0, lastColour));
    state.zoom = static_cast<int>(setting(settings, schema::kZoom, kMinZoom, kMaxZoom));
    state.page = static_cast<int>(setting(settings, schema::kPage, 0, kProjectPageCount - 1));
    state.maxColors =
        static_cast<int>(optionalSetting(settings, schema::kMaxColors, 0, kMaxRangeColors, 0));
    applyMatchingSettings(settings, state);
}

std::uint8_t colourByte(SqliteStatement& row, int column) {
    require(row.columnType(column) == SQLITE_INTEGER);
    const std::int64_t value = row.integer(column);
    require(value >= 0 && value <= 255);
    return static_cast<std::uint8_t>(value);
}

// Positions 0 .. count - 1, each once.
class PositionCheck {
  public:
    explicit PositionCheck(int count) : seen_(static_cast<std::size_t>(count)) {}
    std::size_t take(SqliteStatement& row) {
        require(row.columnType(0) == SQLITE_INTEGER);
        const std::int64_t position = row.integer(0);
        require(position >= 0 && position < static_cast<std::int64_t>(seen_.size()));
        const auto i = static_cast<std::size_t>(position);
        require(!seen_[i]);
        seen_[i] = true;
        return i;
    }
    void requireAll() const {
        for (const bool found : seen_)
            require(found);
    }

  private:
    std::vector<bool> seen_;
};

// Numbers and names are short; a long one is damage, not something to show.
constexpr std::size_t kMaxRangeText = 1000;

std::string rangeText(SqliteStatement& row, int column) {
    require(row.columnType(column) == SQLITE_TEXT);
    std::string text = row.text(column);
    require(text.size() <= kMaxRangeText);
    return text;
}

bool hasRangeTables(SqliteDatabase& db) {
    SqliteStatement count = prepareOrFail(db, schema::kHasRangeTable);
    require(count.nextRow());
    return count.integer(0) > 0;
}

std::string readRangeName(SqliteDatabase& db) {
    SqliteStatement select = prepareOrFail(db, schema::kSelectRangeName);
    require(select.nextRow());
    std::string name = rangeText(select, 0);
    require(!select.nextRow() && !select.failed());
    return name;
}

void readRange(SqliteDatabase& db, ProjectState& state) {
    if (!hasRangeTables(db)) return;  // written before ranges: the standard range
    BeadRange range;
    range.name = readRangeName(db);
    SqliteStatement select = prepareOrFail(db, schema::kSelectRangeColours);
    std::vector<std::optional<BeadColor>> colours(kMaxRangeColors);
    PositionCheck positions(kMaxRangeColors);
    int count = 0;
    while (select.nextRow()) {
        colours[positions.take(select)] =
            BeadColor{rangeText(select, 1), rangeText(select, 2),
                      BeadRgb{colourByte(select, 3), colourByte(select, 4), colourByte(select, 5)}};
        ++count;
    }
    require(!select.failed() && count >= 1);
    for (int i = 0; i < count; ++i) {
        auto& colour = colours[static_cast<std::size_t>(i)];
        require(colour.has_value());  // the positions have no gaps
        range.colors.push_back(std::move(*colour));
    }
    state.range = std::move(range);
}

void readColours(SqliteDatabase& db, ProjectState& state) {
    SqliteStatement select = prepareOrFail(db, schema::kSelectColours);
    state.pal = rangePalette(state.range);
    PositionCheck positions(state.range.size());
    while (select.nextRow()) {
        const std::size_t i = positions.take(select);
        state.pal.rgb0[i] =
            PalEntry{colourByte(select, 1), colourByte(select, 2), colourByte(select, 3), 0};
        const std::uint8_t ticked = colourByte(select, 4);
        require(ticked <= 1);
        state.ticks[i] = ticked == 1;
    }
    require(!select.failed());
    positions.requireAll();
}

std::int64_t integerColumn(SqliteStatement& row, int column) {
    require(row.columnType(column) == SQLITE_INTEGER);
    return row.integer(column);
}

std::span<const std::uint8_t> blobColumn(SqliteStatement& row, int column) {
    const int type = row.columnType(column);
    require(type == SQLITE_BLOB || type == SQLITE_NULL);
    return row.blob(column);
}

StoredImageView storedImageRow(SqliteStatement& row) {
    StoredImageView stored;
    StoredImageFields& f = stored.fields;
    f.width = integerColumn(row, 0);
    f.height = integerColumn(row, 1);
    f.bits = integerColumn(row, 2);
    f.xPelsPerMeter = integerColumn(row, 3);
    f.yPelsPerMeter = integerColumn(row, 4);
    f.coloursUsed = integerColumn(row, 5);
    f.coloursImportant = integerColumn(row, 6);
    stored.colourTable = blobColumn(row, 7);
    stored.palette = blobColumn(row, 8);
    require(row.columnType(9) == SQLITE_TEXT && row.text(9) == schema::kPixelEncoding);
    stored.pixels = blobColumn(row, 10);
    return stored;
}

// The row of `role`; nullopt when there is none.
std::optional<SqliteStatement> selectImage(SqliteDatabase& db, const char* role) {
    SqliteStatement select = prepareOrFail(db, schema::kSelectImage);
    require(select.bind(1, std::string(role)));
    if (select.nextRow()) return select;
    if (select.failed()) fail(db.outOfMemory() ? ProjectError::OutOfMemory : ProjectError::Damaged);
    return std::nullopt;
}

void requireRestored(StoredImageError error) {
    switch (error) {
        case StoredImageError::None:
            return;
        case StoredImageError::TooLarge:
            fail(ProjectError::PictureTooLarge);
        case StoredImageError::OutOfMemory:
            fail(ProjectError::OutOfMemory);
        case StoredImageError::Damaged:
            break;
    }
    fail(ProjectError::Damaged);
}

dib readImage(SqliteDatabase& db, const char* role) {
    std::optional<SqliteStatement> row = selectImage(db, role);
    require(row.has_value());
    dib image{};
    requireRestored(restoreImage(storedImageRow(*row), image));
    return image;
}

// Only a picture with transparency has a plane, and it must be the picture's size.
AlphaPlane readAlpha(SqliteDatabase& db, const dib& picture) {
    std::optional<SqliteStatement> row = selectImage(db, schema::kAlphaRole);
    AlphaPlane alpha;
    if (row) {
        requireRestored(
            restoreAlpha(storedImageRow(*row), DibWidth(picture), DibHeight(picture), alpha));
    }
    return alpha;
}

// Owns the images read so far until the whole state has been read.
class ImagesInProgress {
  public:
    ~ImagesInProgress() { FreeProjectImages(state_); }
    ImagesInProgress() = default;
    ImagesInProgress(const ImagesInProgress&) = delete;
    ImagesInProgress& operator=(const ImagesInProgress&) = delete;
    ProjectState& state() { return state_; }
    ProjectState release() { return std::exchange(state_, ProjectState{}); }

  private:
    ProjectState state_;
};

ProjectState readState(SqliteDatabase& db) {
    ImagesInProgress reading;
    ProjectState& state = reading.state();
    readRange(db, state);
    applySettings(readSettings(db), state);
    readColours(db, state);
    state.grid = readImage(db, schema::kGridRole);
    require(DibBits(state.grid) == 8 && DibWidth(state.grid) <= kMaxBeads &&
            DibHeight(state.grid) <= kMaxBeads);
    state.picture = readImage(db, schema::kPictureRole);
    state.alpha = readAlpha(db, state.picture);
    return reading.release();
}

// Some file systems cannot map files; those are read whole, up to what a project within the
// pixel budget can need.
ProjectError openUnmappable(QFile& file, qint64 size, ProjectState& out) {
    if (size > 2 * maxValueBytes() + (1 << 20)) return ProjectError::PictureTooLarge;
    const QByteArray bytes = file.readAll();
    if (bytes.size() != size) return ProjectError::CannotOpen;
    return openProjectFromBytes({reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                 static_cast<std::size_t>(bytes.size())},
                                out);
}

}  // namespace

ProjectError openProjectFromBytes(std::span<const std::uint8_t> bytes, ProjectState& out) {
    if (!looksLikeSqlite(bytes)) return ProjectError::NotAProject;
    if (const ProjectError error = checkIdentity(bytes); error != ProjectError::None) return error;
    auto db = SqliteDatabase::openBytes(bytes, maxValueBytes());
    if (!db) return ProjectError::OutOfMemory;
    try {
        out = readState(*db);
        return ProjectError::None;
    } catch (const ReadFailure& failure) {
        return failure.error;
    } catch (const std::bad_alloc&) {
        return ProjectError::OutOfMemory;
    }
}

ProjectError openProject(const QString& fileName, ProjectState& out) {
    const QFileInfo info(fileName);
    if (!info.exists()) return ProjectError::CannotOpen;
    // Checked before opening: opening a FIFO would wait for a writer.
    if (!info.isFile()) return ProjectError::NotAProject;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return ProjectError::CannotOpen;
    const qint64 size = file.size();
    if (size < static_cast<qint64>(kSqliteHeaderSize)) return ProjectError::NotAProject;
    uchar* mapped = file.map(0, size);
    if (mapped == nullptr) return openUnmappable(file, size, out);
    const ProjectError error = openProjectFromBytes({mapped, static_cast<std::size_t>(size)}, out);
    file.unmap(mapped);
    return error;
}

}  // namespace tessora
