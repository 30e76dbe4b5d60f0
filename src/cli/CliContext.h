#pragma once

#include <QString>

class Database;

// Where the command line finds the program's data, exactly as the window
// program does: the data/ folder beside the program when it can be written
// (a build tree, a copy in the user's folder), otherwise the user's data folder
// (~/.local/share/Quillmarch), filled from the installed templates at the
// first use; the data sources "Quillmarch" and "Quillbook" of the user's
// odbc.ini, registered for those files unless they name a database server.
// Another folder's data (--data-home) is used by this process alone: odbc.ini
// keeps naming the files the tills use.
class CliContext
{
public:
    // PROGRAMDIR: the folder of the program file. DATAHOME, when not empty,
    // is the folder whose data/ to use instead (--data-home).
    CliContext(QString programDir, QString dataHome);

    // Finds the data and registers the data sources. Empty, or what went
    // wrong. A data source that cannot be registered is only a warning: the
    // program's own files are used all the same.
    QString prepare();
    QString warning() const { return m_warning; }

    QString programDir() const { return m_programDir; }
    QString dataHome() const { return m_dataHome; }
    QString settingsDsn() const { return QStringLiteral("Quillmarch"); }
    QString recordsDsn() const { return QStringLiteral("Quillbook"); }
    // Where "backup" writes when no folder is given: backups/ beside data/.
    QString backupFolder() const;

    // Opens the data source DSN, or returns the message that says why it cannot.
    static QString open(Database &db, const QString &dsn);

private:
    QString prepareOtherHome();

    QString m_programDir;
    QString m_dataHome;
    QString m_warning;
};
