#pragma once
// The query window as the program opens it: from the query button of the
// running sales window.
#include "records/QueryDialog.h"
#include "sales/SalesDialog.h"
#include "sales/SalesWindows.h"
#include "support/Gui.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>

// The sales window shown and active, as after login.
inline std::unique_ptr<SalesDialog> showSalesWindow(AppSettings &settings)
{
    auto sales = std::make_unique<SalesDialog>(settings);
    sales->setWindows(SalesWindows::installed());
    sales->show();
    QApplication::setActiveWindow(sales.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(sales.get()));
    return sales;
}

// Clicks the sales window's query button and runs ACTION in the query window.
inline void inQueryWindowOf(SalesDialog &sales, const std::function<void(QueryDialog *)> &action)
{
    bool ran = false;
    whenModal([&](QDialog *dialog) {
        auto *query = qobject_cast<QueryDialog *>(dialog);
        ran = query != nullptr && QTest::qWaitForWindowActive(query);
        if (ran)
            action(query);
        dialog->reject();
    });
    click(sales.findChild<QPushButton *>(QStringLiteral("queryButton")));
    EXPECT_TRUE(ran);
}
