#include "printing/ReceiptNumberFormat.h"

#include "data/Database.h"
#include "data/LoginRow.h"
#include "printing/ReceiptNumber.h"

#include <algorithm>

namespace {

bool allDigits(const QString &text)
{
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

} // namespace

ReceiptNumberFormat ReceiptNumberFormat::load(Database &settingsDb)
{
    ReceiptNumberFormat format;
    LoginRow row;
    if (!LoginRow::read(settingsDb, row))
        return format;
    format.useCustom = row.useCustomPrefix == QLatin1String("1");
    format.useDate = row.useDatePrefix == QLatin1String("1");
    format.custom = row.customPrefix;
    return format;
}

void ReceiptNumberFormat::store(Database &settingsDb) const
{
    LoginRow::storeReceiptFormat(settingsDb, useCustom, useDate, custom);
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
