#pragma once

#include "printing/SaleSnapshot.h"
#include "sales/FinishSale.h"
#include "sales/SaleEntry.h"
#include "sales/SalesSession.h"
#include "sales/SalesWindows.h"

#include <QDialog>
#include <QTimer>

#include <memory>

class IdleTicker;
class SalesKeyFilter;
class SortableList;
struct AppSettings;

namespace Ui {
class SalesDialog;
}

// The program's main window, where a sale is entered, totalled, numbered and
// stored. It holds a connection to each database for its whole life. The
// sale itself lives in SalesSession (without widgets); the window's parts
// (header, sale lines, entry row, side panel) show it and report what the
// person does, and this class turns that into the session's operations.
class SalesDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SalesDialog(AppSettings &settings, QWidget *parent = nullptr);
    ~SalesDialog() override;

    static QString leaveUnsavedQuestion();
    static QString leaveInDoubtQuestion();
    static QString checkingText();
    static QString titleFor(const AppSettings &settings);

    // Does not run when the records file is missing (the message was shown).
    int exec() override;

    // The windows other parts provide (see SalesWindows::installed()).
    void setWindows(const SalesWindows &windows);
    const SalesWindows &windows() const { return m_windows; }

    SalesSession &session() { return m_session; }
    SortableList *saleList() const;

    void addLine();
    // Finishing a sale (FinishSale); a sale in doubt locks the window and is
    // asked after every two seconds until the server answers.
    void printReceipt();
    void saveOnly();
    bool inDoubt() const { return m_session.inDoubt().has_value(); }
    void openSettings();
    void openHelp();

    void reject() override;
    // Ends the window, and with it the program, without the questions of a
    // normal close: another records book has been put in place and the
    // program must start again on it.
    void endForNewBook();

    // Pulls the controls and returns the sale as a receipt prints it.
    SaleSnapshot takeSale();
    ShopRow &printSettings() { return m_session.shop(); }

    // While the till is left alone, the counter's number shown is read again
    // (another till may have taken it); a typed number stays.
    static constexpr int numberRefreshMs = 3000;

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void setUpParts();
    void setUpTabOrder();
    void connectEntryRow();
    void connectHeader();
    void connectSide();
    void connectKeys();
    void startTimers();
    void openSession();
    // Shows what the session's last operation kept as its failure, if
    // anything; hands back DONE.
    bool reported(bool done = true);
    void applyUserRights();

    // Takes the header fields from the parts; the entry row, cash and change
    // are always current.
    void pull();
    // Shows the session's values in the parts.
    void push();
    void pushEntry();
    void pushHeader();
    void pushLists();

    void modifyLine();
    void deleteLines();
    void selectLine();
    void apply(const SaleEntry::Outcome &outcome);
    void onEntryEdited(SaleEntry::Field field, const QString &text);
    void onProductChosen(const QString &name);
    void onDiscountSwitched(bool on);
    void onCashEdited(const QString &text);
    void onCustomerEdited(const QString &text);
    void onPhoneEdited(const QString &text);
    void onWheelStepped(int notches);
    void onClockTick();
    void refreshShownNumber();

    void resolveDoubt();
    void showOutcome(const FinishSale::Outcome &outcome);
    void showNextSale();
    void lockForDoubt(bool locked);

    void previewReceipt();
    void openCustomers();
    void openPaymentMethods();
    void openQuery();
    void openAbout();
    void startCalculator();

    std::unique_ptr<Ui::SalesDialog> ui;
    SalesSession m_session;
    SalesWindows m_windows;
    QTimer m_clock;
    IdleTicker *m_numberRefresh = nullptr;
    SalesKeyFilter *m_keys = nullptr;
    QTimer m_doubtRetry;
    bool m_recordsReady = false;
    bool m_ending = false;
    bool m_finishing = false; // FinishSale is at work (a printer's question may be open)
};
