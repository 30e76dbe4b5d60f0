#include "printing/ReceiptStyle.h"

#include "core/AppSettings.h"
#include "data/ShopRow.h"

#include <QDir>

ReceiptStyle ReceiptStyle::from(const AppSettings &settings, const ShopRow &shop,
                                const ReceiptSwitches &switches)
{
    ReceiptStyle style;
    style.template02 = settings.templateIndex;
    style.showPrice = shop.showPrice;
    style.switches = switches;
    style.printLogo = shop.printLogo;
    style.logoPath = QDir(settings.workingDir).filePath(QStringLiteral("logo.bmp"));
    style.logoWidth = settings.logoWidth;
    style.logoHeight = settings.logoHeight;
    style.paperMargin = shop.paperMargin;
    style.printOffset = shop.printOffset;
    style.logoOffset = shop.logoOffset;
    style.titleFontName = settings.titleFontName;
    style.titleFontSize = settings.titleFontSize;
    style.bodyFontName = settings.bodyFontName;
    style.bodyFontSize = settings.bodyFontSize;
    style.lineSpacing = settings.lineSpacing;
    style.paperLengthAdjust = settings.paperLengthAdjust;
    return style;
}
