#pragma once
// Of the text service, for the database's connections and the tool that
// builds the delivered database: the engine's collation "GBK", which orders
// and compares text in GBK byte order, the order of the program's own text.
// The database holds UTF-8, so without it Chinese text would sort by code
// point (东 before 北 before 安).
// Every connection registers it; the delivered schema declares it on its
// text columns, and no connection without it can use those columns.
struct sqlite3;

inline constexpr char kGbkCollation[] = "GBK";

// True when the collation is now known to `db`.
bool registerGbkCollation(sqlite3* db);
