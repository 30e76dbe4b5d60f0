#include "sales/SalesDialog.h"

#include "ui_SalesDialog.h"

#include "controls/Prompt.h"
#include "controls/SortableList.h"
#include "printing/ReceiptOutput.h"

// Finishing the sale: FinishSale does it, the window shows what came of it.
// While a sale is in doubt nothing on the window may change it.

QString SalesDialog::checkingText()
{
    return QStringLiteral("正在确认这笔销售是否已经保存…与数据库服务器的连接恢复后会自动确认，"
                          "确认之前这笔销售不能修改。");
}

QString SalesDialog::leaveInDoubtQuestion()
{
    return QStringLiteral("还没有确认这笔销售是否已经保存。现在退出，就不知道它是否保存了，"
                          "也不会打印小票。确定要退出吗？");
}

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
        FinishSale(m_session, output.get()).print(m_printSettings.saveOnPrint);
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
    syncList(SaleEntry::ListChange::Reset, -1);
    ui->saleList->clearSelection();
    ui->saleList->setCurrentRow(-1);
    ui->modifyButton->setEnabled(false);
    ui->deleteButton->setEnabled(false);
    push();
    ui->productBox->setFocus();
}

// Everything that changes, replaces or abandons the sale on screen, or opens a
// window that would (settings, query); each control gets its state back after.
void SalesDialog::lockForDoubt(bool locked)
{
    ui->doubtLabel->setText(checkingText());
    ui->doubtLabel->setVisible(locked);
    if (locked == !m_lockedControls.isEmpty())
        return;
    if (!locked) {
        for (const auto &[control, enabled] : std::as_const(m_lockedControls))
            if (control)
                control->setEnabled(enabled);
        m_lockedControls.clear();
        return;
    }
    const QList<QWidget *> controls{ui->shopNameEdit,
                                    ui->numberEdit,
                                    ui->editTimeCheck,
                                    ui->timeEdit,
                                    ui->customerCheck,
                                    ui->customerBox,
                                    ui->customersButton,
                                    ui->phoneCheck,
                                    ui->phoneBox,
                                    ui->cashierBox,
                                    ui->paymentCheck,
                                    ui->paymentBox,
                                    ui->paymentMethodsButton,
                                    ui->saleList,
                                    ui->productBox,
                                    ui->quantityEdit,
                                    ui->priceEdit,
                                    ui->amountEdit,
                                    ui->discountCheck,
                                    ui->discountBox,
                                    ui->discountedEdit,
                                    ui->roundOffButton,
                                    ui->addButton,
                                    ui->modifyButton,
                                    ui->deleteButton,
                                    ui->remarkEdit,
                                    ui->cashCheck,
                                    ui->cashBox,
                                    ui->saveOnlyButton,
                                    ui->printButton,
                                    ui->previewButton,
                                    ui->queryButton,
                                    ui->settingsButton};
    for (QWidget *control : controls) {
        m_lockedControls.append({control, control->isEnabled()});
        control->setEnabled(false);
    }
}
