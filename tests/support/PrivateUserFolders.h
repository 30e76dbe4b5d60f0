#pragma once

// A private odbc.ini and private XDG folders below DIR for this process and
// the programs it starts, so that no test touches the real user's files.
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdlib>

inline void usePrivateUserFolders(const QDir &dir)
{
    const auto setPrivate = [&dir](const char *variable, const QString &name) {
        const QString path = dir.filePath(name);
        QDir().mkpath(path);
        setenv(variable, QFile::encodeName(path).constData(), 1);
    };
    setenv("ODBCINI", QFile::encodeName(dir.filePath(QStringLiteral("odbc.ini"))).constData(), 1);
    setPrivate("XDG_DATA_HOME", QStringLiteral("data"));
    // The file dialogs remember their last folder in the user's configuration.
    setPrivate("XDG_CONFIG_HOME", QStringLiteral("config"));
    setPrivate("XDG_RUNTIME_DIR", QStringLiteral("runtime"));
    QFile::setPermissions(dir.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
