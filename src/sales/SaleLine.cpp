#include "sales/SaleLine.h"

QString SaleLine::text(int column) const
{
    switch (column) {
    case Number:
        return number;
    case Name:
        return name;
    case Quantity:
        return quantity;
    case Price:
        return price;
    case Amount:
        return amount;
    case FullName:
        return fullName;
    case Discounted:
        return discounted;
    default:
        return {};
    }
}

void SaleLine::setText(int column, const QString &text)
{
    switch (column) {
    case Number:
        number = text;
        break;
    case Name:
        name = text;
        break;
    case Quantity:
        quantity = text;
        break;
    case Price:
        price = text;
        break;
    case Amount:
        amount = text;
        break;
    case FullName:
        fullName = text;
        break;
    case Discounted:
        discounted = text;
        break;
    default:
        break;
    }
}

QString SaleLine::displayName(const QString &fullName, bool showProductCode)
{
    if (showProductCode)
        return fullName;
    const qsizetype dash = fullName.indexOf(QLatin1Char('-'));
    return dash < 0 ? fullName : fullName.mid(dash + 1);
}

QString SaleLine::header(int column, bool english)
{
    switch (column) {
    case Number:
        return english ? QStringLiteral("ID") : QStringLiteral("序号");
    case Name:
        return english ? QStringLiteral("Items") : QStringLiteral("名称");
    case Quantity:
        return english ? QStringLiteral("No.") : QStringLiteral("数量");
    case Price:
        return english ? QStringLiteral("Price") : QStringLiteral("单价");
    case Amount:
        return english ? QStringLiteral("Sub Total") : QStringLiteral("金额");
    case FullName:
        return QStringLiteral("序号加商品名");
    case Discounted:
        return english ? QStringLiteral("Discount") : QStringLiteral("折后");
    default:
        return {};
    }
}

int SaleLine::width(int column)
{
    static const int widths[ColumnCount] = {43, 193, 60, 80, 90, 0, 90};
    return column >= 0 && column < ColumnCount ? widths[column] : 0;
}

Qt::Alignment SaleLine::alignment(int column)
{
    const bool right =
        column == Quantity || column == Price || column == Amount || column == Discounted;
    return (right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}
