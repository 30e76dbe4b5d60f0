#include "data/OdbcIniFile.h"

#include <QFile>
#include <QSaveFile>

namespace {

QByteArray withoutLineEnd(const QByteArray &line)
{
    QByteArray text = line;
    while (text.endsWith('\n') || text.endsWith('\r'))
        text.chop(1);
    return text;
}

bool sameName(const QByteArray &a, const QString &b)
{
    return QString::fromUtf8(a).compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

bool OdbcIniFile::load()
{
    m_lines.clear();
    m_changed = false;
    QFile file(m_path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray all = file.readAll();
    qsizetype start = 0;
    while (start < all.size()) {
        const qsizetype end = all.indexOf('\n', start);
        const qsizetype next = end < 0 ? all.size() : end + 1;
        m_lines.append(all.mid(start, next - start));
        start = next;
    }
    return true;
}

QByteArray OdbcIniFile::bytes() const
{
    QByteArray all;
    for (const QByteArray &line : m_lines)
        all += line;
    return all;
}

bool OdbcIniFile::isHeader(const QByteArray &line)
{
    const QByteArray text = withoutLineEnd(line).trimmed();
    return text.startsWith('[') && text.endsWith(']');
}

bool OdbcIniFile::isKeyLine(const QByteArray &line)
{
    const QByteArray text = withoutLineEnd(line).trimmed();
    return !text.isEmpty() && !text.startsWith('#') && !text.startsWith(';') && !isHeader(line);
}

QByteArray OdbcIniFile::keyOf(const QByteArray &line)
{
    const QByteArray text = withoutLineEnd(line);
    const qsizetype equals = text.indexOf('=');
    return (equals < 0 ? text : text.left(equals)).trimmed();
}

QByteArray OdbcIniFile::valueOf(const QByteArray &line)
{
    const QByteArray text = withoutLineEnd(line);
    const qsizetype equals = text.indexOf('=');
    return equals < 0 ? QByteArray() : text.mid(equals + 1).trimmed();
}

int OdbcIniFile::sectionLine(const QString &section) const
{
    for (int i = 0; i < m_lines.size(); ++i) {
        if (!isHeader(m_lines[i]))
            continue;
        const QByteArray text = withoutLineEnd(m_lines[i]).trimmed();
        if (sameName(text.mid(1, text.size() - 2).trimmed(), section))
            return i;
    }
    return -1;
}

int OdbcIniFile::sectionEnd(int header) const
{
    int line = header + 1;
    while (line < m_lines.size() && !isHeader(m_lines[line]))
        ++line;
    return line;
}

int OdbcIniFile::keyLine(int header, const QString &key) const
{
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        if (isKeyLine(m_lines[i]) && sameName(keyOf(m_lines[i]), key))
            return i;
    }
    return -1;
}

QString OdbcIniFile::value(const QString &section, const QString &key) const
{
    const int header = sectionLine(section);
    const int line = header < 0 ? -1 : keyLine(header, key);
    return line < 0 ? QString() : QString::fromUtf8(valueOf(m_lines[line]));
}

// New lines end as the file's first line does.
QByteArray OdbcIniFile::lineEnd() const
{
    if (!m_lines.isEmpty() && m_lines.first().endsWith("\r\n"))
        return QByteArrayLiteral("\r\n");
    return QByteArrayLiteral("\n");
}

void OdbcIniFile::set(const QString &section, const QString &key, const QString &value)
{
    const QByteArray line = key.toUtf8() + '=' + value.toUtf8() + lineEnd();
    int header = sectionLine(section);
    if (header < 0) {
        // A last line without its line end gets one before the new section.
        if (!m_lines.isEmpty() && !m_lines.last().endsWith('\n'))
            m_lines.last() += lineEnd();
        if (!m_lines.isEmpty() && !withoutLineEnd(m_lines.last()).trimmed().isEmpty())
            m_lines.append(lineEnd());
        m_lines.append('[' + section.toUtf8() + ']' + lineEnd());
        m_lines.append(line);
        m_changed = true;
        return;
    }
    const int existing = keyLine(header, key);
    if (existing >= 0) {
        if (valueOf(m_lines[existing]) == value.toUtf8())
            return;
        // The line keeps its own spelling of the key and its spacing.
        const QByteArray old = withoutLineEnd(m_lines[existing]);
        const qsizetype equals = old.indexOf('=');
        QByteArray head = equals < 0 ? old + '=' : old.left(equals + 1);
        for (qsizetype i = equals + 1; equals >= 0 && i < old.size(); ++i) {
            if (old[i] != ' ' && old[i] != '\t')
                break;
            head += old[i];
        }
        m_lines[existing] = head + value.toUtf8() + m_lines[existing].mid(old.size());
        m_changed = true;
        return;
    }
    // After the section's last key: comments and blank lines before the next
    // section belong to that one.
    int at = header + 1;
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        if (isKeyLine(m_lines[i]))
            at = i + 1;
    }
    if (!m_lines[at - 1].endsWith('\n'))
        m_lines[at - 1] += lineEnd();
    m_lines.insert(at, line);
    m_changed = true;
}

bool OdbcIniFile::save()
{
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray all = bytes();
    if (file.write(all) != all.size()) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return false;
    m_changed = false;
    return true;
}
