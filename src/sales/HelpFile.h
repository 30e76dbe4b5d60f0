#pragma once

#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

// The program's help, an HTML file shipped beside the program, shown in the
// desktop's browser. Used by F1 in the sales window and by the About box.
class HelpFile
{
public:
    using Opener = std::function<bool(const QUrl &)>;

    // The default opener hands the file to the desktop (QDesktopServices).
    explicit HelpFile(QString programDir, Opener opener = {});

    static QString fileName() { return QStringLiteral("Quillmarch帮助.html"); }
    QString path() const;

    // Opens the help; a missing file or a desktop that cannot show it is
    // reported to the user and nothing else happens. Returns whether it opened.
    bool open(QWidget *parent) const;

private:
    QString m_programDir;
    Opener m_opener;
};
