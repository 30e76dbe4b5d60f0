#pragma once

#include <QObject>

class QKeyEvent;
class QWheelEvent;
class SalesDialog;

// The sales window's keyboard and wheel, watched for the whole application
// while the window exists: F5 and keypad "+" print, keypad "*" moves on, F1
// opens the help, the number fields take only numbers, and the wheel works
// on the focused field.
class SalesKeyFilter : public QObject
{
    Q_OBJECT
public:
    explicit SalesKeyFilter(SalesDialog &dialog);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool handleKey(QKeyEvent *event);
    bool filterNumericKey(QObject *watched, QEvent *event);
    bool handleWheel(QObject *watched, QWheelEvent *event);
    bool isUnfocusedEntryBox(QObject *watched) const;

    SalesDialog &m_dialog;
    int m_wheelAngle = 0;
};
