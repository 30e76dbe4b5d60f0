// Start-up before the first window: one copy per user, the settings data
// source, leftovers of the update check, the logo size and the settings.
#include "app/Startup.h"
#include "app/SettingsLoader.h"
#include "app/SingleInstance.h"
#include "core/AppSettings.h"
#include "data/DataSource.h"
#include "data/Database.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <odbcinst.h>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

QString lockIn(const TestEnv &env)
{
    return QDir(env.programDir()).filePath(QStringLiteral("instance.lock"));
}

Startup startupFor(const TestEnv &env)
{
    return Startup({env.programDir(), env.workingDir(), lockIn(env)});
}

TEST(SingleInstance, SecondCopyIsToldAndTouchesNothing)
{
    TestEnv env;
    SingleInstance first(lockIn(env));
    ASSERT_EQ(first.acquire(), SingleInstance::Result::Acquired);

    AppSettings settings = env.settings();
    Startup second = startupFor(env);
    EXPECT_FALSE(second.prepare(settings));
    EXPECT_EQ(env.prompt().texts(), QStringList{QStringLiteral("当前系统已运行！")});
    EXPECT_EQ(env.prompt().messages().first().caption, QStringLiteral("Quillmarch"));
    // Nothing was loaded and no options row was created.
    EXPECT_EQ(settings.userName, QString());
}

TEST(SingleInstance, LockOfADeadCopyDoesNotBlock)
{
    TestEnv env;
    QFile stale(lockIn(env));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    // QLockFile's format: pid, application name, host name.
    stale.write("999999\nquillmarch\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();

    SingleInstance instance(lockIn(env));
    EXPECT_EQ(instance.acquire(), SingleInstance::Result::Acquired);
}

TEST(SingleInstance, UnwritableLockPlaceIsAFailureNotARunningCopy)
{
    SingleInstance instance(QStringLiteral("/proc/quillmarch-no-such-dir/q.lock"));
    EXPECT_EQ(instance.acquire(), SingleInstance::Result::Failed);
}

TEST(Startup, PrepareLoadsSettingsAndRemovesVersionFile)
{
    TestEnv env;
    QFile version(QDir(env.workingDir()).filePath(QStringLiteral("version.txt")));
    ASSERT_TRUE(version.open(QIODevice::WriteOnly));
    version.write("3.5.2");
    version.close();

    AppSettings settings = env.settings();
    Startup startup = startupFor(env);
    ASSERT_TRUE(startup.prepare(settings));
    EXPECT_FALSE(version.exists());
    EXPECT_EQ(settings.programDir, env.programDir());
    EXPECT_EQ(settings.workingDir, env.workingDir());
    EXPECT_EQ(settings.userName, QStringLiteral("admin"));
    EXPECT_EQ(settings.logoWidth, 300);
    EXPECT_EQ(settings.logoHeight, 120);
    EXPECT_TRUE(env.prompt().messages().isEmpty()) << env.prompt().lastText().toStdString();

    // The data source now names the settings file beside the program.
    const DataSource::Entry entry = DataSource::lookup(settings.settingsDsn);
    EXPECT_EQ(entry.database, env.settingsFile());
    EXPECT_TRUE(entry.isSqlite());
}

// What a restore or new book killed in the middle leaves in data/ is cleaned
// at the next start, but only by the copy that holds the single-instance lock.
TEST(Startup, TheNextStartCleansWhatAKilledRestoreLeftBehind)
{
    TestEnv env;
    const QDir data(QFileInfo(env.recordsFile()).absolutePath());
    const auto make = [&](const QString &name) {
        QFile file(data.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
    };
    make(QStringLiteral(".Quillbook.qmbk.aB3xYz")); // the copy being put in place
    make(QStringLiteral(".Quillmarch.qmst.Qw12Er"));
    make(QStringLiteral(".Quillbook.qmbk.keep-it")); // not a name the program makes
    ASSERT_TRUE(data.mkpath(QStringLiteral(".replaced-Ab12Cd")));
    ASSERT_EQ(
        ::link(QFile::encodeName(env.recordsFile()).constData(),
               QFile::encodeName(data.filePath(QStringLiteral(".replaced-Ab12Cd/Quillbook.qmbk")))
                   .constData()),
        0);
    const QStringList left = data.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

    {
        SingleInstance running(lockIn(env));
        ASSERT_EQ(running.acquire(), SingleInstance::Result::Acquired);
        AppSettings settings = env.settings();
        Startup second = startupFor(env);
        EXPECT_FALSE(second.prepare(settings));
        EXPECT_EQ(data.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), left)
            << "another copy is running: nothing is touched";
    }
    AppSettings settings = env.settings();
    Startup startup = startupFor(env);
    ASSERT_TRUE(startup.prepare(settings));
    EXPECT_EQ(
        data.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        (QStringList{QStringLiteral(".Quillbook.qmbk.keep-it"), QStringLiteral("NewQuillbook.qmbk"),
                     QStringLiteral("Quillbook.qmbk"), QStringLiteral("Quillmarch.qmst")}));
    EXPECT_EQ(QFileInfo(env.recordsFile()).size() > 0, true) << "the live book stays";
}

TEST(Startup, LogoSizeComesFromTheBitmap)
{
    TestEnv env;
    const QString logo = QDir(env.workingDir()).filePath(QStringLiteral("logo.bmp"));
    AppSettings settings;

    Startup::readLogoSize(env.workingDir(), settings);
    EXPECT_EQ(QSize(settings.logoWidth, settings.logoHeight), QSize(300, 120));

    QImage image(400, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    ASSERT_TRUE(image.save(logo, "BMP"));
    Startup::readLogoSize(env.workingDir(), settings);
    EXPECT_EQ(QSize(settings.logoWidth, settings.logoHeight), QSize(400, 100));

    // A file that is not a bitmap leaves the default size.
    AppSettings fresh;
    QFile broken(logo);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("not a picture");
    broken.close();
    Startup::readLogoSize(env.workingDir(), fresh);
    EXPECT_EQ(QSize(fresh.logoWidth, fresh.logoHeight), QSize(300, 120));
}

TEST(DataSourceSetup, OdbcToolsSeeTheUserDataSource)
{
    TestEnv env;
    const QString name = env.settings().recordsDsn;
    QProcess query;
    query.start(QStringLiteral("odbcinst"), {QStringLiteral("-q"), QStringLiteral("-s")});
    ASSERT_TRUE(query.waitForFinished(10000));
    EXPECT_TRUE(QString::fromUtf8(query.readAllStandardOutput()).contains("[" + name + "]"));

    QProcess isql;
    isql.start(QStringLiteral("isql"), {QStringLiteral("-b"), name});
    ASSERT_TRUE(isql.waitForStarted(10000));
    isql.write("select count(*) from POS_RECORD\n");
    isql.closeWriteChannel();
    ASSERT_TRUE(isql.waitForFinished(10000));
    EXPECT_EQ(isql.exitCode(), 0) << isql.readAllStandardError().toStdString();
}

TEST(DataSourceSetup, EveryStartPointsTheSourceAtTheProgramsFileButKeepsAServer)
{
    TestEnv env;
    const QString name = env.settings().settingsDsn;
    // A SQLite3 source that names another file is set to the program's file again.
    TestEnv::registerDataSource(name, QStringLiteral("/elsewhere/Quillmarch.qmst"));
    ASSERT_TRUE(DataSource::setUp(name, env.settingsFile(), env.programDir()));
    EXPECT_EQ(DataSource::lookup(name).database, env.settingsFile());

    // A source the shop has pointed at a database server stays theirs.
    const QString server = name + QStringLiteral("Server");
    const QByteArray dsn = server.toUtf8();
    SQLSetConfigMode(ODBC_USER_DSN);
    ASSERT_TRUE(SQLWriteDSNToIni(dsn.constData(), "PostgreSQL Unicode"));
    ASSERT_TRUE(SQLWritePrivateProfileString(dsn.constData(), "Database", "shop", "odbc.ini"));
    SQLSetConfigMode(ODBC_BOTH_DSN);
    ASSERT_TRUE(DataSource::setUp(server, env.settingsFile(), env.programDir()));
    const DataSource::Entry kept = DataSource::lookup(server);
    EXPECT_EQ(kept.driver, QStringLiteral("PostgreSQL Unicode"));
    EXPECT_EQ(kept.database, QStringLiteral("shop"));
    EXPECT_FALSE(kept.isSqlite());
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// A shop with the catalogue on the till and the records on a server: its
// odbc.ini keeps its comments, its spacing and its other data sources through
// a start; only the program's own SQLite section is added, and later only its
// own line that changed is written.
TEST(DataSourceSetup, AStartEditsOnlyTheProgramsOwnSectionOfTheShopsOdbcIni)
{
    TestEnv env;
    AppSettings settings = env.settings();
    settings.settingsDsn = QStringLiteral("QmShopCatalogue%1").arg(getpid());
    settings.recordsDsn = QStringLiteral("QmShopBook%1").arg(getpid());
    const QString ini = DataSource::userIniFile();
    const QByteArray shop = "; written by hand, keep these notes\n"
                            "[" +
                            settings.recordsDsn.toUtf8() +
                            "]\n"
                            "# the shop's server, shared by the three tills\n"
                            "Driver      = PostgreSQL Unicode\n"
                            "Servername  = 192.0.2.10\n"
                            "Port = 5432\n"
                            "\n"
                            "Database = quillbook\n"
                            "Username\t= till1\n"
                            "\n"
                            "[ShopStock]\r\n"
                            "Driver = SQLite3\r\n"
                            "Database = /srv/stock.db";
    writeAll(ini, readAll(ini) + "\n" + shop);
    const QByteArray before = readAll(ini);

    Startup startup = startupFor(env);
    ASSERT_TRUE(startup.prepare(settings));
    ASSERT_TRUE(DataSource::setUp(settings.recordsDsn, env.recordsFile(), env.programDir()));
    const QByteArray own = "[" + settings.settingsDsn.toUtf8() +
                           "]\nDriver=SQLite3\nDatabase=" + env.settingsFile().toUtf8() +
                           "\nDefaultDir=" + env.programDir().toUtf8() + "\nBigInt=1\n";
    EXPECT_EQ(QString::fromUtf8(readAll(ini)), QString::fromUtf8(before + "\n\n" + own));
    // The driver manager reads both sections as they are written.
    const DataSource::Entry server = DataSource::lookup(settings.recordsDsn);
    EXPECT_TRUE(server.isPostgres());
    EXPECT_EQ(server.server, QStringLiteral("192.0.2.10"));
    EXPECT_EQ(server.user, QStringLiteral("till1"));
    EXPECT_EQ(DataSource::lookup(settings.settingsDsn).database, env.settingsFile());

    // The shop annotates the program's section and points it elsewhere: the
    // next start writes back its one line, in the shop's spacing.
    const QByteArray registered = readAll(ini);
    const QByteArray ownLine = "Database=" + env.settingsFile().toUtf8();
    const qsizetype at = registered.lastIndexOf(ownLine);
    const QByteArray annotated =
        registered.left(at) +
        "# the catalogue of this till\nDatabase  =  /elsewhere/Quillmarch.qmst" +
        registered.mid(at + ownLine.size());
    writeAll(ini, annotated);
    ASSERT_TRUE(DataSource::setUp(settings.settingsDsn, env.settingsFile(), env.programDir()));
    EXPECT_EQ(QString::fromUtf8(readAll(ini)),
              QString::fromUtf8(registered.left(at) +
                                "# the catalogue of this till\nDatabase  =  " +
                                env.settingsFile().toUtf8() + registered.mid(at + ownLine.size())));
    EXPECT_EQ(DataSource::lookup(settings.settingsDsn).database, env.settingsFile());
    EXPECT_TRUE(env.prompt().messages().isEmpty()) << qPrintable(env.prompt().lastText());
}

} // namespace
