#include "sales/SalesDialog.h"

#include "ui_SalesDialog.h"

#include "controls/AutoCompleteCombo.h"
#include "controls/HoverButton.h"
#include "controls/Prompt.h"
#include "controls/SalesIcons.h"
#include "controls/SortableList.h"
#include "core/AppSettings.h"
#include "core/Clock.h"
#include "sales/SaleLine.h"

#include "controls/DbOperation.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QWheelEvent>

#include <algorithm>

// The form glue: the session's values into the controls and back, the
// drop-down lists, the sale list kept in step with the sale, the focus.

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
    fillCombo(ui->cashierBox, m_session.cashiers());
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
    SortableList *list = ui->saleList;
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
    SortableList *list = ui->saleList;
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
