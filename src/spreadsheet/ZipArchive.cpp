#include "spreadsheet/ZipArchive.h"

#include <QFile>

#include <minizip/unzip.h>

namespace {

constexpr int kCaseInsensitive = 2;

QString megabytes(qint64 bytes)
{
    return QString::number(bytes / (1024 * 1024));
}

} // namespace

ZipArchive::ZipArchive(const QString &path)
{
    m_zip = unzOpen64(QFile::encodeName(path).constData());
    if (!m_zip)
        m_error = QStringLiteral("不是完整的压缩文件");
}

ZipArchive::~ZipArchive()
{
    if (m_zip)
        unzClose(m_zip);
}

bool ZipArchive::fail(const QString &error)
{
    m_error = error;
    return false;
}

bool ZipArchive::contains(const QString &name) const
{
    return m_zip && unzLocateFile(m_zip, name.toUtf8().constData(), kCaseInsensitive) == UNZ_OK;
}

bool ZipArchive::read(const QString &name, qint64 maxBytes, QByteArray &data)
{
    data.clear();
    if (!m_zip)
        return false;
    if (!contains(name))
        return fail(QStringLiteral("缺少 %1").arg(name));
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(m_zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
        return fail(QStringLiteral("%1 的目录项有误").arg(name));
    const QString tooBig = QStringLiteral("%1 解压后超过 %2 MB").arg(name, megabytes(maxBytes));
    if (info.uncompressed_size > quint64(maxBytes))
        return fail(tooBig);
    if (unzOpenCurrentFile(m_zip) != UNZ_OK)
        return fail(QStringLiteral("%1 无法解压").arg(name));

    // The stated size is only a hint: count what really comes out.
    data.reserve(qsizetype(info.uncompressed_size));
    char buffer[64 * 1024];
    for (;;) {
        const int got = unzReadCurrentFile(m_zip, buffer, sizeof buffer);
        if (got < 0) {
            unzCloseCurrentFile(m_zip);
            data.clear();
            return fail(QStringLiteral("%1 的压缩数据有误").arg(name));
        }
        if (got == 0)
            break;
        if (data.size() + got > maxBytes) {
            unzCloseCurrentFile(m_zip);
            data.clear();
            data.squeeze();
            return fail(tooBig);
        }
        data.append(buffer, got);
    }
    if (unzCloseCurrentFile(m_zip) != UNZ_OK) {
        data.clear();
        return fail(QStringLiteral("%1 的校验和不符").arg(name));
    }
    return true;
}
