#include "sales/SaleLinesView.h"

#include "ui_SaleLinesView.h"

#include "controls/SortableList.h"
#include "sales/SaleLine.h"

namespace {

const QColor listBlue(115, 151, 236);

QStringList texts(const SaleLine &line)
{
    QStringList texts;
    for (int c = 0; c < SaleLine::ColumnCount; ++c)
        texts << line.text(c);
    return texts;
}

} // namespace

SaleLinesView::SaleLinesView(QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::SaleLinesView>())
{
    ui->setupUi(this);

    // The summary line: yellow on the list's blue.
    QFont summaryFont(QStringLiteral("宋体"));
    summaryFont.setPointSizeF(11.6);
    ui->summaryLabel->setFont(summaryFont);
    ui->summaryLabel->setAutoFillBackground(true);
    ui->summaryLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    QPalette summary = ui->summaryLabel->palette();
    summary.setColor(QPalette::Window, listBlue);
    summary.setColor(QPalette::WindowText, Qt::yellow);
    ui->summaryLabel->setPalette(summary);

    SortableList *list = ui->saleList;
    connect(list, &SortableList::rowClicked, this, [this](int) { emit lineClicked(); });
    connect(list, &SortableList::deletePressed, this, &SaleLinesView::deletePressed);
    connect(list, &SortableList::sorted, this, &SaleLinesView::sorted);
}

SaleLinesView::~SaleLinesView() = default;

SortableList *SaleLinesView::list() const
{
    return ui->saleList;
}

void SaleLinesView::setUpColumns(bool english)
{
    SortableList *list = ui->saleList;
    QList<SortableList::Column> columns;
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

void SaleLinesView::relabelColumns(bool english)
{
    for (int c = 0; c < SaleLine::ColumnCount; ++c)
        if (c != SaleLine::FullName)
            ui->saleList->setColumnTitle(c, SaleLine::header(c, english));
}

void SaleLinesView::showChange(SaleEntry::ListChange change, int row, const SaleLines &lines)
{
    SortableList *list = ui->saleList;
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

void SaleLinesView::showSelection(const SaleEntry::Selection &selection)
{
    if (selection.rows.isEmpty()) {
        ui->saleList->clearSelection();
        ui->saleList->setCurrentRow(selection.mark);
    } else {
        ui->saleList->selectOnly(selection.rows.first());
    }
}

SaleEntry::Selection SaleLinesView::selection() const
{
    return {ui->saleList->selectedRows(), ui->saleList->currentRow()};
}

QVector<int> SaleLinesView::order() const
{
    QVector<int> order;
    order.reserve(ui->saleList->rowCount());
    for (int row = 0; row < ui->saleList->rowCount(); ++row)
        order.append(int(ui->saleList->itemData(row)));
    return order;
}

void SaleLinesView::showSummary(const QString &summary)
{
    ui->summaryLabel->setText(summary);
}

void SaleLinesView::showDoubt(const QString &text, bool shown)
{
    ui->doubtLabel->setText(text);
    ui->doubtLabel->setVisible(shown);
}

void SaleLinesView::setLocked(bool locked)
{
    if (locked)
        m_lock.lock({ui->saleList});
    else
        m_lock.unlock();
}
