#include "app/DialogPrompt.h"

#include "app/PromptFileDialog.h"
#include "controls/ProgressWindow.h"

#include <QMessageBox>

namespace {

QMessageBox::Icon boxIcon(Prompt::Icon icon)
{
    switch (icon) {
    case Prompt::Icon::Information:
        return QMessageBox::Information;
    case Prompt::Icon::Warning:
        return QMessageBox::Warning;
    case Prompt::Icon::Critical:
        return QMessageBox::Critical;
    case Prompt::Icon::Question:
        return QMessageBox::Question;
    case Prompt::Icon::NoIcon:
        return QMessageBox::NoIcon;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(Prompt::Buttons buttons)
{
    switch (buttons) {
    case Prompt::Buttons::Ok:
        return QMessageBox::Ok;
    case Prompt::Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Prompt::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Prompt::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

Prompt::Answer answerOf(int button)
{
    switch (button) {
    case QMessageBox::Yes:
        return Prompt::Answer::Yes;
    case QMessageBox::No:
        return Prompt::Answer::No;
    case QMessageBox::Ok:
        return Prompt::Answer::Ok;
    default:
        return Prompt::Answer::Cancel;
    }
}

QString runFileDialog(QWidget *parent, Prompt::FileRequest &request, QFileDialog::AcceptMode mode)
{
    PromptFileDialog dialog(parent, request, mode);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    request.selectedFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().constFirst();
}

} // namespace

Prompt::Answer DialogPrompt::ask(QWidget *parent, const QString &text, const QString &caption,
                                 Icon icon, Buttons buttons)
{
    QMessageBox box(boxIcon(icon), caption, text, boxButtons(buttons), parent);
    return answerOf(box.exec());
}

QString DialogPrompt::openFile(QWidget *parent, FileRequest &request)
{
    return runFileDialog(parent, request, QFileDialog::AcceptOpen);
}

QString DialogPrompt::saveFile(QWidget *parent, FileRequest &request)
{
    return runFileDialog(parent, request, QFileDialog::AcceptSave);
}

WorkProgress DialogPrompt::progress(QWidget *parent, const QString &text)
{
    return ProgressWindow::start(parent, text);
}
