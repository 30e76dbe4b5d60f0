#include "controls/Prompt.h"

#include <QDebug>

#include <memory>

namespace {

// What answers while no real prompt service is installed (the program
// installs the message boxes at start): the text goes to the log and the
// question gets the answer that changes nothing.
class LoggingPrompt : public Prompt
{
public:
    Answer ask(QWidget *, const QString &text, const QString &caption, Icon,
               Buttons buttons) override
    {
        qWarning().noquote() << caption << text;
        switch (buttons) {
        case Buttons::Ok:
            return Answer::Ok;
        case Buttons::YesNo:
            return Answer::No;
        case Buttons::OkCancel:
        case Buttons::YesNoCancel:
            break;
        }
        return Answer::Cancel;
    }
    QString openFile(QWidget *, FileRequest &) override { return {}; }
    QString saveFile(QWidget *, FileRequest &) override { return {}; }
};

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
        prompt = std::make_unique<LoggingPrompt>();
    return *prompt;
}

WorkProgress Prompt::progress(QWidget *, const QString &)
{
    return [](qint64, qint64) { return true; };
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

void Prompt::tell(QWidget *parent, const Failure &failure)
{
    if (failure.weight == Failure::Weight::Notice)
        info(parent, failure.text, failure.caption);
    else
        error(parent, failure.text, failure.caption);
}
