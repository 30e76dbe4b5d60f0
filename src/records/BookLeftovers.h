#pragma once

#include <QString>
#include <QStringList>

// What a restore, a new book or a backup of the data files leaves beside
// them when the program is killed in the middle: a temporary copy
// ".Quillbook.qmbk.XXXXXX" and a folder ".replaced-XXXXXX" holding a second
// name of the book that was being replaced. Only these names are touched.
class BookLeftovers
{
public:
    // Cleans FOLDER, where the data files FILENAMES live. Call it only while
    // no other copy of the program can be at work there (under the
    // single-instance lock). A temporary copy is deleted; a kept book is
    // deleted when it is still the live book, and otherwise (it was replaced)
    // goes to the trash, as the interrupted command meant. Returns what was
    // cleaned.
    static QStringList clean(const QString &folder, const QStringList &fileNames);
};
