#include "data/ColumnWidths.h"

#include "data/Database.h"
#include "data/Transaction.h"

#include <QSqlDatabase>

const QString ColumnWidths::table = QStringLiteral("LIST_COLUMN");

QMap<int, int> ColumnWidths::load(Database &settingsDb, const QString &list)
{
    QMap<int, int> widths;
    if (!settingsDb.handle().tables().contains(table))
        return widths;
    auto rows = settingsDb.query(
        QStringLiteral("select \"col\", \"width\" from \"LIST_COLUMN\" where \"list\"=?"), {list});
    while (rows.next()) {
        const int width = rows.value(1).toInt();
        if (width > 0)
            widths.insert(rows.value(0).toInt(), width);
    }
    return widths;
}

void ColumnWidths::store(Database &settingsDb, const QString &list, const QMap<int, int> &widths)
{
    if (widths.isEmpty())
        return;
    // Asked first: the server would note "already exists" at every save.
    if (!settingsDb.handle().tables().contains(table))
        settingsDb.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS \"LIST_COLUMN\" ("
                                       "\"list\" TEXT NOT NULL, \"col\" INTEGER NOT NULL, "
                                       "\"width\" INTEGER, PRIMARY KEY (\"list\", \"col\"))"));
    Transaction transaction(settingsDb);
    for (auto it = widths.cbegin(); it != widths.cend(); ++it) {
        settingsDb.exec(
            QStringLiteral("delete from \"LIST_COLUMN\" where \"list\"=? and \"col\"=?"),
            {list, it.key()});
        settingsDb.exec(QStringLiteral("insert into \"LIST_COLUMN\" (\"list\", \"col\", "
                                       "\"width\") values (?, ?, ?)"),
                        {list, it.key(), it.value()});
    }
    transaction.commit();
}
