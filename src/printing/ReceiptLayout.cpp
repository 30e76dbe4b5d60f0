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

    // One line at (x, y), neither wrapped nor cut.
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
                  ReceiptDrawing::FontRole role = ReceiptDrawing::FontRole::Body, int pixelSize = 0)
    {
        const ReceiptFont font = pixelSize > 0 ? fontOf(role).resized(pixelSize) : fontOf(role);
        const QFont qfont = font.withExtra(extra);
        ReceiptDrawing::Text item;
        item.text = text;
        item.box = rect;
        item.alignment = alignment;
        item.font = role;
        item.extra = extra;
        item.pixelSize = pixelSize;
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

    // Bands TEXT takes wrapped to WIDTH.
    int bandsOf(const QString &text, int width, ReceiptText::Breaks breaks) const
    {
        return layout.bandsFor(layout.measureHeight(text, width, extra, breaks));
    }

    // DrawText in BAND, one band high, grown downwards by whole bands until
    // the wrapped text fits. Returns the bands taken.
    int placeText(const QRect &band, const QString &text, Qt::Alignment alignment,
                  ReceiptText::Breaks breaks)
    {
        const int bands = bandsOf(text, band.width(), breaks);
        drawText(band.adjusted(0, 0, 0, (bands - 1) * layout.m_dy), text, alignment, breaks);
        return bands;
    }

    // A table cell: TEXT in RECT, at the size fitCell chose for it.
    void drawCell(const QRect &rect, const QString &text, Qt::Alignment alignment,
                  const CellFit &fit)
    {
        // The gap is kept clear on the side facing the neighbour.
        QRect room = rect;
        const int gap = layout.cellGap();
        if (alignment & Qt::AlignRight)
            room.setLeft(rect.left() + gap);
        else if (alignment & Qt::AlignHCenter)
            room.adjust(gap / 2, 0, -(gap - gap / 2), 0);
        else
            room.setRight(rect.right() - gap);
        drawText(room, text, alignment, fit.breaks, ReceiptDrawing::FontRole::Body, fit.pixelSize);
        out.texts.last().box = rect; // the cell, as the columns give it
    }

    // One line at the left of BAND when the text fits its width; otherwise the
    // text wraps inside the band's width. Returns the bands taken.
    int lineIn(const QRect &band, const QString &text)
    {
        if (ReceiptText::width(layout.m_bodyFont.withExtra(extra), text) <= band.width()) {
            textOut(band.left(), band.top(), text);
            return 1;
        }
        return placeText(band, text, Qt::AlignLeft, ReceiptText::Breaks::WordsOrGlyphs);
    }

    void rule(int y) { out.rules.append({y, layout.m_left, layout.m_right}); }
};

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

int ReceiptLayout::cellGap() const
{
    return std::max(2, toInt(2 * m_rx));
}

ReceiptLayout::CellFit ReceiptLayout::fitCell(const QString &text, int width, int extra) const
{
    const int room = std::max(1, width - cellGap());
    CellFit fit;
    auto oneLine = [&](const ReceiptFont &font) {
        fit.height = font.cellHeight();
        return ReceiptText::width(font.withExtra(extra), text) <= room;
    };
    auto wrapped = [&](const ReceiptFont &font, ReceiptText::Breaks breaks) {
        const auto lines = ReceiptText::wrap(font.withExtra(extra), text, room, breaks);
        fit.height = int(lines.size()) * font.cellHeight();
        fit.breaks = breaks;
        for (const ReceiptText::Line &line : lines) {
            if (line.width > room)
                return false;
        }
        return true;
    };
    if (!text.contains(u'\n') && oneLine(m_bodyFont))
        return fit;
    // One line at a smaller size, down to two thirds of the body size; a
    // text too wide even then takes more lines at that size, broken between
    // its words where they fit, else inside them.
    const int body = m_bodyFont.pixelSize();
    const int smallest = std::max(1, (body * 2 + 2) / 3);
    for (int pixels = body - 1; pixels >= smallest && !text.contains(u'\n'); --pixels) {
        fit.pixelSize = pixels;
        if (oneLine(m_bodyFont.resized(pixels)))
            return fit;
    }
    fit.pixelSize = smallest;
    const ReceiptFont small = m_bodyFont.resized(smallest);
    if (!wrapped(small, ReceiptText::Breaks::Words))
        wrapped(small, ReceiptText::Breaks::WordsOrGlyphs);
    return fit;
}

QList<QPair<int, int>> ReceiptLayout::widenToFit(QList<QPair<int, int>> cols,
                                                 const QList<int> &needs) const
{
    // The name column (the first) wraps its text anyway: it gives the value
    // columns the dots they lack, keeping a fifth of the width for itself.
    const int w = m_right - m_left;
    int spare = cols[0].second - cols[0].first - w / 5;
    QList<int> widths;
    bool changed = false;
    for (int i = 0; i < cols.size(); ++i) {
        int width = cols[i].second - cols[i].first;
        const int lack = i > 0 ? std::min(spare, needs.value(i) - width) : 0;
        if (lack > 0) {
            width += lack;
            spare -= lack;
            changed = true;
        }
        widths.append(width);
    }
    if (!changed)
        return cols;
    int taken = 0;
    for (int i = 1; i < widths.size(); ++i)
        taken += widths[i] - (cols[i].second - cols[i].first);
    widths[0] -= taken;
    int x = m_left;
    for (int i = 0; i < cols.size(); ++i) {
        cols[i] = {x, x + widths[i]};
        x += widths[i];
    }
    return cols;
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

int ReceiptLayout::drawCommonStart(Pass &pass, int startLine) const
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
    // A shop name wider than the paper wraps; the box grows by its extra lines.
    const auto titleLines = ReceiptText::wrap(m_titleFont.font(), sw.shopName, m_right - m_left,
                                              ReceiptText::Breaks::WordsOrGlyphs);
    boxBottom += int(titleLines.size() - 1) * m_titleFont.cellHeight();
    const int b = boxBottom;
    pass.drawText(band(m_left, boxTop, m_right, boxBottom), sw.shopName, Qt::AlignHCenter,
                  ReceiptText::Breaks::WordsOrGlyphs, ReceiptDrawing::FontRole::Title);

    if (!m_style.template02) {
        pass.rule(b + toInt(9 * m_ry));
        pass.rule(b + toInt(11 * m_ry));
    }
    auto line = [b, this](int k) {
        return band(m_left, b + k * m_dy, m_right, b + (k + 1) * m_dy);
    };

    // Every header line wraps when it is wider than the paper and pushes the
    // lines after it down.
    int r = startLine;
    r += pass.lineIn(line(r), m_data.numberLabel + m_data.receiptNumber);
    if (sw.customer)
        r += pass.placeText(line(r), m_data.customerLabel + m_data.customer, Qt::AlignLeft,
                            ReceiptText::Breaks::WordsOrGlyphs);
    if (sw.phone)
        r += pass.placeText(line(r), m_data.phoneLabel + m_data.phone, Qt::AlignLeft,
                            ReceiptText::Breaks::WordsOrGlyphs);
    r += pass.lineIn(line(r), m_data.timeLabel + m_data.time);
    const int top = line(r).top();
    pass.rule(top);
    return top;
}

int ReceiptLayout::drawColumnHeaders(Pass &pass, int lineTop, const QList<QPair<int, int>> &cols,
                                     const QStringList &headers,
                                     const QList<Qt::Alignment> &alignments) const
{
    // A header wider than its column takes a smaller size, or a second line,
    // and the header row grows to the tallest header.
    int bands = 1;
    QList<CellFit> fits;
    for (int i = 0; i < headers.size(); ++i) {
        fits.append(fitCell(headers[i], cols[i].second - cols[i].first, pass.extra));
        bands = std::max(bands, bandsFor(fits.last().height));
    }
    const int grown = (bands - 1) * m_dy;
    const int top = lineTop + toInt(7 * m_ry);
    for (int i = 0; i < headers.size(); ++i)
        pass.drawCell(band(cols[i].first, top, cols[i].second, top + m_dy + grown), headers[i],
                      alignments[i], fits[i]);
    pass.rule(lineTop + m_dy + grown + toInt(9 * m_ry));
    return lineTop + m_dy + grown + toInt(18 * m_ry);
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

QStringList ReceiptLayout::valuesOf(const ReceiptLine &line) const
{
    QStringList values = {line.quantity, line.third};
    if (m_style.showPrice)
        values << line.fourth;
    if (m_style.switches.discount)
        values << line.discounted;
    return values;
}

QStringList ReceiptLayout::template01Headers() const
{
    QStringList headers = {m_data.headers[0], m_data.headers[1], m_data.headers[2]};
    if (m_style.showPrice)
        headers << m_data.headers[3];
    if (m_style.switches.discount)
        headers << m_data.headers[4];
    return headers;
}

QList<QPair<int, int>> ReceiptLayout::template01Columns() const
{
    int n = 0;
    const QList<int> widths = template01Widths(n);
    // Each value column should hold its header and every value on one line.
    const QStringList headers = template01Headers();
    QList<int> needs(headers.size(), 0);
    const int gap = cellGap();
    const QFont headerFont = m_bodyFont.font();
    const QFont rowFont = m_bodyFont.withExtra(-1);
    for (int i = 1; i < headers.size(); ++i)
        needs[i] = ReceiptText::width(headerFont, headers[i]) + gap;
    for (const ReceiptLine &line : m_data.lines) {
        const QStringList values = valuesOf(line);
        for (int i = 0; i < values.size(); ++i)
            needs[i + 1] = std::max(needs[i + 1], ReceiptText::width(rowFont, values[i]) + gap);
    }
    return widenToFit(columns(widths, n), needs);
}

void ReceiptLayout::drawTemplate01(Pass &pass) const
{
    const int lineTop = drawCommonStart(pass, 1);
    const QList<QPair<int, int>> cols = template01Columns();

    // The name header left, the others centred.
    const QStringList headers = template01Headers();
    QList<Qt::Alignment> alignments(headers.size(), Qt::AlignHCenter);
    alignments[0] = Qt::AlignLeft;
    const int r0 = drawColumnHeaders(pass, lineTop, cols, headers, alignments);

    pass.extra = -1;
    int g = 0;
    for (const ReceiptLine &line : m_data.lines) {
        const QStringList values = valuesOf(line);
        // The row is as tall as its tallest cell: a long name wraps in its
        // column; a value too wide for its column is made smaller first.
        const int nameWidth = cols[0].second - cols[0].first;
        int bands = pass.bandsOf(line.name, nameWidth, ReceiptText::Breaks::WordsOrGlyphs);
        QList<CellFit> fits;
        for (int i = 0; i < values.size(); ++i) {
            fits.append(fitCell(values[i], cols[i + 1].second - cols[i + 1].first, pass.extra));
            bands = std::max(bands, bandsFor(fits.last().height));
        }
        const int top = r0 + g * m_dy;
        const int bottom = r0 + (g + bands) * m_dy;
        pass.drawText(band(cols[0].first, top, cols[0].second, bottom), line.name, Qt::AlignLeft,
                      ReceiptText::Breaks::WordsOrGlyphs);
        for (int i = 0; i < values.size(); ++i)
            pass.drawCell(band(cols[i + 1].first, top, cols[i + 1].second, bottom), values[i],
                          Qt::AlignHCenter, fits[i]);
        g += bands;
    }
    pass.extra = 1;
    drawTotals(pass, r0 + g * m_dy);
}

void ReceiptLayout::drawTemplate02(Pass &pass) const
{
    const int lineTop = drawCommonStart(pass, 0);

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
    const int r0 = drawColumnHeaders(pass, lineTop, headerCols, headers,
                                     QList<Qt::Alignment>(headers.size(), Qt::AlignRight));

    int g = 0;
    for (const ReceiptLine &line : m_data.lines) {
        const int top = r0 + g * m_dy;
        const int u = measureHeight(line.name, m_right - m_left, pass.extra,
                                    ReceiptText::Breaks::WordsOrGlyphs);
        const int nameBands = bandsFor(u);
        pass.drawText(band(m_left, top, m_right, top + nameBands * m_dy), line.name, Qt::AlignLeft,
                      ReceiptText::Breaks::WordsOrGlyphs);
        // The values line sits right under the name's measured text.
        const QStringList values = valuesOf(line);
        int valueBands = 1;
        QList<CellFit> fits;
        for (int i = 0; i < values.size(); ++i) {
            fits.append(fitCell(values[i], valueCols[i].second - valueCols[i].first, pass.extra));
            valueBands = std::max(valueBands, bandsFor(fits.last().height));
        }
        for (int i = 0; i < values.size(); ++i)
            pass.drawCell(
                band(valueCols[i].first, top + u, valueCols[i].second, top + u + valueBands * m_dy),
                values[i], Qt::AlignRight, fits[i]);
        g += nameBands + valueBands;
    }
    drawTotals(pass, r0 + g * m_dy);
}

void ReceiptLayout::drawTotals(Pass &pass, int end) const
{
    const ReceiptSwitches &sw = m_style.switches;
    pass.rule(end + toInt(2 * m_ry));

    // The block in rows of a left and a right text; either may be empty.
    struct Row
    {
        QString left;
        QString right;
    };
    QList<Row> rows = {
        {m_data.totalQuantityLabel + m_data.totalQuantity, m_data.totalLabel + m_data.total}};
    if (sw.discount)
        rows.append({m_data.discountedTotalLabel + m_data.discountedTotal, {}});
    if (sw.cash)
        rows.append({m_data.cashLabel + m_data.cash, m_data.changeLabel + m_data.change});
    rows.append({m_data.cashierLabel + m_data.cashier, {}});
    if (sw.payment) {
        // The payment method stands beside the cashier, or beside the
        // discounted total when there is no cash line.
        Row &beside = sw.discount && !sw.cash ? rows[1] : rows.last();
        beside.right = m_data.paymentLabel + m_data.payment;
    }

    // The right column ends at the paper's right edge; a text that does not
    // fit its place wraps inside it and its row grows.
    const int w = m_right - m_left;
    const int rightX = m_left + (w * 17) / 30;
    int y = end + toInt(9 * m_ry);
    for (const Row &row : rows) {
        // A left text that would touch the right one wraps instead.
        const QRect leftPlace =
            band(m_left, y, row.right.isEmpty() ? m_right : rightX - cellGap(), y + m_dy);
        int bands = pass.lineIn(leftPlace, row.left);
        if (!row.right.isEmpty())
            bands =
                std::max(bands, pass.placeText(band(rightX, y, m_right, y + m_dy), row.right,
                                               Qt::AlignLeft, ReceiptText::Breaks::WordsOrGlyphs));
        y += bands * m_dy;
    }
    pass.rule(y + toInt(2 * m_ry));
    pass.rule(y + toInt(4 * m_ry));
    drawRemark(pass, y + toInt(11 * m_ry));
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

int ReceiptLayout::measureHeight(const QString &text, int width, int extra,
                                 ReceiptText::Breaks breaks) const
{
    const auto lines = ReceiptText::wrap(m_bodyFont.withExtra(extra), text, width, breaks);
    return int(lines.size()) * m_bodyFont.cellHeight();
}

int ReceiptLayout::bandsFor(int height) const
{
    return height > m_dy ? 1 + height / m_dy : 1;
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
    const QList<QPair<int, int>> cols = template01Columns();
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
