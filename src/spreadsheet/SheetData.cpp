#include "spreadsheet/SheetData.h"

bool SheetData::checkRow(qint64 row)
{
    if (row >= 0 && row < m_limits.maxRows)
        return true;
    m_error = QStringLiteral("表格超过 %1 行。").arg(m_limits.maxRows);
    return false;
}

bool SheetData::checkColumn(qint64 column)
{
    if (column >= 0 && column < m_limits.maxColumns)
        return true;
    m_error = QStringLiteral("表格超过 %1 列。").arg(m_limits.maxColumns);
    return false;
}

bool SheetData::setCell(qint64 row, qint64 column, const QString &text)
{
    if (!checkRow(row) || !checkColumn(column))
        return false;
    // The empty cells that fill a row up to this column are held too, so they
    // count against the limit (one cell far to the right on every row adds up).
    const qint64 held = row < m_rows.size() ? m_rows.at(row).size() : 0;
    m_cells += qMax<qint64>(1, column + 1 - held);
    if (m_cells > m_limits.maxCells)
        return failTooManyCells();
    while (m_rows.size() <= row)
        m_rows.append(QStringList());
    QStringList &cells = m_rows[row];
    while (cells.size() <= column)
        cells.append(QString());
    cells[column] = text;
    m_columns = qMax(m_columns, int(cells.size()));
    return true;
}

bool SheetData::appendRow(const QStringList &cells)
{
    if (!checkRow(m_rows.size()) || (!cells.isEmpty() && !checkColumn(cells.size() - 1)))
        return false;
    m_cells += cells.size();
    if (m_cells > m_limits.maxCells)
        return failTooManyCells();
    m_rows.append(cells);
    m_columns = qMax(m_columns, int(cells.size()));
    return true;
}

bool SheetData::failTooManyCells()
{
    m_error = QStringLiteral("表格超过 %1 个单元格。").arg(m_limits.maxCells);
    return false;
}

int SheetData::chooseSheet(const QStringList &names, const QString &sheet)
{
    qsizetype index = sheet.isEmpty() ? 0 : names.indexOf(sheet);
    if (index < 0 && names.size() == 1)
        index = 0;
    if (index < 0 || index >= names.size()) {
        m_error = QStringLiteral("工作簿中没有工作表“%1”。").arg(sheet);
        return -1;
    }
    return int(index);
}
