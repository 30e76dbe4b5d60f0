#pragma once

#include <QObject>
#include <QSet>

// Names each window on standard output when it is shown and when it is first
// painted, and closes it once it has been painted, so that a start-up can be checked and timed
// without a person (--quit-when-shown).
class QuitWhenShown : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QSet<QObject *> m_closing;
};
