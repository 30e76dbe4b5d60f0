#pragma once

#include <QByteArray>

class QImage;

// One receipt as one ESC/POS job for a thermal printer without a driver:
// initialise, the picture as GS v 0 raster bands, a little feed, one partial
// cut at the cutter, and the cash-drawer pulse when asked.
class EscPosJob
{
public:
    // Rows per raster band: small enough for the input buffer of the
    // cheapest printers, which drop bands that do not fit.
    static constexpr int maxBandRows = 255;
    // Lines fed after the picture before the cut, so the end mark clears it.
    static constexpr int feedLines = 1;

    // RASTER: Format_Mono, index 1 black (see ReceiptRaster). OPENDRAWER adds
    // the drawer kick on pin 2 after the cut.
    static QByteArray build(const QImage &raster, bool openDrawer);

    static QByteArray initialise();
    static QByteArray rasterBands(const QImage &raster);
    static QByteArray feedAndCut();
    static QByteArray drawerKick();
};
