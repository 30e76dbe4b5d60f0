#include "spreadsheet/Gb18030.h"

#include <iconv.h>

#include <cerrno>

namespace {

// Runs the whole of IN through iconv; false on an invalid or incomplete sequence.
bool convert(const char *to, const char *from, const QByteArray &in, QByteArray &out)
{
    out.clear();
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    char *inPtr = const_cast<char *>(in.constData());
    size_t inLeft = size_t(in.size());
    QByteArray buffer(qMax<qsizetype>(64, in.size() * 2 + 16), Qt::Uninitialized);
    bool good = true;
    while (inLeft > 0) {
        char *outPtr = buffer.data();
        size_t outLeft = size_t(buffer.size());
        const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer.constData(), buffer.size() - qsizetype(outLeft));
        if (rc == size_t(-1) && errno != E2BIG) {
            good = false;
            break;
        }
    }
    iconv_close(cd);
    return good;
}

} // namespace

QByteArray Gb18030::encode(const QString &text)
{
    QByteArray out;
    convert("GB18030", "UTF-8", text.toUtf8(), out);
    return out;
}

QString Gb18030::decode(const QByteArray &bytes, bool *ok)
{
    QByteArray out;
    const bool good = convert("UTF-8", "GB18030", bytes, out);
    if (ok)
        *ok = good;
    return good ? QString::fromUtf8(out) : QString();
}
