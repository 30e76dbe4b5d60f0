#pragma once

#include "printing/ReceiptSwitches.h"

#include <QString>

struct AppSettings;
struct ShopRow;

// Everything besides the texts that decides how a receipt looks: template,
// switches, logo, margins and fonts, gathered from the settings at drawing time.
struct ReceiptStyle
{
    bool template02 = false; // "模板02#"; otherwise "模板01#"
    bool showPrice = false;  // "打印单价"
    ReceiptSwitches switches;

    bool printLogo = false;
    QString logoPath;
    int logoWidth = 300;
    int logoHeight = 120;

    // Screen pixels, converted with the device's ratios.
    int paperMargin = 0;
    int printOffset = 0;
    int logoOffset = 0;

    QString titleFontName = QStringLiteral("黑体");
    int titleFontSize = 23;
    QString bodyFontName = QStringLiteral("华文中宋");
    int bodyFontSize = 21;
    int lineSpacing = 17;
    int paperLengthAdjust = 0;

    static ReceiptStyle from(const AppSettings &settings, const ShopRow &shop,
                             const ReceiptSwitches &switches);
};
