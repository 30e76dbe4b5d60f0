#pragma once

#include "controls/Prompt.h"

#include <QList>
#include <QQueue>
#include <QString>

// The prompt double of the tests: records every message and answers from a
// script, so no test ever waits on a modal window. A message with only an Ok
// button is answered Ok; any other question without a scripted answer fails the test.
class ScriptedPrompt : public Prompt
{
public:
    struct Message
    {
        QString text;
        QString caption;
        Icon icon;
        Buttons buttons;
    };

    // Installs a fresh double as the program's prompt service and returns it.
    static ScriptedPrompt &install();

    void answerNext(Answer answer) { m_answers.enqueue(answer); }
    // Answers still waiting for their question.
    int unusedAnswers() const { return int(m_answers.size()); }
    // The next file dialog returns PATH (an empty one: the person cancelled).
    void fileNext(const QString &path, const QString &filter = {})
    {
        m_files.enqueue({path, filter});
    }

    Answer ask(QWidget *parent, const QString &text, const QString &caption, Icon icon,
               Buttons buttons) override;
    QString openFile(QWidget *parent, FileRequest &request) override;
    QString saveFile(QWidget *parent, FileRequest &request) override;
    // The program's own progress window, shown at once; with cancelAtReport
    // set, its "取消" button is clicked at that report (counted from 1).
    WorkProgress progress(QWidget *parent, const QString &text) override;
    void cancelAtReport(int report) { m_cancelAt = report; }
    QStringList progressTexts() const { return m_progressTexts; }

    const QList<Message> &messages() const { return m_messages; }
    QStringList texts() const;
    QString lastText() const { return m_messages.isEmpty() ? QString() : m_messages.last().text; }
    QList<FileRequest> fileRequests() const { return m_fileRequests; }
    void clear() { m_messages.clear(); }

private:
    QString nextFile(FileRequest &request);

    QList<Message> m_messages;
    QQueue<Answer> m_answers;
    QQueue<QPair<QString, QString>> m_files;
    QList<FileRequest> m_fileRequests;
    QStringList m_progressTexts;
    int m_cancelAt = 0;
    int m_reports = 0;
};
