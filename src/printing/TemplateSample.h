#pragma once

#include <QImage>

class Database;
struct AppSettings;
struct ShopRow;

// The sample receipt of a template: the made-up sale drawn by the receipt
// renderer with the shop's current fonts, labels, margins and logo, so the
// sample shows what a receipt will look like.
class TemplateSample
{
public:
    // At a receipt printer's 203 dpi on an 80 mm roll.
    static QImage render(const AppSettings &settings, const ShopRow &shop,
                         bool template02);

    // Stores the template choice in the options row. Throws DatabaseError.
    static void store(Database &settingsDb, bool template02);
};
