#include "app/Startup.h"

#include "app/FirstWindow.h"
#include "app/SettingsLoader.h"
#include "app/SingleInstance.h"
#include "controls/Prompt.h"
#include "core/AppSettings.h"
#include "core/Clock.h"
#include "core/DataLocation.h"
#include "data/DataFileCheck.h"
#include "data/DataSource.h"
#include "records/BookLeftovers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

Startup::Startup(Options options) : m_options(std::move(options)) {}

Startup::~Startup()
{
    delete m_instance;
}

bool Startup::takeInstanceLock()
{
    m_instance = new SingleInstance(m_options.lockPath.isEmpty() ? SingleInstance::defaultLockPath()
                                                                 : m_options.lockPath);
    switch (m_instance->acquire()) {
    case SingleInstance::Result::Acquired:
        return true;
    case SingleInstance::Result::AlreadyRunning:
        Prompt::info(nullptr, QStringLiteral("当前系统已运行！"));
        return false;
    case SingleInstance::Result::Failed:
        Prompt::error(nullptr, QStringLiteral("创建Mutex失败! "), QStringLiteral("系统提示"));
        return false;
    }
    return false;
}

bool Startup::prepare(AppSettings &settings)
{
    if (!takeInstanceLock())
        return false;
    if (!placeData(settings))
        return false;
    if (!DataSource::setUp(settings.settingsDsn, DataSource::settingsFile(settings.dataHome),
                           settings.dataHome))
        Prompt::warn(nullptr, DataSource::registerFailedMessage());
    cleanLeftovers(settings);
    if (!checkDataFiles(settings))
        return false;
    removeVersionFile(settings.workingDir);
    readLogoSize(settings.workingDir, settings);
    // No printer is asked for here: asking CUPS costs start-up time and nothing
    // needs it before the first print, where an empty second printer means
    // the default one.
    // A settings database that cannot be reached is said by the login dialog,
    // which then waits for it; the settings are read when it answers.
    SettingsLoader::load(settings, Clock::now().date(), QString(),
                         SettingsLoader::Unreachable::LeaveToLogin);
    return true;
}

bool Startup::placeData(AppSettings &settings)
{
    DataLocation::Places places =
        DataLocation::standardPlaces(m_options.programDir, m_options.workingDir);
    if (!m_options.userDataDir.isEmpty())
        places.userDataDir = m_options.userDataDir;
    const DataLocation location(places);
    const QString problem = location.prepare();
    if (!problem.isEmpty()) {
        Prompt::error(nullptr, problem, QStringLiteral("错误"));
        return false;
    }
    settings.programDir = m_options.programDir;
    settings.workingDir = location.workingDir();
    settings.dataHome = location.dataHome();
    return true;
}

void Startup::cleanLeftovers(const AppSettings &settings)
{
    QStringList files{DataSource::settingsFile(settings.dataHome),
                      DataSource::recordsFile(settings.dataHome)};
    for (const QString &dsn : {settings.settingsDsn, settings.recordsDsn}) {
        const DataSource::Entry entry = DataSource::lookup(dsn);
        if (entry.isSqlite() && !entry.database.isEmpty())
            files.append(entry.database);
    }
    QStringList folders;
    QStringList names;
    for (const QString &file : files) {
        const QFileInfo info(file);
        if (!folders.contains(info.absolutePath()))
            folders.append(info.absolutePath());
        if (!names.contains(info.fileName()))
            names.append(info.fileName());
    }
    for (const QString &folder : folders)
        BookLeftovers::clean(folder, names);
}

bool Startup::checkDataFiles(const AppSettings &settings)
{
    // A data source pointed at a database server has no file here to look at.
    const auto checkFile = [](const QString &dsn, const QString &file, const QStringList &tables) {
        const DataSource::Entry entry = DataSource::lookup(dsn);
        if (entry.exists() && !entry.isSqlite())
            return true;
        const DataFileCheck::Result result = DataFileCheck::check(file, tables);
        if (result.ok())
            return true;
        Prompt::error(nullptr, DataFileCheck::message(result), QStringLiteral("错误"));
        return false;
    };
    return checkFile(settings.settingsDsn, DataSource::settingsFile(settings.dataHome),
                     DataFileCheck::settingsTables()) &&
           checkFile(settings.recordsDsn, DataSource::recordsFile(settings.dataHome),
                     DataFileCheck::recordsTables());
}

int Startup::run(AppSettings &settings)
{
    if (!prepare(settings))
        return 0;
    return FirstWindow::run(settings);
}

void Startup::readLogoSize(const QString &workingDir, AppSettings &settings)
{
    // Read as the printer reads it; no image format is looked for when there is no logo.
    const QString logo = QDir(workingDir).filePath(QStringLiteral("logo.bmp"));
    if (!QFileInfo::exists(logo))
        return;
    QImageReader reader(logo, "bmp");
    const QSize size = reader.size();
    if (size.isValid() && !size.isEmpty()) {
        settings.logoWidth = size.width();
        settings.logoHeight = size.height();
    }
}

void Startup::removeVersionFile(const QString &workingDir)
{
    QFile::remove(QDir(workingDir).filePath(QStringLiteral("version.txt")));
}
