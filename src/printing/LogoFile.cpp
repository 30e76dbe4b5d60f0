#include "printing/LogoFile.h"

#include "data/Database.h"
#include "data/ShopRow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QSaveFile>

LogoFile::LogoFile(const QString &workingDir)
    : m_path(QDir(workingDir).filePath(QStringLiteral("logo.bmp")))
{
}

std::optional<QSize> LogoFile::size() const
{
    QImageReader reader(m_path, "bmp");
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return std::nullopt;
    return size;
}

LogoFile::Import LogoFile::import(const QString &source) const
{
    QImageReader reader(source, "bmp");
    if (reader.read().isNull())
        return Import::NotBitmap;
    // Choosing the logo itself again leaves it as it is.
    if (QFileInfo(source).canonicalFilePath() == QFileInfo(m_path).canonicalFilePath())
        return Import::Done;

    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return Import::NotBitmap;
    QSaveFile out(m_path);
    if (!out.open(QIODevice::WriteOnly) || out.write(in.readAll()) < 0 || !out.commit())
        return Import::NotWritten;
    return Import::Done;
}

void LogoFile::storeOptions(Database &settingsDb, bool printLogo, const QString &offset)
{
    ShopRow::storeLogo(settingsDb, printLogo, offset);
}
