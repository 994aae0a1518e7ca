#include "engine/sqlitedb.h"

#include <algorithm>
#include <utility>

namespace tessora {
namespace {

// A hostile file can hold views, recursive triggers or huge joins; our own queries need a few
// thousand virtual machine steps. The handler runs every kStepsPerCall steps and stops a
// query once the database has used kMaxCalls of them (about 10^8 steps, well under a second).
constexpr int kStepsPerCall = 1000;
constexpr std::int64_t kMaxCalls = 100000;

void harden(sqlite3* db) {
    // No writes to the schema tables, no functions from the schema that have side effects.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);
    sqlite3_limit(db, SQLITE_LIMIT_ATTACHED, 0);
    sqlite3_limit(db, SQLITE_LIMIT_SQL_LENGTH, 4096);
}

sqlite3* openPrivateMemory() {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    return db;
}

}  // namespace

std::optional<SqliteDatabase> SqliteDatabase::createInMemory() {
    sqlite3* db = openPrivateMemory();
    if (db == nullptr) return std::nullopt;
    // An empty, resizeable image turns the connection into one contiguous, growing buffer,
    // which sqlite3_serialize can hand out without copying.
    if (sqlite3_deserialize(db, "main", nullptr, 0, 0,
                            SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_RESIZEABLE) !=
        SQLITE_OK) {
        sqlite3_close(db);
        return std::nullopt;
    }
    // The in-memory file stops at 1 GiB unless told otherwise; a large 32-bit picture and its
    // grid may need more.
    sqlite3_int64 sizeLimit = sqlite3_int64{4} << 30;
    sqlite3_file_control(db, "main", SQLITE_FCNTL_SIZE_LIMIT, &sizeLimit);
    return SqliteDatabase(db);
}

std::optional<SqliteDatabase> SqliteDatabase::openBytes(std::span<const std::uint8_t> bytes,
                                                        std::int64_t maxValueBytes) {
    sqlite3* db = openPrivateMemory();
    if (db == nullptr) return std::nullopt;
    harden(db);
    sqlite3_limit(db, SQLITE_LIMIT_LENGTH,
                  static_cast<int>(std::min<std::int64_t>(maxValueBytes, 1000000000)));
    // READONLY: SQLite never writes into the caller's bytes, so a const mapping is safe.
    auto* data = const_cast<std::uint8_t*>(bytes.data());
    const auto size = static_cast<sqlite3_int64>(bytes.size());
    if (sqlite3_deserialize(db, "main", data, size, size, SQLITE_DESERIALIZE_READONLY) !=
        SQLITE_OK) {
        sqlite3_close(db);
        return std::nullopt;
    }
    SqliteDatabase database(db);
    database.bounded_ = true;
    database.installStepLimit();
    return database;
}

int SqliteDatabase::stopRunawayQuery(void* calls) {
    auto& count = *static_cast<std::int64_t*>(calls);
    return ++count > kMaxCalls ? 1 : 0;
}

SqliteDatabase::SqliteDatabase(SqliteDatabase&& other) noexcept
    : db_(std::exchange(other.db_, nullptr)),
      progressCalls_(other.progressCalls_),
      bounded_(other.bounded_) {
    // The handler holds the address of the counter, which has moved with the object.
    if (bounded_) installStepLimit();
}

void SqliteDatabase::installStepLimit() {
    sqlite3_progress_handler(db_, kStepsPerCall, &SqliteDatabase::stopRunawayQuery,
                             &progressCalls_);
}

SqliteDatabase::~SqliteDatabase() {
    sqlite3_close(db_);
}

bool SqliteDatabase::execute(const char* sql) {
    return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

std::optional<SqliteStatement> SqliteDatabase::prepare(const char* sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return std::nullopt;
    }
    return SqliteStatement(statement);
}

std::span<const std::uint8_t> SqliteDatabase::bytes() {
    sqlite3_int64 size = 0;
    const unsigned char* data = sqlite3_serialize(db_, "main", &size, SQLITE_SERIALIZE_NOCOPY);
    if (data == nullptr) return {};
    return {data, static_cast<std::size_t>(size)};
}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : statement_(std::exchange(other.statement_, nullptr)), failed_(other.failed_) {}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(statement_);
}

bool SqliteStatement::bind(int index, std::int64_t value) {
    return sqlite3_bind_int64(statement_, index, value) == SQLITE_OK;
}

bool SqliteStatement::bind(int index, const std::string& text) {
    return sqlite3_bind_text64(statement_, index, text.data(), text.size(), SQLITE_TRANSIENT,
                               SQLITE_UTF8) == SQLITE_OK;
}

bool SqliteStatement::bind(int index, std::span<const std::uint8_t> blob) {
    // SQLITE_STATIC: the caller's bytes live until run() has copied them into the pages.
    return sqlite3_bind_blob64(statement_, index, blob.data(), blob.size(), SQLITE_STATIC) ==
           SQLITE_OK;
}

bool SqliteStatement::run() {
    const int result = sqlite3_step(statement_);
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
    return result == SQLITE_DONE;
}

bool SqliteStatement::nextRow() {
    const int result = sqlite3_step(statement_);
    if (result == SQLITE_ROW) return true;
    failed_ = result != SQLITE_DONE;
    return false;
}

int SqliteStatement::columnType(int column) {
    return sqlite3_column_type(statement_, column);
}

std::int64_t SqliteStatement::integer(int column) {
    return sqlite3_column_int64(statement_, column);
}

std::string SqliteStatement::text(int column) {
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    const int size = sqlite3_column_bytes(statement_, column);
    return data == nullptr ? std::string() : std::string(data, static_cast<std::size_t>(size));
}

std::span<const std::uint8_t> SqliteStatement::blob(int column) {
    const auto* data = static_cast<const std::uint8_t*>(sqlite3_column_blob(statement_, column));
    const int size = sqlite3_column_bytes(statement_, column);
    if (data == nullptr || size <= 0) return {};
    return {data, static_cast<std::size_t>(size)};
}

}  // namespace tessora
