#include "spreadsheet/DelimitedTextReader.h"

#include "spreadsheet/Gb18030.h"

#include <QStringDecoder>

namespace {

// Splits TEXT into rows of cells, one character at a time.
class Splitter
{
public:
    Splitter(QChar separator, SheetData &data) : m_separator(separator), m_data(data) {}

    bool run(const QString &text)
    {
        const qsizetype size = text.size();
        for (qsizetype i = 0; i < size; ++i) {
            const QChar c = text[i];
            if (m_quoted) {
                if (c != u'"')
                    m_cell += c;
                else if (i + 1 < size && text[i + 1] == u'"')
                    m_cell += text[++i];
                else
                    m_quoted = false;
            } else if (c == u'"' && m_cell.isEmpty() && !m_cellQuoted) {
                m_quoted = m_cellQuoted = true;
            } else if (c == m_separator) {
                endCell();
            } else if (c == u'\r' || c == u'\n') {
                if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n')
                    ++i;
                if (!endRow())
                    return false;
            } else {
                m_cell += c;
            }
        }
        if (!m_cell.isEmpty() || !m_cells.isEmpty() || m_cellQuoted)
            return endRow();
        return true;
    }

private:
    void endCell()
    {
        m_cells.append(m_cell);
        m_cell.clear();
        m_cellQuoted = false;
    }

    bool endRow()
    {
        // The tab-separated files end every cell with a tab, the last one too.
        const bool trailingTab =
            m_separator == u'\t' && m_cell.isEmpty() && !m_cellQuoted && !m_cells.isEmpty();
        if (!trailingTab)
            m_cells.append(m_cell);
        m_cell.clear();
        m_cellQuoted = false;
        const bool ok = m_data.appendRow(m_cells);
        m_cells.clear();
        return ok;
    }

    QChar m_separator;
    SheetData &m_data;
    QStringList m_cells;
    QString m_cell;
    bool m_quoted = false;
    bool m_cellQuoted = false;
};

} // namespace

bool DelimitedTextReader::decode(const QByteArray &bytes, QString &text)
{
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    text = utf8.decode(body);
    if (!utf8.hasError())
        return true;
    bool ok = false;
    text = Gb18030::decode(body, &ok);
    return ok;
}

QChar DelimitedTextReader::separatorOf(const QString &text)
{
    qsizetype end = text.indexOf(u'\n');
    const QStringView firstLine = QStringView(text).left(end < 0 ? text.size() : end);
    if (firstLine.contains(u'\t') || !firstLine.contains(u','))
        return u'\t';
    return u',';
}

bool DelimitedTextReader::read(const QByteArray &bytes, SheetData &data)
{
    QString text;
    if (!decode(bytes, text)) {
        data.fail(QStringLiteral("文件的文字既不是 UTF-8 也不是 GB18030 编码。"));
        return false;
    }
    return Splitter(separatorOf(text), data).run(text);
}
