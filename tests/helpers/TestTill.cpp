// One till for the tests of several tills on one database: a process that
// enters sales of three lines, each sale its own, and finishes them as F5
// does with "保存记录" on (FinishSale), as fast as it can. With QUEUE its
// receipts go to that printer as the program prints them (the shop's settings
// as the program loads them, printer 1 the queue); without, its printer is its
// standard output: one line for every receipt. A sale that was not stored
// stays, as on the screen, and F5 is pressed again; a sale in doubt is asked
// after until the server answers.
//
//   qm_test_till SETTINGS_DSN RECORDS_DSN SALES TILL [QUEUE]
//
// Data sources come from ODBCINI. Prints "receipt <number> <total> <line names
// joined by |>" for each receipt on standard output, "outage" for each time
// the server was lost, "unexpected: <text>" for any other message, and at the
// end "saved=<n> outages=<m>".
#include "app/FontAliases.h"
#include "app/SettingsLoader.h"
#include "controls/Prompt.h"
#include "core/AppSettings.h"
#include "data/Database.h"
#include "data/DatabaseError.h"
#include "data/ShopRow.h"
#include "printing/ReceiptOutput.h"
#include "printing/SaleReceiptOutput.h"
#include "sales/FinishSale.h"
#include "sales/SaleStore.h"
#include "sales/SalesSession.h"

#include <QApplication>
#include <QThread>

#include <clocale>
#include <cstdio>
#include <memory>

namespace {

class StandardOutput : public ReceiptOutput
{
public:
    bool print(const SaleSnapshot &sale) override
    {
        QStringList names;
        for (const SaleSnapshot::Line &line : sale.lines)
            names << line.name;
        std::printf("receipt %s %.2f %s\n", sale.receiptNumber.toUtf8().constData(),
                    sale.discountedTotal, names.join(QLatin1Char('|')).toUtf8().constData());
        std::fflush(stdout);
        return true;
    }
};

int outages = 0;
int unexpected = 0;

// What the session hands back apart from finishing: nothing is expected.
void reportFailure(SalesSession &session)
{
    if (const std::optional<Failure> failure = session.takeFailure()) {
        ++unexpected;
        std::printf("unexpected: %s\n", failure->text.toUtf8().constData());
        std::fflush(stdout);
    }
}

// What the printing says over its window (a printer's trouble): nothing is expected.
class PrintingPrompt : public Prompt
{
public:
    Answer ask(QWidget *, const QString &text, const QString &, Icon, Buttons) override
    {
        ++unexpected;
        std::printf("unexpected: %s\n", text.toUtf8().constData());
        std::fflush(stdout);
        return Answer::Ok;
    }
    QString openFile(QWidget *, FileRequest &) override { return {}; }
    QString saveFile(QWidget *, FileRequest &) override { return {}; }
};

void report(const FinishSale::Outcome &outcome)
{
    using Kind = FinishSale::Outcome::Kind;
    if (outcome.kind == Kind::InDoubt || outcome.message == Database::connectionLostMessage() ||
        outcome.message == FinishSale::lostAfterStoringMessage(outcome.number)) {
        ++outages;
        std::printf("outage\n");
    } else if (!outcome.message.isEmpty()) {
        ++unexpected;
        std::printf("unexpected: %s\n", outcome.message.toUtf8().constData());
    }
    std::fflush(stdout);
}

bool enterSale(SalesSession &session, const QString &till, int sale)
{
    for (int line = 1; line <= 3; ++line) {
        session.sale().entry().setName(QStringLiteral("%1:%2:%3").arg(till).arg(sale).arg(line));
        session.sale().entry().typeQuantity(QString::number(line));
        session.sale().entry().setPrice(QString::number(sale % 7 + 1));
        if (!session.sale().addLine().message.isEmpty())
            return false;
    }
    return true;
}

// The shop's printing as the program sets it up at start, printer 1 QUEUE.
std::unique_ptr<ReceiptOutput> shopPrinter(AppSettings &settings, ShopRow &shop,
                                           const QString &queue)
{
    Database settingsDb;
    if (!settingsDb.open(settings.settingsDsn))
        return nullptr;
    try {
        SettingsLoader::loadFrom(settingsDb, settings, QDate::currentDate(), QString());
        shop = ShopRow::read(settingsDb);
    } catch (const DatabaseError &error) {
        std::fprintf(stderr, "%s\n", error.personText().toUtf8().constData());
        return nullptr;
    }
    shop.printer1Name = queue;
    shop.finishedNotice = false;
    shop.secondCopy = false;
    FontAliases::install();
    return std::make_unique<SaleReceiptOutput>(settings, shop, nullptr);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_CTYPE, "C.UTF-8");
    if (argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: qm_test_till SETTINGS_DSN RECORDS_DSN SALES TILL [QUEUE]\n");
        return 1;
    }
    Prompt::install(new PrintingPrompt);
    AppSettings settings;
    settings.settingsDsn = QString::fromLocal8Bit(argv[1]);
    settings.recordsDsn = QString::fromLocal8Bit(argv[2]);
    const int sales = QString::fromLocal8Bit(argv[3]).toInt();
    const QString till = QString::fromLocal8Bit(argv[4]);
    ShopRow shop;
    std::unique_ptr<ReceiptOutput> printer = std::make_unique<StandardOutput>();
    if (argc == 6)
        printer = shopPrinter(settings, shop, QString::fromLocal8Bit(argv[5]));
    if (!printer)
        return 2;
    settings.userName = till;
    settings.userPower = QStringLiteral("普通用户");

    SalesSession session(settings);
    if (!session.open()) {
        reportFailure(session);
        return 2;
    }
    int saved = 0;
    for (int sale = 1; sale <= sales; ++sale) {
        const bool entered = enterSale(session, till, sale);
        reportFailure(session);
        if (!entered)
            return 3;
        int attempts = 0;
        for (;;) {
            const FinishSale::Outcome outcome = FinishSale(session, printer.get()).print(true);
            report(outcome);
            if (outcome.kind == FinishSale::Outcome::Kind::Finished)
                break;
            if (outcome.kind == FinishSale::Outcome::Kind::StoredDifferently)
                return 6;
            if (++attempts > 600) // a minute without the server
                return 4;
            QThread::msleep(100);
        }
        ++saved;
    }
    std::printf("saved=%d outages=%d\n", saved, outages);
    return unexpected == 0 ? 0 : 5;
}
