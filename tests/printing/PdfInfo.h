#pragma once

// What pdfinfo says about a PDF file: its page count and page size in points;
// and its first page as pdftoppm rasterises it.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSizeF>
#include <QString>

#include <pwd.h>
#include <unistd.h>

struct PdfInfo
{
    int pages = 0;
    QSizeF pageSize;
    QString error;

    static PdfInfo of(const QString &path)
    {
        PdfInfo info;
        QProcess pdfinfo;
        pdfinfo.start(QStringLiteral("pdfinfo"), {path});
        if (!pdfinfo.waitForFinished(30000) || pdfinfo.exitCode() != 0) {
            info.error = QString::fromLocal8Bit(pdfinfo.readAllStandardError());
            return info;
        }
        const QString out = QString::fromLocal8Bit(pdfinfo.readAllStandardOutput());
        const auto pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(out);
        const auto size =
            QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts"))
                .match(out);
        info.pages = pages.captured(1).toInt();
        info.pageSize = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
        return info;
    }

    // The first page at DPI dots per inch, grey; a null image when that fails.
    static QImage firstPage(const QString &path, int dpi)
    {
        const QString stem = path + QStringLiteral(".page");
        QProcess pdftoppm;
        pdftoppm.start(QStringLiteral("pdftoppm"),
                       {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"),
                        QStringLiteral("-singlefile"), QStringLiteral("-png"), path, stem});
        if (!pdftoppm.waitForFinished(60000) || pdftoppm.exitCode() != 0)
            return {};
        return QImage(stem + QStringLiteral(".png"));
    }
};

// Where cups-pdf puts this user's jobs ("Out" of cups-pdf.conf).
inline QString cupsPdfOutput()
{
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (!conf.open(QIODevice::ReadOnly))
        return {};
    QString out;
    for (const QByteArray &line : conf.readAll().split('\n')) {
        if (line.startsWith("Out "))
            out = QString::fromUtf8(line.mid(4)).trimmed();
    }
    const passwd *user = getpwuid(getuid());
    if (out.isEmpty() || !user)
        return {};
    out.replace(QStringLiteral("${USER}"), QString::fromLocal8Bit(user->pw_name));
    out.replace(QStringLiteral("${HOME}"), QString::fromLocal8Bit(user->pw_dir));
    return out;
}
