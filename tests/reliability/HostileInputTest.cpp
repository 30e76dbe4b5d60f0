// Whatever a clumsy or hostile person types: every text the program stores is
// stored exactly as typed or refused with a message, every statement still
// works afterwards, and the receipt keeps it on the paper. Numbers keep the
// arithmetic and never show "inf", "nan" or "-0.00".
#include "app/FontAliases.h"
#include "core/NumberText.h"
#include "data/Database.h"
#include "data/ShopRow.h"
#include "printing/PrepareReceiptData.h"
#include "printing/PrintInfo.h"
#include "printing/ReceiptLayout.h"
#include "printing/ReceiptSample.h"
#include "printing/ReceiptStyle.h"
#include "records/QueryBuilder.h"
#include "records/QueryConditions.h"
#include "sales/SalesCatalogue.h"
#include "sales/SalesSession.h"
#include "settings/CustomerBook.h"
#include "settings/PaymentMethods.h"
#include "support/Gui.h"
#include "support/SaleFinishing.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"
#include "users/UserAccounts.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

QStringList hostileTexts()
{
    return {
        s("'\"`‘’“”「」『』＂＇"),
        s("'; DROP TABLE POS_RECORD; --"),
        s("\"; DROP TABLE \"USER\"; --"),
        s("%"),
        s("_"),
        s("\\"),
        s("a%b_c\\d"),
        QString(1000, QChar(u'长')),
        s("😀🧾𠀋𝄞"),
        s("\u202Eابحث\u200F\u202C"),
        QString::fromUtf16(u"a\0b", 3),
        s("\t\r\n\x01\x1b[31m\x7f"),
        s("  前后有空格  "),
        s("   "),
        QString(),
    };
}

QString shown(const QString &text)
{
    return text.left(40).toHtmlEscaped() + (text.size() > 40 ? s("…") : QString());
}

class HostileInputTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { FontAliases::install(); }

    void SetUp() override
    {
        m_env.settings().userName = s("admin");
        m_env.settings().userPower = s("管理员");
        ASSERT_TRUE(m_settings.open(m_env.settings().settingsDsn));
        ASSERT_TRUE(m_records.open(m_env.settings().recordsDsn));
    }

    // Stored exactly, or refused with a message (the message is checked by the caller).
    void expectStoredExactly(const QString &typed, const QString &stored, const char *what)
    {
        EXPECT_EQ(stored, typed) << what << " changed on its way into the database: "
                                 << qPrintable(shown(typed));
    }

    // Every text laid out on a 72 mm receipt keeps within the paper's width.
    // The receipt numbers of the sales the query window lists for CONDITIONS.
    QStringList foundNumbers(const QueryConditions &conditions)
    {
        const QueryStatement statement = QueryBuilder::sales(conditions, m_records.dialect());
        EXPECT_TRUE(statement.isValid()) << qPrintable(statement.error);
        QStringList found;
        for (auto rows = m_records.query(statement.sql, statement.values); rows.next();)
            found << rows.text(1);
        return found;
    }

    static void expectOnThePaper(const SaleSnapshot &sale, const QString &text)
    {
        ReceiptStyle style;
        style.switches = sale.switches;
        for (int variant = 0; variant < 4; ++variant) {
            style.template02 = variant % 2;
            const int paperDots = variant < 2 ? 576 : 384; // 80 mm and 58 mm rolls
            const ReceiptData data = prepareReceiptData(sale, 0, true);
            const ReceiptDrawing drawing =
                ReceiptLayout(data, style, {203, 203, paperDots}).renderReceipt();
            for (const ReceiptDrawing::Text &t : drawing.texts) {
                for (const char *bad : {"inf", "nan", "-0.00"})
                    EXPECT_FALSE(t.text.contains(QLatin1String(bad)) &&
                                 !text.contains(QLatin1String(bad)))
                        << qPrintable(t.text);
                // Where the ink ends: each laid-out line from its origin.
                const ReceiptFont &font = t.font == ReceiptDrawing::FontRole::Title
                                              ? drawing.titleFont
                                              : drawing.bodyFont;
                const QFontMetrics metrics(font.withExtra(t.extra));
                for (int i = 0; i < t.lines.size() && i < t.origins.size(); ++i) {
                    const int left = t.origins[i].x();
                    const int right = left + metrics.horizontalAdvance(t.lines[i]);
                    EXPECT_GE(left, 0)
                        << "starts left of the paper: " << qPrintable(shown(t.lines[i]));
                    EXPECT_LE(right, drawing.width)
                        << "runs off the paper: " << qPrintable(shown(t.lines[i]));
                }
            }
        }
    }

    TestEnv m_env;
    Database m_settings;
    Database m_records;
};

TEST_F(HostileInputTest, EveryStoredTextIsKeptExactlyOrRefusedAndEveryStatementStillWorks)
{
    SalesSession session(m_env.settings());
    ASSERT_TRUE(session.open());
    CustomerBook customers(m_settings);
    PaymentMethods payments(m_settings);
    UserAccounts accounts(m_settings);
    int sales = 0;
    int n = 0;
    for (const QString &text : hostileTexts()) {
        SCOPED_TRACE(qPrintable(shown(text)));
        m_env.prompt().clear();
        ++n;

        // A sale: product, remark, customer, phone, payment method and a typed receipt number.
        session.sale().entry().setName(text);
        session.sale().entry().typeQuantity(s("1"));
        session.sale().entry().setPrice(s("2"));
        const SaleEntry::Outcome added = session.sale().addLine();
        if (!added.message.isEmpty()) {
            EXPECT_TRUE(text.trimmed().isEmpty()) << qPrintable(added.message);
            session.sale().entry().setName(s("商品%1").arg(n));
            ASSERT_TRUE(session.sale().addLine().message.isEmpty());
        } else {
            // Blanks around a product name are not part of it.
            const std::optional<QString> price =
                SalesCatalogue::priceOf(m_settings, text.trimmed());
            ASSERT_TRUE(price.has_value()) << "the product was not remembered";
        }
        const QString product = session.sale().lines().all().last().name;
        SaleHeader &header = session.header();
        header.remark = text;
        header.customer = text;
        header.customerEnabled = true;
        header.phone = text;
        header.phoneEnabled = true;
        header.payment = text;
        header.paymentEnabled = true;
        header.number = text.trimmed().isEmpty() ? s("空%1").arg(n) : text;
        // A receipt number is stored without the blanks around it.
        const QString number = header.number.trimmed();
        if (saveOnly(session)) {
            ++sales;
            Database::Rows row = m_records.query(
                s("select \"NO\",\"standby1\",\"standby2\",\"standby3\",\"standby4\" from "
                  "\"POS_RECORD\" where \"NO\" = ?"),
                {number});
            ASSERT_TRUE(row.next()) << "saved but not found under its number";
            expectStoredExactly(number, row.text(0), "receipt number");
            expectStoredExactly(text, row.text(1), "remark");
            expectStoredExactly(text, row.text(2), "customer");
            expectStoredExactly(text, row.text(3), "phone");
            expectStoredExactly(text, row.text(4), "payment method");
            EXPECT_FALSE(row.next()) << "two sales under one number";
            // The query window finds it by its number exactly, and by the remark and the
            // product it contains.
            QueryConditions byNumber;
            byNumber.number = number;
            byNumber.exact = true;
            EXPECT_EQ(foundNumbers(byNumber), QStringList{number});
            if (!text.trimmed().isEmpty()) {
                QueryConditions byText;
                byText.remark = text;
                byText.product = product;
                EXPECT_TRUE(foundNumbers(byText).contains(number))
                    << "not found by its remark: " << qPrintable(shown(text));
            }
            expectStoredExactly(product,
                                m_records.scalar(s("select \"name\" from \"POS_RECORD_DETAIL\" "
                                                   "where \"NO\" = ?"),
                                                 {number}),
                                "product");
        } else {
            EXPECT_FALSE(m_env.prompt().lastText().isEmpty()) << "refused without a word";
            EXPECT_EQ(session.sale().lines().count(), 1) << "the sale left the screen";
            session.sale().clearSale();
        }

        // The customer book, the payment methods, the accounts and the shop name.
        customers.add(text, text);
        EXPECT_EQ(customers.all().last().name, text);
        EXPECT_EQ(customers.all().last().phone, text);
        if (!text.isEmpty()) {
            for (const Customer &found : customers.find({text, QString()}))
                EXPECT_TRUE(found.name.contains(text))
                    << "search found " << qPrintable(shown(found.name));
        }
        payments.add(text);
        EXPECT_EQ(payments.all().last().text, text);

        const QString user = text.isEmpty() ? text : text + QString::number(n);
        const UserAccounts::AddResult account =
            accounts.add(user, text, text, AppSettings::ordinaryPower());
        if (account == UserAccounts::AddResult::Added) {
            QString power;
            EXPECT_EQ(accounts.login(user, text, &power), UserAccounts::LoginResult::LoggedIn);
            EXPECT_NE(accounts.login(user, text + s("x"), &power),
                      UserAccounts::LoginResult::LoggedIn);
        } else {
            EXPECT_EQ(account, UserAccounts::AddResult::EmptyName);
        }

        PrintInfo info;
        info.shopName = text;
        if (info.shopNameFits()) {
            info.store(m_settings);
            expectStoredExactly(text, ShopRow::read(m_settings).shopName, "shop name");
        }

        SaleSnapshot receipt = ReceiptSample::sale();
        receipt.lines.first().name = text;
        receipt.cashier = receipt.customer = receipt.phone = receipt.payment = text;
        receipt.receiptNumber = receipt.remark = text;
        receipt.switches.customer = receipt.switches.phone = receipt.switches.payment = true;
        expectOnThePaper(receipt, text);
    }
    EXPECT_GT(sales, 10);

    // Every statement still works: nothing was dropped or left half-done.
    EXPECT_EQ(m_records.scalar(s("PRAGMA integrity_check")), s("ok"));
    EXPECT_EQ(m_settings.scalar(s("PRAGMA integrity_check")), s("ok"));
    EXPECT_EQ(m_records.scalar(s("select count(*) from \"POS_RECORD\"")), QString::number(sales));
    QString power;
    EXPECT_EQ(accounts.login(s("admin"), QString(), &power), UserAccounts::LoginResult::LoggedIn);
    EXPECT_EQ(customers.all().size(), hostileTexts().size());
    session.sale().entry().setName(s("可乐"));
    ASSERT_TRUE(session.sale().addLine().message.isEmpty());
    session.header().number = s("最后一单");
    EXPECT_TRUE(saveOnly(session)) << qPrintable(m_env.prompt().lastText());
}

bool looksBroken(const QString &text)
{
    return text.contains(QLatin1String("inf")) || text.contains(QLatin1String("nan")) ||
           text.contains(QLatin1String("-0.00"));
}

TEST_F(HostileInputTest, NumbersKeepTheArithmeticAndNeverShowInfNanOrMinusZero)
{
    const QStringList quantities = {s("0"),   s("-3"),  s("1e308"),          s("1e-308"),
                                    s("abc"), s("1,5"), s("１２"),           s("1.1234567890"),
                                    s("-0"),  s(""),    s("99999999999999"), s("0.004")};
    const QStringList prices = {s("2"), s("0.1234567890"), s("1e308"), s("-5"), s("-0.001")};
    const QStringList discounts = {s("0"), s("10"), s("100"), s("150"), s("9.5")};
    for (const QString &quantity : quantities)
        for (const QString &price : prices)
            for (const QString &discount : discounts) {
                SCOPED_TRACE(qPrintable(quantity + s(" × ") + price + s(" 折扣 ") + discount));
                SaleEntry sale;
                sale.loadDiscountEnabled(true);
                sale.entry().setName(s("商品"));
                sale.entry().typeQuantity(quantity);
                sale.entry().setPrice(price);
                sale.entry().setDiscount(discount);
                const SaleEntry::Outcome added = sale.addLine();
                EXPECT_FALSE(looksBroken(sale.summary())) << qPrintable(sale.summary());
                if (!added.message.isEmpty()) {
                    EXPECT_TRUE(sale.lines().isEmpty());
                    continue;
                }
                const SaleLine line = sale.lines().all().first();
                for (const QString &value :
                     {line.quantity, line.price, line.amount, line.discounted})
                    EXPECT_FALSE(looksBroken(value)) << qPrintable(value);
                // The arithmetic: the amount is quantity times price, the totals are the line's.
                const double q = NumberText::toDouble(line.quantity); // six figures shown
                const double p = NumberText::toDouble(price);         // the column shows it rounded
                EXPECT_NEAR(NumberText::toDouble(line.amount), q * p,
                            0.0051 + std::abs(q * p) * 1e-5);
                EXPECT_NEAR(sale.totals().discounted, NumberText::toDouble(line.discounted),
                            0.0051);
                // Cash below, at and above the total.
                // The change is cash minus total, to the cent, below the total too.
                for (double delta : {-1.0, -0.004, 0.0, 0.004, 5.0}) {
                    const QString cash = QString::number(sale.totals().discounted + delta, 'f', 3);
                    if (!sale.setCash(cash))
                        continue;
                    EXPECT_FALSE(looksBroken(sale.change())) << qPrintable(sale.change());
                    EXPECT_NEAR(NumberText::toDouble(sale.change()),
                                NumberText::toDouble(cash) - sale.totals().discounted,
                                0.0051 + std::abs(sale.totals().discounted) * 1e-12)
                        << qPrintable(cash + s(" → ") + sale.change());
                }
            }
}

} // namespace
