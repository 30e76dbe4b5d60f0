#include "records/StoredSaleReceipt.h"

#include "core/NumberText.h"
#include "data/Database.h"
#include "records/RecordValue.h"
#include "records/SaleRows.h"
#include "sales/SaleStore.h"

#include <cmath>

SaleSnapshot StoredSaleReceipt::snapshot(Database &db, const SaleRows &sales, int sale,
                                         const ReceiptSwitches &switches)
{
    SaleSnapshot s;
    s.receiptNumber = sales.text(sale, SaleRows::Number);
    s.time = QDateTime::fromString(sales.text(sale, SaleRows::Date),
                                   QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    const double quantity = sales.quantity(sale);
    const double money = sales.money(sale);
    s.totalQuantity = std::isnan(quantity) ? 0 : quantity;
    s.cashReceived = RecordValue::money(std::isnan(money) ? 0 : money);
    s.discountedTotal = std::isnan(money) ? 0 : money;
    s.change = QStringLiteral("0.00");
    s.cashier = sales.text(sale, SaleRows::Cashier);
    s.remark = sales.text(sale, SaleRows::Remark);
    s.customer = sales.text(sale, SaleRows::Customer);
    s.phone = sales.text(sale, SaleRows::Phone);
    s.payment = sales.text(sale, SaleRows::Payment);
    s.switches = switches;

    Database::Rows rows = db.query(SaleStore::linesQuery(db), {s.receiptNumber});
    double total = 0;
    double discounted = 0;
    while (rows.next()) {
        const double amount = RecordValue::number(rows.value(3));
        const double lineDiscounted = RecordValue::number(rows.value(4));
        if (!std::isnan(amount))
            total += amount;
        // A line without a discounted amount was sold at its amount.
        discounted +=
            std::isnan(lineDiscounted) ? (std::isnan(amount) ? 0 : amount) : lineDiscounted;
        s.lines.append({QString::fromUtf8(RecordValue::utf8(rows.value(0))),
                        RecordValue::quantity(RecordValue::number(rows.value(1))),
                        RecordValue::money(RecordValue::number(rows.value(2))),
                        RecordValue::money(amount),
                        RecordValue::money(RecordValue::number(rows.value(4)))});
    }
    s.totalAmount = total;
    // Whatever the sales window's box says now.
    s.switches.discount = ReceiptSwitches::showsDiscount(switches.discount, total, discounted);
    return s;
}
