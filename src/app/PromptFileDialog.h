#pragma once

#include "controls/Prompt.h"

#include <QFileDialog>

class QLineEdit;

// The file dialog a person sees: Qt's own dialog rather than the desktop's, so
// the program can follow it. A name with "*" or "?" is a pattern, not a file:
// it narrows the list to the matching files and the dialog stays open. In a
// save dialog the request may rewrite the typed name when the file type
// changes (see Prompt::FileRequest::onTypeChanged).
class PromptFileDialog : public QFileDialog
{
    Q_OBJECT

public:
    PromptFileDialog(QWidget *parent, const Prompt::FileRequest &request, AcceptMode mode);

    // True when the file name (not its folder) holds a wildcard.
    static bool isPattern(const QString &typed);

public slots:
    void accept() override;

private:
    QLineEdit *nameEdit() const;
    void narrowList(const QString &typed);

    Prompt::FileRequest m_request;
};
