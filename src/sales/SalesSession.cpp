#include "sales/SalesSession.h"

#include "core/AppSettings.h"
#include "core/Clock.h"
#include "data/DataSource.h"
#include "data/LoginRow.h"
#include "data/Transaction.h"
#include "printing/ReceiptNumber.h"
#include "sales/SaleStore.h"
#include "sales/SalesCatalogue.h"
#include "sales/SalesSwitches.h"

#include <utility>

SalesSession::SalesSession(AppSettings &settings) : m_settings(settings)
{
    m_header.time = Clock::now();
    m_header.payment = settings.lastPayment;
    m_header.paymentEnabled = settings.paymentEnabled;
    m_header.phoneEnabled = settings.phoneEnabled;
    m_sale.setProductMemory(
        [this](const QString &name, const QString &price) { return rememberProduct(name, price); });
}

bool SalesSession::setUpRecordsSource()
{
    const QString home = m_settings.databaseHome();
    const QString missing = DataSource::missingRecordsFileMessage(home);
    if (!missing.isEmpty())
        return fail({missing, Failure::Weight::Error, QStringLiteral("错误")});
    DataSource::setUp(m_settings.recordsDsn, DataSource::recordsFile(home), home);
    return true;
}

bool SalesSession::open()
{
    if (!m_settingsDb.open(m_settings.settingsDsn) || !m_recordsDb.open(m_settings.recordsDsn)) {
        const Database &failed = m_settingsDb.isOpen() ? m_recordsDb : m_settingsDb;
        return fail({failed.openFailureMessage(), Failure::Weight::Notice, {}});
    }
    m_opened = attempt([&] {
        m_header.number = ReceiptNumber::load(m_recordsDb, m_settings.receiptPrefix);
        m_counterNumber = m_header.number;
        m_cashiers = SalesCatalogue::cashiers(m_settingsDb);

        m_shop = ShopRow::read(m_settingsDb);
        m_header.shopName = m_shop.shopName;
        m_header.remark = m_shop.defaultRemark;
        m_sale.loadDiscountEnabled(m_shop.discountEnabled);
        applyOptions();
        m_header.customerEnabled = m_shop.customerEnabled;
        m_header.cashEnabled = m_shop.cashEnabled;
        m_sale.recalculateTotals();

        m_customers = SalesCatalogue::customers(m_settingsDb);
        m_payments = SalesCatalogue::paymentMethods(m_settingsDb);
        m_header.cashier = m_settings.userName;
        m_products.assign(SalesCatalogue::productRows(m_settingsDb));
    });
    return m_opened;
}

void SalesSession::applyOptions()
{
    m_sale.setOptions(
        {m_settings.showProductCode, m_shop.productMemory, m_settings.isAdministrator()});
}

bool SalesSession::reloadShopInfo()
{
    if (!m_opened)
        return false;
    return attempt([&] {
        // Name and remark as the settings window handed them back; the
        // discount switch is the window's own check box.
        const ShopRow kept = m_shop;
        m_shop = ShopRow::read(m_settingsDb);
        m_shop.shopName = kept.shopName;
        m_shop.defaultRemark = kept.defaultRemark;
        m_shop.discountEnabled = kept.discountEnabled;
        applyOptions();
    });
}

void SalesSession::close()
{
    m_settingsDb.close();
    m_recordsDb.close();
}

QStringList SalesSession::customerNames() const
{
    QStringList names;
    for (const auto &customer : m_customers)
        names << customer.first;
    return names;
}

QStringList SalesSession::customerPhones() const
{
    QStringList phones;
    for (const auto &customer : m_customers)
        phones << customer.second;
    return phones;
}

bool SalesSession::reloadCashiers()
{
    return attempt([&] { m_cashiers = SalesCatalogue::cashiers(m_settingsDb); });
}

bool SalesSession::reloadCustomers()
{
    return attempt([&] { m_customers = SalesCatalogue::customers(m_settingsDb); });
}

bool SalesSession::reloadPaymentMethods()
{
    return attempt([&] { m_payments = SalesCatalogue::paymentMethods(m_settingsDb); });
}

bool SalesSession::reloadProducts()
{
    return attempt([&] { m_products.assign(SalesCatalogue::productRows(m_settingsDb)); });
}

bool SalesSession::loadReceiptNumber()
{
    return attempt([&] { readReceiptNumber(); });
}

void SalesSession::readReceiptNumber()
{
    m_header.number = ReceiptNumber::load(m_recordsDb, m_settings.receiptPrefix);
    m_counterNumber = m_header.number;
}

SalesSession::Refresh SalesSession::refreshCounterNumber()
{
    // A connection lost to the server is asked again: a till left alone while
    // the server was away follows the counter once the server is back.
    if (!m_opened || !showsCounterNumber() || m_inDoubt ||
        !(m_recordsDb.isOpen() || m_recordsDb.isLost()))
        return Refresh::Unchanged;
    try {
        const QString number = ReceiptNumber::load(m_recordsDb, m_settings.receiptPrefix);
        if (number == m_counterNumber)
            return Refresh::Unchanged;
        m_header.number = number;
        m_counterNumber = number;
        return Refresh::Changed;
    } catch (const DatabaseError &) {
        return Refresh::Failed;
    }
}

void SalesSession::lookUpProduct(const QString &name)
{
    EntryRow &entry = m_sale.entry();
    entry.setName(name);
    if (const auto price = m_products.priceOf(name.trimmed())) {
        const QString before = m_lookedUpPrice ? m_lookedUpPrice->first : entry.price();
        entry.setPrice(*price);
        m_lookedUpPrice = QPair<QString, QString>(before, *price);
        return;
    }
    // The person may have typed a price of their own since: that one stays.
    if (m_lookedUpPrice && entry.price() == m_lookedUpPrice->second)
        entry.setPrice(m_lookedUpPrice->first);
    m_lookedUpPrice.reset();
}

SaleEntry::Outcome SalesSession::addLine()
{
    m_lookedUpPrice.reset();
    if (const auto product = m_products.productFor(m_sale.entry().name().trimmed()))
        m_sale.entry().setName(*product);
    return m_sale.addLine();
}

SaleEntry::Outcome SalesSession::modifyLine(int row)
{
    m_lookedUpPrice.reset();
    if (const auto product = m_products.productFor(m_sale.entry().name().trimmed()))
        m_sale.entry().setName(*product);
    return m_sale.modifyLine(row);
}

// Customers and phones are looked up in the list the window holds, as
// products are: typing never waits on the database.
void SalesSession::lookUpCustomer(const QString &customer)
{
    m_header.customer = customer;
    for (const auto &[name, phone] : std::as_const(m_customers)) {
        if (name == customer) {
            m_header.phone = phone;
            break;
        }
    }
}

void SalesSession::lookUpPhone(const QString &phone)
{
    m_header.phone = phone;
    for (const auto &[name, number] : std::as_const(m_customers)) {
        if (number == phone) {
            m_header.customer = name;
            break;
        }
    }
}

bool SalesSession::setDiscountEnabled(bool on)
{
    if (!attempt([&] { SalesSwitches::storeDiscountEnabled(m_settingsDb, on); }))
        return false;
    m_shop.discountEnabled = on;
    m_sale.setDiscountEnabled(on);
    return true;
}

bool SalesSession::setCustomerEnabled(bool on)
{
    m_header.customerEnabled = on;
    return attempt([&] { SalesSwitches::storeCustomerEnabled(m_settingsDb, on); });
}

bool SalesSession::setPhoneEnabled(bool on)
{
    m_header.phoneEnabled = on;
    m_settings.phoneEnabled = on;
    return attempt([&] { SalesSwitches::storePhoneEnabled(m_settingsDb, on); });
}

bool SalesSession::setPaymentEnabled(bool on)
{
    m_header.paymentEnabled = on;
    m_settings.paymentEnabled = on;
    return attempt([&] { SalesSwitches::storePaymentEnabled(m_settingsDb, on); });
}

bool SalesSession::setCashEnabled(bool on)
{
    m_header.cashEnabled = on;
    return attempt([&] { SalesSwitches::storeCashEnabled(m_settingsDb, on); });
}

SaleRecord SalesSession::record() const
{
    SaleRecord record;
    record.number = m_header.number;
    record.time = m_header.time;
    record.discountedTotal = m_sale.totals().discounted;
    record.totalQuantity = m_sale.totals().quantity;
    record.cashier = m_header.cashier;
    record.remark = m_header.remark;
    record.customer = m_header.customerEnabled ? m_header.customer : QString();
    record.phone = m_header.phoneEnabled ? m_header.phone : QString();
    record.payment = m_header.paymentEnabled ? m_header.payment : QString();
    record.lines = m_sale.lines().all();
    return record;
}

QString SalesSession::numberMovedMessage(const QString &taken, const QString &next)
{
    return QStringLiteral(
               "单号“%1”已经存在，不能重复保存！已换用下一个单号“%2”，请再保存或打印一次。")
        .arg(taken, next);
}

QString SalesSession::moveTakenNumber(const QString &taken)
{
    if (ReceiptNumber::load(m_recordsDb, m_settings.receiptPrefix) != taken)
        return SaleStore::numberTakenMessage(taken);
    QString next;
    {
        Transaction transaction(m_recordsDb);
        m_recordsDb.exec(m_recordsDb.dialect().lockCounter());
        QString current = taken;
        for (;;) {
            ReceiptNumber::consume(m_recordsDb);
            next = ReceiptNumber::load(m_recordsDb, m_settings.receiptPrefix);
            if (next == current) // the counter cannot go further: leave it as it was
                return SaleStore::numberTakenMessage(taken);
            if (!SaleStore::numberExists(m_recordsDb, next))
                break;
            current = next;
        }
        transaction.commit();
    }
    m_header.number = m_counterNumber = next;
    return numberMovedMessage(taken, next);
}

void SalesSession::rememberPayment(const QString &payment)
{
    LoginRow::storeLastPayment(m_settingsDb, payment);
    m_settings.lastPayment = payment;
}

void SalesSession::closeRecords()
{
    m_recordsDb.close();
}

bool SalesSession::reopenRecords()
{
    if (m_recordsDb.open(m_settings.recordsDsn))
        return true;
    return fail({QStringLiteral("不能打开数据库"), Failure::Weight::Notice, {}});
}

void SalesSession::takeBackFromSettings(const QString &shopName, const QString &remark,
                                        const QString &number)
{
    m_header.shopName = shopName;
    m_shop.shopName = shopName;
    m_header.remark = remark;
    m_shop.defaultRemark = remark;
    if (showsCounterNumber()) // only the prefix changed
        m_counterNumber = number;
    m_header.number = number;
}

bool SalesSession::rememberProduct(const QString &name, const QString &price)
{
    return attempt([&] { SalesCatalogue::rememberProduct(m_settingsDb, m_products, name, price); });
}

std::optional<Failure> SalesSession::takeFailure()
{
    return std::exchange(m_failure, std::nullopt);
}

bool SalesSession::attempt(const std::function<void()> &operation)
{
    try {
        operation();
        return true;
    } catch (const DatabaseError &error) {
        return fail({error.personText(), Failure::Weight::Error, {}});
    }
}

bool SalesSession::fail(const Failure &failure)
{
    m_failure = failure;
    return false;
}

SaleSnapshot SalesSession::snapshot() const
{
    const SaleEntry &sale = m_sale;
    const SaleHeader &header = m_header;
    SaleSnapshot snapshot;
    for (const SaleLine &line : sale.lines().all())
        snapshot.lines.append({line.name, line.quantity, line.price, line.amount, line.discounted});
    snapshot.totalQuantity = sale.totals().quantity;
    snapshot.totalAmount = sale.totals().amount;
    snapshot.discountedTotal = sale.totals().discounted;
    snapshot.cashReceived = sale.cash();
    snapshot.change = sale.change();
    snapshot.cashier = header.cashier;
    snapshot.customer = header.customer;
    snapshot.phone = header.phone;
    snapshot.payment = header.payment;
    snapshot.time = header.time;
    snapshot.receiptNumber = header.number;
    snapshot.remark = header.remark;
    snapshot.switches = {header.shopName,     sale.discountShown(), header.customerEnabled,
                         header.phoneEnabled, header.cashEnabled,   header.paymentEnabled};
    return snapshot;
}
