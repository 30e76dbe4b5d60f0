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
#include <QCollator>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QWheelEvent>

#include <algorithm>

// What the controls do to the sale: lines and totals, the header's lookups,
// the receipt number.

void SalesDialog::addLine()
{
    apply(m_session.addLine());
    reported();
}

void SalesDialog::modifyLine()
{
    const SaleEntry::Selection selection = listSelection();
    // The row shown in the entry row: the one selected row, else the selection mark.
    const int row = selection.rows.size() == 1 ? selection.rows.first() : selection.mark;
    apply(m_session.modifyLine(row));
    reported();
}

void SalesDialog::deleteLines()
{
    apply(m_session.sale().deleteLines(listSelection()));
}

void SalesDialog::selectLine()
{
    apply(m_session.sale().selectLine(listSelection()));
}

void SalesDialog::relabelColumns()
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
        m_session.lookUpProduct(text);
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
    m_session.lookUpProduct(name);
    pushEntry();
}

void SalesDialog::onDiscountSwitched(bool on)
{
    pull();
    if (!reported(m_session.setDiscountEnabled(on))) {
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
    m_session.lookUpCustomer(text);
    m_pushing = true;
    setText(ui->phoneBox, m_session.header().phone);
    m_pushing = false;
}

void SalesDialog::onPhoneEdited(const QString &text)
{
    if (m_pushing)
        return;
    m_session.lookUpPhone(text);
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
// Numbering

void SalesDialog::loadReceiptNumber()
{
    reported(m_session.loadReceiptNumber());
    pushHeader();
}
