#pragma once

#include "printing/ReceiptFont.h"

#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

// A receipt laid out in device dots: every rule, text and the logo with its
// position. The painter draws it on any device; tests read the positions.
struct ReceiptDrawing
{
    enum class FontRole
    {
        Title,
        Body
    };

    struct Text
    {
        QString text;
        // Wrapped text: the rectangle it is drawn in. A textOut line: the origin (top
        // left) with the text's own size.
        QRect box;
        bool textOut = false;
        Qt::Alignment alignment = Qt::AlignLeft;
        FontRole font = FontRole::Body;
        int extra = 0; // character extra in dots
        // A cell's own smaller em size, in dots, when its text did not fit
        // at the font's size; 0 for the font's own size.
        int pixelSize = 0;
        // The laid-out lines and the top-left corner of each.
        QStringList lines;
        QList<QPoint> origins;
    };

    struct Rule
    {
        int y = 0;
        int x1 = 0;
        int x2 = 0;
    };

    struct Logo
    {
        QString path;
        QRect target; // drawn at its own pixel size
    };

    int dpiX = 0;
    int dpiY = 0;
    int width = 0;  // HORZRES: the printable width in dots
    int height = 0; // the bottom of the end mark
    ReceiptFont titleFont;
    ReceiptFont bodyFont;
    QList<Text> texts;
    QList<Rule> rules;
    QList<Logo> logos;

    // The font TEXT is drawn with.
    ReceiptFont fontOf(const Text &text) const
    {
        const ReceiptFont &font = text.font == FontRole::Title ? titleFont : bodyFont;
        return text.pixelSize > 0 ? font.resized(text.pixelSize) : font;
    }

    // The first text whose whole text is TEXT, or nullptr.
    const Text *find(const QString &text) const
    {
        for (const Text &item : texts) {
            if (item.text == text)
                return &item;
        }
        return nullptr;
    }
};
