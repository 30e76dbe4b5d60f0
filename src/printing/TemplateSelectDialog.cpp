#include "printing/TemplateSelectDialog.h"

#include "ui_TemplateSelectDialog.h"

#include "controls/DbOperation.h"
#include "controls/Prompt.h"
#include "core/AppSettings.h"
#include "data/Database.h"
#include "printing/TemplateSample.h"

#include <QPixmap>

TemplateSelectDialog::TemplateSelectDialog(AppSettings &settings, const ShopRow &shop,
                                           QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TemplateSelectDialog>()), m_settings(settings),
      m_shop(shop)
{
    m_ui->setupUi(this);
    m_ui->templateBox->setCurrentIndex(m_settings.templateIndex ? 1 : 0);
    showSample(m_ui->templateBox->currentIndex());

    connect(m_ui->templateBox, &QComboBox::currentIndexChanged, this,
            &TemplateSelectDialog::showSample);
    connect(m_ui->saveButton, &QPushButton::clicked, this, &TemplateSelectDialog::save);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

TemplateSelectDialog::~TemplateSelectDialog() = default;

void TemplateSelectDialog::showSample(int index)
{
    m_sample = TemplateSample::render(m_settings, m_shop, index == 1);
    const QSize room = m_ui->samplePicture->minimumSize() - QSize(4, 4);
    m_ui->samplePicture->setPixmap(
        QPixmap::fromImage(m_sample.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void TemplateSelectDialog::save()
{
    const bool template02 = m_ui->templateBox->currentIndex() == 1;
    Database db;
    if (!DbOperation::open(db, m_settings.settingsDsn, this))
        return;
    if (!DbOperation::run(this, [&] { TemplateSample::store(db, template02); }))
        return;
    m_settings.templateIndex = template02;
    Prompt::info(this, QStringLiteral("保存成功！"), QStringLiteral("提示"));
}
