#include "records/DayReportPaper.h"

#include "core/Clock.h"
#include "core/NumberText.h"
#include "printing/ReceiptFont.h"
#include "printing/ReceiptStyle.h"
#include "printing/ReceiptText.h"

#include <algorithm>

namespace {

// Lines laid down one below the other between the margins.
class Column
{
public:
    // Text between LEFT and RIGHT, rules across the paper from RULELEFT to RULERIGHT.
    Column(ReceiptDrawing &out, int left, int right, int ruleLeft, int ruleRight, int top, int dy)
        : m_out(out), m_left(left), m_right(right), m_ruleLeft(ruleLeft), m_ruleRight(ruleRight),
          m_y(top), m_dy(dy)
    {
    }

    int y() const { return m_y; }
    void skip(int dots) { m_y += dots; }

    // TEXT wrapped to the width, placed as ALIGNMENT says; returns its lines.
    int text(const QString &text, Qt::Alignment alignment, ReceiptDrawing::FontRole role)
    {
        const ReceiptFont &font =
            role == ReceiptDrawing::FontRole::Title ? m_out.titleFont : m_out.bodyFont;
        const int step = std::max(m_dy, font.cellHeight());
        const auto lines = ReceiptText::wrap(font.font(), text, m_right - m_left,
                                             ReceiptText::Breaks::WordsOrGlyphs);
        ReceiptDrawing::Text item;
        item.text = text;
        item.alignment = alignment;
        item.font = role;
        item.box = QRect(m_left, m_y, m_right - m_left, int(lines.size()) * step);
        for (const ReceiptText::Line &line : lines) {
            int x = m_left;
            if (alignment & Qt::AlignHCenter)
                x += (m_right - m_left - line.width) / 2;
            else if (alignment & Qt::AlignRight)
                x = m_right - line.width;
            item.lines.append(line.text);
            item.origins.append(QPoint(x, m_y));
            m_y += step;
        }
        m_out.texts.append(item);
        return int(lines.size());
    }

    // LABEL at the left and VALUE at the right of one line; a value that
    // does not fit beside its label goes to the right of the next line.
    void row(const QString &label, const QString &value)
    {
        const QFont &font = m_out.bodyFont.font();
        const int labelWidth = ReceiptText::width(font, label);
        const int valueWidth = ReceiptText::width(font, value);
        const int top = m_y;
        const int lines = text(label, Qt::AlignLeft, ReceiptDrawing::FontRole::Body);
        if (value.isEmpty())
            return;
        if (lines == 1 && labelWidth + valueWidth < m_right - m_left)
            m_y = top;
        text(value, Qt::AlignRight, ReceiptDrawing::FontRole::Body);
    }

    void rule()
    {
        m_out.rules.append({m_y + m_dy / 4, m_ruleLeft, m_ruleRight});
        m_y += m_dy / 2;
    }

private:
    ReceiptDrawing &m_out;
    int m_left;
    int m_right;
    int m_ruleLeft;
    int m_ruleRight;
    int m_y;
    int m_dy;
};

QString money(double value)
{
    return NumberText::money(value);
}

} // namespace

DayReportPaper::DayReportPaper(const DayReport &report, QString shopName, QDateTime printed)
    : m_report(report), m_shopName(std::move(shopName)), m_printed(std::move(printed))
{
}

QString DayReportPaper::period() const
{
    const QString first = m_report.firstTime.left(10);
    const QString last = m_report.lastTime.left(10);
    if (first == last)
        return QStringLiteral("日期：") + first;
    return QStringLiteral("时段：%1 至 %2").arg(first, last);
}

QString DayReportPaper::printedLine() const
{
    return QStringLiteral("打印时间：") + Clock::stamp(m_printed);
}

QString DayReportPaper::shareName(const QString &name)
{
    return name.trimmed().isEmpty() ? QStringLiteral("（未填）") : name;
}

QString DayReportPaper::shareValue(const DayReport::Share &share)
{
    return QStringLiteral("%1单 %2").arg(share.sales).arg(money(share.takings));
}

QList<DayReportPaper::Row> DayReportPaper::rows() const
{
    const DayReport &r = m_report;
    QList<Row> rows = {
        {QStringLiteral("销售单数："), QString::number(r.sales), true},
        {QStringLiteral("销售数量："), NumberText::quantity(r.items)},
        {QStringLiteral("营业金额："), money(r.takings)},
        {QStringLiteral("折扣让利："), money(r.discounts)},
        {QStringLiteral("首单：") + r.firstNumber, r.firstTime.mid(11), true},
        {QStringLiteral("末单：") + r.lastNumber, r.lastTime.mid(11)},
    };
    rows.append({QStringLiteral("按付款方式"), QString(), true});
    for (const DayReport::Share &share : r.byPayment)
        rows.append({QStringLiteral("  ") + shareName(share.name), shareValue(share)});
    rows.append({QStringLiteral("按收银员"), QString(), true});
    for (const DayReport::Share &share : r.byCashier)
        rows.append({QStringLiteral("  ") + shareName(share.name), shareValue(share)});
    return rows;
}

PaperLayout DayReportPaper::layout(const ReceiptStyle &style) const
{
    return [this, &style](const ReceiptLayout::Target &target) { return layOut(style, target); };
}

LaidOutPaper DayReportPaper::layOut(const ReceiptStyle &style,
                                    const ReceiptLayout::Target &target) const
{
    // The receipt's own geometry: its margins, line spacing and fonts.
    const double rx = double(target.dpiX) / ReceiptFont::screenDpi;
    const double ry = double(target.dpiY) / ReceiptFont::screenDpi;
    const int dy = std::max(1, int(style.lineSpacing * ry));
    const int left = int((style.paperMargin + style.printOffset) * rx);
    const int right = target.horzRes - int((style.paperMargin - style.printOffset) * rx);
    // Inside them the text keeps clear of the paper's edges as a receipt's
    // does: its right-aligned figures would otherwise touch the edge.
    const int inset = int(insetMm * target.dpiX / 25.4 + 0.5);

    LaidOutPaper paper;
    ReceiptDrawing &out = paper.drawing;
    out.dpiX = target.dpiX;
    out.dpiY = target.dpiY;
    out.width = target.horzRes;
    out.titleFont = ReceiptFont(style.titleFontName, style.titleFontSize);
    out.bodyFont = ReceiptFont(style.bodyFontName, style.bodyFontSize);

    Column column(out, left + inset, right - inset, left, right, int(13 * ry), dy);
    column.text(m_shopName, Qt::AlignHCenter, ReceiptDrawing::FontRole::Title);
    column.text(title(), Qt::AlignHCenter, ReceiptDrawing::FontRole::Body);
    column.rule();
    column.text(period(), Qt::AlignLeft, ReceiptDrawing::FontRole::Body);
    column.text(printedLine(), Qt::AlignLeft, ReceiptDrawing::FontRole::Body);
    for (const Row &row : rows()) {
        if (row.ruleAbove)
            column.rule();
        column.row(row.label, row.value);
    }
    column.rule();
    column.text(QStringLiteral("."), Qt::AlignLeft, ReceiptDrawing::FontRole::Body);
    out.height = column.y();
    // The receipt's trailing paper, as its estimate gives it.
    paper.estimate = int(out.height * 254.0 / std::max(1, out.dpiY)) +
                     (style.paperLengthAdjust + 13) * style.lineSpacing;
    return paper;
}
