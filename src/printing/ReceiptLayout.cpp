#include "printing/ReceiptLayout.h"

#include <QFileInfo>

namespace {

// Conversion of a double to an integer, truncating toward zero.
int toInt(double value)
{
    return static_cast<int>(value);
}

QRect band(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

} // namespace

// The receipt being drawn, with the character extra currently in force.
struct ReceiptLayout::Pass
{
    const ReceiptLayout &layout;
    ReceiptDrawing out;
    int extra = 0;

    const ReceiptFont &fontOf(ReceiptDrawing::FontRole role) const
    {
        return role == ReceiptDrawing::FontRole::Title ? layout.m_titleFont : layout.m_bodyFont;
    }

    // TextOut: one line at (x, y), neither wrapped nor cut.
    void textOut(int x, int y, const QString &text)
    {
        ReceiptDrawing::Text item;
        item.text = text;
        item.textOut = true;
        item.extra = extra;
        const int width = ReceiptText::width(layout.m_bodyFont.withExtra(extra), text);
        item.box = QRect(x, y, width, layout.m_bodyFont.cellHeight());
        item.lines = QStringList{text};
        item.origins = {QPoint(x, y)};
        out.texts.append(item);
    }

    // DrawText in RECT: lines from the top, aligned within the rectangle.
    void drawText(const QRect &rect, const QString &text, Qt::Alignment alignment,
                  std::optional<ReceiptText::Breaks> breaks,
                  ReceiptDrawing::FontRole role = ReceiptDrawing::FontRole::Body, bool clip = false)
    {
        const ReceiptFont &font = fontOf(role);
        const QFont qfont = font.withExtra(extra);
        ReceiptDrawing::Text item;
        item.text = text;
        item.box = rect;
        item.alignment = alignment;
        item.font = role;
        item.extra = extra;
        item.clip = clip;
        QList<ReceiptText::Line> lines;
        if (breaks)
            lines = ReceiptText::wrap(qfont, text, rect.width(), *breaks);
        else
            lines.append(ReceiptText::Line{text, ReceiptText::width(qfont, text)});
        int y = rect.top();
        for (const ReceiptText::Line &line : lines) {
            int x = rect.left();
            if (alignment & Qt::AlignHCenter)
                x = rect.left() + (rect.width() - line.width) / 2;
            else if (alignment & Qt::AlignRight)
                x = rect.left() + rect.width() - line.width;
            item.lines.append(line.text);
            item.origins.append(QPoint(x, y));
            y += font.cellHeight();
        }
        out.texts.append(item);
    }

    void rule(int y) { out.rules.append({y, layout.m_left, layout.m_right}); }
};

int ReceiptLayout::layoutDpi(int deviceDpi)
{
    return deviceDpi >= 150 && deviceDpi <= 300 ? deviceDpi : fallbackDpi;
}

ReceiptLayout::ReceiptLayout(const ReceiptData &data, const ReceiptStyle &style, Target target)
    : m_data(data), m_style(style), m_target(target),
      m_rx(double(target.dpiX) / ReceiptFont::screenDpi),
      m_ry(double(target.dpiY) / ReceiptFont::screenDpi),
      // A line spacing of 0 or less would divide by zero; the lines then overlap.
      m_dy(std::max(1, toInt(style.lineSpacing * m_ry))),
      m_left(toInt((style.paperMargin + style.printOffset) * m_rx)),
      m_right(target.horzRes - toInt((style.paperMargin - style.printOffset) * m_rx)),
      m_titleFont(style.titleFontName, style.titleFontSize),
      m_bodyFont(style.bodyFontName, style.bodyFontSize)
{
}

QList<QPair<int, int>> ReceiptLayout::columns(const QList<int> &widths, int n) const
{
    // Each rectangle is the one before it moved right by that one's share and
    // then widened or narrowed by the difference of the two shares.
    const int w = m_right - m_left;
    auto share = [w, n](int k) { return w * k / n; };
    QList<QPair<int, int>> bounds;
    int x1 = m_left;
    int x2 = m_left + share(widths.value(0));
    bounds.append({x1, x2});
    for (int i = 1; i < widths.size(); ++i) {
        x1 += share(widths[i - 1]);
        x2 += share(widths[i - 1]) + share(widths[i] - widths[i - 1]);
        bounds.append({x1, x2});
    }
    return bounds;
}

ReceiptDrawing ReceiptLayout::renderReceipt() const
{
    Pass pass{*this, {}, 0};
    pass.out.dpiX = m_target.dpiX;
    pass.out.dpiY = m_target.dpiY;
    pass.out.width = m_target.horzRes;
    pass.out.titleFont = m_titleFont;
    pass.out.bodyFont = m_bodyFont;
    if (m_style.template02)
        drawTemplate02(pass);
    else
        drawTemplate01(pass);
    return pass.out;
}

int ReceiptLayout::drawCommonStart(Pass &pass, int startLine, int &headerTop,
                                   int &headerBottom) const
{
    const ReceiptSwitches &sw = m_style.switches;
    int boxTop = toInt(13 * m_ry);
    int boxBottom = toInt(33 * m_ry);
    if (m_style.printLogo) {
        const int x =
            toInt((m_style.logoOffset + m_style.printOffset + m_style.paperMargin) * m_rx);
        pass.out.logos.append(
            {m_style.logoPath, QRect(x, boxTop, m_style.logoWidth, m_style.logoHeight)});
        boxTop += m_style.logoHeight;
        boxBottom += m_style.logoHeight;
    }
    const int b = boxBottom;
    pass.drawText(band(m_left, boxTop, m_right, boxBottom), sw.shopName, Qt::AlignHCenter,
                  std::nullopt, ReceiptDrawing::FontRole::Title);

    if (!m_style.template02) {
        pass.rule(b + toInt(9 * m_ry));
        pass.rule(b + toInt(11 * m_ry));
    }
    auto y = [b, this](int line) { return b + line * m_dy; };

    pass.textOut(m_left, y(startLine), m_data.numberLabel + m_data.receiptNumber);
    int r = startLine + 1;
    if (sw.customer) {
        const QString text = m_data.customerLabel + m_data.customer;
        QRect rect = band(m_left, y(r), m_right, y(r + 1));
        const int h = measureHeight(text, m_right - m_left, pass.extra);
        if (h > m_dy) {
            rect = band(m_left, y(r), m_right, y(r + 1 + h / m_dy));
            r += h / m_dy;
        }
        pass.drawText(rect, text, Qt::AlignLeft, ReceiptText::Breaks::WordsOrGlyphs);
        ++r;
    }
    if (sw.phone) {
        // Not measured: a longer phone text is cut at its band.
        pass.drawText(band(m_left, y(r), m_right, y(r + 1)), m_data.phoneLabel + m_data.phone,
                      Qt::AlignLeft, ReceiptText::Breaks::WordsOrGlyphs,
                      ReceiptDrawing::FontRole::Body, true);
        ++r;
    }
    pass.textOut(m_left, y(r), m_data.timeLabel + m_data.time);
    ++r;
    pass.rule(y(r));
    headerTop = y(r) + toInt(7 * m_ry);
    headerBottom = y(r + 1) + toInt(7 * m_ry);
    pass.rule(y(r + 1) + toInt(9 * m_ry));
    return y(r + 1) + toInt(18 * m_ry);
}

QList<int> ReceiptLayout::template01Widths(int &n) const
{
    const bool price = m_style.showPrice;
    const bool discount = m_style.switches.discount;
    n = price ? 50 : 20;
    if (price && discount)
        return {14, 6, 8, 11, 11};
    if (price)
        return {17, 8, 10, 15};
    if (discount)
        return {8, 2, 5, 5};
    return {10, 3, 7};
}

void ReceiptLayout::drawTemplate01(Pass &pass) const
{
    int headerTop = 0;
    int headerBottom = 0;
    const int r0 = drawCommonStart(pass, 1, headerTop, headerBottom);

    const bool price = m_style.showPrice;
    const bool discount = m_style.switches.discount;
    int n = 0;
    const QList<int> widths = template01Widths(n);
    const QList<QPair<int, int>> cols = columns(widths, n);

    // Header slots and row values per column, after the name.
    QStringList headers = {m_data.headers[1], m_data.headers[2]};
    if (price)
        headers << m_data.headers[3];
    if (discount)
        headers << m_data.headers[4];
    pass.drawText(band(cols[0].first, headerTop, cols[0].second, headerBottom), m_data.headers[0],
                  Qt::AlignLeft, std::nullopt);
    for (int i = 0; i < headers.size(); ++i)
        pass.drawText(band(cols[i + 1].first, headerTop, cols[i + 1].second, headerBottom),
                      headers[i], Qt::AlignHCenter, std::nullopt);

    pass.extra = -1;
    int g = 0;
    for (const ReceiptLine &line : m_data.lines) {
        const int top = r0 + g * m_dy;
        int bottom = r0 + (g + 1) * m_dy;
        const int nameWidth = cols[0].second - cols[0].first;
        const int u = measureHeight(line.name, nameWidth, pass.extra);
        if (u > m_dy) {
            bottom = r0 + (g + 1 + u / m_dy) * m_dy;
            g += u / m_dy;
        }
        pass.drawText(band(cols[0].first, top, cols[0].second, bottom), line.name, Qt::AlignLeft,
                      ReceiptText::Breaks::WordsOrGlyphs);
        QStringList values = {line.quantity, line.third};
        if (price)
            values << line.fourth;
        if (discount)
            values << line.discounted;
        for (int i = 0; i < values.size(); ++i)
            pass.drawText(band(cols[i + 1].first, top, cols[i + 1].second, bottom), values[i],
                          Qt::AlignHCenter, ReceiptText::Breaks::Words);
        ++g;
    }
    pass.extra = 1;
    drawTotals(pass, r0 + g * m_dy);
}

void ReceiptLayout::drawTemplate02(Pass &pass) const
{
    int headerTop = 0;
    int headerBottom = 0;
    const int r0 = drawCommonStart(pass, 0, headerTop, headerBottom);

    const bool price = m_style.showPrice;
    const bool discount = m_style.switches.discount;
    QList<int> headerWidths;
    QList<int> valueWidths;
    int n = 50;
    if (price && discount) {
        headerWidths = {14, 12, 12, 12};
        valueWidths = {11, 13, 13, 13};
    } else if (price || discount) {
        headerWidths = {15, 16, 19};
        valueWidths = {13, 17, 20};
    } else {
        n = 20;
        headerWidths = {10, 10};
        valueWidths = {10, 10};
    }
    const QList<QPair<int, int>> headerCols = columns(headerWidths, n);
    const QList<QPair<int, int>> valueCols = columns(valueWidths, n);

    const QString blank = price || discount ? QStringLiteral(" ") : QStringLiteral("  ");
    QStringList headers = {m_data.headers[0] + blank + m_data.headers[1], m_data.headers[2]};
    if (price)
        headers << m_data.headers[3];
    if (discount)
        headers << m_data.headers[4];
    for (int i = 0; i < headers.size(); ++i)
        pass.drawText(band(headerCols[i].first, headerTop, headerCols[i].second, headerBottom),
                      headers[i], Qt::AlignRight, std::nullopt);

    int g = 0;
    for (const ReceiptLine &line : m_data.lines) {
        const int top = r0 + g * m_dy;
        int bottom = r0 + (g + 1) * m_dy;
        const int u = measureHeight(line.name, m_right - m_left, pass.extra);
        if (u > m_dy) {
            bottom = r0 + (g + 1 + u / m_dy) * m_dy;
            g += u / m_dy;
        }
        pass.drawText(band(m_left, top, m_right, bottom), line.name, Qt::AlignLeft,
                      ReceiptText::Breaks::WordsOrGlyphs);
        // The values line sits right under the name's measured text.
        QStringList values = {line.quantity, line.third};
        if (price)
            values << line.fourth;
        if (discount)
            values << line.discounted;
        for (int i = 0; i < values.size(); ++i)
            pass.drawText(band(valueCols[i].first, top + u, valueCols[i].second, bottom + u),
                          values[i], Qt::AlignRight, ReceiptText::Breaks::Words);
        g += 2;
    }
    drawTotals(pass, r0 + g * m_dy);
}

void ReceiptLayout::drawTotals(Pass &pass, int end) const
{
    const ReceiptSwitches &sw = m_style.switches;
    const int w = m_right - m_left;
    const int dy = m_dy;
    pass.rule(end + toInt(2 * m_ry));
    const int o = end + toInt(9 * m_ry);
    QRect right = QRect(m_left + (w * 17) / 30, o, (w * 10) / 20, dy);
    auto showRight = [&](const QString &text) {
        pass.drawText(right, text, Qt::AlignLeft, ReceiptText::Breaks::Words);
    };

    pass.textOut(m_left, o, m_data.totalQuantityLabel + m_data.totalQuantity);
    showRight(m_data.totalLabel + m_data.total);
    int q = o;
    int linesAbove = 0;
    if (sw.discount) {
        pass.textOut(m_left, o + dy, m_data.discountedTotalLabel + m_data.discountedTotal);
        int cashierY = 0;
        if (sw.cash) {
            pass.textOut(m_left, o + 2 * dy, m_data.cashLabel + m_data.cash);
            right.translate(0, 2 * dy);
            showRight(m_data.changeLabel + m_data.change);
            cashierY = o + 3 * dy;
            q = o;
        } else {
            cashierY = o + 2 * dy;
            q = o - dy;
        }
        pass.textOut(m_left, cashierY, m_data.cashierLabel + m_data.cashier);
        linesAbove = 4;
    } else {
        if (sw.cash) {
            pass.textOut(m_left, o + dy, m_data.cashLabel + m_data.cash);
            right.translate(0, dy);
            showRight(m_data.changeLabel + m_data.change);
            q = o;
        } else {
            q = o - dy;
        }
        pass.textOut(m_left, q + 2 * dy, m_data.cashierLabel + m_data.cashier);
        linesAbove = 3;
    }
    if (sw.payment) {
        right.translate(0, dy);
        showRight(m_data.paymentLabel + m_data.payment);
    }
    const int base = q + linesAbove * dy;
    pass.rule(base + toInt(2 * m_ry));
    pass.rule(base + toInt(4 * m_ry));
    drawRemark(pass, base + toInt(11 * m_ry));
}

QStringList ReceiptLayout::remarkPieces(const QString &remark)
{
    QString plain = remark;
    plain.remove(QLatin1Char('\r'));
    return plain.split(QLatin1Char('\n'));
}

int ReceiptLayout::remarkExtra(const QString &piece, int extra) const
{
    const QFont font = m_bodyFont.withExtra(extra);
    const int rm = m_left + ReceiptText::width(font, piece);
    if (rm <= m_right || m_right <= 0)
        return 0;
    int bands = rm / m_right;
    // The ratio of the edges undercounts with a left margin and ignores word
    // breaks; a piece always gets the bands its wrapped lines need.
    const int u = measureHeight(piece, m_right - m_left, extra);
    if (m_dy > 0 && u > m_dy)
        bands = std::max(bands, u / m_dy);
    return m_dy * bands;
}

void ReceiptLayout::drawRemark(Pass &pass, int start) const
{
    QRect rect = band(m_left, start, m_right, start + m_dy);
    for (const QString &piece : remarkPieces(m_data.remark)) {
        const int extra = remarkExtra(piece, pass.extra);
        pass.drawText(rect.adjusted(0, 0, 0, extra), piece, Qt::AlignLeft,
                      ReceiptText::Breaks::WordsOrGlyphs);
        rect.translate(0, extra + m_dy);
    }
    rect.translate(0, -m_dy);
    const int endY = rect.top() + rect.height();
    pass.textOut(m_left, endY, QStringLiteral("."));
    pass.out.height = endY + m_bodyFont.cellHeight();
}

int ReceiptLayout::measureHeight(const QString &text, int width, int extra) const
{
    const auto lines = ReceiptText::wrap(m_bodyFont.withExtra(extra), text, width,
                                         ReceiptText::Breaks::WordsOrGlyphs);
    return int(lines.size()) * m_bodyFont.cellHeight();
}

int ReceiptLayout::estimatePaperLength() const
{
    const ReceiptSwitches &sw = m_style.switches;
    const int dy = m_dy;
    const int w = m_right - m_left;
    int n = 2;
    if (sw.customer) {
        const int h = measureHeight(m_data.customerLabel + m_data.customer, w, 0);
        n = h > dy ? 3 + h / dy : 3;
    }
    if (sw.phone)
        ++n;
    n += 2;
    int widthsN = 0;
    const QList<int> widths = template01Widths(widthsN);
    const QList<QPair<int, int>> cols = columns(widths, widthsN);
    for (const ReceiptLine &line : m_data.lines) {
        if (m_style.template02) {
            const int u = measureHeight(line.name, w, 0);
            n += u > dy ? u / dy + 2 : 2;
        } else {
            const int u = measureHeight(line.name, cols[0].second - cols[0].first, 0);
            n += u > dy ? u / dy + 1 : 1;
        }
    }
    n += 2;
    if (sw.cash)
        ++n;
    for (const QString &piece : remarkPieces(m_data.remark))
        n += 1 + remarkExtra(piece, 0) / dy;
    const int ls = m_style.lineSpacing;
    int length = n * ((263 * ls) / 100) + (m_style.paperLengthAdjust + 13) * ls;
    if (m_style.printLogo)
        length += m_style.logoHeight;
    return length;
}
