#include "app/Prompt.h"

#include "app/DialogPrompt.h"

#include <memory>

namespace {

std::unique_ptr<Prompt> &current()
{
    static std::unique_ptr<Prompt> prompt;
    return prompt;
}

QString captionOr(const QString &caption)
{
    return caption.isEmpty() ? Prompt::applicationTitle() : caption;
}

} // namespace

Prompt &Prompt::instance()
{
    auto &prompt = current();
    if (!prompt)
        prompt = std::make_unique<DialogPrompt>();
    return *prompt;
}

void Prompt::install(Prompt *prompt)
{
    current().reset(prompt);
}

QString Prompt::applicationTitle()
{
    return QStringLiteral("Quillmarch");
}

void Prompt::info(QWidget *parent, const QString &text, const QString &caption)
{
    instance().ask(parent, text, captionOr(caption), Icon::Information, Buttons::Ok);
}

void Prompt::warn(QWidget *parent, const QString &text, const QString &caption)
{
    instance().ask(parent, text, captionOr(caption), Icon::Warning, Buttons::Ok);
}

void Prompt::error(QWidget *parent, const QString &text, const QString &caption)
{
    instance().ask(parent, text, captionOr(caption), Icon::Critical, Buttons::Ok);
}

bool Prompt::yesNo(QWidget *parent, const QString &text, const QString &caption)
{
    return instance().ask(parent, text, captionOr(caption), Icon::Question, Buttons::YesNo) ==
           Answer::Yes;
}

bool Prompt::okCancel(QWidget *parent, const QString &text, const QString &caption)
{
    return instance().ask(parent, text, captionOr(caption), Icon::Question, Buttons::OkCancel) ==
           Answer::Ok;
}
