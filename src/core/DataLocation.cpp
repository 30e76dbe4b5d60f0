#include "core/DataLocation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString dataFolderOf(const QString &dir)
{
    return QDir(dir).filePath(QStringLiteral("data"));
}

bool isInstalledTemplates(const QString &dataDir, const QString &templateDir)
{
    if (templateDir.isEmpty())
        return false;
    const QString canonical = QFileInfo(templateDir).canonicalFilePath();
    return !canonical.isEmpty() && QFileInfo(dataDir).canonicalFilePath() == canonical;
}

} // namespace

DataLocation::DataLocation(Places places) : m_places(std::move(places))
{
    const QFileInfo data(dataFolderOf(m_places.programDir));
    // The installed templates are never written, not even by root, whose
    // writes the package manager would replace at the next upgrade.
    m_besideProgram = data.isDir() && data.isWritable() &&
                      !isInstalledTemplates(data.filePath(), m_places.templateDir);
}

DataLocation::Places DataLocation::standardPlaces(const QString &programDir,
                                                  const QString &currentDir)
{
    Places places;
    places.programDir = programDir;
    // The layout that cmake/Package.cmake installs: the program in
    // lib/quillmarch, its templates in share/quillmarch/data.
    places.templateDir =
        QDir::cleanPath(QDir(programDir).filePath(QStringLiteral("../../share/quillmarch/data")));
    places.userDataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    places.currentDir = currentDir;
    return places;
}

QString DataLocation::dataHome() const
{
    return m_besideProgram ? m_places.programDir : m_places.userDataDir;
}

QString DataLocation::workingDir() const
{
    return m_besideProgram ? m_places.currentDir : m_places.userDataDir;
}

QStringList DataLocation::databaseFiles()
{
    return {QStringLiteral("Quillmarch.qmst"), QStringLiteral("Quillbook.qmbk")};
}

QString DataLocation::prepare() const
{
    if (m_besideProgram)
        return {};
    const QDir templates(dataFolderOf(m_places.programDir));
    const QString targetDir = dataFolderOf(m_places.userDataDir);
    if (m_places.userDataDir.isEmpty() || !QDir().mkpath(targetDir))
        return QStringLiteral("不能创建数据文件夹%1，请检查该文件夹的权限!").arg(targetDir);
    for (const QString &name : databaseFiles()) {
        const QString target = QDir(targetDir).filePath(name);
        if (QFileInfo::exists(target))
            continue;
        const QString templateFile = templates.absoluteFilePath(name);
        if (!QFileInfo(templateFile).isFile())
            return QStringLiteral("数据库模板文件%1丢失，请重新安装本程序!").arg(templateFile);
        if (!copyTemplate(templateFile, target))
            return QStringLiteral("不能创建数据库文件%1，请检查该文件夹的权限和剩余空间!")
                .arg(target);
    }
    return {};
}

bool DataLocation::copyTemplate(const QString &templateFile, const QString &target) const
{
    // Copied under another name and renamed, so that an interrupted copy never
    // passes for a database at the next start.
    const QString partial = target + QStringLiteral(".partial");
    QFile::remove(partial);
    if (!QFile::copy(templateFile, partial))
        return false;
    // The shop's sales are for its own user only.
    QFile::setPermissions(partial, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (!QFile::rename(partial, target)) {
        QFile::remove(partial);
        return false;
    }
    return true;
}
