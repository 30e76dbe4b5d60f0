// Start-up to the first painted frame of the first window: the program (on
// copies of its delivered databases, with --quit-when-shown) against a bare
// Qt program that shows one dialog with as many widgets as the login dialog,
// each run many times, alternately. Once offscreen, once on a real X server
// (Xvfb, when installed) as the second line.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int runs = 21;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool copyFile(const QString &from, const QString &to)
{
    QFile::remove(to);
    return QFile::copy(from, to);
}

// A program folder of its own: the program, its data, a private odbc.ini and
// runtime folder, so no run touches the user's files. The runtime folder is
// in memory as a desktop session's is (/run/user/<uid>): the single-instance
// lock written there is synced, which on a disk costs a start-up about 10 ms
// that no user's start pays.
bool prepareFolder(const QTemporaryDir &dir, const QTemporaryDir &runtime, QProcessEnvironment &env)
{
    const QDir root(dir.path());
    root.mkpath(QStringLiteral("data"));
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!copyFile(QStringLiteral(QM_PROGRAM), root.filePath(QStringLiteral("quillmarch"))))
        return false;
    for (const char *name : {"Quillmarch.qmst", "Quillbook.qmbk", "NewQuillbook.qmbk"}) {
        const QString file = QString::fromLatin1(name);
        if (!copyFile(QStringLiteral(QM_DATA_DIR "/") + file, root.filePath("data/" + file)))
            return false;
        QFile::setPermissions(root.filePath("data/" + file), QFile::ReadOwner | QFile::WriteOwner);
    }
    env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ODBCINI"), root.filePath(QStringLiteral("odbc.ini")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("HOME"), dir.path());
    return true;
}

// Milliseconds from start to the first painted frame ("painted:" on its
// output); negative when the program did not get there and end by itself.
double timeRun(const QString &program, const QStringList &arguments, const QProcessEnvironment &env,
               const QString &workingDir)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workingDir);
    process.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    double painted = -1;
    QByteArray output;
    while (painted < 0 && process.waitForReadyRead(20000)) {
        output += process.readAllStandardOutput();
        if (output.startsWith("painted:") || output.contains("\npainted:"))
            painted = timer.nsecsElapsed() / 1e6;
    }
    if (!process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 ? painted : -1;
}

// A private X server; its display, or empty when there is none to start.
QString startXvfb(QProcess &server)
{
    server.start(QStringLiteral("Xvfb"),
                 {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                  QStringLiteral("0"), QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                  QStringLiteral("tcp")});
    if (!server.waitForStarted(5000) || !server.waitForReadyRead(10000))
        return {};
    const QByteArray number = server.readLine().trimmed();
    return number.isEmpty() ? QString() : QStringLiteral(":") + QString::fromLatin1(number);
}

bool measure(const char *name, const QString &program, const QString &work,
             const QProcessEnvironment &env)
{
    std::vector<double> programTimes, bareTimes;
    // One unmeasured run of each fills the file cache.
    timeRun(program, {QStringLiteral("--quit-when-shown")}, env, work);
    timeRun(QStringLiteral(QM_BARE), {}, env, work);
    for (int i = 0; i < runs; ++i) {
        const double p = timeRun(program, {QStringLiteral("--quit-when-shown")}, env, work);
        const double b = timeRun(QStringLiteral(QM_BARE), {}, env, work);
        if (p < 0 || b < 0) {
            std::fprintf(stderr, "bench_startup: a run did not reach its first window and end\n");
            return false;
        }
        programTimes.push_back(p);
        bareTimes.push_back(b);
    }
    const double m = median(programTimes);
    const double f = median(bareTimes);
    std::printf("bench: %s median_ms=%.1f floor_ms=%.1f ratio=%.2f\n", name, m, f, m / f);
    std::fflush(stdout);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const bool inMemory = QFileInfo(QStringLiteral("/dev/shm")).isWritable();
    QTemporaryDir runtime(inMemory ? QStringLiteral("/dev/shm/qm-bench-XXXXXX")
                                   : QDir::tempPath() + QStringLiteral("/qm-bench-XXXXXX"));
    QProcessEnvironment env;
    if (!dir.isValid() || !runtime.isValid() || !prepareFolder(dir, runtime, env)) {
        std::fprintf(stderr, "bench_startup: cannot prepare a program folder\n");
        return 1;
    }
    const QString program = QDir(dir.path()).filePath(QStringLiteral("quillmarch"));
    const QString work = QDir(dir.path()).filePath(QStringLiteral("data"));
    QProcessEnvironment offscreen = env;
    offscreen.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    if (!measure("startup", program, work, offscreen))
        return 1;
    QProcess xvfb;
    const QString display = startXvfb(xvfb);
    if (display.isEmpty()) {
        std::printf("bench_startup: no X server (Xvfb) to start; the X line is left out\n");
        return 0;
    }
    QProcessEnvironment x11 = env;
    x11.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    x11.insert(QStringLiteral("DISPLAY"), display);
    const bool measured = measure("startup_xvfb", program, work, x11);
    xvfb.terminate();
    xvfb.waitForFinished(5000);
    return measured ? 0 : 1;
}
