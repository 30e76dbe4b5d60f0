#include "printing/PrintMargins.h"

#include <QRegularExpression>

namespace {

QString millimetres(double mm)
{
    return QString::number(mm, 'f', 0);
}

} // namespace

bool PrintMargins::isWholeNumber(const QString &text)
{
    static const QRegularExpression whole(QStringLiteral("^-?[0-9]{1,4}$"));
    return text.isEmpty() || whole.match(text).hasMatch();
}

QString PrintMargins::check(const QString &margin, const QString &offset, const Paper &paper)
{
    if (!isWholeNumber(margin))
        return QStringLiteral("纸张边距“%1”不是整数，请输入整数毫米数！").arg(margin);
    if (!isWholeNumber(offset))
        return QStringLiteral("打印偏差“%1”不是整数，请输入整数毫米数！").arg(offset);
    const double unit = paperMmPerTypedMm();
    const double m = margin.toInt() * unit;
    const double o = offset.toInt() * unit;
    // The block runs from (m + o) right of the printable area's left edge to
    // (m - o) left of its right edge; the paper reaches the edges beyond.
    const bool offLeft = m + o < -paper.leftEdgeMm - 0.01;
    const bool offRight = m - o < -paper.rightEdgeMm - 0.01;
    if (offLeft || offRight)
        return QStringLiteral("纸张边距和打印偏差使打印内容超出纸张%1边，请重新输入！"
                              "（纸张可打印宽度%2毫米）")
            .arg(offLeft ? QStringLiteral("左") : QStringLiteral("右"),
                 millimetres(paper.printableMm));
    if (paper.printableMm - 2 * m < minimumShare * paper.printableMm)
        return QStringLiteral("纸张边距过大，打印内容太窄，请重新输入！"
                              "（纸张可打印宽度%1毫米，边距最多%2毫米）")
            .arg(millimetres(paper.printableMm),
                 QString::number(int(paper.printableMm * (1 - minimumShare) / 2 / unit)));
    return {};
}
