#include "sales/SalesDialog.h"

#include "ui_SalesDialog.h"

#include "controls/AutoCompleteCombo.h"
#include "controls/HoverButton.h"
#include "controls/Prompt.h"
#include "controls/SalesIcons.h"
#include "controls/SortableList.h"
#include "core/AppSettings.h"
#include "core/Clock.h"
#include "sales/SaleLine.h"

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

// The controls that start other windows; which window each one opens is
// decided by the program's wiring (SalesWindows, see app/SalesWindows.cpp).

void SalesDialog::previewReceipt()
{
    if (m_windows.preview)
        m_windows.preview(*this);
}

void SalesDialog::loadPrintSettings()
{
    DbOperation::run(this, [&] {
        // An empty printer is the system's default one, looked up when printing:
        // asking the print system here would slow the window's opening.
        m_printSettings = ShopPrintSettings::load(m_session.settingsDb(), QString());
    });
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
    loadPrintSettings();
    reported(m_session.reloadCashiers());
    push();
    reported(m_session.reloadProducts());
    pushLists();
    ui->productBox->setFocus();
    relabelColumns();
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
    m_pushing = true;
    m_session.header().customer = lastCustomer;
    setText(ui->customerBox, lastCustomer);
    m_pushing = false;
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
        ui->productBox->setFocus();
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
