#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The options and the other words after a command's name. Options are
// "--name", "--name VALUE" or "--name=VALUE"; "-h" is "--help"; "--" ends the
// options. Anything else starting with "-" is an unknown option.
class CliArguments
{
public:
    struct Option
    {
        QString name;
        bool takesValue = false;
    };

    CliArguments(const QList<Option> &options, const QStringList &words);

    // Empty when the words fit the options; otherwise what is wrong, said for the person.
    QString error() const { return m_error; }
    bool isSet(const QString &name) const { return m_values.contains(name); }
    QString value(const QString &name) const { return m_values.value(name); }
    const QStringList &positional() const { return m_positional; }

private:
    const Option *find(const QList<Option> &options, const QString &name) const;

    QHash<QString, QString> m_values;
    QStringList m_positional;
    QString m_error;
};
