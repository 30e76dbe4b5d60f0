#include "app/SettingsLoader.h"

#include "controls/Prompt.h"
#include "core/AppSettings.h"
#include "core/NumberText.h"
#include "data/Database.h"
#include "data/DatabaseError.h"
#include "data/LoginRow.h"
#include "data/OptionsRow.h"
#include "printing/ReceiptNumber.h"

bool SettingsLoader::load(AppSettings &settings, const QDate &today, const QString &defaultPrinter,
                          Unreachable unreachable)
{
    Database db;
    if (!db.open(settings.settingsDsn)) {
        if (unreachable == Unreachable::Say)
            Prompt::info(nullptr, db.openFailureMessage());
        return false;
    }
    try {
        loadFrom(db, settings, today, defaultPrinter);
        return true;
    } catch (const DatabaseError &error) {
        Prompt::error(nullptr, failureText(error.personText()));
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
    loadOptionsRow(db, settings, defaultPrinter);
}

void SettingsLoader::loadLoginRow(Database &db, AppSettings &settings, const QDate &today)
{
    LoginRow row;
    if (!LoginRow::read(db, row))
        return;
    const QString on = QStringLiteral("1");
    settings.userName = row.userName;
    settings.userPower = row.userPower;
    settings.directLogin = NumberText::toInt(row.directLogin);
    settings.receiptPrefix = ReceiptNumber::computePrefix(
        row.useCustomPrefix == on, row.useDatePrefix == on, row.customPrefix, today);
    settings.paymentEnabled = row.paymentEnabled == on;
    settings.lastPayment = row.lastPayment;
    const auto takeText = [](const QString &stored, QString &field) {
        if (!stored.isEmpty())
            field = stored;
    };
    const auto takeInt = [](const QString &stored, int &field) {
        if (!stored.isEmpty())
            field = NumberText::toInt(stored);
    };
    takeText(row.titleFont, settings.titleFontName);
    takeInt(row.titleSize, settings.titleFontSize);
    takeText(row.bodyFont, settings.bodyFontName);
    takeInt(row.bodySize, settings.bodyFontSize);
    takeInt(row.lineSpacing, settings.lineSpacing);
}

void SettingsLoader::loadOptionsRow(Database &db, AppSettings &settings,
                                    const QString &defaultPrinter)
{
    OptionsRow::ensure(db);
    OptionsRow row;
    if (!OptionsRow::read(db, row))
        return;
    settings.labelLanguage = NumberText::toInt(row.labelLanguage);
    settings.phoneEnabled = row.phoneEnabled == QLatin1String("1");
    settings.showProductCode = row.showProductCode != QLatin1String("0");
    settings.templateIndex = row.template02 == QLatin1String("1");
    settings.printer2Name = row.printer2.isEmpty() ? defaultPrinter : row.printer2;
    settings.usePrinter2 = row.usePrinter2 == QLatin1String("1");
    settings.paperLengthAdjust = NumberText::toInt(row.paperLengthAdjust);
}
