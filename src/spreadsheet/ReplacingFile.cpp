#include "spreadsheet/ReplacingFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Makes what was written to PATH (a file, or a folder's entries) durable.
bool syncPath(const QString &path, bool directory)
{
    const int fd = ::open(QFile::encodeName(path).constData(),
                          directory ? (O_RDONLY | O_DIRECTORY) : O_RDONLY);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

} // namespace

ReplacingFile::ReplacingFile(const QString &target) : m_target(target) {}

ReplacingFile::~ReplacingFile()
{
    if (!m_temporary.isEmpty())
        QFile::remove(m_temporary);
}

bool ReplacingFile::create()
{
    const QFileInfo target(m_target);
    QTemporaryFile file(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                        QStringLiteral(".XXXXXX"));
    if (!file.open()) {
        m_error = QStringLiteral("不能在文件夹“%1”中写文件：%2")
                      .arg(QDir::toNativeSeparators(target.absolutePath()), file.errorString());
        return false;
    }
    file.setAutoRemove(false);
    m_temporary = file.fileName();
    // An exported file is the user's document, readable as any file they make.
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                        QFileDevice::ReadOther);
    return true;
}

bool ReplacingFile::commit()
{
    const bool existed = QFileInfo::exists(m_target) || QFileInfo(m_target).isSymLink();
    // The new file's contents reach the disk before it takes the name, and the
    // rename after: a power cut leaves the old file or the whole new one.
    if (!syncPath(m_temporary, false) ||
        std::rename(QFile::encodeName(m_temporary).constData(),
                    QFile::encodeName(m_target).constData()) != 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        m_cannotReplace = existed;
        return false;
    }
    m_temporary.clear();
    syncPath(QFileInfo(m_target).absolutePath(), true);
    return true;
}
