#include "sales/EntryRowPanel.h"

#include "ui_EntryRowPanel.h"

#include "controls/ShownText.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QScopedValueRollback>

#include <algorithm>

EntryRowPanel::EntryRowPanel(QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::EntryRowPanel>())
{
    ui->setupUi(this);
    ui->discountBox->addItems(EntryRow::discountChoices());
    ui->discountBox->setEditText(EntryRow::fullPrice());
    ui->quantityEdit->setText(EntryRow::defaultQuantity());
    connectFields();
    for (QObject *field :
         {static_cast<QObject *>(ui->quantityEdit), static_cast<QObject *>(ui->priceEdit),
          static_cast<QObject *>(ui->discountedEdit), static_cast<QObject *>(ui->discountBox),
          static_cast<QObject *>(ui->discountBox->lineEdit())})
        field->installEventFilter(this);
}

EntryRowPanel::~EntryRowPanel() = default;

void EntryRowPanel::connectFields()
{
    const auto typed = [this](Field field) {
        return [this, field](const QString &text) {
            if (!m_showing)
                emit edited(field, text);
        };
    };
    connect(ui->productBox, &QComboBox::editTextChanged, this, typed(Field::Name));
    connect(ui->productBox, &QComboBox::textActivated, this, [this](const QString &name) {
        if (!m_showing)
            emit productChosen(name);
    });
    connect(ui->quantityEdit, &QLineEdit::textChanged, this, typed(Field::Quantity));
    connect(ui->priceEdit, &QLineEdit::textChanged, this, typed(Field::Price));
    connect(ui->amountEdit, &QLineEdit::textChanged, this, typed(Field::Amount));
    connect(ui->discountBox, &QComboBox::editTextChanged, this, typed(Field::Discount));
    connect(ui->discountBox, &QComboBox::textActivated, this, [this](const QString &text) {
        if (!m_showing)
            emit discountChosen(text);
    });
    connect(ui->discountedEdit, &QLineEdit::textChanged, this, typed(Field::Discounted));
    connect(ui->discountCheck, &QCheckBox::clicked, this, &EntryRowPanel::discountSwitched);
    connect(ui->roundOffButton, &QPushButton::clicked, this, &EntryRowPanel::roundOffClicked);
    connect(ui->addButton, &QPushButton::clicked, this, &EntryRowPanel::addClicked);
    connect(ui->modifyButton, &QPushButton::clicked, this, &EntryRowPanel::modifyClicked);
    connect(ui->deleteButton, &QPushButton::clicked, this, &EntryRowPanel::deleteClicked);
}

void EntryRowPanel::showEntry(const EntryRow &entry)
{
    const QScopedValueRollback<bool> showing(m_showing, true);
    ShownText::show(ui->productBox, entry.name());
    ShownText::show(ui->quantityEdit, entry.quantity());
    ShownText::show(ui->priceEdit, entry.price());
    ShownText::show(ui->amountEdit, entry.amount());
    ShownText::show(ui->discountBox, entry.discount());
    ShownText::show(ui->discountedEdit, entry.discounted());
}

void EntryRowPanel::setDiscountEnabled(bool on)
{
    const QScopedValueRollback<bool> showing(m_showing, true);
    ui->discountCheck->setChecked(on);
    ui->discountBox->setEnabled(on);
    ui->discountedEdit->setEnabled(on);
    ui->roundOffButton->setEnabled(on);
}

void EntryRowPanel::setProducts(const QStringList &products)
{
    const QScopedValueRollback<bool> showing(m_showing, true);
    ShownText::refill(ui->productBox, products);
}

void EntryRowPanel::addNewProducts(const QStringList &products)
{
    const QScopedValueRollback<bool> showing(m_showing, true);
    ShownText::addNew(ui->productBox, products);
}

void EntryRowPanel::setModifyEnabled(bool enabled)
{
    ui->modifyButton->setEnabled(enabled);
}

void EntryRowPanel::setDeleteEnabled(bool enabled)
{
    ui->deleteButton->setEnabled(enabled);
}

QWidget *EntryRowPanel::fieldWidget(Field field) const
{
    switch (field) {
    case Field::None:
        return nullptr;
    case Field::Name:
        return ui->productBox;
    case Field::Quantity:
        return ui->quantityEdit;
    case Field::Price:
        return ui->priceEdit;
    case Field::Amount:
        return ui->amountEdit;
    case Field::Discount:
        return ui->discountBox;
    case Field::Discounted:
        return ui->discountedEdit;
    }
    return nullptr;
}

void EntryRowPanel::focusField(Field field)
{
    if (QWidget *target = fieldWidget(field))
        target->setFocus();
}

EntryRowPanel::Field EntryRowPanel::focusedField() const
{
    const QWidget *focus = QApplication::focusWidget();
    if (!focus)
        return Field::None;
    for (Field field : {Field::Quantity, Field::Price, Field::Amount, Field::Discounted})
        if (focus == fieldWidget(field))
            return field;
    // The boxes' own line edits have the focus while they are edited.
    if (focus == ui->productBox || ui->productBox->isAncestorOf(focus))
        return Field::Name;
    if (focus == ui->discountBox || ui->discountBox->isAncestorOf(focus))
        return Field::Discount;
    return Field::None;
}

bool EntryRowPanel::fieldHasFocus(Field field) const
{
    const QWidget *widget = fieldWidget(field);
    return widget && widget->hasFocus();
}

QList<QWidget *> EntryRowPanel::wheelFields() const
{
    return {ui->quantityEdit, ui->priceEdit};
}

void EntryRowPanel::setLocked(bool locked)
{
    if (!locked) {
        m_lock.unlock();
        return;
    }
    m_lock.lock({ui->productBox, ui->quantityEdit, ui->priceEdit, ui->amountEdit, ui->discountCheck,
                 ui->discountBox, ui->discountedEdit, ui->roundOffButton, ui->addButton,
                 ui->modifyButton, ui->deleteButton});
}

QList<QWidget *> EntryRowPanel::tabOrder() const
{
    return {ui->productBox,    ui->quantityEdit, ui->priceEdit,      ui->amountEdit,
            ui->discountCheck, ui->discountBox,  ui->discountedEdit, ui->roundOffButton,
            ui->addButton,     ui->modifyButton, ui->deleteButton};
}

bool EntryRowPanel::isNumberField(QObject *watched) const
{
    return watched == ui->quantityEdit || watched == ui->priceEdit ||
           watched == ui->discountedEdit || watched == ui->discountBox ||
           watched == ui->discountBox->lineEdit();
}

// Quantity, price, discount and discounted amount take only digits, "-", "."
// and Backspace; other characters are dropped. Keys without text pass.
bool EntryRowPanel::eventFilter(QObject *watched, QEvent *event)
{
    const auto type = event->type();
    if ((type != QEvent::KeyPress && type != QEvent::InputMethod) || !isNumberField(watched))
        return false;
    const auto allowed = [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= '0' && u <= '9') || u == '-' || u == '.' || u == '\b';
    };
    if (type == QEvent::InputMethod) {
        const QString commit = static_cast<QInputMethodEvent *>(event)->commitString();
        return !std::all_of(commit.begin(), commit.end(), allowed);
    }
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return false;
    return !std::all_of(text.begin(), text.end(), allowed);
}
