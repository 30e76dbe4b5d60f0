// Links quillmarch_logic with Qt Core, Gui and Sql only. Should an object of
// the library that this program pulls in need a widget, a message box or the
// print system, the link fails; so the build proves that the logic runs
// without windows. Run by `make test`, it also does some real work: it opens
// a copy of the delivered settings database, lists and changes products and
// customers, takes a receipt number, and turns a refused statement into the
// text the person is shown.
#include "data/DataSource.h"
#include "data/Database.h"
#include "data/DatabaseError.h"
#include "printing/ReceiptNumber.h"
#include "settings/CustomerBook.h"
#include "settings/ProductCatalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

int fail(const QString &what)
{
    std::fprintf(stderr, "logic-links-alone: %s\n", qPrintable(what));
    return 1;
}

bool copied(const QString &from, const QString &to)
{
    return QFile::copy(from, to) && QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return fail(QStringLiteral("usage: logic-links-alone DELIVERED_DATA_DIR"));
    QTemporaryDir dir;
    qputenv("ODBCINI", QDir(dir.path()).filePath(QStringLiteral("odbc.ini")).toLocal8Bit());

    const QString delivered = QString::fromLocal8Bit(argv[1]);
    const QString settings = QDir(dir.path()).filePath(QStringLiteral("Quillmarch.qmst"));
    const QString records = QDir(dir.path()).filePath(QStringLiteral("Quillbook.qmbk"));
    if (!copied(QDir(delivered).filePath(QStringLiteral("Quillmarch.qmst")), settings) ||
        !copied(QDir(delivered).filePath(QStringLiteral("Quillbook.qmbk")), records))
        return fail(QStringLiteral("cannot copy the delivered databases from %1").arg(delivered));
    DataSource::setUp(QStringLiteral("LinkCheckSettings"), settings, dir.path());
    DataSource::setUp(QStringLiteral("LinkCheckRecords"), records, dir.path());

    Database db;
    if (!db.open(QStringLiteral("LinkCheckSettings")))
        return fail(QStringLiteral("cannot open the settings: %1").arg(db.lastOpenError()));
    ProductCatalogue products(db);
    products.add(QStringLiteral("铅笔"), QStringLiteral("1.50"));
    if (products.priceOf(QStringLiteral("铅笔")) != QStringLiteral("1.50"))
        return fail(QStringLiteral("a product added is not found with its price"));
    CustomerBook customers(db);
    customers.add(QStringLiteral("张三"), QStringLiteral("13800000000"));
    if (!customers.contains(QStringLiteral("张三")))
        return fail(QStringLiteral("a customer added is not found"));

    Database book;
    if (!book.open(QStringLiteral("LinkCheckRecords")))
        return fail(QStringLiteral("cannot open the records: %1").arg(book.lastOpenError()));
    const QString first = ReceiptNumber::load(book, QString());
    ReceiptNumber::take(book);
    if (ReceiptNumber::load(book, QString()) == first)
        return fail(QStringLiteral("a consumed receipt number is offered again"));

    try {
        db.exec(QStringLiteral("SELECT * FROM NO_SUCH_TABLE"));
        return fail(QStringLiteral("a refused statement was not reported"));
    } catch (const DatabaseError &error) {
        if (error.personText().isEmpty())
            return fail(QStringLiteral("a refused statement has no text for the person"));
    }
    std::printf("logic-links-alone: quillmarch_logic linked and ran without Qt Widgets\n");
    return 0;
}
