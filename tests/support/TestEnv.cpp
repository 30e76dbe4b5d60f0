#include "support/TestEnv.h"

#include "core/Clock.h"
#include "data/DataSource.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedPrompt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

namespace {

int &counter()
{
    static int n = 0;
    return n;
}

void copyDelivered(const QString &name, const QString &dataDir)
{
    const QString source = QStringLiteral(QM_TEST_DATA_DIR "/") + name;
    const QString target = QDir(dataDir).filePath(name);
    if (!QFile::copy(source, target))
        throw std::runtime_error("cannot copy delivered database " + name.toStdString());
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
}

} // namespace

TestEnv::TestEnv()
{
    QDir(m_dir.path()).mkpath(QStringLiteral("data"));
    QDir(m_dir.path()).mkpath(QStringLiteral("work"));
    const QString dataDir = QDir(m_dir.path()).filePath(QStringLiteral("data"));
    for (const char *name : {"Quillmarch.qmst", "Quillbook.qmbk", "NewQuillbook.qmbk"})
        copyDelivered(QString::fromLatin1(name), dataDir);

    // Each environment gets data-source names of its own, so that no test sees
    // an entry another one wrote.
    const int n = ++counter();
    m_settings.programDir = programDir();
    m_settings.workingDir = workingDir();
    m_settings.settingsDsn = QStringLiteral("QmTestSettings%1").arg(n);
    m_settings.recordsDsn = QStringLiteral("QmTestRecords%1").arg(n);
    registerDataSource(m_settings.settingsDsn, settingsFile());
    registerDataSource(m_settings.recordsDsn, recordsFile());

    m_prompt = &ScriptedPrompt::install();
    Clock::setFixed(QDateTime(QDate(2024, 3, 7), QTime(9, 5, 3)));
}

TestEnv::~TestEnv()
{
    ScriptedDialogs::instance().verifyAllOpened();
    Clock::clearFixed();
    Prompt::install(nullptr);
}

QString TestEnv::workingDir() const
{
    return QDir(m_dir.path()).filePath(QStringLiteral("work"));
}

QString TestEnv::settingsFile() const
{
    return DataSource::settingsFile(programDir());
}

QString TestEnv::recordsFile() const
{
    return DataSource::recordsFile(programDir());
}

void TestEnv::registerDataSource(const QString &name, const QString &file)
{
    DataSource::setUp(name, file, QFileInfo(file).absolutePath());
}
