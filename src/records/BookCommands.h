#pragma once

#include <QString>

#include <functional>

class QWidget;
struct AppSettings;

// The commands of the menu "管理数据库": back up the records book, restore it
// from a backup, start a new book. The steps themselves are BookSteps; this
// asks the person for the file and shows what the steps say. The book is the file of the records
// data source; a data source on a database server has no such file and the commands leave it alone.
// Restore and new book close the window's records connection first (CLOSERECORDS); when they fail,
// the old book is still in place and the connection is opened again (REOPENRECORDS).
class BookCommands
{
public:
    enum class Outcome
    {
        Kept,    // the live book is the one that was there
        Replaced // another book is in place: the program must end
    };

    BookCommands(const AppSettings &settings, QWidget *parent, std::function<void()> closeRecords,
                 std::function<void()> reopenRecords);

    void backUp();
    Outcome restore();
    Outcome startNewBook();

private:
    // The records file, or empty after telling the user why there is none.
    QString bookPath() const;
    bool refuseRestoreFrom(const QString &chosen, const QString &book) const;
    Outcome putInPlace(const QString &book, const QString &source, const QString &failure,
                       const QString &success);

    const AppSettings &m_settings;
    QWidget *m_parent;
    std::function<void()> m_closeRecords;
    std::function<void()> m_reopenRecords;
};
