#pragma once

// Mutates real spreadsheet files (bit flips, truncation, inserted and
// overwritten bytes; for workbooks also the XML inside, zipped again) and
// reads each result: every file must end either read or with a clear error.
// Used by the bounded run in the tests and by the longer fuzz_spreadsheet run.

#include "spreadsheet/SpreadsheetReader.h"
#include "spreadsheet/ZipArchive.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

#include <minizip/zip.h>
#include <zlib.h>

#include <functional>

namespace fuzz {

struct ZipEntry
{
    QString name;
    QByteArray data;
};

// Writes ENTRIES as a zip file; false when minizip refuses.
inline bool writeZip(const QString &path, const QList<ZipEntry> &entries)
{
    zipFile zip = zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
    if (!zip)
        return false;
    bool ok = true;
    for (const ZipEntry &entry : entries) {
        zip_fileinfo info{};
        ok = ok && zipOpenNewFileInZip(zip, entry.name.toUtf8().constData(), &info, nullptr, 0,
                                       nullptr, 0, nullptr, Z_DEFLATED, 6) == ZIP_OK;
        ok = ok && zipWriteInFileInZip(zip, entry.data.constData(), unsigned(entry.data.size())) ==
                       ZIP_OK;
        ok = ok && zipCloseFileInZip(zip) == ZIP_OK;
    }
    return zipClose(zip, nullptr) == ZIP_OK && ok;
}

// Adds an entry made of HEAD, REPEAT written COUNT times and TAIL, deflated as
// it streams, whose header claims CLAIMEDSIZE bytes (the true size when
// negative). A zip bomb in a few hundred kilobytes.
inline bool addStreamedEntry(zipFile zip, const QString &name, const QByteArray &head,
                             const QByteArray &repeat, qint64 count, const QByteArray &tail,
                             qint64 claimedSize = -1)
{
    zip_fileinfo info{};
    if (zipOpenNewFileInZip2(zip, name.toUtf8().constData(), &info, nullptr, 0, nullptr, 0, nullptr,
                             Z_DEFLATED, 1, 1) != ZIP_OK)
        return false;
    z_stream stream{};
    if (deflateInit2(&stream, 1, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return false;
    QByteArray out(1 << 16, Qt::Uninitialized);
    uLong crc = crc32(0L, Z_NULL, 0);
    qint64 total = 0;
    auto feed = [&](const QByteArray &data, int flush) {
        crc = crc32(crc, reinterpret_cast<const Bytef *>(data.constData()), uInt(data.size()));
        total += data.size();
        stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
        stream.avail_in = uInt(data.size());
        do {
            stream.next_out = reinterpret_cast<Bytef *>(out.data());
            stream.avail_out = uInt(out.size());
            deflate(&stream, flush);
            const int produced = int(out.size()) - int(stream.avail_out);
            zipWriteInFileInZip(zip, out.constData(), unsigned(produced));
        } while (stream.avail_out == 0);
    };
    feed(head, Z_NO_FLUSH);
    for (qint64 i = 0; i < count; ++i)
        feed(repeat, Z_NO_FLUSH);
    feed(tail, Z_FINISH);
    deflateEnd(&stream);
    return zipCloseFileInZipRaw64(zip, ZPOS64_T(claimedSize < 0 ? total : claimedSize), crc) ==
           ZIP_OK;
}

// The parts of a workbook, to be changed and zipped again.
inline QList<ZipEntry> workbookParts(const QString &path)
{
    const QStringList names = {
        QStringLiteral("[Content_Types].xml"),     QStringLiteral("_rels/.rels"),
        QStringLiteral("xl/workbook.xml"),         QStringLiteral("xl/_rels/workbook.xml.rels"),
        QStringLiteral("xl/styles.xml"),           QStringLiteral("xl/sharedStrings.xml"),
        QStringLiteral("xl/worksheets/sheet1.xml")};
    QList<ZipEntry> parts;
    ZipArchive zip(path);
    for (const QString &name : names) {
        QByteArray data;
        if (zip.read(name, 1 << 20, data))
            parts.append({name, data});
    }
    return parts;
}

struct Report
{
    int runs = 0;
    int read = 0;
    int refused = 0;
    QStringList faults; // files that failed without saying why
};

class Mutator
{
public:
    explicit Mutator(quint32 seed) : m_random(seed) {}

    int below(int n) { return n <= 0 ? 0 : int(m_random.bounded(quint32(n))); }

    QByteArray bytes(const QByteArray &sample)
    {
        QByteArray data = sample;
        const int rounds = 1 + below(4);
        for (int i = 0; i < rounds && !data.isEmpty(); ++i) {
            switch (below(5)) {
            case 0: // bit flips
                for (int n = 1 + below(8); n > 0; --n)
                    data[below(int(data.size()))] ^= char(1 << below(8));
                break;
            case 1: // truncation
                data.truncate(below(int(data.size())));
                break;
            case 2: // inserted bytes
                data.insert(below(int(data.size()) + 1), randomBytes(1 + below(64)));
                break;
            case 3: { // a run overwritten
                const int at = below(int(data.size()));
                const QByteArray noise = randomBytes(1 + below(32));
                data.replace(at, qMin<qsizetype>(noise.size(), data.size() - at), noise);
                break;
            }
            default: { // a run repeated
                const int at = below(int(data.size()));
                const int length = 1 + below(qMin(256, int(data.size()) - at));
                data.insert(at, data.mid(at, length).repeated(1 + below(8)));
                break;
            }
            }
        }
        return data;
    }

    QByteArray randomBytes(int n)
    {
        QByteArray noise(n, Qt::Uninitialized);
        for (char &c : noise)
            c = char(below(256));
        // Now and then characters that matter to the formats.
        if (below(2) == 0 && n > 0)
            noise[below(n)] = "<>\"&\t\r\n,/="[below(11)];
        return noise;
    }

private:
    QRandomGenerator m_random;
};

// Reads PATH with small limits and walks every cell; notes a failure without a reason.
inline void readOne(const QString &path, Report &report)
{
    SheetLimits limits;
    limits.maxFileBytes = 8 << 20;
    limits.maxPartBytes = 8 << 20;
    limits.maxRows = 5000;
    limits.maxCells = 50000;
    SpreadsheetReader sheet(path, QStringLiteral("商品名列表"), limits);
    ++report.runs;
    if (!sheet.isLoaded()) {
        ++report.refused;
        if (sheet.lastError().isEmpty())
            report.faults.append(path);
        return;
    }
    ++report.read;
    QStringList cells;
    QString text;
    for (int row = 1; row <= sheet.totalRows(); ++row) {
        sheet.readRow(cells, row);
        for (int column = 1; column <= sheet.totalColumns(); ++column)
            sheet.readCell(text, column, row);
    }
}

// Mutates every sample in turn for SECONDS; faulty inputs are kept in WORKDIR.
inline Report run(const QStringList &samples, double seconds, const QString &workDir, quint32 seed)
{
    Report report;
    Mutator mutate(seed);
    QList<QByteArray> originals;
    QList<QList<ZipEntry>> parts;
    for (const QString &sample : samples) {
        QFile file(sample);
        file.open(QIODevice::ReadOnly);
        originals.append(file.readAll());
        parts.append(originals.last().startsWith("PK") ? workbookParts(sample) : QList<ZipEntry>());
    }
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; clock.elapsed() < qint64(seconds * 1000); ++i) {
        const int which = i % int(samples.size());
        const QString path = QDir(workDir).filePath(
            QStringLiteral("case-%1.%2").arg(i).arg(QFileInfo(samples[which]).suffix()));
        if (!parts[which].isEmpty() && mutate.below(2) == 0) {
            QList<ZipEntry> entries = parts[which];
            ZipEntry &entry = entries[mutate.below(int(entries.size()))];
            entry.data = mutate.bytes(entry.data);
            writeZip(path, entries);
        } else {
            QFile file(path);
            file.open(QIODevice::WriteOnly);
            file.write(mutate.bytes(originals[which]));
        }
        const int faultsBefore = int(report.faults.size());
        readOne(path, report);
        if (report.faults.size() == faultsBefore)
            QFile::remove(path);
    }
    return report;
}

} // namespace fuzz
