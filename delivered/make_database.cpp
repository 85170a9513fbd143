// Builds the delivered database from its schema. The schema names the
// program's own text collation, which the engine's command-line tool does
// not know, so the database is built here with the collation registered.
#include "common/text/text_collation.h"

#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

// Runs the whole script into a new database file; false with the engine's
// message on the first statement that fails.
bool build(const std::string& script, const std::filesystem::path& file, std::string& error)
{
    sqlite3* db = nullptr;
    bool ok = sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK
              && registerGbkCollation(db);
    char* message = nullptr;
    if (ok && sqlite3_exec(db, script.c_str(), nullptr, nullptr, &message) != SQLITE_OK)
        ok = false;
    if (!ok)
        error = message ? message : sqlite3_errmsg(db);
    sqlite3_free(message);
    return sqlite3_close(db) == SQLITE_OK && ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: make_database SCHEMA.sql OUTPUT.mdb\n";
        return 2;
    }
    const std::filesystem::path schema = argv[1], output = argv[2];
    std::ifstream in(schema, std::ios::binary);
    std::ostringstream script;
    if (!(script << in.rdbuf())) {
        std::cerr << schema.string() << ": cannot be read\n";
        return 1;
    }
    // Built beside the target and renamed over it: never half a database.
    const std::filesystem::path scratch = output.string() + ".new";
    std::filesystem::remove(scratch);
    std::string error;
    if (!build(script.str(), scratch, error)) {
        std::cerr << schema.string() << ": " << error << "\n";
        std::filesystem::remove(scratch);
        return 1;
    }
    std::filesystem::rename(scratch, output);
    return 0;
}
