#pragma once

#include "sales/EntryRow.h"
#include "sales/SaleLines.h"
#include "sales/SaleTotals.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

// The sale being entered, without any widget: its lines, the entry row, the
// totals, cash received and change, and the operations of the sales window
// that change them. The window feeds it what the person does and shows what
// comes back.
class SaleEntry
{
public:
    enum class Field
    {
        None,
        Name,
        Quantity,
        Price,
        Amount,
        Discount,
        Discounted
    };

    struct Options
    {
        bool showProductCode = true;
        bool productMemory = true;
        bool administrator = false;
    };

    // The list's selection: the selected rows and the selection mark (the row
    // that was clicked last; -1 when there is none).
    struct Selection
    {
        QList<int> rows;
        int mark = -1;
        bool operator==(const Selection &) const = default;
    };

    enum class ListChange
    {
        None,
        Appended,
        RowChanged,
        Reset
    };

    struct Outcome
    {
        QString message; // shown to the person; the operation stopped there
        Field focus = Field::None;
        ListChange list = ListChange::None;
        int row = -1;                       // the appended or changed row
        std::optional<Selection> selection; // the list's selection afterwards, when it changes
        bool scrollToMark = false;
        std::optional<bool> modifyEnabled;
        std::optional<bool> deleteEnabled;
    };

    // Stores the product and its price in the catalogue; false when that failed.
    using ProductMemory = std::function<bool(const QString &fullName, const QString &price)>;

    static QString initialSummary() { return QStringLiteral("汇总信息："); }
    static QString emptyNameMessage() { return QStringLiteral("名称不能为空！"); }
    static QString zeroQuantityMessage() { return QStringLiteral("数量不能为零！"); }
    static QString discountRangeMessage()
    {
        return QStringLiteral("折扣必须在0到10之间（10为不打折，8为八折）！");
    }
    static QString outOfRangeMessage();
    static QString cashOutOfRangeMessage();

    void setOptions(const Options &options) { m_options = options; }
    const Options &options() const { return m_options; }
    void setProductMemory(ProductMemory memory) { m_memory = std::move(memory); }

    const SaleLines &lines() const { return m_lines; }
    EntryRow &entry() { return m_entry; }
    const EntryRow &entry() const { return m_entry; }
    const SaleTotals &totals() const { return m_totals; }
    const QString &summary() const { return m_summary; }
    const QString &cash() const { return m_cash; }
    const QString &change() const { return m_change; }
    bool discountEnabled() const { return m_discountEnabled; }
    // Whether the summary and the receipt show the discounted total
    // (ReceiptSwitches::showsDiscount).
    bool discountShown() const;

    Outcome addLine();
    Outcome modifyLine(int mark);
    Outcome selectLine(const Selection &selection);
    Outcome deleteLines(const Selection &selection);
    void recalculateTotals();

    // Cash typed into, or chosen from the list of, the cash box. A cash that
    // is not a finite number gives no change; false then.
    bool setCash(const QString &text);
    // Switching the discount on or off; off puts the discount back to "10".
    void setDiscountEnabled(bool on);
    // The discount state read from the settings when the window opens (no recalculation).
    void loadDiscountEnabled(bool on) { m_discountEnabled = on; }

    // The mouse wheel: steps the quantity or the price when its field has the focus.
    void wheel(bool forward, Field focus);

    // After a sale is finished: no lines, totals zero, entry row cleared.
    Outcome clearSale();

    // The list was sorted by its header: take the rows' new order.
    void reorder(const QVector<int> &itemDataInOrder) { m_lines.reorder(itemDataInOrder); }

private:
    SaleLine composeLine(int row) const;
    bool rememberProduct();
    bool discountInRange() const;
    static bool allFinite(const SaleLine &line);

    Options m_options;
    ProductMemory m_memory;
    SaleLines m_lines;
    EntryRow m_entry;
    SaleTotals m_totals;
    QString m_summary = initialSummary();
    QString m_cash;
    QString m_change;
    bool m_discountEnabled = false;
};
