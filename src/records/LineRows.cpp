#include "records/LineRows.h"

#include "data/Database.h"
#include "records/QueryStatement.h"
#include "records/RecordValue.h"
#include "records/ServerRows.h"
#include "records/SqliteRows.h"

void LineRows::fetch(Database &db, const QueryStatement &statement)
{
    clear();
    if (sqlite3 *handle = SqliteRows::handleOf(db)) {
        SqliteRows rows(handle, statement);
        readLines(rows);
        return;
    }
    if (std::unique_ptr<ServerRows> rows = ServerRows::run(db, statement)) {
        readLines(*rows);
        return;
    }
    Database::Rows rows = db.query(statement.sql, statement.values);
    while (rows.next())
        add(RecordValue::utf8(rows.value(0)), RecordValue::utf8(rows.value(1)),
            RecordValue::number(rows.value(2)), RecordValue::number(rows.value(3)));
}

template <class Rows> void LineRows::readLines(Rows &rows)
{
    while (rows.next())
        add(rows.text(0), rows.text(1), rows.number(2), rows.number(3));
}

void LineRows::add(QByteArrayView number, QByteArrayView name, double quantity, double discounted)
{
    Line line;
    line.nameStart = quint32(m_names.size());
    m_names.append(name);
    line.nameEnd = quint32(m_names.size());
    line.quantity = quantity;
    line.discounted = discounted;
    const int at = int(m_lines.size());
    m_lines.push_back(line);

    // Lines of one sale mostly come one after the other.
    if (m_lastLine >= 0 && number == QByteArrayView(m_lastNumber)) {
        m_lines[m_lastLine].next = at;
        m_lastLine = at;
        return;
    }
    m_lastNumber = number.toByteArray();
    m_lastLine = at;
    const auto found = m_byNumber.constFind(m_lastNumber);
    if (found == m_byNumber.cend()) {
        m_byNumber.insert(m_lastNumber, at);
        return;
    }
    int tail = *found;
    while (m_lines[tail].next >= 0)
        tail = m_lines[tail].next;
    m_lines[tail].next = at;
}

void LineRows::clear()
{
    m_lines.clear();
    m_names.clear();
    m_byNumber.clear();
    m_lastNumber.clear();
    m_lastLine = -1;
}

std::vector<int> LineRows::linesOf(QByteArrayView number) const
{
    std::vector<int> lines;
    const auto found = m_byNumber.constFind(number.toByteArray());
    if (found == m_byNumber.cend())
        return lines;
    for (int line = *found; line >= 0; line = m_lines[line].next)
        lines.push_back(line);
    return lines;
}

QByteArrayView LineRows::nameBytes(int line) const
{
    const Line &l = m_lines[line];
    return QByteArrayView(m_names.constData() + l.nameStart, l.nameEnd - l.nameStart);
}
