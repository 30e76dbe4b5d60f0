#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>

#include <vector>

class Database;
struct QueryStatement;

// The lines of the sales a query found, read with one statement and grouped
// by receipt number in the order the engine gave them. Names are kept as
// UTF-8 in one block, quantity and discounted amount as doubles.
class LineRows
{
public:
    // Runs STATEMENT (columns "NO", "name", "num", "standby1"). Throws DatabaseError.
    void fetch(Database &db, const QueryStatement &statement);
    void clear();

    int size() const { return int(m_lines.size()); }
    // The lines of the sale numbered NUMBER, in order.
    std::vector<int> linesOf(QByteArrayView number) const;
    QByteArrayView nameBytes(int line) const;
    QString name(int line) const { return QString::fromUtf8(nameBytes(line)); }
    double quantity(int line) const { return m_lines[line].quantity; }
    double discounted(int line) const { return m_lines[line].discounted; }

private:
    template <class Rows> void readLines(Rows &rows);
    void add(QByteArrayView number, QByteArrayView name, double quantity, double discounted);

    struct Line
    {
        quint32 nameStart = 0;
        quint32 nameEnd = 0;
        double quantity = 0;
        double discounted = 0;
        int next = -1; // the next line of the same sale
    };

    std::vector<Line> m_lines;
    QByteArray m_names;
    // The first line of each receipt number.
    QHash<QByteArray, int> m_byNumber;
    QByteArray m_lastNumber;
    int m_lastLine = -1;
};
