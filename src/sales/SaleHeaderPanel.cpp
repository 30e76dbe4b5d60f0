#include "sales/SaleHeaderPanel.h"

#include "ui_SaleHeaderPanel.h"

#include "controls/ShownText.h"
#include "sales/SaleHeader.h"

#include <QScopedValueRollback>

SaleHeaderPanel::SaleHeaderPanel(QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::SaleHeaderPanel>())
{
    ui->setupUi(this);
    connectFields();
}

SaleHeaderPanel::~SaleHeaderPanel() = default;

void SaleHeaderPanel::connectFields()
{
    const auto reported = [this](void (SaleHeaderPanel::*signal)(const QString &)) {
        return [this, signal](const QString &text) {
            if (!m_showing)
                emit(this->*signal)(text);
        };
    };
    connect(ui->customerBox, &QComboBox::editTextChanged, this,
            reported(&SaleHeaderPanel::customerEdited));
    connect(ui->customerBox, &QComboBox::textActivated, this,
            reported(&SaleHeaderPanel::customerChosen));
    connect(ui->phoneBox, &QComboBox::editTextChanged, this,
            reported(&SaleHeaderPanel::phoneEdited));
    connect(ui->phoneBox, &QComboBox::textActivated, this, reported(&SaleHeaderPanel::phoneChosen));

    // Each check box switches its field, then says so.
    const auto switching = [this](QWidget *field, void (SaleHeaderPanel::*signal)(bool)) {
        return [this, field, signal](bool on) {
            field->setEnabled(on);
            emit(this->*signal)(on);
        };
    };
    connect(ui->editTimeCheck, &QCheckBox::clicked, this,
            switching(ui->timeEdit, &SaleHeaderPanel::timeEditSwitched));
    connect(ui->customerCheck, &QCheckBox::clicked, this,
            switching(ui->customerBox, &SaleHeaderPanel::customerSwitched));
    connect(ui->phoneCheck, &QCheckBox::clicked, this,
            switching(ui->phoneBox, &SaleHeaderPanel::phoneSwitched));
    connect(ui->paymentCheck, &QCheckBox::clicked, this,
            switching(ui->paymentBox, &SaleHeaderPanel::paymentSwitched));

    connect(ui->customersButton, &QPushButton::clicked, this, &SaleHeaderPanel::customersClicked);
    connect(ui->paymentMethodsButton, &QPushButton::clicked, this,
            &SaleHeaderPanel::paymentMethodsClicked);
}

void SaleHeaderPanel::showHeader(const SaleHeader &header)
{
    const QScopedValueRollback<bool> showing(m_showing, true);
    ShownText::show(ui->shopNameEdit, header.shopName);
    ShownText::show(ui->numberEdit, header.number);
    if (ui->timeEdit->dateTime() != header.time)
        ui->timeEdit->setDateTime(header.time);
    ui->editTimeCheck->setChecked(header.timeEditable);
    ui->timeEdit->setEnabled(header.timeEditable);
    ShownText::show(ui->cashierBox, header.cashier);
    ShownText::show(ui->customerBox, header.customer);
    ShownText::show(ui->phoneBox, header.phone);
    ShownText::show(ui->paymentBox, header.payment);
    ui->customerCheck->setChecked(header.customerEnabled);
    ui->customerBox->setEnabled(header.customerEnabled);
    ui->phoneCheck->setChecked(header.phoneEnabled);
    ui->phoneBox->setEnabled(header.phoneEnabled);
    ui->paymentCheck->setChecked(header.paymentEnabled);
    ui->paymentBox->setEnabled(header.paymentEnabled);
}

void SaleHeaderPanel::take(SaleHeader &header) const
{
    header.shopName = ui->shopNameEdit->text();
    header.number = ui->numberEdit->text();
    header.time = ui->timeEdit->dateTime();
    header.timeEditable = ui->editTimeCheck->isChecked();
    header.cashier = ui->cashierBox->currentText();
    header.customer = ui->customerBox->currentText();
    header.customerEnabled = ui->customerCheck->isChecked();
    header.phone = ui->phoneBox->currentText();
    header.phoneEnabled = ui->phoneCheck->isChecked();
    header.payment = ui->paymentBox->currentText();
    header.paymentEnabled = ui->paymentCheck->isChecked();
}

void SaleHeaderPanel::showNumber(const QString &number)
{
    ShownText::show(ui->numberEdit, number);
}

QString SaleHeaderPanel::number() const
{
    return ui->numberEdit->text();
}

bool SaleHeaderPanel::numberHasFocus() const
{
    return ui->numberEdit->hasFocus();
}

void SaleHeaderPanel::showTime(const QDateTime &time)
{
    ui->timeEdit->setDateTime(time);
}

bool SaleHeaderPanel::timeEditable() const
{
    return ui->editTimeCheck->isChecked();
}

void SaleHeaderPanel::stepTime(int steps)
{
    ui->timeEdit->stepBy(steps);
}

QWidget *SaleHeaderPanel::wheelField() const
{
    return ui->timeEdit;
}

void SaleHeaderPanel::showCustomer(const QString &customer)
{
    const QScopedValueRollback<bool> showing(m_showing, true);
    ShownText::show(ui->customerBox, customer);
}

void SaleHeaderPanel::showPhone(const QString &phone)
{
    const QScopedValueRollback<bool> showing(m_showing, true);
    ShownText::show(ui->phoneBox, phone);
}

void SaleHeaderPanel::setLists(const QStringList &cashiers, const QStringList &customers,
                               const QStringList &phones, const QStringList &payments)
{
    const QScopedValueRollback<bool> showing(m_showing, true);
    ShownText::refill(ui->cashierBox, cashiers);
    ShownText::refill(ui->customerBox, customers);
    ShownText::refill(ui->phoneBox, phones);
    ShownText::refill(ui->paymentBox, payments);
}

void SaleHeaderPanel::setAdministrator(bool administrator)
{
    ui->numberEdit->setReadOnly(!administrator);
    ui->cashierBox->setEnabled(administrator);
}

void SaleHeaderPanel::setLocked(bool locked)
{
    if (!locked) {
        m_lock.unlock();
        return;
    }
    m_lock.lock({ui->shopNameEdit, ui->numberEdit, ui->editTimeCheck, ui->timeEdit,
                 ui->customerCheck, ui->customerBox, ui->customersButton, ui->phoneCheck,
                 ui->phoneBox, ui->cashierBox, ui->paymentCheck, ui->paymentBox,
                 ui->paymentMethodsButton});
}

QList<QWidget *> SaleHeaderPanel::tabOrder() const
{
    return {ui->shopNameEdit,
            ui->numberEdit,
            ui->editTimeCheck,
            ui->timeEdit,
            ui->customerCheck,
            ui->customerBox,
            ui->customersButton,
            ui->phoneCheck,
            ui->phoneBox,
            ui->cashierBox,
            ui->paymentCheck,
            ui->paymentBox,
            ui->paymentMethodsButton};
}
