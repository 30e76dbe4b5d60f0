#pragma once

#include <QString>
#include <QStringList>

// Product lists made by LibreOffice Calc 7.4 from one table: a workbook, an
// Excel 97 workbook, tab-separated GB18030 text named .xls (quoted texts, LF
// line ends, as Calc writes it), and UTF-8 CSV.
inline QString fixture(const char *name)
{
    return QStringLiteral(QM_SOURCE_DIR "/tests/records/fixtures/") + QString::fromUtf8(name);
}

inline QStringList fixtureFiles()
{
    return {fixture("products.xlsx"), fixture("products-97.xls"), fixture("products-gb18030.xls"),
            fixture("products.csv")};
}
