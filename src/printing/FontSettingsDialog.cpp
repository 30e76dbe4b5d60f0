#include "printing/FontSettingsDialog.h"

#include "ui_FontSettingsDialog.h"

#include "controls/DbOperation.h"
#include "controls/Prompt.h"
#include "core/AppSettings.h"
#include "data/Database.h"
#include "printing/FontSettings.h"

#include <QIntValidator>

FontSettingsDialog::FontSettingsDialog(AppSettings &settings, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::FontSettingsDialog>()), m_settings(settings)
{
    m_ui->setupUi(this);
    const QStringList faces = FontSettings::faces();
    m_ui->titleFaceBox->addItems(faces);
    m_ui->bodyFaceBox->addItems(faces);
    for (QLineEdit *edit : {m_ui->titleSizeEdit, m_ui->bodySizeEdit, m_ui->lineSpacingEdit})
        edit->setValidator(new QIntValidator(0, 999, edit));
    display(FontSettings::from(m_settings));

    connect(m_ui->saveButton, &QPushButton::clicked, this, &FontSettingsDialog::save);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

FontSettingsDialog::~FontSettingsDialog() = default;

void FontSettingsDialog::display(const FontSettings &fonts)
{
    m_ui->titleFaceBox->setCurrentText(fonts.titleFace);
    m_ui->titleSizeEdit->setText(fonts.titleSize);
    m_ui->bodyFaceBox->setCurrentText(fonts.bodyFace);
    m_ui->bodySizeEdit->setText(fonts.bodySize);
    m_ui->lineSpacingEdit->setText(fonts.lineSpacing);
    m_ui->languageBox->setCurrentIndex(fonts.labelLanguage != 0 ? 1 : 0);
}

void FontSettingsDialog::save()
{
    FontSettings fonts;
    fonts.titleFace = m_ui->titleFaceBox->currentText();
    fonts.titleSize = m_ui->titleSizeEdit->text();
    fonts.bodyFace = m_ui->bodyFaceBox->currentText();
    fonts.bodySize = m_ui->bodySizeEdit->text();
    fonts.lineSpacing = m_ui->lineSpacingEdit->text();
    fonts.labelLanguage = m_ui->languageBox->currentIndex();

    if (const QString problem = fonts.problem(); !problem.isEmpty()) {
        Prompt::warn(this, problem, QStringLiteral("注意"));
        return;
    }
    Database db;
    if (!DbOperation::open(db, m_settings.settingsDsn, this))
        return;
    if (!DbOperation::run(this, [&] { fonts.store(db); }))
        return;
    fonts.apply(m_settings);
    Prompt::info(this, savedMessage(), QStringLiteral("恭喜"));
}
