#include "printing/TemplateSample.h"

#include "core/AppSettings.h"
#include "data/Database.h"
#include "data/OptionsRow.h"
#include "printing/PrepareReceiptData.h"
#include "printing/ReceiptPage.h"
#include "printing/ReceiptRenderer.h"
#include "printing/ReceiptSample.h"
#include "printing/ReceiptStyle.h"
#include "data/ShopRow.h"

namespace {

constexpr double printableMm = ReceiptPage::fallbackPaperWidthMm - 8; // 72 mm of an 80 mm roll

} // namespace

QImage TemplateSample::render(const AppSettings &settings, const ShopRow &shop,
                              bool template02)
{
    SaleSnapshot sale = ReceiptSample::sale();
    if (!shop.shopName.isEmpty())
        sale.switches.shopName = shop.shopName;
    if (!shop.defaultRemark.isEmpty())
        sale.remark = shop.defaultRemark;
    AppSettings look = settings;
    look.templateIndex = template02;
    const ReceiptData data = prepareReceiptData(sale, look.labelLanguage, shop.showPrice);
    const ReceiptStyle style = ReceiptStyle::from(look, shop, sale.switches);
    return ReceiptRenderer::toImage(ReceiptRenderer::layout(data, style, printableMm / 25.4));
}

void TemplateSample::store(Database &settingsDb, bool template02)
{
    OptionsRow::storeTemplate(settingsDb, template02);
}
