// A picture of the query window with its conditions window for the
// documentation (`make pictures`).
#include "RecordsBook.h"

#include "app/FontAliases.h"
#include "controls/ProgressWindow.h"
#include "records/QueryConditionsDialog.h"
#include "records/QueryDialog.h"
#include "support/Gui.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(QueryPictures, QueryWindowWithItsConditions)
{
    FontAliases::install();
    TestEnv env;
    env.settings().userPower = AppSettings::administratorPower();
    {
        Database db;
        ASSERT_TRUE(db.open(env.settings().recordsDsn));
        const char *names[] = {"纯牛奶", "绿茶", "面包", "酸奶", "矿泉水"};
        const char *cashiers[] = {"admin", "张敏", "李强"};
        const char *payments[] = {"现金", "微信", "支付宝"};
        for (int i = 0; i < 14; ++i) {
            const double quantity = 1 + i % 4;
            const double price = 2.5 + i;
            storeSale(db,
                      {QStringLiteral("2024030700%1").arg(i + 1, 2, 10, QLatin1Char('0')),
                       QStringLiteral("2024-03-07 %1:%2:05")
                           .arg(8 + i / 2, 2, 10, QLatin1Char('0'))
                           .arg(i * 7 % 60, 2, 10, QLatin1Char('0')),
                       quantity * price, QString::fromUtf8(cashiers[i % 3]), quantity,
                       i % 5 == 0 ? QStringLiteral("会员") : QString(),
                       i % 4 == 0 ? QStringLiteral("张三") : QString(),
                       i % 4 == 0 ? QStringLiteral("13800001111") : QString(),
                       QString::fromUtf8(payments[i % 3])},
                      {{QString::fromUtf8(names[i % 5]), quantity, price, quantity * price,
                        quantity * price}});
        }
    }
    QueryDialog query(env.settings(), {});
    query.show();
    QueryConditionsDialog conditions(env.settings(), SqlDialect(), false, {}, &query);
    conditions.show();
    QTest::qWait(50);
    const QPixmap back = query.grab();
    const QPixmap front = conditions.grab();
    // The conditions open beside the results, leaving them in sight.
    QPixmap both(back.width() + 8 + front.width(), std::max(back.height(), front.height()));
    both.fill(Qt::white);
    {
        QPainter painter(&both);
        painter.drawPixmap(0, 0, back);
        painter.drawPixmap(back.width() + 8, 0, front);
    }
    savePicture(both.toImage(), QStringLiteral("query-window"));
    EXPECT_EQ(query.findChild<QObject *>(QStringLiteral("salesList")) != nullptr, true);
}

// The progress window of a long export, as it shows after its first second.
TEST(QueryPictures, ProgressWindowOfALongExport)
{
    FontAliases::install();
    TestEnv env;
    QueryDialog query(env.settings(), {});
    query.show();
    ProgressWindow progress(&query,
                            QStringLiteral("正在导出/home/店主/文档/20240307查询结果.xlsx…"), 0);
    EXPECT_TRUE(progress.report(420, 1000));
    QTest::qWait(50);
    ASSERT_TRUE(progress.dialog()->isVisible());
    EXPECT_EQ(progress.dialog()->value(), 420);
    savePicture(progress.dialog()->grab().toImage(), QStringLiteral("progress-window"));
}

} // namespace
