#include "printing/ReceiptFont.h"

#include <QFontMetricsF>

#include <cmath>
#include <cstdlib>

namespace {

QFont baseFont(const QString &family, int pixelSize)
{
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    // Unhinted metrics do not depend on the device, so a layout measured once
    // draws the same on an image, a PDF and a printer.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setPixelSize(std::max(1, pixelSize));
    return font;
}

} // namespace

int ReceiptFont::cellHeightFor(int pointSize)
{
    // size * 96 / 72, rounded half away from zero.
    const long long product = static_cast<long long>(pointSize) * screenDpi;
    const long long half = 72 / 2;
    return static_cast<int>(product >= 0 ? (product + half) / 72 : -((-product + half) / 72));
}

ReceiptFont::ReceiptFont(const QString &family, int pointSize)
{
    int cell = cellHeightFor(pointSize);
    if (cell == 0)
        cell = 16; // the font mapper's choice for a zero height
    if (cell < 0) {
        // A negative height is the em size; the cell follows from the face.
        m_font = baseFont(family, -cell);
        const QFontMetricsF metrics(m_font);
        m_cell = static_cast<int>(std::ceil(metrics.ascent() + metrics.descent()));
        m_ascent = metrics.ascent();
        return;
    }
    // Pick the pixel (em) size whose ascent plus descent fills the cell.
    QFont probe = baseFont(family, cell);
    const QFontMetricsF probeMetrics(probe);
    const qreal ratio = (probeMetrics.ascent() + probeMetrics.descent()) / cell;
    int pixels = ratio > 0 ? static_cast<int>(std::floor(cell / ratio)) : cell;
    for (;;) {
        m_font = baseFont(family, pixels);
        const QFontMetricsF metrics(m_font);
        if (pixels <= 1 || metrics.ascent() + metrics.descent() <= cell + 0.01) {
            m_ascent = metrics.ascent();
            break;
        }
        --pixels;
    }
    m_cell = cell;
}

ReceiptFont ReceiptFont::resized(int pixels) const
{
    ReceiptFont smaller = *this;
    smaller.m_font.setPixelSize(std::max(1, pixels));
    const QFontMetricsF metrics(smaller.m_font);
    smaller.m_cell = static_cast<int>(std::ceil(metrics.ascent() + metrics.descent()));
    smaller.m_ascent = metrics.ascent();
    return smaller;
}

QFont ReceiptFont::withExtra(int extra) const
{
    QFont font = m_font;
    if (extra != 0)
        font.setLetterSpacing(QFont::AbsoluteSpacing, extra);
    return font;
}
