#pragma once

#include "spreadsheet/SheetData.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

class ZipArchive;
class QXmlStreamReader;

// Reads one sheet of an Office Open XML workbook (.xlsx): the sheet found by
// its name through workbook.xml and its relationships, shared and inline
// strings, numbers as a general number shows them, booleans, and cells
// missing in the middle of a row. Only reads; the file is never written.
class XlsxReader
{
public:
    // SHEET empty, or not in a workbook of one sheet: that sheet is read.
    static bool read(const QString &path, const QString &sheet, SheetData &data);

    // The text a general-format cell shows for VALUE ("3.5", "12", "1E+20").
    static QString generalNumber(double value);
    // "B12" -> column 1 (0-based) and row 11; false when REF is not a cell reference.
    static bool parseReference(QStringView ref, qint64 &column, qint64 &row);

private:
    XlsxReader(ZipArchive &zip, SheetData &data) : m_zip(zip), m_data(data) {}

    bool sheetPart(const QString &sheet, QString &part);
    bool relationships(QHash<QString, QString> &targets);
    bool sharedStrings();
    bool cells(const QString &part);
    bool readPart(const QString &name, QByteArray &xml);
    bool xmlFailed(const QXmlStreamReader &xml, const QString &part);
    QString cellText(const QString &type, const QString &value, const QString &inlineText);

    ZipArchive &m_zip;
    SheetData &m_data;
    QStringList m_shared;
};
