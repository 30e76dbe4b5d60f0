#pragma once

#include "support/RealService.h"

#include <QString>

#include <functional>

// The private PostgreSQL server of the tests (a Unix socket in a temporary
// folder, no TCP port). .ci/run starts one and names its socket folder in
// QM_TEST_PG_HOST; otherwise the first test that asks starts one for its test
// program with scripts/start-test-postgres.sh and it is stopped at exit. Where
// none can be started, available() is false and skipReason() says why.
class PgServer
{
public:
    static bool available();
    static QString skipReason();
    static QString host();

    // A new empty database on the server; returns its name.
    static QString createDatabase();
    // Registers NAME in the test's odbc.ini: the psqlODBC driver, DATABASE on the
    // server, or on SERVER and PORT (e.g. a proxy in front of it).
    static void registerDataSource(const QString &name, const QString &database,
                                   const QString &server = {}, int port = 5432);
    // The server's Unix socket.
    static QString socketPath();
    // A data source on a fresh database prepared as the settings or the records database.
    static QString preparedDataSource(bool settings);

    // The server killed without a clean shutdown (pg_ctl stop -m immediate),
    // left down for DOWNMS milliseconds (WHILEDOWN runs then) and started
    // again. False when it did not come back.
    static bool restart(int downMs, const std::function<void()> &whileDown = {});
    // The two halves of restart(), for a test that acts between them.
    static bool stop();
    static bool start();

private:
    static bool ensureStarted();
};

#define QM_REQUIRE_POSTGRES()                                                                      \
    do {                                                                                           \
        if (!PgServer::available())                                                                \
            QM_SKIP_WITHOUT_SERVICE(PgServer::skipReason().toStdString());                         \
    } while (false)
