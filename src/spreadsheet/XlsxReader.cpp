#include "spreadsheet/XlsxReader.h"

#include "spreadsheet/ZipArchive.h"

#include <QXmlStreamReader>

#include <cmath>

namespace {

const QString kWorkbook = QStringLiteral("xl/workbook.xml");
const QString kRelations = QStringLiteral("xl/_rels/workbook.xml.rels");

// Every <t> text below the current element (rich-text runs joined, phonetic
// guides left out); leaves the reader on the element's end.
QString textBelow(QXmlStreamReader &xml)
{
    QString text;
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == u"rPh") {
                xml.skipCurrentElement();
                continue;
            }
            ++depth;
            if (xml.name() == u"t") {
                text += xml.readElementText(QXmlStreamReader::IncludeChildElements);
                --depth;
            }
        } else if (xml.isEndElement()) {
            --depth;
        }
    }
    return text;
}

// "worksheets/sheet1.xml" or "/xl/worksheets/sheet1.xml" -> "xl/worksheets/sheet1.xml".
QString partName(const QString &target)
{
    if (target.startsWith(u'/'))
        return target.mid(1);
    return QStringLiteral("xl/") + target;
}

} // namespace

bool XlsxReader::read(const QString &path, const QString &sheet, SheetData &data)
{
    ZipArchive zip(path);
    if (!zip.isOpen()) {
        data.fail(QStringLiteral("文件不是完整的 Excel 工作簿（%1）。").arg(zip.error()));
        return false;
    }
    XlsxReader reader(zip, data);
    QString part;
    return reader.sheetPart(sheet, part) && reader.sharedStrings() && reader.cells(part);
}

bool XlsxReader::readPart(const QString &name, QByteArray &xml)
{
    if (m_zip.read(name, m_data.limits().maxPartBytes, xml))
        return true;
    m_data.fail(QStringLiteral("文件不是完整的 Excel 工作簿（%1）。").arg(m_zip.error()));
    return false;
}

bool XlsxReader::xmlFailed(const QXmlStreamReader &xml, const QString &part)
{
    if (!xml.hasError())
        return false;
    m_data.fail(QStringLiteral("文件不是完整的 Excel 工作簿（%1 第 %2 行：%3）。")
                    .arg(part)
                    .arg(xml.lineNumber())
                    .arg(xml.errorString()));
    return true;
}

bool XlsxReader::relationships(QHash<QString, QString> &targets)
{
    QByteArray bytes;
    if (!readPart(kRelations, bytes))
        return false;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"Relationship")
            targets.insert(xml.attributes().value(QLatin1String("Id")).toString(),
                           xml.attributes().value(QLatin1String("Target")).toString());
    }
    return !xmlFailed(xml, kRelations);
}

bool XlsxReader::sheetPart(const QString &sheet, QString &part)
{
    QByteArray bytes;
    if (!readPart(kWorkbook, bytes))
        return false;
    QStringList names;
    QStringList ids;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"sheet") {
            names.append(xml.attributes().value(QLatin1String("name")).toString());
            // The relationship id is namespaced (r:id); match it by its local name.
            QString id;
            for (const QXmlStreamAttribute &attribute : xml.attributes())
                if (attribute.name() == u"id")
                    id = attribute.value().toString();
            ids.append(id);
        }
    }
    if (xmlFailed(xml, kWorkbook))
        return false;
    const int index = m_data.chooseSheet(names, sheet);
    if (index < 0)
        return false;
    QHash<QString, QString> targets;
    if (!relationships(targets))
        return false;
    const QString target = targets.value(ids[index]);
    if (target.isEmpty()) {
        m_data.fail(QStringLiteral("文件不是完整的 Excel 工作簿（找不到工作表“%1”的内容）。")
                        .arg(names[index]));
        return false;
    }
    part = partName(target);
    return true;
}

bool XlsxReader::sharedStrings()
{
    // Optional: a workbook with inline strings only has none.
    const QString name = QStringLiteral("xl/sharedStrings.xml");
    if (!m_zip.contains(name))
        return true;
    QByteArray bytes;
    if (!readPart(name, bytes))
        return false;
    // The count the file claims is not trusted for reserving memory.
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"si") {
            if (m_shared.size() >= m_data.limits().maxCells)
                return m_data.failTooManyCells();
            m_shared.append(textBelow(xml));
        }
    }
    return !xmlFailed(xml, name);
}

QString XlsxReader::cellText(const QString &type, const QString &value, const QString &inlineText)
{
    if (type == u"s") {
        bool ok = false;
        const qsizetype index = value.toLongLong(&ok);
        return ok && index >= 0 && index < m_shared.size() ? m_shared[index] : QString();
    }
    if (type == u"inlineStr")
        return inlineText;
    if (type == u"b")
        return value == u"1" ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    if (type.isEmpty() || type == u"n") {
        bool ok = false;
        const double number = value.toDouble(&ok);
        return ok ? generalNumber(number) : value;
    }
    return value; // str (a formula's text), e (an error such as #DIV/0!), d (a date)
}

bool XlsxReader::cells(const QString &part)
{
    QByteArray bytes;
    if (!readPart(part, bytes))
        return false;
    QXmlStreamReader xml(bytes);
    qint64 row = -1;
    qint64 column = -1;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"row") {
            bool ok = false;
            const qint64 number = xml.attributes().value(QLatin1String("r")).toLongLong(&ok);
            row = ok ? number - 1 : row + 1;
            column = -1;
        } else if (xml.name() == u"c") {
            const QXmlStreamAttributes attributes = xml.attributes();
            const QString type = attributes.value(QLatin1String("t")).toString();
            qint64 refColumn = 0;
            qint64 refRow = 0;
            if (parseReference(attributes.value(QLatin1String("r")), refColumn, refRow)) {
                column = refColumn;
                row = refRow;
            } else {
                ++column;
            }
            QString value;
            QString inlineText;
            while (xml.readNextStartElement()) {
                if (xml.name() == u"v")
                    value = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                else if (xml.name() == u"is")
                    inlineText = textBelow(xml);
                else
                    xml.skipCurrentElement();
            }
            const QString text = cellText(type, value, inlineText);
            if (!text.isEmpty() && !m_data.setCell(qMax<qint64>(row, 0), column, text))
                return false;
        }
    }
    return !xmlFailed(xml, part);
}

bool XlsxReader::parseReference(QStringView ref, qint64 &column, qint64 &row)
{
    qsizetype i = 0;
    qint64 letters = 0;
    while (i < ref.size() && ref[i].isUpper() && ref[i].unicode() < 128 && i < 4) {
        letters = letters * 26 + (ref[i].unicode() - 'A' + 1);
        ++i;
    }
    if (i == 0 || i == ref.size())
        return false;
    bool ok = false;
    const qint64 number = ref.mid(i).toLongLong(&ok);
    if (!ok || number < 1)
        return false;
    column = letters - 1;
    row = number - 1;
    return true;
}

QString XlsxReader::generalNumber(double value)
{
    if (!std::isfinite(value))
        return QString();
    QString text = QString::number(value, 'g', 15);
    return text.replace(u'e', u'E');
}
