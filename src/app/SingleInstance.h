#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// Only one copy of the program runs per user. A lock left behind by a copy
// that died does not block the next start.
class SingleInstance
{
public:
    enum class Result
    {
        Acquired,
        AlreadyRunning,
        Failed
    };

    explicit SingleInstance(const QString &lockPath = defaultLockPath());
    Result acquire();

    static QString defaultLockPath();

private:
    std::unique_ptr<QLockFile> m_lock;
};
