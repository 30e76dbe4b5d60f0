#pragma once

#include <QString>
#include <QStringList>

class Database;

// Prepares an empty database reached through a data source: the tables,
// indexes and seed rows of the settings or the records database, in the
// engine's own form (res/*.pg.sql on a PostgreSQL server, res/*.sql on
// SQLite). A database that already holds any of those tables is refused and
// left as it was; the whole schema goes in in one transaction or not at all.
class DatabaseInit
{
public:
    enum class Kind
    {
        Settings,
        Records
    };

    enum ExitCode
    {
        Created = 0,
        BadUsage = 1,
        CannotOpen = 2,
        AlreadyPrepared = 3,
        Failed = 4
    };

    struct Outcome
    {
        ExitCode code;
        QString message;
    };

    // "--init-database DSN [--settings|--records]", the window program's
    // older spelling of "quillmarch-cli init-database". Without the option
    // the kind follows the name: Quillmarch holds settings, Quillbook records.
    // Reports on stdout (success) or stderr; returns the exit code.
    static int runCommand(const QStringList &arguments);
    static QString usage();

    // DRYRUN: every check, nothing created (the outcome says what would be).
    static Outcome prepare(const QString &dsn, Kind kind, bool dryRun = false);
    static Outcome prepare(Database &db, Kind kind, bool dryRun = false);

    // The schema's statements for an engine, without comments.
    static QStringList statements(const QString &script);
    static QStringList tables(Kind kind);
    static QString schemaResource(Kind kind, bool postgres);
};
