#pragma once

#include "core/WorkProgress.h"

#include <QString>

// The records book as one SQLite file: what counts as a book, a consistent
// copy of the live book, and putting another book in its place. A file the
// program writes is first written beside its target under a temporary name,
// synced and then renamed over the target, so the target always holds either
// the old or the whole new file, whatever interrupts the program.
class BookFile
{
public:
    enum class Verdict
    {
        Book,        // a records book
        Missing,     // no such file
        NotDatabase, // not a SQLite database (text, empty, another format)
        Damaged,     // fails the integrity check, or cannot be read through
        WrongTables  // POS_RECORD, POS_RECORD_DETAIL or AUTO_NUM missing or of another shape
    };

    // What the file at PATH is. Only reads it.
    static Verdict examine(const QString &path);
    // A book without sales and lines (the new-book template).
    static bool isEmptyBook(const QString &path);
    // Both names lead to one file (canonical paths, or the same inode).
    static bool sameFile(const QString &a, const QString &b);

    // A consistent copy of the live book LIVE, even while other connections
    // write to it, written to TARGET. A file that was at TARGET goes to the
    // trash; NOTE tells where it is kept when the trash cannot take it. ERROR
    // gets the reason on failure (empty when PROGRESS stopped the copy);
    // TARGET is then untouched.
    static bool snapshot(const QString &live, const QString &target, QString *error,
                         QString *note = nullptr, const WorkProgress &progress = {});

    // Puts a copy of the book SOURCE at LIVE. The book that was at LIVE goes to
    // the trash; NOTE tells where it is kept when the trash cannot take it.
    // On failure LIVE still holds the old book.
    static bool replace(const QString &live, const QString &source, QString *error,
                        QString *note = nullptr);
};
