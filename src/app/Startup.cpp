#include "app/Startup.h"

#include "app/AppSettings.h"
#include "app/Clock.h"
#include "app/FirstWindow.h"
#include "app/Prompt.h"
#include "app/SettingsLoader.h"
#include "app/SingleInstance.h"
#include "data/DataSource.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QPrinterInfo>

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
    settings.workingDir = m_options.workingDir;
    settings.programDir = m_options.programDir;
    DataSource::setUp(settings.settingsDsn, DataSource::settingsFile(settings.programDir),
                      settings.programDir);
    removeVersionFile(settings.workingDir);
    readLogoSize(settings.workingDir, settings);
    SettingsLoader::load(settings, Clock::now().date(), QPrinterInfo::defaultPrinterName());
    return true;
}

int Startup::run(AppSettings &settings)
{
    if (!prepare(settings))
        return 0;
    return FirstWindow::run(settings);
}

void Startup::readLogoSize(const QString &workingDir, AppSettings &settings)
{
    QImageReader reader(QDir(workingDir).filePath(QStringLiteral("logo.bmp")));
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
