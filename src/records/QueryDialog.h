#pragma once

#include "printing/ReceiptSwitches.h"
#include "records/QueryStatement.h"

#include <QDialog>
#include <QPoint>

#include <functional>
#include <memory>
#include <optional>

class Database;
class DetailListModel;
class ListColumnFit;
class QCheckBox;
class QMenu;
class QPushButton;
class TakingsChartView;
class RecordDetailDialog;
class RecordListModel;
class SalesListModel;
class SortableList;
struct AppSettings;
struct ReceiptData;
struct ShopRow;
namespace Ui {
class QueryDialog;
}

// "查询统计": stored sales listed, totalled, searched, deleted, reprinted and
// exported. It holds its own connection to the records for as long as it is
// open. Two lists share one place: the sales list and the detail total list
// (each sale followed by its lines); the statistics line totals the sales
// listed and follows every deletion. Actions take the sales selected in the
// list that is shown; only an administrator may delete, print, export and
// manage the records.
class QueryDialog : public QDialog
{
    Q_OBJECT

public:
    // How a stored sale is printed again: the sales window's print settings
    // and the switches it shows at the moment of printing.
    struct Printing
    {
        ShopRow *shop = nullptr;
        std::function<ReceiptSwitches()> switches;
    };

    QueryDialog(AppSettings &settings, Printing printing, QWidget *parent = nullptr);
    ~QueryDialog() override;

    void showSales(const QueryStatement &statement);
    void showStatistics();
    // Tells whether the sales window holds a sale not yet stored: restore and
    // new book end the program, so they ask first when it does.
    void setOpenSale(std::function<bool()> openSale) { m_openSale = std::move(openSale); }
    // Another records book was put in place: the program must end.
    bool bookReplaced() const { return m_bookReplaced; }

    // Closing keeps the column widths the person dragged.
    void done(int result) override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void setUpList(SortableList *list, RecordListModel *model);
    void applyRights();
    bool needRecords();
    void fill(const QueryStatement &statement, bool detail);
    void run(const QueryStatement &statement, bool detail);

    void quickSearch();
    void detailToggled();
    void openConditions();
    void showMenu(int row, const QPoint &at);
    void showManageMenu();
    void openDetails();
    void showSaved(int sale, const RecordDetailDialog &details);
    void manageBook(int command);
    // False when a sale is open in the sales window and the person keeps it.
    bool mayEndProgram();
    void deleteSelected();
    void printRecord();
    void exportShown();
    void updateButtons();

    // The owner's day (QueryDialogOwner.cpp): the day-end report, the chart
    // of takings in place of the lists, a stored sale's receipt as a PDF file.
    void addOwnerTools();
    void showDayReport();
    void chartToggled();
    void showChartOrList();
    void chartFollows(const QueryStatement &statement);
    void saveReceiptPdf();
    // The reprint's receipt of SALE (a sale of the shown list). Throws DatabaseError.
    // SWITCHES become those the stored sale prints with (its discount shown).
    ReceiptData storedReceipt(int sale, ReceiptSwitches &switches);
    ReceiptSwitches printSwitches() const;

    SortableList *shownList() const;
    RecordListModel *shownModel() const;
    // The sales behind the selected rows of the shown list, in list order.
    QList<int> selectedSales() const;
    // The sale at the selection mark, or the first selected one; -1 for none.
    int markedSale() const;

    std::unique_ptr<Ui::QueryDialog> ui;
    AppSettings &m_settings;
    Printing m_printing;
    std::function<bool()> m_openSale;
    Database *m_records;
    SalesListModel *m_salesModel;
    DetailListModel *m_detailModel;
    QMenu *m_manageMenu;
    QueryStatement m_lastQuery;
    bool m_detailShown = false;
    bool m_administrator = false;
    bool m_bookReplaced = false;
    ListColumnFit *m_salesFit = nullptr;
    ListColumnFit *m_detailFit = nullptr;
    // Where the person last put the conditions dialog in this window.
    std::optional<QPoint> m_conditionsAt;
    QPushButton *m_reportButton = nullptr;
    QCheckBox *m_chartCheck = nullptr;
    TakingsChartView *m_chart = nullptr;
};
