#include "controls/SortableList.h"

#include "controls/SortableHeader.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

SortableList::SortableList(QWidget *parent)
    : QTableView(parent), m_model(new SortListModel(this)), m_sortable(m_model),
      m_header(new SortableHeader(this))
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

    connect(m_header, &QHeaderView::sectionClicked, this, &SortableList::sortByClick);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &SortableList::selectedRowsChanged);
    connect(m_model, &SortableModel::sorted, this, &SortableList::sorted);
}

void SortableList::setSortableModel(SortableModel *model)
{
    disconnect(m_sortable, &SortableModel::sorted, this, &SortableList::sorted);
    m_sortable = model ? model : m_model;
    setModel(m_sortable);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &SortableList::selectedRowsChanged);
    connect(m_sortable, &SortableModel::sorted, this, &SortableList::sorted);
}

void SortableList::setColumns(const QList<Column> &columns)
{
    QList<SortListModel::Column> modelColumns;
    for (const Column &column : columns)
        modelColumns.append({column.title, column.alignment});
    m_model->setColumns(modelColumns);
    for (int i = 0; i < columns.size(); ++i)
        setColumnWidth(i, columns[i].width);
}

void SortableList::addColumn(const Column &column)
{
    m_model->addColumn({column.title, column.alignment});
    setColumnWidth(m_model->columnCount() - 1, column.width);
}

void SortableList::setColumnTitle(int column, const QString &title)
{
    m_model->setColumnTitle(column, title);
}

int SortableList::addRow(const QStringList &texts, qint64 data)
{
    return m_model->appendRow(texts, data);
}

void SortableList::insertRow(int row, const QStringList &texts, qint64 data)
{
    m_model->insertRow(row, texts, data);
}

void SortableList::removeRow(int row)
{
    m_model->removeRow(row);
}

void SortableList::clear()
{
    m_model->clear();
}

void SortableList::setRows(QList<SortListModel::Row> rows)
{
    m_model->setRows(std::move(rows));
}

void SortableList::setRows(const QList<QStringList> &rows)
{
    QList<SortListModel::Row> numbered;
    numbered.reserve(rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i)
        numbered.append({rows[i], i});
    m_model->setRows(std::move(numbered));
}

void SortableList::appendRows(QList<SortListModel::Row> rows)
{
    m_model->appendRows(std::move(rows));
}

QString SortableList::text(int row, int column) const
{
    if (m_sortable == m_model)
        return m_model->text(row, column);
    return m_sortable->index(row, column).data().toString();
}

QList<int> SortableList::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

int SortableList::currentRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void SortableList::setCurrentRow(int row)
{
    if (row < 0 || row >= rowCount()) {
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        return;
    }
    selectionModel()->setCurrentIndex(m_sortable->index(row, 0), QItemSelectionModel::NoUpdate);
}

void SortableList::selectOnly(int row)
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

void SortableList::setMultiSelect(bool multi)
{
    setSelectionMode(multi ? QAbstractItemView::ExtendedSelection
                           : QAbstractItemView::SingleSelection);
}

void SortableList::setRowHeights(int pixels)
{
    verticalHeader()->setDefaultSectionSize(std::max(1, pixels));
}

int SortableList::rowHeights() const
{
    return verticalHeader()->defaultSectionSize();
}

void SortableList::setColours(const QColor &background, const QColor &textBackground,
                              const QColor &text)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Base, background);
    colours.setColor(QPalette::AlternateBase, background);
    colours.setColor(QPalette::Text, text);
    setPalette(colours);
    m_model->setTextBackground(textBackground);
}

void SortableList::setFullRowSelect(bool on)
{
    setSelectionBehavior(on ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

void SortableList::setMovableColumns(bool movable)
{
    m_header->setSectionsMovable(movable);
}

void SortableList::sortByClick(int column)
{
    if (column < 0 || column >= columnCount())
        return;
    m_sortable->clickColumn(column);
    m_header->setSortMark(column, m_sortable->sortAscending());
}

void SortableList::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete)
        emit deletePressed();
    QTableView::keyPressEvent(event);
}

void SortableList::mousePressEvent(QMouseEvent *event)
{
    m_leftPressed = event->button() == Qt::LeftButton;
    QTableView::mousePressEvent(event);
}

void SortableList::mouseReleaseEvent(QMouseEvent *event)
{
    QTableView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && m_leftPressed) {
        m_leftPressed = false;
        emit rowClicked(indexAt(event->position().toPoint()).row());
    }
}

void SortableList::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit rowDoubleClicked(indexAt(event->position().toPoint()).row());
}

void SortableList::contextMenuEvent(QContextMenuEvent *event)
{
    emit contextMenuAt(indexAt(event->pos()).row(), event->globalPos());
    event->accept();
}
