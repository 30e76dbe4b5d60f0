#include "sales/SaleSidePanel.h"

#include "ui_SaleSidePanel.h"

#include "controls/SalesIcons.h"
#include "controls/ShownText.h"

#include <QScopedValueRollback>

namespace {

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

SaleSidePanel::SaleSidePanel(QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::SaleSidePanel>())
{
    ui->setupUi(this);
    ui->calculatorIcon->setIcon(SalesIcons::calculator());
    ui->cashBox->addItems(cashList());
    ui->cashBox->setEditText(QString());
    ui->cashBox->setCompleter(nullptr); // a plain box: what is typed is what counts
    // Cash red, change green.
    setTextColour(ui->cashCheck, QColor(197, 0, 0));
    setTextColour(ui->changeLabel, QColor(0, 199, 0));
    connectControls();
}

SaleSidePanel::~SaleSidePanel() = default;

void SaleSidePanel::connectControls()
{
    const auto cash = [this](const QString &text) {
        if (!m_showing)
            emit cashEdited(text);
    };
    connect(ui->cashBox, &QComboBox::editTextChanged, this, cash);
    connect(ui->cashBox, &QComboBox::textActivated, this, cash);
    connect(ui->cashCheck, &QCheckBox::clicked, this, &SaleSidePanel::cashSwitched);

    connect(ui->saveOnlyButton, &QPushButton::clicked, this, &SaleSidePanel::saveOnlyClicked);
    connect(ui->printButton, &QPushButton::clicked, this, &SaleSidePanel::printClicked);
    connect(ui->previewButton, &QPushButton::clicked, this, &SaleSidePanel::previewClicked);
    connect(ui->queryButton, &QPushButton::clicked, this, &SaleSidePanel::queryClicked);
    connect(ui->settingsButton, &QPushButton::clicked, this, &SaleSidePanel::settingsClicked);
    connect(ui->aboutButton, &QPushButton::clicked, this, &SaleSidePanel::aboutClicked);
    connect(ui->calculatorIcon, &QToolButton::clicked, this, &SaleSidePanel::calculatorClicked);
}

void SaleSidePanel::showRemark(const QString &remark)
{
    ShownText::show(ui->remarkEdit, remark);
}

QString SaleSidePanel::remark() const
{
    return ui->remarkEdit->toPlainText();
}

void SaleSidePanel::setCashChecked(bool on)
{
    ui->cashCheck->setChecked(on);
}

bool SaleSidePanel::isCashChecked() const
{
    return ui->cashCheck->isChecked();
}

void SaleSidePanel::showCash(const QString &cash, const QString &change)
{
    const QScopedValueRollback<bool> showing(m_showing, true);
    ShownText::show(ui->cashBox, cash);
    ShownText::show(ui->changeEdit, change);
}

void SaleSidePanel::setAdministrator(bool administrator)
{
    ui->saveOnlyButton->setEnabled(administrator);
}

void SaleSidePanel::setLocked(bool locked)
{
    if (!locked) {
        m_lock.unlock();
        return;
    }
    m_lock.lock({ui->remarkEdit, ui->cashCheck, ui->cashBox, ui->saveOnlyButton, ui->printButton,
                 ui->previewButton, ui->queryButton, ui->settingsButton});
}

QList<QWidget *> SaleSidePanel::fieldsTabOrder() const
{
    return {ui->cashCheck, ui->cashBox, ui->changeEdit, ui->remarkEdit};
}

QList<QWidget *> SaleSidePanel::buttonsTabOrder() const
{
    return {ui->saveOnlyButton, ui->printButton, ui->previewButton, ui->queryButton,
            ui->settingsButton, ui->aboutButton, ui->calculatorIcon};
}
