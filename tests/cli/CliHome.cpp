#include "CliHome.h"

#include "../../bench/RecordsBook.h"
#include "data/DataSource.h"

#include <QDir>
#include <QFile>

CliHome::CliHome()
{
    QDir(path()).mkpath(QStringLiteral("data"));
    for (const char *name : {"Quillmarch.qmst", "Quillbook.qmbk", "NewQuillbook.qmbk"}) {
        const QString target = QDir(path()).filePath(QStringLiteral("data/") + QLatin1String(name));
        QFile::copy(QStringLiteral(QM_TEST_DATA_DIR "/") + QLatin1String(name), target);
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    }
}

QString CliHome::settingsFile() const
{
    return DataSource::settingsFile(path());
}

QString CliHome::recordsFile() const
{
    return DataSource::recordsFile(path());
}

bool CliHome::generate(int sales)
{
    QFile::remove(recordsFile());
    return RecordsBook::write(recordsFile().toStdString(), QM_SOURCE_DIR "/res/Quillbook.sql",
                              sales);
}

CliRun CliHome::cli(QStringList arguments) const
{
    arguments.prepend(path());
    arguments.prepend(QStringLiteral("--data-home"));
    return CliRun::cli(arguments);
}
