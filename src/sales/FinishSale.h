#pragma once

#include "sales/SaleStore.h"

#include <QString>

class ReceiptOutput;
class SalesSession;
struct SaleRecord;
struct SaleSnapshot;

// Finishing the sale on the sales window: "打印小票(F5)" (stored first when
// "保存记录" is on) and "仅保存小票". A stored sale takes its receipt number in
// the transaction that stores it. When the server's reply to that commit is
// lost the sale is in doubt: nothing else happens to it until resolve() has
// found out from the server whether it is stored. Nothing is shown here: the
// window shows the outcome.
class FinishSale
{
public:
    struct Outcome
    {
        enum class Kind
        {
            Finished,         // the window starts the next sale
            NotStored,        // the sale stays as it is; MESSAGE says why (may be empty)
            InDoubt,          // the window waits and calls resolve()
            StoredDifferently // another sale is stored under its number: nothing printed
        };
        Kind kind = Kind::NotStored;
        QString message;
        bool printed = false;
        QString number; // the number the sale was stored or printed under
    };

    // OUTPUT may be null when nothing is to be printed.
    FinishSale(SalesSession &session, ReceiptOutput *output);

    static QString emptySaleMessage();
    static QString nothingToSaveMessage();
    static QString notPrintedMessage(const QString &number);
    static QString storedDifferentlyMessage(const QString &number);
    static QString lostAfterStoringMessage(const QString &number);

    // F5: stores the sale when STORE, prints it, starts the next sale.
    Outcome print(bool store);
    // "仅保存小票": stores the sale without printing.
    Outcome saveOnly();
    // The sale in doubt: asks the server again.
    Outcome resolve();

private:
    static Outcome notStored(const QString &message);
    Outcome store(SaleRecord &sale, SaleSnapshot &receipt, bool printing);
    Outcome printUnstored(SaleSnapshot &receipt);
    Outcome refused(SaleStore::Result result, const QString &number);
    // STORED: the sale is in the books (not so when printed with "保存记录" off).
    Outcome finish(const SaleRecord &sale, SaleSnapshot &receipt, bool printKey, bool printNow,
                   bool stored = true);

    SalesSession &m_session;
    ReceiptOutput *m_output;
};
