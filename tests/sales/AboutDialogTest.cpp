// The About box driven as a person would: read it, press its buttons, close it.
#include "sales/AboutDialog.h"
#include "UpdateCheckServer.h"
#include "controls/HyperLink.h"
#include "support/Gui.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

static void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

const QString versionPath = QStringLiteral("/POS_update/version.txt");
const QString checking = QStringLiteral("正在连接网络，检测新版本 ");

// Receives what the desktop would open, so no browser starts during tests.
class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    explicit UrlRecorder(const QString &scheme) : m_scheme(scheme)
    {
        QDesktopServices::setUrlHandler(m_scheme, this, "open");
    }
    ~UrlRecorder() override { QDesktopServices::unsetUrlHandler(m_scheme); }

    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls << url; }

private:
    QString m_scheme;
};

class AboutDialogTest : public ::testing::Test
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

    std::unique_ptr<AboutDialog> openBox(const UpdateCheckConfig &config)
    {
        auto dialog = std::make_unique<AboutDialog>(config);
        dialog->setEndProgram([this] { ++programEnded; });
        dialog->open();
        return dialog;
    }
    std::unique_ptr<AboutDialog> openBox() { return openBox(config()); }

    TestEnv env;
    UpdateCheckServer server;
    int programEnded = 0;
};

TEST_F(AboutDialogTest, ShowsNameVersionAndContactsOnWhite)
{
    auto box = openBox();
    EXPECT_EQ(box->windowTitle(), "关于 Quillmarch");
    EXPECT_EQ(child<QLabel>(box.get(), "titleLabel")->text(), "Quillmarch 3.5.1 版");
    EXPECT_EQ(child<QLabel>(box.get(), "emailLabel")->text(), "E_Mail：");
    EXPECT_EQ(child<QLabel>(box.get(), "qqLabel")->text(), "QQ：");
    EXPECT_EQ(child<QLabel>(box.get(), "webLabel")->text(), "网址：");
    for (const char *name : {"emailEdit", "qqEdit"}) {
        auto *edit = child<QLineEdit>(box.get(), name);
        EXPECT_TRUE(edit->isReadOnly());
        EXPECT_FALSE(edit->text().isEmpty());
    }
    EXPECT_EQ(child<QPushButton>(box.get(), "helpButton")->text(), "帮助(&H)...");
    EXPECT_EQ(child<QPushButton>(box.get(), "updateButton")->text(), "在线升级(&U)");
    EXPECT_FALSE(child<QLabel>(box.get(), "progressLine")->isVisible());

    const QImage shot = box->grab().toImage();
    EXPECT_EQ(shot.pixelColor(2, shot.height() - 3), QColor(Qt::white));
    EXPECT_EQ(shot.pixelColor(shot.width() - 3, 2), QColor(Qt::white));
}

TEST_F(AboutDialogTest, ProgressLineCountsDotsEveryHalfSecondUntilTheResult)
{
    server.serve(versionPath, "351\n");
    server.hold();
    auto box = openBox();
    auto *line = child<QLabel>(box.get(), "progressLine");
    auto *update = child<QPushButton>(box.get(), "updateButton");

    QTest::mouseClick(update, Qt::LeftButton);
    EXPECT_TRUE(line->isVisible());
    EXPECT_EQ(line->text(), checking + "· · ·");
    EXPECT_FALSE(update->isEnabled()); // one check at a time

    EXPECT_TRUE(waitFor([&] { return line->text() == checking + "·"; }, 2000));
    EXPECT_TRUE(waitFor([&] { return line->text() == checking + "· ·"; }, 2000));
    EXPECT_TRUE(waitFor([&] { return line->text() == checking + "· · ·"; }, 2000));
    EXPECT_TRUE(waitFor([&] { return line->text() == checking + "·"; }, 2000));
    EXPECT_TRUE(env.prompt().messages().isEmpty());

    server.release();
    EXPECT_TRUE(
        waitFor([&] { return env.prompt().lastText() == QStringLiteral("此版本为最新版本"); }));
    EXPECT_TRUE(waitFor([&] { return !line->isVisible(); }, 2000));
    EXPECT_TRUE(update->isEnabled());
    EXPECT_EQ(programEnded, 0);
}

TEST_F(AboutDialogTest, UnreachableServerSaysSoAndTheCheckCanBeRepeated)
{
    UpdateCheckConfig unreachable = config();
    unreachable.address = UpdateCheckServer::closedAddress();
    auto box = openBox(unreachable);
    auto *line = child<QLabel>(box.get(), "progressLine");
    auto *update = child<QPushButton>(box.get(), "updateButton");

    for (int attempt = 1; attempt <= 2; ++attempt) {
        QTest::mouseClick(update, Qt::LeftButton);
        EXPECT_TRUE(waitFor([&] { return env.prompt().messages().size() == attempt; }));
        EXPECT_EQ(env.prompt().lastText(), "网络连接不通");
        EXPECT_TRUE(waitFor([&] { return !line->isVisible(); }, 2000));
        EXPECT_TRUE(waitFor([&] { return update->isEnabled(); }));
    }
}

TEST_F(AboutDialogTest, NewerVersionHandsOverToTheUpdaterAndEndsTheProgram)
{
    server.serve(versionPath, "400\n");
    const QString updater = QDir(env.programDir()).filePath("QuillUpdate");
    const QString marker = QDir(env.programDir()).filePath("updater-ran");
    QFile script(updater);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\ntouch '" + marker.toUtf8() + "'\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    auto box = openBox();
    QTest::mouseClick(child<QPushButton>(box.get(), "updateButton"), Qt::LeftButton);
    EXPECT_TRUE(waitFor([&] { return programEnded == 1; }));
    EXPECT_TRUE(waitFor([&] { return QFile::exists(marker); }, 10000));
    EXPECT_TRUE(env.prompt().messages().isEmpty());
}

TEST_F(AboutDialogTest, HelpButtonAndF1OpenTheHelpBesideTheProgram)
{
    ASSERT_TRUE(QFile::copy(QStringLiteral(QM_SOURCE_DIR "/res/ship/Quillmarch帮助.html"),
                            QDir(env.programDir()).filePath("Quillmarch帮助.html")));
    UrlRecorder desktop(QStringLiteral("file"));
    auto box = openBox();
    QTest::mouseClick(child<QPushButton>(box.get(), "helpButton"), Qt::LeftButton);
    QApplication::setActiveWindow(box.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(box.get()));
    QTest::keyClick(box.get(), Qt::Key_F1); // F1 here too, as in the sales window
    const QUrl help = QUrl::fromLocalFile(QDir(env.programDir()).filePath("Quillmarch帮助.html"));
    EXPECT_EQ(desktop.urls, QList<QUrl>({help, help}));
    EXPECT_TRUE(env.prompt().messages().isEmpty());
}

TEST_F(AboutDialogTest, WebAddressIsALinkThatOpensInTheBrowser)
{
    UrlRecorder browser(QStringLiteral("https"));
    auto box = openBox();
    auto *link = child<HyperLink>(box.get(), "webLink");
    EXPECT_EQ(link->text(), "https://www.quillmarch.com");
    EXPECT_EQ(link->textColour(), QColor(0, 0, 238));

    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_EQ(browser.urls, QList<QUrl>({QUrl("https://www.quillmarch.com")}));
    EXPECT_TRUE(link->isVisited());
    EXPECT_TRUE(env.prompt().messages().isEmpty());
}

TEST_F(AboutDialogTest, ClosingTheBoxDuringACheckStillShowsItsResult)
{
    server.serve(versionPath, "351");
    server.hold();
    auto box = openBox();
    QTest::mouseClick(child<QPushButton>(box.get(), "updateButton"), Qt::LeftButton);
    EXPECT_TRUE(waitFor([&] { return server.requests() == 1; }));

    QTest::keyClick(box.get(), Qt::Key_Escape);
    EXPECT_FALSE(box->isVisible());
    box.reset();

    server.release();
    EXPECT_TRUE(
        waitFor([&] { return env.prompt().lastText() == QStringLiteral("此版本为最新版本"); }));
}

} // namespace

#include "AboutDialogTest.moc"
