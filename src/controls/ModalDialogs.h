#pragma once

#include <functional>

class QDialog;

// Every modal window of the program is opened through here. The program shows
// it and waits for the person; a test installs an answerer instead, so that it
// can fill the window in and close it without an event loop of its own.
class ModalDialogs
{
public:
    // Receives the dialog instead of exec(); returns what exec() would have.
    using Answerer = std::function<int(QDialog &dialog)>;

    // Opens DIALOG modally and returns its result (QDialog::DialogCode).
    static int run(QDialog &dialog);

    // An empty answerer restores exec().
    static void setAnswerer(Answerer answerer);
};
