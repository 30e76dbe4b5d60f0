#include "sales/SalesDialog.h"

#include "ui_SalesDialog.h"

#include "app/AppSettings.h"
#include "app/Clock.h"
#include "app/Prompt.h"
#include "controls/AutoCompleteCombo.h"
#include "controls/HoverButton.h"
#include "controls/SortListCtrl.h"
#include "sales/SaleLine.h"
#include "sales/SalesIcons.h"

#include "data/DbOperation.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCollator>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QWheelEvent>

#include <algorithm>

namespace {

const QColor listBlue(115, 151, 236);

// "10", "9.9", "9.8" ... "3.5", then "3.0", "2.5", "2.0", "1.5", "1.0": 71 entries.
QStringList discountList()
{
    QStringList list{QStringLiteral("10")};
    for (int tenths = 99; tenths >= 35; --tenths)
        list << QString::asprintf("%d.%d", tenths / 10, tenths % 10);
    list << QStringLiteral("3.0") << QStringLiteral("2.5") << QStringLiteral("2.0")
         << QStringLiteral("1.5") << QStringLiteral("1.0");
    return list;
}

QStringList cashList()
{
    return {QStringLiteral("100"), QStringLiteral("50"),  QStringLiteral("20"),
            QStringLiteral("10"),  QStringLiteral("150"), QStringLiteral("200")};
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

QString comingLater(const QString &what)
{
    return QStringLiteral("%1将在后续版本中提供").arg(what);
}

} // namespace

SalesDialog::SalesDialog(AppSettings &settings, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::SalesDialog>()), m_session(settings),
      m_windows(SalesWindows::installed())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setUpControls();
    connectControls();
    updateWindowControls();

    // Before the window opens: the records data source, and the clock.
    m_recordsReady = m_session.setUpRecordsSource(this);
    connect(&m_clock, &QTimer::timeout, this, &SalesDialog::onClockTick);
    m_clock.start(500);
    qApp->installEventFilter(this);

    if (m_recordsReady)
        openSession();
}

SalesDialog::~SalesDialog()
{
    qApp->removeEventFilter(this);
    m_clock.stop();
    // Hidden while the controls still exist: losing the focus makes the boxes
    // report their texts. After that nothing of theirs reaches this window.
    hide();
    for (QObject *child : findChildren<QObject *>())
        child->disconnect(this);
}

QString SalesDialog::leaveUnsavedQuestion()
{
    return QStringLiteral("当前小票还有未保存的商品，确定要退出吗？");
}

QString SalesDialog::titleFor(const AppSettings &settings)
{
    return QStringLiteral("QuillmarchV%1 —— 收银员：%2（%3）")
        .arg(QStringLiteral(QM_VERSION), settings.userName, settings.userPower);
}

int SalesDialog::exec()
{
    if (!m_recordsReady)
        return QDialog::Rejected;
    return QDialog::exec();
}

SortListCtrl *SalesDialog::saleList() const
{
    return ui->saleList;
}

// ---------------------------------------------------------------------------
// Setting up

void SalesDialog::setUpControls()
{
    setWindowIcon(SalesIcons::window());
    ui->calculatorIcon->setIcon(SalesIcons::calculator());
    setUpColumns();

    ui->discountBox->addItems(discountList());
    ui->discountBox->setEditText(EntryRow::fullPrice());
    ui->cashBox->addItems(cashList());
    ui->cashBox->setEditText(QString());
    ui->cashBox->setCompleter(nullptr); // a plain box: what is typed is what counts
    ui->quantityEdit->setText(EntryRow::defaultQuantity());

    // Summary line: yellow on the list's blue; the shortcut line blue; cash red; change green.
    QFont summaryFont(QStringLiteral("宋体"));
    summaryFont.setPointSizeF(11.6);
    ui->summaryLabel->setFont(summaryFont);
    ui->summaryLabel->setAutoFillBackground(true);
    ui->summaryLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    QPalette summary = ui->summaryLabel->palette();
    summary.setColor(QPalette::Window, listBlue);
    summary.setColor(QPalette::WindowText, Qt::yellow);
    ui->summaryLabel->setPalette(summary);
    setTextColour(ui->shortcutLabel, QColor(0, 0, 255));
    setTextColour(ui->cashCheck, QColor(197, 0, 0));
    setTextColour(ui->changeLabel, QColor(0, 199, 0));

    // A turn of the wheel never takes the focus to the box under the mouse: it
    // works on the field being edited (see handleWheel).
    for (QComboBox *box : findChildren<QComboBox *>())
        box->setFocusPolicy(Qt::StrongFocus);
    ui->timeEdit->setFocusPolicy(Qt::StrongFocus);

    ui->timeEdit->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    ui->timeEdit->setDateTime(m_session.header().time);
}

void SalesDialog::setUpColumns()
{
    SortListCtrl *list = ui->saleList;
    QList<SortListCtrl::Column> columns;
    const bool english = m_session.settings().labelLanguage != 0;
    for (int c = 0; c < SaleLine::ColumnCount; ++c)
        columns.append({SaleLine::header(c, english), SaleLine::width(c), SaleLine::alignment(c)});
    list->setColumns(columns);
    list->setColumnHidden(SaleLine::FullName, true);
    list->setFullRowSelect(true);
    list->setGridLines(true);
    list->setMovableColumns(true);
    list->setRowHeights(19);
    list->setColours(listBlue, listBlue, Qt::black);
}

void SalesDialog::connectControls()
{
    connectEntryRow();
    connectHeader();
    SortListCtrl *list = ui->saleList;
    connect(list, &SortListCtrl::rowClicked, this, [this](int) { SelectLine(); });
    connect(list, &SortListCtrl::deletePressed, this, &SalesDialog::DeleteLines);
    connect(list, &SortListCtrl::sorted, this, &SalesDialog::onListSorted);

    connect(ui->addButton, &QPushButton::clicked, this, &SalesDialog::AddLine);
    connect(ui->modifyButton, &QPushButton::clicked, this, &SalesDialog::ModifyLine);
    connect(ui->deleteButton, &QPushButton::clicked, this, &SalesDialog::DeleteLines);
    connect(ui->saveOnlyButton, &QPushButton::clicked, this, &SalesDialog::SaveOnly);
    connect(ui->printButton, &QPushButton::clicked, this, &SalesDialog::PrintReceipt);
    connect(ui->previewButton, &QPushButton::clicked, this, &SalesDialog::PreviewReceipt);
    connect(ui->queryButton, &QPushButton::clicked, this, &SalesDialog::OpenQuery);
    connect(ui->settingsButton, &QPushButton::clicked, this, &SalesDialog::OpenSettings);
    connect(ui->aboutButton, &QPushButton::clicked, this, &SalesDialog::OpenAbout);
    connect(ui->customersButton, &QPushButton::clicked, this, &SalesDialog::OpenCustomers);
    connect(ui->paymentMethodsButton, &QPushButton::clicked, this,
            &SalesDialog::OpenPaymentMethods);
    connect(ui->calculatorIcon, &QToolButton::clicked, this, &SalesDialog::StartCalculator);
}

void SalesDialog::connectEntryRow()
{
    using Field = SaleEntry::Field;
    const auto edited = [this](Field field) {
        return [this, field](const QString &text) { onEntryEdited(field, text); };
    };
    connect(ui->productBox, &QComboBox::editTextChanged, this, edited(Field::Name));
    connect(ui->productBox, &QComboBox::textActivated, this, &SalesDialog::onProductChosen);
    connect(ui->quantityEdit, &QLineEdit::textChanged, this, edited(Field::Quantity));
    connect(ui->priceEdit, &QLineEdit::textChanged, this, edited(Field::Price));
    connect(ui->amountEdit, &QLineEdit::textChanged, this, edited(Field::Amount));
    connect(ui->discountBox, &QComboBox::editTextChanged, this, edited(Field::Discount));
    // A box also reports its text as chosen when it merely loses the focus:
    // only a text that differs from the sale's is a choice.
    connect(ui->discountBox, &QComboBox::textActivated, this, [this](const QString &text) {
        if (!m_pushing && text != m_session.sale().entry().discount())
            onEntryEdited(SaleEntry::Field::Discount, text);
    });
    connect(ui->discountedEdit, &QLineEdit::textChanged, this, edited(Field::Discounted));
    connect(ui->discountCheck, &QCheckBox::clicked, this, &SalesDialog::onDiscountSwitched);
    connect(ui->roundOffButton, &QPushButton::clicked, this, [this] {
        m_session.sale().entry().roundOff();
        pushEntry();
    });

    const auto cash = [this](const QString &text) {
        if (m_pushing || text == m_session.sale().cash())
            return;
        // Said once when the cash goes out of range, not at every further key.
        const bool hadChange = !m_session.sale().change().isEmpty();
        const bool counted = m_session.sale().setCash(text);
        pushEntry();
        if (!counted && hadChange)
            Prompt::warn(this, SaleEntry::cashOutOfRangeMessage());
    };
    connect(ui->cashBox, &QComboBox::editTextChanged, this, cash);
    connect(ui->cashBox, &QComboBox::textActivated, this, cash);
}

void SalesDialog::connectHeader()
{
    connect(ui->customerBox, &QComboBox::editTextChanged, this, &SalesDialog::onCustomerEdited);
    connect(ui->customerBox, &QComboBox::textActivated, this, [this](const QString &text) {
        if (text != m_session.header().customer)
            onCustomerEdited(text);
    });
    connect(ui->phoneBox, &QComboBox::editTextChanged, this, &SalesDialog::onPhoneEdited);
    connect(ui->phoneBox, &QComboBox::textActivated, this, [this](const QString &text) {
        if (text != m_session.header().phone)
            onPhoneEdited(text);
    });

    connect(ui->editTimeCheck, &QCheckBox::clicked, this, [this](bool on) {
        m_session.header().timeEditable = on;
        ui->timeEdit->setEnabled(on);
    });
    connect(ui->customerCheck, &QCheckBox::clicked, this, [this](bool on) {
        pull();
        ui->customerBox->setEnabled(on);
        m_session.setCustomerEnabled(this, on);
    });
    connect(ui->phoneCheck, &QCheckBox::clicked, this, [this](bool on) {
        pull();
        ui->phoneBox->setEnabled(on);
        m_session.setPhoneEnabled(this, on);
    });
    connect(ui->paymentCheck, &QCheckBox::clicked, this, [this](bool on) {
        pull();
        ui->paymentBox->setEnabled(on);
        m_session.setPaymentEnabled(this, on);
    });
    connect(ui->cashCheck, &QCheckBox::clicked, this, [this](bool on) {
        pull();
        m_session.setCashEnabled(this, on);
    });
}

void SalesDialog::openSession()
{
    const AppSettings &settings = m_session.settings();
    if (!m_session.open(this))
        return; // the window stays open, unfilled
    setWindowTitle(titleFor(settings));
    loadPrintSettings();
    RelabelColumns();
    pushLists();
    applyUserRights();
    push();
    ui->productBox->setFocus();
}

void SalesDialog::applyUserRights()
{
    const bool administrator = m_session.settings().isAdministrator();
    ui->numberEdit->setReadOnly(!administrator);
    ui->cashierBox->setEnabled(administrator);
    ui->saveOnlyButton->setEnabled(administrator);
}

void SalesDialog::setWindows(const SalesWindows &windows)
{
    m_windows = windows;
    updateWindowControls();
}

void SalesDialog::updateWindowControls()
{
    const auto offer = [](QWidget *control, bool available, const QString &what) {
        control->setEnabled(available);
        control->setToolTip(available ? QString() : comingLater(what));
    };
    offer(ui->printButton, bool(m_windows.print), QStringLiteral("打印小票"));
    offer(ui->previewButton, bool(m_windows.preview), QStringLiteral("打印预览"));
    offer(ui->settingsButton, bool(m_windows.settings), QStringLiteral("设置窗口"));
    offer(ui->customersButton, bool(m_windows.customers), QStringLiteral("客户设置窗口"));
    offer(ui->paymentMethodsButton, bool(m_windows.paymentMethods),
          QStringLiteral("付款方式设置窗口"));
    offer(ui->queryButton, bool(m_windows.query), QStringLiteral("查询统计窗口"));
    offer(ui->aboutButton, bool(m_windows.about), QStringLiteral("关于窗口"));
}

// ---------------------------------------------------------------------------
// Showing the session

void SalesDialog::setText(QLineEdit *edit, const QString &text)
{
    if (edit->text() != text)
        edit->setText(text);
}

void SalesDialog::setText(QComboBox *box, const QString &text)
{
    if (box->currentText() != text)
        box->setEditText(text);
}

void SalesDialog::setText(QPlainTextEdit *edit, const QString &text)
{
    if (edit->toPlainText() != text)
        edit->setPlainText(text);
}

void SalesDialog::pushEntry()
{
    const bool outer = !m_pushing;
    m_pushing = true;
    const SaleEntry &sale = m_session.sale();
    const EntryRow &entry = sale.entry();
    setText(ui->productBox, entry.name());
    setText(ui->quantityEdit, entry.quantity());
    setText(ui->priceEdit, entry.price());
    setText(ui->amountEdit, entry.amount());
    setText(ui->discountBox, entry.discount());
    setText(ui->discountedEdit, entry.discounted());
    setText(ui->cashBox, sale.cash());
    setText(ui->changeEdit, sale.change());
    ui->summaryLabel->setText(sale.summary());
    if (outer)
        m_pushing = false;
}

void SalesDialog::pushHeader()
{
    const bool outer = !m_pushing;
    m_pushing = true;
    const SaleHeader &header = m_session.header();
    setText(ui->shopNameEdit, header.shopName);
    setText(ui->numberEdit, header.number);
    if (ui->timeEdit->dateTime() != header.time)
        ui->timeEdit->setDateTime(header.time);
    ui->editTimeCheck->setChecked(header.timeEditable);
    ui->timeEdit->setEnabled(header.timeEditable);
    setText(ui->cashierBox, header.cashier);
    setText(ui->remarkEdit, header.remark);
    setText(ui->customerBox, header.customer);
    setText(ui->phoneBox, header.phone);
    setText(ui->paymentBox, header.payment);
    ui->customerCheck->setChecked(header.customerEnabled);
    ui->customerBox->setEnabled(header.customerEnabled);
    ui->phoneCheck->setChecked(header.phoneEnabled);
    ui->phoneBox->setEnabled(header.phoneEnabled);
    ui->paymentCheck->setChecked(header.paymentEnabled);
    ui->paymentBox->setEnabled(header.paymentEnabled);
    ui->cashCheck->setChecked(header.cashEnabled);
    const bool discount = m_session.sale().discountEnabled();
    ui->discountCheck->setChecked(discount);
    ui->discountBox->setEnabled(discount);
    ui->discountedEdit->setEnabled(discount);
    ui->roundOffButton->setEnabled(discount);
    if (outer)
        m_pushing = false;
}

void SalesDialog::push()
{
    m_pushing = true;
    pushHeader();
    pushEntry();
    m_pushing = false;
}

void SalesDialog::pull()
{
    SaleHeader &header = m_session.header();
    header.shopName = ui->shopNameEdit->text();
    header.number = ui->numberEdit->text();
    header.time = ui->timeEdit->dateTime();
    header.timeEditable = ui->editTimeCheck->isChecked();
    header.cashier = ui->cashierBox->currentText();
    header.remark = ui->remarkEdit->toPlainText();
    header.customer = ui->customerBox->currentText();
    header.customerEnabled = ui->customerCheck->isChecked();
    header.phone = ui->phoneBox->currentText();
    header.phoneEnabled = ui->phoneCheck->isChecked();
    header.payment = ui->paymentBox->currentText();
    header.paymentEnabled = ui->paymentCheck->isChecked();
    header.cashEnabled = ui->cashCheck->isChecked();
}

// Lists are refilled without touching what the boxes show.
void SalesDialog::fillCombo(QComboBox *box, const QStringList &items)
{
    const bool outer = !m_pushing;
    m_pushing = true;
    const QString text = box->currentText();
    box->clear();
    box->addItems(items);
    box->setCurrentIndex(-1);
    box->setEditText(text);
    if (outer)
        m_pushing = false;
}

void SalesDialog::pushLists()
{
    QStringList cashiers = m_session.cashiers();
    QCollator collator{QLocale(QLocale::Chinese, QLocale::China)};
    std::sort(cashiers.begin(), cashiers.end(), collator);
    fillCombo(ui->cashierBox, cashiers);
    fillCombo(ui->customerBox, m_session.customerNames());
    fillCombo(ui->phoneBox, m_session.customerPhones());
    fillCombo(ui->paymentBox, m_session.paymentMethods());
    fillCombo(ui->productBox, m_session.products());
}

// A product remembered by adding a line joins the list of the name box.
void SalesDialog::syncProducts()
{
    const QStringList &products = m_session.products();
    if (ui->productBox->count() == products.size())
        return;
    const bool outer = !m_pushing;
    m_pushing = true;
    const QString text = ui->productBox->currentText();
    for (qsizetype i = ui->productBox->count(); i < products.size(); ++i)
        ui->productBox->addItem(products.at(i));
    ui->productBox->setCurrentIndex(-1);
    ui->productBox->setEditText(text);
    if (outer)
        m_pushing = false;
}

void SalesDialog::syncList(SaleEntry::ListChange change, int row)
{
    SortListCtrl *list = ui->saleList;
    const SaleLines &lines = m_session.sale().lines();
    const auto texts = [](const SaleLine &line) {
        QStringList texts;
        for (int c = 0; c < SaleLine::ColumnCount; ++c)
            texts << line.text(c);
        return texts;
    };
    switch (change) {
    case SaleEntry::ListChange::None:
        break;
    case SaleEntry::ListChange::Appended:
        list->addRow(texts(lines.at(row)), lines.at(row).itemData);
        break;
    case SaleEntry::ListChange::RowChanged:
        for (int c = 0; c < SaleLine::ColumnCount; ++c)
            list->setText(row, c, lines.at(row).text(c));
        break;
    case SaleEntry::ListChange::Reset: {
        QList<SortListModel::Row> rows;
        rows.reserve(lines.count());
        for (const SaleLine &line : lines.all())
            rows.append({texts(line), line.itemData});
        list->setRows(std::move(rows));
        break;
    }
    }
}

void SalesDialog::apply(const SaleEntry::Outcome &outcome)
{
    syncList(outcome.list, outcome.row);
    syncProducts();
    SortListCtrl *list = ui->saleList;
    if (outcome.selection) {
        const SaleEntry::Selection &selection = *outcome.selection;
        if (selection.rows.isEmpty()) {
            list->clearSelection();
            list->setCurrentRow(selection.mark);
        } else {
            list->selectOnly(selection.rows.first());
        }
    }
    if (outcome.modifyEnabled)
        ui->modifyButton->setEnabled(*outcome.modifyEnabled);
    if (outcome.deleteEnabled)
        ui->deleteButton->setEnabled(*outcome.deleteEnabled);
    pushEntry();
    if (!outcome.message.isEmpty())
        Prompt::info(this, outcome.message);
    focusField(outcome.focus);
}

void SalesDialog::focusField(SaleEntry::Field field)
{
    using Field = SaleEntry::Field;
    QWidget *target = nullptr;
    switch (field) {
    case Field::None:
        return;
    case Field::Name:
        target = ui->productBox;
        break;
    case Field::Quantity:
        target = ui->quantityEdit;
        break;
    case Field::Price:
        target = ui->priceEdit;
        break;
    case Field::Amount:
        target = ui->amountEdit;
        break;
    case Field::Discount:
        target = ui->discountBox;
        break;
    case Field::Discounted:
        target = ui->discountedEdit;
        break;
    }
    target->setFocus();
}

SaleEntry::Field SalesDialog::focusedField() const
{
    using Field = SaleEntry::Field;
    const QWidget *focus = QApplication::focusWidget();
    if (!focus)
        return Field::None;
    if (focus == ui->quantityEdit)
        return Field::Quantity;
    if (focus == ui->priceEdit)
        return Field::Price;
    if (focus == ui->amountEdit)
        return Field::Amount;
    if (focus == ui->discountedEdit)
        return Field::Discounted;
    if (focus == ui->productBox || ui->productBox->isAncestorOf(focus))
        return Field::Name;
    if (focus == ui->discountBox || ui->discountBox->isAncestorOf(focus))
        return Field::Discount;
    return Field::None;
}

SaleEntry::Selection SalesDialog::listSelection() const
{
    return {ui->saleList->selectedRows(), ui->saleList->currentRow()};
}

// ---------------------------------------------------------------------------
// Sale lines and totals

void SalesDialog::AddLine()
{
    apply(m_session.sale().addLine());
}

void SalesDialog::ModifyLine()
{
    const SaleEntry::Selection selection = listSelection();
    // The row shown in the entry row: the one selected row, else the selection mark.
    const int row = selection.rows.size() == 1 ? selection.rows.first() : selection.mark;
    apply(m_session.sale().modifyLine(row));
}

void SalesDialog::DeleteLines()
{
    apply(m_session.sale().deleteLines(listSelection()));
}

void SalesDialog::SelectLine()
{
    apply(m_session.sale().selectLine(listSelection()));
}

void SalesDialog::RecalculateTotals()
{
    m_session.sale().recalculateTotals();
    pushEntry();
}

void SalesDialog::RelabelColumns()
{
    const bool english = m_session.settings().labelLanguage != 0;
    for (int c = 0; c < SaleLine::ColumnCount; ++c)
        if (c != SaleLine::FullName)
            ui->saleList->setColumnTitle(c, SaleLine::header(c, english));
}

void SalesDialog::onEntryEdited(SaleEntry::Field field, const QString &text)
{
    using Field = SaleEntry::Field;
    if (m_pushing)
        return;
    EntryRow &entry = m_session.sale().entry();
    switch (field) {
    case Field::Name:
        m_session.lookUpProduct(this, text);
        break;
    case Field::Quantity:
        // The quantity's rule runs only while the person is in the field.
        if (ui->quantityEdit->hasFocus())
            entry.typeQuantity(text);
        else
            entry.setQuantity(text);
        break;
    case Field::Price:
        entry.setPrice(text);
        break;
    case Field::Amount:
        entry.typeAmount(text);
        break;
    case Field::Discount:
        if (m_session.sale().discountEnabled())
            entry.setDiscount(text);
        break;
    case Field::Discounted:
        entry.setDiscounted(text);
        break;
    case Field::None:
        return;
    }
    pushEntry();
}

void SalesDialog::onProductChosen(const QString &name)
{
    if (m_pushing || name == m_session.sale().entry().name())
        return;
    m_session.lookUpProduct(this, name);
    pushEntry();
}

void SalesDialog::onDiscountSwitched(bool on)
{
    pull();
    if (!m_session.setDiscountEnabled(this, on)) {
        ui->discountCheck->setChecked(!on);
        return;
    }
    pushEntry();
    ui->discountBox->setEnabled(on);
    ui->discountedEdit->setEnabled(on);
    ui->roundOffButton->setEnabled(on);
}

void SalesDialog::onCustomerEdited(const QString &text)
{
    if (m_pushing)
        return;
    m_session.lookUpCustomer(this, text);
    m_pushing = true;
    setText(ui->phoneBox, m_session.header().phone);
    m_pushing = false;
}

void SalesDialog::onPhoneEdited(const QString &text)
{
    if (m_pushing)
        return;
    m_session.lookUpPhone(this, text);
    m_pushing = true;
    setText(ui->customerBox, m_session.header().customer);
    m_pushing = false;
}

void SalesDialog::onClockTick()
{
    if (ui->editTimeCheck->isChecked())
        return;
    m_session.header().time = Clock::now();
    ui->timeEdit->setDateTime(m_session.header().time);
}

void SalesDialog::onListSorted()
{
    QVector<int> order;
    order.reserve(ui->saleList->rowCount());
    for (int row = 0; row < ui->saleList->rowCount(); ++row)
        order.append(int(ui->saleList->itemData(row)));
    m_session.sale().reorder(order);
}

// ---------------------------------------------------------------------------
// Numbering and finishing

void SalesDialog::LoadReceiptNumber()
{
    m_session.loadReceiptNumber(this);
    pushHeader();
}

void SalesDialog::showNextSale()
{
    syncList(SaleEntry::ListChange::Reset, -1);
    ui->saleList->clearSelection();
    ui->saleList->setCurrentRow(-1);
    ui->modifyButton->setEnabled(false);
    ui->deleteButton->setEnabled(false);
    push();
    ui->productBox->setFocus();
}

void SalesDialog::SaveOnly()
{
    pull();
    if (m_session.saveOnly(this))
        showNextSale();
    else
        pushHeader(); // the number may have moved on (a taken number)
}

bool SalesDialog::SaveSaleRecord()
{
    pull();
    const bool saved = m_session.saveSaleRecord(this);
    if (!saved)
        pushHeader();
    return saved;
}

bool SalesDialog::FinishSale()
{
    const bool done = m_session.finishSale(this);
    if (done)
        showNextSale();
    return done;
}

int SalesDialog::saleLineCount() const
{
    return m_session.sale().lines().count();
}

SaleSnapshot SalesDialog::takeSale()
{
    pull();
    const SaleEntry &sale = m_session.sale();
    const SaleHeader &header = m_session.header();
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
    snapshot.switches = {header.shopName,     sale.discountEnabled(), header.customerEnabled,
                         header.phoneEnabled, header.cashEnabled,     header.paymentEnabled};
    return snapshot;
}

void SalesDialog::ResetRemark()
{
    m_session.resetRemark();
    m_pushing = true;
    setText(ui->remarkEdit, m_session.header().remark);
    m_pushing = false;
}

bool SalesDialog::ConsumeReceiptNumber()
{
    return m_session.consumeReceiptNumber(this);
}

void SalesDialog::StartNextSale()
{
    if (m_session.startNextSale(this))
        showNextSale();
}

// ---------------------------------------------------------------------------
// Other windows

void SalesDialog::PrintReceipt()
{
    if (m_windows.print)
        m_windows.print(*this);
}

void SalesDialog::PreviewReceipt()
{
    if (m_windows.preview)
        m_windows.preview(*this);
}

void SalesDialog::loadPrintSettings()
{
    DbOperation::run(this, [&] {
        m_printSettings =
            ShopPrintSettings::load(m_session.settingsDb(), QPrinterInfo::defaultPrinterName());
    });
}

void SalesDialog::OpenSettings()
{
    if (!m_windows.settings)
        return;
    pull();
    const SaleHeader &header = m_session.header();
    SettingsHandover texts{header.shopName, header.remark, header.number};
    m_windows.settings(this, texts);
    m_session.takeBackFromSettings(texts.shopName, texts.remark, texts.receiptNumber);
    m_session.reloadShopInfo(this);
    loadPrintSettings();
    m_session.reloadCashiers(this);
    push();
    m_session.reloadProducts(this);
    pushLists();
    ui->productBox->setFocus();
    RelabelColumns();
}

void SalesDialog::OpenCustomers()
{
    if (!m_windows.customers)
        return;
    QString lastCustomer;
    if (!m_windows.customers(this, lastCustomer))
        return;
    m_session.reloadCustomers(this);
    pushLists();
    m_pushing = true;
    m_session.header().customer = lastCustomer;
    setText(ui->customerBox, lastCustomer);
    m_pushing = false;
}

void SalesDialog::OpenPaymentMethods()
{
    if (!m_windows.paymentMethods)
        return;
    m_windows.paymentMethods(this);
    m_session.reloadPaymentMethods(this);
    pushLists();
}

void SalesDialog::OpenQuery()
{
    if (!m_windows.query)
        return;
    m_session.closeRecords();
    m_windows.query(*this);
    if (m_session.reopenRecords(this))
        ui->productBox->setFocus();
}

void SalesDialog::OpenAbout()
{
    if (m_windows.about)
        m_windows.about(*this);
}

void SalesDialog::OpenHelp()
{
    if (m_windows.help)
        m_windows.help(*this);
}

void SalesDialog::StartCalculator()
{
    for (const char *name : {"gnome-calculator", "kcalc", "mate-calc", "galculator", "xcalc"}) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!program.isEmpty() && QProcess::startDetached(program, {}))
            return;
    }
    Prompt::warn(this, QStringLiteral("没有找到计算器程序，请先安装一个计算器。"));
}

// ---------------------------------------------------------------------------
// Keyboard, wheel, closing

bool SalesDialog::eventFilter(QObject *watched, QEvent *event)
{
    const auto type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::Wheel && type != QEvent::InputMethod)
        return QDialog::eventFilter(watched, event);
    QWidget *widget = qobject_cast<QWidget *>(watched);
    if (!widget || (widget != this && !isAncestorOf(widget)))
        return QDialog::eventFilter(watched, event);
    if (type == QEvent::KeyPress && handleKey(static_cast<QKeyEvent *>(event)))
        return true;
    if (type == QEvent::Wheel)
        return handleWheel(watched, static_cast<QWheelEvent *>(event));
    if (filterNumericKey(watched, event))
        return true;
    return QDialog::eventFilter(watched, event);
}

bool SalesDialog::handleKey(QKeyEvent *event)
{
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    if (event->key() == Qt::Key_F5 || (keypad && event->key() == Qt::Key_Plus)) {
        PrintReceipt();
        return true;
    }
    if (keypad && event->key() == Qt::Key_Asterisk) {
        focusNextChild(); // "换行": on to the next field
        return true;
    }
    if (event->key() == Qt::Key_F1) {
        OpenHelp();
        return true;
    }
    return false;
}

// Quantity, price, discount and discounted amount take only digits, "-", "."
// and Backspace; other characters are dropped. Keys without text pass.
bool SalesDialog::filterNumericKey(QObject *watched, QEvent *event)
{
    const bool numeric = watched == ui->quantityEdit || watched == ui->priceEdit ||
                         watched == ui->discountedEdit || watched == ui->discountBox ||
                         watched == ui->discountBox->lineEdit();
    if (!numeric)
        return false;
    const auto allowed = [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= '0' && u <= '9') || u == '-' || u == '.' || u == '\b';
    };
    if (event->type() == QEvent::InputMethod) {
        auto *input = static_cast<QInputMethodEvent *>(event);
        const QString commit = input->commitString();
        return !std::all_of(commit.begin(), commit.end(), allowed);
    }
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return false;
    return !std::all_of(text.begin(), text.end(), allowed);
}

// The wheel works on the field that has the focus, wherever the mouse is: the
// quantity or the price steps by one a notch, the sale time (while "修改时间"
// is ticked) steps the part being edited. A drop-down box or the time under
// the mouse without the focus does not take the turn: the cashier, payment
// method or product must not change unseen.
bool SalesDialog::handleWheel(QObject *watched, QWheelEvent *event)
{
    const int angle = event->angleDelta().y();
    const SaleEntry::Field focus = focusedField();
    const bool onNumber = focus == SaleEntry::Field::Quantity || focus == SaleEntry::Field::Price;
    const bool onTime = ui->timeEdit->isEnabled() && ui->timeEdit->hasFocus();
    if (!onNumber && !onTime) {
        // Empty quantity and price show zero; the control under the mouse scrolls as usual.
        if (angle != 0) {
            m_session.sale().wheel(angle > 0, SaleEntry::Field::None);
            pushEntry();
        }
        return isUnfocusedEntryBox(watched);
    }
    // The focused field takes the whole turn, one step a notch.
    m_wheelAngle += angle;
    int timeSteps = 0;
    while (m_wheelAngle >= 120 || m_wheelAngle <= -120) {
        const bool forward = m_wheelAngle > 0;
        m_wheelAngle += forward ? -120 : 120;
        m_session.sale().wheel(forward, onNumber ? focus : SaleEntry::Field::None);
        timeSteps += forward ? 1 : -1;
    }
    if (onTime && timeSteps != 0)
        ui->timeEdit->stepBy(timeSteps);
    pushEntry();
    return true;
}

bool SalesDialog::isUnfocusedEntryBox(QObject *watched) const
{
    const QWidget *focus = QApplication::focusWidget();
    for (QWidget *widget = qobject_cast<QWidget *>(watched); widget && widget != this;
         widget = widget->parentWidget()) {
        if (qobject_cast<QComboBox *>(widget) || qobject_cast<QAbstractSpinBox *>(widget))
            return focus != widget && !widget->isAncestorOf(focus);
    }
    return false;
}

void SalesDialog::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    QAction *about = menu.addAction(QStringLiteral("关于 Quillmarch(&A)..."));
    about->setEnabled(bool(m_windows.about));
    if (menu.exec(event->globalPos()) == about)
        OpenAbout();
}

void SalesDialog::reject()
{
    if (!m_session.sale().lines().isEmpty() && !Prompt::yesNo(this, leaveUnsavedQuestion()))
        return;
    m_clock.stop();
    m_session.close();
    QDialog::reject();
}
