#include "support/EscPosDecoder.h"

#include <QList>

#include <algorithm>
#include <cstring>

namespace {

class Reader
{
public:
    explicit Reader(const QByteArray &bytes) : m_bytes(bytes) {}

    bool atEnd() const { return m_pos >= m_bytes.size(); }
    bool has(qsizetype n) const { return m_pos + n <= m_bytes.size(); }
    int byte() { return uchar(m_bytes.at(m_pos++)); }
    int word()
    {
        const int low = byte();
        return low | (byte() << 8);
    }
    QByteArray take(qsizetype n)
    {
        const QByteArray part = m_bytes.mid(m_pos, n);
        m_pos += n;
        return part;
    }
    qsizetype pos() const { return m_pos; }

private:
    const QByteArray &m_bytes;
    qsizetype m_pos = 0;
};

struct Band
{
    int widthBytes;
    int rows;
    QByteArray data;
};

QImage assemble(const QList<Band> &bands, QString &error)
{
    if (bands.isEmpty())
        return {};
    const int widthBytes = bands.first().widthBytes;
    int height = 0;
    for (const Band &band : bands) {
        if (band.widthBytes != widthBytes)
            error = QStringLiteral("bands of different widths");
        height += band.rows;
    }
    QImage image(widthBytes * 8, height, QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    image.fill(0);
    int y = 0;
    for (const Band &band : bands) {
        for (int row = 0; row < band.rows; ++row, ++y)
            memcpy(image.scanLine(y), band.data.constData() + row * band.widthBytes,
                   size_t(std::min(widthBytes, band.widthBytes)));
    }
    return image;
}

bool blackAt(const QImage &image, int x, int y)
{
    return qGray(image.color(image.pixelIndex(x, y))) < 128;
}

} // namespace

EscPosDecoded EscPosDecoder::decode(const QByteArray &job)
{
    EscPosDecoded out;
    QList<Band> bands;
    Reader in(job);
    auto fail = [&](const QString &what) {
        out.error = QStringLiteral("%1 at byte %2").arg(what).arg(in.pos());
    };
    while (!in.atEnd() && out.error.isEmpty()) {
        const int command = in.byte();
        if (command == 0x1b && in.has(1)) {
            const int code = in.byte();
            if (code == '@') {
                out.commands << QStringLiteral("init");
            } else if (code == 'd' && in.has(1)) {
                out.fedLines += in.byte();
                out.commands << QStringLiteral("feed");
            } else if (code == 'p' && in.has(3)) {
                const int pin = in.byte();
                out.drawerPin = (pin == 0 || pin == '0') ? 2 : (pin == 1 || pin == '1') ? 5 : -1;
                in.byte();
                in.byte();
                ++out.drawerPulses;
                out.commands << QStringLiteral("drawer");
            } else {
                fail(QStringLiteral("unknown ESC %1").arg(code));
            }
        } else if (command == 0x1d && in.has(1)) {
            const int code = in.byte();
            if (code == 'v' && in.has(6)) {
                const int function = in.byte();
                const int mode = in.byte();
                const int widthBytes = in.word();
                const int rows = in.word();
                if ((function != '0' && function != 0) || mode != 0)
                    fail(QStringLiteral("GS v %1 mode %2").arg(function).arg(mode));
                else if (!in.has(qsizetype(widthBytes) * rows))
                    fail(QStringLiteral("raster band shorter than its header"));
                else
                    bands.append({widthBytes, rows, in.take(qsizetype(widthBytes) * rows)});
                out.tallestBand = std::max(out.tallestBand, rows);
                out.commands << QStringLiteral("raster");
            } else if (code == 'V' && in.has(1)) {
                const int mode = in.byte();
                if ((mode == 65 || mode == 66) && in.has(1))
                    in.byte(); // feed before the cut
                ++out.cuts;
                out.commands << QStringLiteral("cut");
            } else {
                fail(QStringLiteral("unknown GS %1").arg(code));
            }
        } else if (command == 0x0a) {
            ++out.fedLines;
            out.commands << QStringLiteral("feed");
        } else {
            fail(QStringLiteral("unknown byte %1").arg(command));
        }
    }
    out.bands = int(bands.size());
    out.image = assemble(bands, out.error);
    return out;
}

qint64 EscPosDecoder::differingPixels(const QImage &a, const QImage &b)
{
    if (a.height() != b.height() || b.width() < a.width())
        return -1;
    qint64 differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x)
            differing += blackAt(a, x, y) != blackAt(b, x, y);
        for (int x = a.width(); x < b.width(); ++x)
            differing += blackAt(b, x, y);
    }
    return differing;
}
