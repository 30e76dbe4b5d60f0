#pragma once

#include <QHash>
#include <QString>

class QWidget;

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

    // Creates or updates the user data source NAME for FILE. First through the
    // installer's SQLConfigDataSource; when the driver cannot configure itself
    // (Debian's SQLite3 driver cannot), the entry is written into the user's
    // odbc.ini directly. A data source of another driver than SQLite3 (a
    // database server) is kept as it is. Returns false only when neither way
    // worked.
    static bool setUp(const QString &name, const QString &file, const QString &defaultDir);

    // The entry in odbc.ini; for a source this program set up but could not
    // register there, its own SQLite file.
    static Entry lookup(const QString &name);

    // The user's odbc.ini, and the one message for when registering failed.
    static QString userIniFile();
    static QString registerFailedMessage();

    // The records file must sit beside the program. When it does not, the
    // user is told which file is missing; the caller then ends the program.
    static bool checkRecordsFile(const QString &programDir, QWidget *parent);

    // The installer's attribute list: "DSN=..\0Database=..\0...\0\0".
    static QByteArray attributeList(const QString &name, const QString &file,
                                    const QString &defaultDir);

    // Settings file data/Quillmarch.qmst and records file data/Quillbook.qmbk.
    static QString settingsFile(const QString &programDir);
    static QString recordsFile(const QString &programDir);
    static QString newBookTemplate(const QString &programDir);

private:
    static QHash<QString, QString> &ownFiles();
    static bool configureThroughInstaller(const QString &name, const QString &file,
                                          const QString &defaultDir);
    static bool writeUserEntry(const QString &name, const QString &file, const QString &defaultDir);
};
