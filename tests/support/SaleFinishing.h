#pragma once

// Finishing a sale without the window, as the window's keys do it: through
// FinishSale, with the outcome's message shown as the window shows it.
#include "controls/Prompt.h"
#include "printing/ReceiptOutput.h"
#include "sales/FinishSale.h"

#include <QList>

#include <functional>
#include <memory>

class SalesDialog;

// The receipts a finished sale sent to the printers, kept instead of printed.
class KeptReceipts : public ReceiptOutput
{
public:
    bool print(const SaleSnapshot &sale) override
    {
        receipts.append(sale);
        return printerWorks;
    }

    QList<SaleSnapshot> receipts;
    bool printerWorks = true;
};

// For the sales window's wiring (SalesWindows::receiptOutput): every receipt
// it prints is kept in KEPT.
inline std::function<std::unique_ptr<ReceiptOutput>(SalesDialog &)> keptIn(KeptReceipts &kept)
{
    struct Forward : ReceiptOutput
    {
        explicit Forward(KeptReceipts &to) : to(to) {}
        bool print(const SaleSnapshot &sale) override { return to.print(sale); }
        KeptReceipts &to;
    };
    return [&kept](SalesDialog &) { return std::make_unique<Forward>(kept); };
}

inline FinishSale::Outcome shown(const FinishSale::Outcome &outcome)
{
    if (!outcome.message.isEmpty())
        Prompt::warn(nullptr, outcome.message);
    return outcome;
}

// "仅保存小票": true when the sale was stored and the next one begun.
inline bool saveOnly(SalesSession &session)
{
    return shown(FinishSale(session, nullptr).saveOnly()).kind ==
           FinishSale::Outcome::Kind::Finished;
}

// F5 with "保存记录" on (STORE).
inline bool printSale(SalesSession &session, ReceiptOutput &output, bool store = true)
{
    return shown(FinishSale(session, &output).print(store)).kind ==
           FinishSale::Outcome::Kind::Finished;
}
