#include "settings/ProductImport.h"

#include "spreadsheet/CSpreadSheet.h"

#include <QHash>

#include <cmath>

namespace {

constexpr int kNameColumn = 2;
constexpr int kPriceColumn = 3;
constexpr int kReasonsShown = 20;

} // namespace

QString ProductImport::priceText(const QString &cell)
{
    const QString trimmed = cell.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("0.00");
    bool ok = false;
    const double price = trimmed.toDouble(&ok);
    if (!ok || !std::isfinite(price))
        return QString();
    return QString::asprintf("%.2f", price);
}

ProductImport::Result ProductImport::read(const QString &path, const SheetLimits &limits)
{
    Result result;
    CSpreadSheet sheet(path, sheetName(), limits);
    if (!sheet.isLoaded()) {
        result.error = sheet.lastError();
        return result;
    }
    result.readable = true;
    QHash<QString, int> seen;
    for (int row = 2; row <= sheet.totalRows(); ++row) {
        QString text;
        QString price;
        sheet.readCell(text, kNameColumn, row);
        sheet.readCell(price, kPriceColumn, row);
        text = text.trimmed();
        if (text.isEmpty() && price.trimmed().isEmpty())
            continue;
        if (text.isEmpty()) {
            result.skipped.append({row, QStringLiteral("名称为空")});
            continue;
        }
        const QString stored = priceText(price);
        if (stored.isEmpty()) {
            result.skipped.append({row, QStringLiteral("单价“%1”不是数字").arg(price.trimmed())});
            continue;
        }
        if (seen.contains(text)) {
            result.skipped.append(
                {row, QStringLiteral("“%1”与第%2行重复").arg(text).arg(seen.value(text))});
            continue;
        }
        seen.insert(text, row);
        result.products.append({0, text, stored});
    }
    return result;
}

QString ProductImport::summary(const Result &result)
{
    QString text = result.products.isEmpty()
                       ? QStringLiteral("文件中没有可导入的商品，商品列表没有改变。")
                       : QStringLiteral("成功导入 %1 个商品！").arg(result.products.size());
    if (result.skipped.isEmpty())
        return text;
    text += QStringLiteral("\n跳过 %1 行：").arg(result.skipped.size());
    for (qsizetype i = 0; i < result.skipped.size() && i < kReasonsShown; ++i)
        text +=
            QStringLiteral("\n第%1行：%2").arg(result.skipped[i].row).arg(result.skipped[i].reason);
    if (result.skipped.size() > kReasonsShown)
        text += QStringLiteral("\n……");
    return text;
}
