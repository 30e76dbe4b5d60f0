#include "app/SettingsLoader.h"

#include "app/AppSettings.h"
#include "app/NumberText.h"
#include "app/Prompt.h"
#include "data/Database.h"
#include "data/DatabaseError.h"

bool SettingsLoader::load(AppSettings &settings, const QDate &today, const QString &defaultPrinter)
{
    Database db;
    if (!db.openOrWarn(settings.settingsDsn, nullptr))
        return false;
    try {
        loadFrom(db, settings, today, defaultPrinter);
        return true;
    } catch (const DatabaseError &error) {
        Prompt::error(nullptr, failureText(error.driverText()));
        return false;
    }
}

QString SettingsLoader::failureText(const QString &driverText)
{
    return QStringLiteral("读取程序设置时出错，未读到的设置按默认值使用。\n\n") + driverText;
}

void SettingsLoader::loadFrom(Database &db, AppSettings &settings, const QDate &today,
                              const QString &defaultPrinter)
{
    loadLoginRow(db, settings, today);
    ensureOptionsRow(db);
    loadOptionsRow(db, settings, defaultPrinter);
}

QString SettingsLoader::dateText(const QDate &today)
{
    return QString::asprintf("%02d%02d%02d", today.year() % 100, today.month(), today.day());
}

QString SettingsLoader::receiptPrefix(const QString &useCustom, const QString &useDate,
                                      const QString &custom, const QDate &today)
{
    QString prefix;
    if (useCustom == QLatin1String("1"))
        prefix = custom;
    if (useDate == QLatin1String("1"))
        prefix += dateText(today);
    return prefix;
}

void SettingsLoader::loadLoginRow(Database &db, AppSettings &settings, const QDate &today)
{
    Database::Rows row = db.query(QStringLiteral("select * from \"USER_SET\" where \"id\"=1"));
    if (!row.next())
        return;
    settings.userName = row.text(1);
    settings.userPower = row.text(2);
    settings.directLogin = NumberText::toInt(row.text(3));
    settings.receiptPrefix = receiptPrefix(row.text(4), row.text(5), row.text(6), today);
    settings.paymentEnabled = row.text(7) == QLatin1String("1");
    settings.lastPayment = row.text(8);
    const auto takeText = [&row](int column, QString &field) {
        if (!row.text(column).isEmpty())
            field = row.text(column);
    };
    const auto takeInt = [&row](int column, int &field) {
        if (!row.text(column).isEmpty())
            field = NumberText::toInt(row.text(column));
    };
    takeText(9, settings.titleFontName);
    takeInt(10, settings.titleFontSize);
    takeText(11, settings.bodyFontName);
    takeInt(12, settings.bodyFontSize);
    takeInt(13, settings.lineSpacing);
}

void SettingsLoader::ensureOptionsRow(Database &db)
{
    const QString found =
        db.scalar(QStringLiteral("select \"id\" from \"USER_SET\" where \"directLogin\"=6"));
    if (!found.isEmpty())
        return;
    db.exec(QStringLiteral("insert into \"USER_SET\" (\"userName\",\"userPower\",\"directLogin\","
                           "\"set1\",\"set2\",\"set3\",\"set4\",\"set5\",\"set6\",\"set7\","
                           "\"set8\",\"set9\",\"set10\") "
                           "values (?,?,?,?,?,?,?,?,?,?,?,?,?)"),
            {QString(), QString(), 6, QString(), QString(), QString(), QString(), QString(),
             QString(), QString(), QString(), QString(), QString()});
}

void SettingsLoader::loadOptionsRow(Database &db, AppSettings &settings,
                                    const QString &defaultPrinter)
{
    Database::Rows row =
        db.query(QStringLiteral("select * from \"USER_SET\" where \"directLogin\"=6"));
    if (!row.next())
        return;
    settings.labelLanguage = NumberText::toInt(row.text(4));
    settings.phoneEnabled = row.text(5) == QLatin1String("1");
    settings.showProductCode = row.text(6) != QLatin1String("0");
    settings.templateIndex = row.text(7) == QLatin1String("1");
    settings.printer2Name = row.text(8).isEmpty() ? defaultPrinter : row.text(8);
    settings.usePrinter2 = row.text(9) == QLatin1String("1");
    settings.paperLengthAdjust = NumberText::toInt(row.text(10));
}
