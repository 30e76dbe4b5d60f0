#pragma once

#include "controls/FileTypeList.h"

#include <QString>

class QWidget;

// The save dialog for files the program writes for the user (exported
// lists, database backups). The caller gives a title, the file types as
// "名称(*.ext)|..." and a proposed name; the dialog opens on the type that
// fits the proposed name, and picking another type rewrites the extension of
// the name being typed. It runs through the prompt service, so tests answer it
// from a script.
//
//     ExportFileDialog dialog(u"导出"_s, u"数据库文件(*.qmbk)"_s, name, this);
//     dialog.setTitle(u"导出备份数据库"_s);
//     if (dialog.exec())
//         backupTo(dialog.path());
class ExportFileDialog
{
public:
    ExportFileDialog(const QString &title, const QString &typeList, const QString &proposedName,
                     QWidget *parent = nullptr);

    void setTitle(const QString &title) { m_title = title; }
    QString title() const { return m_title; }
    // Replaces the file types (the filter) before the dialog is shown.
    void setFileTypes(const QList<FileTypeList::FileType> &types);
    // The folder it opens in; by default the folder of the last file chosen
    // in this run of the program, at first the user's documents folder.
    void setDirectory(const QString &directory) { m_directory = directory; }
    QString directory() const;

    // The name in the box when the dialog opens, and the type (1-based).
    QString fileName() const { return m_fileName; }
    int filterIndex() const { return m_filterIndex; }

    // Shows the dialog; true when the user chose a file. A chosen name
    // without an extension gets the chosen type's extension, and when a file
    // of that name exists the user is asked before it is replaced (No shows
    // the dialog again).
    bool exec();
    QString path() const { return m_path; }

private:
    // Asks before a file the dialog did not ask about is replaced.
    bool replaceAllowed(const QString &path) const;

    QWidget *m_parent;
    QString m_title;
    QList<FileTypeList::FileType> m_types;
    QString m_fileName;
    QString m_directory;
    int m_filterIndex = 1;
    QString m_path;
};
