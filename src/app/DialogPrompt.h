#pragma once

#include "controls/Prompt.h"

// The prompt service a person sees: Qt message boxes and file dialogs.
class DialogPrompt : public Prompt
{
public:
    Answer ask(QWidget *parent, const QString &text, const QString &caption, Icon icon,
               Buttons buttons) override;
    QString openFile(QWidget *parent, FileRequest &request) override;
    QString saveFile(QWidget *parent, FileRequest &request) override;
    WorkProgress progress(QWidget *parent, const QString &text) override;
};
