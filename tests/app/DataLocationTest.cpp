// Where the databases live: beside a program run from its own folder, in the
// user's data folder for an installed program, copied once from the
// installation's templates and never replaced.
#include "core/DataLocation.h"
#include "app/Startup.h"
#include "core/AppSettings.h"
#include "data/DataSource.h"
#include "data/Database.h"
#include "sales/SalesSession.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// An installation as cmake/Package.cmake lays it out, under a temporary
// prefix: lib/quillmarch/data links to the read-only templates in
// share/quillmarch/data.
class Installed
{
public:
    Installed()
    {
        QDir root(m_root.path());
        root.mkpath(QStringLiteral("usr/lib/quillmarch"));
        root.mkpath(QStringLiteral("usr/share/quillmarch/data"));
        root.mkpath(QStringLiteral("home/.local/share/Quillmarch"));
        root.mkpath(QStringLiteral("cwd"));
        for (const char *name : {"Quillmarch.qmst", "Quillbook.qmbk", "NewQuillbook.qmbk"}) {
            const QString target = QDir(templateDir()).filePath(QString::fromLatin1(name));
            QFile::copy(QStringLiteral(QM_TEST_DATA_DIR "/") + QString::fromLatin1(name), target);
            QFile::setPermissions(target, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        }
        QFile::link(QStringLiteral("../../share/quillmarch/data"),
                    QDir(programDir()).filePath(QStringLiteral("data")));
    }

    QString programDir() const { return m_root.filePath(QStringLiteral("usr/lib/quillmarch")); }
    QString templateDir() const
    {
        return m_root.filePath(QStringLiteral("usr/share/quillmarch/data"));
    }
    QString userDataDir() const
    {
        return m_root.filePath(QStringLiteral("home/.local/share/Quillmarch"));
    }
    QString currentDir() const { return m_root.filePath(QStringLiteral("cwd")); }
    QString userFile(const QString &name) const
    {
        return QDir(userDataDir()).filePath(QStringLiteral("data/") + name);
    }

    DataLocation location() const
    {
        return DataLocation({programDir(),
                             DataLocation::standardPlaces(programDir(), currentDir()).templateDir,
                             userDataDir(), currentDir()});
    }

private:
    QTemporaryDir m_root;
};

QByteArray contents(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(DataLocation, AWritableProgramFolderKeepsItsOwnData)
{
    TestEnv env;
    QTemporaryDir user;
    const DataLocation location({env.programDir(), QString(), user.path(), env.workingDir()});
    EXPECT_TRUE(location.besideProgram());
    EXPECT_EQ(location.dataHome(), env.programDir());
    EXPECT_EQ(location.workingDir(), env.workingDir());
    EXPECT_EQ(location.prepare(), QString());
    EXPECT_TRUE(QDir(user.path()).isEmpty());
}

TEST(DataLocation, InstalledProgramCopiesTheTemplatesOnceAndNeverReplacesThem)
{
    Installed installed;
    const DataLocation location = installed.location();
    // Also for root, who could write the templates: they belong to the package.
    EXPECT_FALSE(location.besideProgram());
    EXPECT_EQ(location.dataHome(), installed.userDataDir());
    EXPECT_EQ(location.workingDir(), installed.userDataDir());

    ASSERT_EQ(location.prepare(), QString());
    const QString records = installed.userFile(QStringLiteral("Quillbook.qmbk"));
    const QString templateRecords =
        QDir(installed.templateDir()).filePath(QStringLiteral("Quillbook.qmbk"));
    EXPECT_EQ(contents(records), contents(templateRecords));
    EXPECT_TRUE(QFileInfo(installed.userFile(QStringLiteral("Quillmarch.qmst"))).isWritable());
    // The new-book template stays with the installation.
    EXPECT_FALSE(QFileInfo::exists(installed.userFile(QStringLiteral("NewQuillbook.qmbk"))));

    // The user's sales survive the next start, and a reinstalled template.
    {
        QFile file(records);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("the shop's sales");
    }
    const QByteArray sales = contents(records);
    ASSERT_EQ(location.prepare(), QString());
    EXPECT_EQ(contents(records), sales);
    EXPECT_NE(contents(templateRecords), sales);
}

TEST(DataLocation, AMissingTemplateIsNamedAndNothingHalfMadeIsLeft)
{
    Installed installed;
    const QString missing =
        QDir(installed.templateDir()).filePath(QStringLiteral("Quillbook.qmbk"));
    QFile::setPermissions(missing, QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_TRUE(QFile::remove(missing));

    const QString text = installed.location().prepare();
    EXPECT_TRUE(text.startsWith(QStringLiteral("数据库模板文件"))) << text.toStdString();
    EXPECT_TRUE(text.endsWith(QStringLiteral("Quillbook.qmbk丢失，请重新安装本程序!")))
        << text.toStdString();
    const QStringList left =
        QDir(QDir(installed.userDataDir()).filePath(QStringLiteral("data"))).entryList(QDir::Files);
    EXPECT_EQ(left, QStringList{QStringLiteral("Quillmarch.qmst")});
}

TEST(DataLocation, AProgramFolderThatCannotBeWrittenUsesTheUsersFolder)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "file permissions do not bind root";
    TestEnv env;
    QTemporaryDir user;
    const QString data = QDir(env.programDir()).filePath(QStringLiteral("data"));
    QFile::setPermissions(data, QFile::ReadOwner | QFile::ExeOwner);
    const DataLocation location({env.programDir(), QString(), user.path(), env.workingDir()});
    const QString problem = location.prepare();
    QFile::setPermissions(data, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(location.besideProgram());
    EXPECT_EQ(problem, QString());
    EXPECT_TRUE(
        QFileInfo::exists(QDir(user.path()).filePath(QStringLiteral("data/Quillbook.qmbk"))));
}

// The whole start of an installed program: the data sources name the user's
// copies, the settings come from there, and the sales window's records source
// too; nothing is written under the installation.
TEST(DataLocation, InstalledStartPointsBothDataSourcesAtTheUsersFolder)
{
    TestEnv env;
    Installed installed;
    AppSettings settings = env.settings();
    Startup startup({installed.programDir(), installed.currentDir(),
                     QDir(installed.currentDir()).filePath(QStringLiteral("lock")),
                     installed.userDataDir()});
    ASSERT_TRUE(startup.prepare(settings));
    EXPECT_TRUE(env.prompt().messages().isEmpty()) << env.prompt().lastText().toStdString();
    EXPECT_EQ(settings.programDir, installed.programDir());
    EXPECT_EQ(settings.workingDir, installed.userDataDir());
    EXPECT_EQ(settings.userName, QStringLiteral("admin"));
    EXPECT_EQ(DataSource::lookup(settings.settingsDsn).database,
              installed.userFile(QStringLiteral("Quillmarch.qmst")));

    SalesSession session(settings);
    ASSERT_TRUE(session.setUpRecordsSource());
    EXPECT_EQ(DataSource::lookup(settings.recordsDsn).database,
              installed.userFile(QStringLiteral("Quillbook.qmbk")));
    ASSERT_TRUE(session.open());
    EXPECT_TRUE(env.prompt().messages().isEmpty()) << env.prompt().lastText().toStdString();

    // Start-up wrote the options row into the user's copy, not into the template.
    for (const char *name : {"Quillmarch.qmst", "Quillbook.qmbk"}) {
        const QString file = QString::fromLatin1(name);
        EXPECT_EQ(contents(QDir(installed.templateDir()).filePath(file)),
                  contents(QStringLiteral(QM_TEST_DATA_DIR "/") + file))
            << name;
    }
    EXPECT_NE(contents(installed.userFile(QStringLiteral("Quillmarch.qmst"))),
              contents(QStringLiteral(QM_TEST_DATA_DIR "/Quillmarch.qmst")));
}

} // namespace
