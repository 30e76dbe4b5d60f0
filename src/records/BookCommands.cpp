#include "records/BookCommands.h"

#include "controls/ExportFileDialog.h"
#include "core/AppSettings.h"
#include "core/Clock.h"
#include "core/Prompt.h"
#include "core/WriteFailure.h"
#include "data/DataSource.h"
#include "records/BookFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString attention = QStringLiteral("注意");

QString refusal(BookFile::Verdict verdict)
{
    switch (verdict) {
    case BookFile::Verdict::Missing:
        return QStringLiteral("所选文件不存在！");
    case BookFile::Verdict::NotDatabase:
        return QStringLiteral("所选文件不是销售小票数据库，不能用来恢复！");
    case BookFile::Verdict::Damaged:
        return QStringLiteral("所选数据库文件已损坏或不完整，不能用来恢复！");
    case BookFile::Verdict::WrongTables:
        return QStringLiteral(
            "所选数据库文件不是本软件的销售记录数据库（或版本不同），不能用来恢复！");
    case BookFile::Verdict::Book:
        break;
    }
    return {};
}

} // namespace

BookCommands::BookCommands(const AppSettings &settings, QWidget *parent,
                           std::function<void()> closeRecords, std::function<void()> reopenRecords)
    : m_settings(settings), m_parent(parent), m_closeRecords(std::move(closeRecords)),
      m_reopenRecords(std::move(reopenRecords))
{
}

QString BookCommands::proposedBackupName(const QDate &date)
{
    return QStringLiteral("%1-%2-%3销售小票数据库备份.qmbk")
        .arg(date.year())
        .arg(date.month())
        .arg(date.day());
}

QString BookCommands::serverMessage()
{
    return QStringLiteral(
        "销售记录保存在数据库服务器上，没有可以在这里备份、恢复或清空的数据库文件。\n"
        "请使用数据库服务器的备份工具进行备份和恢复！");
}

QString BookCommands::bookPath() const
{
    const DataSource::Entry entry = DataSource::lookup(m_settings.recordsDsn);
    if (entry.exists() && !entry.isSqlite()) {
        Prompt::warn(m_parent, serverMessage(), attention);
        return {};
    }
    if (entry.database.isEmpty()) {
        Prompt::error(m_parent, QStringLiteral("不能打开数据库"));
        return {};
    }
    return QFileInfo(entry.database).absoluteFilePath();
}

void BookCommands::backUp()
{
    const QString book = bookPath();
    if (book.isEmpty())
        return;
    ExportFileDialog dialog(QStringLiteral("导出"), QStringLiteral("数据库文件(*.qmbk)"),
                            proposedBackupName(Clock::now().date()), m_parent);
    dialog.setTitle(QStringLiteral("导出备份数据库"));
    dialog.setFileTypes({{QStringLiteral("数据库文件(*.qmbk)"), QStringLiteral("*.qmbk"),
                          QStringLiteral(".qmbk")}});
    const bool chosen = dialog.exec();
    QDir::setCurrent(m_settings.workingDir);
    if (!chosen)
        return;
    if (isOwnDataFile(dialog.path(), book)) {
        Prompt::warn(m_parent,
                     QStringLiteral("“%1”是本程序正在使用的数据库文件，不能用备份覆盖它！\n"
                                    "请另选一个文件名。")
                         .arg(QDir::toNativeSeparators(dialog.path())),
                     attention);
        return;
    }
    QString error;
    QString kept;
    bool done = false;
    {
        const WorkProgress progress =
            Prompt::instance().progress(m_parent, QStringLiteral("正在导出备份数据库…"));
        done = BookFile::snapshot(book, dialog.path(), &error, &kept, progress);
    }
    if (done) {
        QString text = QStringLiteral("数据库备份成功!");
        if (!kept.isEmpty())
            text += QStringLiteral("\n\n被替换的备份文件未能放入回收站，保存在：\n%1").arg(kept);
        Prompt::info(m_parent, text);
        return;
    }
    if (error.isEmpty()) // stopped by the person: the old file is still there
        return;
    Prompt::warn(m_parent,
                 QStringLiteral("数据库备份失败!\n%1")
                     .arg(WriteFailure::reason(dialog.path(), error, QFileInfo(book).size())));
}

bool BookCommands::isOwnDataFile(const QString &path, const QString &book) const
{
    if (BookFile::sameFile(path, book))
        return true;
    const DataSource::Entry settings = DataSource::lookup(m_settings.settingsDsn);
    if (!settings.database.isEmpty() && BookFile::sameFile(path, settings.database))
        return true;
    return BookFile::sameFile(path, DataSource::newBookTemplate(m_settings.programDir));
}

bool BookCommands::refuseRestoreFrom(const QString &chosen, const QString &book) const
{
    if (BookFile::sameFile(chosen, book)) {
        Prompt::warn(m_parent, QStringLiteral("试图用原数据库进行恢复,操作失败!"), attention);
        return true;
    }
    const QString reason = refusal(BookFile::examine(chosen));
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
    if (!BookFile::isEmptyBook(blank)) {
        Prompt::error(m_parent,
                      QStringLiteral("新账本文件%1丢失或已损坏，不能重新记账！\n原有数据没有改动。")
                          .arg(QDir::toNativeSeparators(blank)));
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
    QString error;
    QString kept;
    if (!BookFile::replace(book, source, &error, &kept)) {
        m_reopenRecords();
        Prompt::warn(m_parent, QStringLiteral("%1\n%2\n原有数据没有改动。")
                                   .arg(failure, WriteFailure::reason(book, error,
                                                                      QFileInfo(source).size())));
        return Outcome::Kept;
    }
    QDir::setCurrent(m_settings.workingDir);
    QString text = success;
    if (!kept.isEmpty())
        text += QStringLiteral("\n\n原来的数据库未能放入回收站，保存在：\n%1").arg(kept);
    Prompt::info(m_parent, text);
    return Outcome::Replaced;
}
