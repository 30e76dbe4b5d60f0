#include "records/BookSteps.h"

#include "core/WriteFailure.h"
#include "data/DataSource.h"

#include <QDir>
#include <QFileInfo>

BookSteps::Place BookSteps::locate(const QString &recordsDsn)
{
    const DataSource::Entry entry = DataSource::lookup(recordsDsn);
    if (entry.exists() && !entry.isSqlite())
        return {{}, true, serverMessage()};
    if (entry.database.isEmpty())
        return {{}, false, cannotOpenMessage()};
    return {QFileInfo(entry.database).absoluteFilePath(), false, {}};
}

bool BookSteps::isOwnDataFile(const QString &path, const QString &book, const QString &settingsDsn,
                              const QString &programDir)
{
    if (BookFile::sameFile(path, book))
        return true;
    const DataSource::Entry settings = DataSource::lookup(settingsDsn);
    if (!settings.database.isEmpty() && BookFile::sameFile(path, settings.database))
        return true;
    return BookFile::sameFile(path, DataSource::newBookTemplate(programDir));
}

QString BookSteps::ownDataFileMessage(const QString &path)
{
    return QStringLiteral("“%1”是本程序正在使用的数据库文件，不能用备份覆盖它！\n"
                          "请另选一个文件名。")
        .arg(QDir::toNativeSeparators(path));
}

BookSteps::Outcome BookSteps::backUp(const QString &book, const QString &target,
                                     const WorkProgress &progress)
{
    QString error;
    QString kept;
    if (BookFile::snapshot(book, target, &error, &kept, progress)) {
        QString text = QStringLiteral("数据库备份成功!");
        if (!kept.isEmpty())
            text += QStringLiteral("\n\n被替换的备份文件未能放入回收站，保存在：\n%1").arg(kept);
        return {true, text};
    }
    if (error.isEmpty()) // stopped by the person: the old file is still there
        return {false, {}};
    return {false, QStringLiteral("数据库备份失败!\n%1")
                       .arg(WriteFailure::reason(target, error, QFileInfo(book).size()))};
}

QString BookSteps::verdictText(BookFile::Verdict verdict)
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

QString BookSteps::restoreRefusal(const QString &chosen, const QString &book)
{
    if (BookFile::sameFile(chosen, book))
        return QStringLiteral("试图用原数据库进行恢复,操作失败!");
    return verdictText(BookFile::examine(chosen));
}

QString BookSteps::newBookProblem(const QString &blank)
{
    if (BookFile::isEmptyBook(blank))
        return {};
    return QStringLiteral("新账本文件%1丢失或已损坏，不能重新记账！\n原有数据没有改动。")
        .arg(QDir::toNativeSeparators(blank));
}

BookSteps::Outcome BookSteps::replace(const QString &book, const QString &source,
                                      const QString &failure, const QString &success)
{
    QString error;
    QString kept;
    if (!BookFile::replace(book, source, &error, &kept))
        return {false,
                QStringLiteral("%1\n%2\n原有数据没有改动。")
                    .arg(failure, WriteFailure::reason(book, error, QFileInfo(source).size()))};
    QString text = success;
    if (!kept.isEmpty())
        text += QStringLiteral("\n\n原来的数据库未能放入回收站，保存在：\n%1").arg(kept);
    return {true, text};
}

QString BookSteps::serverMessage()
{
    return QStringLiteral(
        "销售记录保存在数据库服务器上，没有可以在这里备份、恢复或清空的数据库文件。\n"
        "请使用数据库服务器的备份工具进行备份和恢复！");
}

QString BookSteps::cannotOpenMessage()
{
    return QStringLiteral("不能打开数据库");
}

QString BookSteps::proposedBackupName(const QDate &date)
{
    return QStringLiteral("%1-%2-%3销售小票数据库备份.qmbk")
        .arg(date.year())
        .arg(date.month())
        .arg(date.day());
}
