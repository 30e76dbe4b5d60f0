#include "records/BookLeftovers.h"

#include "records/BookFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// The six characters QTemporaryFile and QTemporaryDir put for "XXXXXX".
const QString randomPart = QStringLiteral("[A-Za-z0-9]{6}");

bool isTemporaryCopy(const QString &entry, const QStringList &fileNames)
{
    for (const QString &name : fileNames) {
        const QRegularExpression pattern(QStringLiteral("^\\.") + QRegularExpression::escape(name) +
                                         QStringLiteral("\\.") + randomPart + u'$');
        if (pattern.match(entry).hasMatch())
            return true;
    }
    return false;
}

bool isKeptFolder(const QString &entry)
{
    static const QRegularExpression pattern(QStringLiteral("^\\.replaced-") + randomPart + u'$');
    return pattern.match(entry).hasMatch();
}

// A folder of kept books: each one is the live book under a second name
// (dropped) or the book that was replaced (to the trash). Anything else in it
// is not the program's and stays, and so does the folder then.
void emptyKeptFolder(const QDir &folder, const QDir &kept, const QStringList &fileNames)
{
    for (const QString &name : kept.entryList(QDir::Files | QDir::Hidden)) {
        if (!fileNames.contains(name))
            continue;
        const QString path = kept.filePath(name);
        if (BookFile::sameFile(path, folder.filePath(name)))
            QFile::remove(path);
        else
            QFile::moveToTrash(path);
    }
    folder.rmdir(kept.dirName());
}

} // namespace

QStringList BookLeftovers::clean(const QString &folder, const QStringList &fileNames)
{
    QStringList cleaned;
    const QDir dir(folder);
    const QStringList entries =
        dir.entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        const QFileInfo info(dir.filePath(entry));
        if (info.isSymLink())
            continue;
        if (info.isFile() && isTemporaryCopy(entry, fileNames)) {
            if (QFile::remove(info.filePath()))
                cleaned.append(entry);
        } else if (info.isDir() && isKeptFolder(entry)) {
            emptyKeptFolder(dir, QDir(info.filePath()), fileNames);
            if (!QFileInfo::exists(info.filePath()))
                cleaned.append(entry);
        }
    }
    return cleaned;
}
