#pragma once

#include <QSize>
#include <QString>

#include <optional>

class Database;

// "logo.bmp" in the working folder: the picture printed above the shop name.
class LogoFile
{
public:
    explicit LogoFile(const QString &workingDir);

    QString path() const { return m_path; }
    // The picture's size in pixels, when the file is there and readable.
    std::optional<QSize> size() const;

    enum class Import
    {
        Done,
        NotBitmap, // SOURCE is no readable .bmp picture; the old logo stays
        NotWritten // logo.bmp could not be replaced; the old logo stays
    };
    // Replaces logo.bmp by a copy of SOURCE, all at once: a failed copy
    // leaves the old logo whole.
    Import import(const QString &source) const;

    // The print-logo switch and the logo offset (as typed) of the INFO row.
    // Throws DatabaseError.
    static void storeOptions(Database &settingsDb, bool printLogo, const QString &offset);

private:
    QString m_path;
};
