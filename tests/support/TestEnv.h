#pragma once

#include "core/AppSettings.h"

#include <QString>
#include <QTemporaryDir>

class ScriptedPrompt;

// A private program folder for one test: fresh copies of the delivered
// databases under data/, a working folder, data sources registered in the
// test process's own odbc.ini (never the user's), a scripted prompt and a
// fixed clock.
class TestEnv
{
public:
    TestEnv();
    ~TestEnv();

    QString programDir() const { return m_dir.path(); }
    QString workingDir() const;
    QString settingsFile() const;
    QString recordsFile() const;

    // Settings with this folder's directories and data-source names, as start-up leaves them.
    AppSettings &settings() { return m_settings; }
    ScriptedPrompt &prompt() { return *m_prompt; }

    // Registers NAME for FILE in the test's odbc.ini.
    static void registerDataSource(const QString &name, const QString &file);

private:
    QTemporaryDir m_dir;
    AppSettings m_settings;
    ScriptedPrompt *m_prompt;
};
