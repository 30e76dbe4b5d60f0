#pragma once

#include "core/WorkProgress.h"
#include "records/BookFile.h"

#include <QDate>
#include <QDateTime>
#include <QString>

// The steps of backing up, checking and replacing the records book, without
// asking anybody anything: each returns what happened and the words for it.
// The query window's menu (BookCommands) and the command line take the same
// steps and show the same texts.
class BookSteps
{
public:
    // Where the records book of a data source is.
    struct Place
    {
        QString book;          // the book's absolute path; empty: none here
        bool onServer = false; // the data source names a database server
        QString problem;       // why there is no book here, said for the person
        bool found() const { return !book.isEmpty(); }
    };

    // The outcome of a step: done or not, and the text to show either way
    // (empty when the person stopped it and nothing changed).
    struct Outcome
    {
        bool done = false;
        QString message;
    };

    static Place locate(const QString &recordsDsn);

    // PATH is the records book BOOK, the settings database of SETTINGSDSN or
    // the new-book template beside the program in PROGRAMDIR.
    static bool isOwnDataFile(const QString &path, const QString &book, const QString &settingsDsn,
                              const QString &programDir);
    static QString ownDataFileMessage(const QString &path);

    // A consistent copy of the live book at TARGET (the menu's backup).
    static Outcome backUp(const QString &book, const QString &target,
                          const WorkProgress &progress = {});

    // Why CHOSEN may not replace BOOK; empty when it may.
    static QString restoreRefusal(const QString &chosen, const QString &book);
    // Why the new-book template BLANK cannot start a new book; empty when it can.
    static QString newBookProblem(const QString &blank);
    // Puts a copy of SOURCE in place of BOOK; FAILURE and SUCCESS head the message.
    static Outcome replace(const QString &book, const QString &source, const QString &failure,
                           const QString &success);

    // What is wrong with the book at PATH; empty when it is a whole records book.
    static QString verdictText(BookFile::Verdict verdict);

    static QString serverMessage();
    static QString cannotOpenMessage();
    // "2008-3-5销售小票数据库备份.qmbk", the menu's proposal.
    static QString proposedBackupName(const QDate &date);
};
