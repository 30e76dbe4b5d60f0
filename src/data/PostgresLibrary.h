#pragma once

#include <libpq-fe.h>

class QSqlDatabase;

// The libpq calls the program makes itself on the connection of Qt's
// PostgreSQL driver. libpq is not linked into the program (it brings TLS,
// Kerberos and LDAP to every start-up); the driver has loaded it whenever
// there is a server connection to ask about, and only then is it asked for.
struct PostgresLibrary
{
    decltype(&::PQstatus) status = nullptr;
    decltype(&::PQtransactionStatus) transactionStatus = nullptr;
    decltype(&::PQexec) exec = nullptr;
    decltype(&::PQexecParams) execParams = nullptr;
    decltype(&::PQresultStatus) resultStatus = nullptr;
    decltype(&::PQntuples) rowCount = nullptr;
    decltype(&::PQgetvalue) value = nullptr;
    decltype(&::PQgetlength) length = nullptr;
    decltype(&::PQgetisnull) isNull = nullptr;
    decltype(&::PQclear) clear = nullptr;

    // The calls, or nullptr while libpq is not loaded.
    static const PostgresLibrary *loaded();
    // The libpq connection under DB, or nullptr when DB is not on Qt's
    // PostgreSQL driver.
    static PGconn *connectionOf(const QSqlDatabase &db);
};
