#pragma once

#include <QFont>
#include <QString>

// A receipt font: sized in device dots from a point size at the screen's 96
// dots per inch (not the target's), with the size meaning the character cell,
// ascent plus descent, as the receipt layout was designed with.
class ReceiptFont
{
public:
    static constexpr int screenDpi = 96;

    ReceiptFont() = default;
    ReceiptFont(const QString &family, int pointSize);

    // size * 96 / 72, rounded: the cell height in dots; 21 gives 28.
    static int cellHeightFor(int pointSize);

    const QFont &font() const { return m_font; }
    // The same font with a character extra (dots added after every character).
    QFont withExtra(int extra) const;
    // The same face at a smaller em size of PIXELS dots, its cell what the
    // face needs at that size.
    ReceiptFont resized(int pixels) const;
    int pixelSize() const { return m_font.pixelSize(); }
    int cellHeight() const { return m_cell; }
    qreal ascent() const { return m_ascent; }

private:
    QFont m_font;
    int m_cell = 0;
    qreal m_ascent = 0;
};
