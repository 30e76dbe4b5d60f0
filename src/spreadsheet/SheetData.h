#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What a spreadsheet reader may take from one file. Hostile files (a zip
// bomb, a sheet of a million rows) stop at these bounds with an error instead
// of taking the machine's memory. The rows and columns are those the older
// version read (A1:IV65536).
struct SheetLimits
{
    qint64 maxFileBytes = 64 * 1024 * 1024;
    // One part of a workbook, uncompressed.
    qint64 maxPartBytes = 64 * 1024 * 1024;
    int maxRows = 65536;
    int maxColumns = 256;
    qint64 maxCells = 1000000;
};

// The cells of one sheet, row by row (0-based here; the reader's interface
// counts from 1). Cells are set in any order; a cell beyond the limits
// fails with a message for the user.
class SheetData
{
public:
    explicit SheetData(const SheetLimits &limits) : m_limits(limits) {}

    // ROW and COLUMN are 0-based.
    bool setCell(qint64 row, qint64 column, const QString &text);
    // Adds a row after the last one (for readers that go line by line).
    bool appendRow(const QStringList &cells);

    const QList<QStringList> &rows() const { return m_rows; }
    int columnCount() const { return m_columns; }
    QString error() const { return m_error; }
    const SheetLimits &limits() const { return m_limits; }

    void fail(const QString &error) { m_error = error; }
    // Fails with the message for more cells than the limit; returns false.
    bool failTooManyCells();
    // The sheet to read among NAMES: SHEET, the first when SHEET is empty, the
    // only one whatever it is called; -1 (with the error set) when none fits.
    int chooseSheet(const QStringList &names, const QString &sheet);

private:
    bool checkRow(qint64 row);
    bool checkColumn(qint64 column);

    SheetLimits m_limits;
    QList<QStringList> m_rows;
    int m_columns = 0;
    qint64 m_cells = 0;
    QString m_error;
};
