#include "records/DayReportDialog.h"

#include "controls/HoverButton.h"
#include "printing/ReceiptPainter.h"
#include "printing/ReceiptPrinter.h"
#include "data/ShopRow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QVBoxLayout>

namespace {

const QColor windowColour(135, 215, 215);

} // namespace

DayReportDialog::DayReportDialog(AppSettings &settings, ShopRow &shop,
                                 const DayReportPaper &paper, const ReceiptStyle &style,
                                 const ReceiptSheet &sheet, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_shop(shop), m_paper(paper), m_style(style),
      m_sheet(sheet), m_previewPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setWindowTitle(DayReportPaper::title());
    resize(460, 640);

    // The preview draws on a printer of its own that never prints.
    m_previewPrinter->setOutputFormat(QPrinter::PdfFormat);
    m_previewPrinter->setFullPage(false);
    m_previewPrinter->setPageLayout(m_sheet.page);
    m_preview = new QPrintPreviewWidget(m_previewPrinter.get(), this);
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter *target) {
        QPainter painter(target);
        ReceiptPainter::paint(painter, m_sheet.drawing, target->resolution(), target->resolution());
    });
    QPalette around = m_preview->palette();
    around.setColor(QPalette::Window, windowColour);
    around.setColor(QPalette::Base, windowColour);
    m_preview->setPalette(around);

    auto *hint = new QLabel(
        QStringLiteral("下面是日结报表的打印效果，核对无误后点“打印日结”在小票打印机上打印。"),
        this);
    QPalette blue = hint->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    hint->setPalette(blue);
    hint->setWordWrap(true);

    m_print = new HoverButton(this);
    m_print->setObjectName(QStringLiteral("printButton"));
    m_print->setText(QStringLiteral("打印日结(&P)"));
    m_print->setDefault(true);
    auto *close = new HoverButton(this);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setText(QStringLiteral("退出(&X)"));
    close->setAutoDefault(false);
    connect(m_print, &QPushButton::clicked, this, &DayReportDialog::print);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_print);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addWidget(m_preview, 1);
    layout->addLayout(buttons);
    m_preview->fitToWidth();
}

DayReportDialog::~DayReportDialog()
{
    // The preview goes before the printer it draws on.
    delete m_preview;
}

void DayReportDialog::print()
{
    ReceiptPrinter printer(m_settings, m_shop, this);
    m_printed = printer.printPaper(m_paper.layout(m_style), m_shop.printer1Name);
    if (m_printed)
        accept();
}
