#pragma once

#include <QList>
#include <QObject>

class QKeyEvent;
class QWheelEvent;
class QWidget;

// The sales window's keys and wheel, watched for the whole application while
// the window exists, so that no field takes them first: F5 and keypad "+"
// print, keypad "*" moves on, F1 opens the help. The wheel works on the
// field that has the focus, wherever the mouse is: a wheel field (quantity,
// price, time) steps one a notch; otherwise a drop-down box or the time under
// the mouse without the focus does not take the turn, so the cashier, payment
// method or product never changes unseen.
class SalesKeyFilter : public QObject
{
    Q_OBJECT
public:
    explicit SalesKeyFilter(QWidget &window);

    void setWheelFields(const QList<QWidget *> &fields);

    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    void printPressed();
    void nextFieldPressed();
    void helpPressed();
    // NOTCHES whole notches (negative: backwards) turned while a wheel field has the focus.
    void wheelStepped(int notches);
    // A turn while no wheel field has the focus.
    void wheelTurnedElsewhere(bool forward);

private:
    bool handleKey(QKeyEvent *event);
    bool handleWheel(QObject *watched, QWheelEvent *event);
    bool wheelFieldHasFocus() const;
    bool isUnfocusedBox(QObject *watched) const;

    QWidget &m_window;
    QList<QWidget *> m_wheelFields;
    int m_wheelAngle = 0;
};
