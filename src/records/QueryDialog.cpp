#include "records/QueryDialog.h"
#include "ui_QueryDialog.h"

#include "controls/DbOperation.h"
#include "controls/ModalDialogs.h"
#include "controls/Prompt.h"
#include "core/AppSettings.h"
#include "core/Clock.h"
#include "data/Database.h"
#include "data/ShopRow.h"
#include "printing/ReceiptData.h"
#include "printing/ReceiptPrinter.h"
#include "records/BookCommands.h"
#include "records/DetailListModel.h"
#include "records/QueryBuilder.h"
#include "records/QueryConditionsDialog.h"
#include "records/QueryStatistics.h"
#include "records/RecordDetailDialog.h"
#include "records/RecordValue.h"
#include "records/SaleDeletion.h"
#include "records/SalesListModel.h"
#include "sales/SaleNumbers.h"
#include "spreadsheet/ExportList.h"

#include "controls/WindowPlacement.h"
#include "records/ListColumnFit.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QMenu>
#include <QScreen>

#include <algorithm>

namespace {

const QColor listColour(135, 215, 215);

QString openFailedMessage()
{
    return QStringLiteral("不能打开数据库");
}

} // namespace

QueryDialog::QueryDialog(AppSettings &settings, Printing printing, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::QueryDialog>()), m_settings(settings),
      m_printing(std::move(printing)), m_records(new Database),
      m_salesModel(new SalesListModel(this)), m_detailModel(new DetailListModel(this)),
      m_manageMenu(new QMenu(this)),
      m_administrator(settings.userPower == AppSettings::administratorPower())
{
    ui->setupUi(this);
    setUpList(ui->salesList, m_salesModel);
    setUpList(ui->detailList, m_detailModel);
    ui->salesList->setColumnHidden(5, true);
    ui->detailList->hide();
    m_salesFit =
        new ListColumnFit(ui->salesList, QStringLiteral("query.sales"), settings.settingsDsn);
    m_detailFit =
        new ListColumnFit(ui->detailList, QStringLiteral("query.details"), settings.settingsDsn);

    QPalette statistics = ui->statisticsLabel->palette();
    statistics.setColor(QPalette::WindowText, QColor(205, 0, 0));
    statistics.setColor(QPalette::Window, listColour);
    ui->statisticsLabel->setPalette(statistics);
    ui->statisticsLabel->setAutoFillBackground(true);
    QFont font(QStringLiteral("宋体"));
    font.setPointSizeF(11.6);
    ui->statisticsLabel->setFont(font);
    QPalette hint = ui->hintLabel->palette();
    hint.setColor(QPalette::WindowText, QColor(0, 0, 255));
    ui->hintLabel->setPalette(hint);

    m_manageMenu->setTitle(QStringLiteral("管理数据库"));
    m_manageMenu->addAction(QStringLiteral("导入恢复数据库(&I)..."), this,
                            [this] { manageBook(0); });
    m_manageMenu->addAction(QStringLiteral("导出备份数据库(&O)..."), this,
                            [this] { manageBook(1); });
    m_manageMenu->addSeparator();
    m_manageMenu->addAction(QStringLiteral("重新记账(&R)"), this, [this] { manageBook(2); });
    connect(ui->detailsButton, &QPushButton::clicked, this, &QueryDialog::openDetails);

    connect(ui->searchButton, &QPushButton::clicked, this, &QueryDialog::quickSearch);
    connect(ui->detailCheck, &QCheckBox::clicked, this, &QueryDialog::detailToggled);
    connect(ui->queryButton, &QPushButton::clicked, this, &QueryDialog::openConditions);
    connect(ui->exportButton, &QPushButton::clicked, this, &QueryDialog::exportShown);
    connect(ui->manageButton, &QPushButton::clicked, this, &QueryDialog::showManageMenu);
    for (SortableList *list : {ui->salesList, ui->detailList}) {
        connect(list, &SortableList::selectedRowsChanged, this, &QueryDialog::updateButtons);
        connect(list, &SortableList::contextMenuAt, this, &QueryDialog::showMenu);
        connect(list, &SortableList::rowDoubleClicked, this, [this](int row) {
            if (row >= 0)
                openDetails();
        });
    }
    addOwnerTools();
    applyRights();

    if (DbOperation::open(*m_records, settings.recordsDsn, this)) {
        showStatistics();
        const QueryStatement today = QueryBuilder::day(Clock::now().date());
        showSales(today);
        m_lastQuery = today;
    }
    ui->searchEdit->setFocus();
}

QueryDialog::~QueryDialog()
{
    delete m_records;
}

void QueryDialog::setUpList(SortableList *list, RecordListModel *model)
{
    list->setSortableModel(model);
    const auto &columns = model->columns();
    for (int i = 0; i < columns.size(); ++i)
        list->setColumnWidth(i, columns[i].width);
    list->setGridLines(true);
    list->setFullRowSelect(true);
    list->setMovableColumns(true);
    list->setRowHeights(18);
    list->setColours(listColour, listColour, Qt::black);
    model->setTextBackground(listColour);
    list->setMultiSelect(true);
}

void QueryDialog::applyRights()
{
    ui->exportButton->setEnabled(m_administrator);
    ui->manageButton->setEnabled(m_administrator);
    m_reportButton->setEnabled(m_administrator);
}

bool QueryDialog::needRecords()
{
    if (m_records->isOpen())
        return true;
    Prompt::info(this, openFailedMessage());
    return false;
}

void QueryDialog::showSales(const QueryStatement &statement)
{
    fill(statement, false);
}

void QueryDialog::fill(const QueryStatement &statement, bool detail)
{
    if (!needRecords())
        return;
    m_detailShown = detail;
    ui->salesList->setVisible(!detail);
    ui->detailList->setVisible(detail);
    RecordListModel *model = detail ? static_cast<RecordListModel *>(m_detailModel) : m_salesModel;
    DbOperation::run(this, [&] { model->fill(*m_records, statement); });
    (detail ? m_detailFit : m_salesFit)->fit();
    showStatistics();
    updateButtons();
    showChartOrList();
    chartFollows(statement);
}

void QueryDialog::run(const QueryStatement &statement, bool detail)
{
    if (!needRecords())
        return;
    fill(statement, detail);
    m_lastQuery = statement;
}

void QueryDialog::showStatistics()
{
    const RecordListModel *model = shownModel();
    ui->statisticsLabel->setText(
        QueryStatistics::line(model->totalQuantity(), model->totalMoney()));
}

void QueryDialog::quickSearch()
{
    run(QueryBuilder::numberContains(ui->searchEdit->text(), m_records->dialect()),
        ui->detailCheck->isChecked());
}

void QueryDialog::detailToggled()
{
    if (!needRecords())
        return;
    fill(m_lastQuery, ui->detailCheck->isChecked());
}

void QueryDialog::openConditions()
{
    if (!needRecords())
        return;
    QueryConditionsDialog conditions(
        m_settings, m_records->dialect(), ui->detailCheck->isChecked(),
        [this](const QueryStatement &statement, bool detail) { run(statement, detail); }, this);
    // Beside the list, so the results stay in sight, unless the person put it
    // somewhere else before.
    conditions.adjustSize();
    const QRect list(shownList()->mapToGlobal(QPoint(0, 0)), shownList()->size());
    const QPoint placed = m_conditionsAt.value_or(WindowPlacement::beside(
        conditions.frameGeometry().size(), list, screen()->availableGeometry()));
    conditions.move(placed);
    ModalDialogs::run(conditions);
    if (conditions.pos() != placed)
        m_conditionsAt = conditions.pos();
    shownList()->setFocus();
}

SortableList *QueryDialog::shownList() const
{
    return m_detailShown ? ui->detailList : ui->salesList;
}

RecordListModel *QueryDialog::shownModel() const
{
    return m_detailShown ? static_cast<RecordListModel *>(m_detailModel) : m_salesModel;
}

QList<int> QueryDialog::selectedSales() const
{
    QList<int> sales;
    for (int row : shownList()->selectedRows()) {
        const int sale = shownModel()->saleAt(row);
        if (sale >= 0 && !sales.contains(sale))
            sales.append(sale);
    }
    return sales;
}

int QueryDialog::markedSale() const
{
    const SortableList *list = shownList();
    const QList<int> rows = list->selectedRows();
    if (rows.isEmpty())
        return -1;
    const int mark = list->currentRow();
    return shownModel()->saleAt(rows.contains(mark) ? mark : rows.first());
}

void QueryDialog::updateButtons()
{
    ui->detailsButton->setEnabled(!shownList()->selectedRows().isEmpty());
}

void QueryDialog::showMenu(int, const QPoint &at)
{
    if (shownList()->selectedRows().isEmpty())
        return;
    QMenu menu(this);
    menu.addAction(QStringLiteral("查看记录详情(&T)..."), this, &QueryDialog::openDetails);
    menu.addSeparator();
    QAction *remove =
        menu.addAction(QStringLiteral("删除记录(&D)"), this, &QueryDialog::deleteSelected);
    menu.addSeparator();
    QAction *print =
        menu.addAction(QStringLiteral("打印记录(&P)"), this, &QueryDialog::printRecord);
    QAction *pdf =
        menu.addAction(QStringLiteral("保存为PDF(&F)..."), this, &QueryDialog::saveReceiptPdf);
    remove->setEnabled(m_administrator);
    print->setEnabled(m_administrator);
    pdf->setEnabled(m_administrator);
    menu.exec(at);
}

void QueryDialog::showManageMenu()
{
    if (!m_administrator)
        return;
    m_manageMenu->exec(ui->manageButton->mapToGlobal(ui->manageButton->rect().bottomLeft()));
}

void QueryDialog::openDetails()
{
    if (!needRecords())
        return;
    const int sale = markedSale();
    if (sale < 0)
        return;
    const SaleRows &rows = shownModel()->sales();
    const double money = rows.money(sale);
    const SaleDetails::Header header{
        rows.text(sale, SaleRows::Number),   rows.text(sale, SaleRows::Date),
        rows.text(sale, SaleRows::Customer), rows.text(sale, SaleRows::Phone),
        rows.text(sale, SaleRows::Payment),  rows.text(sale, SaleRows::Remark),
        RecordValue::money(money),           rows.id(sale)};
    RecordDetailDialog details(m_settings, *m_records, header, this);
    ModalDialogs::run(details);
    if (details.saved())
        showSaved(sale, details);
    shownList()->setFocus();
}

// The sale's row shows what was saved; the lines of the detail list are read again.
void QueryDialog::showSaved(int sale, const RecordDetailDialog &details)
{
    const SaleDetails::Header &header = details.savedHeader();
    const SaleRows &rows = m_salesModel->sales();
    if (!m_detailShown && sale < rows.size()) {
        m_salesModel->updateSale(sale, SaleNumbers::value(details.savedValues().total),
                                 SaleNumbers::value(details.savedValues().quantity),
                                 {rows.text(sale, SaleRows::Number), header.time,
                                  rows.text(sale, SaleRows::Cashier), header.remark,
                                  header.customer, header.phone, header.payment});
        showStatistics();
        chartFollows(m_lastQuery);
    } else {
        fill(m_lastQuery, m_detailShown);
    }
}

void QueryDialog::manageBook(int command)
{
    if (!m_administrator)
        return;
    BookCommands commands(
        m_settings, this, [this] { m_records->close(); },
        [this] {
            if (DbOperation::open(*m_records, m_settings.recordsDsn, this))
                fill(m_lastQuery, m_detailShown);
        });
    if (command != 1 && !mayEndProgram())
        return;
    BookCommands::Outcome outcome = BookCommands::Outcome::Kept;
    if (command == 0)
        outcome = commands.restore();
    else if (command == 1)
        commands.backUp();
    else
        outcome = commands.startNewBook();
    if (outcome == BookCommands::Outcome::Replaced) {
        m_bookReplaced = true;
        done(QDialog::Rejected);
    }
}

bool QueryDialog::mayEndProgram()
{
    if (!m_openSale || !m_openSale())
        return true;
    return Prompt::instance().ask(
               this,
               QStringLiteral("销售窗口中还有一张未保存的小票。\n恢复数据库或重新记账后程序将结束，"
                              "这张小票将会丢失。确定要继续吗？"),
               QStringLiteral("注意"), Prompt::Icon::Warning,
               Prompt::Buttons::YesNo) == Prompt::Answer::Yes;
}

void QueryDialog::deleteSelected()
{
    if (!m_administrator || !needRecords())
        return;
    const QList<int> sales = selectedSales();
    if (sales.isEmpty())
        return;
    RecordListModel *model = shownModel();
    const SaleRows &rows = model->sales();
    const QString question = sales.size() == 1
                                 ? SaleDeletion::oneQuestion(rows.text(sales[0], SaleRows::Number))
                                 : SaleDeletion::severalQuestion();
    if (Prompt::instance().ask(this, question, SaleDeletion::caption(), Prompt::Icon::Warning,
                               Prompt::Buttons::YesNo) != Prompt::Answer::Yes)
        return;

    QList<SaleDeletion::Sale> chosen;
    for (int sale : sales)
        chosen.append({rows.id(sale), rows.text(sale, SaleRows::Number)});
    SortableList *list = shownList();
    const int place = list->selectedRows().first();
    if (!DbOperation::run(this, [&] { SaleDeletion::remove(*m_records, chosen); }))
        return;
    model->removeSales(sales);
    // The row that moved up into the place (or the new last row) is selected.
    if (sales.size() == 1 && model->rowCount() > 0)
        list->selectOnly(std::min(place, model->rowCount() - 1));
    list->setFocus();
    showStatistics();
    updateButtons();
    chartFollows(m_lastQuery);
}

void QueryDialog::printRecord()
{
    if (!m_administrator || !needRecords() || !m_printing.shop)
        return;
    const int sale = markedSale();
    if (sale < 0)
        return;
    ReceiptSwitches switches = printSwitches();
    DbOperation::run(this, [&] {
        const ReceiptData data = storedReceipt(sale, switches);
        ReceiptPrinter printer(m_settings, *m_printing.shop, this);
        printer.printReceiptJob(data, switches, m_printing.shop->printer1Name);
    });
}

void QueryDialog::exportShown()
{
    if (!m_administrator)
        return;
    if (m_detailShown)
        exportList(this, *m_detailModel, QStringLiteral("销售详情列表"), {0, 3, 4});
    else
        exportList(this, *m_salesModel, QStringLiteral("销售总列表"), {0, 3, 4, 5});
}

void QueryDialog::done(int result)
{
    m_salesFit->keep(this);
    m_detailFit->keep(this);
    QDialog::done(result);
}

void QueryDialog::closeEvent(QCloseEvent *event)
{
    m_records->close();
    QDialog::closeEvent(event);
}
