#include "controls/SortListCtrl.h"

#include "controls/SortHeaderCtrl.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

SortListCtrl::SortListCtrl(QWidget *parent)
    : QTableView(parent), m_model(new SortListModel(this)), m_sortable(m_model),
      m_header(new SortHeaderCtrl(this))
{
    setHorizontalHeader(m_header);
    setModel(m_model);
    m_header->setSectionsClickable(true);
    m_header->setStretchLastSection(false);
    m_header->setMinimumSectionSize(0);
    m_header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    QHeaderView *rows = verticalHeader();
    rows->hide();
    rows->setMinimumSectionSize(1);
    rows->setSectionResizeMode(QHeaderView::Fixed);

    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    connect(m_header, &QHeaderView::sectionClicked, this, &SortListCtrl::sortByClick);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &SortListCtrl::selectedRowsChanged);
    connect(m_model, &SortableModel::sorted, this, &SortListCtrl::sorted);
}

void SortListCtrl::setSortableModel(SortableModel *model)
{
    disconnect(m_sortable, &SortableModel::sorted, this, &SortListCtrl::sorted);
    m_sortable = model ? model : m_model;
    setModel(m_sortable);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &SortListCtrl::selectedRowsChanged);
    connect(m_sortable, &SortableModel::sorted, this, &SortListCtrl::sorted);
}

void SortListCtrl::setColumns(const QList<Column> &columns)
{
    QList<SortListModel::Column> modelColumns;
    for (const Column &column : columns)
        modelColumns.append({column.title, column.alignment});
    m_model->setColumns(modelColumns);
    for (int i = 0; i < columns.size(); ++i)
        setColumnWidth(i, columns[i].width);
}

void SortListCtrl::addColumn(const Column &column)
{
    m_model->addColumn({column.title, column.alignment});
    setColumnWidth(m_model->columnCount() - 1, column.width);
}

void SortListCtrl::setColumnTitle(int column, const QString &title)
{
    m_model->setColumnTitle(column, title);
}

int SortListCtrl::addRow(const QStringList &texts, qint64 data)
{
    return m_model->appendRow(texts, data);
}

void SortListCtrl::insertRow(int row, const QStringList &texts, qint64 data)
{
    m_model->insertRow(row, texts, data);
}

void SortListCtrl::removeRow(int row)
{
    m_model->removeRow(row);
}

void SortListCtrl::clear()
{
    m_model->clear();
}

void SortListCtrl::setRows(QList<SortListModel::Row> rows)
{
    m_model->setRows(std::move(rows));
}

void SortListCtrl::setRows(const QList<QStringList> &rows)
{
    QList<SortListModel::Row> numbered;
    numbered.reserve(rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i)
        numbered.append({rows[i], i});
    m_model->setRows(std::move(numbered));
}

void SortListCtrl::appendRows(QList<SortListModel::Row> rows)
{
    m_model->appendRows(std::move(rows));
}

QString SortListCtrl::text(int row, int column) const
{
    if (m_sortable == m_model)
        return m_model->text(row, column);
    return m_sortable->index(row, column).data().toString();
}

QList<int> SortListCtrl::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

int SortListCtrl::currentRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void SortListCtrl::setCurrentRow(int row)
{
    if (row < 0 || row >= rowCount()) {
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        return;
    }
    selectionModel()->setCurrentIndex(m_sortable->index(row, 0), QItemSelectionModel::NoUpdate);
}

void SortListCtrl::selectOnly(int row)
{
    if (row < 0 || row >= rowCount()) {
        clearSelection();
        setCurrentRow(-1);
        return;
    }
    const QModelIndex index = m_sortable->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    scrollTo(index);
}

void SortListCtrl::setMultiSelect(bool multi)
{
    setSelectionMode(multi ? QAbstractItemView::ExtendedSelection
                           : QAbstractItemView::SingleSelection);
}

void SortListCtrl::setRowHeights(int pixels)
{
    verticalHeader()->setDefaultSectionSize(std::max(1, pixels));
}

int SortListCtrl::rowHeights() const
{
    return verticalHeader()->defaultSectionSize();
}

void SortListCtrl::setColours(const QColor &background, const QColor &textBackground,
                              const QColor &text)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Base, background);
    colours.setColor(QPalette::AlternateBase, background);
    colours.setColor(QPalette::Text, text);
    setPalette(colours);
    m_model->setTextBackground(textBackground);
}

void SortListCtrl::setFullRowSelect(bool on)
{
    setSelectionBehavior(on ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

void SortListCtrl::setMovableColumns(bool movable)
{
    m_header->setSectionsMovable(movable);
}

void SortListCtrl::sortByClick(int column)
{
    if (column < 0 || column >= columnCount())
        return;
    m_sortable->clickColumn(column);
    m_header->setSortMark(column, m_sortable->sortAscending());
}

void SortListCtrl::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete)
        emit deletePressed();
    QTableView::keyPressEvent(event);
}

void SortListCtrl::mousePressEvent(QMouseEvent *event)
{
    m_leftPressed = event->button() == Qt::LeftButton;
    QTableView::mousePressEvent(event);
}

void SortListCtrl::mouseReleaseEvent(QMouseEvent *event)
{
    QTableView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && m_leftPressed) {
        m_leftPressed = false;
        emit rowClicked(indexAt(event->position().toPoint()).row());
    }
}

void SortListCtrl::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit rowDoubleClicked(indexAt(event->position().toPoint()).row());
}

void SortListCtrl::contextMenuEvent(QContextMenuEvent *event)
{
    emit contextMenuAt(indexAt(event->pos()).row(), event->globalPos());
    event->accept();
}
