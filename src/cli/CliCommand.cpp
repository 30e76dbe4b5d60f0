#include "cli/CliCommand.h"

#include "cli/CliContext.h"

#include <cstdio>

void CliCommand::say(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void CliCommand::complain(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
}

int CliCommand::usageError(const QString &text) const
{
    complain(QStringLiteral("%1\n用 quillmarch-cli %2 --help 查看用法。").arg(text, name()));
    return BadUsage;
}

int CliCommand::run(const QStringList &words, CliContext &context)
{
    QList<CliArguments::Option> known = options();
    known.append({QStringLiteral("help"), false});
    const CliArguments arguments(known, words);
    if (!arguments.error().isEmpty())
        return usageError(arguments.error());
    if (arguments.isSet(QStringLiteral("help"))) {
        say(help());
        return Done;
    }
    const qsizetype count = arguments.positional().size();
    if (count < fewestWords())
        return usageError(QStringLiteral("参数不够。"));
    if (count > mostWords())
        return usageError(
            QStringLiteral("多余的参数：%1").arg(arguments.positional().at(mostWords())));
    if (needsData()) {
        const QString problem = context.prepare();
        if (!problem.isEmpty()) {
            complain(problem);
            return Failed;
        }
        if (!context.warning().isEmpty())
            complain(context.warning());
    }
    return execute(arguments, context);
}
