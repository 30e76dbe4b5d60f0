#include "printing/PrinterSelectDialog.h"

#include "ui_PrinterSelectDialog.h"

#include "controls/DbOperation.h"
#include "controls/Prompt.h"
#include "core/AppSettings.h"
#include "data/Database.h"
#include "data/OptionsRow.h"
#include "data/ShopRow.h"
#include "data/Transaction.h"
#include "printing/RawQueue.h"
#include "printing/ReceiptPrinters.h"

#include <QSignalBlocker>

namespace {

// The entry equal to NAME, else the one equal to the default printer, else none.
void select(QComboBox *box, const QString &name, const QString &defaultPrinter)
{
    int index = box->findText(name, Qt::MatchExactly);
    if (index < 0)
        index = box->findText(defaultPrinter, Qt::MatchExactly);
    box->setCurrentIndex(index);
}

QStringList rawQueuesAmong(const QStringList &printers)
{
    QStringList raw;
    for (const QString &name : printers) {
        if (RawQueue::isRaw(name))
            raw << name;
    }
    return raw;
}

} // namespace

PrinterSelectDialog::PrinterSelectDialog(AppSettings &settings, ShopRow &shop,
                                         QWidget *parent, const QStringList &printers,
                                         const QString &defaultPrinter,
                                         const QStringList &rawPrinters)
    : QDialog(parent), m_ui(std::make_unique<Ui::PrinterSelectDialog>()), m_settings(settings),
      m_shop(shop), m_rawPrinters(rawPrinters)
{
    m_ui->setupUi(this);
    m_ui->printer2Check->setChecked(m_settings.usePrinter2);
    m_ui->printer2Box->setEnabled(m_settings.usePrinter2);
    const bool system = printers.isEmpty() && defaultPrinter.isEmpty();
    const QStringList offered = system ? ReceiptPrinters::names() : printers;
    if (system)
        m_rawPrinters = rawQueuesAmong(offered);
    loadRawSetups();
    fill(offered, system ? ReceiptPrinters::defaultName() : defaultPrinter);
    setUpRawControls();

    connect(m_ui->printer2Check, &QCheckBox::clicked, m_ui->printer2Box, &QWidget::setEnabled);
    connect(m_ui->saveButton, &QPushButton::clicked, this, &PrinterSelectDialog::save);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

PrinterSelectDialog::~PrinterSelectDialog() = default;

void PrinterSelectDialog::fill(const QStringList &printers, const QString &defaultPrinter)
{
    QStringList sorted = printers;
    sorted.sort();
    sorted.removeDuplicates();
    m_ui->printer1Box->addItems(sorted);
    m_ui->printer2Box->addItems(sorted);
    select(m_ui->printer1Box, m_shop.printer1Name, defaultPrinter);
    select(m_ui->printer2Box, m_settings.printer2Name, defaultPrinter);
}

void PrinterSelectDialog::save()
{
    m_shop.printer1Name = m_ui->printer1Box->currentText();
    m_settings.printer2Name = m_ui->printer2Box->currentText();
    const bool usePrinter2 = m_ui->printer2Check->isChecked();

    Database db;
    if (!DbOperation::open(db, m_settings.settingsDsn, this))
        return;
    const bool stored = DbOperation::run(this, [&] {
        Transaction transaction(db);
        ShopRow::storePrinter1(db, m_shop.printer1Name);
        OptionsRow::storePrinter2(db, m_settings.printer2Name, usePrinter2);
        for (const QString &name : {m_shop.printer1Name, m_settings.printer2Name}) {
            if (m_rawPrinters.contains(name))
                m_rawSetups.value(name).store(db);
        }
        transaction.commit();
        m_settings.usePrinter2 = usePrinter2;
    });
    if (stored)
        Prompt::info(this, savedMessage(), QStringLiteral("提示"));
}

PrinterSelectDialog::RawControls PrinterSelectDialog::rawControls(int which) const
{
    if (which == 0)
        return {m_ui->printer1Box, m_ui->paper1Box, m_ui->drawer1Check};
    return {m_ui->printer2Box, m_ui->paper2Box, m_ui->drawer2Check};
}

void PrinterSelectDialog::setUpRawControls()
{
    QPalette hint = m_ui->rawHint->palette();
    hint.setColor(QPalette::WindowText, QColor(0, 0, 255));
    m_ui->rawHint->setPalette(hint);
    for (int which = 0; which < 2; ++which) {
        const RawControls controls = rawControls(which);
        showRawSetup(which);
        connect(controls.printer, &QComboBox::currentTextChanged, this,
                [this, which] { showRawSetup(which); });
        connect(controls.paper, &QComboBox::currentIndexChanged, this,
                [this, which] { takeRawSetup(which); });
        connect(controls.drawer, &QCheckBox::toggled, this, [this, which] { takeRawSetup(which); });
    }
}

// Every raw printer's stored roll and drawer switch; the defaults for those
// never saved, and for all of them when the settings cannot be read.
void PrinterSelectDialog::loadRawSetups()
{
    for (const QString &name : m_rawPrinters) {
        RawPrinterSetup setup;
        setup.printer = name;
        m_rawSetups.insert(name, setup);
    }
    if (m_rawPrinters.isEmpty())
        return;
    Database db;
    if (!DbOperation::open(db, m_settings.settingsDsn, this))
        return;
    DbOperation::run(this, [&] {
        for (const QString &name : m_rawPrinters)
            m_rawSetups.insert(name, RawPrinterSetup::load(db, name));
    });
}

// Roll and drawer belong to a printer without a driver; for any other they
// stay greyed out.
void PrinterSelectDialog::showRawSetup(int which)
{
    const RawControls controls = rawControls(which);
    const QString name = controls.printer->currentText();
    const bool raw = m_rawPrinters.contains(name);
    const RawPrinterSetup setup = m_rawSetups.value(name);
    const QSignalBlocker paperQuiet(controls.paper);
    const QSignalBlocker drawerQuiet(controls.drawer);
    controls.paper->setCurrentIndex(setup.paperDots == RawPrinterSetup::dots58 ? 0 : 1);
    controls.drawer->setChecked(raw && setup.openDrawer);
    controls.paper->setEnabled(raw);
    controls.drawer->setEnabled(raw);
}

void PrinterSelectDialog::takeRawSetup(int which)
{
    const RawControls controls = rawControls(which);
    const QString name = controls.printer->currentText();
    if (!m_rawPrinters.contains(name))
        return;
    RawPrinterSetup &setup = m_rawSetups[name];
    setup.printer = name;
    setup.paperDots =
        controls.paper->currentIndex() == 0 ? RawPrinterSetup::dots58 : RawPrinterSetup::dots80;
    setup.openDrawer = controls.drawer->isChecked();
    // The other box may show the same printer.
    const int other = 1 - which;
    if (rawControls(other).printer->currentText() == name)
        showRawSetup(other);
}
