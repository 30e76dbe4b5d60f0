#include "support/ScriptedPrompt.h"

#include "controls/ProgressWindow.h"

#include <QProgressDialog>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

ScriptedPrompt &ScriptedPrompt::install()
{
    auto *prompt = new ScriptedPrompt;
    Prompt::install(prompt);
    return *prompt;
}

Prompt::Answer ScriptedPrompt::ask(QWidget *, const QString &text, const QString &caption,
                                   Icon icon, Buttons buttons)
{
    m_messages.append({text, caption, icon, buttons});
    if (!m_answers.isEmpty())
        return m_answers.dequeue();
    // A message with only an Ok button needs no script: it is recorded.
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    // A question nobody expected fails the test; the run goes on as if the
    // first button had been chosen.
    ADD_FAILURE() << "unscripted question: " << text.toStdString();
    return buttons == Buttons::OkCancel ? Answer::Ok : Answer::Yes;
}

QString ScriptedPrompt::nextFile(FileRequest &request)
{
    m_fileRequests.append(request);
    if (m_files.isEmpty()) {
        ADD_FAILURE() << "unscripted file dialog: " << request.caption.toStdString();
        return {}; // as if cancelled
    }
    const auto [path, filter] = m_files.dequeue();
    if (!filter.isEmpty())
        request.selectedFilter = filter;
    return path;
}

QString ScriptedPrompt::openFile(QWidget *, FileRequest &request)
{
    return nextFile(request);
}

QString ScriptedPrompt::saveFile(QWidget *, FileRequest &request)
{
    return nextFile(request);
}

QStringList ScriptedPrompt::texts() const
{
    QStringList list;
    for (const Message &message : m_messages)
        list << message.text;
    return list;
}

WorkProgress ScriptedPrompt::progress(QWidget *parent, const QString &text)
{
    m_progressTexts.append(text);
    auto window = std::make_shared<ProgressWindow>(parent, text, 0);
    return [this, window](qint64 done, qint64 total) {
        ++m_reports;
        if (m_cancelAt > 0 && m_reports >= m_cancelAt && window->dialog()) {
            m_cancelAt = 0;
            // Shown first, as a person sees it, then its button is pressed.
            window->report(done, total);
            if (QPushButton *cancel = window->dialog()->findChild<QPushButton *>())
                cancel->click();
        }
        return window->report(done, total);
    };
}
