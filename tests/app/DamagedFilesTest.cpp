// Start-up on damaged, foreign or locked data files: the person is told which
// file and what is wrong, the program ends, and the file is left as it was.
// Each start runs in a child process, so that the permission cases can run as
// the unprivileged user "nobody" when the tests run as root.
#include "app/Startup.h"
#include "core/AppSettings.h"
#include "data/DataSource.h"
#include "data/Database.h"
#include "support/RealService.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <gtest/gtest.h>

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

enum class Damage
{
    None,
    Missing,
    TextFile,
    HalfFile,
    ZeroBytes,
    ForeignDatabase,
    ReadOnlyFile,
    ReadOnlyFolder,
    OtherUsersFile
};

struct Outcome
{
    bool prepared = false;
    QStringList messages;
    QString failure; // the child could not run the start at all
};

const passwd *nobody()
{
    return geteuid() == 0 ? getpwnam("nobody") : nullptr;
}

void chownTo(const QString &path, const passwd *user)
{
    if (user)
        ASSERT_EQ(::chown(QFile::encodeName(path).constData(), user->pw_uid, user->pw_gid), 0);
}

QByteArray contentOf(const QString &file)
{
    QFile in(file);
    return in.open(QIODevice::ReadOnly)
               ? QCryptographicHash::hash(in.readAll(), QCryptographicHash::Sha256)
               : QByteArray("unreadable");
}

void writeFile(const QString &file, const QByteArray &bytes)
{
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(bytes);
}

void makeForeignDatabase(const QString &file)
{
    QFile::remove(file);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "foreign");
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec("create table \"notes\" (\"id\" integer, \"text\" varchar(40))"));
        ASSERT_TRUE(query.exec("insert into \"notes\" values (1, 'shopping list')"));
        db.close();
    }
    QSqlDatabase::removeDatabase("foreign");
}

void damage(Damage kind, const QString &file, const passwd *user)
{
    const QString folder = QFileInfo(file).absolutePath();
    switch (kind) {
    case Damage::None:
        break;
    case Damage::Missing:
        QFile::remove(file);
        break;
    case Damage::TextFile:
        writeFile(file, "Einkaufsliste: Milch, Brot\n买菜：牛奶、面包\n");
        break;
    case Damage::HalfFile: {
        QFile f(file);
        ASSERT_TRUE(f.resize(f.size() / 2));
        break;
    }
    case Damage::ZeroBytes:
        writeFile(file, {});
        break;
    case Damage::ForeignDatabase:
        makeForeignDatabase(file);
        chownTo(file, user);
        break;
    case Damage::ReadOnlyFile:
        QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        break;
    case Damage::ReadOnlyFolder:
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                          QFile::ExeOther);
        break;
    case Damage::OtherUsersFile:
        // Owned by root and private to it; the start runs as nobody.
        ASSERT_EQ(::chown(QFile::encodeName(file).constData(), 0, 0), 0);
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        break;
    }
}

// Runs Startup::prepare in a child, as USER when given, and returns what it said.
Outcome prepareInChild(TestEnv &env, const passwd *user, const QString &ownDir)
{
    int fds[2];
    if (pipe(fds) != 0)
        return {false, {}, QStringLiteral("pipe")};
    const QByteArray odbcIni = QDir(ownDir).filePath(QStringLiteral("odbc.ini")).toUtf8();
    const pid_t pid = fork();
    if (pid == 0) {
        ::close(fds[0]);
        setenv("ODBCINI", odbcIni.constData(), 1);
        // The user's own data folder, where a read-only program folder sends the databases.
        setenv("XDG_DATA_HOME", QDir(ownDir).filePath(QStringLiteral("xdg")).toUtf8().constData(),
               1);
        if (user &&
            (setgroups(0, nullptr) != 0 || setgid(user->pw_gid) != 0 || setuid(user->pw_uid) != 0))
            _exit(3);
        AppSettings settings = env.settings();
        Startup startup({env.programDir(), env.workingDir(),
                         QDir(ownDir).filePath(QStringLiteral("instance.lock"))});
        const bool prepared = startup.prepare(settings);
        auto &prompt = static_cast<ScriptedPrompt &>(Prompt::instance());
        const QByteArray out =
            QByteArray(prepared ? "1" : "0") + prompt.texts().join(QChar(0x1e)).toUtf8();
        [[maybe_unused]] const ssize_t written = ::write(fds[1], out.constData(), out.size());
        _exit(0);
    }
    ::close(fds[1]);
    QByteArray out;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        out.append(buffer, n);
    ::close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || out.isEmpty())
        return {false, {}, QStringLiteral("child ended with status %1").arg(status)};
    Outcome outcome;
    outcome.prepared = out.startsWith('1');
    const QString texts = QString::fromUtf8(out.mid(1));
    if (!texts.isEmpty())
        outcome.messages = texts.split(QChar(0x1e));
    return outcome;
}

// A folder of the child's own for its lock and its odbc.ini.
QString ownFolder(const TestEnv &env, const passwd *user)
{
    const QString dir = QDir(env.programDir()).filePath(QStringLiteral("own"));
    QDir().mkpath(dir);
    QFile::copy(QString::fromLocal8Bit(qgetenv("ODBCINI")), QDir(dir).filePath("odbc.ini"));
    chownTo(dir, user);
    chownTo(QDir(dir).filePath("odbc.ini"), user);
    return dir;
}

TEST(DamagedFiles, StartUpNamesTheFileAndWhatIsWrongAndLeavesItAlone)
{
    struct Case
    {
        Damage damage;
        const char *expected;
    };
    const Case cases[] = {
        {Damage::None, nullptr},
        {Damage::Missing, "丢失"},
        {Damage::TextFile, "不是数据库文件"},
        {Damage::HalfFile, "不完整"},
        {Damage::ZeroBytes, "是空文件"},
        {Damage::ForeignDatabase, "是其他程序的数据库"},
        {Damage::ReadOnlyFile, "是只读的"},
        // The program works on a copy in the user's own data folder and
        // leaves the read-only one as it is.
        {Damage::ReadOnlyFolder, nullptr},
        {Damage::OtherUsersFile, "没有读取数据库文件"},
    };
    const passwd *user = nobody();
    if (geteuid() == 0 && !user)
        QM_SKIP_WITHOUT_SERVICE("running as root without a user \"nobody\" to drop to");
    for (const bool records : {false, true}) {
        for (const Case &c : cases) {
            const bool permission = c.damage == Damage::ReadOnlyFile ||
                                    c.damage == Damage::ReadOnlyFolder ||
                                    c.damage == Damage::OtherUsersFile;
            if (c.damage == Damage::OtherUsersFile && !user) {
                std::cout << "skipped: a file of another user needs root to set up\n";
                continue;
            }
            TestEnv env;
            const QString file = records ? env.recordsFile() : env.settingsFile();
            const QString dataDir = QFileInfo(file).absolutePath();
            SCOPED_TRACE(QStringLiteral("%1, case %2").arg(file).arg(int(c.damage)).toStdString());
            QFile::setPermissions(env.programDir(), QFileDevice::Permissions(0x7755));
            for (const QString &name : QDir(dataDir).entryList(QDir::Files))
                chownTo(QDir(dataDir).filePath(name), user);
            chownTo(dataDir, user);
            chownTo(env.workingDir(), user);
            const QString own = ownFolder(env, user);
            damage(c.damage, file, user);
            const QByteArray before = contentOf(file);
            const QFileInfo infoBefore(file);
            const QStringList filesBefore = QDir(dataDir).entryList(QDir::Files);

            const Outcome outcome =
                prepareInChild(env, permission || c.damage == Damage::None ? user : nullptr, own);
            QFile::setPermissions(dataDir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            ASSERT_TRUE(outcome.failure.isEmpty()) << outcome.failure.toStdString();

            if (!c.expected) {
                EXPECT_TRUE(outcome.prepared);
                EXPECT_TRUE(outcome.messages.isEmpty()) << outcome.messages.join('|').toStdString();
                if (c.damage == Damage::ReadOnlyFolder) {
                    EXPECT_EQ(contentOf(file), before);
                    EXPECT_TRUE(QFile::exists(QDir(own).filePath(
                        QStringLiteral("xdg/%1/data/%2")
                            .arg(QCoreApplication::applicationName(), QFileInfo(file).fileName()))))
                        << "no copy in the user's own folder";
                }
                continue;
            }
            EXPECT_FALSE(outcome.prepared);
            ASSERT_EQ(outcome.messages.size(), 1) << outcome.messages.join('|').toStdString();
            const QString text = outcome.messages.first();
            EXPECT_TRUE(text.contains(file)) << text.toStdString();
            EXPECT_TRUE(text.contains(QString::fromUtf8(c.expected))) << text.toStdString();
            // Never written over, repaired or given a journal beside it.
            EXPECT_EQ(contentOf(file), before);
            EXPECT_EQ(QFileInfo(file).lastModified(), infoBefore.lastModified());
            EXPECT_EQ(QFileInfo(file).permissions(), infoBefore.permissions());
            EXPECT_EQ(QDir(dataDir).entryList(QDir::Files), filesBefore);
        }
    }
}

TEST(DamagedFiles, UnusableOdbcIniIsSaidOnceAndTheProgramsOwnFilesStillOpen)
{
    TestEnv env;
    // A folder where odbc.ini should be: nothing can be read from or written to it.
    const QString own = QDir(env.programDir()).filePath(QStringLiteral("own"));
    QDir().mkpath(QDir(own).filePath(QStringLiteral("odbc.ini")));
    AppSettings settings = env.settings();
    settings.settingsDsn = QStringLiteral("QmUnregisteredSettings");
    settings.recordsDsn = QStringLiteral("QmUnregisteredRecords");
    TestEnv::registerDataSource(settings.recordsDsn, env.recordsFile());
    QFile::setPermissions(env.settingsFile(), QFile::ReadOwner | QFile::WriteOwner);

    const QByteArray saved = qgetenv("ODBCINI");
    qputenv("ODBCINI", QDir(own).filePath(QStringLiteral("odbc.ini")).toUtf8());
    Startup startup(
        {env.programDir(), env.workingDir(), QDir(own).filePath(QStringLiteral("instance.lock"))});
    const bool prepared = startup.prepare(settings);
    Database db;
    const bool opened = db.open(settings.settingsDsn);
    const QString expected = DataSource::registerFailedMessage();
    qputenv("ODBCINI", saved);

    EXPECT_TRUE(prepared);
    EXPECT_EQ(settings.userName, QStringLiteral("admin"));
    ASSERT_EQ(env.prompt().messages().size(), 1) << env.prompt().texts().join('|').toStdString();
    EXPECT_EQ(env.prompt().lastText(), expected);
    EXPECT_TRUE(env.prompt().lastText().contains(QDir(own).filePath("odbc.ini")));
    ASSERT_TRUE(opened) << db.lastOpenError().toStdString();
    EXPECT_EQ(db.scalar(QStringLiteral("select \"name\" from \"USER\"")), QStringLiteral("admin"));
}

} // namespace
