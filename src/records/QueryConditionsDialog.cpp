#include "records/QueryConditionsDialog.h"
#include "ui_QueryConditionsDialog.h"

#include "controls/DbOperation.h"
#include "controls/Prompt.h"
#include "core/AppSettings.h"
#include "core/Clock.h"
#include "core/NumberText.h"
#include "data/Database.h"
#include "records/QueryBuilder.h"
#include "sales/SalesCatalogue.h"
#include "settings/PaymentMethods.h"

#include <QKeyEvent>
#include <QWheelEvent>

QueryConditionsDialog::QueryConditionsDialog(const AppSettings &settings, const SqlDialect &dialect,
                                             bool detailMode, Runner run, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::QueryConditionsDialog>()), m_dialect(dialect),
      m_detailMode(detailMode), m_showProductCode(settings.showProductCode), m_run(std::move(run))
{
    ui->setupUi(this);
    const QDateTime now = Clock::now();
    ui->fromEdit->setDateTime(now);
    ui->toEdit->setDateTime(now);
    ui->amountFromEdit->setText(QueryConditions::unlimited());
    ui->amountToEdit->setText(QueryConditions::unlimited());
    ui->cashierBox->setInsertPolicy(QComboBox::InsertAlphabetically);
    ui->paymentBox->setInsertPolicy(QComboBox::InsertAlphabetically);
    fillLists(settings);
    ui->cashierBox->setCurrentIndex(-1);
    ui->paymentBox->setCurrentIndex(-1);
    ui->cashierBox->setEditText(QString());
    ui->paymentBox->setEditText(QString());

    connect(ui->timeCheck, &QCheckBox::toggled, this, [this](bool on) {
        ui->fromEdit->setEnabled(on);
        ui->toEdit->setEnabled(on);
    });
    connect(ui->queryButton, &QPushButton::clicked, this, &QueryConditionsDialog::query);
    connect(ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
    watchWheel(this);
    for (QWidget *child : findChildren<QWidget *>())
        watchWheel(child);
}

QueryConditionsDialog::~QueryConditionsDialog() = default;

void QueryConditionsDialog::fillLists(const AppSettings &settings)
{
    Database db;
    if (!DbOperation::open(db, settings.settingsDsn, this))
        return;
    DbOperation::run(this, [&] {
        ui->cashierBox->addItems(SalesCatalogue::cashiers(db)); // as the login list orders them
        QStringList payments = PaymentMethods(db).texts();
        payments.sort();
        ui->paymentBox->addItems(payments);
    });
}

QueryConditions QueryConditionsDialog::conditions() const
{
    QueryConditions c;
    c.number = ui->numberEdit->text();
    c.timeRange = ui->timeCheck->isChecked();
    c.from = ui->fromEdit->dateTime();
    c.to = ui->toEdit->dateTime();
    c.customer = ui->customerEdit->text();
    c.phone = ui->phoneEdit->text();
    c.amountFrom = ui->amountFromEdit->text();
    c.amountTo = ui->amountToEdit->text();
    c.cashier = ui->cashierBox->currentText();
    c.payment = ui->paymentBox->currentText();
    c.remark = ui->remarkEdit->text();
    c.product = ui->productEdit->text();
    c.exact = ui->exactRadio->isChecked();
    c.showProductCode = m_showProductCode;
    return c;
}

void QueryConditionsDialog::query()
{
    const QueryStatement statement = QueryBuilder::sales(conditions(), m_dialect);
    if (!statement.isValid()) {
        Prompt::warn(this, statement.error);
        return;
    }
    if (m_run)
        m_run(statement, m_detailMode);
}

void QueryConditionsDialog::watchWheel(QWidget *widget)
{
    widget->installEventFilter(this);
}

bool QueryConditionsDialog::eventFilter(QObject *watched, QEvent *event)
{
    auto *amount = qobject_cast<QLineEdit *>(watched);
    const bool isAmount = amount && (amount == ui->amountFromEdit || amount == ui->amountToEdit);
    switch (event->type()) {
    case QEvent::KeyPress:
        if (isAmount)
            return filterAmountKey(static_cast<QKeyEvent *>(event));
        break;
    case QEvent::FocusIn:
        if (isAmount)
            amountFocusIn(amount);
        break;
    case QEvent::FocusOut:
        if (isAmount)
            amountFocusOut(amount);
        break;
    case QEvent::Wheel:
        // The pickers were stepped already; anything else (an open drop-down
        // list above all) gets the wheel as usual.
        wheelTurned(watched, static_cast<QWheelEvent *>(event));
        return isPicker(watched);
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

bool QueryConditionsDialog::filterAmountKey(QKeyEvent *event)
{
    // Only digits and "-" are typed; keys without a character (arrows,
    // Delete, Enter) keep their meaning, a decimal point does not come in.
    const QString text = event->text();
    if (text.isEmpty() || event->key() == Qt::Key_Backspace || !text[0].isPrint())
        return false;
    for (QChar c : text) {
        if (!c.isDigit() && c != u'-')
            return true;
    }
    return false;
}

void QueryConditionsDialog::amountFocusIn(QLineEdit *edit)
{
    if (edit->text() == QueryConditions::unlimited())
        edit->clear();
}

void QueryConditionsDialog::amountFocusOut(QLineEdit *edit)
{
    if (edit->text().isEmpty())
        edit->setText(QueryConditions::unlimited());
}

bool QueryConditionsDialog::isPicker(QObject *object) const
{
    for (QObject *o = object; o && o != this; o = o->parent()) {
        if (o == ui->fromEdit || o == ui->toEdit)
            return true;
    }
    return false;
}

void QueryConditionsDialog::wheelTurned(QObject *receiver, QWheelEvent *event)
{
    // A wheel event a child leaves comes again to each of its parents: it is
    // counted once, where it arrived first.
    auto *widget = qobject_cast<QWidget *>(receiver);
    const bool again = widget && m_lastWheel.receiver && widget != m_lastWheel.receiver &&
                       widget->isAncestorOf(m_lastWheel.receiver) &&
                       event->timestamp() == m_lastWheel.timestamp &&
                       event->globalPosition() == m_lastWheel.globalPosition &&
                       event->angleDelta() == m_lastWheel.angle;
    if (again)
        return;
    m_lastWheel = {widget, event->timestamp(), event->globalPosition(), event->angleDelta()};
    // One step a notch: a touchpad's many small turns add up to it.
    m_wheelAngle += event->angleDelta().y();
    for (; m_wheelAngle >= notch; m_wheelAngle -= notch)
        wheel(true);
    for (; m_wheelAngle <= -notch; m_wheelAngle += notch)
        wheel(false);
}

void QueryConditionsDialog::wheel(bool up)
{
    // The pickers step the part being edited, whichever field has the focus.
    for (QDateTimeEdit *picker : {ui->fromEdit, ui->toEdit})
        picker->stepBy(up ? 1 : -1);
    QWidget *focus = focusWidget();
    if (focus != ui->amountFromEdit && focus != ui->amountToEdit)
        return;
    auto *edit = static_cast<QLineEdit *>(focus);
    const int value = NumberText::toInt(edit->text());
    const int floor = edit == ui->amountFromEdit ? 0 : 1;
    if (up)
        edit->setText(QString::number(value + 1));
    else if (value > floor)
        edit->setText(QString::number(value - 1));
}
