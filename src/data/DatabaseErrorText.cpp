#include "data/DatabaseErrorText.h"

#include "data/Database.h"

#include <QStringList>

namespace {

bool mentions(const QString &text, std::initializer_list<const char *> phrases)
{
    for (const char *phrase : phrases)
        if (text.contains(QLatin1String(phrase), Qt::CaseInsensitive))
            return true;
    return false;
}

} // namespace

QString DatabaseErrorText::describe(const QString &driverText, const QString &file)
{
    const QString where = file.isEmpty() ? QStringLiteral("数据库") : file;
    QString text = sentence(driverText, where);
    if (!driverText.isEmpty())
        text += QStringLiteral("\n\n") + driverText;
    return text;
}

QString DatabaseErrorText::sentence(const QString &driverText, const QString &where)
{
    if (mentions(driverText, {"readonly", "read-only", "read only"}))
        return QStringLiteral("数据库文件%1是只读的，刚才的更改没有保存。"
                              "请让管理员给该文件和它所在的文件夹写入权限。")
            .arg(where);
    if (mentions(driverText, {"not a database", "malformed", "disk image", "corrupt"}))
        return QStringLiteral("数据库文件%1已损坏或不是数据库，操作没有完成。"
                              "请退出程序，从备份恢复该文件。")
            .arg(where);
    if (mentions(driverText, {"database or disk is full", "disk full", "no space"}))
        return QStringLiteral("磁盘空间已满，数据库文件%1的操作没有完成，数据未被改动。"
                              "请腾出磁盘空间后再试一次。")
            .arg(where);
    if (mentions(driverText, {"locked", "busy"}))
        return QStringLiteral(
                   "数据库文件%1正被另一个程序使用，等候%2秒后仍未让出，本次操作没有完成，"
                   "数据未被改动。请关闭另一个程序后再试一次。")
            .arg(where)
            .arg(Database::busyTimeoutMs / 1000);
    if (mentions(driverText, {"disk i/o"}))
        return QStringLiteral("读写数据库文件%1时出错，本次操作没有完成。请检查磁盘后再试一次。")
            .arg(where);
    if (mentions(driverText,
                 {"no such table", "no such column", "has no column", "does not exist"}))
        return QStringLiteral("数据库文件%1缺少本程序需要的表或列（可能是其他程序或旧版本的文件），"
                              "操作没有完成。")
            .arg(where);
    if (mentions(driverText, {"unable to open", "cannot open", "permission"}))
        return QStringLiteral("不能读写数据库文件%1（文件或所在文件夹不能访问），操作没有完成。")
            .arg(where);
    return QStringLiteral("数据库%1的操作失败，操作没有完成。").arg(where);
}
