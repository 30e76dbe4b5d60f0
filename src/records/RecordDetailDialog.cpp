#include "records/RecordDetailDialog.h"
#include "ui_RecordDetailDialog.h"

#include "controls/AutoCompleteCombo.h"
#include "controls/DbOperation.h"
#include "controls/HoverButton.h"
#include "controls/Prompt.h"
#include "controls/SortableList.h"
#include "core/AppSettings.h"
#include "core/Clock.h"
#include "data/Database.h"
#include "sales/SaleEntry.h"
#include "sales/SaleNumbers.h"
#include "sales/SalesCatalogue.h"
#include "spreadsheet/ExportList.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace {

const QColor listBlue(115, 151, 236);

// A stored number as the query window shows it; an empty (NULL) column stays empty.
QString shownQuantity(const QString &stored)
{
    return stored.isEmpty() ? stored : SaleNumbers::quantity(SaleNumbers::value(stored));
}

QString shownMoney(const QString &stored)
{
    return stored.isEmpty() ? stored : SaleNumbers::money(SaleNumbers::value(stored));
}

enum Column
{
    Number,
    Name,
    Quantity,
    Price,
    Amount,
    Discounted
};

bool isEnter(QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

RecordDetailDialog::RecordDetailDialog(const AppSettings &settings, Database &records,
                                       const SaleDetails::Header &header, QWidget *parent)
    : QDialog(parent), ui(new Ui::RecordDetailDialog), m_settings(settings), m_records(records),
      m_header(header), m_administrator(settings.isAdministrator())
{
    ui->setupUi(this);
    setWindowTitle(QStringLiteral("销售票号: ") + header.number + QStringLiteral(" 详情"));
    ui->printButton->hide();
    setUpList();
    loadLines();
    loadChoices();
    showHeader();
    applyRights();
    connectControls();
    updateButtons();
    m_dirty = false;
}

RecordDetailDialog::~RecordDetailDialog() = default;

void RecordDetailDialog::setUpList()
{
    SortableList *list = ui->lineList;
    list->setColumns({{QStringLiteral("序号"), 43, Qt::AlignLeft},
                      {QStringLiteral("名称"), 110, Qt::AlignLeft},
                      {QStringLiteral("数量"), 76, Qt::AlignRight},
                      {QStringLiteral("单价"), 76, Qt::AlignRight},
                      {QStringLiteral("金额"), 87, Qt::AlignRight},
                      {QStringLiteral("折后"), 87, Qt::AlignRight}});
    list->setFullRowSelect(true);
    list->setGridLines(true);
    list->setMovableColumns(true);
    list->setRowHeights(17);
    list->setColours(listBlue, listBlue, Qt::black);
    list->setMultiSelect(false);
}

void RecordDetailDialog::loadLines()
{
    DbOperation::run(this, [this] {
        QList<QStringList> rows;
        const SaleLines stored = SaleDetails::load(m_records, m_header.number);
        m_stored.clear();
        for (const SaleLine &line : stored.all()) {
            rows.append({line.number, line.name, shownQuantity(line.quantity),
                         shownMoney(line.price), shownMoney(line.amount),
                         shownMoney(line.discounted)});
            m_stored.insert(line.itemData, line);
        }
        ui->lineList->setRows(rows);
    });
}

void RecordDetailDialog::loadChoices()
{
    if (!DbOperation::open(m_catalogue, m_settings.settingsDsn, this))
        return;
    DbOperation::run(this, [&] {
        ui->nameBox->addItems(SalesCatalogue::products(m_catalogue));
        for (const auto &[customer, phone] : SalesCatalogue::customers(m_catalogue)) {
            ui->customerBox->addItem(customer);
            ui->phoneBox->addItem(phone);
        }
        ui->paymentBox->addItems(SalesCatalogue::paymentMethods(m_catalogue));
    });
}

void RecordDetailDialog::showHeader()
{
    ui->nameBox->setEditText(QString());
    ui->quantityEdit->setText(EntryRow::defaultQuantity());
    ui->discountBox->addItems(EntryRow::discountChoices());
    ui->discountBox->setCurrentIndex(0);
    ui->customerBox->setEditText(m_header.customer);
    ui->phoneBox->setEditText(m_header.phone);
    ui->paymentBox->setEditText(m_header.payment);
    ui->timeEdit->setDateTime(SaleDetails::parseTime(m_header.time));
    ui->remarkEdit->setPlainText(m_header.remark);
    ui->totalEdit->setText(m_header.total);
}

void RecordDetailDialog::applyRights()
{
    for (QPushButton *button :
         {ui->addButton, ui->modifyButton, ui->deleteButton, ui->exportButton})
        button->setEnabled(m_administrator);
}

void RecordDetailDialog::connectControls()
{
    connect(ui->addButton, &QPushButton::clicked, this, &RecordDetailDialog::addLine);
    connect(ui->modifyButton, &QPushButton::clicked, this, &RecordDetailDialog::changeLine);
    connect(ui->deleteButton, &QPushButton::clicked, this, &RecordDetailDialog::deleteLine);
    connect(ui->saveButton, &QPushButton::clicked, this, &RecordDetailDialog::save);
    connect(ui->exportButton, &QPushButton::clicked, this, &RecordDetailDialog::exportLines);
    connect(ui->lineList, &SortableList::rowClicked, this, &RecordDetailDialog::copyLine);
    connect(ui->lineList, &SortableList::selectedRowsChanged, this,
            &RecordDetailDialog::updateButtons);
    connect(ui->lineList, &SortableList::deletePressed, this, [this] {
        if (m_administrator)
            deleteLine();
    });
    connect(ui->nameBox, &QComboBox::currentTextChanged, this, &RecordDetailDialog::lookUpPrice);

    for (QComboBox *box : {ui->customerBox, ui->phoneBox, ui->paymentBox})
        connect(box, &QComboBox::editTextChanged, this, &RecordDetailDialog::changed);
    connect(ui->timeEdit, &QDateTimeEdit::dateTimeChanged, this, &RecordDetailDialog::changed);
    connect(ui->remarkEdit, &QPlainTextEdit::textChanged, this, &RecordDetailDialog::changed);
    connect(ui->totalEdit, &QLineEdit::textEdited, this, &RecordDetailDialog::changed);

    // Enter in the entry row adds the line, as in the sales window.
    for (QWidget *field :
         QList<QWidget *>{ui->nameBox, ui->nameBox->lineEdit(), ui->quantityEdit, ui->priceEdit,
                          ui->discountBox, ui->discountBox->lineEdit()})
        field->installEventFilter(this);
}

bool RecordDetailDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (isEnter(event)) {
        if (m_administrator)
            addLine();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void RecordDetailDialog::keyPressEvent(QKeyEvent *event)
{
    // Enter elsewhere neither ends the dialog nor throws the edits away.
    if (isEnter(event))
        return;
    QDialog::keyPressEvent(event);
}

void RecordDetailDialog::updateButtons()
{
    ui->modifyButton->setEnabled(m_administrator && !ui->lineList->selectedRows().isEmpty());
}

bool RecordDetailDialog::readEntry(EntryRow &entry, bool checkName)
{
    const QString name = ui->nameBox->currentText().trimmed();
    if (checkName && name.isEmpty()) {
        Prompt::warn(this, SaleEntry::emptyNameMessage());
        ui->nameBox->setFocus();
        return false;
    }
    const QString quantity = ui->quantityEdit->text();
    if (SaleNumbers::value(quantity) == 0) {
        Prompt::warn(this, QStringLiteral("数量不能为零！"));
        ui->quantityEdit->setFocus();
        return false;
    }
    // An empty discount is the full price, as in the sales window, never a gift.
    const QString discount = ui->discountBox->currentText();
    entry.setDiscount(discount.trimmed().isEmpty() ? EntryRow::fullPrice() : discount);
    if (!(entry.d() >= 0 && entry.d() <= 10)) {
        Prompt::warn(this, SaleEntry::discountRangeMessage());
        ui->discountBox->setFocus();
        return false;
    }
    const QString price = ui->priceEdit->text();
    entry.setName(SaleLine::displayName(name, m_settings.showProductCode));
    entry.setQuantity(quantity);
    entry.setPrice(price.isEmpty() ? QStringLiteral("0.00") : price);
    return true;
}

void RecordDetailDialog::resetEntry()
{
    ui->discountBox->setCurrentIndex(0);
    ui->quantityEdit->setText(EntryRow::defaultQuantity());
    ui->nameBox->setEditText(QString());
    ui->priceEdit->clear();
    recomputeTotal();
    changed();
    ui->nameBox->setFocus();
}

void RecordDetailDialog::addLine()
{
    EntryRow entry;
    if (!readEntry(entry, true))
        return;
    SortableList *list = ui->lineList;
    // Numbered after the highest, so a delete and an add never repeat a number.
    int highest = 0;
    qint64 data = -1;
    for (int r = 0; r < list->rowCount(); ++r) {
        highest = std::max(highest, list->text(r, Number).toInt());
        data = std::max(data, list->itemData(r));
    }
    const int row =
        list->addRow({QString::number(highest + 1), entry.name(), SaleNumbers::quantity(entry.q()),
                      SaleNumbers::money(entry.p()), entry.amount(), entry.discounted()},
                     data + 1);
    list->selectOnly(row);
    list->scrollTo(list->model()->index(row, 0));
    resetEntry();
}

void RecordDetailDialog::changeLine()
{
    const QList<int> selected = ui->lineList->selectedRows();
    EntryRow entry;
    if (selected.isEmpty() || !readEntry(entry, false))
        return;
    const int row = selected.first();
    m_stored.remove(ui->lineList->itemData(row));
    ui->lineList->setText(row, Quantity, SaleNumbers::quantity(entry.q()));
    ui->lineList->setText(row, Price, SaleNumbers::money(entry.p()));
    ui->lineList->setText(row, Amount, entry.amount());
    ui->lineList->setText(row, Discounted, entry.discounted());
    resetEntry();
}

void RecordDetailDialog::deleteLine()
{
    if (ui->lineList->rowCount() <= 1) {
        Prompt::warn(this, QStringLiteral("不能再删除了！"));
        return;
    }
    const QList<int> selected = ui->lineList->selectedRows();
    if (selected.isEmpty())
        return;
    ui->lineList->removeRow(selected.first());
    recomputeTotal();
    changed();
    updateButtons();
}

void RecordDetailDialog::copyLine(int row)
{
    if (row < 0 || row >= ui->lineList->rowCount())
        return;
    ui->nameBox->setEditText(ui->lineList->text(row, Name));
    ui->quantityEdit->setText(ui->lineList->text(row, Quantity));
    ui->priceEdit->setText(ui->lineList->text(row, Price));
    // The line's own discount, so that changing its quantity or price keeps it.
    const QString discount =
        EntryRow::discountOf(ui->lineList->text(row, Quantity), ui->lineList->text(row, Price),
                             ui->lineList->text(row, Discounted));
    if (!discount.isEmpty())
        ui->discountBox->setEditText(discount);
}

void RecordDetailDialog::lookUpPrice(const QString &name)
{
    // Runs at every keystroke in the name box: the connection opened with the
    // dialog serves them all.
    if (name.isEmpty() || !m_catalogue.isOpen())
        return;
    DbOperation::run(this, [&] {
        if (const auto price = SalesCatalogue::priceOf(m_catalogue, name))
            ui->priceEdit->setText(*price);
    });
}

void RecordDetailDialog::recomputeTotal()
{
    ui->totalEdit->setText(SaleNumbers::money(lines().totals().discounted));
}

SaleLines RecordDetailDialog::lines() const
{
    SaleLines lines;
    const SortableList *list = ui->lineList;
    for (int row = 0; row < list->rowCount(); ++row) {
        SaleLine line = SaleDetails::line(row, list->text(row, Name), list->text(row, Quantity),
                                          list->text(row, Price), list->text(row, Amount),
                                          list->text(row, Discounted));
        line.number = list->text(row, Number);
        // A line the person did not change keeps its numbers as stored, not
        // as shown ("%g" keeps six digits).
        const auto stored = m_stored.constFind(list->itemData(row));
        if (stored != m_stored.constEnd()) {
            line.quantity = stored->quantity;
            line.price = stored->price;
            line.amount = stored->amount;
            line.discounted = stored->discounted;
        }
        lines.append(line);
    }
    return lines;
}

SaleDetails::Header RecordDetailDialog::header() const
{
    SaleDetails::Header header = m_header;
    header.time = Clock::stamp(ui->timeEdit->dateTime());
    header.customer = ui->customerBox->currentText();
    header.phone = ui->phoneBox->currentText();
    header.payment = ui->paymentBox->currentText();
    header.remark = ui->remarkEdit->toPlainText();
    header.total = ui->totalEdit->text();
    return header;
}

bool RecordDetailDialog::save()
{
    if (ui->lineList->rowCount() == 0) {
        Prompt::warn(this,
                     QStringLiteral("当前无记录可保存！请先按“添加（Enter）”按钮添加商品记录！"));
        return false;
    }
    const SaleDetails::Header edited = header();
    SaleDetails::Saved values;
    SaleDetails::Outcome outcome = SaleDetails::Outcome::Saved;
    if (!DbOperation::run(
            this, [&] { outcome = SaleDetails::save(m_records, edited, lines(), &values); }))
        return false;
    if (outcome == SaleDetails::Outcome::TotalNotANumber) {
        Prompt::warn(this,
                     QStringLiteral("合计金额“%1”不是有效的金额，请输入 -%2 到 %2 之间的数字！")
                         .arg(edited.total)
                         .arg(SaleDetails::kTotalLimit, 0, 'f', 0));
        ui->totalEdit->setFocus();
        ui->totalEdit->selectAll();
        return false;
    }
    if (outcome == SaleDetails::Outcome::SaleGone) {
        Prompt::warn(this, QStringLiteral("销售票号为%1的记录已被删除（可能是在另一台收银机上），"
                                          "修改没有保存。")
                               .arg(m_header.number));
        return false;
    }
    m_saved = true;
    m_dirty = false;
    m_savedHeader = edited;
    m_savedValues = values;
    Prompt::info(this, QStringLiteral("保存成功！"), QStringLiteral("恭喜"));
    return true;
}

void RecordDetailDialog::exportLines()
{
    if (m_administrator)
        exportList(this, *ui->lineList->listModel(), QStringLiteral("销售详情"), {0, 2, 3, 4, 5});
}

void RecordDetailDialog::done(int result)
{
    if (m_dirty) {
        const Prompt::Answer answer = Prompt::instance().ask(
            this, QStringLiteral("销售记录已修改，是否保存修改？"), Prompt::applicationTitle(),
            Prompt::Icon::Question, Prompt::Buttons::YesNoCancel);
        if (answer == Prompt::Answer::Cancel || (answer == Prompt::Answer::Yes && !save()))
            return;
    }
    QDialog::done(result);
}
