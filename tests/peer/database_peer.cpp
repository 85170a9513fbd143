// Another desk, as a process of its own: opens the database file named by
// its first argument with the engine alone, runs the statement of its
// second, prints the first value of the first row and closes, as a second
// program on the same database does when it ends. Exit code 2 on any failure.
#include <sqlite3.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(argv[1], &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s\n", sqlite3_errmsg(db));
        sqlite3_close(db);
        return 2;
    }
    sqlite3_busy_timeout(db, 5000);
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(db, argv[2], -1, &statement, nullptr);
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(statement);
        if (rc == SQLITE_ROW) {
            const unsigned char* value = sqlite3_column_text(statement, 0);
            std::printf("%s", value ? reinterpret_cast<const char*>(value) : "");
            rc = SQLITE_DONE;
        }
    }
    if (rc != SQLITE_DONE)
        std::fprintf(stderr, "%s\n", sqlite3_errmsg(db));
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rc == SQLITE_DONE ? 0 : 2;
}
