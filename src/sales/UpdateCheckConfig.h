#pragma once

#include <QString>
#include <QUrl>

struct AppSettings;

// Where the update check looks and what it compares with. The address can be
// changed for a shop that mirrors the version file (QUILLMARCH_UPDATE_URL) and
// by the tests, which serve it from 127.0.0.1.
struct UpdateCheckConfig
{
    QUrl address;
    QString workingDir; // the downloaded version.txt is kept here
    QString programDir; // the updater program is looked for here only
    int currentVersion = versionNumber(QStringLiteral(QM_VERSION));
    int timeoutMs = 15000;
    qint64 maxFileSize = 64 * 1024;

    static UpdateCheckConfig fromSettings(const AppSettings &settings);
    static QUrl defaultAddress();
    // "3.5.1" -> 351: the digits of the version, read as one number.
    static int versionNumber(const QString &version);

    static QString versionFileName() { return QStringLiteral("version.txt"); }
    static QString updaterName() { return QStringLiteral("QuillUpdate"); }
    QString versionFilePath() const;
    QString updaterPath() const;
};
