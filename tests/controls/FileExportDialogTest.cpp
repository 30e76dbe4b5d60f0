// The export save dialog: splitting the type list, the first name and type,
// the extension following the type the user picks, and the real Qt dialog
// driven from a timer the way a person would use it.
#include "app/DialogPrompt.h"
#include "controls/ExportFileDialog.h"
#include "controls/FileTypeList.h"
#include "support/Gui.h"
#include "support/ScriptedPrompt.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

TEST(FileTypeList, SplitsNamesPatternsAndExtensions)
{
    const auto types = FileTypeList::split(u"表格文件(*.xls)|数据库文件(*.qmbk)"_qs);
    ASSERT_EQ(types.size(), 2);
    EXPECT_EQ(types[0].name, u"表格文件(*.xls)"_qs);
    EXPECT_EQ(types[0].pattern, u"*.xls"_qs);
    EXPECT_EQ(types[0].extension, u".xls"_qs);
    EXPECT_EQ(types[1].extension, u".qmbk"_qs);

    // Leading and doubled separators are skipped; a quoted name may hold "|".
    const auto quoted = FileTypeList::split(u"||\"文本|表格(*.txt)\"|'旧(*.bak)'||无括号"_qs);
    ASSERT_EQ(quoted.size(), 3);
    EXPECT_EQ(quoted[0].name, u"文本|表格(*.txt)"_qs);
    EXPECT_EQ(quoted[0].extension, u".txt"_qs);
    EXPECT_EQ(quoted[1].pattern, u"*.bak"_qs);
    EXPECT_EQ(quoted[2].pattern, QString());

    QStringList many;
    for (int i = 0; i < 25; ++i)
        many << QStringLiteral("类型%1(*.t%1)").arg(i);
    EXPECT_EQ(FileTypeList::split(many.join(u'|')).size(), 20);
    EXPECT_TRUE(FileTypeList::split(QString()).isEmpty());

    // The replaced filter of the backup export: name "(.xls)", pattern "*.xls".
    EXPECT_EQ(FileTypeList::filterText(FileTypeList::type(u"表格文件(.xls)"_qs, u"*.xls"_qs)),
              u"表格文件(*.xls)"_qs);
}

TEST(FileTypeList, FirstNameAndTypeFollowTheProposedName)
{
    const auto types = FileTypeList::split(u"表格文件(*.xls)|数据库文件(*.qmbk)"_qs);
    EXPECT_EQ(FileTypeList::initialName(QString(), types), u"*.xls"_qs);
    EXPECT_EQ(FileTypeList::initialName(u"2024-3-7记录表导出备份.xls"_qs, types),
              u"2024-3-7记录表导出备份.xls"_qs);
    EXPECT_EQ(FileTypeList::initialIndex(u"2024-3-7记录表导出备份.xls"_qs, types), 1);
    EXPECT_EQ(FileTypeList::initialIndex(u"备份.qmbk"_qs, types), 2);
    EXPECT_EQ(FileTypeList::initialIndex(u"备份.zip"_qs, types), 1);
    EXPECT_EQ(FileTypeList::initialIndex(u"备份"_qs, types), 1);
    // The extension is the file name's last one, not the first dot anywhere.
    EXPECT_EQ(FileTypeList::initialIndex(u"v1.2 备份.qmbk"_qs, types), 2);
}

TEST(FileTypeList, PickingAnotherTypeRewritesTheExtension)
{
    const QString qmbk = FileTypeList::extensionOfFilter(u"数据库文件(*.qmbk)"_qs);
    EXPECT_EQ(qmbk, u".qmbk"_qs);
    EXPECT_EQ(FileTypeList::rewriteExtension(u"report"_qs, qmbk), u"report.qmbk"_qs);
    EXPECT_EQ(FileTypeList::rewriteExtension(u"report.xls"_qs, qmbk), u"report.qmbk"_qs);
    EXPECT_EQ(FileTypeList::rewriteExtension(QString(), qmbk), u"*.qmbk"_qs);
    EXPECT_EQ(FileTypeList::rewriteExtension(u"*.xls"_qs, qmbk), u"*.qmbk"_qs);
    // Dots in a folder or earlier in the name survive.
    EXPECT_EQ(FileTypeList::rewriteExtension(u"/home/店.2024/report"_qs, qmbk),
              u"/home/店.2024/report.qmbk"_qs);
    EXPECT_EQ(FileTypeList::rewriteExtension(u"v1.2 销售.xls"_qs, qmbk), u"v1.2 销售.qmbk"_qs);

    EXPECT_EQ(FileTypeList::withExtension(u"/tmp/report"_qs, u".xls"_qs), u"/tmp/report.xls"_qs);
    EXPECT_EQ(FileTypeList::withExtension(u"/tmp/report.txt"_qs, u".xls"_qs),
              u"/tmp/report.txt"_qs);
    EXPECT_EQ(FileTypeList::withExtension(u"/tmp/report"_qs, u".*"_qs), u"/tmp/report"_qs);
}

TEST(ExportFileDialog, AsksThroughThePromptService)
{
    ScriptedPrompt &prompt = ScriptedPrompt::install();
    QTemporaryDir dir;
    ExportFileDialog dialog(u"导出"_qs, u"表格文件(*.xls)"_qs, u"2024-3-7记录表导出备份.xls"_qs);
    dialog.setTitle(u"导出备份表格"_qs);
    dialog.setFileTypes({FileTypeList::type(u"表格文件(.xls)"_qs, u"*.xls"_qs)});
    dialog.setDirectory(dir.path());
    EXPECT_EQ(dialog.fileName(), u"2024-3-7记录表导出备份.xls"_qs);
    EXPECT_EQ(dialog.filterIndex(), 1);

    prompt.fileNext(dir.filePath(u"导出"_qs), u"表格文件(*.xls)"_qs);
    ASSERT_TRUE(dialog.exec());
    EXPECT_EQ(dialog.path(), dir.filePath(u"导出.xls"_qs)); // the type's extension added

    ASSERT_EQ(prompt.fileRequests().size(), 1);
    const Prompt::FileRequest request = prompt.fileRequests().first();
    EXPECT_EQ(request.caption, u"导出备份表格"_qs);
    EXPECT_EQ(request.proposedPath, dir.filePath(u"2024-3-7记录表导出备份.xls"_qs));
    EXPECT_EQ(request.filters, QStringList{u"表格文件(*.xls)"_qs});
    EXPECT_EQ(request.selectedFilter, u"表格文件(*.xls)"_qs);
    ASSERT_TRUE(request.onTypeChanged);
    EXPECT_EQ(request.onTypeChanged(u"report"_qs, u"数据库文件(*.qmbk)"_qs), u"report.qmbk"_qs);

    // Cancelled: no path.
    prompt.fileNext(QString());
    EXPECT_FALSE(dialog.exec());
    EXPECT_TRUE(dialog.path().isEmpty());
    Prompt::install(nullptr);
}

TEST(ExportFileDialog, EmptyProposedNameShowsTheFirstPattern)
{
    ExportFileDialog dialog(u"导出"_qs, u"表格文件(*.xls)|数据库文件(*.qmbk)"_qs, QString());
    EXPECT_EQ(dialog.fileName(), u"*.xls"_qs);
    ExportFileDialog backup(u"导出"_qs, u"表格文件(*.xls)|数据库文件(*.qmbk)"_qs, u"b.qmbk"_qs);
    EXPECT_EQ(backup.filterIndex(), 2);
}

namespace {

QFileDialog *shownFileDialog()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *found = qobject_cast<QFileDialog *>(widget); found && found->isVisible())
            return found;
    }
    return nullptr;
}

QStringList listedNames(QFileDialog *files)
{
    auto *view = files->findChild<QListView *>(u"listView"_qs);
    QStringList names;
    if (!view)
        return names;
    for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
        names << view->model()->index(row, 0, view->rootIndex()).data().toString();
    names.sort();
    return names;
}

} // namespace

TEST(ExportFileDialog, SavingThePatternNarrowsTheListInsteadOfWritingAStarFile)
{
    Prompt::install(new DialogPrompt);
    QTemporaryDir dir;
    for (const char *name : {"旧账.xls", "说明.txt"}) {
        QFile file(dir.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ExportFileDialog dialog(u"导出"_qs, u"表格文件(*.xls)|所有文件(*.*)"_qs, QString());
    dialog.setDirectory(dir.path());

    bool stayedOpen = false;
    QStringList listed;
    QTimer driver;
    driver.setInterval(20);
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QFileDialog *files = shownFileDialog();
        if (!files)
            return;
        driver.stop();
        auto *name = files->findChild<QLineEdit *>(u"fileNameEdit"_qs);
        auto *types = files->findChild<QComboBox *>(u"fileTypeCombo"_qs);
        if (!name || !types) {
            files->close();
            return;
        }
        QTest::keyClick(types, Qt::Key_Down); // 所有文件: both files listed
        name->setText(u"*.xls"_qs);
        QTest::keyClick(name, Qt::Key_Return); // saves nothing: lists the spreadsheets
        stayedOpen = files->isVisible();
        waitFor([&] { return listedNames(files) == QStringList{u"旧账.xls"_qs}; }, 2000);
        listed = listedNames(files);
        name->setText(u"新账.xls"_qs);
        QTest::keyClick(name, Qt::Key_Return);
    });
    driver.start();
    ASSERT_TRUE(dialog.exec());
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(listed, QStringList{u"旧账.xls"_qs});
    EXPECT_EQ(dialog.path(), dir.filePath(u"新账.xls"_qs));
    EXPECT_FALSE(QFile::exists(dir.filePath(u"*.xls"_qs)));
    Prompt::install(nullptr);
}

TEST(ExportFileDialog, TheRealDialogFollowsTheTypeThePersonPicks)
{
    Prompt::install(new DialogPrompt);
    QTemporaryDir dir;
    ExportFileDialog dialog(u"导出"_qs, u"表格文件(*.xls)|数据库文件(*.qmbk)"_qs,
                            u"2024-3-7记录表导出备份.xls"_qs);
    dialog.setDirectory(dir.path());

    QStringList seen;
    bool driven = false;
    QTimer driver;
    driver.setInterval(20);
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QFileDialog *files = nullptr;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *found = qobject_cast<QFileDialog *>(widget); found && found->isVisible())
                files = found;
        }
        if (!files)
            return;
        driver.stop();
        auto *name = files->findChild<QLineEdit *>(u"fileNameEdit"_qs);
        auto *types = files->findChild<QComboBox *>(u"fileTypeCombo"_qs);
        if (!name || !types) {
            files->close();
            return;
        }
        seen << name->text() << types->currentText();

        name->setText(u"report"_qs);
        QTest::keyClick(types, Qt::Key_Down); // 数据库文件
        seen << name->text();
        QTest::keyClick(types, Qt::Key_Up); // back to 表格文件
        seen << name->text();
        name->setText(QString());
        QTest::keyClick(types, Qt::Key_Down);
        seen << name->text();

        keepPicture(files->grab().toImage(), u"export-dialog"_qs); // also lays the dialog out
        name->setText(u"report"_qs);
        driven = true;
        // The Save button waits until the dialog has read its folder, which
        // a fresh process may not have done yet; accepting does not. Once the
        // folder is read, a row of its list may be selected, and a selected
        // row counts before the typed name: selectFile() names the file and
        // clears that selection, as typing does. Accept until it closes.
        auto *closer = new QTimer(files);
        QObject::connect(closer, &QTimer::timeout, files, [files] {
            if (!files->isVisible())
                return;
            files->selectFile(u"report"_qs); // the name typed, nothing picked in the list
            static_cast<QDialog *>(files)->accept();
        });
        static_cast<QDialog *>(files)->accept();
        closer->start(50);
    });
    driver.start();
    // A dialog that never takes the name is closed after a while, so that the
    // case fails instead of waiting forever.
    bool givenUp = false;
    QTimer::singleShot(10000, [&] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *files = qobject_cast<QFileDialog *>(widget); files && files->isVisible()) {
                givenUp = true;
                files->reject();
            }
        }
    });
    const bool chosen = dialog.exec();
    ASSERT_FALSE(givenUp) << "the file dialog did not take the typed name within 10 s";
    ASSERT_TRUE(chosen);
    ASSERT_TRUE(driven);
    EXPECT_EQ(seen, (QStringList{u"2024-3-7记录表导出备份.xls"_qs, u"表格文件(*.xls)"_qs,
                                 u"report.qmbk"_qs, u"report.xls"_qs, u"*.qmbk"_qs}));
    EXPECT_EQ(dialog.path(), dir.filePath(u"report.qmbk"_qs));
    EXPECT_EQ(dialog.filterIndex(), 2);
    Prompt::install(nullptr);
}
