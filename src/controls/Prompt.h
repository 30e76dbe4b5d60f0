#pragma once

#include "core/Failure.h"
#include "core/WorkProgress.h"

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// Every message box and file dialog of the program goes through here, so that
// tests can answer them from a script instead of a person. The message boxes
// themselves are DialogPrompt in app/, installed by main(). The logic below
// the windows never asks: it hands back what went wrong, and the windows tell
// it here.
class Prompt
{
public:
    enum class Icon
    {
        Information,
        Warning,
        Critical,
        Question,
        NoIcon
    };
    enum class Buttons
    {
        Ok,
        OkCancel,
        YesNo,
        YesNoCancel
    };
    enum class Answer
    {
        Ok,
        Cancel,
        Yes,
        No
    };

    struct FileRequest
    {
        QString caption;
        QString proposedPath; // directory or full name shown first
        QStringList filters;  // "名称(*.ext)" entries
        QString selectedFilter;
        // Save dialogs: called when the user picks another file type, with the
        // name typed so far and the chosen filter; returns the name to show.
        std::function<QString(const QString &typedName, const QString &filter)> onTypeChanged;
    };

    virtual ~Prompt() = default;

    virtual Answer ask(QWidget *parent, const QString &text, const QString &caption, Icon icon,
                       Buttons buttons) = 0;
    // Empty result: the user cancelled. selectedFilter returns the chosen type.
    virtual QString openFile(QWidget *parent, FileRequest &request) = 0;
    virtual QString saveFile(QWidget *parent, FileRequest &request) = 0;

    // Long work (an export, an import, a backup): a window with the text, a
    // bar and a cancel button, shown once the work has taken about a second.
    // The window lasts as long as the returned function; the function returns
    // false once the person cancelled.
    virtual WorkProgress progress(QWidget *parent, const QString &text);

    static Prompt &instance();
    // Takes ownership. Until one is installed (and after nullptr) questions are
    // only logged and answered with the choice that changes nothing.
    static void install(Prompt *prompt);

    static QString applicationTitle();

    // Shorthands for the common cases; the caption defaults to the application title.
    static void info(QWidget *parent, const QString &text, const QString &caption = {});
    static void warn(QWidget *parent, const QString &text, const QString &caption = {});
    static void error(QWidget *parent, const QString &text, const QString &caption = {});
    static bool yesNo(QWidget *parent, const QString &text, const QString &caption = {});
    // A failure the logic handed back: an error or a notice, under its caption.
    static void tell(QWidget *parent, const Failure &failure);
};
