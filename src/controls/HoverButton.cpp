#include "controls/HoverButton.h"

#include "controls/ButtonGradient.h"

#include <QPainter>
#include <QStyle>

namespace {

// The system edge the face sits inside (both directions).
constexpr int kEdge = 2;

const QColor kFrame(50, 100, 160);
const QColor kHoverFace(223, 222, 236);
const QColor kNormalFace(222, 223, 236);

struct BorderPens
{
    QColor left, right, top, bottom;
};
const BorderPens kHoverPens{QColor(250, 196, 88), QColor(251, 202, 106), QColor(252, 210, 121),
                            QColor(229, 151, 0)};
const BorderPens kFocusPens{QColor(153, 198, 252), QColor(162, 189, 252), QColor(162, 201, 255),
                            QColor(162, 201, 255)};

QPen borderPen(const QColor &colour, int width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// The caption as shown: "&&" is an ampersand, a single "&" marks the shortcut.
QString withoutMnemonic(const QString &text)
{
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        plain.append(text[i]);
    }
    return plain;
}

} // namespace

HoverButton::HoverButton(QWidget *parent) : QPushButton(parent) {}

HoverButton::HoverButton(const QString &text, QWidget *parent) : QPushButton(text, parent) {}

void HoverButton::enterEvent(QEnterEvent *event)
{
    m_hovered = true;
    update();
    QPushButton::enterEvent(event);
}

void HoverButton::leaveEvent(QEvent *event)
{
    m_hovered = false;
    update();
    QPushButton::leaveEvent(event);
}

void HoverButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect whole = rect();
    const bool pressed = isDown();
    const bool focused = hasFocus();

    // Rounded frame (corner ellipse 5 x 5) around a white inside.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(kFrame, 1));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(whole.adjusted(0, 0, -1, -1), 2.5, 2.5);

    const QRect face = whole.adjusted(kEdge, kEdge, -kEdge, -kEdge);
    paintFace(painter, face, pressed);
    if (m_hovered || focused)
        paintBorder(painter, face, focused);
    paintCaption(painter, face, pressed);
}

void HoverButton::paintFace(QPainter &painter, const QRect &face, bool pressed) const
{
    // Face rectangle as left/top/right/bottom with the right and bottom
    // outside it, the way the rows are counted.
    const int left = face.left();
    const int top = face.top();
    const int right = face.left() + face.width();
    const int bottom = face.top() + face.height();
    painter.fillRect(face, m_hovered ? kHoverFace : kNormalFace);

    const QList<int> rows = ButtonGradient::rowIndices(top, bottom, pressed);
    const int rowEnd = right - left + kEdge; // x = width + 2 in client coordinates
    for (int i = 0; i < rows.size(); ++i)
        painter.fillRect(QRect(left, top + i, rowEnd - left, 1),
                         ButtonGradient::colour(rows[i], m_hovered));
}

void HoverButton::paintBorder(QPainter &painter, const QRect &face, bool focused) const
{
    const int left = face.left();
    const int top = face.top();
    const int right = face.left() + face.width();
    const int bottom = face.top() + face.height();
    const BorderPens &pens = (m_hovered || !focused) ? kHoverPens : kFocusPens;

    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(borderPen(pens.left, 3));
    painter.drawLine(left, bottom - 1, left, top + 1);
    painter.setPen(borderPen(pens.right, 3));
    painter.drawLine(right - 1, bottom - 1, right - 1, top);
    painter.setPen(borderPen(pens.top, 2));
    painter.drawLine(left - 1, top, right - 1, top);
    painter.setPen(borderPen(pens.bottom, 2));
    painter.drawLine(left, bottom, right - 1, bottom);

    if (focused && !m_hovered) {
        QPen dotted(Qt::black, 1);
        dotted.setDashPattern({1, 1});
        dotted.setCosmetic(true);
        painter.setPen(dotted);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(face.adjusted(3, 3, -4, -4));
    }
}

void HoverButton::paintCaption(QPainter &painter, const QRect &face, bool pressed) const
{
    const QString caption = text().left(260);
    painter.setFont(font());
    const QFontMetrics metrics(font());
    const int width = metrics.horizontalAdvance(withoutMnemonic(caption));
    const int height = metrics.height();
    const int right = face.left() + face.width();
    const int bottom = face.top() + face.height();
    int x = (face.left() + right) / 2 - width / 2;
    int y = (face.top() + bottom) / 2 - height / 2;
    if (pressed) {
        ++x;
        ++y;
    }
    int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    flags |= style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, this) ? Qt::TextShowMnemonic
                                                                             : Qt::TextHideMnemonic;
    const QRect area(x, y, width + 1, height);
    if (isEnabled()) {
        painter.setPen(palette().color(QPalette::ButtonText));
        painter.drawText(area, flags, caption);
    } else {
        // Greyed the classic way: a highlight copy one pixel down and right
        // under a shadow-coloured one.
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(area.translated(1, 1), flags, caption);
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawText(area, flags, caption);
    }
}
