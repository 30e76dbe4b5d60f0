#pragma once

#include <QPushButton>

// The push button of the program's dialogs: a rounded dark-blue frame, a
// vertical gradient face (turned upside down while pressed), a sand-coloured
// border while the mouse is over it and a light-blue one with a dotted focus
// rectangle while it has the keyboard focus. Otherwise an ordinary push
// button: clicked(), default button, enable/disable, "&" shortcuts.
class HoverButton : public QPushButton
{
    Q_OBJECT

public:
    explicit HoverButton(QWidget *parent = nullptr);
    explicit HoverButton(const QString &text, QWidget *parent = nullptr);

    bool isHovered() const { return m_hovered; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void paintFace(QPainter &painter, const QRect &face, bool pressed) const;
    void paintBorder(QPainter &painter, const QRect &face, bool focused) const;
    void paintCaption(QPainter &painter, const QRect &face, bool pressed) const;

    bool m_hovered = false;
};
