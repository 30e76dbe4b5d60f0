#include "printing/EscPosJob.h"

#include <QImage>

#include <algorithm>
#include <initializer_list>

namespace {

constexpr char ESC = 0x1b;
constexpr char GS = 0x1d;

QByteArray bytes(std::initializer_list<char> list)
{
    return QByteArray(list.begin(), qsizetype(list.size()));
}

void appendWord(QByteArray &out, int value)
{
    out.append(char(value & 0xff));
    out.append(char((value >> 8) & 0xff));
}

bool isBlack(const QImage &raster, int index)
{
    return qGray(raster.color(index)) < 128;
}

} // namespace

QByteArray EscPosJob::build(const QImage &raster, bool openDrawer)
{
    QByteArray job = initialise();
    job += rasterBands(raster);
    job += feedAndCut();
    if (openDrawer)
        job += drawerKick();
    return job;
}

QByteArray EscPosJob::initialise()
{
    return bytes({ESC, '@'});
}

QByteArray EscPosJob::rasterBands(const QImage &raster)
{
    const QImage mono = raster.format() == QImage::Format_Mono
                            ? raster
                            : raster.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    // Bit 1 prints; the image's table says which index is black.
    const bool invert = !isBlack(mono, 1);
    const int widthBytes = (mono.width() + 7) / 8;
    const uchar lastMask = uchar(0xff << ((8 - mono.width() % 8) % 8));
    QByteArray out;
    if (widthBytes == 0)
        return out;
    out.reserve(mono.height() * (widthBytes + 1) + 8);
    for (int top = 0; top < mono.height(); top += maxBandRows) {
        const int rows = std::min(maxBandRows, mono.height() - top);
        out.append(bytes({GS, 'v', '0', '\0'}));
        appendWord(out, widthBytes);
        appendWord(out, rows);
        for (int y = top; y < top + rows; ++y) {
            const uchar *line = mono.constScanLine(y);
            const qsizetype start = out.size();
            out.append(reinterpret_cast<const char *>(line), widthBytes);
            char *bytes = out.data() + start;
            if (invert) {
                for (int i = 0; i < widthBytes; ++i)
                    bytes[i] = char(~bytes[i]);
            }
            bytes[widthBytes - 1] = char(uchar(bytes[widthBytes - 1]) & lastMask);
        }
    }
    return out;
}

QByteArray EscPosJob::feedAndCut()
{
    // ESC d n feeds n lines; GS V 66 0 feeds to the cutter and cuts partially.
    return bytes({ESC, 'd', char(feedLines), GS, 'V', char(66), '\0'});
}

QByteArray EscPosJob::drawerKick()
{
    // ESC p 0 t1 t2: pin 2, on 50 ms, off 500 ms.
    return bytes({ESC, 'p', '\0', char(25), char(250)});
}
