#pragma once

// What pdfinfo says about a PDF file: its page count and page size in points.
#include <QProcess>
#include <QRegularExpression>
#include <QSizeF>
#include <QString>

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
};
