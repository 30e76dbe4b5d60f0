// One till for the tests of several tills on one database: a process that
// enters sales of three lines and stores them through the sales window's own
// save path (SalesSession::saveOnly), as fast as it can. A sale that cannot be
// stored stays, as on the screen, and is saved again until it is stored.
//
//   qm_test_till SETTINGS_DSN RECORDS_DSN SALES TILL
//
// Data sources come from ODBCINI. Prints "outage" for each message about the
// lost server, "unexpected: <text>" for any other message, and at the end
// "saved=<n> outages=<m>".
#include "core/AppSettings.h"
#include "core/Prompt.h"
#include "data/Database.h"
#include "sales/SalesSession.h"

#include <QGuiApplication>
#include <QThread>

#include <clocale>
#include <cstdio>

namespace {

class PrintingPrompt : public Prompt
{
public:
    int outages = 0;
    int unexpected = 0;

    Answer ask(QWidget *, const QString &text, const QString &, Icon, Buttons) override
    {
        if (text == Database::connectionLostMessage()) {
            ++outages;
            std::printf("outage\n");
        } else {
            ++unexpected;
            std::printf("unexpected: %s\n", text.toUtf8().constData());
        }
        std::fflush(stdout);
        return Answer::Ok;
    }
    QString openFile(QWidget *, FileRequest &) override { return {}; }
    QString saveFile(QWidget *, FileRequest &) override { return {}; }
};

bool enterSale(SalesSession &session, const QString &till, int sale)
{
    for (int line = 1; line <= 3; ++line) {
        session.sale().entry().setName(QStringLiteral("%1:%2:%3").arg(till).arg(sale).arg(line));
        session.sale().entry().typeQuantity(QString::number(line));
        session.sale().entry().setPrice(QStringLiteral("2.50"));
        if (!session.sale().addLine().message.isEmpty())
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::setlocale(LC_CTYPE, "C.UTF-8");
    if (argc != 5) {
        std::fprintf(stderr, "usage: qm_test_till SETTINGS_DSN RECORDS_DSN SALES TILL\n");
        return 1;
    }
    auto *prompt = new PrintingPrompt;
    Prompt::install(prompt);

    AppSettings settings;
    settings.settingsDsn = QString::fromLocal8Bit(argv[1]);
    settings.recordsDsn = QString::fromLocal8Bit(argv[2]);
    const int sales = QString::fromLocal8Bit(argv[3]).toInt();
    const QString till = QString::fromLocal8Bit(argv[4]);
    settings.userName = till;
    settings.userPower = QStringLiteral("普通用户");

    SalesSession session(settings);
    if (!session.open(nullptr))
        return 2;
    int saved = 0;
    for (int sale = 1; sale <= sales; ++sale) {
        if (!enterSale(session, till, sale))
            return 3;
        int attempts = 0;
        while (!session.saveOnly(nullptr)) {
            if (++attempts > 600) // a minute without the server
                return 4;
            QThread::msleep(100);
        }
        ++saved;
    }
    std::printf("saved=%d outages=%d\n", saved, prompt->outages);
    return prompt->unexpected == 0 ? 0 : 5;
}
