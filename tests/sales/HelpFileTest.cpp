// Opening the program's help from the sales window (F1) and the About box.
#include "sales/HelpFile.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

static void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

QString shippedHelp()
{
    return QStringLiteral(QM_SOURCE_DIR "/res/ship/") + HelpFile::fileName();
}

void shipHelpInto(const QString &programDir)
{
    ASSERT_TRUE(QFile::copy(shippedHelp(), QDir(programDir).filePath(HelpFile::fileName())));
}

TEST(HelpFile, OpensTheHelpBesideTheProgramWhateverTheCurrentFolder)
{
    TestEnv env;
    shipHelpInto(env.programDir());
    QList<QUrl> opened;
    const HelpFile help(env.programDir(), [&](const QUrl &url) {
        opened << url;
        return true;
    });

    const QString before = QDir::currentPath();
    QDir::setCurrent(env.workingDir());
    const bool ok = help.open(nullptr);
    QDir::setCurrent(before);

    EXPECT_TRUE(ok);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.first(),
              QUrl::fromLocalFile(QDir(env.programDir()).filePath("Quillmarch帮助.html")));
    EXPECT_TRUE(env.prompt().messages().isEmpty());
}

TEST(HelpFile, MissingFileOrNoBrowserIsReportedAndNothingElseHappens)
{
    TestEnv env;
    int attempts = 0;
    const HelpFile missing(env.programDir(), [&](const QUrl &) { return ++attempts, true; });
    EXPECT_FALSE(missing.open(nullptr));
    EXPECT_EQ(attempts, 0);
    EXPECT_EQ(env.prompt().lastText(), QStringLiteral("找不到帮助文件：\n%1").arg(missing.path()));
    EXPECT_EQ(env.prompt().messages().last().icon, Prompt::Icon::Warning);

    shipHelpInto(env.programDir());
    const HelpFile noBrowser(env.programDir(), [](const QUrl &) { return false; });
    EXPECT_FALSE(noBrowser.open(nullptr));
    EXPECT_EQ(env.prompt().lastText(),
              QStringLiteral("不能打开帮助文件：\n%1\n请确认系统中已安装网页浏览器。")
                  .arg(noBrowser.path()));
    EXPECT_EQ(env.prompt().messages().size(), 2);
}

TEST(HelpFile, ShippedHelpIsBuiltBesideTheProgramAndExplainsEveryShortcut)
{
    // The build copies res/ship/* beside the program (data/ sits next to it).
    const QString built = QStringLiteral(QM_TEST_DATA_DIR "/../") + HelpFile::fileName();
    QFile file(built);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << built.toStdString();
    const QString html = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
    for (const char *topic :
         {"<kbd>F5</kbd>", "<kbd>F1</kbd>", "<kbd>Enter</kbd>", "<kbd>Esc</kbd>",
          "小键盘 <kbd>+</kbd>", "小键盘 <kbd>*</kbd>", "登录", "打印小票", "查询统计", "设置",
          "导出备份数据库", "导入恢复数据库", "重新记账"})
        EXPECT_TRUE(html.contains(QString::fromUtf8(topic))) << topic;
}

} // namespace
