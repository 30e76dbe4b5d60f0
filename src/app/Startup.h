#pragma once

#include <QString>
#include <QStringList>

class SingleInstance;
struct AppSettings;

// The start-up sequence: single instance, data source, leftovers of the update
// check, logo size, settings; then the first window.
class Startup
{
public:
    struct Options
    {
        QString programDir;
        QString workingDir;
        QString lockPath;
    };

    explicit Startup(Options options);
    ~Startup();

    // Everything before the first window. False: the program must end.
    bool prepare(AppSettings &settings);

    // The whole sequence; returns the process exit code.
    int run(AppSettings &settings);

    static void readLogoSize(const QString &workingDir, AppSettings &settings);
    static void removeVersionFile(const QString &workingDir);

private:
    bool takeInstanceLock();

    Options m_options;
    SingleInstance *m_instance = nullptr;
};
