#pragma once

#include "printing/PaperLayout.h"
#include "records/DayReport.h"

#include <QDateTime>
#include <QList>
#include <QString>

struct ReceiptStyle;

// The day-end report as it goes on the receipt roll: the shop name as a
// receipt's title, the report's heading, the period and the print time, then
// one row a figure (label left, value right) and the shares by payment method
// and by cashier. Laid out with the receipt's fonts, margins and line spacing,
// and painted by the receipt painter.
class DayReportPaper
{
public:
    struct Row
    {
        QString label;
        QString value;
        bool ruleAbove = false;
    };

    DayReportPaper(const DayReport &report, QString shopName, QDateTime printed);

    static QString title() { return QStringLiteral("日结报表"); }
    // The blank the text keeps from each side, within the receipt's margins.
    static constexpr double insetMm = 2.0;
    static QString nothingMessage() { return QStringLiteral("所查时段内没有销售记录，无须日结。"); }

    const DayReport &report() const { return m_report; }

    // The lines below the heading, in order; the command line prints the same.
    QList<Row> rows() const;
    QString period() const;
    QString printedLine() const;

    // The paper in STYLE's fonts and margins (STYLE must outlive the layout).
    PaperLayout layout(const ReceiptStyle &style) const;
    LaidOutPaper layOut(const ReceiptStyle &style, const ReceiptLayout::Target &target) const;

private:
    static QString shareName(const QString &name);
    static QString shareValue(const DayReport::Share &share);

    DayReport m_report;
    QString m_shopName;
    QDateTime m_printed;
};
