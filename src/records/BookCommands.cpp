#include "records/BookCommands.h"

#include "controls/ExportFileDialog.h"
#include "controls/Prompt.h"
#include "core/AppSettings.h"
#include "core/Clock.h"
#include "data/DataSource.h"
#include "records/BookSteps.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString attention = QStringLiteral("注意");

} // namespace

BookCommands::BookCommands(const AppSettings &settings, QWidget *parent,
                           std::function<void()> closeRecords, std::function<void()> reopenRecords)
    : m_settings(settings), m_parent(parent), m_closeRecords(std::move(closeRecords)),
      m_reopenRecords(std::move(reopenRecords))
{
}

QString BookCommands::bookPath() const
{
    const BookSteps::Place place = BookSteps::locate(m_settings.recordsDsn);
    if (place.onServer)
        Prompt::warn(m_parent, place.problem, attention);
    else if (!place.found())
        Prompt::error(m_parent, place.problem);
    return place.book;
}

void BookCommands::backUp()
{
    const QString book = bookPath();
    if (book.isEmpty())
        return;
    ExportFileDialog dialog(QStringLiteral("导出"), QStringLiteral("数据库文件(*.qmbk)"),
                            BookSteps::proposedBackupName(Clock::now().date()), m_parent);
    dialog.setTitle(QStringLiteral("导出备份数据库"));
    dialog.setFileTypes({{QStringLiteral("数据库文件(*.qmbk)"), QStringLiteral("*.qmbk"),
                          QStringLiteral(".qmbk")}});
    const bool chosen = dialog.exec();
    QDir::setCurrent(m_settings.workingDir);
    if (!chosen)
        return;
    if (BookSteps::isOwnDataFile(dialog.path(), book, m_settings.settingsDsn,
                                 m_settings.programDir)) {
        Prompt::warn(m_parent, BookSteps::ownDataFileMessage(dialog.path()), attention);
        return;
    }
    BookSteps::Outcome outcome;
    {
        const WorkProgress progress =
            Prompt::instance().progress(m_parent, QStringLiteral("正在导出备份数据库…"));
        outcome = BookSteps::backUp(book, dialog.path(), progress);
    }
    if (outcome.done)
        Prompt::info(m_parent, outcome.message);
    else if (!outcome.message.isEmpty())
        Prompt::warn(m_parent, outcome.message);
}

bool BookCommands::refuseRestoreFrom(const QString &chosen, const QString &book) const
{
    const QString reason = BookSteps::restoreRefusal(chosen, book);
    if (reason.isEmpty())
        return false;
    Prompt::warn(m_parent, reason, attention);
    return true;
}

BookCommands::Outcome BookCommands::restore()
{
    const QString book = bookPath();
    if (book.isEmpty())
        return Outcome::Kept;
    Prompt::FileRequest request;
    request.caption = QStringLiteral("导入恢复数据库");
    request.filters = QStringList{QStringLiteral("数据库文件(*.qmbk)")};
    const QString chosen = Prompt::instance().openFile(m_parent, request);
    if (chosen.isEmpty() || refuseRestoreFrom(chosen, book))
        return Outcome::Kept;
    if (Prompt::instance().ask(m_parent,
                               QStringLiteral("进行数据恢复操作后，现有数据将会被全部覆盖，"
                                              "是否继续数据恢复操作？"),
                               attention, Prompt::Icon::Warning,
                               Prompt::Buttons::YesNo) != Prompt::Answer::Yes)
        return Outcome::Kept;
    return putInPlace(book, chosen, QStringLiteral("数据库恢复失败!"),
                      QStringLiteral("数据库恢复成功!\n请重新运行程序!"));
}

BookCommands::Outcome BookCommands::startNewBook()
{
    const QString book = bookPath();
    if (book.isEmpty())
        return Outcome::Kept;
    const QString blank =
        QFileInfo(DataSource::newBookTemplate(m_settings.programDir)).absoluteFilePath();
    const QString problem = BookSteps::newBookProblem(blank);
    if (!problem.isEmpty()) {
        Prompt::error(m_parent, problem);
        return Outcome::Kept;
    }
    if (Prompt::instance().ask(m_parent,
                               QStringLiteral("重新记账会清空帐本中所有记录，强烈建议先进行导出备份"
                                              "数据库！\n\n请慎重选择是否重新记账？"),
                               QStringLiteral("重新记账"), Prompt::Icon::Warning,
                               Prompt::Buttons::YesNo) != Prompt::Answer::Yes)
        return Outcome::Kept;
    return putInPlace(book, blank, QStringLiteral("重新记账失败!"),
                      QStringLiteral("开始新的记账，请重启软件！"));
}

BookCommands::Outcome BookCommands::putInPlace(const QString &book, const QString &source,
                                               const QString &failure, const QString &success)
{
    m_closeRecords();
    const BookSteps::Outcome outcome = BookSteps::replace(book, source, failure, success);
    if (!outcome.done) {
        m_reopenRecords();
        Prompt::warn(m_parent, outcome.message);
        return Outcome::Kept;
    }
    QDir::setCurrent(m_settings.workingDir);
    Prompt::info(m_parent, outcome.message);
    return Outcome::Replaced;
}
