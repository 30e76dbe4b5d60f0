#pragma once

#include <QByteArrayView>

#include <optional>

// What a list can hand the workbook export as it holds it, without making
// display texts: the UTF-8 of a text cell and the number a number cell
// shows. Either may decline a cell (nullopt); the export then reads the
// cell's display text as for any other list.
class ExportCells
{
public:
    struct Number
    {
        double value = 0; // as the shown text reads
        int decimals = 0; // as many as the text shows
    };

    virtual ~ExportCells() = default;

    // The bytes whose UTF-8 reading is the cell's display text.
    virtual std::optional<QByteArrayView> exportText(int row, int column) const = 0;
    // The number the cell of a number column shows.
    virtual std::optional<Number> exportNumber(int row, int column) const = 0;
};
