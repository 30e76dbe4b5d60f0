#pragma once

#include <QList>
#include <QString>

#include <functional>

class QDialog;

// The modal windows of a test, answered from a script: each window the program
// opens through ModalDialogs is shown, handed to the next scripted handler (which
// fills it in and closes it as a person would) and its result returned. A window
// nobody scripted fails the test instead of waiting for a person.
class ScriptedDialogs
{
public:
    using Handler = std::function<void(QDialog *dialog)>;

    // The one script of the test program, installed as the program's answerer.
    static ScriptedDialogs &instance();

    // The next modal window must be of class or objectName NAME; HANDLER answers it.
    void expect(const QString &name, Handler handler);
    // The next modal window, whatever it is.
    void expect(Handler handler) { expect(QString(), std::move(handler)); }

    // Fails the test for every scripted window that never opened, then forgets them.
    void verifyAllOpened();
    // Forgets the script (start of each test).
    void clear() { m_script.clear(); }

    // While one lives, modal windows run their own loops (exec()) as in the
    // program, for tests of how the windows end.
    class RealLoops
    {
    public:
        RealLoops();
        ~RealLoops();
        RealLoops(const RealLoops &) = delete;
        RealLoops &operator=(const RealLoops &) = delete;
    };

private:
    void install();

    struct Step
    {
        QString name;
        Handler handler;
    };

    int answer(QDialog &dialog);

    QList<Step> m_script;
};

// Shorthands for ScriptedDialogs::instance().expect(...): script ACTION for the
// next modal window, then open it.
inline void whenModal(const QString &name, ScriptedDialogs::Handler action)
{
    ScriptedDialogs::instance().expect(name, std::move(action));
}
inline void whenModal(ScriptedDialogs::Handler action)
{
    ScriptedDialogs::instance().expect(std::move(action));
}
