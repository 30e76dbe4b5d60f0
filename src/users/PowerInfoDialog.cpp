#include "users/PowerInfoDialog.h"
#include "ui_PowerInfoDialog.h"

PowerInfoDialog::PowerInfoDialog(QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::PowerInfoDialog>())
{
    m_ui->setupUi(this);
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
}

PowerInfoDialog::~PowerInfoDialog() = default;
