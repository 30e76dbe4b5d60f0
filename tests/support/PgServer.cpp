#include "support/PgServer.h"

#include "data/DataSource.h"
#include "data/DatabaseInit.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <odbcinst.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace {

struct State
{
    bool tried = false;
    bool startedHere = false;
    QString host;
    QString reason;
};

State &state()
{
    static State s;
    return s;
}

void stopOwnServer()
{
    if (!state().startedHere)
        return;
    const QByteArray command =
        "'" QM_SOURCE_DIR "/scripts/stop-test-postgres.sh' '" + state().host.toLocal8Bit() + "'";
    if (std::system(command.constData()) != 0)
        std::fprintf(stderr, "the test PostgreSQL server could not be stopped\n");
}

QString psqlOdbcDriver()
{
    for (const char *path :
         {"/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so",
          "/usr/lib/aarch64-linux-gnu/odbc/psqlodbcw.so", "/usr/lib/odbc/psqlodbcw.so"})
        if (QFile::exists(QString::fromLatin1(path)))
            return QString::fromLatin1(path);
    return QStringLiteral("PostgreSQL Unicode");
}

QString pgBin(const QString &tool)
{
    const QStringList versions =
        QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &version : versions) {
        const QString path = QStringLiteral("/usr/lib/postgresql/%1/bin/%2").arg(version, tool);
        if (QFile::exists(path))
            return path;
    }
    return tool;
}

// pg_ctl as the user the server runs as ("postgres" when the tests run as root).
int pgCtl(const QStringList &arguments)
{
    QStringList command{pgBin(QStringLiteral("pg_ctl")), QStringLiteral("-D"),
                        QDir(PgServer::host()).filePath(QStringLiteral("data"))};
    command += arguments;
    if (geteuid() == 0)
        command =
            QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--")} +
            command;
    QProcess process;
    // The server started here must not hold the test's output open.
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(geteuid() == 0 ? QStringLiteral("runuser") : command.takeFirst(), command);
    if (!process.waitForFinished(60000))
        return -1;
    return process.exitCode();
}

} // namespace

bool PgServer::ensureStarted()
{
    State &s = state();
    if (s.tried)
        return !s.host.isEmpty();
    s.tried = true;
    const QByteArray fromCi = qgetenv("QM_TEST_PG_HOST");
    if (!fromCi.isEmpty()) {
        s.host = QString::fromLocal8Bit(fromCi);
        return true;
    }
    QProcess script;
    script.setProcessChannelMode(QProcess::SeparateChannels);
    script.start(QStringLiteral(QM_SOURCE_DIR "/scripts/start-test-postgres.sh"), {});
    if (!script.waitForFinished(120000) || script.exitCode() != 0) {
        s.reason = QStringLiteral("PostgreSQL cannot be started here: ") +
                   QString::fromLocal8Bit(script.readAllStandardError()).trimmed();
        if (s.reason.endsWith(QLatin1String(": ")))
            s.reason += script.errorString();
        return false;
    }
    for (const QString &line : QString::fromLocal8Bit(script.readAllStandardOutput()).split('\n'))
        if (line.startsWith(QLatin1String("QM_TEST_PG_HOST=")))
            s.host = line.section(QLatin1Char('='), 1);
    if (s.host.isEmpty()) {
        s.reason = QStringLiteral("start-test-postgres.sh named no socket folder");
        return false;
    }
    s.startedHere = true;
    std::atexit(stopOwnServer);
    return true;
}

bool PgServer::available()
{
    return ensureStarted();
}

QString PgServer::skipReason()
{
    ensureStarted();
    return state().reason;
}

QString PgServer::host()
{
    ensureStarted();
    return state().host;
}

QString PgServer::createDatabase()
{
    static QAtomicInt counter;
    const QString name =
        QStringLiteral("qm_%1_%2").arg(getpid()).arg(counter.fetchAndAddRelaxed(1) + 1);
    const QString connection = QStringLiteral("pg-admin-") + name;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
        db.setHostName(host());
        db.setDatabaseName(QStringLiteral("quillmarch"));
        if (!db.open())
            throw std::runtime_error("cannot reach the test server: " +
                                     db.lastError().text().toStdString());
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("CREATE DATABASE \"%1\"").arg(name)))
            throw std::runtime_error("CREATE DATABASE failed: " +
                                     query.lastError().text().toStdString());
    }
    QSqlDatabase::removeDatabase(connection);
    return name;
}

QString PgServer::socketPath()
{
    return QDir(host()).filePath(QStringLiteral(".s.PGSQL.5432"));
}

void PgServer::registerDataSource(const QString &name, const QString &database,
                                  const QString &server, int port)
{
    UWORD previousMode = ODBC_BOTH_DSN;
    SQLGetConfigMode(&previousMode);
    SQLSetConfigMode(ODBC_USER_DSN);
    const auto write = [&](const char *key, const QString &value) {
        SQLWritePrivateProfileString(name.toUtf8().constData(), key, value.toUtf8().constData(),
                                     "odbc.ini");
    };
    SQLWriteDSNToIni(name.toUtf8().constData(), psqlOdbcDriver().toUtf8().constData());
    write("Servername", server.isEmpty() ? host() : server);
    write("Port", QString::number(port));
    write("Database", database);
    const passwd *user = getpwuid(geteuid());
    write("Username", QString::fromLocal8Bit(user ? user->pw_name : "root"));
    write("UseServerSidePrepare", QStringLiteral("1"));
    SQLSetConfigMode(previousMode);
}

QString PgServer::preparedDataSource(bool settings)
{
    const QString database = createDatabase();
    const QString dsn = QStringLiteral("QmPg_") + database;
    registerDataSource(dsn, database);
    const DatabaseInit::Outcome outcome = DatabaseInit::prepare(
        dsn, settings ? DatabaseInit::Kind::Settings : DatabaseInit::Kind::Records);
    if (outcome.code != DatabaseInit::Created)
        throw std::runtime_error(outcome.message.toStdString());
    return dsn;
}

bool PgServer::stop()
{
    return pgCtl({QStringLiteral("stop"), QStringLiteral("-m"), QStringLiteral("immediate")}) == 0;
}

bool PgServer::start()
{
    const QString options =
        QStringLiteral("-c listen_addresses='' -c unix_socket_directories='%1' -c fsync=off "
                       "-c max_connections=60")
            .arg(host());
    const QString log = QDir(host()).filePath(QStringLiteral("log"));
    return pgCtl({QStringLiteral("-l"), log, QStringLiteral("-w"), QStringLiteral("-t"),
                  QStringLiteral("30"), QStringLiteral("-o"), options, QStringLiteral("start")}) ==
           0;
}

bool PgServer::restart(int downMs, const std::function<void()> &whileDown)
{
    if (!stop())
        return false;
    usleep(downMs * 1000);
    if (whileDown)
        whileDown();
    return start();
}
