#include "app/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

#include <unistd.h>

SingleInstance::SingleInstance(const QString &lockPath)
    : m_lock(std::make_unique<QLockFile>(lockPath))
{
    // Only a dead owner makes a lock stale, never its age.
    m_lock->setStaleLockTime(0);
}

SingleInstance::Result SingleInstance::acquire()
{
    if (m_lock->tryLock(0))
        return Result::Acquired;
    return m_lock->error() == QLockFile::LockFailedError ? Result::AlreadyRunning : Result::Failed;
}

QString SingleInstance::defaultLockPath()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return QDir(dir).filePath(QStringLiteral("quillmarch-%1.lock").arg(getuid()));
}
