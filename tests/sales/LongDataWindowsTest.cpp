// The first windows with very long names in the data: the login dialog and the
// sales window keep the size they have with ordinary data, every button stays
// inside them, and the receipt number keeps its field.
#include "app/FirstWindow.h"
#include "app/FontAliases.h"
#include "app/SettingsLoader.h"
#include "core/AppSettings.h"
#include "data/Database.h"
#include "data/LoginRow.h"
#include "settings/CustomerBook.h"
#include "settings/PaymentMethods.h"
#include "settings/ProductCatalogue.h"
#include "support/Gui.h"
#include "support/ScriptedDialogs.h"
#include "support/TestEnv.h"
#include "users/UserAccounts.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QString longText(const char *piece)
{
    return QString::fromUtf8(piece).repeated(300).left(300);
}

// What the customer, phone, payment and product boxes are given in a sale.
struct Entries
{
    QString customer;
    QString phone;
    QString payment;
    QString product;
};

struct WindowLook
{
    QSize size;
    QStringList buttonsOutside;
};

struct StartLook
{
    WindowLook login;
    WindowLook sales;
    WindowLook salesFilled; // after the entries are chosen in the boxes
    QString cashier;
    int numberWidth = 0;
    QString number;
    bool numberShown = false;
    QRect customerBox;   // on the screen
    QRect customerPopup; // the list opened with F4
    QRect screen;
};

WindowLook look(QDialog *dialog, const QString &picture)
{
    QApplication::processEvents();
    WindowLook seen{dialog->size(), {}};
    for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
        const QRect at(button->mapTo(dialog, QPoint(0, 0)), button->size());
        if (button->isVisible() && !dialog->rect().contains(at))
            seen.buttonsOutside << button->objectName();
    }
    keepPicture(dialog->grab().toImage(), picture);
    return seen;
}

void fillBox(QDialog *sales, const char *check, const char *box, const QString &text)
{
    if (check && !child<QCheckBox>(sales, check)->isChecked())
        tick(child<QCheckBox>(sales, check));
    retype(child<QComboBox>(sales, box), text);
}

class LongDataWindows : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { FontAliases::install(); }

    Database &db()
    {
        if (!m_db.isOpen())
            m_db.open(m_env.settings().settingsDsn);
        return m_db;
    }

    void store(const Entries &entries)
    {
        CustomerBook(db()).add(entries.customer, entries.phone);
        PaymentMethods(db()).add(entries.payment);
        ProductCatalogue(db()).add(entries.product, QStringLiteral("2.50"));
    }

    // Starts the program as a cashier does: the login dialog on the stored
    // user, "登录(&L)", then the sales window, where ENTRIES are chosen.
    StartLook start(const Entries &entries, const QString &tag)
    {
        AppSettings started;
        started.programDir = m_env.settings().programDir;
        started.workingDir = m_env.settings().workingDir;
        started.settingsDsn = m_env.settings().settingsDsn;
        started.recordsDsn = m_env.settings().recordsDsn;
        EXPECT_TRUE(SettingsLoader::load(started, QDate(2024, 3, 7), QString()));

        StartLook seen;
        whenModal(QStringLiteral("LoginDialog"), [&](QDialog *login) {
            seen.login = look(login, tag + QStringLiteral("-login"));
            click(child<QPushButton>(login, "logInButton"));
        });
        whenModal(QStringLiteral("SalesDialog"), [&](QDialog *sales) {
            seen.sales = look(sales, tag + QStringLiteral("-sales"));
            seen.cashier = child<QComboBox>(sales, "cashierBox")->currentText();
            fillBox(sales, "customerCheck", "customerBox", entries.customer);
            fillBox(sales, "phoneCheck", "phoneBox", entries.phone);
            fillBox(sales, "paymentCheck", "paymentBox", entries.payment);
            fillBox(sales, nullptr, "productBox", entries.product);
            seen.salesFilled = look(sales, tag + QStringLiteral("-sales-filled"));
            auto *number = child<QLineEdit>(sales, "numberEdit");
            seen.numberWidth = number->width();
            seen.number = number->text();
            // The whole number fits inside the field, its frame and margins aside.
            seen.numberShown =
                number->fontMetrics().horizontalAdvance(number->text()) + 12 <= number->width();
            auto *customers = child<QComboBox>(sales, "customerBox");
            customers->setFocus();
            QTest::keyClick(customers, Qt::Key_F4);
            QWidget *popup = customers->view()->window();
            EXPECT_TRUE(waitFor([popup] { return popup->isVisible(); }));
            seen.customerBox = QRect(customers->mapToGlobal(QPoint(0, 0)), customers->size());
            seen.customerPopup = popup->geometry();
            seen.screen = customers->screen()->availableGeometry();
            QTest::keyClick(customers->view(), Qt::Key_Escape);
            sales->close();
        });
        EXPECT_EQ(FirstWindow::run(started), 0);
        ScriptedDialogs::instance().verifyAllOpened();
        return seen;
    }

    TestEnv m_env;
    Database m_db;
};

void expectSameLook(const WindowLook &seen, const WindowLook &ordinary, const char *what)
{
    SCOPED_TRACE(what);
    EXPECT_NEAR(seen.size.width(), ordinary.size.width(), 3);
    EXPECT_NEAR(seen.size.height(), ordinary.size.height(), 3);
    EXPECT_TRUE(seen.buttonsOutside.isEmpty()) << seen.buttonsOutside.join(u' ').toStdString();
}

TEST_F(LongDataWindows, KeepTheirSizeButtonsAndReceiptNumberField)
{
    const Entries ordinaryEntries{QStringLiteral("王小明"), QStringLiteral("13800138000"),
                                  QStringLiteral("微信支付"), QStringLiteral("矿泉水550ml")};
    store(ordinaryEntries);
    // Receipt numbers with the shop's prefix and the date before the counter.
    LoginRow::storeReceiptFormat(db(), true, true, QStringLiteral("QM"));
    const StartLook ordinary = start(ordinaryEntries, QStringLiteral("ordinary"));
    ASSERT_FALSE(ordinary.number.isEmpty());
    EXPECT_TRUE(ordinary.numberShown) << ordinary.number.toStdString();
    EXPECT_TRUE(ordinary.login.buttonsOutside.isEmpty());
    EXPECT_TRUE(ordinary.sales.buttonsOutside.isEmpty());
    EXPECT_EQ(ordinary.salesFilled.size, ordinary.sales.size);
    EXPECT_GE(ordinary.customerPopup.width(), ordinary.customerBox.width());

    // A 300-character administrator, stored as the last login, and
    // 300-character customer, phone, payment method and product.
    const QString longUser = longText("收银员Wang");
    ASSERT_EQ(
        UserAccounts(db()).add(longUser, QString(), QString(), AppSettings::administratorPower()),
        UserAccounts::AddResult::Added);
    LoginRow::store(db(), longUser, AppSettings::administratorPower(), false);
    const Entries longEntries{longText("长客户名称W"), longText("1380013800"),
                              longText("长付款方式M"), longText("长商品名称X")};
    store(longEntries);

    const StartLook stretched = start(longEntries, QStringLiteral("long"));
    EXPECT_EQ(stretched.cashier, longUser);
    expectSameLook(stretched.login, ordinary.login, "login dialog");
    expectSameLook(stretched.sales, ordinary.sales, "sales window");
    expectSameLook(stretched.salesFilled, ordinary.sales, "sales window, long entries chosen");
    EXPECT_EQ(stretched.number, ordinary.number);
    EXPECT_EQ(stretched.numberWidth, ordinary.numberWidth);
    EXPECT_TRUE(stretched.numberShown) << stretched.number.toStdString();
    // The list of customers opens wider than the box, to show more of the
    // long name, but stays on the screen.
    EXPECT_GT(stretched.customerPopup.width(), stretched.customerBox.width());
    EXPECT_TRUE(stretched.screen.contains(stretched.customerPopup))
        << stretched.customerPopup.x() << "," << stretched.customerPopup.y() << " "
        << stretched.customerPopup.width() << "x" << stretched.customerPopup.height();
}

} // namespace
