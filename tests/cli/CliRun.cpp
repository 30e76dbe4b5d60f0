#include "CliRun.h"

#include <QProcess>

CliRun CliRun::cli(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(QM_CLI_PROGRAM), arguments);
    CliRun run;
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        run.err = QStringLiteral("quillmarch-cli did not finish");
        return run;
    }
    run.exit = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QString CliRun::sqlite(const QString &file, const QString &sql)
{
    QProcess process;
    process.start(QStringLiteral("sqlite3"), {QStringLiteral("-readonly"), file, sql});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}
