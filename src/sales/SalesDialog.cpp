#include "sales/SalesDialog.h"

#include "ui_SalesDialog.h"

#include "controls/AutoCompleteCombo.h"
#include "controls/HoverButton.h"
#include "controls/IdleTicker.h"
#include "controls/Prompt.h"
#include "controls/SalesIcons.h"
#include "controls/SortableList.h"
#include "core/AppSettings.h"
#include "core/Clock.h"
#include "sales/EntryRow.h"
#include "sales/SaleLine.h"
#include "sales/SalesKeyFilter.h"

#include "controls/DbOperation.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCollator>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QProcess>
#include <QStandardPaths>
#include <QWheelEvent>

#include <algorithm>

namespace {

const QColor listBlue(115, 151, 236);

QStringList cashList()
{
    return {QStringLiteral("100"), QStringLiteral("50"),  QStringLiteral("20"),
            QStringLiteral("10"),  QStringLiteral("150"), QStringLiteral("200")};
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

} // namespace

SalesDialog::SalesDialog(AppSettings &settings, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::SalesDialog>()), m_session(settings),
      m_windows(SalesWindows::installed())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setUpControls();
    connectControls();

    // Before the window opens: the records data source, and the clock.
    m_recordsReady = reported(m_session.setUpRecordsSource());
    m_clock.setParent(this); // found by its name, e.g. to wait for a tick
    m_clock.setObjectName(QStringLiteral("clock"));
    connect(&m_clock, &QTimer::timeout, this, &SalesDialog::onClockTick);
    m_clock.start(500);
    m_numberRefresh = new IdleTicker(
        numberRefreshMs, [this] { refreshShownNumber(); }, this);
    m_doubtRetry.setParent(this);
    m_doubtRetry.setObjectName(QStringLiteral("doubtRetry"));
    m_doubtRetry.setInterval(2000);
    m_doubtRetry.setSingleShot(true);
    connect(&m_doubtRetry, &QTimer::timeout, this, &SalesDialog::resolveDoubt);
    m_keys = new SalesKeyFilter(*this);
    qApp->installEventFilter(m_keys);

    if (m_recordsReady)
        openSession();
}

SalesDialog::~SalesDialog()
{
    qApp->removeEventFilter(m_keys);
    m_clock.stop();
    m_doubtRetry.stop();
    // Hidden while the controls still exist: losing the focus makes the boxes
    // report their texts. After that nothing of theirs reaches this window.
    hide();
    for (QObject *child : findChildren<QObject *>())
        child->disconnect(this);
}

QString SalesDialog::leaveUnsavedQuestion()
{
    return QStringLiteral("当前小票还有未保存的商品，确定要退出吗？");
}

QString SalesDialog::titleFor(const AppSettings &settings)
{
    return QStringLiteral("QuillmarchV%1 —— 收银员：%2（%3）")
        .arg(QStringLiteral(QM_VERSION), settings.userName, settings.userPower);
}

int SalesDialog::exec()
{
    if (!m_recordsReady)
        return QDialog::Rejected;
    return QDialog::exec();
}

SortableList *SalesDialog::saleList() const
{
    return ui->saleList;
}

// ---------------------------------------------------------------------------
// Setting up

void SalesDialog::setUpControls()
{
    setWindowIcon(SalesIcons::window());
    ui->calculatorIcon->setIcon(SalesIcons::calculator());
    setUpColumns();

    ui->discountBox->addItems(EntryRow::discountChoices());
    ui->discountBox->setEditText(EntryRow::fullPrice());
    ui->cashBox->addItems(cashList());
    ui->cashBox->setEditText(QString());
    ui->cashBox->setCompleter(nullptr); // a plain box: what is typed is what counts
    ui->quantityEdit->setText(EntryRow::defaultQuantity());

    // Summary line: yellow on the list's blue; the shortcut line blue; cash red; change green.
    QFont summaryFont(QStringLiteral("宋体"));
    summaryFont.setPointSizeF(11.6);
    ui->summaryLabel->setFont(summaryFont);
    ui->summaryLabel->setAutoFillBackground(true);
    ui->summaryLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    QPalette summary = ui->summaryLabel->palette();
    summary.setColor(QPalette::Window, listBlue);
    summary.setColor(QPalette::WindowText, Qt::yellow);
    ui->summaryLabel->setPalette(summary);
    setTextColour(ui->shortcutLabel, QColor(0, 0, 255));
    setTextColour(ui->cashCheck, QColor(197, 0, 0));
    setTextColour(ui->changeLabel, QColor(0, 199, 0));

    // A turn of the wheel never takes the focus to the box under the mouse: it
    // works on the field being edited (see handleWheel).
    for (QComboBox *box : findChildren<QComboBox *>())
        box->setFocusPolicy(Qt::StrongFocus);
    ui->timeEdit->setFocusPolicy(Qt::StrongFocus);

    ui->timeEdit->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    ui->timeEdit->setDateTime(m_session.header().time);
}

void SalesDialog::setUpColumns()
{
    SortableList *list = ui->saleList;
    QList<SortableList::Column> columns;
    const bool english = m_session.settings().labelLanguage != 0;
    for (int c = 0; c < SaleLine::ColumnCount; ++c)
        columns.append({SaleLine::header(c, english), SaleLine::width(c), SaleLine::alignment(c)});
    list->setColumns(columns);
    list->setColumnHidden(SaleLine::FullName, true);
    list->setFullRowSelect(true);
    list->setGridLines(true);
    list->setMovableColumns(true);
    list->setRowHeights(19);
    list->setColours(listBlue, listBlue, Qt::black);
}

void SalesDialog::connectControls()
{
    connectEntryRow();
    connectHeader();
    SortableList *list = ui->saleList;
    connect(list, &SortableList::rowClicked, this, [this](int) { selectLine(); });
    connect(list, &SortableList::deletePressed, this, &SalesDialog::deleteLines);
    connect(list, &SortableList::sorted, this, &SalesDialog::onListSorted);

    connect(ui->addButton, &QPushButton::clicked, this, &SalesDialog::addLine);
    connect(ui->modifyButton, &QPushButton::clicked, this, &SalesDialog::modifyLine);
    connect(ui->deleteButton, &QPushButton::clicked, this, &SalesDialog::deleteLines);
    connect(ui->saveOnlyButton, &QPushButton::clicked, this, &SalesDialog::saveOnly);
    connect(ui->printButton, &QPushButton::clicked, this, &SalesDialog::printReceipt);
    connect(ui->previewButton, &QPushButton::clicked, this, &SalesDialog::previewReceipt);
    connect(ui->queryButton, &QPushButton::clicked, this, &SalesDialog::openQuery);
    connect(ui->settingsButton, &QPushButton::clicked, this, &SalesDialog::openSettings);
    connect(ui->aboutButton, &QPushButton::clicked, this, &SalesDialog::openAbout);
    connect(ui->customersButton, &QPushButton::clicked, this, &SalesDialog::openCustomers);
    connect(ui->paymentMethodsButton, &QPushButton::clicked, this,
            &SalesDialog::openPaymentMethods);
    connect(ui->calculatorIcon, &QToolButton::clicked, this, &SalesDialog::startCalculator);
}

void SalesDialog::connectEntryRow()
{
    using Field = SaleEntry::Field;
    const auto edited = [this](Field field) {
        return [this, field](const QString &text) { onEntryEdited(field, text); };
    };
    connect(ui->productBox, &QComboBox::editTextChanged, this, edited(Field::Name));
    connect(ui->productBox, &QComboBox::textActivated, this, &SalesDialog::onProductChosen);
    connect(ui->quantityEdit, &QLineEdit::textChanged, this, edited(Field::Quantity));
    connect(ui->priceEdit, &QLineEdit::textChanged, this, edited(Field::Price));
    connect(ui->amountEdit, &QLineEdit::textChanged, this, edited(Field::Amount));
    connect(ui->discountBox, &QComboBox::editTextChanged, this, edited(Field::Discount));
    // A box also reports its text as chosen when it merely loses the focus:
    // only a text that differs from the sale's is a choice.
    connect(ui->discountBox, &QComboBox::textActivated, this, [this](const QString &text) {
        if (!m_pushing && text != m_session.sale().entry().discount())
            onEntryEdited(SaleEntry::Field::Discount, text);
    });
    connect(ui->discountedEdit, &QLineEdit::textChanged, this, edited(Field::Discounted));
    connect(ui->discountCheck, &QCheckBox::clicked, this, &SalesDialog::onDiscountSwitched);
    connect(ui->roundOffButton, &QPushButton::clicked, this, [this] {
        m_session.sale().entry().roundOff();
        pushEntry();
    });

    const auto cash = [this](const QString &text) {
        if (m_pushing || text == m_session.sale().cash())
            return;
        // Said once when the cash goes out of range, not at every further key.
        const bool hadChange = !m_session.sale().change().isEmpty();
        const bool counted = m_session.sale().setCash(text);
        pushEntry();
        if (!counted && hadChange)
            Prompt::warn(this, SaleEntry::cashOutOfRangeMessage());
    };
    connect(ui->cashBox, &QComboBox::editTextChanged, this, cash);
    connect(ui->cashBox, &QComboBox::textActivated, this, cash);
}

void SalesDialog::connectHeader()
{
    connect(ui->customerBox, &QComboBox::editTextChanged, this, &SalesDialog::onCustomerEdited);
    connect(ui->customerBox, &QComboBox::textActivated, this, [this](const QString &text) {
        if (text != m_session.header().customer)
            onCustomerEdited(text);
    });
    connect(ui->phoneBox, &QComboBox::editTextChanged, this, &SalesDialog::onPhoneEdited);
    connect(ui->phoneBox, &QComboBox::textActivated, this, [this](const QString &text) {
        if (text != m_session.header().phone)
            onPhoneEdited(text);
    });

    connect(ui->editTimeCheck, &QCheckBox::clicked, this, [this](bool on) {
        m_session.header().timeEditable = on;
        ui->timeEdit->setEnabled(on);
    });
    connect(ui->customerCheck, &QCheckBox::clicked, this, [this](bool on) {
        pull();
        ui->customerBox->setEnabled(on);
        reported(m_session.setCustomerEnabled(on));
    });
    connect(ui->phoneCheck, &QCheckBox::clicked, this, [this](bool on) {
        pull();
        ui->phoneBox->setEnabled(on);
        reported(m_session.setPhoneEnabled(on));
    });
    connect(ui->paymentCheck, &QCheckBox::clicked, this, [this](bool on) {
        pull();
        ui->paymentBox->setEnabled(on);
        reported(m_session.setPaymentEnabled(on));
    });
    connect(ui->cashCheck, &QCheckBox::clicked, this, [this](bool on) {
        pull();
        reported(m_session.setCashEnabled(on));
    });
}

void SalesDialog::openSession()
{
    const AppSettings &settings = m_session.settings();
    if (!reported(m_session.open()))
        return; // the window stays open, unfilled
    setWindowTitle(titleFor(settings));
    loadPrintSettings();
    relabelColumns();
    pushLists();
    applyUserRights();
    push();
    ui->productBox->setFocus();
}

bool SalesDialog::reported(bool done)
{
    if (const std::optional<Failure> failure = m_session.takeFailure())
        Prompt::tell(this, *failure);
    return done;
}

void SalesDialog::applyUserRights()
{
    const bool administrator = m_session.settings().isAdministrator();
    ui->numberEdit->setReadOnly(!administrator);
    ui->cashierBox->setEnabled(administrator);
    ui->saveOnlyButton->setEnabled(administrator);
}

void SalesDialog::setWindows(const SalesWindows &windows)
{
    m_windows = windows;
}

// ---------------------------------------------------------------------------
// Showing the session

void SalesDialog::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    QAction *about = menu.addAction(QStringLiteral("关于 Quillmarch(&A)..."));
    if (menu.exec(event->globalPos()) == about)
        openAbout();
}

void SalesDialog::endForNewBook()
{
    m_ending = true;
    m_clock.stop();
    m_session.close();
    QDialog::done(QDialog::Rejected);
}

void SalesDialog::reject()
{
    if (m_finishing)
        return;
    if (inDoubt()) {
        if (!Prompt::yesNo(this, leaveInDoubtQuestion()))
            return;
    } else if (!m_session.sale().lines().isEmpty() &&
               !Prompt::yesNo(this, leaveUnsavedQuestion())) {
        return;
    }
    m_doubtRetry.stop();
    m_clock.stop();
    m_session.close();
    QDialog::reject();
}

void SalesDialog::refreshShownNumber()
{
    // Not under another window or a menu, not while the number box has the
    // focus, never over a number typed there.
    QWidget *modal = QApplication::activeModalWidget();
    if ((modal && modal != this) || QApplication::activePopupWidget() || !isVisible())
        return;
    if (ui->numberEdit->hasFocus() || ui->numberEdit->text() != m_session.header().number)
        return;
    const SalesSession::Refresh refresh = m_session.refreshCounterNumber();
    if (refresh == SalesSession::Refresh::Changed)
        setText(ui->numberEdit, m_session.header().number);
    // A server that does not answer is asked less often: each attempt may wait for it.
    m_numberRefresh->setSlowed(refresh == SalesSession::Refresh::Failed);
}
