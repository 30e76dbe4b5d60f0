#pragma once
// A records book written by RecordsBook opened twice: as the program opens
// it (data source DSN over FILE, in DIR) and read-only through the SQLite C
// API, for the floors.
#include "data/DataSource.h"
#include "data/Database.h"

#include <sqlite3.h>

#include <cstdio>

inline bool openBenchBook(const QString &file, const QString &dsn, const QString &dir, Database &db,
                          sqlite3 *&raw)
{
    DataSource::setUp(dsn, file, dir);
    if (!db.open(dsn)) {
        std::fprintf(stderr, "cannot open the book: %s\n", qPrintable(db.lastOpenError()));
        return false;
    }
    return sqlite3_open_v2(file.toUtf8().constData(), &raw, SQLITE_OPEN_READONLY, nullptr) ==
           SQLITE_OK;
}
