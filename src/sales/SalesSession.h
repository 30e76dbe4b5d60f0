#pragma once

#include "core/Failure.h"
#include "data/Database.h"
#include "data/ShopRow.h"
#include "printing/SaleSnapshot.h"
#include "sales/SaleEntry.h"
#include "sales/SaleHeader.h"
#include "sales/SaleRecord.h"
#include "sales/SaleStore.h"
#include "sales/TillProducts.h"

#include <QList>
#include <QPair>
#include <QStringList>

#include <functional>
#include <optional>

struct AppSettings;

// Everything the sales window knows and does apart from its widgets: the two
// connections it holds for its whole life, the shop settings, the sale being
// entered and its header, the lists it offers, numbering, and the sale in
// doubt. The operations that answer with a bool keep what went wrong when
// they answer false (takeFailure), for the window to show; the others throw
// DatabaseError. Finishing a sale is FinishSale's.
class SalesSession
{
public:
    explicit SalesSession(AppSettings &settings);

    static QString numberMovedMessage(const QString &taken, const QString &next);

    AppSettings &settings() { return m_settings; }
    SaleEntry &sale() { return m_sale; }
    const SaleEntry &sale() const { return m_sale; }
    SaleHeader &header() { return m_header; }
    const SaleHeader &header() const { return m_header; }
    // The shop's settings row as the window and its printing use it; the print
    // dialogs change it in memory together with the stored row.
    ShopRow &shop() { return m_shop; }
    const ShopRow &shop() const { return m_shop; }
    QString defaultRemark() const { return m_shop.defaultRemark; }
    Database &settingsDb() { return m_settingsDb; }
    Database &recordsDb() { return m_recordsDb; }

    // The records data source, set up when the window is created. False when
    // the records file is missing: the program cannot run.
    bool setUpRecordsSource();

    // Opening: both connections ("不能打开数据库" when one fails), then the
    // receipt number, the cashiers, the shop settings, the totals, customers,
    // payment methods and products. False when the window must stay unfilled.
    bool open();
    bool isOpen() const { return m_opened; }
    void close();

    const QStringList &cashiers() const { return m_cashiers; }
    QStringList customerNames() const;
    QStringList customerPhones() const;
    const QStringList &paymentMethods() const { return m_payments; }
    const QStringList &products() const { return m_products.texts(); }
    const TillProducts &tillProducts() const { return m_products; }
    bool reloadCashiers();
    bool reloadCustomers();
    bool reloadPaymentMethods();
    bool reloadProducts();

    // The number the counter gives now, shown.
    bool loadReceiptNumber();
    // Another till sharing the records may have taken the number shown. While
    // it is the counter's (not typed over, no save in doubt), the counter is
    // read again, without a word on failure: the sale takes its number afresh
    // when it is stored anyway.
    enum class Refresh
    {
        Unchanged,
        Changed,
        Failed
    };
    Refresh refreshCounterNumber();

    // A product chosen or typed (or its code scanned): its remembered price
    // goes into the entry row, from the products the window holds. A text that
    // names no product takes back a price the previous text's product put in,
    // so a typed name never keeps the price of a product it turned out not to be.
    void lookUpProduct(const QString &name);
    // AddLine and ModifyLine, with the product the entry's text names (a
    // scanned code becomes its product's text) as the line's product. A
    // product the line made the catalogue remember, and could not be stored,
    // is kept as the failure.
    SaleEntry::Outcome addLine();
    SaleEntry::Outcome modifyLine(int row);
    // Customer typed or chosen: the phone follows, and the other way round.
    void lookUpCustomer(const QString &customer);
    void lookUpPhone(const QString &phone);

    // The check boxes that are remembered between runs.
    bool setDiscountEnabled(bool on);
    bool setCustomerEnabled(bool on);
    bool setPhoneEnabled(bool on);
    bool setPaymentEnabled(bool on);
    bool setCashEnabled(bool on);

    // The sale as it would be stored now.
    SaleRecord record() const;
    // The sale as the receipt prints it.
    SaleSnapshot snapshot() const;

    // The number shown is the one the counter gave (not typed over): the sale
    // then takes the counter's number at the moment it is stored.
    bool showsCounterNumber() const { return m_header.number == m_counterNumber; }
    // The number read again from the counter. Throws DatabaseError.
    void readReceiptNumber();
    // The number TAKEN is stored already. When it is the counter's own number
    // (an administrator once stored a sale under a number the counter had not
    // reached yet), the counter moves on to the first free number: a cashier
    // who may not type a number would otherwise be stuck. Returns what to tell
    // the cashier. Throws DatabaseError.
    QString moveTakenNumber(const QString &taken);
    void resetRemark() { m_header.remark = m_shop.defaultRemark; }
    // The payment method of the sale just finished is offered first next time.
    // Throws DatabaseError.
    void rememberPayment(const QString &payment);

    // A sale whose commit lost its reply: stored or not, the server will say.
    // While it is set the sale on screen must not change.
    struct InDoubt
    {
        SaleRecord sale;
        SaleSnapshot receipt;
        bool printing = false;
        bool fromCounter = false;
    };
    const std::optional<InDoubt> &inDoubt() const { return m_inDoubt; }
    void setInDoubt(InDoubt doubt) { m_inDoubt = std::move(doubt); }
    void clearInDoubt() { m_inDoubt.reset(); }

    // The query window needs the records file to itself while it is open.
    void closeRecords();
    bool reopenRecords();

    // What the settings window hands back: shop name, remark (also the new
    // default remark) and receipt number.
    void takeBackFromSettings(const QString &shopName, const QString &remark,
                              const QString &number);

    // The settings window may have changed shop settings, the product-code
    // switch or the label language: read them again.
    bool reloadShopInfo();

    // What the last operation that failed kept for the person, once; none
    // when nothing failed since the last call.
    std::optional<Failure> takeFailure();

private:
    bool rememberProduct(const QString &name, const QString &price);
    // Runs OPERATION; a DatabaseError is kept as the failure (false).
    bool attempt(const std::function<void()> &operation);
    bool fail(const Failure &failure);
    void applyOptions();

    AppSettings &m_settings;
    Database m_settingsDb;
    Database m_recordsDb;
    bool m_opened = false;
    QString m_counterNumber; // the number the counter last gave
    std::optional<InDoubt> m_inDoubt;
    ShopRow m_shop;
    SaleEntry m_sale;
    SaleHeader m_header;
    QStringList m_cashiers;
    QList<QPair<QString, QString>> m_customers;
    QStringList m_payments;
    TillProducts m_products;
    // The price the last look-up put into the entry row, and the one it replaced.
    std::optional<QPair<QString, QString>> m_lookedUpPrice;
    std::optional<Failure> m_failure;
};
