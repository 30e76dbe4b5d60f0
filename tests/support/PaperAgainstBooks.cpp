#include "support/PaperAgainstBooks.h"

#include "core/AppSettings.h"
#include "data/Database.h"
#include "printing/PrepareReceiptData.h"
#include "printing/ReceiptRaster.h"
#include "printing/ReceiptStyle.h"
#include "data/ShopRow.h"
#include "records/RecordValue.h"
#include "sales/SaleStore.h"
#include "support/EscPosDecoder.h"

#include <QHash>
#include <QImage>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The black dots of the first WIDTH columns, row after row: two pictures
// with the same key are the same print.
QByteArray dotsOf(const QImage &image, int width)
{
    const int whole = width / 8;
    const int rest = width % 8;
    QByteArray dots;
    dots.reserve(image.height() * (whole + 1));
    for (int y = 0; y < image.height(); ++y) {
        const uchar *row = image.constScanLine(y);
        dots.append(reinterpret_cast<const char *>(row), whole);
        if (rest)
            dots.append(char(row[whole] & (0xff << (8 - rest))));
    }
    return dots;
}

QString stored(const QVariant &value)
{
    return QString::fromUtf8(RecordValue::utf8(value));
}

} // namespace

SaleSnapshot PaperAgainstBooks::storedSale(Database &records, const QString &number,
                                           const ReceiptSwitches &switches)
{
    SaleSnapshot sale;
    sale.receiptNumber = number;
    sale.switches = switches;
    Database::Rows header = records.query(
        QStringLiteral("select \"date\", \"money\", \"number\", \"saler\", \"standby1\", "
                       "\"standby2\", \"standby3\", \"standby4\" from \"POS_RECORD\" where "
                       "\"NO\" = ?"),
        {number});
    if (!header.next())
        return sale;
    sale.time = QDateTime::fromString(header.text(0), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    sale.discountedTotal = header.number(1);
    sale.totalQuantity = header.number(2);
    sale.cashier = stored(header.value(3));
    sale.remark = stored(header.value(4));
    sale.customer = stored(header.value(5));
    sale.phone = stored(header.value(6));
    sale.payment = stored(header.value(7));
    Database::Rows lines = records.query(SaleStore::linesQuery(records), {number});
    while (lines.next()) {
        const double amount = RecordValue::number(lines.value(3));
        sale.totalAmount += amount;
        sale.lines.append(
            {stored(lines.value(0)), RecordValue::quantity(RecordValue::number(lines.value(1))),
             RecordValue::money(RecordValue::number(lines.value(2))), RecordValue::money(amount),
             RecordValue::money(RecordValue::number(lines.value(4)))});
    }
    return sale;
}

QStringList PaperAgainstBooks::expectAgreement(Database &records, const QList<QByteArray> &jobs,
                                               const Printing &printing)
{
    QStringList numbers;
    Database::Rows all = records.query(QStringLiteral("select \"NO\" from \"POS_RECORD\""));
    while (all.next())
        numbers << all.text(0);

    // Each stored sale's receipt as the program draws it for the roll.
    QHash<QByteArray, QStringList> salesByDots;
    QHash<QString, QImage> pictures;
    for (const QString &number : std::as_const(numbers)) {
        const SaleSnapshot sale = storedSale(records, number, printing.switches);
        const ReceiptData data =
            prepareReceiptData(sale, printing.settings.labelLanguage, printing.shop.showPrice);
        const QImage picture = ReceiptRaster::of(
            data, ReceiptStyle::from(printing.settings, printing.shop, sale.switches),
            printing.paperDots);
        salesByDots[dotsOf(picture, printing.paperDots)] << number;
        pictures.insert(number, picture);
    }

    QStringList printed;
    QHash<QString, int> receipts;
    for (qsizetype i = 0; i < jobs.size(); ++i) {
        const EscPosDecoded job = EscPosDecoder::decode(jobs[i]);
        EXPECT_TRUE(job.error.isEmpty()) << "job " << i << ": " << job.error.toStdString();
        EXPECT_EQ(job.cuts, 1) << "job " << i;
        const QStringList sales = job.image.width() >= printing.paperDots
                                      ? salesByDots.value(dotsOf(job.image, printing.paperDots))
                                      : QStringList();
        EXPECT_EQ(sales.size(), 1)
            << "job " << i << " (" << job.image.height() << " rows) is the receipt of "
            << sales.size() << " stored sales: " << sales.join(u' ').toStdString();
        if (sales.size() != 1) {
            printed << QStringLiteral("?");
            continue;
        }
        // The padding beyond the roll's width is white as well.
        EXPECT_EQ(EscPosDecoder::differingPixels(pictures.value(sales[0]), job.image), 0);
        printed << sales[0];
        ++receipts[sales[0]];
    }
    for (const QString &number : std::as_const(numbers))
        EXPECT_EQ(receipts.value(number), 1) << "stored sale " << number.toStdString() << " has "
                                             << receipts.value(number) << " receipts";
    return printed;
}
