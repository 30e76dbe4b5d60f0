#include "sales/SalesDialog.h"

#include "ui_SalesDialog.h"

#include "controls/IdleTicker.h"
#include "controls/Prompt.h"
#include "controls/SalesIcons.h"
#include "controls/SortableList.h"
#include "core/AppSettings.h"
#include "core/Clock.h"
#include "printing/ReceiptOutput.h"
#include "sales/SalesKeyFilter.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QProcess>
#include <QStandardPaths>

#include <cstdlib>

SalesDialog::SalesDialog(AppSettings &settings, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::SalesDialog>()), m_session(settings),
      m_windows(SalesWindows::installed())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setUpParts();
    connectEntryRow();
    connectHeader();
    connectSide();

    // Before the window opens: the records data source, and the clock.
    m_recordsReady = reported(m_session.setUpRecordsSource());
    startTimers();
    connectKeys();

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

QString SalesDialog::leaveInDoubtQuestion()
{
    return QStringLiteral("还没有确认这笔销售是否已经保存。现在退出，就不知道它是否保存了，"
                          "也不会打印小票。确定要退出吗？");
}

QString SalesDialog::checkingText()
{
    return QStringLiteral("正在确认这笔销售是否已经保存…与数据库服务器的连接恢复后会自动确认，"
                          "确认之前这笔销售不能修改。");
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
    return ui->linesView->list();
}

void SalesDialog::setWindows(const SalesWindows &windows)
{
    m_windows = windows;
}

// ---------------------------------------------------------------------------
// Setting up

void SalesDialog::setUpParts()
{
    setWindowIcon(SalesIcons::window());
    ui->linesView->setUpColumns(m_session.settings().labelLanguage != 0);
    ui->headerPanel->showTime(m_session.header().time);
    // The shortcut line blue.
    QPalette blue = ui->shortcutLabel->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    blue.setColor(QPalette::ButtonText, QColor(0, 0, 255));
    ui->shortcutLabel->setPalette(blue);
    setUpTabOrder();
}

// From the entry row through the lines, cash and remark to the header, and
// then the side buttons.
void SalesDialog::setUpTabOrder()
{
    const QList<QWidget *> order = ui->entryRowPanel->tabOrder() + QList<QWidget *>{saleList()} +
                                   ui->sidePanel->fieldsTabOrder() + ui->headerPanel->tabOrder() +
                                   ui->sidePanel->buttonsTabOrder();
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
}

void SalesDialog::connectEntryRow()
{
    EntryRowPanel *entry = ui->entryRowPanel;
    connect(entry, &EntryRowPanel::edited, this, &SalesDialog::onEntryEdited);
    connect(entry, &EntryRowPanel::productChosen, this, &SalesDialog::onProductChosen);
    // A box also reports its text as chosen when it merely loses the focus:
    // only a text that differs from the sale's is a choice.
    connect(entry, &EntryRowPanel::discountChosen, this, [this](const QString &text) {
        if (text != m_session.sale().entry().discount())
            onEntryEdited(SaleEntry::Field::Discount, text);
    });
    connect(entry, &EntryRowPanel::discountSwitched, this, &SalesDialog::onDiscountSwitched);
    connect(entry, &EntryRowPanel::roundOffClicked, this, [this] {
        m_session.sale().entry().roundOff();
        pushEntry();
    });
    connect(entry, &EntryRowPanel::addClicked, this, &SalesDialog::addLine);
    connect(entry, &EntryRowPanel::modifyClicked, this, &SalesDialog::modifyLine);
    connect(entry, &EntryRowPanel::deleteClicked, this, &SalesDialog::deleteLines);

    SaleLinesView *lines = ui->linesView;
    connect(lines, &SaleLinesView::lineClicked, this, &SalesDialog::selectLine);
    connect(lines, &SaleLinesView::deletePressed, this, &SalesDialog::deleteLines);
    connect(lines, &SaleLinesView::sorted, this,
            [this] { m_session.sale().reorder(ui->linesView->order()); });
}

void SalesDialog::connectHeader()
{
    SaleHeaderPanel *header = ui->headerPanel;
    connect(header, &SaleHeaderPanel::customerEdited, this, &SalesDialog::onCustomerEdited);
    connect(header, &SaleHeaderPanel::customerChosen, this, [this](const QString &text) {
        if (text != m_session.header().customer)
            onCustomerEdited(text);
    });
    connect(header, &SaleHeaderPanel::phoneEdited, this, &SalesDialog::onPhoneEdited);
    connect(header, &SaleHeaderPanel::phoneChosen, this, [this](const QString &text) {
        if (text != m_session.header().phone)
            onPhoneEdited(text);
    });
    connect(header, &SaleHeaderPanel::timeEditSwitched, this,
            [this](bool on) { m_session.header().timeEditable = on; });
    connect(header, &SaleHeaderPanel::customerSwitched, this, [this](bool on) {
        pull();
        reported(m_session.setCustomerEnabled(on));
    });
    connect(header, &SaleHeaderPanel::phoneSwitched, this, [this](bool on) {
        pull();
        reported(m_session.setPhoneEnabled(on));
    });
    connect(header, &SaleHeaderPanel::paymentSwitched, this, [this](bool on) {
        pull();
        reported(m_session.setPaymentEnabled(on));
    });
    connect(header, &SaleHeaderPanel::customersClicked, this, &SalesDialog::openCustomers);
    connect(header, &SaleHeaderPanel::paymentMethodsClicked, this,
            &SalesDialog::openPaymentMethods);
}

void SalesDialog::connectSide()
{
    SaleSidePanel *side = ui->sidePanel;
    connect(side, &SaleSidePanel::cashEdited, this, &SalesDialog::onCashEdited);
    connect(side, &SaleSidePanel::cashSwitched, this, [this](bool on) {
        pull();
        reported(m_session.setCashEnabled(on));
    });
    connect(side, &SaleSidePanel::saveOnlyClicked, this, &SalesDialog::saveOnly);
    connect(side, &SaleSidePanel::printClicked, this, &SalesDialog::printReceipt);
    connect(side, &SaleSidePanel::previewClicked, this, &SalesDialog::previewReceipt);
    connect(side, &SaleSidePanel::queryClicked, this, &SalesDialog::openQuery);
    connect(side, &SaleSidePanel::settingsClicked, this, &SalesDialog::openSettings);
    connect(side, &SaleSidePanel::aboutClicked, this, &SalesDialog::openAbout);
    connect(side, &SaleSidePanel::calculatorClicked, this, &SalesDialog::startCalculator);
}

void SalesDialog::connectKeys()
{
    auto *keys = m_keys = new SalesKeyFilter(*this);
    keys->setWheelFields(ui->entryRowPanel->wheelFields() +
                         QList<QWidget *>{ui->headerPanel->wheelField()});
    connect(keys, &SalesKeyFilter::printPressed, this, &SalesDialog::printReceipt);
    connect(keys, &SalesKeyFilter::nextFieldPressed, this, [this] { focusNextChild(); });
    connect(keys, &SalesKeyFilter::helpPressed, this, &SalesDialog::openHelp);
    connect(keys, &SalesKeyFilter::wheelStepped, this, &SalesDialog::onWheelStepped);
    // Empty quantity and price show zero.
    connect(keys, &SalesKeyFilter::wheelTurnedElsewhere, this, [this](bool forward) {
        m_session.sale().wheel(forward, SaleEntry::Field::None);
        pushEntry();
    });
    qApp->installEventFilter(keys);
}

void SalesDialog::startTimers()
{
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
}

void SalesDialog::openSession()
{
    if (!reported(m_session.open()))
        return; // the window stays open, unfilled
    setWindowTitle(titleFor(m_session.settings()));
    ui->linesView->relabelColumns(m_session.settings().labelLanguage != 0);
    pushLists();
    applyUserRights();
    push();
    ui->entryRowPanel->focusField(SaleEntry::Field::Name);
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
    ui->headerPanel->setAdministrator(administrator);
    ui->sidePanel->setAdministrator(administrator);
}

// ---------------------------------------------------------------------------
// Showing the session

void SalesDialog::pull()
{
    SaleHeader &header = m_session.header();
    ui->headerPanel->take(header);
    header.remark = ui->sidePanel->remark();
    header.cashEnabled = ui->sidePanel->isCashChecked();
}

void SalesDialog::push()
{
    pushHeader();
    pushEntry();
}

void SalesDialog::pushEntry()
{
    const SaleEntry &sale = m_session.sale();
    ui->entryRowPanel->showEntry(sale.entry());
    ui->sidePanel->showCash(sale.cash(), sale.change());
    ui->linesView->showSummary(sale.summary());
}

void SalesDialog::pushHeader()
{
    const SaleHeader &header = m_session.header();
    ui->headerPanel->showHeader(header);
    ui->sidePanel->showRemark(header.remark);
    ui->sidePanel->setCashChecked(header.cashEnabled);
    ui->entryRowPanel->setDiscountEnabled(m_session.sale().discountEnabled());
}

void SalesDialog::pushLists()
{
    ui->headerPanel->setLists(m_session.cashiers(), m_session.customerNames(),
                              m_session.customerPhones(), m_session.paymentMethods());
    ui->entryRowPanel->setProducts(m_session.products());
}

// ---------------------------------------------------------------------------
// Sale lines and the entry row

void SalesDialog::addLine()
{
    apply(m_session.addLine());
    reported();
}

void SalesDialog::modifyLine()
{
    const SaleEntry::Selection selection = ui->linesView->selection();
    // The row shown in the entry row: the one selected row, else the selection mark.
    const int row = selection.rows.size() == 1 ? selection.rows.first() : selection.mark;
    apply(m_session.modifyLine(row));
    reported();
}

void SalesDialog::deleteLines()
{
    apply(m_session.sale().deleteLines(ui->linesView->selection()));
}

void SalesDialog::selectLine()
{
    apply(m_session.sale().selectLine(ui->linesView->selection()));
}

void SalesDialog::apply(const SaleEntry::Outcome &outcome)
{
    ui->linesView->showChange(outcome.list, outcome.row, m_session.sale().lines());
    // A product remembered by adding a line joins the list of the name box.
    ui->entryRowPanel->addNewProducts(m_session.products());
    if (outcome.selection)
        ui->linesView->showSelection(*outcome.selection);
    if (outcome.modifyEnabled)
        ui->entryRowPanel->setModifyEnabled(*outcome.modifyEnabled);
    if (outcome.deleteEnabled)
        ui->entryRowPanel->setDeleteEnabled(*outcome.deleteEnabled);
    pushEntry();
    if (!outcome.message.isEmpty())
        Prompt::info(this, outcome.message);
    ui->entryRowPanel->focusField(outcome.focus);
}

void SalesDialog::onEntryEdited(SaleEntry::Field field, const QString &text)
{
    using Field = SaleEntry::Field;
    EntryRow &entry = m_session.sale().entry();
    switch (field) {
    case Field::Name:
        m_session.lookUpProduct(text);
        break;
    case Field::Quantity:
        // The quantity's rule runs only while the person is in the field.
        if (ui->entryRowPanel->fieldHasFocus(Field::Quantity))
            entry.typeQuantity(text);
        else
            entry.setQuantity(text);
        break;
    case Field::Price:
        entry.setPrice(text);
        break;
    case Field::Amount:
        entry.typeAmount(text);
        break;
    case Field::Discount:
        if (m_session.sale().discountEnabled())
            entry.setDiscount(text);
        break;
    case Field::Discounted:
        entry.setDiscounted(text);
        break;
    case Field::None:
        return;
    }
    pushEntry();
}

void SalesDialog::onProductChosen(const QString &name)
{
    if (name == m_session.sale().entry().name())
        return;
    m_session.lookUpProduct(name);
    pushEntry();
}

void SalesDialog::onDiscountSwitched(bool on)
{
    pull();
    if (!reported(m_session.setDiscountEnabled(on))) {
        ui->entryRowPanel->setDiscountEnabled(!on);
        return;
    }
    pushEntry();
    ui->entryRowPanel->setDiscountEnabled(on);
}

void SalesDialog::onCashEdited(const QString &text)
{
    if (text == m_session.sale().cash())
        return;
    // Said once when the cash goes out of range, not at every further key.
    const bool hadChange = !m_session.sale().change().isEmpty();
    const bool counted = m_session.sale().setCash(text);
    pushEntry();
    if (!counted && hadChange)
        Prompt::warn(this, SaleEntry::cashOutOfRangeMessage());
}

void SalesDialog::onCustomerEdited(const QString &text)
{
    m_session.lookUpCustomer(text);
    ui->headerPanel->showPhone(m_session.header().phone);
}

void SalesDialog::onPhoneEdited(const QString &text)
{
    m_session.lookUpPhone(text);
    ui->headerPanel->showCustomer(m_session.header().customer);
}

// The quantity or the price steps by one a notch, the sale time (while
// "修改时间" is ticked) steps the part being edited.
void SalesDialog::onWheelStepped(int notches)
{
    using Field = SaleEntry::Field;
    const Field focus = ui->entryRowPanel->focusedField();
    const bool onNumber = focus == Field::Quantity || focus == Field::Price;
    for (int i = 0; i < std::abs(notches); ++i)
        m_session.sale().wheel(notches > 0, onNumber ? focus : Field::None);
    if (!onNumber)
        ui->headerPanel->stepTime(notches);
    pushEntry();
}

void SalesDialog::onClockTick()
{
    if (ui->headerPanel->timeEditable())
        return;
    m_session.header().time = Clock::now();
    ui->headerPanel->showTime(m_session.header().time);
}

void SalesDialog::refreshShownNumber()
{
    // Not under another window or a menu, not while the number box has the
    // focus, never over a number typed there.
    QWidget *modal = QApplication::activeModalWidget();
    if ((modal && modal != this) || QApplication::activePopupWidget() || !isVisible())
        return;
    SaleHeaderPanel *header = ui->headerPanel;
    if (header->numberHasFocus() || header->number() != m_session.header().number)
        return;
    const SalesSession::Refresh refresh = m_session.refreshCounterNumber();
    if (refresh == SalesSession::Refresh::Changed)
        header->showNumber(m_session.header().number);
    // A server that does not answer is asked less often: each attempt may wait for it.
    m_numberRefresh->setSlowed(refresh == SalesSession::Refresh::Failed);
}

// ---------------------------------------------------------------------------
// Finishing the sale: FinishSale does it, the window shows what came of it.
// While a sale is in doubt nothing on the window may change it.

SaleSnapshot SalesDialog::takeSale()
{
    pull();
    return m_session.snapshot();
}

void SalesDialog::printReceipt()
{
    if (m_finishing)
        return;
    if (inDoubt()) {
        resolveDoubt();
        return;
    }
    if (!m_windows.receiptOutput)
        return;
    pull();
    const std::unique_ptr<ReceiptOutput> output = m_windows.receiptOutput(*this);
    m_finishing = true;
    const FinishSale::Outcome outcome =
        FinishSale(m_session, output.get()).print(m_session.shop().saveOnPrint);
    m_finishing = false;
    showOutcome(outcome);
}

void SalesDialog::saveOnly()
{
    if (m_finishing)
        return;
    if (inDoubt()) {
        resolveDoubt();
        return;
    }
    pull();
    m_finishing = true;
    const FinishSale::Outcome outcome = FinishSale(m_session, nullptr).saveOnly();
    m_finishing = false;
    showOutcome(outcome);
}

void SalesDialog::resolveDoubt()
{
    if (m_finishing || !inDoubt())
        return;
    m_doubtRetry.stop();
    std::unique_ptr<ReceiptOutput> output;
    if (m_windows.receiptOutput)
        output = m_windows.receiptOutput(*this);
    m_finishing = true;
    const FinishSale::Outcome outcome = FinishSale(m_session, output.get()).resolve();
    m_finishing = false;
    showOutcome(outcome);
}

void SalesDialog::showOutcome(const FinishSale::Outcome &outcome)
{
    using Kind = FinishSale::Outcome::Kind;
    if (outcome.kind == Kind::InDoubt) {
        lockForDoubt(true);
        m_doubtRetry.start();
        return;
    }
    lockForDoubt(false);
    if (outcome.kind == Kind::Finished)
        showNextSale();
    else
        pushHeader(); // the number may have moved on (a taken number)
    if (!outcome.message.isEmpty())
        Prompt::warn(this, outcome.message);
}

void SalesDialog::showNextSale()
{
    ui->linesView->showChange(SaleEntry::ListChange::Reset, -1, m_session.sale().lines());
    ui->linesView->showSelection({});
    ui->entryRowPanel->setModifyEnabled(false);
    ui->entryRowPanel->setDeleteEnabled(false);
    push();
    ui->entryRowPanel->focusField(SaleEntry::Field::Name);
}

// Everything that changes, replaces or abandons the sale on screen, or opens a
// window that would (settings, query); each control gets its state back after.
void SalesDialog::lockForDoubt(bool locked)
{
    ui->linesView->showDoubt(checkingText(), locked);
    ui->headerPanel->setLocked(locked);
    ui->linesView->setLocked(locked);
    ui->entryRowPanel->setLocked(locked);
    ui->sidePanel->setLocked(locked);
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

void SalesDialog::endForNewBook()
{
    m_ending = true;
    m_clock.stop();
    m_session.close();
    QDialog::done(QDialog::Rejected);
}

// ---------------------------------------------------------------------------
// The controls that start other windows; which window each one opens is
// decided by the program's wiring (SalesWindows, see app/SalesWindows.cpp).

void SalesDialog::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    QAction *about = menu.addAction(QStringLiteral("关于 Quillmarch(&A)..."));
    if (menu.exec(event->globalPos()) == about)
        openAbout();
}

void SalesDialog::previewReceipt()
{
    if (m_windows.preview)
        m_windows.preview(*this);
}

void SalesDialog::openSettings()
{
    if (!m_windows.settings)
        return;
    pull();
    const SaleHeader &header = m_session.header();
    SettingsHandover texts{header.shopName, header.remark, header.number};
    m_windows.settings(this, texts);
    m_session.takeBackFromSettings(texts.shopName, texts.remark, texts.receiptNumber);
    reported(m_session.reloadShopInfo());
    reported(m_session.reloadCashiers());
    push();
    reported(m_session.reloadProducts());
    pushLists();
    ui->entryRowPanel->focusField(SaleEntry::Field::Name);
    ui->linesView->relabelColumns(m_session.settings().labelLanguage != 0);
}

void SalesDialog::openCustomers()
{
    if (!m_windows.customers)
        return;
    QString lastCustomer;
    if (!m_windows.customers(this, lastCustomer))
        return;
    reported(m_session.reloadCustomers());
    pushLists();
    m_session.header().customer = lastCustomer;
    ui->headerPanel->showCustomer(lastCustomer);
}

void SalesDialog::openPaymentMethods()
{
    if (!m_windows.paymentMethods)
        return;
    m_windows.paymentMethods(this);
    reported(m_session.reloadPaymentMethods());
    pushLists();
}

void SalesDialog::openQuery()
{
    if (!m_windows.query)
        return;
    m_session.closeRecords();
    m_windows.query(*this);
    if (!m_ending && reported(m_session.reopenRecords()))
        ui->entryRowPanel->focusField(SaleEntry::Field::Name);
}

void SalesDialog::openAbout()
{
    if (m_windows.about)
        m_windows.about(*this);
}

void SalesDialog::openHelp()
{
    if (m_windows.help)
        m_windows.help(*this);
}

void SalesDialog::startCalculator()
{
    for (const char *name : {"gnome-calculator", "kcalc", "mate-calc", "galculator", "xcalc"}) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!program.isEmpty() && QProcess::startDetached(program, {}))
            return;
    }
    Prompt::warn(this, QStringLiteral("没有找到计算器程序，请先安装一个计算器。"));
}
