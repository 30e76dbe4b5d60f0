#pragma once

#include <QList>
#include <QString>

class QAbstractItemModel;

// Writes a list to the file a command was given, as the windows' export
// does, and says how it went. Returns the command's exit status.
struct ListFile
{
    QString title;            // the workbook's sheet
    QList<int> numberColumns; // written as numbers in a workbook

    int write(const QAbstractItemModel &model, const QString &path, bool dryRun) const;

private:
    // Over a file already at TARGET: the list is written whole in a hidden
    // folder beside it first; then the old file goes to the trash, from where
    // it can be put back in its place, and the new one takes its name.
    int replace(const QAbstractItemModel &model, const QString &target) const;
};
