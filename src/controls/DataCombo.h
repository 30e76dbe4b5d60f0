#pragma once

#include <QComboBox>

// A drop-down box that shows the program's data (user names, customers,
// payment methods, products, printers, font faces). Its width comes from the
// window's design, never from its entries: the box asks only for room for a
// few characters and the form (its minimum width, the columns it shares) gives
// it the rest, so a long entry is cut off in the box rather than widening the
// window or squeezing its neighbours. A box without the keyboard focus shows
// the beginning of its text. The list opens as wide as its longest entry,
// within the screen.
class DataCombo : public QComboBox
{
    Q_OBJECT

public:
    explicit DataCombo(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    void showPopup() override;

protected:
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showBeginning();
    QSize designed(QSize hint) const;
};
