#include "records/ListColumnFit.h"

#include "controls/DbOperation.h"
#include "controls/SortableList.h"
#include "data/ColumnWidths.h"
#include "data/Database.h"

#include <QHeaderView>

#include <algorithm>

namespace {

// Room for the sort arrow beside a header's text.
constexpr int arrowRoom = 14;

} // namespace

ListColumnFit::ListColumnFit(SortableList *list, const QString &name, const QString &settingsDsn)
    : QObject(list), m_list(list), m_name(name), m_settingsDsn(settingsDsn)
{
    for (int column = 0; column < m_list->columnCount(); ++column)
        m_least.append(m_list->columnWidth(column));
    m_list->verticalHeader()->setResizeContentsPrecision(rowsMeasured);
    applyKept();
    connect(m_list->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int newSize) { resized(column, newSize); });
}

void ListColumnFit::applyKept()
{
    Database db;
    if (!db.open(m_settingsDsn))
        return; // the list opens with its own widths
    QMap<int, int> kept;
    DbOperation::run(m_list, [&] { kept = ColumnWidths::load(db, m_name); });
    m_fitting = true;
    for (auto it = kept.cbegin(); it != kept.cend(); ++it) {
        // A hidden column stays hidden.
        if (m_least.value(it.key()) <= 0)
            continue;
        m_list->setColumnWidth(it.key(), it.value());
        m_personSized.insert(it.key());
    }
    m_fitting = false;
}

void ListColumnFit::fit()
{
    QHeaderView *header = m_list->horizontalHeader();
    m_fitting = true;
    for (int column = 0; column < m_least.size(); ++column) {
        if (m_least[column] <= 0 || m_personSized.contains(column) ||
            m_list->isColumnHidden(column))
            continue;
        const int wanted =
            std::max({m_least[column], header->sectionSizeHint(column) + arrowRoom,
                      static_cast<QAbstractItemView *>(m_list)->sizeHintForColumn(column)});
        if (wanted > m_list->columnWidth(column))
            m_list->setColumnWidth(column, wanted);
    }
    m_fitting = false;
}

void ListColumnFit::resized(int column, int newSize)
{
    if (m_fitting || newSize <= 0)
        return;
    m_personSized.insert(column);
    m_dragged.insert(column, newSize);
}

void ListColumnFit::keep(QWidget *parent)
{
    if (m_dragged.isEmpty())
        return;
    Database db;
    if (!DbOperation::open(db, m_settingsDsn, parent))
        return;
    if (DbOperation::run(parent, [&] { ColumnWidths::store(db, m_name, m_dragged); }))
        m_dragged.clear();
}
