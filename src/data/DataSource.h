#pragma once

#include <QHash>
#include <QString>

// The user data sources "Quillmarch" and "Quillbook" in unixODBC's odbc.ini.
class DataSource
{
public:
    static constexpr const char *settingsDsn = "Quillmarch";
    static constexpr const char *recordsDsn = "Quillbook";
    static constexpr const char *driverName = "SQLite3";

    struct Entry
    {
        QString driver;
        QString database;
        // A database server's data source (psqlODBC): where it is and who logs in.
        QString server;
        QString port;
        QString user;
        bool exists() const { return !driver.isEmpty(); }
        bool isSqlite() const;
        bool isPostgres() const;
    };

    // Creates or updates the user data source NAME for FILE in the user's
    // odbc.ini: its section only, every other line of the file is kept as it
    // is. A data source of another driver than SQLite3 (a database server) is
    // kept as it is. Returns false when odbc.ini could not be read or written.
    static bool setUp(const QString &name, const QString &file, const QString &defaultDir);

    // The data source NAME is the SQLite FILE for this process alone: odbc.ini
    // is neither read for it nor written, so the tills that go by odbc.ini
    // keep their own files.
    static void useFileHere(const QString &name, const QString &file);

    // The entry in odbc.ini; for a source this program set up but could not
    // register there, its own SQLite file; for one used here alone, its file.
    static Entry lookup(const QString &name);

    // The user's odbc.ini, and the one message for when registering failed.
    static QString userIniFile();
    static QString systemIniFile();
    static QString registerFailedMessage();

    // The records file must sit beside the program. When it does not, the
    // words that name the missing file (the program cannot run then); else
    // empty.
    static QString missingRecordsFileMessage(const QString &programDir);

    // Settings file data/Quillmarch.qmst and records file data/Quillbook.qmbk.
    static QString settingsFile(const QString &programDir);
    static QString recordsFile(const QString &programDir);
    static QString newBookTemplate(const QString &programDir);

private:
    static QHash<QString, QString> &ownFiles();
    static QHash<QString, QString> &hereFiles();
    static bool writeUserEntry(const QString &name, const QString &file, const QString &defaultDir);
};
