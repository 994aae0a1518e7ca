#pragma once
// A small owner for an SQLite connection and its statements. Every call reports success as a
// bool, so the project reader and writer read as a list of steps; SQLite's own codes stay here.

#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tessora {

class SqliteStatement;

class SqliteDatabase {
  public:
    // A private in-memory database that grows as it is written and can be handed out as the
    // bytes of a database file (bytes()).
    static std::optional<SqliteDatabase> createInMemory();

    // The bytes of a database file, read in place and never written. They must outlive the
    // database. Every query is bounded in work (see the .cpp) and in the length of a value.
    static std::optional<SqliteDatabase> openBytes(std::span<const std::uint8_t> bytes,
                                                   std::int64_t maxValueBytes);

    SqliteDatabase(SqliteDatabase&& other) noexcept;
    SqliteDatabase& operator=(SqliteDatabase&&) = delete;
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;
    ~SqliteDatabase();

    bool execute(const char* sql);
    std::optional<SqliteStatement> prepare(const char* sql);

    // The database file's bytes, without a copy; valid until the next change.
    std::span<const std::uint8_t> bytes();

    bool outOfMemory() const { return sqlite3_errcode(db_) == SQLITE_NOMEM; }

  private:
    explicit SqliteDatabase(sqlite3* db) : db_(db) {}
    static int stopRunawayQuery(void* calls);
    void installStepLimit();

    sqlite3* db_;
    std::int64_t progressCalls_ = 0;
    bool bounded_ = false;
};

class SqliteStatement {
  public:
    SqliteStatement(SqliteStatement&& other) noexcept;
    SqliteStatement& operator=(SqliteStatement&&) = delete;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;
    ~SqliteStatement();

    // Parameters count from 1, as in SQL. A blob is copied by SQLite at once.
    bool bind(int index, std::int64_t value);
    bool bind(int index, const std::string& text);
    bool bind(int index, std::span<const std::uint8_t> blob);

    // Runs a statement that returns no rows, then makes it ready to run again.
    bool run();

    // True while there is a row; false at the end and on an error (then failed() is true).
    bool nextRow();
    bool failed() const { return failed_; }

    // Columns count from 0. Values of another type are converted as SQLite converts them;
    // the reader checks the type first where it matters.
    int columnType(int column);
    std::int64_t integer(int column);
    std::string text(int column);
    std::span<const std::uint8_t> blob(int column);  // valid until the next row

  private:
    friend class SqliteDatabase;
    explicit SqliteStatement(sqlite3_stmt* statement) : statement_(statement) {}

    sqlite3_stmt* statement_;
    bool failed_ = false;
};

}  // namespace tessora
