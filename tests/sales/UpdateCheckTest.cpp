// The online update check against a version file served from 127.0.0.1.
#include "sales/UpdateCheck.h"
#include "UpdateCheckServer.h"
#include "sales/UpdateCheckWorker.h"
#include "support/Gui.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

static void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

using Outcome = UpdateCheckWorker::Outcome;

const QString versionPath = QStringLiteral("/POS_update/version.txt");

void writeFile(const QString &path, const QByteArray &content,
               QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    file.setPermissions(permissions);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A stand-in updater that notes the directory it was started in.
void installUpdater(const QString &dir, const QString &marker)
{
    writeFile(QDir(dir).filePath(UpdateCheckConfig::updaterName()),
              "#!/bin/sh\npwd > '" + marker.toUtf8() + "'\n",
              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

class UpdateCheckTest : public ::testing::Test
{
protected:
    UpdateCheckConfig config() const
    {
        UpdateCheckConfig config;
        config.address = server.url(versionPath);
        config.workingDir = env.workingDir();
        config.programDir = env.programDir();
        config.timeoutMs = 5000;
        return config;
    }

    QString localCopy() const { return QDir(env.workingDir()).filePath("version.txt"); }

    // Runs one check to its end on its worker thread; returns its outcome.
    std::optional<Outcome> runCheck(const UpdateCheckConfig &config)
    {
        UpdateCheck check(config);
        check.setEndProgram([this] { ++programEnded; });
        std::optional<Outcome> outcome;
        QObject::connect(&check, &UpdateCheck::finished,
                         [&outcome](Outcome result) { outcome = result; });
        check.start();
        EXPECT_TRUE(check.isRunning());
        EXPECT_TRUE(QTest::qWaitFor([&] { return outcome.has_value(); }, 15000));
        EXPECT_TRUE(check.isDone());
        EXPECT_FALSE(check.isRunning());
        return outcome;
    }
    std::optional<Outcome> runCheck() { return runCheck(config()); }

    TestEnv env;
    UpdateCheckServer server;
    int programEnded = 0;
};

TEST(UpdateCheckVersionFile, FirstLineIsReadLikeAtoi)
{
    using W = UpdateCheckWorker;
    EXPECT_EQ(W::readVersion("352"), 352);
    EXPECT_EQ(W::readVersion("351\r\n999\r\n"), 351); // only the first line counts
    EXPECT_EQ(W::readVersion("  352 新版本说明"), 352);
    EXPECT_EQ(W::readVersion("352abc"), 352);
    EXPECT_EQ(W::readVersion("\xEF\xBB\xBF"
                             "352\n"),
              352); // saved by an editor that writes a byte-order mark
    EXPECT_EQ(W::readVersion("-5"), -5);
    EXPECT_EQ(W::readVersion("2147483647"), INT_MAX);
    EXPECT_EQ(W::readVersion("2147483648"), std::nullopt); // no version, never "newest"
    EXPECT_EQ(W::readVersion("99999999999999"), std::nullopt);
    EXPECT_EQ(W::readVersion("00000000000000352"), 352);
    EXPECT_EQ(W::readVersion(""), std::nullopt);
    EXPECT_EQ(W::readVersion("\n352"), std::nullopt);
    EXPECT_EQ(W::readVersion("<html><body>Welcome</body></html>"), std::nullopt);
    EXPECT_EQ(W::readVersion("v352"), std::nullopt);

    EXPECT_EQ(UpdateCheckConfig::versionNumber("3.5.1"), 351);
    EXPECT_EQ(UpdateCheckConfig().currentVersion, 351);
}

TEST(UpdateCheckAddress, VendorAddressUnlessTheShopConfiguresAnother)
{
    TestEnv env;
    const UpdateCheckConfig vendor = UpdateCheckConfig::fromSettings(env.settings());
    EXPECT_EQ(vendor.address.toString(), "https://www.quillmarch.com/POS_update/version.txt");
    EXPECT_EQ(vendor.programDir, env.programDir());
    EXPECT_EQ(vendor.workingDir, env.workingDir());

    qputenv("QUILLMARCH_UPDATE_URL", "http://mirror.example.lan/qm/version.txt");
    EXPECT_EQ(UpdateCheckConfig::defaultAddress().toString(),
              "http://mirror.example.lan/qm/version.txt");
    qunsetenv("QUILLMARCH_UPDATE_URL");
}

TEST_F(UpdateCheckTest, NewerVersionStartsTheUpdaterFromTheProgramFolderAndEndsTheProgram)
{
    server.serve(versionPath, "352\r\n");
    const QString marker = QDir(env.programDir()).filePath("updater-ran");
    const QString decoyMarker = QDir(env.programDir()).filePath("decoy-ran");
    installUpdater(env.programDir(), marker);
    // One of the same name in the working folder must never be the one run.
    installUpdater(env.workingDir(), decoyMarker);

    EXPECT_EQ(runCheck(), Outcome::Newer);

    EXPECT_EQ(programEnded, 1);
    EXPECT_TRUE(env.prompt().messages().isEmpty());
    EXPECT_TRUE(waitFor([&] { return QFileInfo(marker).size() > 0; }, 10000));
    EXPECT_EQ(readFile(marker).trimmed(), QDir(env.workingDir()).canonicalPath().toUtf8());
    EXPECT_FALSE(QFileInfo::exists(decoyMarker));
    // The version file stays beside the working files for the updater, never executable.
    EXPECT_EQ(readFile(localCopy()), "352\r\n");
    EXPECT_FALSE(QFileInfo(localCopy()).isExecutable());
}

TEST_F(UpdateCheckTest, SameOrOlderVersionIsCurrentAndTheLocalCopyGoes)
{
    for (const QByteArray &body : {QByteArray("351\r\n"), QByteArray("350\n999\n")}) {
        env.prompt().clear();
        writeFile(localCopy(), "999\n"); // left by an earlier check
        server.serve(versionPath, body);
        installUpdater(env.programDir(), QDir(env.programDir()).filePath("updater-ran"));

        EXPECT_EQ(runCheck(), Outcome::Current) << body.constData();

        ASSERT_EQ(env.prompt().messages().size(), 1);
        EXPECT_EQ(env.prompt().lastText(), "此版本为最新版本");
        EXPECT_EQ(env.prompt().messages().first().icon, Prompt::Icon::Information);
        EXPECT_FALSE(QFileInfo::exists(localCopy()));
    }
    EXPECT_EQ(programEnded, 0);
}

TEST_F(UpdateCheckTest, UnreachableServerMissingFileOrSilenceIsNoConnection)
{
    UpdateCheckConfig closed = config();
    closed.address = UpdateCheckServer::closedAddress();
    EXPECT_EQ(runCheck(closed), Outcome::Unreachable);

    UpdateCheckConfig missing = config(); // the server answers 404
    missing.address = server.url(QStringLiteral("/POS_update/none.txt"));
    EXPECT_EQ(runCheck(missing), Outcome::Unreachable);

    UpdateCheckConfig silent = config(); // connects, never answers
    silent.timeoutMs = 300;
    server.hold();
    EXPECT_EQ(runCheck(silent), Outcome::Unreachable);

    EXPECT_EQ(env.prompt().texts(), QStringList(3, QStringLiteral("网络连接不通")));
    EXPECT_EQ(env.prompt().messages().first().icon, Prompt::Icon::Warning);
    EXPECT_FALSE(QFileInfo::exists(localCopy()));
    EXPECT_EQ(programEnded, 0);
}

TEST_F(UpdateCheckTest, MalformedFileIsReportedAsUnreadableNotAsCurrent)
{
    installUpdater(env.programDir(), QDir(env.programDir()).filePath("updater-ran"));
    const QByteArray bodies[] = {
        "<html><body>请先登录网络</body></html>", // a login page in front of the network
        "", QByteArray(200 * 1024, '9'),          // far too large for a version file
    };
    for (const QByteArray &body : bodies) {
        env.prompt().clear();
        server.serve(versionPath, body);
        EXPECT_EQ(runCheck(), Outcome::Unreadable) << body.left(40).constData();
        EXPECT_EQ(env.prompt().lastText(), "检测新版本失败：版本信息无法识别，请稍后再试");
        EXPECT_FALSE(QFileInfo::exists(localCopy()));
    }
    EXPECT_EQ(programEnded, 0);
}

TEST_F(UpdateCheckTest, NewerVersionWithoutUsableUpdaterIsReportedAndTheProgramGoesOn)
{
    server.serve(versionPath, "360");
    const QString updater = QDir(env.programDir()).filePath("QuillUpdate");

    EXPECT_EQ(runCheck(), Outcome::Newer);
    EXPECT_EQ(
        env.prompt().lastText(),
        QStringLiteral("发现新版本，但没有找到升级程序：\n%1\n请到网站下载新版本。").arg(updater));

    writeFile(updater, "#!/bin/sh\n"); // present but not executable
    EXPECT_EQ(runCheck(), Outcome::Newer);
    EXPECT_EQ(env.prompt().lastText(),
              QStringLiteral("发现新版本，但不能启动升级程序：\n%1").arg(updater));
    EXPECT_EQ(programEnded, 0);
}

TEST_F(UpdateCheckTest, EndingACheckThatWaitsStopsTheWorkerQuietly)
{
    server.serve(versionPath, "351");
    server.hold();
    auto check = std::make_unique<UpdateCheck>(config());
    check->start();
    EXPECT_TRUE(waitFor([&] { return server.requests() == 1; }));
    check.reset(); // waits for the worker, which gives up its download
    server.release();
    QTest::qWait(50);
    EXPECT_TRUE(env.prompt().messages().isEmpty());
}

TEST_F(UpdateCheckTest, ReleasedCheckStillReportsThenGoesAway)
{
    server.serve(versionPath, "351");
    server.hold();
    QPointer<UpdateCheck> check = new UpdateCheck(config());
    check->start();
    EXPECT_TRUE(waitFor([&] { return server.requests() == 1; }));
    check->release();
    server.release();
    EXPECT_TRUE(
        waitFor([&] { return env.prompt().lastText() == QStringLiteral("此版本为最新版本"); }));
    EXPECT_TRUE(waitFor([&] { return check.isNull(); }));
}

} // namespace
