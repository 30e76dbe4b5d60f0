#include "support/ScriptedPrompt.h"

#include <gtest/gtest.h>

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
