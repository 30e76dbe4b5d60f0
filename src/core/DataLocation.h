#pragma once

#include <QString>
#include <QStringList>

// Where the databases and the working files (logo.bmp) live.
//
// Run from a folder of its own (the build tree, a copy in a user's folder),
// the program keeps using data/ beside it. Installed, its folder belongs to the
// system and the package: the databases then live in the user's data folder,
// copied once from the installed templates and never replaced afterwards, so
// that an upgrade or a reinstallation of the program leaves the sales alone.
class DataLocation
{
public:
    struct Places
    {
        QString programDir;  // the folder of the program file; its data/ has the databases or the
                             // templates
        QString templateDir; // where an installation keeps its templates (data/ links there)
        QString userDataDir; // the user's data folder for this program
        QString currentDir;  // the current directory when the program started
    };

    explicit DataLocation(Places places);

    // The places of this installation: the templates relative to the program,
    // the user's data folder as the desktop defines it.
    static Places standardPlaces(const QString &programDir, const QString &currentDir);

    // True when data/ beside the program is the one to use.
    bool besideProgram() const { return m_besideProgram; }

    // The folder whose data/ holds the two databases.
    QString dataHome() const;
    // The folder of logo.bmp and the update check's files.
    QString workingDir() const;

    // Makes sure the databases exist where dataHome() says: in the user's
    // folder a missing one is copied from its template, an existing one is
    // never touched. Returns an empty text, or the message to show the user.
    QString prepare() const;

    // The databases that are copied to the user's folder.
    static QStringList databaseFiles();

private:
    bool copyTemplate(const QString &templateFile, const QString &target) const;

    Places m_places;
    bool m_besideProgram;
};
