#include "cli/CliArguments.h"

CliArguments::CliArguments(const QList<Option> &options, const QStringList &words)
{
    bool optionsEnded = false;
    for (qsizetype i = 0; i < words.size() && m_error.isEmpty(); ++i) {
        const QString &word = words.at(i);
        if (optionsEnded || !word.startsWith(u'-') || word == QLatin1String("-")) {
            m_positional.append(word);
            continue;
        }
        if (word == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        QString name = word == QLatin1String("-h") ? QStringLiteral("help") : word.mid(2);
        QString value;
        const qsizetype equals = name.indexOf(u'=');
        const bool inlineValue = word.startsWith(QLatin1String("--")) && equals >= 0;
        if (inlineValue) {
            value = name.mid(equals + 1);
            name.truncate(equals);
        }
        const Option *option = word.startsWith(QLatin1String("--")) || word == QLatin1String("-h")
                                   ? find(options, name)
                                   : nullptr;
        if (!option) {
            m_error = QStringLiteral("不认识的选项：%1").arg(word);
        } else if (option->takesValue && !inlineValue) {
            if (i + 1 >= words.size())
                m_error = QStringLiteral("选项 --%1 后面缺少值。").arg(name);
            else
                value = words.at(++i);
        } else if (!option->takesValue && inlineValue) {
            m_error = QStringLiteral("选项 --%1 不带值。").arg(name);
        }
        m_values.insert(name, value);
    }
}

const CliArguments::Option *CliArguments::find(const QList<Option> &options,
                                               const QString &name) const
{
    for (const Option &option : options) {
        if (option.name == name)
            return &option;
    }
    return nullptr;
}
