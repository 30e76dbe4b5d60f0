#pragma once

#include "printing/SaleSnapshot.h"
#include "printing/ShopPrintSettings.h"
#include "sales/FinishSale.h"
#include "sales/SaleEntry.h"
#include "sales/SalesSession.h"
#include "sales/SalesWindows.h"

#include <QDialog>
#include <QList>
#include <QPair>
#include <QPointer>
#include <QTimer>

#include <memory>

class IdleTicker;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class SalesKeyFilter;
class SortableList;
struct AppSettings;

namespace Ui {
class SalesDialog;
}

// The program's main window, where a sale is entered, totalled, numbered and
// stored. It holds a connection to each database for its whole life. The
// sale itself lives in SalesSession (without widgets); this class shows it
// and turns what the person does into its operations.
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
    // Takes the header fields from the controls; the entry row, cash and
    // change are always current.
    void pull();
    // Shows the session's values in the controls.
    void push();

    // Sale lines and totals.
    void addLine();
    void modifyLine();
    void deleteLines();
    void selectLine();
    void relabelColumns();

    // Numbering and finishing a sale (FinishSale); a sale in doubt locks the
    // window and is asked after every two seconds until the server answers.
    void loadReceiptNumber();
    // While the till is left alone, the counter's number shown is read again
    // (another till may have taken it); a typed number stays.
    static constexpr int numberRefreshMs = 3000;
    void refreshShownNumber();
    void printReceipt();
    void saveOnly();
    void resolveDoubt();
    bool inDoubt() const { return m_session.inDoubt().has_value(); }

    // Controls that start other windows.
    void previewReceipt();
    void openSettings();
    void openCustomers();
    void openPaymentMethods();
    void openQuery();
    void openAbout();
    void openHelp();
    void startCalculator();

    void reject() override;
    // Ends the window, and with it the program, without the questions of a
    // normal close: another records book has been put in place and the
    // program must start again on it.
    void endForNewBook();

    // Pulls the controls and returns the sale as a receipt prints it.
    SaleSnapshot takeSale();
    ShopPrintSettings &printSettings() { return m_printSettings; }
    // The INFO print values, read when the window opens and after the settings window.
    void loadPrintSettings();

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void setUpControls();
    void setUpColumns();
    void connectControls();
    void connectEntryRow();
    void connectHeader();
    void openSession();
    void applyUserRights();

    void apply(const SaleEntry::Outcome &outcome);
    void syncList(SaleEntry::ListChange change, int row);
    void showNextSale();
    void showOutcome(const FinishSale::Outcome &outcome);
    // Shows what the session's last operation kept as its failure, if
    // anything; hands back DONE.
    bool reported(bool done = true);
    void lockForDoubt(bool locked);
    void focusField(SaleEntry::Field field);
    SaleEntry::Field focusedField() const;
    SaleEntry::Selection listSelection() const;

    void pushEntry();
    void pushHeader();
    void pushLists();
    void fillCombo(QComboBox *box, const QStringList &items);
    void setText(QLineEdit *edit, const QString &text);
    void setText(QComboBox *box, const QString &text);
    void setText(QPlainTextEdit *edit, const QString &text);
    void syncProducts();

    void onEntryEdited(SaleEntry::Field field, const QString &text);
    void onProductChosen(const QString &name);
    void onDiscountSwitched(bool on);
    void onCustomerEdited(const QString &text);
    void onPhoneEdited(const QString &text);
    void onClockTick();
    void onListSorted();

    friend class SalesKeyFilter; // the window's keyboard and wheel

    std::unique_ptr<Ui::SalesDialog> ui;
    SalesSession m_session;
    SalesWindows m_windows;
    QTimer m_clock;
    IdleTicker *m_numberRefresh = nullptr;
    QTimer m_doubtRetry;
    bool m_recordsReady = false;
    bool m_pushing = false;
    bool m_ending = false;
    bool m_finishing = false; // FinishSale is at work (a printer's question may be open)
    QList<QPair<QPointer<QWidget>, bool>> m_lockedControls; // while in doubt, as they were
    SalesKeyFilter *m_keys;
    ShopPrintSettings m_printSettings;
};
