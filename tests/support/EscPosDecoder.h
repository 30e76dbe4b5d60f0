#pragma once

// Reads an ESC/POS job back the way a thermal printer would: the raster
// bands become one picture, and the other commands are counted. Anything it
// does not know is reported, so a stray byte in a job cannot go unnoticed.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

struct EscPosDecoded
{
    QImage image;         // Format_Mono, index 1 black, bands one below the other
    QStringList commands; // "init", "raster", "feed", "cut", "drawer" in job order
    int cuts = 0;
    int drawerPulses = 0;
    int drawerPin = -1;
    int fedLines = 0;
    int bands = 0;
    int tallestBand = 0;
    QString error; // empty when every byte was understood

    int count(const QString &command) const { return int(commands.count(command)); }
};

class EscPosDecoder
{
public:
    static EscPosDecoded decode(const QByteArray &job);

    // Pixels where A and B differ, over the width of A (B may be padded to
    // whole bytes, its padding must be white). -1 when the heights differ.
    static qint64 differingPixels(const QImage &a, const QImage &b);
};
