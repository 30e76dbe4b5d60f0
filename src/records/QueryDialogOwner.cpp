// The owner's day in the query window: the day-end report of the listed
// sales, the chart of takings that can stand in place of the lists, and a
// stored sale's receipt saved as a PDF file.
#include "records/QueryDialog.h"
#include "ui_QueryDialog.h"

#include "controls/DbOperation.h"
#include "controls/HoverButton.h"
#include "controls/ModalDialogs.h"
#include "controls/Prompt.h"
#include "core/AppSettings.h"
#include "core/Clock.h"
#include "core/WriteFailure.h"
#include "data/Database.h"
#include "data/ShopRow.h"
#include "printing/PrepareReceiptData.h"
#include "printing/ReceiptPrinter.h"
#include "printing/ReceiptPrinters.h"
#include "printing/ReceiptSheet.h"
#include "printing/ReceiptStyle.h"
#include "records/DayReport.h"
#include "records/DayReportDialog.h"
#include "records/DayReportPaper.h"
#include "records/RecordListModel.h"
#include "records/SaleRows.h"
#include "records/StoredSaleReceipt.h"
#include "records/TakingsChartView.h"
#include "records/TakingsSeries.h"
#include "spreadsheet/ReplacingFile.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// A receipt number as a file name: characters a file name cannot hold become "_".
QString pdfName(const QString &number)
{
    QString name = number.trimmed();
    for (QChar &c : name) {
        if (c == u'/' || c == u'\\' || c == u':' || c.unicode() < 0x20)
            c = u'_';
    }
    return (name.isEmpty() ? QStringLiteral("小票") : QStringLiteral("小票") + name) +
           QStringLiteral(".pdf");
}

QString withPdfSuffix(const QString &path)
{
    if (QFileInfo(path).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0)
        return path;
    return path + QStringLiteral(".pdf");
}

} // namespace

void QueryDialog::addOwnerTools()
{
    m_reportButton = new HoverButton(this);
    m_reportButton->setObjectName(QStringLiteral("reportButton"));
    m_reportButton->setText(QStringLiteral("日结(&R)..."));
    m_reportButton->setAutoDefault(false);
    m_reportButton->setToolTip(QStringLiteral("按当前查询结果打印日结报表"));
    ui->topLayout->insertWidget(ui->topLayout->indexOf(ui->exportButton) + 1, m_reportButton);
    connect(m_reportButton, &QPushButton::clicked, this, &QueryDialog::showDayReport);

    m_chartCheck = new QCheckBox(QStringLiteral("显示营业图表"), this);
    m_chartCheck->setObjectName(QStringLiteral("chartCheck"));
    ui->topLayout->insertWidget(ui->topLayout->indexOf(ui->detailCheck) + 1, m_chartCheck);
    connect(m_chartCheck, &QCheckBox::clicked, this, &QueryDialog::chartToggled);

    m_chart = new TakingsChartView(this);
    m_chart->setObjectName(QStringLiteral("takingsChart"));
    m_chart->hide();
    ui->mainLayout->insertWidget(ui->mainLayout->indexOf(ui->detailList) + 1, m_chart, 1);
}

void QueryDialog::chartToggled()
{
    showChartOrList();
    chartFollows(m_lastQuery);
}

void QueryDialog::showChartOrList()
{
    const bool chart = m_chartCheck->isChecked();
    m_chart->setVisible(chart);
    ui->salesList->setVisible(!chart && !m_detailShown);
    ui->detailList->setVisible(!chart && m_detailShown);
}

// The chart is summed again only while it is shown.
void QueryDialog::chartFollows(const QueryStatement &statement)
{
    if (!m_chartCheck->isChecked() || !m_records->isOpen() || !statement.isValid())
        return;
    DbOperation::run(this, [&] { m_chart->showSeries(TakingsSeries::of(*m_records, statement)); });
}

ReceiptSwitches QueryDialog::printSwitches() const
{
    ReceiptSwitches switches = m_printing.switches ? m_printing.switches() : ReceiptSwitches();
    if (switches.shopName.isEmpty() && m_printing.shop)
        switches.shopName = m_printing.shop->shopName;
    return switches;
}

ReceiptData QueryDialog::storedReceipt(int sale, ReceiptSwitches &switches)
{
    const SaleRows &rows = shownModel()->sales();
    const SaleSnapshot stored = StoredSaleReceipt::snapshot(*m_records, rows, sale, switches);
    switches = stored.switches;
    ReceiptData data =
        prepareReceiptData(stored, m_settings.labelLanguage, m_printing.shop->showPrice);
    data.time = rows.text(sale, SaleRows::Date); // as stored
    return data;
}

void QueryDialog::showDayReport()
{
    if (!m_administrator || !needRecords() || !m_printing.shop || !m_lastQuery.isValid())
        return;
    DayReport report;
    if (!DbOperation::run(this, [&] { report = DayReport::of(*m_records, m_lastQuery); }))
        return;
    if (report.isEmpty()) {
        Prompt::info(this, DayReportPaper::nothingMessage(), QStringLiteral("提示"));
        return;
    }
    const ReceiptSwitches switches = printSwitches();
    const DayReportPaper paper(report, switches.shopName, Clock::now());
    const ReceiptStyle style = ReceiptStyle::from(m_settings, *m_printing.shop, switches);
    Database settingsDb;
    if (!DbOperation::open(settingsDb, m_settings.settingsDsn, this))
        return;
    ReceiptSheet sheet;
    const QString printer = ReceiptPrinters::resolve(m_printing.shop->printer1Name);
    if (!DbOperation::run(
            this, [&] { sheet = ReceiptSheet::on(printer, settingsDb, paper.layout(style)); }))
        return;
    settingsDb.close();
    DayReportDialog dialog(m_settings, *m_printing.shop, paper, style, sheet, this);
    ModalDialogs::run(dialog);
}

void QueryDialog::saveReceiptPdf()
{
    if (!m_administrator || !needRecords() || !m_printing.shop)
        return;
    const int sale = markedSale();
    if (sale < 0)
        return;
    const QString number = shownModel()->sales().text(sale, SaleRows::Number);
    Prompt::FileRequest request;
    request.caption = QStringLiteral("保存小票为PDF文件");
    request.proposedPath = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                               .filePath(pdfName(number));
    request.filters = {QStringLiteral("PDF文件(*.pdf)")};
    const QString chosen = Prompt::instance().saveFile(this, request);
    if (chosen.isEmpty())
        return;
    const QString path = withPdfSuffix(chosen);

    const ReceiptSwitches switches = printSwitches();
    ReceiptStyle style = ReceiptStyle::from(m_settings, *m_printing.shop, switches);
    Database settingsDb;
    if (!DbOperation::open(settingsDb, m_settings.settingsDsn, this))
        return;
    ReceiptData data;
    ReceiptSheet sheet;
    const QString printer = ReceiptPrinters::resolve(m_printing.shop->printer1Name);
    if (!DbOperation::run(this, [&] {
            data = storedReceipt(sale, style.switches);
            sheet = ReceiptSheet::on(printer, settingsDb, receiptPaper(data, style));
        }))
        return;
    settingsDb.close();

    const QString shown = QDir::toNativeSeparators(path);
    ReplacingFile file(path);
    const bool written =
        file.create() &&
        sheet.writePdf(file.temporaryPath(), ReceiptPrinter::documentName() + u' ' + number) &&
        file.commit();
    if (written) {
        Prompt::info(this, QStringLiteral("小票已保存为PDF文件：%1").arg(shown),
                     QStringLiteral("提示"));
    } else if (file.cannotReplace()) {
        Prompt::warn(this, QStringLiteral("覆盖文件时出错！") + u'\n' + file.error());
    } else {
        const QString reason = file.error().isEmpty() ? QStringLiteral("写入失败") : file.error();
        Prompt::error(this, QStringLiteral("保存PDF文件“%1”失败：%2")
                                .arg(shown, WriteFailure::reason(path, reason)));
    }
}
