#pragma once

// Shared pieces of the print-settings tests: settings loaded from a fresh
// settings database as start-up loads them, an administrator logged in, the
// values the sales window hands over, and a receipt drawn from memory or from
// what the database holds, the way the print flow draws it.
#include "app/FontAliases.h"
#include "app/SettingsLoader.h"
#include "core/AppSettings.h"
#include "data/Database.h"
#include "printing/PrepareReceiptData.h"
#include "printing/ReceiptRenderer.h"
#include "printing/ReceiptSample.h"
#include "printing/ReceiptStyle.h"
#include "data/ShopRow.h"
#include "sales/SalesWindows.h"
#include "support/Gui.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"

#include <QDir>

#include <gtest/gtest.h>

class PrintSettingsFixture : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { FontAliases::install(); }

    PrintSettingsFixture() : settings(env.settings())
    {
        Database db;
        EXPECT_TRUE(db.open(settings.settingsDsn));
        SettingsLoader::loadFrom(db, settings, QDate(2024, 3, 7), QString());
        settings.userName = QStringLiteral("admin");
        settings.userPower = AppSettings::administratorPower();
    }

    // One value of the settings database.
    QString stored(const QString &sql)
    {
        Database db;
        EXPECT_TRUE(db.open(settings.settingsDsn));
        return db.scalar(sql);
    }
    QString info(const char *column)
    {
        return stored(QStringLiteral("select \"%1\" from \"INFO\" where \"id\"='1'")
                          .arg(QLatin1String(column)));
    }
    QString loginRow(const char *column)
    {
        return stored(QStringLiteral("select \"%1\" from \"USER_SET\" where \"id\"=1")
                          .arg(QLatin1String(column)));
    }
    QString optionsRow(const char *column)
    {
        return stored(QStringLiteral("select \"%1\" from \"USER_SET\" where \"directLogin\"=6")
                          .arg(QLatin1String(column)));
    }

    // The shop's print settings as the database holds them now.
    ShopRow storedShop()
    {
        Database db;
        EXPECT_TRUE(db.open(settings.settingsDsn));
        return ShopRow::read(db);
    }
    // The program's settings as a new start would load them.
    AppSettings storedSettings()
    {
        AppSettings fresh = settings;
        AppSettings defaults;
        fresh.titleFontName = defaults.titleFontName;
        fresh.titleFontSize = defaults.titleFontSize;
        fresh.bodyFontName = defaults.bodyFontName;
        fresh.bodyFontSize = defaults.bodyFontSize;
        fresh.lineSpacing = defaults.lineSpacing;
        fresh.labelLanguage = defaults.labelLanguage;
        fresh.templateIndex = defaults.templateIndex;
        fresh.paperLengthAdjust = defaults.paperLengthAdjust;
        fresh.receiptPrefix.clear();
        Database db;
        EXPECT_TRUE(db.open(settings.settingsDsn));
        SettingsLoader::loadFrom(db, fresh, QDate(2024, 3, 7), QString());
        return fresh;
    }

    // The sample sale printed with SETTINGS and SHOP, on an 80 mm roll at 203 dpi.
    ReceiptDrawing receipt(const AppSettings &with, const ShopRow &shop)
    {
        SaleSnapshot sale = ReceiptSample::sale();
        sale.switches.shopName = handover.shopName;
        sale.receiptNumber = handover.receiptNumber;
        sale.remark = handover.remark;
        m_data = prepareReceiptData(sale, with.labelLanguage, shop.showPrice);
        const ReceiptStyle style = ReceiptStyle::from(with, shop, sale.switches);
        return ReceiptRenderer::layout(m_data, style, 72 / 25.4);
    }
    // The receipt printed after the program starts anew on the stored settings.
    ReceiptDrawing storedReceipt() { return receipt(storedSettings(), storedShop()); }

    // Pictures of the windows and receipts, kept when QM_PICTURES_DIR is set.
    static void shoot(const QImage &image, const QString &name) { keepPicture(image, name); }
    static void shoot(QWidget *widget, const QString &name)
    {
        shoot(widget->grab().toImage(), name);
    }
    static void shoot(const ReceiptDrawing &drawing, const QString &name)
    {
        shoot(ReceiptRenderer::toImage(drawing), name);
    }

    TestEnv env;
    AppSettings &settings;
    SettingsHandover handover{QStringLiteral("我的小店"),
                              QStringLiteral("谢谢惠顾，欢迎再次光临！"),
                              QStringLiteral("0000012")};

private:
    ReceiptData m_data;
};
