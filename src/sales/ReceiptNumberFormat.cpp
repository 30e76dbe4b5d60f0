#include "sales/ReceiptNumberFormat.h"

#include "data/Database.h"
#include "sales/ReceiptNumber.h"

#include <algorithm>

namespace {

QString flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

bool allDigits(const QString &text)
{
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

} // namespace

ReceiptNumberFormat ReceiptNumberFormat::load(Database &settingsDb)
{
    ReceiptNumberFormat format;
    Database::Rows row =
        settingsDb.query(QStringLiteral("select * from \"USER_SET\" where \"id\"=1"));
    if (!row.next())
        return format;
    format.useCustom = row.text(4) == QLatin1String("1");
    format.useDate = row.text(5) == QLatin1String("1");
    format.custom = row.text(6);
    return format;
}

void ReceiptNumberFormat::store(Database &settingsDb) const
{
    settingsDb.exec(
        QStringLiteral("update \"USER_SET\" set \"set1\"=?,\"set2\"=?,\"set3\"=? where \"id\"=1"),
        {flag(useCustom), flag(useDate), custom});
}

QString ReceiptNumberFormat::prefix(const QDate &today) const
{
    return ReceiptNumber::computePrefix(useCustom, useDate, custom, today);
}

QString ReceiptNumberFormat::renumber(const QString &number, const QString &oldPrefix,
                                      const QString &newPrefix)
{
    if (number.startsWith(oldPrefix)) {
        const QString counter = number.mid(oldPrefix.size());
        if (counter.size() >= 7 && allDigits(counter))
            return newPrefix + counter;
    }
    return ReceiptNumber::withPrefix(number, newPrefix);
}
