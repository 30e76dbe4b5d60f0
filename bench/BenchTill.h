#pragma once
// A till for the benchmarks that drive the sales window: a private program
// folder beside the build (on the same disk as a real installation) holding
// fresh copies of the delivered databases under data sources of its own (in
// an odbc.ini of its own), a cashier logged in, and messages written to the
// terminal instead of waiting for a person.
#include "controls/Prompt.h"
#include "core/AppSettings.h"
#include "data/DataSource.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

class BenchTill
{
public:
    // NAME tells the folder and the data sources apart from other benchmarks'.
    explicit BenchTill(const QString &name)
        : m_buildDir(QCoreApplication::applicationDirPath() + QStringLiteral("/..")),
          m_folder(m_buildDir + QStringLiteral("/bench-%1-XXXXXX").arg(name))
    {
        qputenv("ODBCINI",
                QFile::encodeName(QDir(m_odbcDir.path()).filePath(QStringLiteral("odbc.ini"))));
        Prompt::install(new TerminalPrompt);
        const QString dir = m_folder.path();
        QDir(dir).mkpath(QStringLiteral("data"));
        m_ready = copyDelivered(QStringLiteral("Quillbook.qmbk"), recordsFile()) &&
                  copyDelivered(QStringLiteral("Quillmarch.qmst"), DataSource::settingsFile(dir));
        if (!m_ready) {
            std::fprintf(stderr, "the delivered databases are missing; build first\n");
            return;
        }
        m_settings.programDir = dir;
        m_settings.workingDir = dir;
        m_settings.settingsDsn = QStringLiteral("QmBench%1Settings").arg(name);
        m_settings.recordsDsn = QStringLiteral("QmBench%1Records").arg(name);
        m_settings.userName = QStringLiteral("收银员");
        m_settings.userPower = AppSettings::ordinaryPower(); // nothing is remembered per line
        DataSource::setUp(m_settings.settingsDsn, DataSource::settingsFile(dir), dir);
        DataSource::setUp(m_settings.recordsDsn, recordsFile(), dir);
    }

    bool isReady() const { return m_ready; }
    AppSettings &settings() { return m_settings; }
    QString programDir() const { return m_folder.path(); }
    QString recordsFile() const { return DataSource::recordsFile(m_folder.path()); }

private:
    class TerminalPrompt : public Prompt
    {
    public:
        Answer ask(QWidget *, const QString &text, const QString &, Icon, Buttons) override
        {
            std::fprintf(stderr, "message: %s\n", qPrintable(text));
            return Answer::Yes;
        }
        QString openFile(QWidget *, FileRequest &) override { return {}; }
        QString saveFile(QWidget *, FileRequest &) override { return {}; }
    };

    bool copyDelivered(const QString &name, const QString &to) const
    {
        if (!QFile::copy(m_buildDir + QStringLiteral("/data/") + name, to))
            return false;
        QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner);
        return true;
    }

    QString m_buildDir;
    QTemporaryDir m_odbcDir;
    QTemporaryDir m_folder;
    AppSettings m_settings;
    bool m_ready = false;
};
