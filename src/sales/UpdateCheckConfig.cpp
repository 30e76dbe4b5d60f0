#include "sales/UpdateCheckConfig.h"

#include "core/AppSettings.h"

#include <QDir>

UpdateCheckConfig UpdateCheckConfig::fromSettings(const AppSettings &settings)
{
    UpdateCheckConfig config;
    config.address = defaultAddress();
    config.workingDir = settings.workingDir;
    config.programDir = settings.programDir;
    return config;
}

QUrl UpdateCheckConfig::defaultAddress()
{
    const QString configured = qEnvironmentVariable("QUILLMARCH_UPDATE_URL").trimmed();
    if (!configured.isEmpty())
        return QUrl::fromUserInput(configured);
    return QUrl(QStringLiteral("https://www.quillmarch.com/POS_update/version.txt"));
}

int UpdateCheckConfig::versionNumber(const QString &version)
{
    QString digits;
    for (const QChar c : version) {
        if (c.isDigit())
            digits += c;
    }
    return digits.toInt();
}

QString UpdateCheckConfig::versionFilePath() const
{
    return QDir(workingDir).filePath(versionFileName());
}

QString UpdateCheckConfig::updaterPath() const
{
    return QDir(programDir).filePath(updaterName());
}
