#include "spreadsheet/XlsReader.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

const char *const XlsReader::helperName = "quillmarch-xls";

namespace {

constexpr int kAnswerVersion = 1;
// A sheet within the limits is read in well under a second; a reader that
// takes longer is stuck on a damaged file.
constexpr int kReadTimeoutMs = 60000;

// Beside the program (as installed and in the build tree), else where the
// build put it (test programs live in a folder of their own).
QString helperPath()
{
    const QStringList places = {QCoreApplication::applicationDirPath(),
                                QStringLiteral(QM_XLS_HELPER_DIR)};
    for (const QString &place : places) {
        const QFileInfo helper(QDir(place).filePath(QString::fromLatin1(XlsReader::helperName)));
        if (helper.isExecutable())
            return helper.absoluteFilePath();
    }
    return QString();
}

QString unreadable(const QString &why)
{
    return QStringLiteral("文件不是可读的 Excel 97-2003 工作簿（%1）。").arg(why);
}

QStringList limitArguments(const SheetLimits &limits)
{
    return {QString::number(limits.maxRows), QString::number(limits.maxColumns),
            QString::number(limits.maxCells)};
}

bool takeAnswer(const QByteArray &bytes, SheetData &data)
{
    QDataStream in(bytes);
    qint32 version = 0;
    bool ok = false;
    QString error;
    QList<QStringList> rows;
    in >> version >> ok >> error >> rows;
    if (in.status() != QDataStream::Ok || version != kAnswerVersion) {
        data.fail(unreadable(QStringLiteral("读取程序的回答不完整")));
        return false;
    }
    if (!ok) {
        data.fail(error);
        return false;
    }
    // Set again here, so the limits hold whatever the answer says.
    for (qsizetype row = 0; row < rows.size(); ++row) {
        const QStringList &cells = rows.at(row);
        for (qsizetype column = 0; column < cells.size(); ++column) {
            if (!cells.at(column).isEmpty() && !data.setCell(row, column, cells.at(column)))
                return false;
        }
    }
    return true;
}

} // namespace

QByteArray XlsReader::answer(const SheetData &data, bool ok)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << qint32(kAnswerVersion) << ok << data.error()
        << (ok ? data.rows() : QList<QStringList>());
    return bytes;
}

bool XlsReader::read(const QString &path, const QString &sheet, SheetData &data)
{
    const QString helper = helperPath();
    if (helper.isEmpty()) {
        data.fail(QStringLiteral("找不到读取 Excel 97-2003 工作簿的程序 %1。")
                      .arg(QString::fromLatin1(helperName)));
        return false;
    }
    QProcess reading;
    reading.setProcessChannelMode(QProcess::SeparateChannels);
    reading.setStandardErrorFile(QProcess::nullDevice());
    reading.start(helper, QStringList{path, sheet} + limitArguments(data.limits()),
                  QIODevice::ReadOnly);
    if (!reading.waitForStarted()) {
        data.fail(QStringLiteral("不能启动读取 Excel 97-2003 工作簿的程序 %1。").arg(helper));
        return false;
    }
    if (!reading.waitForFinished(kReadTimeoutMs)) {
        reading.kill();
        reading.waitForFinished();
        data.fail(unreadable(QStringLiteral("读取超时")));
        return false;
    }
    if (reading.exitStatus() != QProcess::NormalExit || reading.exitCode() != 0) {
        data.fail(unreadable(QStringLiteral("文件已损坏")));
        return false;
    }
    return takeAnswer(reading.readAllStandardOutput(), data);
}
