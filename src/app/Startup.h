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
        // The user's data folder, used when the program's own folder cannot
        // hold the databases; empty: the desktop's data folder for the program.
        QString userDataDir;
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
    bool placeData(AppSettings &settings);
    // What a killed restore, new book or backup left beside the data files;
    // run under the single-instance lock, so no other copy is at work there.
    static void cleanLeftovers(const AppSettings &settings);
    // The settings and records files are whole, ours and writable; otherwise
    // the person is told which file and what is wrong, and the program ends.
    static bool checkDataFiles(const AppSettings &settings);

    Options m_options;
    SingleInstance *m_instance = nullptr;
};
