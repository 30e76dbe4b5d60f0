#pragma once

#include <QByteArray>
#include <QString>

// Reads parts of a zip file (a workbook) through the system's minizip. Every
// part is read with a bound on its uncompressed size, counted on the bytes
// actually inflated, so a part that claims to be small but inflates to
// gigabytes stops at the bound.
class ZipArchive
{
public:
    explicit ZipArchive(const QString &path);
    ~ZipArchive();
    ZipArchive(const ZipArchive &) = delete;
    ZipArchive &operator=(const ZipArchive &) = delete;

    bool isOpen() const { return m_zip != nullptr; }
    bool contains(const QString &name) const;
    // The part NAME (case-insensitive), at most MAXBYTES long; false with error() otherwise.
    bool read(const QString &name, qint64 maxBytes, QByteArray &data);
    QString error() const { return m_error; }

private:
    bool fail(const QString &error);

    void *m_zip = nullptr;
    QString m_error;
};
