#include "printing/ReceiptText.h"

#include <QFontMetricsF>
#include <QTextLayout>
#include <QTextOption>

#include <cmath>

namespace {

QString withoutTrailingBlanks(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return text.left(end);
}

void wrapParagraph(const QFont &font, const QString &paragraph, int width,
                   ReceiptText::Breaks breaks, QList<ReceiptText::Line> &lines)
{
    if (paragraph.isEmpty()) {
        lines.append(ReceiptText::Line());
        return;
    }
    QTextLayout layout(paragraph, font);
    QTextOption option;
    option.setWrapMode(breaks == ReceiptText::Breaks::Words
                           ? QTextOption::WordWrap
                           : QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max(1, width));
        const QString text =
            withoutTrailingBlanks(paragraph.mid(line.textStart(), line.textLength()));
        lines.append({text, ReceiptText::width(font, text)});
    }
    layout.endLayout();
}

} // namespace

int ReceiptText::width(const QFont &font, const QString &text)
{
    if (text.isEmpty())
        return 0;
    return static_cast<int>(std::ceil(QFontMetricsF(font).horizontalAdvance(text) - 0.01));
}

QList<ReceiptText::Line> ReceiptText::wrap(const QFont &font, const QString &text, int width,
                                           Breaks breaks)
{
    QList<Line> lines;
    QString plain = text;
    plain.remove(QLatin1Char('\r'));
    const QStringList paragraphs = plain.split(QLatin1Char('\n'));
    for (const QString &paragraph : paragraphs)
        wrapParagraph(font, paragraph, width, breaks, lines);
    return lines;
}
