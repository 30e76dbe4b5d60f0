#pragma once

#include "controls/SortListModel.h"
#include "settings/Product.h"
#include "spreadsheet/SheetData.h"

#include <QList>
#include <QString>

// Reads a product list from a spreadsheet file and checks all of it before
// anything is changed: sheet "商品名列表", row 1 the header, the product text
// in column 2 and the price in column 3. A header whose titles put the name
// or the price in another column makes the file unreadable (the columns
// would be taken for what they are not). Rows that cannot be taken, an empty
// price among them, are skipped with the reason; empty rows are passed over.
class ProductImport
{
public:
    struct Skipped
    {
        int row = 0; // as the spreadsheet program numbers it
        QString reason;
    };
    struct Result
    {
        bool readable = false;
        QString error; // why the file could not be read
        QList<Product> products;
        QList<Skipped> skipped;
    };

    static QString sheetName() { return QStringLiteral("商品名列表"); }

    static Result read(const QString &path, const SheetLimits &limits = {});
    // The one message the user sees after an import that read the file.
    static QString summary(const Result &result);
    // What replacing EXISTING products with the file's would do, said before it is done.
    static QString replacement(const Result &result, int existing);
    // The file at PATH could not be read (RESULT.error says why).
    static QString unreadableMessage(const QString &path, const Result &result);
    // The product list as the product page shows and exports it: "序号", "名称", "单价".
    static QList<SortListModel::Column> listColumns();
    static QList<SortListModel::Row> listRows(const QList<Product> &products);
    // The columns of the list that hold numbers in an exported workbook.
    static QList<int> numberColumns() { return {0, 2}; }

    // Why the header row HEADER does not fit the columns read; empty when it does.
    static QString headerError(const QStringList &header);
    // The stored price of a price cell, "%.2f"; empty when the cell is not a number.
    static QString priceText(const QString &cell);
};
