#include "settings/ProductImport.h"

#include "core/NumberText.h"
#include "spreadsheet/SpreadsheetReader.h"

#include <QDir>
#include <QHash>

#include <cmath>

namespace {

constexpr int kNameColumn = 2;
constexpr int kPriceColumn = 3;
constexpr int kReasonsShown = 20;

// Column titles that say what a column holds, as people write them.
bool titlesPrice(const QString &title)
{
    for (const char *word : {"单价", "价格", "售价", "价钱", "price"}) {
        if (title.contains(QString::fromUtf8(word), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool titlesName(const QString &title)
{
    if (titlesPrice(title))
        return false;
    for (const char *word : {"名称", "品名", "商品", "产品", "名字", "name", "product"}) {
        if (title.contains(QString::fromUtf8(word), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

// The first column (1-based) of the header row whose title passes TEST, 0 for none.
int titledColumn(const QStringList &header, bool (*test)(const QString &))
{
    for (qsizetype i = 0; i < header.size(); ++i) {
        if (test(header.at(i).trimmed()))
            return int(i) + 1;
    }
    return 0;
}

QString columnLetter(int column)
{
    return QString(QChar(u'A' + column - 1));
}

} // namespace

QString ProductImport::priceText(const QString &cell)
{
    const QString trimmed = cell.trimmed();
    bool ok = false;
    const double price = trimmed.toDouble(&ok);
    if (!ok || !std::isfinite(price))
        return QString();
    return NumberText::money(price);
}

ProductImport::Result ProductImport::read(const QString &path, const SheetLimits &limits)
{
    Result result;
    SpreadsheetReader sheet(path, sheetName(), limits);
    if (!sheet.isLoaded()) {
        result.error = sheet.lastError();
        return result;
    }
    QStringList header;
    sheet.readRow(header, 1);
    result.error = headerError(header);
    if (!result.error.isEmpty())
        return result;
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
        if (price.trimmed().isEmpty()) {
            result.skipped.append({row, QStringLiteral("单价为空")});
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

QString ProductImport::headerError(const QStringList &header)
{
    const int name = titledColumn(header, titlesName);
    const int price = titledColumn(header, titlesPrice);
    if ((name == 0 || name == kNameColumn) && (price == 0 || price == kPriceColumn))
        return {};
    QString found;
    if (name != 0)
        found += QStringLiteral("商品名称在第%1列（%2列）").arg(name).arg(columnLetter(name));
    if (price != 0)
        found += QString(found.isEmpty() ? QString() : QStringLiteral("，")) +
                 QStringLiteral("单价在第%1列（%2列）").arg(price).arg(columnLetter(price));
    return QStringLiteral("第1行的标题表明%1，而导入时商品名称必须在第2列（B列）、单价在第3列"
                          "（C列），第1列可以是序号或空着。\n请在表格程序中调整列的位置后再导入。")
        .arg(found);
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

QString ProductImport::replacement(const Result &result, int existing)
{
    QString text =
        QStringLiteral("将用文件中的 %1 个商品替换现有的 %2 个商品，现有的商品列表将被清空。")
            .arg(result.products.size())
            .arg(existing);
    if (!result.skipped.isEmpty())
        text += QStringLiteral("\n文件中另有 %1 行不能导入，将被跳过。").arg(result.skipped.size());
    return text;
}

QString ProductImport::unreadableMessage(const QString &path, const Result &result)
{
    return QStringLiteral("不能读取文件“%1”：\n%2\n商品列表没有改变。")
        .arg(QDir::toNativeSeparators(path), result.error);
}

QList<SortListModel::Column> ProductImport::listColumns()
{
    return {{QStringLiteral("序号")}, {QStringLiteral("名称")}, {QStringLiteral("单价")}};
}

QList<SortListModel::Row> ProductImport::listRows(const QList<Product> &products)
{
    QList<SortListModel::Row> rows;
    rows.reserve(products.size());
    for (qsizetype i = 0; i < products.size(); ++i)
        rows.append(
            {{QString::number(i + 1), products[i].text, products[i].price}, products[i].id});
    return rows;
}
