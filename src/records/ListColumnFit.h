#pragma once

#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>

class QWidget;
class SortableList;

// The column widths of a query list. A column is as wide as its header and
// its widest text among the rows shown, its width as the list was set up
// being the least; a column the person dragged keeps the width given, and
// opens with it next time (kept in the settings database under NAME).
class ListColumnFit : public QObject
{
    Q_OBJECT

public:
    ListColumnFit(SortableList *list, const QString &name, const QString &settingsDsn);

    // Widens the columns the person has not sized to their header and texts.
    void fit();
    // Stores the widths dragged since the list opened; failures are shown.
    void keep(QWidget *parent);

    // Rows a fit looks at, from the top of the list (a long list is not read
    // through at every query).
    static constexpr int rowsMeasured = 200;

private:
    void applyKept();
    void resized(int column, int newSize);

    SortableList *m_list;
    QString m_name;
    QString m_settingsDsn;
    QList<int> m_least;
    QSet<int> m_personSized;
    QMap<int, int> m_dragged;
    bool m_fitting = false;
};
