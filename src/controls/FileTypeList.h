#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The file types of the export save dialog, given as one text of display
// names separated by "|", each holding its pattern in parentheses:
// "表格文件(*.xls)|数据库文件(*.qmbk)". From them come the dialog's filters, the
// type that fits a proposed name, and the rewriting of a typed name's
// extension when the user picks another type.
class FileTypeList
{
public:
    static constexpr int kMaxTypes = 20;

    struct FileType
    {
        QString name;      // "表格文件(*.xls)"
        QString pattern;   // "*.xls"
        QString extension; // ".xls"
    };

    // At most 20 names; leading separators are skipped and a name that starts
    // with a quote runs to the matching quote (and may hold "|").
    static QList<FileType> split(const QString &list);
    static FileType type(const QString &name, const QString &pattern);

    // The filter text the file dialog shows and matches: the name up to its
    // parenthesis, then the pattern in parentheses.
    static QString filterText(const FileType &type);
    static QStringList filterTexts(const QList<FileType> &types);

    // The name first shown: the proposed one, or "*" and the first type's
    // extension when none is proposed.
    static QString initialName(const QString &proposed, const QList<FileType> &types);
    // The type (1-based) whose extension the proposed name ends in; 1 when none.
    static int initialIndex(const QString &proposed, const QList<FileType> &types);

    // The extension in a filter's text: from the first "*" to the next ")".
    static QString extensionOfFilter(const QString &filter);
    // The typed name for another type: "*" + extension when empty, the
    // extension appended when the name has none, else its extension replaced.
    static QString rewriteExtension(const QString &typed, const QString &extension);
    // A chosen path without an extension gets the chosen type's one.
    static QString withExtension(const QString &path, const QString &extension);

    // Where the extension of PATH's file name starts (its last "."), -1 if none.
    static qsizetype extensionStart(const QString &path);
};
