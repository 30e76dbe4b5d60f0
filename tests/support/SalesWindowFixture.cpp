#include "support/SalesWindowFixture.h"

#include "app/SettingsLoader.h"
#include "core/AppSettings.h"
#include "data/Database.h"

#include <QApplication>
#include <QTest>

void SalesWindowFixture::SetUp()
{
    Database db;
    ASSERT_TRUE(db.open(m_env.settings().settingsDsn));
    SettingsLoader::loadFrom(db, m_env.settings(), QDate(2024, 3, 7), QString());
    login(QStringLiteral("admin"), AppSettings::administratorPower());
}

void SalesWindowFixture::login(const QString &user, const QString &power)
{
    m_env.settings().userName = user;
    m_env.settings().userPower = power;
}

SalesDialog &SalesWindowFixture::open(std::optional<SalesWindows> windows)
{
    m_dialog = std::make_unique<SalesDialog>(m_env.settings());
    if (windows)
        m_dialog->setWindows(*windows);
    m_dialog->show();
    QApplication::setActiveWindow(m_dialog.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(m_dialog.get()));
    return *m_dialog;
}

void SalesWindowFixture::enterLine(const QString &name, const QString &quantity,
                                   const QString &price)
{
    retype(box("productBox"), name);
    retype(edit("quantityEdit"), quantity);
    retype(edit("priceEdit"), price);
    QTest::keyClick(edit("priceEdit"), Qt::Key_Return);
}

QString SalesWindowFixture::settingsValue(const QString &sql, const QVariantList &values)
{
    Database db;
    EXPECT_TRUE(db.open(m_env.settings().settingsDsn));
    return db.scalar(sql, values);
}

QString SalesWindowFixture::recordsValue(const QString &sql, const QVariantList &values)
{
    Database db;
    EXPECT_TRUE(db.open(m_env.settings().recordsDsn));
    return db.scalar(sql, values);
}
