// Start-up to the first window: the program (on copies of its delivered
// databases, with --quit-when-shown) against a bare Qt program that shows one
// dialog, each run many times, alternately.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int runs = 15;

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
// runtime folder, so no run touches the user's files.
bool prepareFolder(const QTemporaryDir &dir, QProcessEnvironment &env)
{
    const QDir root(dir.path());
    root.mkpath(QStringLiteral("data"));
    root.mkpath(QStringLiteral("run"));
    QFile::setPermissions(root.filePath(QStringLiteral("run")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
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
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), root.filePath(QStringLiteral("run")));
    env.insert(QStringLiteral("HOME"), dir.path());
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return true;
}

// Milliseconds from start to exit; negative when the program did not end by itself.
double timeRun(const QString &program, const QStringList &arguments, const QProcessEnvironment &env,
               const QString &workingDir)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workingDir);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    if (!process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    const double ms = timer.nsecsElapsed() / 1e6;
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 ? ms : -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QProcessEnvironment env;
    if (!dir.isValid() || !prepareFolder(dir, env)) {
        std::fprintf(stderr, "bench_startup: cannot prepare a program folder\n");
        return 1;
    }
    const QString program = QDir(dir.path()).filePath(QStringLiteral("quillmarch"));
    const QString work = QDir(dir.path()).filePath(QStringLiteral("data"));
    std::vector<double> programTimes, bareTimes;
    // One unmeasured run of each fills the file cache.
    timeRun(program, {QStringLiteral("--quit-when-shown")}, env, work);
    timeRun(QStringLiteral(QM_BARE), {}, env, work);
    for (int i = 0; i < runs; ++i) {
        const double p = timeRun(program, {QStringLiteral("--quit-when-shown")}, env, work);
        const double b = timeRun(QStringLiteral(QM_BARE), {}, env, work);
        if (p < 0 || b < 0) {
            std::fprintf(stderr, "bench_startup: a run did not reach its first window and end\n");
            return 1;
        }
        programTimes.push_back(p);
        bareTimes.push_back(b);
    }
    const double m = median(programTimes);
    const double f = median(bareTimes);
    std::printf("bench: startup median_ms=%.1f floor_ms=%.1f ratio=%.2f\n", m, f, m / f);
    return 0;
}
