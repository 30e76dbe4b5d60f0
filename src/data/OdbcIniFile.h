#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// An odbc.ini as the lines it holds, for changing a few keys of one section
// and nothing else: a key's line is replaced where it stands, a key the
// section lacks goes after the section's last key, a section the file lacks
// goes at its end. Every other byte (comments, blank lines, "Key = value"
// spacing, other sections, line ends) is written back as it was read.
// Section and key names compare without regard to case, as the driver
// manager reads them.
class OdbcIniFile
{
public:
    explicit OdbcIniFile(QString path) : m_path(std::move(path)) {}

    // False when the file exists but cannot be read; a missing file is empty.
    bool load();
    QString value(const QString &section, const QString &key) const;
    bool hasSection(const QString &section) const { return sectionLine(section) >= 0; }
    void set(const QString &section, const QString &key, const QString &value);
    bool changed() const { return m_changed; }

    // Written to a temporary file beside it and renamed over it; false when
    // that failed (the file is then as it was).
    bool save();
    QByteArray bytes() const;

private:
    int sectionLine(const QString &section) const;
    // The line after SECTION's header where its lines end (the next header or the end).
    int sectionEnd(int header) const;
    int keyLine(int header, const QString &key) const;
    QByteArray lineEnd() const;
    static QByteArray keyOf(const QByteArray &line);
    static QByteArray valueOf(const QByteArray &line);
    static bool isHeader(const QByteArray &line);
    static bool isKeyLine(const QByteArray &line);

    QString m_path;
    QList<QByteArray> m_lines; // each with its own line end, as read
    bool m_changed = false;
};
